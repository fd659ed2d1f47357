#include "FieldNormalisation.h"
#include "Normalisation.h"

#include <QTest>

namespace {

// What the calculate command does to one field of each kind: the leading-point pass first
// (every field but the number of shares), then the clean-up of the field's kind.
enum class FieldKind
{
    LeadingPointOnly,
    Decimal,
    Count,
    Bound,
    FirstLowerBound,
};

QString tidyField(FieldKind kind, const QString& text)
{
    switch (kind) {
    case FieldKind::LeadingPointOnly:
        return withLeadingZero(text);
    case FieldKind::Decimal:
        return tidyDecimal(withLeadingZero(text));
    case FieldKind::Count:
        return tidyCount(text);
    case FieldKind::Bound:
        return tidyBound(withLeadingZero(text));
    case FieldKind::FirstLowerBound:
        return tidyFirstLowerBound(withLeadingZero(text));
    }
    return text;
}

QString text(const char* latin1)
{
    return QString::fromLatin1(latin1);
}

} // namespace

Q_DECLARE_METATYPE(FieldKind)

class TestNormalisation : public QObject
{
    Q_OBJECT

private slots:
    void cleanUp_data();
    void cleanUp();
    void everyFieldGetsItsKind();
    void fieldsAlreadyTidyAreKept();
    void sharesGetNoLeadingZero();
};

void TestNormalisation::cleanUp_data()
{
    QTest::addColumn<FieldKind>("kind");
    QTest::addColumn<QString>("input");
    QTest::addColumn<QString>("expected");

    const auto row = [](const char* name, FieldKind kind, const char* input, const char* expected) {
        QTest::newRow(name) << kind << text(input) << text(expected);
    };

    row("leading point: .5 gets its zero", FieldKind::LeadingPointOnly, ".5", "0.5");
    row("leading point: lone point", FieldKind::LeadingPointOnly, ".", "0.");
    row("leading point: trailing point untouched", FieldKind::LeadingPointOnly, "5.", "5.");
    row("leading point: empty stays empty", FieldKind::LeadingPointOnly, "", "");

    row("decimal: 007.50", FieldKind::Decimal, "007.50", "7.5");
    row("decimal: 0.0", FieldKind::Decimal, "0.0", "0");
    row("decimal: 120 keeps its zero", FieldKind::Decimal, "120", "120");
    row("decimal: trailing point", FieldKind::Decimal, "3.", "3");
    row("decimal: 00", FieldKind::Decimal, "00", "0");
    row("decimal: 0.05", FieldKind::Decimal, "0.05", "0.05");
    row("decimal: lone point", FieldKind::Decimal, ".", "0");
    row("decimal: .5", FieldKind::Decimal, ".5", "0.5");
    row("decimal: 12.500", FieldKind::Decimal, "12.500", "12.5");
    row("decimal: 100.50", FieldKind::Decimal, "100.50", "100.5");
    row("decimal: 0.00", FieldKind::Decimal, "0.00", "0");
    row("decimal: lone 0", FieldKind::Decimal, "0", "0");
    row("decimal: 000.000", FieldKind::Decimal, "000.000", "0");
    row("decimal: 10. keeps the 0 before the point", FieldKind::Decimal, "10.", "10");
    row("decimal: empty stays empty", FieldKind::Decimal, "", "");
    row("decimal: letters", FieldKind::Decimal, "abc", "abc");
    row("decimal: minus sign", FieldKind::Decimal, "-5", "-5");
    row("decimal: zeros before letters", FieldKind::Decimal, "00a0", "a0");

    row("count: 0007", FieldKind::Count, "0007", "7");
    row("count: 000 becomes empty", FieldKind::Count, "000", "");
    row("count: lone 0 becomes empty", FieldKind::Count, "0", "");
    row("count: 250", FieldKind::Count, "250", "250");
    row("count: no leading-point pass", FieldKind::Count, ".5", ".5");
    row("count: empty stays empty", FieldKind::Count, "", "");
    row("count: letters", FieldKind::Count, "0abc", "abc");
    row("count: minus sign", FieldKind::Count, "-5", "-5");

    row("bound: 0100", FieldKind::Bound, "0100", "100");
    row("bound: lone 0 becomes empty", FieldKind::Bound, "0", "");
    row("bound: 000 becomes empty", FieldKind::Bound, "000", "");
    row("bound: trailing zeros kept", FieldKind::Bound, "2500", "2500");
    row("bound: zero before a point kept", FieldKind::Bound, "00.5", "0.5");
    row("bound: leading point", FieldKind::Bound, ".5", "0.5");
    row("bound: empty stays empty", FieldKind::Bound, "", "");
    row("bound: letters", FieldKind::Bound, "abc", "abc");
    row("bound: minus sign", FieldKind::Bound, "-5", "-5");

    row("first lower bound: 250", FieldKind::FirstLowerBound, "250", "0");
    row("first lower bound: lone 0", FieldKind::FirstLowerBound, "0", "0");
    row("first lower bound: 000", FieldKind::FirstLowerBound, "000", "0");
    row("first lower bound: letters", FieldKind::FirstLowerBound, "abc", "0");
    row("first lower bound: empty stays empty", FieldKind::FirstLowerBound, "", "");
}

void TestNormalisation::cleanUp()
{
    QFETCH(FieldKind, kind);
    QFETCH(QString, input);
    QFETCH(QString, expected);

    QCOMPARE(tidyField(kind, input), expected);
}

void TestNormalisation::everyFieldGetsItsKind()
{
    TradeTexts trade{text(".5"), text("0007"), text("100.50")};
    ScheduleTexts schedule;
    schedule.brackets[0] = {text("250"), text("0100"), text("007.50"), false};
    schedule.brackets[1] = {text("0100"), text("0"), text("12.500"), true};
    schedule.brackets[2] = {text("0"), text("000"), text("."), false};
    schedule.brackets[3] = {text(".5"), text("3."), text("0.0"), true};
    schedule.brackets[4] = {text(""), text(""), text(""), false};
    schedule.minimum = text("00");
    schedule.maximum = text(".25");

    normaliseFields(trade, schedule);

    QCOMPARE(trade, (TradeTexts{text("0.5"), text("7"), text("100.5")}));
    ScheduleTexts expected;
    expected.brackets[0] = {text("0"), text("100"), text("7.5"), false};
    expected.brackets[1] = {text("100"), text(""), text("12.5"), true};
    expected.brackets[2] = {text(""), text(""), text("0"), false};
    expected.brackets[3] = {text("0.5"), text("3."), text("0"), true};
    expected.brackets[4] = {text(""), text(""), text(""), false};
    expected.minimum = text("0");
    expected.maximum = text("0.25");
    QCOMPARE(schedule, expected);
}

void TestNormalisation::fieldsAlreadyTidyAreKept()
{
    TradeTexts trade{text("12.35"), text("250"), text("10")};
    ScheduleTexts schedule;
    schedule.brackets[0] = {text("0"), text("1000"), text("8.5"), false};
    schedule.brackets[1] = {text("1000"), text("99999999"), text("0.5"), true};
    schedule.minimum = text("5");
    schedule.maximum = text("100");
    const TradeTexts tradeBefore = trade;
    const ScheduleTexts scheduleBefore = schedule;

    normaliseFields(trade, schedule);

    QCOMPARE(trade, tradeBefore);
    QCOMPARE(schedule, scheduleBefore);
}

void TestNormalisation::sharesGetNoLeadingZero()
{
    TradeTexts trade{text(".5"), text(".5"), text(".5")};
    ScheduleTexts schedule;

    normaliseFields(trade, schedule);

    QCOMPARE(trade, (TradeTexts{text("0.5"), text(".5"), text("0.5")}));
}

QTEST_APPLESS_MAIN(TestNormalisation)
#include "tst_normalisation.moc"
