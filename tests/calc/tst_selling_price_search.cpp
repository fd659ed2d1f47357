#include "BracketPrice.h"
#include "GeneratedTrades.h"
#include "MakeSchedule.h"
#include "NumberText.h"
#include "SellingPriceSearch.h"

#include <QTest>

#include <algorithm>
#include <cmath>
#include <initializer_list>

Q_DECLARE_METATYPE(Schedule)
Q_DECLARE_METATYPE(Trade)
Q_DECLARE_METATYPE(CalcStatus)
Q_DECLARE_METATYPE(PriceRounding)

namespace {

Bracket fixedFee(double upper, double fee)
{
    return {upper, fee, false};
}

Bracket percentFee(double upper, double fee)
{
    return {upper, fee, true};
}

Trade percentTrade(double price, double shares, double percent)
{
    return {price, shares, percent, true};
}

Trade cashTrade(double price, double shares, double euros)
{
    return {price, shares, euros, false};
}

// The profit before tax that selling n shares at this price brings in, with the sale fee the
// schedule charges at that amount.
double grossProfitAt(const Schedule& schedule, double shares, double costPrice, double price)
{
    const TradeAmount amount{shares, price};
    return amount.value() - *Calcul_Frais(schedule, amount, Lookup::Open) - shares * costPrice;
}

} // namespace

class SellingPriceSearchTest : public QObject
{
    Q_OBJECT

private slots:
    void results_data();
    void results();
    void everyPriceIsCostedAtItsCent_data();
    void everyPriceIsCostedAtItsCent();
    void overLimit_data();
    void overLimit();
    void refusals_data();
    void refusals();
    void acceptedLimitsOfTheInputs_data();
    void acceptedLimitsOfTheInputs();
    void generatedTradesKeepTheirPromise();
};

void SellingPriceSearchTest::results_data()
{
    QTest::addColumn<Schedule>("schedule");
    QTest::addColumn<Trade>("trade");
    QTest::addColumn<double>("taxRate");
    QTest::addColumn<double>("purchaseFee");
    QTest::addColumn<double>("costPrice");
    QTest::addColumn<double>("price");
    QTest::addColumn<double>("saleFee");
    QTest::addColumn<double>("profitBeforeTax");
    QTest::addColumn<double>("profitAfterTax");
    QTest::addColumn<bool>("inexact");
    QTest::addColumn<double>("nextCentPrice");
    QTest::addColumn<double>("nextCentProfitAfterTax");

    const Schedule flatTen = makeSchedule({fixedFee(openBound, 10)});
    const Schedule dropAtThousand = makeSchedule({percentFee(1000, 1), fixedFee(openBound, 5)});

    QTest::newRow("fixed fee, percentage profit")
        << flatTen << percentTrade(10, 100, 10) << 26.0 << 10.0 << 10.10 << 11.56 << 10.0 << 136.49
        << 101.00 << false << 0.0 << 0.0;
    QTest::newRow("fixed fee, cash profit")
        << flatTen << cashTrade(10, 100, 100) << 26.0 << 10.0 << 10.10 << 11.55 << 10.0 << 135.14
        << 100.00 << false << 0.0 << 0.0;
    QTest::newRow("fee drops at the boundary, price held on it")
        << dropAtThousand << cashTrade(9.60, 100, 19) << 10.0 << 9.60 << 9.70 << 10.00 << 10.0
        << 20.00 << 18.00 << true << 10.01 << 23.40;
    // Held on the boundary between the two brackets, not on the open bound of the second.
    QTest::newRow("fee drops at the boundary, a high tax rate")
        << dropAtThousand << cashTrade(9.60, 100, 11) << 50.0 << 9.60 << 9.70 << 10.00 << 10.0
        << 20.00 << 10.00 << true << 10.01 << 13.00;
    QTest::newRow("one percentage bracket")
        << makeSchedule({percentFee(openBound, 0.5)}) << percentTrade(20, 50, 10) << 10.0 << 5.0
        << 20.10 << 22.45 << 5.6125 << 111.67 << 100.50 << false << 0.0 << 0.0;
    QTest::newRow("percentage fee under the minimum")
        << makeSchedule({percentFee(openBound, 0.5)}, 10) << percentTrade(20, 50, 10) << 10.0
        << 10.0 << 20.20 << 22.64 << 10.0 << 112.22 << 101.00 << false << 0.0 << 0.0;
    QTest::newRow("percentage fee over the maximum, cash profit")
        << makeSchedule({percentFee(openBound, 2)}, 0, 15) << cashTrade(100, 50, 500) << 20.0
        << 15.0 << 100.30 << 113.10 << 15.0 << 625.00 << 500.00 << false << 0.0 << 0.0;
    const Schedule bothLimits =
        makeSchedule({percentFee(2000, 1), percentFee(openBound, 0.8)}, 8, 20);
    QTest::newRow("minimum and maximum, the minimum applies")
        << bothLimits << percentTrade(5, 100, 20) << 26.0 << 8.0 << 5.08 << 6.53 << 8.0 << 137.30
        << 101.60 << false << 0.0 << 0.0;
    QTest::newRow("minimum and maximum, the maximum applies")
        << bothLimits << percentTrade(50, 100, 10) << 10.0 << 20.0 << 50.20 << 55.98 << 20.0
        << 557.78 << 502.00 << false << 0.0 << 0.0;
    QTest::newRow("cheaper first bracket holds the price")
        << makeSchedule({fixedFee(1000, 5), fixedFee(openBound, 10)}) << cashTrade(9, 100, 60)
        << 0.0 << 5.0 << 9.05 << 9.70 << 5.0 << 60.0 << 60.0 << false << 0.0 << 0.0;
    // 1,000 belongs to the first bracket: taken as the second, the search would swing back.
    QTest::newRow("sale amount exactly on an upper bound")
        << makeSchedule({fixedFee(1000, 5), fixedFee(openBound, 4)}) << cashTrade(9.3, 100, 60)
        << 0.0 << 5.0 << 9.35 << 10.00 << 5.0 << 60.0 << 60.0 << false << 0.0 << 0.0;
    QTest::newRow("purchase amount exactly on an upper bound")
        << makeSchedule({fixedFee(1000, 5), fixedFee(openBound, 8)}) << cashTrade(10, 100, 100)
        << 0.0 << 5.0 << 10.05 << 11.13 << 8.0 << 100.0 << 100.0 << false << 0.0 << 0.0;
    QTest::newRow("first bracket holds the price below a dearer one")
        << makeSchedule({fixedFee(1150, 40), fixedFee(1250, 160), fixedFee(openBound, 20)})
        << cashTrade(9.60, 100, 100) << 0.0 << 40.0 << 10.00 << 11.40 << 40.0 << 100.0 << 100.0
        << false << 0.0 << 0.0;
    // Only bracket 3 reaches the target, so the price is held on its lower boundary, and one
    // cent more is costed in bracket 3, not in the dear bracket 2.
    QTest::newRow("price held under the third bracket")
        << makeSchedule({percentFee(1000, 5), fixedFee(1010, 100), fixedFee(openBound, 0)})
        << cashTrade(9, 100, 30) << 0.0 << 45.0 << 9.45 << 10.10 << 100.0 << -35.0 << -35.0 << true
        << 10.11 << 66.00;
    QTest::newRow("three brackets fall short, the fourth holds the price")
        << makeSchedule({fixedFee(1030, 40), fixedFee(1060, 70), fixedFee(1090, 100),
                         fixedFee(1120, 105), fixedFee(openBound, 200)})
        << cashTrade(9.60, 100, 10) << 0.0 << 40.0 << 10.00 << 11.15 << 105.0 << 10.0 << 10.0
        << false << 0.0 << 0.0;
    // 4 × 187.56 = 750.24, C = 188.81, G = 31.2 % of 755.24 = 235.63488: the first bracket's
    // own price, (5 + 235.63488 + 755.24) / 4 = 248.97, sells 995.87, inside it.
    QTest::newRow("step schedule, the lower bracket's price is the lowest")
        << makeSchedule({fixedFee(1000, 5), fixedFee(openBound, 10)})
        << percentTrade(187.56, 4, 31.2) << 0.0 << 5.0 << 188.81 << 248.97 << 5.0 << 235.63
        << 235.63 << false << 0.0 << 0.0;
    // C = 920 / 6 = 153.33, the outlay 919.98. 6 × 166.66 = 999.96 still pays 20;
    // 6 × 166.67 = 1,000.02 pays 5: 1,000.02 - 5 - 919.98 = 75.04.
    QTest::newRow("boundary not on a cent")
        << makeSchedule({fixedFee(1000, 20), fixedFee(openBound, 5)}) << cashTrade(150, 6, 70)
        << 0.0 << 20.0 << 153.33 << 166.66 << 20.0 << 59.98 << 59.98 << true << 166.67 << 75.04;
    // Above 1,000 the 0.5 % (5.005 at 1,001) is raised to the minimum of 10:
    // (1,001 - 10 - 980) × 0.9 = 9.90.
    QTest::newRow("one cent more pays the minimum")
        << makeSchedule({fixedFee(1000, 20), percentFee(openBound, 0.5)}, 10)
        << cashTrade(9.60, 100, 5) << 10.0 << 20.0 << 9.80 << 10.00 << 20.0 << 0.0 << 0.0 << true
        << 10.01 << 9.90;
}

void SellingPriceSearchTest::results()
{
    QFETCH(Schedule, schedule);
    QFETCH(Trade, trade);
    QFETCH(double, taxRate);

    const CalcOutcome outcome = findSellingPrice(schedule, trade, taxRate);
    QCOMPARE(outcome.status, CalcStatus::Done);
    const SellingPrice& result = outcome.result;
    QTEST(result.purchaseFee, "purchaseFee");
    QTEST(result.costPrice, "costPrice");
    QTEST(result.price, "price");
    QTEST(result.saleFee, "saleFee");
    QTEST(result.profitBeforeTax, "profitBeforeTax");
    QTEST(result.profitAfterTax, "profitAfterTax");
    QTEST(result.inexact, "inexact");
    if (result.inexact) {
        QTEST(result.nextCentPrice, "nextCentPrice");
        QTEST(result.nextCentProfitAfterTax, "nextCentProfitAfterTax");
    }
}

void SellingPriceSearchTest::everyPriceIsCostedAtItsCent_data()
{
    QTest::addColumn<Schedule>("schedule");
    QTest::addColumn<Trade>("trade");
    QTest::addColumn<double>("taxRate");
    QTest::addColumn<PriceRounding>("rounding");
    QTest::addColumn<double>("purchaseFee");
    QTest::addColumn<double>("price");
    QTest::addColumn<double>("saleFee");
    QTest::addColumn<double>("profitBeforeTax");
    QTest::addColumn<double>("profitAfterTax");

    const auto nearest = PriceRounding::Nearest;
    const auto up = PriceRounding::Up;
    const Schedule flatTen = makeSchedule({fixedFee(openBound, 10)});
    // C = 9.20. Solved in the second bracket, 10.004 rounds to 10.00, which sells 1,000 in the
    // first: 10.01 is the first cent to bring 75.40 in, 1,001 - 5 - 920 = 76.
    QTest::newRow("rounded down into a dearer bracket")
        << makeSchedule({fixedFee(1000, 20), fixedFee(openBound, 5)}) << cashTrade(9, 100, 75.40)
        << 0.0 << nearest << 20.0 << 10.01 << 5.0 << 76.0 << 76.0;
    // C = 9.05. Solved in the first bracket, 9.9996 rounds to 10.00, which sells 1,000 in the
    // second at 20: from 9.99 no cent of the first brings 89.96 in, 10.15 is the first of the
    // second, 1,015 - 20 - 905 = 90.
    QTest::newRow("rounded up into a dearer bracket")
        << makeSchedule({fixedFee(999.99, 5), fixedFee(openBound, 20)}) << cashTrade(9, 100, 89.96)
        << 0.0 << nearest << 5.0 << 10.15 << 20.0 << 90.0 << 90.0;
    // 625 × 1.12 is 700.00, in the first bracket: C = 705 / 625 = 1.13, sold at
    // (9 + 50 + 706.25) / 625 = 1.2244 in the second.
    QTest::newRow("purchase amount on a boundary in decimals")
        << makeSchedule({fixedFee(700, 5), fixedFee(openBound, 9)}) << cashTrade(1.12, 625, 50)
        << 0.0 << nearest << 5.0 << 1.22 << 9.0 << 50.0 << 50.0;
    // 1,250 × 0.56 is 700.00 too: C = 705 / 1,250 = 0.564, rounded 0.56.
    QTest::newRow("another purchase amount on a boundary in decimals")
        << makeSchedule({fixedFee(700, 5), fixedFee(openBound, 9)}) << cashTrade(0.56, 1250, 70)
        << 0.0 << nearest << 5.0 << 0.62 << 9.0 << 70.0 << 70.0;
    // C = 645 / 625 = 1.03 (outlay 643.75); 45 wanted falls in the drop at 700, and 1.12 sells
    // 700.00, the highest cent still costed in the first bracket: 700 - 20 - 643.75 = 36.25.
    QTest::newRow("boundary price in decimals")
        << makeSchedule({fixedFee(700, 20), fixedFee(openBound, 5)}) << cashTrade(1, 625, 45) << 0.0
        << nearest << 20.0 << 1.12 << 20.0 << 36.25 << 36.25;
    // C = 3.86 (outlay 27.02): the first bracket's price sells exactly 1,000, inside it, but its
    // nearest cent, 142.86, sells 1,000.02 in the second, where it brings 1,000.02 - 5 - 27.02.
    const Schedule dropAtThousand = makeSchedule({fixedFee(1000, 20), fixedFee(openBound, 5)});
    QTest::newRow("price solved onto a boundary, rounded over it")
        << dropAtThousand << cashTrade(1, 7, 952.98) << 0.0 << nearest << 20.0 << 142.86 << 5.0
        << 968.0 << 968.0;
    // The second bracket's price sells exactly 1,000, which the first bracket holds: held under
    // the boundary, 7 × 142.85 = 999.95 - 20 - 27.02.
    QTest::newRow("price solved onto a boundary from above")
        << dropAtThousand << cashTrade(1, 7, 967.98) << 0.0 << up << 20.0 << 142.85 << 20.0
        << 952.93 << 952.93;
    QTest::newRow("worked example rounded up") << flatTen << percentTrade(10, 100, 10) << 26.0 << up
                                               << 10.0 << 11.57 << 10.0 << 137.0 << 101.38;
    // G = 100 / 0.74 = 135.14: 11.55 brings 135 in, 11.56 brings 136.
    QTest::newRow("cash example rounded up") << flatTen << cashTrade(10, 100, 100) << 26.0 << up
                                             << 10.0 << 11.56 << 10.0 << 136.0 << 100.64;
    QTest::newRow("rounding up keeps a price held on a boundary")
        << makeSchedule({percentFee(1000, 1), fixedFee(openBound, 5)}) << cashTrade(9.60, 100, 19)
        << 10.0 << up << 9.60 << 10.00 << 10.0 << 20.0 << 18.0;
}

void SellingPriceSearchTest::everyPriceIsCostedAtItsCent()
{
    QFETCH(Schedule, schedule);
    QFETCH(Trade, trade);
    QFETCH(double, taxRate);
    QFETCH(PriceRounding, rounding);

    const CalcOutcome outcome = findSellingPrice(schedule, trade, taxRate, rounding);
    QCOMPARE(outcome.status, CalcStatus::Done);
    QTEST(outcome.result.purchaseFee, "purchaseFee");
    QTEST(outcome.result.price, "price");
    QTEST(outcome.result.saleFee, "saleFee");
    QTEST(outcome.result.profitBeforeTax, "profitBeforeTax");
    QTEST(outcome.result.profitAfterTax, "profitAfterTax");
}

void SellingPriceSearchTest::overLimit_data()
{
    QTest::addColumn<Trade>("trade");
    QTest::addColumn<CalcStatus>("status");
    QTest::addColumn<double>("costPrice");

    QTest::newRow("purchase of 100,000,000")
        << percentTrade(1000000, 100, 10) << CalcStatus::PurchaseOverLimit << 0.0;
    QTest::newRow("purchase of 90,000,000 sold at 20 % more")
        << percentTrade(900000, 100, 20) << CalcStatus::SaleOverLimit << 900000.10;
    // 99,999,989 plus a fee of 10 is within the limit, but the sale must also pay its own fee.
    QTest::newRow("purchase just under the limit, the sale fee takes it over")
        << percentTrade(999999.89, 100, 0) << CalcStatus::SaleOverLimit << 999999.99;
}

void SellingPriceSearchTest::overLimit()
{
    QFETCH(Trade, trade);
    QFETCH(CalcStatus, status);

    const CalcOutcome outcome =
        findSellingPrice(makeSchedule({fixedFee(openBound, 10)}), trade, 26.0);
    QCOMPARE(outcome.status, status);
    // The cost price is known, and shown, before the search finds the sale over the limit.
    QTEST(outcome.result.costPrice, "costPrice");
}

void SellingPriceSearchTest::refusals_data()
{
    QTest::addColumn<Schedule>("schedule");
    QTest::addColumn<Trade>("trade");
    QTest::addColumn<double>("taxRate");
    QTest::addColumn<CalcStatus>("status");
    QTest::addColumn<int>("bracketNumber");

    const Schedule flatTen = makeSchedule({fixedFee(openBound, 10)});
    const Trade trade = percentTrade(10, 100, 10);
    QTest::newRow("tax rate of 100")
        << flatTen << trade << 100.0 << CalcStatus::TaxRateInvalid << 0;
    QTest::newRow("tax rate of 150")
        << flatTen << trade << 150.0 << CalcStatus::TaxRateInvalid << 0;
    QTest::newRow("tax rate refused before a purchase over the limit")
        << flatTen << percentTrade(1000000, 100, 10) << 100.0 << CalcStatus::TaxRateInvalid << 0;
    QTest::newRow("percentage fee of 100 in the only bracket")
        << makeSchedule({percentFee(openBound, 100)}) << trade << 26.0
        << CalcStatus::PercentageFeeInvalid << 1;
    // The search would never reach the third bracket for this trade: refused all the same.
    QTest::newRow("percentage fee of 250 in the third bracket")
        << makeSchedule({fixedFee(2000, 10), percentFee(5000, 1), percentFee(openBound, 250)})
        << trade << 26.0 << CalcStatus::PercentageFeeInvalid << 3;
    QTest::newRow("percentage fee refused before a purchase over the limit")
        << makeSchedule({percentFee(openBound, 100)}) << percentTrade(1000000, 100, 10) << 26.0
        << CalcStatus::PercentageFeeInvalid << 1;
    QTest::newRow("first of two refused brackets is named")
        << makeSchedule({fixedFee(1000, 10), percentFee(2000, 120), percentFee(openBound, 100)})
        << trade << 26.0 << CalcStatus::PercentageFeeInvalid << 2;
    // Values no field can hold, but a settings file edited by hand can bring: no label may then
    // show "nan", "inf" or a negative price or fee.
    const Trade one = cashTrade(10, 1, 0);
    QTest::newRow("undefined fixed fee") << makeSchedule({fixedFee(openBound, std::nan(""))}) << one
                                         << 0.0 << CalcStatus::PriceInvalid << 0;
    QTest::newRow("minus infinite percentage fee")
        << makeSchedule({percentFee(openBound, -HUGE_VAL)}) << one << 0.0
        << CalcStatus::PriceInvalid << 0;
    // The last of five brackets takes any amount, but the program takes none above the limit:
    // C = 999,999.99 and the sale must bring in 99,999,999 plus its fee of 10.
    QTest::newRow("price found above the limit in the fifth bracket")
        << makeSchedule({fixedFee(10, 1), fixedFee(20, 1), fixedFee(30, 1), fixedFee(40, 1),
                         fixedFee(openBound, 10)})
        << percentTrade(999999.89, 100, 0) << 0.0 << CalcStatus::SaleOverLimit << 0;
    QTest::newRow("negative maximum makes a negative fee")
        << makeSchedule({fixedFee(openBound, 10)}, 0, -5) << cashTrade(1, 1, 100) << 26.0
        << CalcStatus::PriceInvalid << 0;
}

void SellingPriceSearchTest::refusals()
{
    QFETCH(Schedule, schedule);
    QFETCH(Trade, trade);
    QFETCH(double, taxRate);

    const CalcOutcome outcome = findSellingPrice(schedule, trade, taxRate);
    QTEST(outcome.status, "status");
    QTEST(outcome.bracketNumber, "bracketNumber");
    QVERIFY(!outcome.ok());
}

void SellingPriceSearchTest::acceptedLimitsOfTheInputs_data()
{
    QTest::addColumn<Schedule>("schedule");
    QTest::addColumn<double>("taxRate");
    QTest::addColumn<double>("price");

    // 10 × 100 shares, 10 % wanted. With a rate of 99.5 only 0.5 % of a profit is kept:
    // G = 101 / 0.005 = 20,200, p = (10 + 20,200 + 1,010) / 100.
    QTest::newRow("tax rate of 99.5") << makeSchedule({fixedFee(openBound, 10)}) << 99.5 << 212.20;
    // A fixed fee is a sum of money: 150 euros is no percentage. C = 11.50,
    // G = 115 / 0.74, p = (150 + 155.405... + 1,150) / 100.
    QTest::newRow("fixed fee of 150") << makeSchedule({fixedFee(openBound, 150)}) << 26.0 << 14.55;
    // 99 % of the sale goes in fees: A = 1,000, fA = 990, C = 19.90, G = 199 / 0.74,
    // p = ((1,990 + 268.918...) / 0.01) / 100.
    QTest::newRow("percentage fee of 99")
        << makeSchedule({percentFee(openBound, 99)}) << 26.0 << 2258.92;
}

void SellingPriceSearchTest::acceptedLimitsOfTheInputs()
{
    QFETCH(Schedule, schedule);
    QFETCH(double, taxRate);

    const CalcOutcome outcome = findSellingPrice(schedule, percentTrade(10, 100, 10), taxRate);
    QCOMPARE(outcome.status, CalcStatus::Done);
    QTEST(outcome.result.price, "price");
}

// Schedules and trades of every shape the fee page allows: whenever the search settles in a
// bracket, its price gives the gross profit exactly; whenever it holds the price on a
// boundary, that price falls short and one cent more reaches the gross profit; and no lower
// cent ever reaches it.
void SellingPriceSearchTest::generatedTradesKeepTheirPromise()
{
    TradeGenerator generator(20240611);
    int exact = 0;
    int inexact = 0;
    int scanned = 0;
    for (int run = 0; run < 4000; ++run) {
        const GeneratedTrade generated = generator.next();
        const Schedule& schedule = generated.schedule;
        const Trade& trade = generated.trade;
        const double taxRate = generated.taxRate;
        for (const PriceRounding rounding : {PriceRounding::Nearest, PriceRounding::Up}) {
            const CalcOutcome outcome = findSellingPrice(schedule, trade, taxRate, rounding);
            const QByteArray where = QByteArray("run ") + QByteArray::number(run) +
                                     (rounding == PriceRounding::Up ? " rounded up" : "");
            QVERIFY2(outcome.status == CalcStatus::Done, where);
            const SellingPrice& result = outcome.result;
            const double G = result.grossProfit;
            const auto profitAt = [&](double price) {
                return grossProfitAt(schedule, trade.shares, result.costPrice, price);
            };
            if (!result.inexact) {
                ++exact;
                QVERIFY2(std::fabs(profitAt(result.unroundedPrice) - G) < 1e-5, where);
                // The nearest cent is kept where its sale stays in the bracket the price was
                // found in and rounding up is not asked; any other price brings the profit in.
                const double nearest = roundCents(result.unroundedPrice);
                const bool crossed = openBracket(schedule, TradeAmount{trade.shares, nearest}) !=
                                     solvedBracket(schedule, trade.shares * result.unroundedPrice);
                if (rounding == PriceRounding::Nearest && !crossed)
                    QCOMPARE(result.price, nearest);
                else
                    QVERIFY2(profitAt(result.price) > G - 1e-5, where);
            } else {
                ++inexact;
                QVERIFY2(profitAt(result.price) < G, where);
                QVERIFY2(profitAt(result.nextCentPrice) > G - 1e-5, where);
            }
            // Below the cost price every sale loses money, so the cents from there up to the
            // price shown are all the lower prices there are; none of them may reach the wanted
            // profit.
            const int lowest = int(std::floor(result.costPrice * 100));
            const int shown = int(std::lround(result.price * 100));
            if (shown - lowest > 3000)
                continue;
            ++scanned;
            for (int cent = lowest; cent < shown; ++cent)
                QVERIFY2(profitAt(cent / 100.0) < G, where + " at " + QByteArray::number(cent));
        }
    }
    // The generator must exercise both endings, or the promise above says little.
    QVERIFY(exact > 1000);
    QVERIFY(inexact > 50);
    QVERIFY(scanned > 1000);
}

QTEST_GUILESS_MAIN(SellingPriceSearchTest)
#include "tst_selling_price_search.moc"
