#pragma once

#include "ChartPainting.h"
#include "ProfitCurve.h"

#include <QWidget>

#include <optional>

// The profit after tax against the selling price of one calculation, drawn exactly, with the
// price typed beside it marked; the pointer reads a price and its profit off the curve.
class ProfitChart : public QWidget
{
    Q_OBJECT

public:
    explicit ProfitChart(QWidget* parent = nullptr);

    void setCurve(const ProfitCurve& curve, const QString& description);
    void setTypedPrice(std::optional<double> price);
    void setTexts(const ChartTexts& texts);

    // Where a price and a profit are drawn at the widget's present size.
    QPointF pointOf(double price, double profit) const;

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;

private:
    ChartFrame frame() const;

    std::optional<ProfitCurve> m_curve;
    std::optional<double> m_typedPrice;
    ChartTexts m_texts;
};
