#pragma once

#include "Message.h"

#include <QString>

// A name or a path between guillemets that never part from it at a line end ("« Ma banque »"),
// or between quotes in English.
QString quotedName(const QString& name, bool english);

// The messages of the schedule commands, titled "Barèmes" / "Schedules".
Message schedulesMessage(bool english, const QString& french, const QString& englishText,
                         MessageIcon icon = MessageIcon::Exclamation);

// The settings file refused a change: nothing changed.
Message schedulesFailureMessage(bool english);
// Asked before deleting the schedule in use; No answers Enter.
Message deleteQuestion(const QString& name, bool english);
// After a delete: which schedule is now in use.
Message deletedMessage(const QString& deleted, const QString& nowInUse, bool english);
// After an export: where the file went.
Message exportedMessage(const QString& name, const QString& path, bool english);
Message exportFailedMessage(const QString& path, bool english);
// After an import; nameInFile is the name the file gave when it had to change.
Message importedMessage(const QString& name, const QString& nameInFile, bool english);
