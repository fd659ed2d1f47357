#include "ScheduleBook.h"

#include "FeeStore.h"
#include "ScheduleIndex.h"
#include "ScheduleNames.h"
#include "SettingsKeys.h"

namespace {

using Entries = QList<std::pair<QString, QString>>;
using Edits = std::optional<QList<IniSectionEdit>>;

Entries namedInUse(const ScheduleTexts& texts, const QString& name)
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

// The page into the keys of the window's schedule, wherever the file keeps them now. The
// schedule must exist.
IniSectionEdit pageInto(const ScheduleIndex& index, const QString& shown, const ScheduleTexts& page)
{
    if (index.isInUse(shown))
        return programSection(scheduleEntries(page));
    return {scheduleSection(*index.stored(shown)), false, scheduleEntries(page)};
}

// The schedule in use moves out of the program's section into one of its own, with the page
// when it is the window's schedule.
IniSectionEdit inUseMovedOut(const ScheduleIndex& index, const QString& shown,
                             const ScheduleTexts& page, bool english)
{
    return kept(index.inUseName(english), index.isInUse(shown) ? page : index.inUseTexts());
}

Edits refuse(ScheduleChange& change, ScheduleOutcome outcome, const QString& name)
{
    change.outcome = outcome;
    change.name = name;
    return std::nullopt;
}

} // namespace

ScheduleIndex ScheduleBook::index() const
{
    return ScheduleIndex(m_store.document());
}

ScheduleChange ScheduleBook::changed(const Plan& plan) const
{
    ScheduleChange change;
    const IniStore::Change written = m_store.change([&](const IniDocument& document) {
        change = ScheduleChange{};
        return plan(ScheduleIndex(document), change);
    });
    switch (written) {
    case IniStore::Change::Done:
        change.outcome = ScheduleOutcome::Done;
        break;
    case IniStore::Change::Declined:
        break; // as the plan said
    case IniStore::Change::Refused:
        change.outcome = ScheduleOutcome::Refused;
        break;
    case IniStore::Change::Failed:
        change.outcome = ScheduleOutcome::NotWritten;
        break;
    }
    if (change.outcome != ScheduleOutcome::Done)
        change.texts = {};
    return change;
}

NamedSchedule ScheduleBook::inUse(bool english) const
{
    const ScheduleIndex schedules = index();
    return {schedules.inUseName(english), schedules.inUseTexts(), true};
}

ScheduleList ScheduleBook::list(const QString& shown, bool english) const
{
    const ScheduleIndex schedules = index();
    return {schedules.allNames(english), schedules.inUseName(english),
            schedules.spelled(shown, english)};
}

std::optional<ScheduleTexts> ScheduleBook::texts(const QString& name) const
{
    const ScheduleIndex schedules = index();
    if (schedules.isInUse(name))
        return schedules.inUseTexts();
    const std::optional<QString> other = schedules.stored(name);
    if (!other)
        return std::nullopt;
    return schedules.storedTexts(*other);
}

bool ScheduleBook::holdsAnyCharacter() const
{
    return m_store.document().encoding() == IniDocument::Encoding::Utf8;
}

QList<NamedSchedule> ScheduleBook::schedulesBesides(const QString& shown, bool english) const
{
    const ScheduleIndex schedules = index();
    QList<NamedSchedule> result;
    if (!schedules.isInUse(shown))
        result.append({schedules.inUseName(english), schedules.inUseTexts(), false});
    for (const QString& name : schedules.others()) {
        if (!sameScheduleName(name, shown))
            result.append({name, schedules.storedTexts(name), false});
    }
    return result;
}

ScheduleChange ScheduleBook::save(const QString& shown, const ScheduleTexts& page,
                                  bool english) const
{
    return changed([&](const ScheduleIndex& schedules, ScheduleChange& change) -> Edits {
        if (!schedules.exists(shown))
            return refuse(change, ScheduleOutcome::Gone, shown);
        change.name = *schedules.spelled(shown, english);
        change.texts = page;
        return QList<IniSectionEdit>{pageInto(schedules, shown, page)};
    });
}

ScheduleChange ScheduleBook::switchFrom(const QString& shown, const ScheduleTexts& page,
                                        const QString& chosen, bool english) const
{
    return changed([&](const ScheduleIndex& schedules, ScheduleChange& change) -> Edits {
        if (!schedules.exists(shown))
            return refuse(change, ScheduleOutcome::Gone, shown);
        if (!schedules.exists(chosen))
            return refuse(change, ScheduleOutcome::Gone, chosen);
        const bool shownInUse = schedules.isInUse(shown);
        if (schedules.isInUse(chosen)) {
            // In use already, by the window or by another one that switched to it meanwhile.
            change.name = schedules.inUseName(english);
            change.texts = shownInUse ? page : schedules.inUseTexts();
            return QList<IniSectionEdit>{pageInto(schedules, shown, page)};
        }
        const QString target = *schedules.stored(chosen);
        if (!shownInUse && sameScheduleName(target, shown)) {
            change.name = target;
            change.texts = page;
            return QList<IniSectionEdit>{pageInto(schedules, shown, page)};
        }
        change.name = target;
        change.texts = schedules.storedTexts(target);
        QList<IniSectionEdit> edits{programSection(namedInUse(change.texts, target)),
                                    inUseMovedOut(schedules, shown, page, english),
                                    removed(target)};
        if (!shownInUse)
            edits.append(pageInto(schedules, shown, page));
        return edits;
    });
}

ScheduleChange ScheduleBook::createFrom(const QString& shown, const ScheduleTexts& page,
                                        const QString& name, const ScheduleTexts& texts,
                                        bool english) const
{
    return changed([&](const ScheduleIndex& schedules, ScheduleChange& change) -> Edits {
        if (!schedules.exists(shown))
            return refuse(change, ScheduleOutcome::Gone, shown);
        if (schedules.exists(name))
            return refuse(change, ScheduleOutcome::Taken, name);
        change.name = name;
        change.texts = texts;
        QList<IniSectionEdit> edits{programSection(namedInUse(texts, name)),
                                    inUseMovedOut(schedules, shown, page, english)};
        if (!schedules.isInUse(shown))
            edits.append(pageInto(schedules, shown, page));
        return edits;
    });
}

ScheduleChange ScheduleBook::renameTo(const QString& shown, const QString& newName,
                                      [[maybe_unused]] bool english) const
{
    return changed([&](const ScheduleIndex& schedules, ScheduleChange& change) -> Edits {
        if (!schedules.exists(shown))
            return refuse(change, ScheduleOutcome::Gone, shown);
        const bool shownInUse = schedules.isInUse(shown);
        const std::optional<QString> other = schedules.stored(shown);
        const bool sameOne =
            shownInUse ? schedules.isInUse(newName) : sameScheduleName(*other, newName);
        if (!sameOne && schedules.exists(newName))
            return refuse(change, ScheduleOutcome::Taken, newName);
        change.name = newName;
        if (shownInUse) {
            change.texts = schedules.inUseTexts();
            return QList<IniSectionEdit>{programSection({{scheduleNameKey(), newName}})};
        }
        change.texts = schedules.storedTexts(*other);
        return QList<IniSectionEdit>{removed(*other), kept(newName, change.texts)};
    });
}

ScheduleChange ScheduleBook::remove(const QString& shown, bool english) const
{
    return changed([&](const ScheduleIndex& schedules, ScheduleChange& change) -> Edits {
        if (!schedules.exists(shown))
            return refuse(change, ScheduleOutcome::Gone, shown);
        if (schedules.others().isEmpty())
            return refuse(change, ScheduleOutcome::LastOne, shown);
        if (!schedules.isInUse(shown)) {
            change.name = schedules.inUseName(english);
            change.texts = schedules.inUseTexts();
            return QList<IniSectionEdit>{removed(*schedules.stored(shown))};
        }
        QStringList names = schedules.allNames(english);
        names.removeIf([&](const QString& name) { return schedules.isInUse(name); });
        change.name = *schedules.stored(names.front());
        change.texts = schedules.storedTexts(change.name);
        return QList<IniSectionEdit>{programSection(namedInUse(change.texts, change.name)),
                                     removed(change.name)};
    });
}

ScheduleChange ScheduleBook::addSchedule(const QString& name, const ScheduleTexts& texts,
                                         bool english) const
{
    return changed([&](const ScheduleIndex& schedules, ScheduleChange& change) -> Edits {
        QStringList taken = schedules.others();
        taken.append(schedules.inUseName(english));
        change.name = freeName(name, taken);
        change.texts = texts;
        return QList<IniSectionEdit>{kept(change.name, texts)};
    });
}

QString ScheduleBook::currentName(bool english) const
{
    return index().inUseName(english);
}

QStringList ScheduleBook::otherNames() const
{
    return index().others();
}

QStringList ScheduleBook::allNames(bool english) const
{
    return index().allNames(english);
}

std::optional<ScheduleTexts> ScheduleBook::stored(const QString& name) const
{
    const ScheduleIndex schedules = index();
    const std::optional<QString> other = schedules.stored(name);
    if (!other)
        return std::nullopt;
    return schedules.storedTexts(*other);
}

QList<NamedSchedule> ScheduleBook::storedSchedules() const
{
    const ScheduleIndex schedules = index();
    QList<NamedSchedule> result;
    for (const QString& name : schedules.others())
        result.append({name, schedules.storedTexts(name), false});
    return result;
}

QStringList scheduleNames(const IniStore& store, bool english)
{
    const ScheduleIndex schedules(store.document());
    QStringList names = schedules.others();
    names.prepend(schedules.inUseName(english));
    return names;
}

std::optional<ScheduleTexts> loadNamedSchedule(const IniStore& store, const QString& name)
{
    return ScheduleBook(store).texts(name);
}
