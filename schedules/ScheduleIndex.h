#pragma once

#include "IniDocument.h"
#include "ScheduleTexts.h"

#include <QHash>
#include <QString>
#include <QStringList>

#include <optional>

// The fee schedules of one reading of the settings file: which one is in use, kept in the
// program's section, and the section that keeps each other one. Made in one pass over the
// file, so that finding a schedule by name costs the same with ten thousand of them as with two.
class ScheduleIndex
{
public:
    explicit ScheduleIndex(IniDocument document);

    // The schedule in use: the name stored with it, or while it has none (a file of one
    // schedule) the first numbered name in the language at hand that no other schedule takes.
    QString inUseName(bool english) const;
    // The schedules not in use, as their sections spell them, in the order of the file.
    const QStringList& others() const { return m_others; }
    // Every schedule, the one in use among them, sorted for a list the user picks from.
    QStringList allNames(bool english) const;

    // Whether the name, case aside, is the schedule in use; while it has no name, its numbered
    // name in either language is its name, since a window may show it in the other language.
    bool isInUse(const QString& name) const;
    // The schedule not in use of that name, case aside, as its section spells it.
    std::optional<QString> stored(const QString& name) const;
    bool exists(const QString& name) const { return isInUse(name) || stored(name); }
    // The name as the file spells it, whichever schedule it is; nothing when none has it.
    std::optional<QString> spelled(const QString& name, bool english) const;

    // The texts of the schedule in use, or of one not in use as its section keeps them.
    ScheduleTexts inUseTexts() const;
    ScheduleTexts storedTexts(const QString& storedName) const;

private:
    ScheduleTexts textsOf(const QString& section) const;
    bool takenByOther(const QString& name) const;

    IniDocument m_document;
    QString m_inUse; // the stored name, blanks trimmed; empty while the schedule has none
    QStringList m_others;
    QHash<QString, qsizetype> m_otherByFolded;
};
