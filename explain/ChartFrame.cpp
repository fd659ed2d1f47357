#include "ChartFrame.h"

#include <QFontMetricsF>

#include <cmath>

double tickStep(double range, int parts)
{
    if (!(range > 0))
        return 1;
    const double rough = range / parts;
    const double power = std::pow(10.0, std::floor(std::log10(rough)));
    for (const double factor : {1.0, 2.0, 5.0}) {
        if (factor * power >= rough)
            return factor * power;
    }
    return 10 * power;
}

QString tickText(double value, double step, const QLocale& locale)
{
    const int decimals = step >= 1 ? 0 : step >= 0.1 ? 1 : 2;
    // A tick at -0.00001 from the steps' arithmetic is a tick at 0.
    const double rounded = std::round(value / step) * step;
    return locale.toString(rounded == 0 ? 0.0 : rounded, 'f', decimals);
}

QPointF ChartFrame::map(double price, double profit) const
{
    const double x = plot.left() + (price - fromPrice) / (toPrice - fromPrice) * plot.width();
    const double y =
        plot.bottom() - (profit - lowProfit) / (highProfit - lowProfit) * plot.height();
    return {x, y};
}

double ChartFrame::priceAt(double x) const
{
    return fromPrice + (x - plot.left()) / plot.width() * (toPrice - fromPrice);
}

ChartFrame chartFrame(const QRectF& area, const ProfitCurve& curve, const QFontMetricsF& metrics,
                      const QLocale& locale)
{
    ChartFrame frame;
    frame.fromPrice = curve.fromPrice;
    frame.toPrice = std::max(curve.toPrice, curve.fromPrice + 0.01);
    frame.priceStep = tickStep(frame.toPrice - frame.fromPrice, 5);
    // Some room above and below the curve, then out to whole steps for the labels.
    const double spread = std::max(curve.highestProfit - curve.lowestProfit, 0.01);
    frame.profitStep = tickStep(spread, 5);
    frame.lowProfit =
        std::floor((curve.lowestProfit - 0.05 * spread) / frame.profitStep) * frame.profitStep;
    frame.highProfit =
        std::ceil((curve.highestProfit + 0.05 * spread) / frame.profitStep) * frame.profitStep;

    double labelWidth = 0;
    for (double v = frame.lowProfit; v <= frame.highProfit + frame.profitStep / 2;
         v += frame.profitStep)
        labelWidth =
            std::max(labelWidth, metrics.horizontalAdvance(tickText(v, frame.profitStep, locale)));
    const double line = metrics.height();
    // Room for the profit title and labels on the left, the boundary labels above, the price
    // labels and title below.
    frame.area = area;
    frame.plot = area.adjusted(line + labelWidth + 10, 1.5 * line, -line, -(2.6 * line + 4));
    return frame;
}
