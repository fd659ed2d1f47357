#include "ComparisonText.h"
#include "MakeSchedule.h"
#include "ScheduleComparison.h"
#include "SellingPriceSearch.h"

#include <QTest>

Q_DECLARE_METATYPE(Schedule)
Q_DECLARE_METATYPE(Trade)

namespace {

BracketTexts bracket(const char* lower, const char* upper, const char* fee, bool percentage = false)
{
    return {QString::fromUtf8(lower), QString::fromUtf8(upper), QString::fromUtf8(fee), percentage};
}

NamedSchedule named(const char* name, std::initializer_list<BracketTexts> brackets,
                    const char* minimum = "", const char* maximum = "")
{
    NamedSchedule schedule{QString::fromUtf8(name), {}, false};
    int n = 0;
    for (const BracketTexts& each : brackets)
        schedule.texts.brackets[n++] = each;
    schedule.texts.minimum = QString::fromUtf8(minimum);
    schedule.texts.maximum = QString::fromUtf8(maximum);
    return schedule;
}

// 100 shares bought at 10 euros, 10 % wanted after a tax of 26 %.
const Trade trade{10, 100, 10, true};
constexpr double taxRate = 26;

const QList<NamedSchedule> three{
    named("Fixe", {bracket("0", "99999999", "10")}),
    named("Pourcentage", {bracket("0", "99999999", "0.5", true)}, "5", "15"),
    named("Baisse", {bracket("0", "1000", "20"), bracket("1000", "99999999", "2")}),
};

} // namespace

class ScheduleComparisonTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { QLocale::setDefault(QLocale(QLocale::French, QLocale::France)); }
    void eachRowIsTheCalculationOnItsScheduleAlone_data();
    void eachRowIsTheCalculationOnItsScheduleAlone();
    void cheapestFirstThenLimitsThenRefusals();
    void rankedByThePriceThatReallyReachesTheProfit_data();
    void rankedByThePriceThatReallyReachesTheProfit();
};

void ScheduleComparisonTest::eachRowIsTheCalculationOnItsScheduleAlone_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<Schedule>("schedule");
    QTest::newRow("fixed sum") << "Fixe" << makeSchedule({{openBound, 10, false}});
    QTest::newRow("percentage with minimum and maximum")
        << "Pourcentage" << makeSchedule({{openBound, 0.5, true}}, 5, 15);
    QTest::newRow("fee that drops above 1000")
        << "Baisse" << makeSchedule({{1000, 20, false}, {openBound, 2, false}});
}

void ScheduleComparisonTest::eachRowIsTheCalculationOnItsScheduleAlone()
{
    QFETCH(QString, name);
    QFETCH(Schedule, schedule);
    const QList<ComparisonRow> rows =
        compareSchedules(three, trade, taxRate, PriceRounding::Nearest, "F");
    const auto row = std::find_if(rows.begin(), rows.end(),
                                  [&](const ComparisonRow& each) { return each.name == name; });
    QVERIFY(row != rows.end());
    const CalcOutcome alone = findSellingPrice(schedule, trade, taxRate);
    QCOMPARE(row->status, alone.status);
    QCOMPARE(row->result.price, alone.result.price);
    QCOMPARE(row->result.purchaseFee, alone.result.purchaseFee);
    QCOMPARE(row->result.saleFee, alone.result.saleFee);
    QCOMPARE(row->result.profitAfterTax, alone.result.profitAfterTax);
    QCOMPARE(row->result.inexact, alone.result.inexact);
}

void ScheduleComparisonTest::cheapestFirstThenLimitsThenRefusals()
{
    QList<NamedSchedule> schedules{
        named("Vide", {}),
        named("Désordre", {bracket("0", "100", "1"), bracket("100", "50", "2")}),
        named("Cent pour cent", {bracket("0", "99999999", "100", true)}),
    };
    schedules += three;
    schedules.append(named("Même prix", {bracket("0", "99999999", "10")}));
    const QList<ComparisonRow> rows =
        compareSchedules(schedules, trade, taxRate, PriceRounding::Nearest, "F");

    QStringList order;
    for (const ComparisonRow& row : rows)
        order << row.name + (row.cheapest ? "*" : "");
    // The fixed fee of 10 sells at 11.56 (the worked example); 0.5 % (5 to 15) costs less.
    QCOMPARE(order, (QStringList{"Pourcentage*", "Fixe", "Même prix", "Baisse", "Vide", "Désordre",
                                 "Cent pour cent"}));
    QCOMPARE(rows[1].result.price, 11.56);
    QCOMPARE(rows[4].error, QString("Barème vide : aucun frais n'est saisi"));
    QVERIFY(rows[5].error.contains("fourchette haute doit être supérieure"));
    QVERIFY(rows[6].error.contains("inférieurs à 100 %"));
    QCOMPARE(comparisonCells(rows[6], false, QLocale()).mid(2, 4), QStringList(4, QString()));

    const Trade huge{1e6, 100, 10, true}; // 100,000,000 euros: over the last bracket
    const QList<ComparisonRow> over =
        compareSchedules(three, huge, taxRate, PriceRounding::Nearest, "A");
    QVERIFY(over[0].overLimit() && !over[0].cheapest);
    QCOMPARE(comparisonCells(over[0], true, QLocale()).last(), QString("over 99,999,999 euros"));
}

void ScheduleComparisonTest::rankedByThePriceThatReallyReachesTheProfit_data()
{
    QTest::addColumn<QList<NamedSchedule>>("schedules");
    QTest::addColumn<Trade>("bought");
    QTest::addColumn<double>("tax");
    QTest::addColumn<QStringList>("order");
    QTest::addColumn<QStringList>("lastCells"); // price, sale fee, profit, remark of the last row

    // 100 shares at 9.60, 38 euros wanted untaxed. "Saut": 2 euros up to a sale of 1000, nothing
    // above: cost 962; at 10.00 (sold for 1000, fee 2) 36 euros; at 10.01 (fee 0) 39 euros.
    // "Fixe": 1 euro: cost 961; at 10.00, 1000 - 1 - 961 = 38, reached.
    const NamedSchedule jump =
        named("Saut", {bracket("0", "1000", "2"), bracket("1000", "99999999", "0")});
    const NamedSchedule fixed = named("Fixe", {bracket("0", "99999999", "1")});
    QTest::newRow("fee jump: its shown cent misses, ranked at the cent that reaches")
        << QList<NamedSchedule>{jump, fixed} << Trade{9.60, 100, 38, false} << 0.0
        << QStringList{"Fixe*", "Saut"}
        << QStringList{"10,01 €", "0,00 €", "39,00 €",
                       "fenêtre principale : 10,00 €, bénéfice voulu non atteint (saut de frais)"};
    // The worked example: 10 euros fixed, 101 wanted after 26 %: G = 136.486..., cost 1010;
    // 11.56 brings 1156 - 10 - 1010 = 136 before tax, 100.64 after; 11.57 brings 137, 101.38.
    // "Un euro" sells at 11.47 exactly: 1147 - 1 - 1001 = 145 > 136.49, 1146 - 1 - 1001 = 144.
    QTest::newRow("nearest cent short: ranked at the next cent, its profit shown")
        << QList<NamedSchedule>{named("Fixe", {bracket("0", "99999999", "10")}),
                                named("Un euro", {bracket("0", "99999999", "1")})}
        << Trade{10, 100, 101, false} << 26.0 << QStringList{"Un euro*", "Fixe"}
        << QStringList{"11,57 €", "10,00 €", "101,38 €",
                       "fenêtre principale : 11,56 €, bénéfice voulu non atteint (arrondi au "
                       "centime le plus proche)"};
    // "Saut bas": 1 euro up to 1000, nothing above: cost 961; 10.00 brings 38, 10.01 brings 40;
    // "Fixe" reaches 39 at 10.01 too, with 1001 - 1 - 961 = 39.
    const NamedSchedule lowJump =
        named("Saut", {bracket("0", "1000", "1"), bracket("1000", "99999999", "0")});
    QTest::newRow("same price reached: the higher profit first, in English")
        << QList<NamedSchedule>{fixed, lowJump} << Trade{9.60, 100, 39, false} << 0.0
        << QStringList{"Saut*", "Fixe*"} << QStringList{"€10.01", "€1.00", "€39.00", "cheapest"};
}

void ScheduleComparisonTest::rankedByThePriceThatReallyReachesTheProfit()
{
    QFETCH(QList<NamedSchedule>, schedules);
    QFETCH(Trade, bought);
    QFETCH(double, tax);
    QFETCH(QStringList, order);
    QFETCH(QStringList, lastCells);
    const bool english = lastCells.front().startsWith(u'€');
    const QList<ComparisonRow> rows =
        compareSchedules(schedules, bought, tax, PriceRounding::Nearest, "F");
    QStringList got;
    for (const ComparisonRow& row : rows)
        got << row.name + (row.cheapest ? "*" : "");
    QCOMPARE(got, order);
    const QLocale locale(english ? QLocale(QLocale::English, QLocale::Ireland) : QLocale());
    QStringList cells = comparisonCells(rows.last(), english, locale);
    cells.replaceInStrings(QString(QChar(0xA0)), " ");
    QCOMPARE(cells.mid(3), lastCells);
}

QTEST_GUILESS_MAIN(ScheduleComparisonTest)
#include "tst_schedule_comparison.moc"
