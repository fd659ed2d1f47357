#pragma once

#include "ChartFrame.h"
#include "ChartTexts.h"

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

    // The palette's colours, each line and mark brought to a contrast of at least 3:1 with the
    // plot where the palette leaves it fainter.
    static ChartColours from(const QPalette& palette);
};

// WCAG's contrast ratio of two colours, from 1 to 21.
double contrastRatio(const QColor& a, const QColor& b);
// How far apart two colours lie on the colour wheel, from 0 to 180 degrees; 180 for a grey.
double hueDistance(const QColor& a, const QColor& b);
// The wanted line and the curve lie at least this far apart on the colour wheel where their
// lightness alone would not tell them apart.
inline constexpr double minimumHueDistance = 60;

// Paints the curve in the area: axes with their ticks and titles, the bracket boundaries dashed
// with their prices, the wanted profit's line, the segments with a filled dot where a
// boundary's own price ends one and an open one where the next starts, a diamond where the
// minimum or the maximum fee starts to apply, the minimum price and the typed price, labelled.
void paintProfitChart(QPainter& painter, const ChartFrame& frame, const ProfitCurve& curve,
                      std::optional<double> typedPrice, const ChartColours& colours,
                      const ChartTexts& texts, const QLocale& locale);
