#include "ProfitChart.h"

#include "MoneyText.h"

#include <QMouseEvent>
#include <QPainter>
#include <QToolTip>

#include <cmath>

ProfitChart::ProfitChart(QWidget* parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("profitChart"));
    setMouseTracking(true);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
}

void ProfitChart::setCurve(const ProfitCurve& curve, const QString& description)
{
    m_curve = curve;
    setAccessibleDescription(description);
    update();
}

void ProfitChart::setTypedPrice(std::optional<double> price)
{
    m_typedPrice = price;
    update();
}

void ProfitChart::setTexts(const ChartTexts& texts)
{
    m_texts = texts;
    update();
}

ChartFrame ProfitChart::frame() const
{
    return chartFrame(QRectF(rect()), *m_curve, QFontMetricsF(font()), QLocale());
}

QPointF ProfitChart::pointOf(double price, double profit) const
{
    return m_curve ? frame().map(price, profit) : QPointF();
}

QSize ProfitChart::sizeHint() const
{
    return {380, 240};
}

QSize ProfitChart::minimumSizeHint() const
{
    // Room for the axes' labels and a curve that still reads.
    return {300, 180};
}

void ProfitChart::paintEvent(QPaintEvent*)
{
    if (!m_curve)
        return;
    QPainter painter(this);
    paintProfitChart(painter, frame(), *m_curve, m_typedPrice, ChartColours::from(palette()),
                     m_texts, QLocale());
}

void ProfitChart::mouseMoveEvent(QMouseEvent* event)
{
    if (!m_curve)
        return;
    const ChartFrame chart = frame();
    const QPointF at = event->position();
    const double price = std::round(chart.priceAt(at.x()) * 100) / 100;
    const double profit = m_curve->profitAt(price);
    if (!chart.plot.contains(at) || !std::isfinite(profit)) {
        QToolTip::hideText();
        return;
    }
    const QLocale locale;
    QToolTip::showText(event->globalPosition().toPoint(),
                       moneyText(price, locale) + QStringLiteral(" → ") + moneyText(profit, locale),
                       this);
}
