#include "FakeMessenger.h"
#include "IniStore.h"
#include "RateFiles.h"
#include "TaxRates.h"
#include "TempSettings.h"

#include <QTest>

namespace {

const QString repairTitle = QStringLiteral("Erreur de saisie");
const QString tooHigh = QStringLiteral("Les plus-values ne peuvent être imposées à plus de 100 %.");
const QString negative = QStringLiteral("L'imposition des plus-values ne peut être négative.");
const QString firstReset = QStringLiteral("La première valeur va être réinitialisée à 10 %");
const QString secondReset = QStringLiteral("La deuxième valeur va être réinitialisée à 26 %");
const QString secondResetAbove = QStringLiteral("La deuxime valeur va être réinitialisée à 26 %");
const QString thirdReset = QStringLiteral("La troisième valeur va être réinitialisée à 32.5 %");

QStringList texts(std::initializer_list<const char*> items)
{
    QStringList list;
    for (const char* item : items)
        list << QString::fromUtf8(item);
    return list;
}

QString twoLines(const QString& first, const QString& second)
{
    return first + QChar(10) + QChar(13) + second;
}

QStringList asList(const RateTexts& rates)
{
    return {rates[0], rates[1], rates[2]};
}

} // namespace

class TaxRatesTest : public QObject
{
    Q_OBJECT

private slots:
    void cleanup() { QLocale::setDefault(QLocale::c()); }

    void shownRatesAreRepaired_data();
    void shownRatesAreRepaired();
    void shownRatesWithoutFileAreDefaults();
    void captionAddsPercentSign_data();
    void captionAddsPercentSign();
    void calculationRatesUseTheirOwnDefaults_data();
    void calculationRatesUseTheirOwnDefaults();
    void calculationRatesAreNotRepaired();
    void rateValueReadsPointAndComma_data();
    void rateValueReadsPointAndComma();
};

void TaxRatesTest::shownRatesAreRepaired_data()
{
    QTest::addColumn<QString>("localeName");
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<QStringList>("expectedFile");
    QTest::addColumn<QStringList>("expectedRates");
    QTest::addColumn<QStringList>("expectedMessages");

    QTest::newRow("first above 100")
        << "fr_FR" << rateFile("150", "26", "32.50") << texts({"10", "26", "32.50"})
        << texts({"10", "26", "32.50"}) << QStringList{twoLines(tooHigh, firstReset)};
    QTest::newRow("first below 0")
        << "fr_FR" << rateFile("-3", "26", "32.50") << texts({"10", "26", "32.50"})
        << texts({"10", "26", "32.50"}) << QStringList{twoLines(negative, firstReset)};
    QTest::newRow("second below 0")
        << "fr_FR" << rateFile("10", "-5", "32.50") << texts({"10", "26", "32.50"})
        << texts({"10", "26", "32.50"}) << QStringList{twoLines(negative, secondReset)};
    QTest::newRow("second above 100 has its own wording")
        << "fr_FR" << rateFile("10", "101", "32.50") << texts({"10", "26", "32.50"})
        << texts({"10", "26", "32.50"}) << QStringList{twoLines(tooHigh, secondResetAbove)};
    QTest::newRow("third below 0 under a point locale")
        << "en_US" << rateFile("10", "26", "-1") << texts({"10", "26", "32.5"})
        << texts({"10", "26", "32.5"}) << QStringList{twoLines(negative, thirdReset)};
    QTest::newRow("third below 0 under a comma locale")
        << "fr_FR" << rateFile("10", "26", "-1") << texts({"10", "26", "32.5"})
        << texts({"10", "26", "32,5"}) << QStringList{twoLines(negative, thirdReset)};
    QTest::newRow("third above 100 under a comma locale")
        << "fr_FR" << rateFile("10", "26", "200") << texts({"10", "26", "32.5"})
        << texts({"10", "26", "32,5"}) << QStringList{twoLines(tooHigh, thirdReset)};
    QTest::newRow("first and third out of range, first told first")
        << "en_US" << rateFile("150", "26", "200") << texts({"10", "26", "32.5"})
        << texts({"10", "26", "32.5"})
        << QStringList{twoLines(tooHigh, firstReset), twoLines(tooHigh, thirdReset)};
    QTest::newRow("first of 100 is valid")
        << "fr_FR" << rateFile("100", "26", "32.50") << texts({"100", "26", "32.50"})
        << texts({"100", "26", "32.50"}) << QStringList{};
    QTest::newRow("first of 0 is valid")
        << "fr_FR" << rateFile("0", "26", "32.50") << texts({"0", "26", "32.50"})
        << texts({"0", "26", "32.50"}) << QStringList{};
    QTest::newRow("blank first gives the default")
        << "fr_FR" << rateFile("   ", "26", "32.50") << texts({"", "26", "32.50"})
        << texts({"10", "26", "32.50"}) << QStringList{};
    QTest::newRow("missing keys give the defaults")
        << "en_US" << QByteArray("[Vantrelle]\r\nC=F\r\n") << texts({"", "", ""})
        << texts({"10", "26", "32.50"}) << QStringList{};
    QTest::newRow("rising order is not checked")
        << "fr_FR" << rateFile("30", "20", "25") << texts({"30", "20", "25"})
        << texts({"30", "20", "25"}) << QStringList{};
    QTest::newRow("letters are shown unchanged")
        << "fr_FR" << rateFile("abc", "26", "32.50") << texts({"abc", "26", "32.50"})
        << texts({"abc", "26", "32.50"}) << QStringList{};
    QTest::newRow("comma rate above 100 is repaired")
        << "fr_FR" << rateFile("100,5", "26", "32.50") << texts({"10", "26", "32.50"})
        << texts({"10", "26", "32.50"}) << QStringList{twoLines(tooHigh, firstReset)};
}

void TaxRatesTest::shownRatesAreRepaired()
{
    QFETCH(QString, localeName);
    QFETCH(QByteArray, file);
    QFETCH(QStringList, expectedFile);
    QFETCH(QStringList, expectedRates);
    QFETCH(QStringList, expectedMessages);

    const QLocale locale(localeName);
    QLocale::setDefault(locale);
    TempSettings settings;
    settings.setContents(file);
    FakeMessenger messenger;

    const RateTexts rates = loadShownRates(settings.store(), messenger, locale);

    QCOMPARE(asList(rates), expectedRates);
    QCOMPARE(storedRates(settings.store()), expectedFile);
    QStringList shownTexts;
    for (const Message& message : std::as_const(messenger.shown)) {
        shownTexts << message.text;
        QCOMPARE(message.title, repairTitle);
        QCOMPARE(message.icon, MessageIcon::Information);
    }
    QCOMPARE(shownTexts, expectedMessages);
    if (expectedMessages.isEmpty())
        QCOMPARE(settings.contents(), file);
}

void TaxRatesTest::shownRatesWithoutFileAreDefaults()
{
    TempSettings settings;
    FakeMessenger messenger;

    const RateTexts rates = loadShownRates(settings.store(), messenger, QLocale(QLocale::French));

    QCOMPARE(asList(rates), (texts({"10", "26", "32.50"})));
    QVERIFY(messenger.shown.isEmpty());
    QVERIFY(!settings.exists());
}

void TaxRatesTest::captionAddsPercentSign_data()
{
    QTest::addColumn<QString>("rate");
    QTest::addColumn<QString>("caption");

    QTest::newRow("whole") << "26"
                           << "26 %";
    QTest::newRow("as stored") << "32.50"
                               << "32.50 %";
    QTest::newRow("regional") << "32,5"
                              << "32,5 %";
    QTest::newRow("letters") << "abc"
                             << "abc %";
}

void TaxRatesTest::captionAddsPercentSign()
{
    QFETCH(QString, rate);
    QFETCH(QString, caption);

    QCOMPARE(rateCaption(rate), caption);
}

void TaxRatesTest::calculationRatesUseTheirOwnDefaults_data()
{
    QTest::addColumn<QString>("localeName");
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<QStringList>("expectedRates");

    QTest::newRow("no keys, comma locale")
        << "fr_FR" << QByteArray() << texts({"10", "26", "32,5"});
    QTest::newRow("no keys, point locale")
        << "en_US" << QByteArray() << texts({"10", "26", "32.5"});
    QTest::newRow("blank third, comma locale")
        << "fr_FR" << rateFile("12", "20", "  ") << texts({"12", "20", "32,5"});
    QTest::newRow("stored texts as they are")
        << "fr_FR" << rateFile("5", "20.50", "32.5") << texts({"5", "20.50", "32.5"});
}

void TaxRatesTest::calculationRatesUseTheirOwnDefaults()
{
    QFETCH(QString, localeName);
    QFETCH(QByteArray, file);
    QFETCH(QStringList, expectedRates);

    const QLocale locale(localeName);
    QLocale::setDefault(locale);
    TempSettings settings;
    if (!file.isEmpty())
        settings.setContents(file);

    QCOMPARE(asList(loadCalculationRates(settings.store(), locale)), expectedRates);
}

void TaxRatesTest::calculationRatesAreNotRepaired()
{
    TempSettings settings;
    const QByteArray file = rateFile("150", "-5", "abc");
    settings.setContents(file);

    const RateTexts rates = loadCalculationRates(settings.store(), QLocale(QLocale::French));

    QCOMPARE(asList(rates), (texts({"150", "-5", "abc"})));
    QCOMPARE(settings.contents(), file);
}

void TaxRatesTest::rateValueReadsPointAndComma_data()
{
    QTest::addColumn<QString>("localeName");
    QTest::addColumn<QString>("text");
    QTest::addColumn<double>("expected");

    for (const char* localeName : {"fr_FR", "en_US", "C"}) {
        const QString name = QString::fromLatin1(localeName);
        QTest::addRow("%s point", localeName) << name << "32.5" << 32.5;
        QTest::addRow("%s comma", localeName) << name << "32,5" << 32.5;
        QTest::addRow("%s whole", localeName) << name << "26" << 26.0;
        QTest::addRow("%s as stored", localeName) << name << "32.50" << 32.5;
        QTest::addRow("%s negative", localeName) << name << "-5" << -5.0;
        QTest::addRow("%s empty", localeName) << name << "" << 0.0;
        QTest::addRow("%s letters", localeName) << name << "abc" << 0.0;
        QTest::addRow("%s leading number", localeName) << name << "12abc" << 12.0;
    }
}

void TaxRatesTest::rateValueReadsPointAndComma()
{
    QFETCH(QString, localeName);
    QFETCH(QString, text);
    QFETCH(double, expected);

    const QLocale locale(localeName);
    QLocale::setDefault(locale);
    QCOMPARE(rateValue(text, locale), expected);
}

QTEST_GUILESS_MAIN(TaxRatesTest)
#include "tst_tax_rates.moc"
