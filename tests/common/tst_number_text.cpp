#include "NumberText.h"

#include <QLocale>
#include <QTest>

#include <cmath>

using namespace Qt::Literals::StringLiterals;

namespace {

// Each helper is tried under a comma locale and a point locale.
const QLocale french(QLocale::French, QLocale::France);
const QLocale point = QLocale::c();

template <typename Row, size_t N> void addUnderBothLocales(const Row (&rows)[N], auto addRow)
{
    for (const QLocale& locale : {french, point}) {
        for (const Row& row : rows)
            addRow(locale, row);
    }
}

} // namespace

class NumberTextTest : public QObject
{
    Q_OBJECT

private slots:
    void cleanup() { QLocale::setDefault(QLocale::c()); }

    void plainNumber_data();
    void plainNumber();
    void plainNumberOfHugeDigitStrings_data();
    void plainNumberOfHugeDigitStrings();
    void roundCents_data();
    void roundCents();
    void signBlankText_data();
    void signBlankText();
    void regionalText_data();
    void regionalText();
    void regionalNumber_data();
    void regionalNumber();
    void displayText_data();
    void displayText();
};

void NumberTextTest::plainNumber_data()
{
    QTest::addColumn<QLocale>("locale");
    QTest::addColumn<QString>("text");
    QTest::addColumn<double>("expected");

    const struct
    {
        const char* name;
        QString text;
        double expected;
    } rows[] = {
        {"empty", u""_s, 0},
        {"blanks only", u"   "_s, 0},
        {"whole number", u"12"_s, 12},
        {"leading blanks", u"   12.5"_s, 12.5},
        {"leading tab", u"\t7"_s, 7},
        {"minus sign", u"-3.25"_s, -3.25},
        {"plus sign", u"+4"_s, 4},
        {"sign alone", u"-"_s, 0},
        {"blank after the sign", u"- 5"_s, 0},
        {"second point stops", u"1.2.3"_s, 1.2},
        {"letters", u"abc"_s, 0},
        {"point first", u".5"_s, 0.5},
        {"signed point first", u"-.5"_s, -0.5},
        {"point alone", u"."_s, 0},
        {"trailing point", u"7."_s, 7},
        {"letters after digits", u"12abc"_s, 12},
        {"comma is not a separator", u"12,5"_s, 12},
        {"blank inside stops", u"1 000"_s, 1},
        {"zeros", u"0.000"_s, 0},
        {"leading zeros", u"007.50"_s, 7.5},
        {"open bound", u"99999999"_s, 99999999},
        {"exponent is not read", u"1e5"_s, 1},
    };
    addUnderBothLocales(rows, [](const QLocale& locale, const auto& row) {
        QTest::addRow("%s, %s", qPrintable(locale.name()), row.name)
            << locale << row.text << row.expected;
    });
}

void NumberTextTest::plainNumber()
{
    QFETCH(QLocale, locale);
    QFETCH(QString, text);

    QLocale::setDefault(locale);
    QTEST(::plainNumber(text), "expected");
}

void NumberTextTest::plainNumberOfHugeDigitStrings_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<double>("expected");

    const QString nines(400, u'9');
    const QString zeros(400, u'0');
    QTest::newRow("400 nines") << nines << HUGE_VAL;
    QTest::newRow("400 nines, negative") << (u"-"_s + nines) << -HUGE_VAL;
    QTest::newRow("400 nines after zeros") << (u"000"_s + nines) << HUGE_VAL;
    QTest::newRow("one after 400 zeros past the point") << (u"0."_s + zeros + u"1"_s) << 0.0;
    QTest::newRow("one after 400 zeros past the point, no zero first")
        << (u"."_s + zeros + u"1"_s) << 0.0;
    QTest::newRow("400 zeros then 25") << (zeros + u"25"_s) << 25.0;
    QTest::newRow("30 digits") << u"123456789012345678901234567890"_s << 1.2345678901234568e29;
}

void NumberTextTest::plainNumberOfHugeDigitStrings()
{
    QFETCH(QString, text);
    QTEST(::plainNumber(text), "expected");
}

void NumberTextTest::roundCents_data()
{
    QTest::addColumn<double>("value");
    QTest::addColumn<double>("expected");

    QTest::newRow("half goes down to the even cent") << 0.125 << 0.12;
    QTest::newRow("half goes up to the even cent") << 0.375 << 0.38;
    QTest::newRow("negative half") << -0.125 << -0.12;
    QTest::newRow("below the half") << 136.4864864864865 << 136.49;
    QTest::newRow("already in cents") << 10.10 << 10.10;
    QTest::newRow("whole") << 101.0 << 101.0;
    QTest::newRow("half a cent to zero") << 0.005 << 0.0;
    // No decimal correction: 1.005 is a little below its text and stays at 1.
    QTest::newRow("1.005 as the double holds it") << 1.005 << 1.0;
    QTest::newRow("fee of 5.6125") << 5.6125 << 5.61;
    // Far too large to hold cents, and a hundred times it would overflow to infinity.
    QTest::newRow("1e307 stays finite") << 1e307 << 1e307;
    QTest::newRow("-1.7e308 stays finite") << -1.7e308 << -1.7e308;
}

void NumberTextTest::roundCents()
{
    QFETCH(double, value);
    QTEST(::roundCents(value), "expected");
}

void NumberTextTest::signBlankText_data()
{
    QTest::addColumn<QLocale>("locale");
    QTest::addColumn<double>("value");
    QTest::addColumn<QString>("expected");

    const struct
    {
        const char* name;
        double value;
        QString expected;
    } rows[] = {
        {"12.35", 12.35, u" 12.35"_s},
        {"101", 101, u" 101"_s},
        {"0.45", 0.45, u" .45"_s},
        {"10.10", 10.10, u" 10.1"_s},
        {"zero", 0, u" 0"_s},
        {"-3.2", -3.2, u"-3.2"_s},
        {"-0.5", -0.5, u"-.5"_s},
        {"a third", 1.0 / 3, u" .333333333333333"_s},
        {"open bound", 99999999, u" 99999999"_s},
        {"0.1 + 0.2", 0.1 + 0.2, u" .3"_s},
        {"123456.789", 123456.789, u" 123456.789"_s},
    };
    addUnderBothLocales(rows, [](const QLocale& locale, const auto& row) {
        QTest::addRow("%s, %s", qPrintable(locale.name()), row.name)
            << locale << row.value << row.expected;
    });
}

void NumberTextTest::signBlankText()
{
    QFETCH(QLocale, locale);
    QFETCH(double, value);

    QLocale::setDefault(locale);
    QTEST(::signBlankText(value), "expected");
}

void NumberTextTest::regionalText_data()
{
    QTest::addColumn<QLocale>("locale");
    QTest::addColumn<double>("value");
    QTest::addColumn<QString>("expected");

    const struct
    {
        const char* name;
        double value;
        QString french;
        QString point;
    } rows[] = {
        {"9.5", 9.5, u"9,5"_s, u"9.5"_s},
        {"0.45", 0.45, u"0,45"_s, u"0.45"_s},
        {"-3.2", -3.2, u"-3,2"_s, u"-3.2"_s},
        {"zero", 0, u"0"_s, u"0"_s},
        {"32.5", 32.5, u"32,5"_s, u"32.5"_s},
        {"no group separator", 1234567.5, u"1234567,5"_s, u"1234567.5"_s},
        {"open bound", 99999999, u"99999999"_s, u"99999999"_s},
        {"two thirds", 2.0 / 3, u"0,666666666666667"_s, u"0.666666666666667"_s},
        {"10 + 0.01", 10 + 0.01, u"10,01"_s, u"10.01"_s},
    };
    for (const auto& row : rows) {
        QTest::addRow("fr, %s", row.name) << french << row.value << row.french;
        QTest::addRow("C, %s", row.name) << point << row.value << row.point;
    }
    QTest::addRow("en_US, 9.5") << QLocale(QLocale::English, QLocale::UnitedStates) << 9.5
                                << u"9.5"_s;
    QTest::addRow("de_DE, 9.5") << QLocale(QLocale::German, QLocale::Germany) << 9.5 << u"9,5"_s;
}

void NumberTextTest::regionalText()
{
    QFETCH(QLocale, locale);
    QFETCH(double, value);

    // The locale handed over decides, not the default one.
    QLocale::setDefault(locale == french ? point : french);
    QTEST(::regionalText(value, locale), "expected");
}

void NumberTextTest::regionalNumber_data()
{
    QTest::addColumn<QLocale>("locale");
    QTest::addColumn<QString>("text");
    QTest::addColumn<double>("expected");

    QTest::newRow("fr, 32.5") << french << u"32.5"_s << 32.5;
    QTest::newRow("fr, 32,5") << french << u"32,5"_s << 32.5;
    QTest::newRow("C, 32.5") << point << u"32.5"_s << 32.5;
    // A file edited by hand may hold a comma whatever the user's settings.
    QTest::newRow("C, 32,5") << point << u"32,5"_s << 32.5;
    QTest::newRow("fr, blanks around 26") << french << u" 26 "_s << 26.0;
    QTest::newRow("fr, empty") << french << QString() << 0.0;
    QTest::newRow("C, letters") << point << u"abc"_s << 0.0;
    QTest::newRow("fr, 100") << french << u"100"_s << 100.0;
}

void NumberTextTest::regionalNumber()
{
    QFETCH(QLocale, locale);
    QFETCH(QString, text);

    QLocale::setDefault(locale == french ? point : french);
    QTEST(::regionalNumber(text, locale), "expected");
}

void NumberTextTest::displayText_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("expected");

    QTest::newRow("line feed then carriage return") << u"a\n\rb"_s << u"a\nb"_s;
    QTest::newRow("carriage return then line feed") << u"a\r\nb\r\nc"_s << u"a\nb\nc"_s;
    QTest::newRow("no break") << u"abc"_s << u"abc"_s;
}

void NumberTextTest::displayText()
{
    QFETCH(QString, text);
    QTEST(::displayText(text), "expected");
}

QTEST_GUILESS_MAIN(NumberTextTest)
#include "tst_number_text.moc"
