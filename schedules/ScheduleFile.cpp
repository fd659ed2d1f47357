#include "ScheduleFile.h"

#include "Cp1252.h"
#include "FeeStore.h"
#include "IniDocument.h"
#include "IniFile.h"
#include "Language.h"
#include "ScheduleNames.h"
#include "SettingsKeys.h"

#include <QFileInfo>
#include <QSaveFile>

#include <algorithm>

namespace {

constexpr qsizetype maxValueLength = 254;

// What a UTF-8 or UTF-16 file may hold beyond the code page could never be saved in a settings
// file of the Windows program.
QString storableValue(const QString& value)
{
    QString result = value.left(maxValueLength);
    for (QChar& c : result) {
        if (!Cp1252::encode(QStringView(&c, 1)))
            c = u'?';
    }
    return result;
}

QString chosenSection(const QStringList& sections)
{
    const auto named = std::find_if(sections.begin(), sections.end(), [](const QString& section) {
        return nameOfSection(section).has_value();
    });
    if (named != sections.end())
        return *named;
    const auto own = std::find_if(sections.begin(), sections.end(), [](const QString& section) {
        return IniDocument::foldedName(section) == IniDocument::foldedName(settingsSection());
    });
    if (own != sections.end())
        return *own;
    return sections.isEmpty() ? QString() : sections.front();
}

} // namespace

QByteArray scheduleFileBytes(const QString& name, const ScheduleTexts& texts)
{
    QByteArray bytes = '[' + scheduleSection(name).toUtf8() + "]\r\n";
    for (const auto& [key, value] : scheduleEntries(texts))
        bytes += key.toUtf8() + '=' + value.toUtf8() + "\r\n";
    return bytes;
}

bool writeScheduleFile(const QString& path, const QString& name, const ScheduleTexts& texts)
{
    QSaveFile file(path);
    file.setDirectWriteFallback(false);
    const QByteArray bytes = scheduleFileBytes(name, texts);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size() && file.commit();
}

std::optional<ImportedSchedule> readScheduleFile(const QByteArray& bytes, const QString& fileName,
                                                 bool english)
{
    if (bytes.size() > maxScheduleFileSize)
        return std::nullopt;
    // The settings reader tells a UTF-8 file from one in the code page, as it does for the
    // settings file; what the code page lacks becomes "?" below.
    const IniDocument document = IniDocument::fromFileBytes(bytes);
    const QString section = chosenSection(document.sectionNames());
    if (section.isEmpty())
        return std::nullopt;
    const QHash<QString, QString> keys = document.sectionKeys(section);
    const QStringList wanted = savedScheduleKeys();
    QStringList values;
    bool anyFeeKey = false;
    for (const QString& key : wanted) {
        const auto found = keys.constFind(IniDocument::foldedName(key));
        anyFeeKey = anyFeeKey || found != keys.constEnd();
        values.append(found == keys.constEnd() ? QString() : storableValue(*found));
    }
    if (!anyFeeKey)
        return std::nullopt;
    const QString fallback =
        pick(english, QStringLiteral("Barème importé"), QStringLiteral("Imported schedule"));
    const QString name = nameOfSection(section).value_or(QFileInfo(fileName).completeBaseName());
    return ImportedSchedule{storableName(name, fallback), Cp1252::encode(name) ? QString() : name,
                            scheduleFromSavedValues(values), section};
}

bool isTooLargeForSchedule(const QString& path)
{
    return QFileInfo(path).size() > maxScheduleFileSize;
}

std::optional<ImportedSchedule> importScheduleFile(const QString& path, bool english)
{
    const std::optional<QByteArray> bytes = IniFile::read(path, maxScheduleFileSize);
    if (!bytes)
        return std::nullopt;
    return readScheduleFile(*bytes, path, english);
}
