#include "Holding.h"
#include "Money.h"
#include "MovementList.h"
#include "PositionSale.h"
#include "YearGains.h"

#include <QTest>

class PositionRulesTest : public QObject
{
    Q_OBJECT

private slots:
    void replaysByTheAverageCost_data();
    void replaysByTheAverageCost();
    void gainsOfAYear();
    void readsAndWritesMoney_data();
    void readsAndWritesMoney();
    void prefillsTheTaxes_data();
    void prefillsTheTaxes();
};

void PositionRulesTest::replaysByTheAverageCost_data()
{
    QTest::addColumn<QString>("movements");
    QTest::addColumn<qint64>("shares");
    QTest::addColumn<QString>("cost");      // of the shares left
    QTest::addColumn<double>("costPrice");  // per share, to the cent
    QTest::addColumn<QStringList>("gains"); // of each sale, in date order
    QTest::addColumn<bool>("oversold");

    // 100 × 100 + 200 × 110 + 200 × 120 = 56,000 for 500 shares: 112 each; 200 sold at 130
    // bring 26,000 for a cost of 22,400.
    const QString worked =
        "2026-01-05 buy 100 100 0 0; 2026-02-05 buy 200 110 0 0; 2026-03-05 buy 200 120 0 0";
    QTest::newRow("three purchases, no fees")
        << worked << qint64(500) << "56000" << 112.0 << QStringList{} << false;
    QTest::newRow("the worked sale") << worked + "; 2026-04-01 sell 200 130 0 0" << qint64(300)
                                     << "33600" << 112.0 << QStringList{"3600"} << false;
    // Fees 5, 8 and 9, the 0.4 % tax on 10,000, 22,000 and 24,000 (40, 88 and 96): a cost of
    // 56,246, 112.492 a share; 200 sold at 130 with a fee of 7 bring 25,993 for 22,498.4.
    QTest::newRow("fees and a purchase tax")
        << "2026-01-05 buy 100 100 5 40; 2026-02-05 buy 200 110 8 88; 2026-03-05 buy 200 120 9 "
           "96; 2026-04-01 sell 200 130 7 0"
        << qint64(300) << "33747.6" << 112.49 << QStringList{"3494.6"} << false;
    // The first purchase at 94: 55,400 for 500, 110.8 a share; the sale gains 26,000 − 22,160.
    QTest::newRow("an earlier purchase edited")
        << "2026-01-05 buy 100 94 0 0; 2026-02-05 buy 200 110 0 0; 2026-03-05 buy 200 120 0 0; "
           "2026-04-01 sell 200 130 0 0"
        << qint64(300) << "33240" << 110.8 << QStringList{"3840"} << false;
    QTest::newRow("entered out of date order")
        << "2026-04-01 sell 200 130 0 0; 2026-03-05 buy 200 120 0 0; 2026-01-05 buy 100 100 0 "
           "0; 2026-02-05 buy 200 110 0 0"
        << qint64(300) << "33600" << 112.0 << QStringList{"3600"} << false;
    // A purchase after a sale changes the average of what is left: 300 at 112 and 100 at 140.
    QTest::newRow("a purchase after a sale")
        << worked + "; 2026-04-01 sell 200 130 0 0; "
                    "2026-05-01 buy 100 140 0 0"
        << qint64(400) << "47600" << 119.0 << QStringList{"3600"} << false;
    QTest::newRow("a loss") << "2026-01-05 buy 10 50 2 0; 2026-02-05 sell 10 40 2 0" << qint64(0)
                            << "0" << 0.0 << QStringList{"-104"} << false;
    // Three shares for 10.00: a third of it cannot be written, so each sale takes its part to
    // the millionth and the last one what is left; the gains still add up to 12 − 10.
    QTest::newRow("sold out in thirds")
        << "2026-01-05 buy 3 3.33 0.01 0; 2026-02-05 sell 1 4 0 0; 2026-02-06 sell 1 4 0 0; "
           "2026-02-07 sell 1 4 0 0"
        << qint64(0) << "0" << 0.0 << QStringList{"0.666667", "0.666666", "0.666667"} << false;
    QTest::newRow("more sold than held") << "2026-01-05 buy 100 10 0 0; 2026-02-05 sell 150 12 0 0"
                                         << qint64(100) << "1000" << 10.0 << QStringList{} << true;
    QTest::newRow("a sale dated before the purchase")
        << "2026-02-05 buy 100 10 0 0; 2026-01-05 sell 50 12 0 0" << qint64(0) << "0" << 0.0
        << QStringList{} << true;
    QTest::newRow("a sale the same day after the purchase")
        << "2026-02-05 buy 100 10 0 0; 2026-02-05 sell 50 12 0 0" << qint64(50) << "500" << 10.0
        << QStringList{"100"} << false;
}

void PositionRulesTest::replaysByTheAverageCost()
{
    QFETCH(QString, movements);
    QFETCH(qint64, shares);
    QFETCH(QString, cost);
    QFETCH(double, costPrice);
    QFETCH(QStringList, gains);
    QFETCH(bool, oversold);

    const PositionHistory history = replay(movementList(movements));
    QCOMPARE(history.holding.shares, shares);
    QCOMPARE(history.holding.cost.text(), cost);
    QCOMPARE(history.holding.costPrice(), costPrice);
    QStringList realised;
    for (const RealisedSale& sale : history.sales)
        realised.append(sale.gain.text());
    QCOMPARE(realised, gains);
    QCOMPARE(!history.ok(), oversold);
}

void PositionRulesTest::gainsOfAYear()
{
    Position air;
    air.name = "Air Liquide";
    air.movements = movementList("2025-01-05 buy 100 100 0 0; 2025-06-01 sell 10 120 0 0; "
                                 "2026-03-01 sell 20 90 0 0; 2026-09-01 sell 10 150 0 0");
    Position other;
    other.name = "Orange";
    other.movements = movementList("2025-01-05 buy 50 10 1 0; 2026-05-01 sell 50 11 1 0");

    const YearGains year = gainsOfYear({air, other}, 2026);
    QCOMPARE(year.sales.size(), 3);
    QCOMPARE(year.sales[0].position, "Air Liquide");
    QCOMPARE(year.sales[1].position, "Orange");
    // −200, then 550 − 1 − 501 = 48, then +500.
    QCOMPARE(year.sales[0].sale.gain.text(), "-200");
    QCOMPARE(year.sales[1].sale.gain.text(), "48");
    QCOMPARE(year.gains.text(), "548");
    QCOMPARE(year.losses.text(), "-200");
    QCOMPARE(year.net.text(), "348");
    QCOMPARE(gainsOfYear({air, other}, 2024).sales.size(), 0);
}

void PositionRulesTest::readsAndWritesMoney_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<bool>("read");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("cents");

    QTest::newRow("whole") << "100" << true << "100"
                           << "100.00";
    QTest::newRow("point") << "12.5" << true << "12.5"
                           << "12.50";
    QTest::newRow("comma") << "12,345" << true << "12.345"
                           << "12.35";
    QTest::newRow("six decimals") << "0.123456" << true << "0.123456"
                                  << "0.12";
    QTest::newRow("negative half cent") << "-0.005" << true << "-0.005"
                                        << "-0.01";
    QTest::newRow("blanks around") << " 7 " << true << "7"
                                   << "7.00";
    QTest::newRow("seven decimals") << "0.1234567" << false << ""
                                    << "";
    QTest::newRow("two points") << "1.2.3" << false << ""
                                << "";
    QTest::newRow("group separator") << "1 000" << false << ""
                                     << "";
    QTest::newRow("letters") << "12e3" << false << ""
                             << "";
    QTest::newRow("empty") << "" << false << ""
                           << "";
    QTest::newRow("only a point") << "." << false << ""
                                  << "";
    QTest::newRow("beyond a trillion") << "10000000000000" << false << ""
                                       << "";
}

void PositionRulesTest::readsAndWritesMoney()
{
    QFETCH(QString, typed);
    QFETCH(bool, read);
    QFETCH(QString, text);
    QFETCH(QString, cents);

    const std::optional<Money> money = Money::parse(typed);
    QCOMPARE(money.has_value(), read);
    if (!money)
        return;
    QCOMPARE(money->text(), text);
    QCOMPARE(money->centsText(), cents);
}

void PositionRulesTest::prefillsTheTaxes_data()
{
    QTest::addColumn<QString>("rate");
    QTest::addColumn<QString>("cap");
    QTest::addColumn<QString>("amount");
    QTest::addColumn<QString>("tax");

    QTest::newRow("French FTT") << "0.4"
                                << ""
                                << "10000"
                                << "40";
    QTest::newRow("to the cent") << "0.12"
                                 << ""
                                 << "1234.56"
                                 << "1.48";
    QTest::newRow("half a cent up") << "0.5"
                                    << ""
                                    << "1.01"
                                    << "0.01";
    QTest::newRow("under the cap") << "0.35"
                                   << "1600"
                                   << "1000"
                                   << "3.5";
    QTest::newRow("over the cap") << "0.35"
                                  << "1600"
                                  << "1000000"
                                  << "1600";
    QTest::newRow("no rate") << ""
                             << ""
                             << "1000"
                             << "0";
}

void PositionRulesTest::prefillsTheTaxes()
{
    QFETCH(QString, rate);
    QFETCH(QString, cap);
    QFETCH(QString, amount);
    QFETCH(QString, tax);

    QCOMPARE(taxOn(rate, cap, *Money::parse(amount)).text(), tax);
}

QTEST_GUILESS_MAIN(PositionRulesTest)
#include "tst_position_rules.moc"
