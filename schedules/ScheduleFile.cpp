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
#include <QStringDecoder>

#include <algorithm>

namespace {

constexpr qsizetype maxValueLength = 254;
constexpr QByteArrayView utf8Bom("\xEF\xBB\xBF");

bool isUtf16(const QByteArray& bytes)
{
    return bytes.startsWith("\xFF\xFE") || bytes.startsWith("\xFE\xFF");
}

// The settings reader takes the code page; a UTF-8 file is brought to it, a character the code
// page lacks becoming "?" (it can only be in a name or a value the page would not read).
QByteArray inCodePage(const QByteArray& bytes)
{
    if (isUtf16(bytes))
        return bytes;
    const QByteArrayView text =
        bytes.startsWith(utf8Bom) ? QByteArrayView(bytes).sliced(utf8Bom.size()) : bytes;
    QStringDecoder decoder(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    const QString decoded = decoder(text);
    if (decoder.hasError())
        return text.toByteArray(); // a file written in the code page itself
    QByteArray result;
    result.reserve(text.size());
    for (const QChar c : decoded) {
        const std::optional<QByteArray> byte = Cp1252::encode(QStringView(&c, 1));
        result.append(byte ? *byte : QByteArray("?"));
    }
    return result;
}

// What a UTF-16 file may hold beyond the code page could never be saved in the settings file.
QString storableValue(const QString& value)
{
    QString result = value.left(maxValueLength);
    for (QChar& c : result) {
        if (!Cp1252::encode(QStringView(&c, 1)))
            c = u'?';
    }
    return result;
}

// The section as a UTF-8 file spells it, before the code page put "?" for what it lacks.
QString spelledInFile(const QByteArray& bytes, const QString& section)
{
    if (!section.contains(u'?') || isUtf16(bytes))
        return section;
    const QByteArrayView text =
        bytes.startsWith(utf8Bom) ? QByteArrayView(bytes).sliced(utf8Bom.size()) : bytes;
    QStringDecoder decoder(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    const QString decoded = decoder(text);
    if (decoder.hasError())
        return section;
    for (const QString& line : decoded.split(u'\n')) {
        const QString header = line.trimmed();
        const qsizetype end = header.indexOf(u']');
        if (!header.startsWith(u'[') || end < 0)
            continue;
        const QString spelled = header.mid(1, end - 1);
        if (storableValue(spelled) == section)
            return spelled;
    }
    return section;
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
    const IniDocument document = IniDocument::fromFileBytes(inCodePage(bytes));
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
    const QString name = nameOfSection(spelledInFile(bytes, section))
                             .value_or(QFileInfo(fileName).completeBaseName());
    return ImportedSchedule{storableName(name, fallback), Cp1252::encode(name) ? QString() : name,
                            scheduleFromSavedValues(values), section};
}

std::optional<ImportedSchedule> importScheduleFile(const QString& path, bool english)
{
    const std::optional<QByteArray> bytes = IniFile::read(path);
    if (!bytes)
        return std::nullopt;
    return readScheduleFile(*bytes, path, english);
}
