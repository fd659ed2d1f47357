#include "ScheduleIndex.h"

#include "FeeStore.h"
#include "IniStore.h"
#include "ScheduleNames.h"
#include "SettingsKeys.h"

#include <QCollator>
#include <QCollatorSortKey>

#include <algorithm>
#include <utility>
#include <vector>

namespace {

// What sameScheduleName() compares.
QString folded(const QString& name)
{
    return name.toCaseFolded();
}

} // namespace

ScheduleIndex::ScheduleIndex(IniDocument document) : m_document(std::move(document))
{
    m_inUse =
        IniStore::asRead(m_document.value(settingsSection(), scheduleNameKey()).value_or(QString()))
            .trimmed();
    const QString inUse = folded(m_inUse);
    for (const QString& section : m_document.sectionNames()) {
        const std::optional<QString> name = nameOfSection(section);
        if (!name)
            continue;
        // A section of the name in use, left by a copy stopped half-way or by hand, is hidden
        // behind it; so is a second section of a name, which the reader never looks at.
        const QString key = folded(*name);
        if (key == inUse || m_otherByFolded.contains(key))
            continue;
        m_otherByFolded.insert(key, m_others.size());
        m_others.append(*name);
    }
}

bool ScheduleIndex::takenByOther(const QString& name) const
{
    return m_otherByFolded.contains(folded(name));
}

QString ScheduleIndex::inUseName(bool english) const
{
    if (!m_inUse.isEmpty())
        return m_inUse;
    for (int number = 1;; ++number) {
        const QString name = numberedScheduleName(number, english);
        if (!takenByOther(name))
            return name;
    }
}

QStringList ScheduleIndex::allNames(bool english) const
{
    QCollator collator;
    collator.setCaseSensitivity(Qt::CaseInsensitive);
    collator.setNumericMode(true);
    // Each name's sort key once: comparing through the collator costs far more per comparison.
    std::vector<std::pair<QCollatorSortKey, QString>> keyed;
    keyed.reserve(m_others.size() + 1);
    for (const QString& name : m_others)
        keyed.emplace_back(collator.sortKey(name), name);
    const QString inUse = inUseName(english);
    keyed.emplace_back(collator.sortKey(inUse), inUse);
    std::stable_sort(keyed.begin(), keyed.end(),
                     [](const auto& a, const auto& b) { return a.first.compare(b.first) < 0; });
    QStringList names;
    names.reserve(qsizetype(keyed.size()));
    for (auto& [key, name] : keyed)
        names.append(std::move(name));
    return names;
}

bool ScheduleIndex::isInUse(const QString& name) const
{
    if (!m_inUse.isEmpty())
        return sameScheduleName(name, m_inUse);
    return sameScheduleName(name, inUseName(false)) || sameScheduleName(name, inUseName(true));
}

std::optional<QString> ScheduleIndex::stored(const QString& name) const
{
    const auto found = m_otherByFolded.constFind(folded(name));
    if (found == m_otherByFolded.constEnd())
        return std::nullopt;
    return m_others[*found];
}

std::optional<QString> ScheduleIndex::spelled(const QString& name, bool english) const
{
    if (isInUse(name))
        return inUseName(english);
    return stored(name);
}

ScheduleTexts ScheduleIndex::inUseTexts() const
{
    return textsOf(settingsSection());
}

ScheduleTexts ScheduleIndex::storedTexts(const QString& storedName) const
{
    return textsOf(scheduleSection(storedName));
}

ScheduleTexts ScheduleIndex::textsOf(const QString& section) const
{
    const QHash<QString, QString> keys = m_document.sectionKeys(section);
    QStringList values;
    for (const QString& key : savedScheduleKeys())
        values.append(IniStore::asRead(keys.value(IniDocument::foldedName(key))));
    return scheduleFromSavedValues(values);
}
