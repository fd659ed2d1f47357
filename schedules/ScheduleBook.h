#pragma once

#include "IniStore.h"
#include "ScheduleComparison.h"
#include "ScheduleTexts.h"

#include <QString>
#include <QStringList>

#include <optional>

// The fee schedules of the settings file, by name. The one in use keeps its keys in the
// program's section, where a copy of the program that knows only one schedule reads and saves
// it, with its name under one more key; each other schedule is a section of its own,
// "[Barème: <name>]", holding the same keys. A file without the name key has one schedule, whose
// name is a numbered one in the language at hand until the user names it.
//
// Every change is one locked rewrite of the file; a change the file refuses (read-only,
// locked by a stuck copy) returns false and leaves it as it was.
class ScheduleBook
{
public:
    explicit ScheduleBook(IniStore store) : m_store(std::move(store)) {}

    QString currentName(bool english) const;
    // The schedules not in use, in the order of the file.
    QStringList otherNames() const;
    // Every schedule, the one in use among them, sorted for a list the user picks from.
    QStringList allNames(bool english) const;

    // A schedule not in use as the file keeps it; nothing when no schedule has the name.
    std::optional<ScheduleTexts> stored(const QString& name) const;
    // Every schedule not in use, with its texts, in the order of the file.
    QList<NamedSchedule> storedSchedules() const;

    // The page's schedule goes under its name among the others, and the chosen one becomes the
    // schedule in use, whose texts are returned for the page.
    std::optional<ScheduleTexts> switchTo(const QString& name, const ScheduleTexts& page,
                                          bool english) const;
    // As a switch, to a new schedule holding the texts given.
    bool create(const QString& name, const ScheduleTexts& texts, const ScheduleTexts& page,
                bool english) const;
    bool rename(const QString& oldName, const QString& newName, bool english) const;
    // The schedule in use goes, replaced by the first of the others in the list, whose texts
    // are returned for the page. The last schedule is never removed.
    std::optional<ScheduleTexts> removeCurrent(bool english) const;
    bool removeOther(const QString& name) const;
    // A new schedule among the others, under the name or, when taken, the name with a suffix;
    // returns the name it got.
    std::optional<QString> add(const QString& name, const ScheduleTexts& texts, bool english) const;

private:
    [[nodiscard]] IniStore::HeldReading oneReading() const;
    bool isCurrent(const QString& name, bool english) const;
    std::optional<QString> storedOther(const QString& name) const;

    IniStore m_store;
};

// The names of every schedule of the file, the one in use first, and the texts of one by name,
// as a command line picks them: the one in use under its own name, any other from its section.
QStringList scheduleNames(const IniStore& store, bool english = false);
std::optional<ScheduleTexts> loadNamedSchedule(const IniStore& store, const QString& name);
