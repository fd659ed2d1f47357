#include "ComparisonText.h"
#include "MakeSchedule.h"
#include "ScheduleComparison.h"
#include "SellingPriceSearch.h"

#include <QTest>

Q_DECLARE_METATYPE(Schedule)

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

QTEST_GUILESS_MAIN(ScheduleComparisonTest)
#include "tst_schedule_comparison.moc"
