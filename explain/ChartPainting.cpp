#include "ChartPainting.h"

#include "MoneyText.h"

#include <QPainter>
#include <QPainterPath>

#include <cmath>

namespace {

constexpr double dotRadius = 3.5;
constexpr double markerRadius = 5;

void paintAxes(QPainter& painter, const ChartFrame& frame, const ChartColours& colours,
               const QLocale& locale)
{
    const QRectF& plot = frame.plot;
    const QFontMetricsF metrics(painter.font());
    painter.setPen(QPen(colours.text, 1));
    painter.drawLine(plot.bottomLeft(), plot.bottomRight());
    painter.drawLine(plot.bottomLeft(), plot.topLeft());

    const double firstPrice = std::ceil(frame.fromPrice / frame.priceStep) * frame.priceStep;
    for (double price = firstPrice; price <= frame.toPrice + frame.priceStep * 1e-6;
         price += frame.priceStep) {
        const double x = frame.map(price, frame.lowProfit).x();
        painter.drawLine(QPointF(x, plot.bottom()), QPointF(x, plot.bottom() + 4));
        const QString text = tickText(price, frame.priceStep, locale);
        const double width = metrics.horizontalAdvance(text);
        painter.drawText(QPointF(x - width / 2, plot.bottom() + 4 + metrics.ascent()), text);
    }
    for (double profit = frame.lowProfit; profit <= frame.highProfit + frame.profitStep * 1e-6;
         profit += frame.profitStep) {
        const double y = frame.map(frame.fromPrice, profit).y();
        painter.drawLine(QPointF(plot.left() - 4, y), QPointF(plot.left(), y));
        const QString text = tickText(profit, frame.profitStep, locale);
        const double width = metrics.horizontalAdvance(text);
        painter.drawText(QPointF(plot.left() - 6 - width, y + metrics.ascent() / 2 - 1), text);
    }
}

// Drawn on whole pixels without smoothing, so a line keeps its own colour exactly.
void paintBoundaries(QPainter& painter, const ChartFrame& frame, const ProfitCurve& curve,
                     const ChartColours& colours, const QLocale& locale)
{
    const QRectF& plot = frame.plot;
    const QFontMetricsF metrics(painter.font());
    painter.setRenderHint(QPainter::Antialiasing, false);
    for (const CurveBoundary& boundary : curve.boundaries) {
        const double x = std::round(frame.map(boundary.price, 0).x());
        painter.setPen(QPen(colours.boundary, 1, Qt::DashLine));
        painter.drawLine(QPointF(x, plot.top()), QPointF(x, plot.bottom()));
        painter.setPen(colours.text);
        const QString text = locale.toString(boundary.price, 'f', 2);
        painter.drawText(QPointF(x - metrics.horizontalAdvance(text) / 2, plot.top() - 4), text);
    }
    const double y = std::round(frame.map(frame.fromPrice, curve.wantedProfit).y());
    painter.setPen(QPen(colours.wanted, 1));
    for (const double row : {y, y + 1})
        painter.drawLine(QPointF(plot.left() + 1, row), QPointF(plot.right(), row));
    const QString wanted = moneyText(curve.wantedProfit, locale);
    painter.drawText(QPointF(plot.left() + 6, y - 4), wanted);
}

void paintSegments(QPainter& painter, const ChartFrame& frame, const ProfitCurve& curve,
                   const ChartColours& colours)
{
    painter.setRenderHint(QPainter::Antialiasing, true);
    painter.setPen(QPen(colours.curve, 2, Qt::SolidLine, Qt::RoundCap));
    for (const CurveSegment& segment : curve.segments)
        painter.drawLine(frame.map(segment.fromPrice, segment.fromProfit),
                         frame.map(segment.toPrice, segment.toProfit));
    for (const CurveBoundary& boundary : curve.boundaries) {
        if (!boundary.jumps())
            continue;
        painter.setPen(QPen(colours.curve, 1.5));
        painter.setBrush(colours.curve);
        painter.drawEllipse(frame.map(boundary.price, boundary.profitBelow), dotRadius, dotRadius);
        painter.setBrush(colours.background);
        painter.drawEllipse(frame.map(boundary.price, boundary.profitAbove), dotRadius, dotRadius);
    }
}

void paintMarkers(QPainter& painter, const ChartFrame& frame, const ProfitCurve& curve,
                  std::optional<double> typedPrice, const ChartColours& colours)
{
    painter.setRenderHint(QPainter::Antialiasing, true);
    painter.setPen(QPen(colours.text, 1.5));
    painter.setBrush(colours.curve);
    painter.drawEllipse(frame.map(curve.minimumPrice, curve.minimumProfit), markerRadius,
                        markerRadius);
    if (!typedPrice || *typedPrice < frame.fromPrice || *typedPrice > frame.toPrice)
        return;
    const double profit = curve.profitAt(*typedPrice);
    if (!std::isfinite(profit))
        return;
    painter.setPen(QPen(colours.typed, 2));
    painter.setBrush(Qt::NoBrush);
    painter.drawEllipse(frame.map(*typedPrice, profit), markerRadius + 2, markerRadius + 2);
}

} // namespace

ChartColours ChartColours::from(const QPalette& palette)
{
    return {palette.color(QPalette::Base),      palette.color(QPalette::WindowText),
            palette.color(QPalette::Highlight), palette.color(QPalette::Link),
            palette.color(QPalette::Mid),       palette.color(QPalette::LinkVisited)};
}

void paintProfitChart(QPainter& painter, const ChartFrame& frame, const ProfitCurve& curve,
                      std::optional<double> typedPrice, const ChartColours& colours,
                      const QLocale& locale)
{
    painter.save();
    painter.fillRect(frame.plot, colours.background);
    paintAxes(painter, frame, colours, locale);
    paintBoundaries(painter, frame, curve, colours, locale);
    paintSegments(painter, frame, curve, colours);
    paintMarkers(painter, frame, curve, typedPrice, colours);
    painter.restore();
}
