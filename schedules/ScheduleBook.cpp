#include "ScheduleBook.h"

#include "FeeStore.h"
#include "ScheduleNames.h"
#include "SettingsKeys.h"

#include <QCollator>

#include <algorithm>

namespace {

using Entries = QList<std::pair<QString, QString>>;

Entries inUse(const ScheduleTexts& texts, const QString& name)
{
    Entries entries = scheduleEntries(texts);
    entries.append({scheduleNameKey(), name});
    return entries;
}

IniSectionEdit programSection(Entries entries)
{
    return {settingsSection(), false, std::move(entries)};
}

// The section is written anew, so that keys left by hand from an older schedule go with it.
IniSectionEdit kept(const QString& name, const ScheduleTexts& texts)
{
    return {scheduleSection(name), true, scheduleEntries(texts)};
}

IniSectionEdit removed(const QString& name)
{
    return {scheduleSection(name), true, {}};
}

} // namespace

IniStore::HeldReading ScheduleBook::oneReading() const
{
    // Each change looks at the file several times before it writes, and the file may be large.
    return m_store.holdReading(settingsSection());
}

QString ScheduleBook::currentName(bool english) const
{
    const QString stored = m_store.Lire_Ini(settingsSection(), scheduleNameKey()).trimmed();
    if (!stored.isEmpty())
        return stored;
    return freeNumberedName(1, english, otherNames());
}

QStringList ScheduleBook::otherNames() const
{
    QStringList names;
    const QString current = m_store.Lire_Ini(settingsSection(), scheduleNameKey()).trimmed();
    for (const QString& section : m_store.sectionNames()) {
        const std::optional<QString> name = nameOfSection(section);
        // A section of the name in use, left by a copy stopped half-way or by hand, is hidden
        // behind it.
        if (name && !sameScheduleName(*name, current) &&
            std::none_of(names.begin(), names.end(),
                         [&](const QString& other) { return sameScheduleName(other, *name); }))
            names.append(*name);
    }
    return names;
}

QStringList ScheduleBook::allNames(bool english) const
{
    const IniStore::HeldReading reading = oneReading();
    QStringList names = otherNames();
    names.append(currentName(english));
    QCollator collator;
    collator.setCaseSensitivity(Qt::CaseInsensitive);
    collator.setNumericMode(true);
    std::sort(names.begin(), names.end(), collator);
    return names;
}

bool ScheduleBook::isCurrent(const QString& name, bool english) const
{
    return sameScheduleName(name, currentName(english));
}

std::optional<QString> ScheduleBook::storedOther(const QString& name) const
{
    const QStringList others = otherNames();
    const auto found = std::find_if(others.begin(), others.end(), [&](const QString& other) {
        return sameScheduleName(other, name);
    });
    if (found == others.end())
        return std::nullopt;
    return *found;
}

std::optional<ScheduleTexts> ScheduleBook::stored(const QString& name) const
{
    const std::optional<QString> other = storedOther(name);
    if (!other)
        return std::nullopt;
    return loadSchedule(m_store, scheduleSection(*other));
}

QList<NamedSchedule> ScheduleBook::storedSchedules() const
{
    const IniStore::HeldReading reading = oneReading();
    QList<NamedSchedule> schedules;
    for (const QString& name : otherNames())
        schedules.append({name, loadSchedule(m_store, scheduleSection(name)), false});
    return schedules;
}

std::optional<ScheduleTexts> ScheduleBook::switchTo(const QString& name, const ScheduleTexts& page,
                                                    bool english) const
{
    const IniStore::HeldReading reading = oneReading();
    const std::optional<QString> chosen = storedOther(name);
    if (!chosen)
        return std::nullopt;
    const ScheduleTexts texts = loadSchedule(m_store, scheduleSection(*chosen));
    const bool written = m_store.applyEdits({programSection(inUse(texts, *chosen)),
                                             kept(currentName(english), page), removed(*chosen)});
    if (!written)
        return std::nullopt;
    return texts;
}

bool ScheduleBook::create(const QString& name, const ScheduleTexts& texts,
                          const ScheduleTexts& page, bool english) const
{
    const IniStore::HeldReading reading = oneReading();
    const QString current = currentName(english);
    if (isCurrent(name, english) || storedOther(name))
        return false;
    return m_store.applyEdits({programSection(inUse(texts, name)), kept(current, page)});
}

bool ScheduleBook::rename(const QString& oldName, const QString& newName, bool english) const
{
    const IniStore::HeldReading reading = oneReading();
    const bool sameOne = sameScheduleName(oldName, newName);
    if (!sameOne && (isCurrent(newName, english) || storedOther(newName)))
        return false;
    if (isCurrent(oldName, english))
        return m_store.applyEdits({programSection({{scheduleNameKey(), newName}})});
    const std::optional<QString> other = storedOther(oldName);
    if (!other)
        return false;
    const ScheduleTexts texts = loadSchedule(m_store, scheduleSection(*other));
    return m_store.applyEdits({removed(*other), kept(newName, texts)});
}

std::optional<ScheduleTexts> ScheduleBook::removeCurrent(bool english) const
{
    const IniStore::HeldReading reading = oneReading();
    QStringList others = allNames(english);
    others.removeIf([&](const QString& name) { return isCurrent(name, english); });
    if (others.isEmpty())
        return std::nullopt;
    const QString next = *storedOther(others.front());
    const ScheduleTexts texts = loadSchedule(m_store, scheduleSection(next));
    if (!m_store.applyEdits({programSection(inUse(texts, next)), removed(next)}))
        return std::nullopt;
    return texts;
}

bool ScheduleBook::removeOther(const QString& name) const
{
    const std::optional<QString> other = storedOther(name);
    return other && m_store.applyEdits({removed(*other)});
}

std::optional<QString> ScheduleBook::add(const QString& name, const ScheduleTexts& texts,
                                         bool english) const
{
    const IniStore::HeldReading reading = oneReading();
    QStringList taken = otherNames();
    taken.append(currentName(english));
    const QString free = freeName(name, taken);
    if (!m_store.applyEdits({kept(free, texts)}))
        return std::nullopt;
    return free;
}

QStringList scheduleNames(const IniStore& store, bool english)
{
    const IniStore::HeldReading reading = store.holdReading(settingsSection());
    const ScheduleBook book(store);
    QStringList names = book.otherNames();
    names.prepend(book.currentName(english));
    return names;
}

std::optional<ScheduleTexts> loadNamedSchedule(const IniStore& store, const QString& name)
{
    const IniStore::HeldReading reading = store.holdReading(settingsSection());
    const ScheduleBook book(store);
    for (const bool english : {false, true}) {
        if (sameScheduleName(name, book.currentName(english)))
            return loadSchedule(store);
    }
    return book.stored(name);
}
