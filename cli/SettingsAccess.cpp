#include "SettingsAccess.h"

#include "IniFile.h"
#include "Language.h"

#include <QFile>
#include <QFileInfo>

using namespace Qt::Literals::StringLiterals;

std::optional<QString> settingsProblem(const QString& path, bool named, bool english)
{
    const QFileInfo info(path);
    const auto problem = [&](const QString& french, const QString& englishText) {
        return pick(english, u"Le fichier de réglages « %1 » %2."_s,
                    u"The settings file \"%1\" %2."_s)
            .arg(path, pick(english, french, englishText));
    };
    if (!info.exists()) {
        if (!named)
            return std::nullopt;
        return problem(u"n'existe pas"_s, u"does not exist"_s);
    }
    // Not opened unless regular: opening a FIFO would wait for a writer.
    if (!info.isFile())
        return problem(u"n'est pas un fichier ordinaire"_s, u"is not a regular file"_s);
    if (info.size() > IniFile::maxSize)
        return problem(u"dépasse la taille permise de 16 Mo"_s,
                       u"is over the size allowed, 16 MB"_s);
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return problem(u"ne peut pas être lu (%1)"_s.arg(file.errorString()),
                       u"cannot be read (%1)"_s.arg(file.errorString()));
    return std::nullopt;
}
