#pragma once

#include "IniStore.h"
#include "ScheduleComparison.h"
#include "ScheduleTexts.h"

#include <QString>
#include <QStringList>

#include <optional>

class ScheduleIndex;

// How a change of the schedules went.
enum class ScheduleOutcome
{
    Done,
    Gone,       // the schedule named is no longer in the file: another window or program
                // deleted or renamed it
    Taken,      // the new name is already a schedule's
    LastOne,    // the last schedule is never deleted
    Refused,    // a name or value the settings file cannot hold (a NUL, a line break)
    NotWritten, // the file could not be changed: read-only, or locked by a stuck copy
};

struct ScheduleChange
{
    ScheduleOutcome outcome = ScheduleOutcome::NotWritten;
    // Done: the schedule the window shows now, as the file spells it. Gone: the name that is
    // gone. Taken: the name asked for.
    QString name;
    // Done: that schedule's texts, for the fee page; after a rename, which leaves the page as it
    // is, the texts the file holds for it.
    ScheduleTexts texts;
};

// The list a window shows, read once.
struct ScheduleList
{
    QStringList names; // sorted
    QString inUse;     // the file's schedule in use
    // The window's schedule as the list spells it; nothing when it is no longer in the file.
    std::optional<QString> shown;
};

// The fee schedules of the settings file, by name. The one in use keeps its keys in the
// program's section, where a copy of the program that knows only one schedule reads and saves
// it, with its name under one more key; each other schedule is a section of its own,
// "[Barème: <name>]", holding the same keys. A file without the name key has one schedule, whose
// name is a numbered one in the language at hand until the user names it.
//
// Several windows (running copies) share the file, and each shows a schedule of its own, which
// need not be the one the file has in use: another window may have switched since. So every
// change names the window's schedule and is decided and written in one locked read-change-write
// on what the file holds then: a window's page goes into its own schedule's keys, wherever the
// file keeps them, and never into another's. All or nothing: a change that cannot be written
// whole writes nothing.
class ScheduleBook
{
public:
    explicit ScheduleBook(IniStore store) : m_store(std::move(store)) {}

    // What a window shows at start: the schedule in use, with its texts.
    NamedSchedule inUse(bool english) const;
    // The list for a window that shows `shown`.
    ScheduleList list(const QString& shown, bool english) const;
    // Any schedule by name, in use or not; nothing when no schedule has the name.
    std::optional<ScheduleTexts> texts(const QString& name) const;
    // Whether the file holds any character in a name (it is in UTF-8), or only those of the
    // Windows code page; for nameProblem().
    bool holdsAnyCharacter() const;
    // Every schedule but the window's, with its texts: the one in use first, then the others in
    // the order of the file.
    QList<NamedSchedule> schedulesBesides(const QString& shown, bool english) const;

    // The page goes into the keys of the window's schedule.
    ScheduleChange save(const QString& shown, const ScheduleTexts& page, bool english) const;
    // The page goes into the window's schedule, and the chosen one becomes the file's schedule
    // in use (unless another window has made it so already), whose texts are returned.
    ScheduleChange switchFrom(const QString& shown, const ScheduleTexts& page,
                              const QString& chosen, bool english) const;
    // As a switch, to a new schedule holding the texts given.
    ScheduleChange createFrom(const QString& shown, const ScheduleTexts& page, const QString& name,
                              const ScheduleTexts& texts, bool english) const;
    // The window's schedule takes the new name; the page is not saved.
    ScheduleChange renameTo(const QString& shown, const QString& newName, bool english) const;
    // The window's schedule goes. When it was the schedule in use, the first of the others in
    // the list takes its place; otherwise the one in use stays. Either way that one is returned
    // for the window to show.
    ScheduleChange remove(const QString& shown, bool english) const;
    // A new schedule among the others, under the name or, when taken, the name with a suffix;
    // Done names the name it got.
    ScheduleChange addSchedule(const QString& name, const ScheduleTexts& texts, bool english) const;

    // The file's schedule in use and the others, as the command line reads them.
    QString currentName(bool english) const;
    // The schedules not in use, in the order of the file.
    QStringList otherNames() const;
    QStringList allNames(bool english) const;
    std::optional<ScheduleTexts> stored(const QString& name) const;
    QList<NamedSchedule> storedSchedules() const;

private:
    ScheduleIndex index() const;
    // Runs the plan on the file under its lock; the plan fills `change` and answers the edits.
    using Plan =
        std::function<std::optional<QList<IniSectionEdit>>(const ScheduleIndex&, ScheduleChange&)>;
    ScheduleChange changed(const Plan& plan) const;

    IniStore m_store;
};

// The names of every schedule of the file, the one in use first, and the texts of one by name,
// as a command line picks them: the one in use under its own name, any other from its section.
QStringList scheduleNames(const IniStore& store, bool english = false);
std::optional<ScheduleTexts> loadNamedSchedule(const IniStore& store, const QString& name);
