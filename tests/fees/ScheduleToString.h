#pragma once

#include "ScheduleTexts.h"

#include <QStringList>
#include <QTest>

// One line per schedule in a failed comparison: "[0|1000|10|fixed] ... min= max=".
inline QString describe(const ScheduleTexts& schedule)
{
    QStringList parts;
    for (const BracketTexts& bracket : schedule.brackets)
        parts.append(QStringLiteral("[%1|%2|%3|%4]")
                         .arg(bracket.lower, bracket.upper, bracket.fee,
                              bracket.percentage ? QStringLiteral("%") : QStringLiteral("fixed")));
    parts.append(QStringLiteral("min=%1 max=%2").arg(schedule.minimum, schedule.maximum));
    return parts.join(QLatin1Char(' '));
}

inline char* toString(const ScheduleTexts& schedule)
{
    return QTest::toString(describe(schedule));
}
