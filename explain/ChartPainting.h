#pragma once

#include "ChartFrame.h"

#include <QLocale>
#include <QPalette>

#include <optional>

class QPainter;

// The colours of the chart, from a palette, so that it reads on a light and a dark theme.
struct ChartColours
{
    QColor background; // the plot
    QColor text;       // axes and labels
    QColor curve;
    QColor wanted;   // the wanted profit's line
    QColor boundary; // the bracket boundaries
    QColor typed;    // the price typed in the details window

    static ChartColours from(const QPalette& palette);
};

// Paints the curve in the area: axes with their ticks, the bracket boundaries dashed with their
// prices, the wanted profit's line, the segments with a filled dot where a boundary's own price
// ends one and an open one where the next starts, the minimum price, and the typed price.
void paintProfitChart(QPainter& painter, const ChartFrame& frame, const ProfitCurve& curve,
                      std::optional<double> typedPrice, const ChartColours& colours,
                      const QLocale& locale);
