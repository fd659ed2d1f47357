#include "RateEntry.h"

#include <QTest>

class RateEntryTest : public QObject
{
    Q_OBJECT

private slots:
    void cleanup() { QLocale::setDefault(QLocale::c()); }

    void tidyRateGivesCanonicalText_data();
    void tidyRateGivesCanonicalText();
    void checksStopAtFirstFailure_data();
    void checksStopAtFirstFailure();
};

void RateEntryTest::tidyRateGivesCanonicalText_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("tidied");

    QTest::newRow("empty") << ""
                           << "0";
    QTest::newRow("zero with decimals") << "0.00"
                                        << "0";
    QTest::newRow("leading point") << ".5"
                                   << "0.5";
    QTest::newRow("leading zeros") << "007"
                                   << "7";
    QTest::newRow("zeros both sides") << "00.50"
                                      << "0.5";
    QTest::newRow("trailing zero") << "32.50"
                                   << "32.5";
    QTest::newRow("trailing point") << "10."
                                    << "10";
    QTest::newRow("point zero") << "10.0"
                                << "10";
    QTest::newRow("hundred untouched") << "100"
                                       << "100";
    QTest::newRow("zero before and after") << "05.0"
                                           << "5";
    QTest::newRow("lone point") << "."
                                << "0";
    QTest::newRow("lone zero") << "0"
                               << "0";
    QTest::newRow("zeros only") << "000"
                                << "0";
    QTest::newRow("leading zero before decimals") << "010.5"
                                                  << "10.5";
    QTest::newRow("small decimal kept") << "0.05"
                                        << "0.05";
    QTest::newRow("letters") << "abc"
                             << "0";
    QTest::newRow("negative from the file") << "-5"
                                            << "-5";
}

void RateEntryTest::tidyRateGivesCanonicalText()
{
    QFETCH(QString, typed);
    QFETCH(QString, tidied);

    QCOMPARE(tidyRate(typed), tidied);
}

void RateEntryTest::checksStopAtFirstFailure_data()
{
    QTest::addColumn<QString>("localeName");
    QTest::addColumn<QString>("first");
    QTest::addColumn<QString>("second");
    QTest::addColumn<QString>("third");
    QTest::addColumn<int>("refusedIndex"); // -1 when the rates are accepted
    QTest::addColumn<QString>("message");

    const char* firstTooHigh = "Le taux n°1 doit être inférieur ou égal à 100";
    const char* secondTooHigh = "Le taux n°2 doit être inférieur ou égal à 100";
    const char* thirdTooHigh = "Le taux n°3 doit être inférieur ou égal à 100";
    const char* secondNotAbove = "Le taux n°2 doit être strictement supérieur au taux n°1";
    const char* thirdNotAbove = "Le taux n°3 doit être strictement supérieur au taux n°2";

    for (const char* localeName : {"fr_FR", "C"}) {
        const QString name = QString::fromLatin1(localeName);
        QTest::addRow("%s equal first and second", localeName) << name << "5"
                                                               << "5"
                                                               << "20" << 1 << secondNotAbove;
        QTest::addRow("%s equal second and third", localeName) << name << "10"
                                                               << "26"
                                                               << "26" << 2 << thirdNotAbove;
        QTest::addRow("%s first above 100 hides the rest", localeName) << name << "101"
                                                                       << "26"
                                                                       << "32" << 0 << firstTooHigh;
        QTest::addRow("%s second above 100 before order", localeName)
            << name << "10"
            << "150"
            << "120" << 1 << secondTooHigh;
        QTest::addRow("%s third just above 100", localeName) << name << "10"
                                                             << "26"
                                                             << "100.1" << 2 << thirdTooHigh;
        QTest::addRow("%s third of 100 accepted", localeName) << name << "10"
                                                              << "26"
                                                              << "100" << -1 << "";
        QTest::addRow("%s first of 0 accepted", localeName) << name << "0"
                                                            << "5"
                                                            << "10" << -1 << "";
        QTest::addRow("%s falling first and second", localeName) << name << "30"
                                                                 << "20"
                                                                 << "40" << 1 << secondNotAbove;
        QTest::addRow("%s zero second fails the order", localeName) << name << "0"
                                                                    << "0"
                                                                    << "10" << 1 << secondNotAbove;
        QTest::addRow("%s decimals compared as numbers", localeName) << name << "9.5"
                                                                     << "10"
                                                                     << "10.25" << -1 << "";
        QTest::addRow("%s comma rate compared as a number", localeName)
            << name << "10"
            << "26"
            << "100,5" << 2 << thirdTooHigh;
    }
}

void RateEntryTest::checksStopAtFirstFailure()
{
    QFETCH(QString, localeName);
    QFETCH(QString, first);
    QFETCH(QString, second);
    QFETCH(QString, third);
    QFETCH(int, refusedIndex);
    QFETCH(QString, message);

    const QLocale locale(localeName);
    QLocale::setDefault(locale);
    const std::optional<RateRefusal> refusal = checkRates({first, second, third}, locale);

    if (refusedIndex < 0) {
        QVERIFY(!refusal.has_value());
        return;
    }
    QVERIFY(refusal.has_value());
    QCOMPARE(refusal->index, refusedIndex);
    QCOMPARE(refusal->text, message);
}

QTEST_GUILESS_MAIN(RateEntryTest)
#include "tst_tax_rate_entry.moc"
