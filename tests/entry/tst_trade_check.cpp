#include "FieldNormalisation.h"
#include "TradeCheck.h"

#include "SettingsKeys.h"
#include "TempSettings.h"

#include <QFile>
#include <QTest>

namespace {

QString text(const char* latin1)
{
    return QString::fromLatin1(latin1);
}

Message english(const char* message)
{
    return {text("Capture error"), text(message), MessageIcon::Exclamation};
}

Message french(const QString& message)
{
    return {QStringLiteral("Erreur de saisie"), message, MessageIcon::Exclamation};
}

Message priceMessage(bool inEnglish)
{
    return inEnglish ? english("The cost price can't be null")
                     : french(QStringLiteral("La valeur du prix d'achat ne peut être nulle"));
}

Message sharesMessage(bool inEnglish)
{
    return inEnglish ? english("The number of shares can't be null")
                     : french(QStringLiteral("La quantité d'actions ne peut être nulle"));
}

Message profitMessage(bool inEnglish)
{
    return inEnglish
               ? english("The sought-after profit can't be rank above 100 %")
               : french(QStringLiteral("Le bénéfice recherché ne doit pas être supérieur à 100 %"));
}

} // namespace

char* toString(const Message& message)
{
    return QTest::toString(message.title + QLatin1String(" | ") + message.text);
}

char* toString(const TradeTexts& trade)
{
    return QTest::toString(trade.price + QLatin1String(" / ") + trade.shares +
                           QLatin1String(" / ") + trade.profit);
}

Q_DECLARE_METATYPE(TradeField)
Q_DECLARE_METATYPE(Message)
Q_DECLARE_METATYPE(TradeTexts)
Q_DECLARE_METATYPE(std::optional<TradeField>)

class TestTradeCheck : public QObject
{
    Q_OBJECT

private:
    // The language code as the window reads it: from the settings file, at each call.
    TempSettings m_settings;
    int m_codeReads = 0;

    void setLanguage(const char* code)
    {
        QVERIFY(m_settings.store().Ecrire_Ini(settingsSection(), languageKey(), text(code)));
    }
    std::function<QString()> languageCode()
    {
        return [this] {
            ++m_codeReads;
            return m_settings.store().Lire_Ini(settingsSection(), languageKey());
        };
    }
    std::optional<TradeRefusal> check(TradeTexts& trade, bool percentMode)
    {
        return checkTrade(trade, percentMode, languageCode());
    }

private slots:
    void init();
    void refusals_data();
    void refusals();
    void accepted_data();
    void accepted();
    void onlyTheFirstFailureIsReported();
    void languageIsReadWhenTheMessageIsBuilt();
    void unknownLanguageCodeMeansFrench();
    void tidiedThenChecked_data();
    void tidiedThenChecked();
    void feeFieldsStayTidiedAfterARefusal();
};

void TestTradeCheck::init()
{
    QFile::remove(m_settings.path());
    m_codeReads = 0;
}

void TestTradeCheck::refusals_data()
{
    QTest::addColumn<QString>("price");
    QTest::addColumn<QString>("shares");
    QTest::addColumn<QString>("profit");
    QTest::addColumn<bool>("percentMode");
    QTest::addColumn<TradeField>("field");
    QTest::addColumn<Message>("frenchMessage");
    QTest::addColumn<Message>("englishMessage");

    const auto row = [](const char* name, const char* price, const char* shares, const char* profit,
                        bool percentMode, TradeField field, Message (*message)(bool)) {
        QTest::newRow(name) << text(price) << text(shares) << text(profit) << percentMode << field
                            << message(false) << message(true);
    };
    row("price empty", "", "10", "5", true, TradeField::Price, priceMessage);
    row("price 0 (as tidied from 0.00)", "0", "10", "5", true, TradeField::Price, priceMessage);
    row("price not a number", "abc", "10", "5", false, TradeField::Price, priceMessage);
    row("shares empty (as tidied from 000)", "12.5", "", "5", true, TradeField::Shares,
        sharesMessage);
    row("shares 0", "12.5", "0", "5", false, TradeField::Shares, sharesMessage);
    row("profit 100.5 in percentage mode", "12.5", "10", "100.5", true, TradeField::Profit,
        profitMessage);
    row("profit 250 in percentage mode", "12.5", "10", "250", true, TradeField::Profit,
        profitMessage);
}

void TestTradeCheck::refusals()
{
    QFETCH(QString, price);
    QFETCH(QString, shares);
    QFETCH(QString, profit);
    QFETCH(bool, percentMode);
    QFETCH(TradeField, field);
    QFETCH(Message, frenchMessage);
    QFETCH(Message, englishMessage);

    for (const bool inEnglish : {false, true}) {
        setLanguage(inEnglish ? "A" : "F");
        TradeTexts trade{price, shares, profit};

        const std::optional<TradeRefusal> refusal = check(trade, percentMode);

        QVERIFY(refusal.has_value());
        QCOMPARE(refusal->field, field);
        QCOMPARE(refusal->message, inEnglish ? englishMessage : frenchMessage);
        // The field is emptied by the caller after the message: the texts are left as they were.
        QCOMPARE(trade, (TradeTexts{price, shares, profit}));
    }
}

void TestTradeCheck::accepted_data()
{
    QTest::addColumn<QString>("profit");
    QTest::addColumn<bool>("percentMode");
    QTest::addColumn<QString>("expectedProfit");

    QTest::newRow("100 in percentage mode") << text("100") << true << text("100");
    QTest::newRow("250 in cash mode") << text("250") << false << text("250");
    QTest::newRow("12.5 in percentage mode") << text("12.5") << true << text("12.5");
    QTest::newRow("empty becomes 0, percentage") << text("") << true << text("0");
    QTest::newRow("empty becomes 0, cash") << text("") << false << text("0");
    QTest::newRow("0 stays 0") << text("0") << true << text("0");
    QTest::newRow("letters read as 0 become 0") << text("abc") << true << text("0");
}

void TestTradeCheck::accepted()
{
    QFETCH(QString, profit);
    QFETCH(bool, percentMode);
    QFETCH(QString, expectedProfit);
    TradeTexts trade{text("0.5"), text("7"), profit};

    QVERIFY(!check(trade, percentMode).has_value());

    QCOMPARE(trade, (TradeTexts{text("0.5"), text("7"), expectedProfit}));
    QCOMPARE(m_codeReads, 0);
}

void TestTradeCheck::onlyTheFirstFailureIsReported()
{
    TradeTexts trade{text(""), text(""), text("500")};

    const std::optional<TradeRefusal> refusal = check(trade, true);

    QVERIFY(refusal.has_value());
    QCOMPARE(refusal->field, TradeField::Price);
    QCOMPARE(refusal->message, priceMessage(false));
    QCOMPARE(trade, (TradeTexts{text(""), text(""), text("500")}));

    TradeTexts sharesAndProfit{text("3"), text(""), text("500")};
    const std::optional<TradeRefusal> next = check(sharesAndProfit, true);
    QVERIFY(next.has_value());
    QCOMPARE(next->field, TradeField::Shares);
    QCOMPARE(next->message, sharesMessage(false));
}

void TestTradeCheck::languageIsReadWhenTheMessageIsBuilt()
{
    TradeTexts trade{text(""), text("10"), text("5")};
    const std::function<QString()> code = languageCode();

    setLanguage("F");
    QCOMPARE(checkTrade(trade, true, code)->message, priceMessage(false));
    setLanguage("A");
    QCOMPARE(checkTrade(trade, true, code)->message, priceMessage(true));
    setLanguage("F");
    QCOMPARE(checkTrade(trade, true, code)->message, priceMessage(false));
    QCOMPARE(m_codeReads, 3);
}

void TestTradeCheck::unknownLanguageCodeMeansFrench()
{
    TradeTexts trade{text("1"), text("10"), text("101")};

    // No file at all, then a lower-case "a": only "A" is English.
    QCOMPARE(check(trade, true)->message, profitMessage(false));
    setLanguage("a");
    QCOMPARE(check(trade, true)->message, profitMessage(false));
}

void TestTradeCheck::tidiedThenChecked_data()
{
    QTest::addColumn<TradeTexts>("typed");
    QTest::addColumn<bool>("percentMode");
    QTest::addColumn<TradeTexts>("tidied");
    QTest::addColumn<std::optional<TradeField>>("refusedField");

    const auto trade = [](const char* price, const char* shares, const char* profit) {
        return TradeTexts{text(price), text(shares), text(profit)};
    };
    const std::optional<TradeField> none;
    QTest::newRow("price .5 passes")
        << trade(".5", "10", "5") << true << trade("0.5", "10", "5") << none;
    QTest::newRow("price 0.00 tidied to 0 and refused")
        << trade("0.00", "10", "5") << true << trade("0", "10", "5")
        << std::optional(TradeField::Price);
    QTest::newRow("shares 0007 passes")
        << trade("12", "0007", "5") << true << trade("12", "7", "5") << none;
    QTest::newRow("shares 000 tidied away and refused")
        << trade("12", "000", "5") << true << trade("12", "", "5")
        << std::optional(TradeField::Shares);
    QTest::newRow("both empty: price refused, shares untouched")
        << trade("", "", "5") << true << trade("", "", "5") << std::optional(TradeField::Price);
    QTest::newRow("profit empty becomes 0")
        << trade("12", "10", "") << true << trade("12", "10", "0") << none;
    QTest::newRow("profit .0 becomes 0")
        << trade("12", "10", ".0") << true << trade("12", "10", "0") << none;
    QTest::newRow("profit 100.50 tidied to 100.5 and refused")
        << trade("12", "10", "100.50") << true << trade("12", "10", "100.5")
        << std::optional(TradeField::Profit);
    QTest::newRow("profit 100.00 tidied to 100 and passes")
        << trade("12", "10", "100.00") << true << trade("12", "10", "100") << none;
    QTest::newRow("profit 250 in cash mode passes")
        << trade("12", "10", "0250") << false << trade("12", "10", "250") << none;
}

void TestTradeCheck::tidiedThenChecked()
{
    QFETCH(TradeTexts, typed);
    QFETCH(bool, percentMode);
    QFETCH(TradeTexts, tidied);
    QFETCH(std::optional<TradeField>, refusedField);
    TradeTexts trade = typed;
    ScheduleTexts schedule;

    normaliseFields(trade, schedule);
    const std::optional<TradeRefusal> refusal = check(trade, percentMode);

    QCOMPARE(trade, tidied);
    QCOMPARE(refusal.has_value(), refusedField.has_value());
    if (refusal)
        QCOMPARE(refusal->field, *refusedField);
}

void TestTradeCheck::feeFieldsStayTidiedAfterARefusal()
{
    TradeTexts trade{text("12"), text("10"), text("150")};
    ScheduleTexts schedule;
    schedule.brackets[0] = {text("0"), text("01000"), text("8.50"), false};
    schedule.brackets[1] = {text("1000"), text("99999999"), text(".5"), true};
    schedule.minimum = text("05.");

    normaliseFields(trade, schedule);
    QVERIFY(check(trade, true).has_value());

    QCOMPARE(schedule.brackets[0].upper, text("1000"));
    QCOMPARE(schedule.brackets[0].fee, text("8.5"));
    QCOMPARE(schedule.brackets[1].fee, text("0.5"));
    QCOMPARE(schedule.minimum, text("5"));
}

QTEST_APPLESS_MAIN(TestTradeCheck)
#include "tst_trade_check.moc"
