#include "IniStore.h"

#include "IniDocument.h"
#include "IniFile.h"
#include "IniLock.h"

#include <chrono>

namespace {

// What the Windows reader hands back through its 255-character buffer.
constexpr qsizetype maxValueLength = 254;

// A save holds the lock for milliseconds and a dead holder's lock is taken over within a second
// or so; a writer waits far longer than that, so that waiting behind other copies of the program
// never drops a write, the schedule saved on leaving above all. Only a live copy that keeps the
// lock this long, stopped in a debugger say, makes a write fail.
constexpr std::chrono::milliseconds lockWait = std::chrono::seconds(10);

QString cutToMaxLength(QString value)
{
    if (value.size() <= maxValueLength)
        return value;
    value.truncate(maxValueLength);
    if (value.back().isHighSurrogate())
        value.chop(1);
    return value;
}

struct EditOutcome
{
    bool changed = false;
    bool allStored = true;
};

EditOutcome applyEntries(IniDocument& document, const QString& section,
                         const QList<std::pair<QString, QString>>& entries)
{
    EditOutcome outcome;
    for (const auto& [key, value] : entries) {
        switch (document.setValue(section, key, value)) {
        case IniDocument::Edit::Changed:
            outcome.changed = true;
            break;
        case IniDocument::Edit::Unchanged:
            break;
        case IniDocument::Edit::Refused:
            outcome.allStored = false;
            break;
        }
    }
    return outcome;
}

} // namespace

IniStore::IniStore(QString filePath) : m_filePath(std::move(filePath)) {}

QString IniStore::Lire_Ini(const QString& section, const QString& key) const
{
    const std::optional<QByteArray> bytes = IniFile::read(m_filePath);
    if (!bytes)
        return {};
    const IniDocument document = IniDocument::fromFileBytes(*bytes);
    return cutToMaxLength(document.value(section, key).value_or(QString()));
}

QStringList IniStore::readKeys(const QString& section, const QStringList& keys) const
{
    const std::optional<QByteArray> bytes = IniFile::read(m_filePath);
    const IniDocument document = IniDocument::fromFileBytes(bytes.value_or(QByteArray()));
    QStringList values;
    values.reserve(keys.size());
    for (const QString& key : keys)
        values.append(cutToMaxLength(document.value(section, key).value_or(QString())));
    return values;
}

bool IniStore::Ecrire_Ini(const QString& section, const QString& key, const QString& value) const
{
    return writeKeys(section, {{key, value}});
}

bool IniStore::writeKeys(const QString& section,
                         const QList<std::pair<QString, QString>>& entries) const
{
    // A first look without the lock: when the file already holds every value (the language
    // code written at each start), there is nothing to lock or write.
    const std::optional<QByteArray> current = IniFile::read(m_filePath);
    if (!current)
        return false;
    IniDocument preview = IniDocument::fromFileBytes(*current);
    const EditOutcome previewOutcome = applyEntries(preview, section, entries);
    if (!previewOutcome.changed)
        return previewOutcome.allStored;
    if (!IniFile::mayReplace(m_filePath))
        return false;

    // Another copy of the program may have written since the first look: the change is made
    // again on what the file holds once the lock is ours.
    const QString target = IniFile::resolvedPath(m_filePath);
    IniLock lock(target);
    if (!lock.acquire(lockWait))
        return false;
    IniFile::removeLeftovers(target);
    const std::optional<QByteArray> bytes = IniFile::read(target);
    if (!bytes)
        return false;
    IniDocument document = IniDocument::fromFileBytes(*bytes);
    const EditOutcome outcome = applyEntries(document, section, entries);
    if (outcome.changed && !IniFile::replace(target, document.bytes()))
        return false;
    return outcome.allStored;
}
