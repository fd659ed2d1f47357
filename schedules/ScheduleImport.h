#pragma once

#include "Message.h"
#include "ScheduleFile.h"

#include <QByteArray>
#include <QString>

#include <optional>

// A value of a schedule file that no field of the fee page could hold.
struct ValueProblem
{
    QString key;  // as the program writes it: "F1", "Mini"
    int line = 0; // in the file, from 1; 0 when the key is not on a line of its own
    QString reason;
};

// The first value, in the order of the fee page, that its field could never hold: letters or
// signs in a numeric field, more characters than the field takes, a fee type other than Vrai or
// Faux. Outer blanks are the reader's and do not count.
std::optional<ValueProblem> valueProblem(const QByteArray& bytes, const ImportedSchedule& imported,
                                         bool english);

// A schedule file the user chose, checked and never repaired: either the schedule to add, or
// why nothing is added. A value a field could not hold refuses it with its key, line and reason;
// so does a schedule the fee rules refuse, with the rule's message; a file with no schedule gets
// an example of one.
struct ScheduleImport
{
    std::optional<ImportedSchedule> schedule;
    Message refusal; // when there is no schedule
};

ScheduleImport checkScheduleFile(const QByteArray& bytes, const QString& path, bool english);
// Read with the settings file's reader; a file that cannot be read says so.
ScheduleImport importCheckedScheduleFile(const QString& path, bool english);
