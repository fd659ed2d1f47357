#include "CalcMessages.h"
#include "FeeRules.h"
#include "SellingPriceSearch.h"

#include <QLocale>
#include <QTest>

Q_DECLARE_METATYPE(CalcOutcome)
Q_DECLARE_METATYPE(TradeSide)
Q_DECLARE_METATYPE(Message)

using namespace Qt::Literals::StringLiterals;

namespace {

const QString crlf = u"\r\n"_s;
const QString lfcr = u"\n\r"_s;

// The inexact example: bracket 1 at 1 % up to 1,000, bracket 2 fixed 5 beyond; 100 shares
// bought at 9.60, 19 euros wanted, rate 10.
SellingPrice inexactExample()
{
    Schedule schedule;
    schedule.brackets[0] = {1000, 1, true};
    schedule.brackets[1] = {openBound, 5, false};
    return findSellingPrice(schedule, Trade{9.60, 100, 19, false}, 10).result;
}

CalcOutcome refused(CalcStatus status, int bracketNumber = 0)
{
    CalcOutcome outcome;
    outcome.status = status;
    outcome.bracketNumber = bracketNumber;
    return outcome;
}

} // namespace

class CalcMessagesTest : public QObject
{
    Q_OBJECT

private slots:
    void limitMessages_data();
    void limitMessages();
    void inexactMessageOfTheExample();
    void inexactMessageNumbers_data();
    void inexactMessageNumbers();
    void refusalMessages_data();
    void refusalMessages();
};

void CalcMessagesTest::limitMessages_data()
{
    QTest::addColumn<TradeSide>("side");
    QTest::addColumn<QString>("secondLine");

    QTest::newRow("purchase") << TradeSide::Purchase
                              << u"dont le prix de revient est supérieur à 99 999 999 euros."_s;
    QTest::newRow("sale") << TradeSide::Sale
                          << u"dont le prix de vente est supérieur à 99 999 999 euros."_s;
}

void CalcMessagesTest::limitMessages()
{
    QFETCH(TradeSide, side);
    QFETCH(QString, secondLine);

    const Message message = limitMessage(side);
    QCOMPARE(message.title, u"Frais de courtage"_s);
    QCOMPARE(message.icon, MessageIcon::Information);
    QCOMPARE(message.text, u"Ce logiciel n'est pas conçu pour traiter des actions"_s + lfcr +
                               secondLine + lfcr +
                               u"Merci de faire les corrections nécessaires."_s);
}

void CalcMessagesTest::inexactMessageOfTheExample()
{
    const SellingPrice result = inexactExample();
    QVERIFY(result.inexact);

    const Message message =
        inexactPriceMessage(result, 19, false, QLocale(QLocale::French, QLocale::France));
    QCOMPARE(message.title, u"Prix de vente minimum incalculable"_s);
    QCOMPARE(message.icon, MessageIcon::Information);
    const QStringList lines = message.text.split(crlf);
    QCOMPARE(lines.size(), 8);
    QCOMPARE(lines[0], u"Le calcul ne peut être juste car en utilisant un prix de vente"_s);
    QCOMPARE(lines[1], u"minimum de 10 euros, le bénéfice net est de 18 euros"_s);
    QCOMPARE(lines[2], u"En revanche, si on fixe le prix de vente minimum à"_s);
    QCOMPARE(lines[3], u"10,01 euros, le bénéfice net après impôt est alors de"_s);
    QCOMPARE(lines[4], u"23,4 euros. Le bénéfice de 19 € ne peut donc être"_s);
    QCOMPARE(lines[5], u"calculé avec exactitude."_s);
    QCOMPARE(lines[6], u"Ce problème n'est pas dû à une erreur de calcul du logiciel "_s);
    QCOMPARE(lines[7], u"mais aux frais de courtage de votre intermédiaire financier."_s);
    // No stray line feed or carriage return outside the pairs.
    QCOMPARE(message.text.count(u'\r'), 7);
    QCOMPARE(message.text.count(u'\n'), 7);
}

void CalcMessagesTest::inexactMessageNumbers_data()
{
    QTest::addColumn<QLocale>("locale");
    QTest::addColumn<double>("wantedProfit");
    QTest::addColumn<bool>("percentMode");
    QTest::addColumn<QString>("line2");
    QTest::addColumn<QString>("line4");
    QTest::addColumn<QString>("line5");

    // A hand-made result: the message only formats what it is given.
    const QLocale french(QLocale::French, QLocale::France);
    QTest::newRow("fr, percentage, unrounded wanted profit")
        << french << 12.125 << true << u"minimum de 0,5 euros, le bénéfice net est de 0 euros"_s
        << u"0,51 euros, le bénéfice net après impôt est alors de"_s
        << u"1234,56 euros. Le bénéfice de 12,125 % ne peut donc être"_s;
    QTest::newRow("C, cash") << QLocale::c() << 19.0 << false
                             << u"minimum de 0.5 euros, le bénéfice net est de 0 euros"_s
                             << u"0.51 euros, le bénéfice net après impôt est alors de"_s
                             << u"1234.56 euros. Le bénéfice de 19 € ne peut donc être"_s;
}

void CalcMessagesTest::inexactMessageNumbers()
{
    QFETCH(QLocale, locale);
    QFETCH(double, wantedProfit);
    QFETCH(bool, percentMode);

    SellingPrice result;
    result.inexact = true;
    result.price = 0.50;
    result.profitAfterTax = 0;
    result.nextCentPrice = 0.51;
    result.nextCentProfitAfterTax = 1234.56;

    const QStringList lines =
        inexactPriceMessage(result, wantedProfit, percentMode, locale).text.split(crlf);
    QCOMPARE(lines.size(), 8);
    QTEST(lines[1], "line2");
    QTEST(lines[3], "line4");
    QTEST(lines[4], "line5");
}

void CalcMessagesTest::refusalMessages_data()
{
    QTest::addColumn<CalcOutcome>("outcome");
    QTest::addColumn<QString>("languageCode");
    QTest::addColumn<Message>("expected");

    const Message taxFrench{
        u"Erreur de saisie"_s,
        u"Le taux d'imposition doit être inférieur à 100 % pour que le calcul soit possible"_s,
        MessageIcon::Exclamation};
    const Message taxEnglish{
        u"Capture error"_s,
        u"The tax rate must be below 100 % for the calculation to be possible"_s,
        MessageIcon::Exclamation};
    QTest::newRow("tax rate, French") << refused(CalcStatus::TaxRateInvalid) << u"F"_s << taxFrench;
    QTest::newRow("tax rate, no language code")
        << refused(CalcStatus::TaxRateInvalid) << QString() << taxFrench;
    QTest::newRow("tax rate, English")
        << refused(CalcStatus::TaxRateInvalid) << u"A"_s << taxEnglish;
    QTest::newRow("tax rate, lower-case a is not English")
        << refused(CalcStatus::TaxRateInvalid) << u"a"_s << taxFrench;

    QTest::newRow("percentage fee of bracket 1, French")
        << refused(CalcStatus::PercentageFeeInvalid, 1) << u"F"_s
        << Message{u"Erreur de saisie"_s,
                   u"Les frais de courtage de la première fourchette doivent être inférieurs à "
                   u"100 % pour que le calcul soit possible"_s,
                   MessageIcon::Exclamation};
    QTest::newRow("percentage fee of bracket 4, French")
        << refused(CalcStatus::PercentageFeeInvalid, 4) << u"F"_s
        << Message{u"Erreur de saisie"_s,
                   u"Les frais de courtage de la quatrième fourchette doivent être inférieurs à "
                   u"100 % pour que le calcul soit possible"_s,
                   MessageIcon::Exclamation};
    QTest::newRow("percentage fee of bracket 5, English")
        << refused(CalcStatus::PercentageFeeInvalid, 5) << u"A"_s
        << Message{u"Capture error"_s,
                   u"The brokerage fee of the fifth bracket must be below 100 % for the "
                   u"calculation to be possible"_s,
                   MessageIcon::Exclamation};
    QTest::newRow("percentage fee of bracket 2, English")
        << refused(CalcStatus::PercentageFeeInvalid, 2) << u"A"_s
        << Message{u"Capture error"_s,
                   u"The brokerage fee of the second bracket must be below 100 % for the "
                   u"calculation to be possible"_s,
                   MessageIcon::Exclamation};

    // The limit messages exist in French only.
    QTest::newRow("purchase over the limit, English")
        << refused(CalcStatus::PurchaseOverLimit) << u"A"_s << limitMessage(TradeSide::Purchase);
    QTest::newRow("sale over the limit, French")
        << refused(CalcStatus::SaleOverLimit) << u"F"_s << limitMessage(TradeSide::Sale);

    QTest::newRow("unusable price, French")
        << refused(CalcStatus::PriceInvalid) << u"F"_s
        << Message{
               u"Erreur de calcul"_s,
               u"Le prix de vente minimum ne peut pas être calculé avec ces données."_s + lfcr +
                   u"Merci de vérifier le prix d'achat, le bénéfice et les frais de courtage."_s,
               MessageIcon::Exclamation};
    QTest::newRow("unusable price, English")
        << refused(CalcStatus::PriceInvalid) << u"A"_s
        << Message{u"Calculation error"_s,
                   u"The minimum selling price cannot be calculated from these data."_s + lfcr +
                       u"Please check the purchase price, the profit and the brokerage fees."_s,
                   MessageIcon::Exclamation};
}

void CalcMessagesTest::refusalMessages()
{
    QFETCH(CalcOutcome, outcome);
    QFETCH(QString, languageCode);
    QFETCH(Message, expected);

    const Message message = refusalMessage(outcome, languageCode);
    QCOMPARE(message.title, expected.title);
    QCOMPARE(message.text, expected.text);
    QCOMPARE(message.icon, expected.icon);
}

QTEST_GUILESS_MAIN(CalcMessagesTest)
#include "tst_calc_messages.moc"
