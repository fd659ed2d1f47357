#include "FeeRules.h"

#include <QTest>

#include <cmath>
#include <optional>

Q_DECLARE_METATYPE(Schedule)
Q_DECLARE_METATYPE(std::optional<int>)
Q_DECLARE_METATYPE(std::optional<double>)
Q_DECLARE_METATYPE(Bracket)
Q_DECLARE_METATYPE(ScheduleTexts)

using namespace Qt::Literals::StringLiterals;

namespace {

Schedule oneBracket()
{
    Schedule schedule;
    schedule.brackets[0] = {openBound, 10, false};
    return schedule;
}

// 1 % up to 1,000, a fixed 5 up to 99,999,999.
Schedule twoBrackets()
{
    Schedule schedule;
    schedule.brackets[0] = {1000, 1, true};
    schedule.brackets[1] = {openBound, 5, false};
    return schedule;
}

// Four brackets in use, the fifth left empty.
Schedule fourBrackets()
{
    Schedule schedule;
    schedule.brackets[0] = {500, 2, false};
    schedule.brackets[1] = {1000, 4, false};
    schedule.brackets[2] = {5000, 0.5, true};
    schedule.brackets[3] = {20000, 0.4, true};
    return schedule;
}

} // namespace

class FeeRulesTest : public QObject
{
    Q_OBJECT

private slots:
    void scheduleFromTexts_data();
    void scheduleFromTexts();
    void boundedBracket_data();
    void boundedBracket();
    void openBracket_data();
    void openBracket();
    void bracketFee_data();
    void bracketFee();
    void limitedFee_data();
    void limitedFee();
    void tradeFee_data();
    void tradeFee();
    void amountAtMostInDecimals_data();
    void amountAtMostInDecimals();
};

void FeeRulesTest::scheduleFromTexts_data()
{
    QTest::addColumn<ScheduleTexts>("texts");
    QTest::addColumn<Schedule>("expected");

    ScheduleTexts empty;
    QTest::newRow("empty page") << empty << Schedule{};

    ScheduleTexts typed;
    typed.brackets[0] = {u"0"_s, u"1000"_s, u"1.5"_s, true};
    typed.brackets[1] = {u"1000"_s, u"99999999"_s, u"7"_s, false};
    typed.minimum = u"2.5"_s;
    typed.maximum = u"40"_s;
    Schedule typedValues;
    typedValues.brackets[0] = {1000, 1.5, true};
    typedValues.brackets[1] = {openBound, 7, false};
    typedValues.minimum = 2.5;
    typedValues.maximum = 40;
    QTest::newRow("two brackets, both limits") << typed << typedValues;

    // Texts loaded from the file were never filtered: the plain reading takes what it can.
    ScheduleTexts odd;
    odd.brackets[0] = {u""_s, u" 800abc"_s, u"1,5"_s, false};
    odd.minimum = u"5"_s;
    odd.maximum = u"0"_s;
    Schedule oddValues;
    oddValues.brackets[0] = {800, 1, false};
    oddValues.minimum = 5;
    QTest::newRow("unfiltered texts, typed maximum of 0 is no maximum") << odd << oddValues;

    ScheduleTexts openMaximum;
    openMaximum.brackets[0] = {u"0"_s, u"99999999"_s, u"10"_s, false};
    openMaximum.maximum = u"99999999"_s;
    Schedule openValues;
    openValues.brackets[0] = {openBound, 10, false};
    QTest::newRow("maximum typed as the open bound") << openMaximum << openValues;
}

void FeeRulesTest::scheduleFromTexts()
{
    QFETCH(ScheduleTexts, texts);
    QTEST(::scheduleFromTexts(texts), "expected");
}

void FeeRulesTest::boundedBracket_data()
{
    QTest::addColumn<Schedule>("schedule");
    QTest::addColumn<double>("amount");
    QTest::addColumn<std::optional<int>>("expected");

    const std::optional<int> over;
    QTest::newRow("one bracket, 0.01") << oneBracket() << 0.01 << std::optional<int>(0);
    QTest::newRow("one bracket, 5,000") << oneBracket() << 5000.0 << std::optional<int>(0);
    QTest::newRow("one bracket, exactly 99,999,999")
        << oneBracket() << 99999999.0 << std::optional<int>(0);
    QTest::newRow("one bracket, 99,999,999.01") << oneBracket() << 99999999.01 << over;
    QTest::newRow("one bracket, 100,000,000") << oneBracket() << 100000000.0 << over;
    QTest::newRow("two brackets, exactly 1,000")
        << twoBrackets() << 1000.0 << std::optional<int>(0);
    QTest::newRow("two brackets, 1,000.01") << twoBrackets() << 1000.01 << std::optional<int>(1);
    QTest::newRow("four brackets, exactly 5,000")
        << fourBrackets() << 5000.0 << std::optional<int>(2);
    QTest::newRow("four brackets, exactly 20,000")
        << fourBrackets() << 20000.0 << std::optional<int>(3);
    QTest::newRow("four brackets, past the last one in use") << fourBrackets() << 20000.01 << over;
    QTest::newRow("undefined amount") << oneBracket() << std::nan("") << over;
}

void FeeRulesTest::boundedBracket()
{
    QFETCH(Schedule, schedule);
    QFETCH(double, amount);
    QTEST(::boundedBracket(schedule, TradeAmount{1, amount}), "expected");
}

void FeeRulesTest::openBracket_data()
{
    QTest::addColumn<Schedule>("schedule");
    QTest::addColumn<double>("amount");
    QTest::addColumn<int>("expected");

    QTest::newRow("one bracket, exactly 99,999,999") << oneBracket() << 99999999.0 << 0;
    // Past the first bracket the empty ones read as 0 up to the fifth, which takes the rest.
    QTest::newRow("one bracket, 100,000,000") << oneBracket() << 100000000.0 << 4;
    QTest::newRow("two brackets, exactly 1,000") << twoBrackets() << 1000.0 << 0;
    QTest::newRow("two brackets, 1,000.01") << twoBrackets() << 1000.01 << 1;
    QTest::newRow("four brackets, 500") << fourBrackets() << 500.0 << 0;
    QTest::newRow("four brackets, 500.01") << fourBrackets() << 500.01 << 1;
    QTest::newRow("four brackets, exactly 20,000") << fourBrackets() << 20000.0 << 3;
    QTest::newRow("four brackets, above them, empty fifth") << fourBrackets() << 20000.01 << 4;
}

void FeeRulesTest::openBracket()
{
    QFETCH(Schedule, schedule);
    QFETCH(double, amount);
    QTEST(::openBracket(schedule, TradeAmount{1, amount}), "expected");
}

void FeeRulesTest::bracketFee_data()
{
    QTest::addColumn<Bracket>("bracket");
    QTest::addColumn<double>("amount");
    QTest::addColumn<double>("expected");

    QTest::newRow("fixed 10, small amount") << Bracket{openBound, 10, false} << 1.0 << 10.0;
    QTest::newRow("fixed 10, large amount") << Bracket{openBound, 10, false} << 50000.0 << 10.0;
    QTest::newRow("1 % of 960") << Bracket{1000, 1, true} << 960.0 << 9.6;
    QTest::newRow("0.5 % of 1,122.50") << Bracket{openBound, 0.5, true} << 1122.5 << 5.6125;
    QTest::newRow("empty bracket") << Bracket{} << 750.0 << 0.0;
}

void FeeRulesTest::bracketFee()
{
    QFETCH(Bracket, bracket);
    QFETCH(double, amount);
    QTEST(::bracketFee(bracket, amount), "expected");
}

void FeeRulesTest::limitedFee_data()
{
    QTest::addColumn<double>("minimum");
    QTest::addColumn<double>("maximum");
    QTest::addColumn<double>("fee");
    QTest::addColumn<double>("expected");

    QTest::newRow("no limits") << 0.0 << openBound << 12.5 << 12.5;
    QTest::newRow("fixed 5 under a minimum of 8") << 8.0 << openBound << 5.0 << 8.0;
    QTest::newRow("fee equal to the minimum") << 8.0 << openBound << 8.0 << 8.0;
    QTest::newRow("120 over a maximum of 100") << 0.0 << 100.0 << 120.0 << 100.0;
    QTest::newRow("fee equal to the maximum") << 0.0 << 100.0 << 100.0 << 100.0;
    QTest::newRow("between both limits") << 8.0 << 20.0 << 12.0 << 12.0;
    QTest::newRow("no fee, minimum set") << 8.0 << openBound << 0.0 << 8.0;
    // A maximum of 0 next to a minimum passes the fee page's checks; applied last, it wins.
    QTest::newRow("minimum 5, maximum 0") << 5.0 << 0.0 << 3.0 << 0.0;
}

void FeeRulesTest::limitedFee()
{
    QFETCH(double, minimum);
    QFETCH(double, maximum);
    QFETCH(double, fee);

    Schedule schedule;
    schedule.minimum = minimum;
    schedule.maximum = maximum;
    QTEST(::limitedFee(schedule, fee), "expected");
}

void FeeRulesTest::tradeFee_data()
{
    QTest::addColumn<Schedule>("schedule");
    QTest::addColumn<double>("amount");
    QTest::addColumn<bool>("bounded");
    QTest::addColumn<std::optional<double>>("expected");

    QTest::newRow("purchase of exactly 1,000 in the 1 % bracket")
        << twoBrackets() << 1000.0 << true << std::optional<double>(10);
    QTest::newRow("sale of exactly 1,000 in the 1 % bracket")
        << twoBrackets() << 1000.0 << false << std::optional<double>(10);
    QTest::newRow("purchase of 1,000.01 in the fixed bracket")
        << twoBrackets() << 1000.01 << true << std::optional<double>(5);
    QTest::newRow("purchase over the limit")
        << oneBracket() << 100000000.0 << true << std::optional<double>();
    QTest::newRow("sale over the limit still costed")
        << oneBracket() << 100000000.0 << false << std::optional<double>(0);

    Schedule noFees;
    noFees.brackets[0] = {openBound, 0, false};
    QTest::newRow("no fees") << noFees << 500.0 << true << std::optional<double>(0);
    noFees.minimum = 8;
    QTest::newRow("no fees, minimum 8") << noFees << 500.0 << true << std::optional<double>(8);

    Schedule capped = fourBrackets();
    capped.maximum = 15;
    capped.minimum = 3;
    QTest::newRow("0.4 % of 10,000 under a maximum of 15")
        << capped << 10000.0 << true << std::optional<double>(15);
    QTest::newRow("fixed 2 under a minimum of 3")
        << capped << 100.0 << true << std::optional<double>(3);
    QTest::newRow("empty fifth bracket, minimum applies")
        << capped << 25000.0 << false << std::optional<double>(3);
}

void FeeRulesTest::tradeFee()
{
    QFETCH(Schedule, schedule);
    QFETCH(double, amount);
    QFETCH(bool, bounded);
    QTEST(Calcul_Frais(schedule, TradeAmount{1, amount}, bounded ? Lookup::Bounded : Lookup::Open),
          "expected");
}

void FeeRulesTest::amountAtMostInDecimals_data()
{
    QTest::addColumn<double>("shares");
    QTest::addColumn<double>("price");
    QTest::addColumn<double>("bound");
    QTest::addColumn<bool>("atMost");

    // Each of these products lands a unit of the last place above the bound in doubles.
    QTest::newRow("625 x 1.12 is 700") << 625.0 << 1.12 << 700.0 << true;
    QTest::newRow("1,250 x 0.56 is 700") << 1250.0 << 0.56 << 700.0 << true;
    QTest::newRow("3 x 0.1 is 0.3") << 3.0 << 0.1 << 0.3 << true;
    QTest::newRow("a cent more is above") << 625.0 << 1.13 << 700.0 << false;
    QTest::newRow("a bound with cents") << 100.0 << 10.01 << 1001.01 << true;
    QTest::newRow("a thousandth above a bound with cents") << 1000.0 << 1.001 << 1000.99 << false;
    // One number alone is taken as the decimal it reads as.
    QTest::newRow("an amount past the bound") << 1.0 << 700.0000000000001 << 700.0 << false;
}

void FeeRulesTest::amountAtMostInDecimals()
{
    QFETCH(double, shares);
    QFETCH(double, price);
    QFETCH(double, bound);
    QTEST(amountAtMost(TradeAmount{shares, price}, bound), "atMost");
}

QTEST_GUILESS_MAIN(FeeRulesTest)
#include "tst_fee_rules.moc"
