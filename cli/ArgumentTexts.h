#pragma once

#include "Message.h"
#include "NumericKind.h"
#include "TradeTexts.h"

#include <QString>

#include <optional>

// A number given on the command line as the field of its kind would hold it: blanks around it
// dropped, a comma read as the decimal point (a shell or a spreadsheet cell knows nothing of the
// regional separator), then only digits and, in a decimal field, one point. Nothing when the
// text holds anything else, which the field's keystroke filter would not have let in.
std::optional<QString> asFieldText(const QString& argument, NumericKind kind);

// The refusal of such a text, for a trade field or (with no field) for the tax rate: it says
// what the field takes.
Message malformedNumberMessage(std::optional<TradeField> field, const QString& argument,
                               bool english);

// A refusal of the command line's input under the title of the window's input errors.
Message captureError(bool english, const QString& french, const QString& englishText);
