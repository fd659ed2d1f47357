#include "CalculationDetails.h"
#include "GeneratedTrades.h"
#include "MakeSchedule.h"
#include "MovementList.h"
#include "NumberText.h"
#include "PositionSale.h"
#include "SellingPriceSearch.h"

#include <QTest>

#include <cmath>

Q_DECLARE_METATYPE(Schedule)

namespace {

// What selling n shares at a price really brings in over their cost, with the fee and the sale
// tax, worked out here apart from the search.
double profitAt(const Schedule& schedule, double shares, double cost, double price, double rate,
                double cap)
{
    const double amount = shares * price;
    const double fee = *Calcul_Frais(schedule, TradeAmount{shares, price}, Lookup::Open);
    return amount - fee - std::min(amount * rate / 100, cap) - cost;
}

} // namespace

class PositionSaleTest : public QObject
{
    Q_OBJECT

private slots:
    void findsTheLowestPrice_data();
    void findsTheLowestPrice();
    void oneSchedulePurchaseIsTheMainWindow();
    void detailsOfHeldShares();
};

void PositionSaleTest::findsTheLowestPrice_data()
{
    QTest::addColumn<QString>("movements");
    QTest::addColumn<Schedule>("schedule");
    QTest::addColumn<QString>("saleRate");
    QTest::addColumn<QString>("saleCap");
    QTest::addColumn<qint64>("shares");
    QTest::addColumn<double>("wanted");
    QTest::addColumn<bool>("percentMode");
    QTest::addColumn<double>("price");
    QTest::addColumn<double>("saleTax");
    QTest::addColumn<bool>("inexact");

    const Schedule tenEuros = makeSchedule({{openBound, 10, false}});
    // 50 of 100 shares at 100: 10 % of 5,000 is 500, so 50p − 10 − 0.35 % of 50p must reach
    // 5,510: p = 110.587…, the first cent is 110.59 with a tax of 19.35.
    QTest::newRow("half the shares, a sale tax")
        << "2026-01-05 buy 100 100 0 0" << tenEuros << "0.35"
        << "1600" << qint64(50) << 10.0 << true << 110.59 << 19.35 << false;
    // 10,000 shares at 100: 0.35 % of 1.1 million is over the cap, so the tax is 1,600 and
    // p = (1,000,000 + 100,000 + 10 + 1,600) / 10,000 = 110.161, up to 110.17.
    QTest::newRow("the sale tax capped")
        << "2026-01-05 buy 10000 100 0 0" << tenEuros << "0.35"
        << "1600" << qint64(10000) << 10.0 << true << 110.17 << 1600.0 << false;
    // Bought in two lots, 300 for 3,300 and 100 for 1,500 with fees of 4 and 2: 4,806 for 400,
    // 12.015 rounded to 12.02 a share; 100 sold for 50 euros more: (1,202 + 50 + 10) / 100.
    QTest::newRow("part of two lots, in euros")
        << "2026-01-05 buy 300 11 4 0; 2026-02-05 buy 100 15 2 0" << tenEuros << ""
        << "" << qint64(100) << 50.0 << false << 12.62 << 0.0 << false;
    // 4,010 for 100 shares; 980 euros more is 50.40 with the fee of 50 below 5,000 and 50.00
    // with the fee of 10 above it: the price is held at 50.00, under the boundary.
    QTest::newRow("a fee jump") << "2026-01-05 buy 100 40 10 0"
                                << makeSchedule({{5000, 50, false}, {openBound, 10, false}}) << ""
                                << "" << qint64(100) << 980.0 << false << 50.0 << 0.0 << true;
}

void PositionSaleTest::findsTheLowestPrice()
{
    QFETCH(QString, movements);
    QFETCH(Schedule, schedule);
    QFETCH(QString, saleRate);
    QFETCH(QString, saleCap);
    QFETCH(qint64, shares);
    QFETCH(double, wanted);
    QFETCH(bool, percentMode);
    QFETCH(double, price);
    QFETCH(double, saleTax);
    QFETCH(bool, inexact);

    Position position;
    position.movements = movementList(movements);
    position.saleTaxRate = saleRate;
    position.saleTaxCap = saleCap;
    const PositionSaleRequest request{schedule, shares, wanted, percentMode, 0, PriceRounding::Up};
    const std::optional<CalcOutcome> outcome = sellingPriceOf(position, request);
    QVERIFY(outcome);
    QVERIFY(outcome->ok());
    QCOMPARE(outcome->result.price, price);
    QCOMPARE(roundCents(outcome->result.saleTax), saleTax);
    QCOMPARE(outcome->result.inexact, inexact);
    if (inexact)
        return;

    const Holding holding = replay(position.movements).holding;
    const double cost = double(shares) * holding.costPrice();
    const double wantedEuros = percentMode ? cost * wanted / 100 : wanted;
    const double rate = saleRate.isEmpty() ? 0 : saleRate.toDouble();
    const double cap = saleCap.isEmpty() ? openBound : saleCap.toDouble();
    const double n = double(shares);
    QVERIFY(profitAt(schedule, n, cost, price, rate, cap) >= wantedEuros - 1e-6);
    QVERIFY(profitAt(schedule, n, cost, price - 0.01, rate, cap) < wantedEuros);
}

void PositionSaleTest::oneSchedulePurchaseIsTheMainWindow()
{
    // The trades the command line's agreement with the window is checked over.
    TradeGenerator generator(20240611);
    for (int i = 0; i < 3000; ++i) {
        const GeneratedTrade generated = generator.next();
        const Trade& trade = generated.trade;
        const CalcOutcome alone = findSellingPrice(generated.schedule, trade, generated.taxRate);
        if (!alone.ok())
            continue;
        Movement purchase;
        purchase.date = QDate(2026, 1, 5);
        purchase.shares = qint64(trade.shares);
        purchase.price = *Money::parse(QString::number(trade.purchasePrice, 'f', 2));
        purchase.fee = Money::fromUnits(std::llround(alone.result.purchaseFee * 1e6));
        Position position;
        position.movements = {purchase};
        const PositionSaleRequest request{generated.schedule, std::nullopt,
                                          trade.wantedProfit, trade.percentMode,
                                          generated.taxRate,  PriceRounding::Nearest};
        const std::optional<CalcOutcome> outcome = sellingPriceOf(position, request);
        const QByteArray row = QByteArray::number(i);
        QVERIFY2(outcome && outcome->ok(), row);
        const SellingPrice& mine = outcome->result;
        const SellingPrice& main = alone.result;
        QVERIFY2(mine.costPrice == main.costPrice, row);
        QVERIFY2(mine.price == main.price, row);
        QVERIFY2(mine.saleFee == main.saleFee, row);
        QVERIFY2(mine.profitBeforeTax == main.profitBeforeTax, row);
        QVERIFY2(mine.profitAfterTax == main.profitAfterTax, row);
        QVERIFY2(mine.inexact == main.inexact, row);
        QVERIFY2(mine.nextCentProfitAfterTax == main.nextCentProfitAfterTax, row);
    }
}

void PositionSaleTest::detailsOfHeldShares()
{
    // Shares held at the main window's cost price are worked out as the main window's trade.
    TradeGenerator generator(20240611);
    for (int i = 0; i < 400; ++i) {
        const GeneratedTrade generated = generator.next();
        const CalculationInput main{generated.schedule, generated.trade, generated.taxRate,
                                    PriceRounding::Nearest};
        const std::optional<CalculationDetails> alone = explainCalculation(main);
        if (!alone)
            continue;
        CalculationInput held = main;
        held.held = SharesSale{generated.trade.shares,
                               alone->result.costPrice,
                               generated.trade.wantedProfit,
                               generated.trade.percentMode,
                               {}};
        const std::optional<CalculationDetails> mine = explainCalculation(held);
        const QByteArray row = QByteArray::number(i);
        QVERIFY2(mine, row);
        QVERIFY2(mine->sale.price == alone->sale.price, row);
        QVERIFY2(mine->sale.profitAfterTax == alone->sale.profitAfterTax, row);
        QVERIFY2(mine->lowest.sale.price == alone->lowest.sale.price, row);
        QVERIFY2(mine->breakEven.sale.price == alone->breakEven.sale.price, row);
        QVERIFY2(mine->ladder.size() == alone->ladder.size(), row);
        for (qsizetype j = 0; j < mine->ladder.size(); ++j)
            QVERIFY2(mine->ladder[j].target.sale.price == alone->ladder[j].target.sale.price, row);
    }

    // 50 shares at 100 with a fee of 10 and 0.35 % of the sale: 10 % more is 110.59 (see
    // above), with a tax of 19.35; break-even is 5,010 / (50 × 0.9965) = 100.5519…, so 100.56.
    CalculationInput taxed;
    taxed.schedule = makeSchedule({{openBound, 10, false}});
    taxed.held = SharesSale{50, 100, 10, true, TransactionTax{0.35, 1600}};
    taxed.trade = Trade{100, 50, 10, true};
    taxed.rounding = PriceRounding::Up;
    const std::optional<CalculationDetails> details = explainCalculation(taxed);
    QVERIFY(details);
    QCOMPARE(details->sale.price, 110.59);
    QCOMPARE(roundCents(details->sale.saleTax), 19.35);
    QVERIFY(details->sale.reachesWanted);
    QCOMPARE(details->breakEven.sale.price, 100.56);
    QVERIFY(details->breakEven.sale.profitBeforeTax >= 0);
}

QTEST_GUILESS_MAIN(PositionSaleTest)
#include "tst_position_sale.moc"
