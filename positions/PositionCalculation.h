#pragma once

#include "FeeRules.h"
#include "PriceRounding.h"
#include "SharesSale.h"

#include <QString>

// The price to sell part or all of a position, as the details window is to work it out: the
// shares sold at the position's average cost price, the schedule, the tax and the rounding.
struct PositionCalculation
{
    QString position;
    Schedule schedule;
    SharesSale sale;
    double taxRate = 0;
    PriceRounding rounding = PriceRounding::Nearest;
};
