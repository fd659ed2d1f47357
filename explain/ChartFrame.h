#pragma once

#include "ProfitCurve.h"

#include <QLocale>
#include <QRectF>
#include <QString>

class QFontMetricsF;

// Where the curve's prices and profits land in a drawing area: the plot inside the room left
// for the axis labels, and the values at its edges, rounded out to whole tick steps.
struct ChartFrame
{
    QRectF area; // the whole drawing, axis titles included
    QRectF plot;
    double fromPrice = 0;
    double toPrice = 1;
    double lowProfit = 0;
    double highProfit = 1;
    double priceStep = 1;
    double profitStep = 1;

    QPointF map(double price, double profit) const;
    double priceAt(double x) const;
};

// A step of 1, 2 or 5 times a power of ten that cuts the range into about this many parts.
double tickStep(double range, int parts);

// The text of a tick at a multiple of the step, in the regional format, with the decimals the
// step needs.
QString tickText(double value, double step, const QLocale& locale);

ChartFrame chartFrame(const QRectF& area, const ProfitCurve& curve, const QFontMetricsF& metrics,
                      const QLocale& locale);
