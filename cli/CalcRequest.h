#pragma once

#include "TradeTexts.h"

#include <QString>

#include <optional>

// One trade asked for on the command line, as given: the three texts of the data page's fields,
// the profit mode and the tax.
struct CalcRequest
{
    TradeTexts texts;
    bool percentMode = true;
    int taxOption = 1; // 0, 1, 2: the first, second, third rate, as the window's options
    std::optional<QString> taxRate; // a rate in per cent given instead of an option
};
