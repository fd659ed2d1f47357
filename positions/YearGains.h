#pragma once

#include "Holding.h"
#include "Position.h"

#include <QList>
#include <QString>

// One sale of the year, with the position it was made from.
struct YearSale
{
    QString position;
    RealisedSale sale;
};

// Every sale of a calendar year, by date, and what the year realised: the sum of the gains, the
// sum of the losses (zero or below) and the net result.
struct YearGains
{
    int year = 0;
    QList<YearSale> sales;
    Money gains;
    Money losses;
    Money net;
};

YearGains gainsOfYear(const QList<Position>& positions, int year);
