#include "ResultTexts.h"

#include <QLocale>
#include <QTest>

Q_DECLARE_METATYPE(EurosVariant)
Q_DECLARE_METATYPE(TradeSide)

using namespace Qt::Literals::StringLiterals;

class ResultTextsTest : public QObject
{
    Q_OBJECT

private slots:
    void texteEuros_data();
    void texteEuros();
    void feeCaption_data();
    void feeCaption();
};

void ResultTextsTest::texteEuros_data()
{
    QTest::addColumn<QLocale>("locale");
    QTest::addColumn<double>("value");
    QTest::addColumn<EurosVariant>("variant");
    QTest::addColumn<QString>("expected");

    const struct
    {
        const char* name;
        double value;
        EurosVariant variant;
        QString expected;
    } rows[] = {
        {"price 10.10", 10.10, EurosVariant::Price, u" 10.1 euros"_s},
        {"price 11.56", 11.56, EurosVariant::Price, u" 11.56 euros"_s},
        {"price 101", 101, EurosVariant::Price, u" 101 euros"_s},
        {"price 1.01", 1.01, EurosVariant::Price, u" 1.01 euros"_s},
        {"price exactly 1", 1, EurosVariant::Price, u"1 euro"_s},
        {"price 0", 0, EurosVariant::Price, u"0 euro"_s},
        {"price 0.45", 0.45, EurosVariant::Price, u"0.45 euro"_s},
        {"price 0.05", 0.05, EurosVariant::Price, u"0.05 euro"_s},
        {"price 0.99", 0.99, EurosVariant::Price, u"0.99 euro"_s},
        {"profit 136.49", 136.49, EurosVariant::Profit, u" 136.49 euros"_s},
        {"profit exactly 1", 1, EurosVariant::Profit, u"1 euro"_s},
        {"profit 0", 0, EurosVariant::Profit, u"0 euro"_s},
        {"profit -3.20", -3.20, EurosVariant::Profit, u"0 euro"_s},
        {"profit -0.01", -0.01, EurosVariant::Profit, u"0 euro"_s},
        {"profit 0.45", 0.45, EurosVariant::Profit, u"0.45 euro"_s},
    };
    // The labels write a point whatever the regional settings.
    const QLocale locales[] = {QLocale(QLocale::French, QLocale::France), QLocale::c()};
    for (const QLocale& locale : locales) {
        for (const auto& row : rows) {
            QTest::addRow("%s, %s", qPrintable(locale.name()), row.name)
                << locale << row.value << row.variant << row.expected;
        }
    }
}

void ResultTextsTest::texteEuros()
{
    QFETCH(QLocale, locale);
    QFETCH(double, value);
    QFETCH(EurosVariant, variant);

    QLocale::setDefault(locale);
    QTEST(Texte_Euros(value, variant), "expected");
}

void ResultTextsTest::feeCaption_data()
{
    QTest::addColumn<QLocale>("locale");
    QTest::addColumn<double>("fee");
    QTest::addColumn<TradeSide>("side");
    QTest::addColumn<QString>("expected");

    const QLocale french(QLocale::French, QLocale::France);
    const QLocale point = QLocale::c();
    const QLocale english(QLocale::English, QLocale::UnitedKingdom);

    QTest::newRow("fr, 9.50 at the purchase")
        << french << 9.50 << TradeSide::Purchase << u"9,5 euros\n\rà l'achat"_s;
    QTest::newRow("fr, 0 at the purchase")
        << french << 0.0 << TradeSide::Purchase << u"0 euro\n\rà l'achat"_s;
    QTest::newRow("fr, 1 at the sale")
        << french << 1.0 << TradeSide::Sale << u"1 euro\n\rà la vente"_s;
    QTest::newRow("fr, 10 at the sale")
        << french << 10.0 << TradeSide::Sale << u"10 euros\n\rà la vente"_s;
    // "1,5" reads back as 1 by the plain reading: singular.
    QTest::newRow("fr, 1.50 at the purchase")
        << french << 1.50 << TradeSide::Purchase << u"1,5 euro\n\rà l'achat"_s;
    QTest::newRow("fr, 0.45 at the sale")
        << french << 0.45 << TradeSide::Sale << u"0,45 euro\n\rà la vente"_s;
    QTest::newRow("fr, 5.6125 shown to the cent")
        << french << 5.6125 << TradeSide::Sale << u"5,61 euros\n\rà la vente"_s;
    QTest::newRow("fr, 9.996 rounds to 10")
        << french << 9.996 << TradeSide::Purchase << u"10 euros\n\rà l'achat"_s;
    QTest::newRow("C, 1.50 at the purchase")
        << point << 1.50 << TradeSide::Purchase << u"1.5 euros\n\rà l'achat"_s;
    QTest::newRow("C, 9.50 at the purchase")
        << point << 9.50 << TradeSide::Purchase << u"9.5 euros\n\rà l'achat"_s;
    QTest::newRow("C, 1 at the sale")
        << point << 1.0 << TradeSide::Sale << u"1 euro\n\rà la vente"_s;
    QTest::newRow("en_GB, 2.25 at the sale")
        << english << 2.25 << TradeSide::Sale << u"2.25 euros\n\rà la vente"_s;
    // The plural follows the fee before rounding: 1.004 is shown as 1 and is still above 1.
    QTest::newRow("C, 1.004 shown as 1, plural kept")
        << point << 1.004 << TradeSide::Purchase << u"1 euros\n\rà l'achat"_s;
    QTest::newRow("fr, 1.004 shown as 1, reads back as 1")
        << french << 1.004 << TradeSide::Purchase << u"1 euro\n\rà l'achat"_s;
}

void ResultTextsTest::feeCaption()
{
    QFETCH(QLocale, locale);
    QFETCH(double, fee);
    QFETCH(TradeSide, side);

    // The default locale must not leak in: the text follows the locale handed over.
    QLocale::setDefault(QLocale(QLocale::Arabic, QLocale::Egypt));
    QTEST(::feeCaption(fee, side, locale), "expected");
}

QTEST_GUILESS_MAIN(ResultTextsTest)
#include "tst_result_texts.moc"
