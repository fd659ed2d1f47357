#pragma once

#include "ScheduleTexts.h"
#include "TradeTexts.h"

// Everything on either page that a calculation reads, as shown: results are out of date as
// soon as the inputs on screen differ from the ones they were calculated from.
struct InputSnapshot
{
    TradeTexts trade;
    bool percentMode = true;
    int taxOption = 0;
    QString taxCaption; // the rate the option shows, which the tax rates dialog may change
    ScheduleTexts schedule;
    bool roundUp = false; // the price rounded up to the cent that reaches the profit

    friend bool operator==(const InputSnapshot&, const InputSnapshot&) = default;
};
