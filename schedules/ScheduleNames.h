#pragma once

#include "Message.h"

#include <QString>
#include <QStringList>

#include <optional>

// The longest name a schedule may have: enough for a broker and an account.
inline constexpr qsizetype maxScheduleNameLength = 60;

// The settings section that keeps a schedule not in use, such as "Barème: Ma banque".
QString scheduleSection(const QString& name);
// The schedule's name when the section keeps one.
std::optional<QString> nameOfSection(const QString& section);

// The key of the program's section that names the schedule in use.
QString scheduleNameKey();

// "Barème 1", "Schedule 2"...
QString numberedScheduleName(int number, bool english);
// The first numbered name from the number up that none of the names takes.
QString freeNumberedName(int number, bool english, const QStringList& taken);
// The name itself when free, otherwise the first free "name (2)", "name (3)"...
QString freeName(const QString& name, const QStringList& taken);
// Whether two names are the same for the settings file, which ignores case.
bool sameScheduleName(const QString& a, const QString& b);

enum class NameProblem
{
    Empty,
    TooLong,
    Forbidden, // a character the settings file would misread: "]", a control, outer quotes
    NotInFile, // a character the file's code page has no byte for
    Taken,
};

// Why the typed name cannot be a schedule's, taken names compared without regard to case; the
// name is taken with its outer blanks removed. A settings file in UTF-8 holds any character, one
// in the Windows code page only the code page's.
std::optional<NameProblem> nameProblem(const QString& name, const QStringList& taken,
                                       bool anyCharacterHeld = false);
Message nameProblemMessage(NameProblem problem, const QString& name, bool english);

// A name read from an imported file made fit for the settings file: what it cannot hold is
// replaced or dropped, and an empty result gives the fallback.
QString storableName(const QString& name, const QString& fallback);
