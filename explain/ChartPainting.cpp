#include "ChartPainting.h"

#include "MoneyText.h"

#include <QPainter>
#include <QPainterPath>
#include <QPolygonF>

#include <algorithm>

#include <cmath>

namespace {

constexpr double dotRadius = 3.5;
constexpr double markerRadius = 5;
constexpr double diamondRadius = 4.5;
// WCAG's least contrast for the parts of a graphic.
constexpr double graphicContrast = 3;

double luminance(const QColor& colour)
{
    const auto channel = [](double value) {
        return value <= 0.04045 ? value / 12.92 : std::pow((value + 0.055) / 1.055, 2.4);
    };
    const QColor rgb = colour.toRgb();
    return 0.2126 * channel(rgb.redF()) + 0.7152 * channel(rgb.greenF()) +
           0.0722 * channel(rgb.blueF());
}

// Moved towards the text's colour, which reads on the plot, until it stands out enough.
QColor legible(const QColor& colour, const QColor& background, const QColor& text)
{
    for (int step = 0; step <= 10; ++step) {
        const double t = step / 10.0;
        const QColor mixed =
            QColor::fromRgbF(float(colour.redF() + t * (text.redF() - colour.redF())),
                             float(colour.greenF() + t * (text.greenF() - colour.greenF())),
                             float(colour.blueF() + t * (text.blueF() - colour.blueF())));
        if (contrastRatio(mixed, background) >= graphicContrast)
            return mixed;
    }
    return text;
}

// Beside a point, on the side where it stays inside the plot: right and below, or left and
// above, clear of a curve that rises through the point.
void paintLabel(QPainter& painter, const QRectF& plot, QPointF at, const QString& text)
{
    const QFontMetricsF metrics(painter.font());
    const double width = metrics.horizontalAdvance(text);
    const double gap = markerRadius + 4;
    const bool toRight = at.x() + gap + width <= plot.right();
    const double x = std::max(toRight ? at.x() + gap : at.x() - gap - width, plot.left() + 2);
    double y = toRight ? at.y() + gap + metrics.ascent() : at.y() - gap;
    if (y > plot.bottom() - 2)
        y = at.y() - gap;
    if (y - metrics.ascent() < plot.top())
        y = at.y() + gap + metrics.ascent();
    painter.drawText(QPointF(x, y), text);
}

void paintTitles(QPainter& painter, const ChartFrame& frame, const ChartColours& colours,
                 const ChartTexts& texts)
{
    const QFontMetricsF metrics(painter.font());
    painter.setPen(colours.text);
    const QRectF& plot = frame.plot;
    const double priceWidth = metrics.horizontalAdvance(texts.priceAxis);
    painter.drawText(
        QPointF(plot.center().x() - priceWidth / 2, frame.area.bottom() - metrics.descent()),
        texts.priceAxis);
    const double profitWidth = metrics.horizontalAdvance(texts.profitAxis);
    painter.save();
    painter.translate(frame.area.left() + metrics.ascent(), plot.center().y() + profitWidth / 2);
    painter.rotate(-90);
    painter.drawText(QPointF(0, 0), texts.profitAxis);
    painter.restore();
}

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
    // Dashed as well as coloured: told from the curve in any theme and on grey paper. Short
    // gaps, so that the line reads as a line.
    const double y = std::round(frame.map(frame.fromPrice, curve.wantedProfit).y());
    QPen dashed(colours.wanted, 1);
    dashed.setDashPattern({9, 2});
    painter.setPen(dashed);
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

void paintLimits(QPainter& painter, const ChartFrame& frame, const ProfitCurve& curve,
                 const ChartColours& colours)
{
    painter.setRenderHint(QPainter::Antialiasing, true);
    painter.setPen(QPen(colours.text, 1));
    painter.setBrush(colours.background);
    for (const CurveLimit& limit : curve.limits) {
        const QPointF at = frame.map(limit.price, limit.profit);
        const double r = diamondRadius;
        painter.drawPolygon(QPolygonF{at + QPointF(0, -r), at + QPointF(r, 0), at + QPointF(0, r),
                                      at + QPointF(-r, 0)});
    }
}

void paintMarkers(QPainter& painter, const ChartFrame& frame, const ProfitCurve& curve,
                  std::optional<double> typedPrice, const ChartColours& colours,
                  const ChartTexts& texts, const QLocale& locale)
{
    painter.setRenderHint(QPainter::Antialiasing, true);
    painter.setPen(QPen(colours.text, 1.5));
    painter.setBrush(colours.curve);
    const QPointF minimum = frame.map(curve.minimumPrice, curve.minimumProfit);
    painter.drawEllipse(minimum, markerRadius, markerRadius);
    paintLabel(painter, frame.plot, minimum,
               texts.minimum + u' ' + moneyText(curve.minimumPrice, locale));
    if (!typedPrice || *typedPrice < frame.fromPrice || *typedPrice > frame.toPrice)
        return;
    const double profit = curve.profitAt(*typedPrice);
    if (!std::isfinite(profit))
        return;
    const QPointF typed = frame.map(*typedPrice, profit);
    painter.setPen(QPen(colours.typed, 2));
    painter.setBrush(Qt::NoBrush);
    painter.drawEllipse(typed, markerRadius + 2, markerRadius + 2);
    // The field opens on the minimum price, already labelled.
    if (std::abs(*typedPrice - curve.minimumPrice) < 0.005)
        return;
    painter.setPen(colours.text);
    paintLabel(painter, frame.plot, typed, texts.typed + u' ' + moneyText(*typedPrice, locale));
}

} // namespace

double contrastRatio(const QColor& a, const QColor& b)
{
    const double first = luminance(a);
    const double second = luminance(b);
    return (std::max(first, second) + 0.05) / (std::min(first, second) + 0.05);
}

double hueDistance(const QColor& a, const QColor& b)
{
    const int first = a.toHsv().hslHue();
    const int second = b.toHsv().hslHue();
    if (first < 0 || second < 0)
        return 180; // a grey has no hue to be confused by
    const int apart = std::abs(first - second) % 360;
    return std::min(apart, 360 - apart);
}

ChartColours ChartColours::from(const QPalette& palette)
{
    const QColor background = palette.color(QPalette::Base);
    const QColor text = palette.color(QPalette::WindowText);
    const auto seen = [&](const QColor& colour) { return legible(colour, background, text); };
    const QColor curve = seen(palette.color(QPalette::Highlight));
    QColor wanted = palette.color(QPalette::Link);
    // Many dark themes make the link and the selection nearly the same light blue: the wanted
    // line then takes the opposite hue, as light and as saturated.
    if (hueDistance(seen(wanted), curve) < minimumHueDistance &&
        contrastRatio(seen(wanted), curve) < 2) {
        const QColor hsl = wanted.toHsl();
        wanted = QColor::fromHsl((std::max(0, curve.hslHue()) + 180) % 360,
                                 std::max(hsl.hslSaturation(), 160), hsl.lightness());
    }
    return {background,
            text,
            curve,
            seen(wanted),
            seen(palette.color(QPalette::Mid)),
            seen(palette.color(QPalette::LinkVisited))};
}

void paintProfitChart(QPainter& painter, const ChartFrame& frame, const ProfitCurve& curve,
                      std::optional<double> typedPrice, const ChartColours& colours,
                      const ChartTexts& texts, const QLocale& locale)
{
    painter.save();
    painter.fillRect(frame.plot, colours.background);
    paintAxes(painter, frame, colours, locale);
    paintTitles(painter, frame, colours, texts);
    paintBoundaries(painter, frame, curve, colours, locale);
    paintSegments(painter, frame, curve, colours);
    paintLimits(painter, frame, curve, colours);
    paintMarkers(painter, frame, curve, typedPrice, colours, texts, locale);
    painter.restore();
}
