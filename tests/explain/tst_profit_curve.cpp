#include "ChartPainting.h"
#include "MakeSchedule.h"
#include "ProfitChart.h"
#include "ProfitCurve.h"

#include <QApplication>
#include <QImage>
#include <QStyle>
#include <QTest>

#include <algorithm>
#include <cmath>

namespace {

// 1 % up to 1,000, then 5 euros: 100 shares at 9.60 (C = 9.70), 19 euros wanted at 10 %.
CalculationDetails feeDrop()
{
    return *explainCalculation(
        {makeSchedule({{1000, 1, true}, {openBound, 5, false}}), {9.60, 100, 19, false}, 10});
}

const CurveSegment* segmentEndingAt(const ProfitCurve& curve, double price)
{
    for (const CurveSegment& segment : curve.segments) {
        if (qFuzzyCompare(segment.toPrice, price))
            return &segment;
    }
    return nullptr;
}

const CurveSegment* segmentStartingAt(const ProfitCurve& curve, double price)
{
    for (const CurveSegment& segment : curve.segments) {
        if (qFuzzyCompare(segment.fromPrice, price))
            return &segment;
    }
    return nullptr;
}

double slope(const CurveSegment& segment)
{
    return (segment.toProfit - segment.fromProfit) / (segment.toPrice - segment.fromPrice);
}

int distance(QRgb a, QRgb b)
{
    return std::abs(qRed(a) - qRed(b)) + std::abs(qGreen(a) - qGreen(b)) +
           std::abs(qBlue(a) - qBlue(b));
}

QPalette darkPalette()
{
    QPalette palette;
    palette.setColor(QPalette::Window, QColor(0x30, 0x30, 0x30));
    palette.setColor(QPalette::Base, QColor(0x20, 0x20, 0x20));
    palette.setColor(QPalette::WindowText, QColor(0xe0, 0xe0, 0xe0));
    palette.setColor(QPalette::Highlight, QColor(0x3d, 0xae, 0xe9));
    palette.setColor(QPalette::Link, QColor(0xff, 0xc0, 0x40));
    palette.setColor(QPalette::Mid, QColor(0x70, 0x70, 0x70));
    palette.setColor(QPalette::LinkVisited, QColor(0xc0, 0x80, 0xff));
    return palette;
}

} // namespace

class ProfitCurveTest : public QObject
{
    Q_OBJECT

private slots:
    void init() { QLocale::setDefault(QLocale(QLocale::French, QLocale::France)); }
    void cleanup() { QLocale::setDefault(QLocale::c()); }

    void feeDropBreaksTheCurve();
    void minimumMakesAKink();
    void chartShowsTheWantedLineAndTheGap_data();
    void chartShowsTheWantedLineAndTheGap();
    void faintColoursAreMadeLegibleOnDark();
    void wantedLineDiffersFromTheCurveInHue_data();
    void wantedLineDiffersFromTheCurveInHue();
};

void ProfitCurveTest::feeDropBreaksTheCurve()
{
    const ProfitCurve curve = profitCurve(feeDrop());
    // From break-even (9.80) to past the boundary the minimum price is held under.
    QVERIFY(curve.fromPrice <= 9.80);
    QVERIFY(curve.toPrice > 10.00);
    const CurveSegment* below = segmentEndingAt(curve, 10.00);
    const CurveSegment* above = segmentStartingAt(curve, 10.00);
    QVERIFY(below && above);
    QCOMPARE(below->bracket, 0);
    QCOMPARE(above->bracket, 1);
    QVERIFY(above->opensOnBoundary);
    // (1,000 - 10 - 970) × 0.9 and (1,000 - 5 - 970) × 0.9: the fees' difference after tax.
    QCOMPARE(below->toProfit, 18.0);
    QCOMPARE(above->fromProfit, 22.5);
    QCOMPARE(curve.boundaries.size(), 1);
    QCOMPARE(curve.boundaries[0].profitAbove - curve.boundaries[0].profitBelow, (10 - 5) * 0.9);
    QCOMPARE(curve.wantedProfit, 19.0);
}

void ProfitCurveTest::minimumMakesAKink()
{
    // 0.5 % with a minimum of 10: the minimum applies up to a sale of 2,000, 20.00 a share.
    // 100 × 19 = 1,900 pays 10, C = 19.10; break-even 19.20, 10 % wanted: about 21.12.
    const ProfitCurve curve = profitCurve(
        *explainCalculation({makeSchedule({{openBound, 0.5, true}}, 10), {19, 100, 10, true}, 0}));
    const CurveSegment* flat = segmentEndingAt(curve, 20.00);
    const CurveSegment* proportional = segmentStartingAt(curve, 20.00);
    QVERIFY(flat && proportional);
    QCOMPARE(flat->toProfit, proportional->fromProfit);
    QVERIFY(curve.boundaries.isEmpty());
    QCOMPARE(slope(*flat), 100.0);        // every euro of the price, times 100 shares
    QCOMPARE(slope(*proportional), 99.5); // less the 0.5 %
}

void ProfitCurveTest::chartShowsTheWantedLineAndTheGap_data()
{
    QTest::addColumn<QPalette>("palette");
    QTest::newRow("light") << QApplication::palette();
    QTest::newRow("dark") << darkPalette();
}

void ProfitCurveTest::chartShowsTheWantedLineAndTheGap()
{
    QFETCH(QPalette, palette);
    ProfitChart chart;
    chart.setPalette(palette);
    chart.resize(400, 260);
    const ProfitCurve curve = profitCurve(feeDrop());
    chart.setCurve(curve, QString());
    chart.setTypedPrice(9.90);
    QImage image(chart.size(), QImage::Format_RGB32);
    chart.render(&image);

    const QRgb wanted = palette.color(QPalette::Link).rgb();
    const int row = qRound(chart.pointOf(10.00, 19.0).y());
    const int left = qRound(chart.pointOf(curve.fromPrice, 0).x());
    const int right = qRound(chart.pointOf(curve.toPrice, 0).x());
    int onLine = 0;
    for (int x = left; x < right; ++x)
        onLine += image.pixel(x, row) == wanted ? 1 : 0;
    QVERIFY2(onLine > (right - left) * 3 / 4, QByteArray::number(onLine));

    // Between the dot that ends the first bracket and the ring that starts the second, nothing
    // of the curve: every pixel is nearer the plot, the boundary or the wanted line.
    const QRgb curveColour = palette.color(QPalette::Highlight).rgb();
    const QList<QRgb> others{palette.color(QPalette::Base).rgb(),
                             palette.color(QPalette::Mid).rgb(), wanted};
    const QPointF top = chart.pointOf(10.00, 22.5);
    const QPointF bottom = chart.pointOf(10.00, 18.0);
    QVERIFY(bottom.y() - top.y() > 20);
    for (int x = qRound(top.x()) - 1; x <= qRound(top.x()) + 1; ++x) {
        for (int y = qRound(top.y()) + 8; y < qRound(bottom.y()) - 8; ++y) {
            const QRgb pixel = image.pixel(x, y);
            const int nearestOther =
                std::min({distance(pixel, others[0]), distance(pixel, others[1]),
                          distance(pixel, others[2])});
            QVERIFY2(distance(pixel, curveColour) > nearestOther,
                     QByteArray::number(x) + "," + QByteArray::number(y));
        }
    }
}

// A dark theme whose link colour is the default blue and whose mid tone is near the plot: on
// the chart the wanted line and the boundaries still stand out by 3:1.
void ProfitCurveTest::faintColoursAreMadeLegibleOnDark()
{
    QPalette palette = darkPalette();
    palette.setColor(QPalette::Link, QColor(0x00, 0x00, 0xff));
    palette.setColor(QPalette::Mid, QColor(0x38, 0x38, 0x38));
    QVERIFY(contrastRatio(palette.color(QPalette::Link), palette.color(QPalette::Base)) < 3);
    ProfitChart chart;
    chart.setPalette(palette);
    chart.resize(400, 260);
    const ProfitCurve curve = profitCurve(feeDrop());
    chart.setCurve(curve, QString());
    QImage image(chart.size(), QImage::Format_RGB32);
    chart.render(&image);

    const QColor plot = palette.color(QPalette::Base);
    const int row = qRound(chart.pointOf(10.00, 19.0).y());
    const int x = qRound(chart.pointOf(curve.fromPrice, 0).x()) + 60;
    QVERIFY(contrastRatio(QColor(image.pixel(x, row)), plot) >= 3);
    // The boundary at 10.00 is dashed: its strongest pixel below the curve's dots counts.
    const int boundary = qRound(chart.pointOf(10.00, 0).x());
    const int top = qRound(chart.pointOf(10.00, 16).y());
    const int bottom = qRound(chart.pointOf(10.00, curve.lowestProfit).y());
    QVERIFY(bottom - top > 10);
    double strongest = 1;
    for (int y = top; y < bottom; ++y)
        strongest = std::max(strongest, contrastRatio(QColor(image.pixel(boundary, y)), plot));
    QVERIFY2(strongest >= 3, QByteArray::number(strongest));
}

void ProfitCurveTest::wantedLineDiffersFromTheCurveInHue_data()
{
    QTest::addColumn<QPalette>("palette");
    QTest::addColumn<bool>("ownLink"); // the link's colour kept: it differs enough in lightness
    // A light theme: a dark blue line over a light blue curve.
    QPalette light = QApplication::style()->standardPalette();
    light.setColor(QPalette::Highlight, QColor(0x30, 0x8c, 0xc6));
    light.setColor(QPalette::Link, QColor(0x00, 0x00, 0xff));
    QTest::newRow("light, dark link over light selection") << light << true;
    // A dark theme whose selection and links are two light blues (Breeze Dark's).
    QPalette dark = darkPalette();
    dark.setColor(QPalette::Highlight, QColor(0x3d, 0xae, 0xe9));
    dark.setColor(QPalette::Link, QColor(0x29, 0x80, 0xb9));
    QTest::newRow("dark, link and selection both light blue") << dark << false;
    QTest::newRow("dark, amber link") << darkPalette() << true;
}

void ProfitCurveTest::wantedLineDiffersFromTheCurveInHue()
{
    QFETCH(QPalette, palette);
    QFETCH(bool, ownLink);
    const ChartColours colours = ChartColours::from(palette);
    const QColor plot = palette.color(QPalette::Base);
    QCOMPARE(colours.wanted.name() == palette.color(QPalette::Link).name(), ownLink);
    // Told apart by hue, or by a lightness of their own.
    QVERIFY2(hueDistance(colours.wanted, colours.curve) >= 60 ||
                 contrastRatio(colours.wanted, colours.curve) >= 2,
             qPrintable(colours.wanted.name() + u' ' + colours.curve.name()));
    QVERIFY(contrastRatio(colours.wanted, plot) >= 3);
    QVERIFY(contrastRatio(colours.curve, plot) >= 3);
}

QTEST_MAIN(ProfitCurveTest)
#include "tst_profit_curve.moc"
