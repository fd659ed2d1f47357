#pragma once

#include "FeeRules.h"

#include <initializer_list>

// A fee schedule written as its brackets in use, then the minimum and maximum.
inline Schedule makeSchedule(std::initializer_list<Bracket> brackets, double minimum = 0,
                             double maximum = openBound)
{
    Schedule schedule;
    int i = 0;
    for (const Bracket& bracket : brackets)
        schedule.brackets[size_t(i++)] = bracket;
    schedule.minimum = minimum;
    schedule.maximum = maximum;
    return schedule;
}
