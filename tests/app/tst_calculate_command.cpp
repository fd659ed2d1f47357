#include "DataPage.h"
#include "FeePage.h"
#include "MainWindowFixture.h"
#include "ResultArea.h"
#include "SettingsKeys.h"

#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QTest>

namespace {

const QByteArray fixedTen = "[Vantrelle]\r\nFB1=0\r\nFH1=99999999\r\nF1=10\r\n";
const QByteArray dropAtThousand = "[Vantrelle]\r\nFB1=0\r\nFH1=1000\r\nF1=1\r\nP1=Vrai\r\n"
                                  "FB2=1000\r\nFH2=99999999\r\nF2=5\r\nT1=10\r\n";

void enterTrade(Fen_principale& window, const char* price, const char* shares, const char* profit)
{
    window.dataPage()->Text_pa->setText(QLatin1String(price));
    window.dataPage()->Text_nb->setText(QLatin1String(shares));
    window.dataPage()->Text_ben->setText(QLatin1String(profit));
}

QStringList resultTexts(const Fen_principale& window)
{
    const ResultArea* r = window.results();
    return {r->Text_Px_Rev->text(),        r->Text_pv->text(),
            r->Text_Bén_Avt_Impôt->text(), r->Text_Bén_Après_Impôt->text(),
            r->Text_Frais_Achat->text(),   r->Text_Frais_Vente->text()};
}

} // namespace

class CalculateCommandTest : public QObject
{
    Q_OBJECT

private slots:
    void init() { QLocale::setDefault(QLocale(QLocale::French, QLocale::France)); }
    void cleanup() { QLocale::setDefault(QLocale::c()); }

    void exactPriceFillsTheResults_data();
    void exactPriceFillsTheResults();
    void feeJumpExplainsTheGap();
    void overLimitEndsWithClearData_data();
    void overLimitEndsWithClearData();
    void clearDataResetsTheTradeOnly();
    void impossibleRatesAreRefusedBeforeTheWindowChanges_data();
    void impossibleRatesAreRefusedBeforeTheWindowChanges();
    void scheduleRefusalShowsTheFeePage();
    void tradeMessageFollowsTheLanguageOfTheMoment();
    void limitsThatAreNoLimitsAreShownEmpty_data();
    void limitsThatAreNoLimitsAreShownEmpty();
    void shortPriceIsMarkedUntilTheNextResult();
    void changedInputsDimTheResults_data();
    void changedInputsDimTheResults();
    void roundingUpIsReadAtStartUp_data();
    void roundingUpIsReadAtStartUp();
    void roundingUpIsWrittenWhenToggled();
};

void CalculateCommandTest::exactPriceFillsTheResults_data()
{
    QTest::addColumn<bool>("cash");
    QTest::addColumn<QString>("profit");
    QTest::addColumn<QStringList>("expected");
    QTest::newRow("percentage") << false << "10"
                                << QStringList{" 10.1 euros",         " 11.56 euros",
                                               " 136.49 euros",       " 101 euros",
                                               "10 euros\nà l'achat", "10 euros\nà la vente"};
    QTest::newRow("cash") << true << "100"
                          << QStringList{" 10.1 euros",         " 11.55 euros",
                                         " 135.14 euros",       " 100 euros",
                                         "10 euros\nà l'achat", "10 euros\nà la vente"};
}

void CalculateCommandTest::exactPriceFillsTheResults()
{
    QFETCH(bool, cash);
    QFETCH(QString, profit);
    QFETCH(QStringList, expected);
    MainWindowFixture f;
    f.settings.setContents(fixedTen);
    Fen_principale& window = f.open();
    enterTrade(window, "10", "100", "");
    window.dataPage()->Text_ben->setText(profit);
    if (cash)
        window.dataPage()->Numéraire->setChecked(true);
    window.findChild<QAction*>(QStringLiteral("Calculer"))->trigger();

    QCOMPARE(resultTexts(window), expected);
    QVERIFY(f.messenger.shown.isEmpty());
    QVERIFY(window.results()->framesVisible());
    QCOMPARE(window.size(), window.expandedSize());
    QCOMPARE(QApplication::focusWidget(), window.dataPage()->Bout_Calculer);
}

void CalculateCommandTest::feeJumpExplainsTheGap()
{
    MainWindowFixture f;
    f.settings.setContents(dropAtThousand);
    Fen_principale& window = f.open();
    enterTrade(window, "9.60", "100", "19");
    window.dataPage()->Numéraire->setChecked(true);
    window.dataPage()->dix->setChecked(true);
    window.dataPage()->Bout_Calculer->click();

    const QStringList texts = resultTexts(window);
    QCOMPARE(texts.mid(0, 4), (QStringList{" 9.7 euros", " 10 euros", " 20 euros", " 18 euros"}));
    QCOMPARE(f.messenger.shown.size(), 1);
    const Message& message = f.messenger.shown.first();
    QCOMPARE(message.title, QStringLiteral("Prix de vente minimum incalculable"));
    QCOMPARE(message.icon, MessageIcon::Information);
    const QStringList lines = message.text.split(QStringLiteral("\r\n"));
    QCOMPARE(lines.size(), 8);
    QCOMPARE(lines[1], QStringLiteral("minimum de 10 euros, le bénéfice net est de 18 euros"));
    QVERIFY(lines[3].startsWith(QStringLiteral("10,01 euros, le bénéfice")));
    QCOMPARE(lines[4], QStringLiteral("23,4 euros. Le bénéfice de 19 € ne peut donc être"));
}

void CalculateCommandTest::overLimitEndsWithClearData_data()
{
    QTest::addColumn<QString>("price");
    QTest::addColumn<QString>("profit");
    QTest::addColumn<QString>("secondLine");
    QTest::newRow("purchase") << "1000000"
                              << "10"
                              << "dont le prix de revient est supérieur à 99 999 999 euros.";
    QTest::newRow("sale") << "900000"
                          << "20"
                          << "dont le prix de vente est supérieur à 99 999 999 euros.";
}

void CalculateCommandTest::overLimitEndsWithClearData()
{
    QFETCH(QString, price);
    QFETCH(QString, profit);
    QFETCH(QString, secondLine);
    MainWindowFixture f;
    f.settings.setContents(fixedTen);
    Fen_principale& window = f.open();
    enterTrade(window, "", "100", "");
    window.dataPage()->Text_pa->setText(price);
    window.dataPage()->Text_ben->setText(profit);
    window.dataPage()->Bout_Calculer->click();

    QCOMPARE(f.messenger.shown.size(), 1);
    const Message& message = f.messenger.shown.first();
    QCOMPARE(message.title, QStringLiteral("Frais de courtage"));
    QCOMPARE(message.text,
             QStringLiteral("Ce logiciel n'est pas conçu pour traiter des actions\n\r") +
                 secondLine + QStringLiteral("\n\rMerci de faire les corrections nécessaires."));
    QVERIFY(!window.results()->framesVisible());
    QCOMPARE(window.size(), window.compactSize());
    QVERIFY(window.dataPage()->Text_pa->text().isEmpty());
    QVERIFY(window.dataPage()->Text_nb->text().isEmpty());
    QCOMPARE(QApplication::focusWidget(), window.dataPage()->Text_pa);
}

void CalculateCommandTest::clearDataResetsTheTradeOnly()
{
    MainWindowFixture f;
    f.settings.setContents(fixedTen);
    Fen_principale& window = f.open();
    enterTrade(window, "10", "100", "100");
    window.dataPage()->Numéraire->setChecked(true);
    window.dataPage()->trente_deux->setChecked(true);
    window.dataPage()->Bout_Calculer->click();
    QVERIFY(window.results()->framesVisible());
    const QByteArray fileAfterCalculation = f.settings.contents();
    const ScheduleTexts schedule = window.feePage()->schedule();

    window.findChild<QAction*>(QStringLiteral("EffacerLesDonnées"))->trigger();

    QCOMPARE(window.size(), window.compactSize());
    QVERIFY(!window.results()->framesVisible());
    QVERIFY(window.results()->Text_pv->text().isEmpty());
    QVERIFY(window.dataPage()->Text_pa->text().isEmpty());
    QVERIFY(window.dataPage()->Text_nb->text().isEmpty());
    QVERIFY(window.dataPage()->Text_ben->text().isEmpty());
    QVERIFY(window.dataPage()->Pourcentage->isChecked());
    QVERIFY(window.dataPage()->vingt_six->isChecked());
    QCOMPARE(window.dataPage()->Label4->text(), QStringLiteral("Bénéfice désiré (0 - 100)"));
    QCOMPARE(QApplication::focusWidget(), window.dataPage()->Text_pa);
    QCOMPARE(window.feePage()->schedule(), schedule);
    QCOMPARE(f.settings.contents(), fileAfterCalculation);
}

void CalculateCommandTest::impossibleRatesAreRefusedBeforeTheWindowChanges_data()
{
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<int>("page");
    QTest::addColumn<QString>("focus");
    QTest::newRow("tax rate of 100") << fixedTen + "T2=100\r\n" << 0 << "vingt_six";
    QTest::newRow("percentage fee of 100")
        << QByteArray("[Vantrelle]\r\nFB1=0\r\nFH1=99999999\r\nF1=100\r\nP1=Vrai\r\n") << 1
        << "Text_F1";
}

void CalculateCommandTest::impossibleRatesAreRefusedBeforeTheWindowChanges()
{
    QFETCH(QByteArray, file);
    QFETCH(int, page);
    QFETCH(QString, focus);
    MainWindowFixture f;
    f.settings.setContents(file);
    Fen_principale& window = f.open();
    enterTrade(window, "10", "100", "10");
    window.dataPage()->Bout_Calculer->click();

    QCOMPARE(f.messenger.shown.size(), 1);
    QCOMPARE(f.messenger.shown.first().icon, MessageIcon::Exclamation);
    QCOMPARE(window.Tabulation()->currentIndex(), page);
    QCOMPARE(QApplication::focusWidget()->objectName(), focus);
    QCOMPARE(window.size(), window.compactSize());
    QVERIFY(!window.results()->framesVisible());
    for (const QString& text : resultTexts(window))
        QVERIFY(text.isEmpty());
}

void CalculateCommandTest::scheduleRefusalShowsTheFeePage()
{
    MainWindowFixture f;
    f.settings.setContents("[Vantrelle]\r\nFB1=0\r\nFH1=1000\r\nF1=10\r\n"
                           "FB2=1000\r\nFH2=800\r\nF2=5\r\n");
    const QByteArray before = f.settings.contents();
    Fen_principale& window = f.open();
    const QByteArray afterStart = f.settings.contents();
    enterTrade(window, "10", "100", "10");
    window.dataPage()->Bout_Calculer->click();

    QCOMPARE(f.messenger.shown.size(), 1);
    QCOMPARE(window.Tabulation()->currentIndex(), 1);
    QCOMPARE(QApplication::focusWidget(), window.feePage()->rows[1].lower);
    QVERIFY(window.feePage()->rows[1].lower->text().isEmpty());
    QVERIFY(window.feePage()->rows[1].upper->text().isEmpty());
    QCOMPARE(window.feePage()->rows[1].fee->text(), QStringLiteral("5"));
    QVERIFY(before != afterStart); // the language code was written at start-up
    QCOMPARE(f.settings.contents(), afterStart);
}

void CalculateCommandTest::tradeMessageFollowsTheLanguageOfTheMoment()
{
    MainWindowFixture f;
    Fen_principale& window = f.open();
    window.Tabulation()->setCurrentIndex(1);
    window.Anglais_Click();
    window.Tabulation()->setCurrentIndex(0);
    window.dataPage()->Bout_Calculer->click();
    QCOMPARE(f.messenger.shown.size(), 1);
    QCOMPARE(f.messenger.shown.first(),
             (Message{QStringLiteral("Capture error"),
                      QStringLiteral("The cost price can't be null"), MessageIcon::Exclamation}));

    window.Français_Click();
    window.dataPage()->Text_pa->setText(QStringLiteral("10"));
    window.dataPage()->Bout_Calculer->click();
    QCOMPARE(f.messenger.shown.size(), 2);
    QCOMPARE(f.messenger.shown.last().text,
             QStringLiteral("La quantité d'actions ne peut être nulle"));
    QCOMPARE(QApplication::focusWidget(), window.dataPage()->Text_nb);
}

void CalculateCommandTest::limitsThatAreNoLimitsAreShownEmpty_data()
{
    QTest::addColumn<QByteArray>("limits");
    QTest::addColumn<QString>("minimumAfter");
    QTest::newRow("minimum 0, maximum the open bound")
        << QByteArray("Mini=0\r\nMaxi=99999999\r\n") << QString();
    // A maximum of 0 applied after the minimum would make the fee of 10 nothing (11.35).
    QTest::newRow("minimum 5, maximum 0") << QByteArray("Mini=5\r\nMaxi=0\r\n") << "5";
}

void CalculateCommandTest::limitsThatAreNoLimitsAreShownEmpty()
{
    QFETCH(QByteArray, limits);
    MainWindowFixture f;
    f.settings.setContents(fixedTen + limits);
    Fen_principale& window = f.open();
    enterTrade(window, "10", "100", "10");
    window.dataPage()->Bout_Calculer->click();
    QCOMPARE(window.results()->Text_pv->text(), QStringLiteral(" 11.56 euros"));
    QTEST(window.feePage()->Text_Mini->text(), "minimumAfter");
    QVERIFY(window.feePage()->Text_Maxi->text().isEmpty());
}

void CalculateCommandTest::shortPriceIsMarkedUntilTheNextResult()
{
    MainWindowFixture f;
    f.settings.setContents(dropAtThousand);
    Fen_principale& window = f.open();
    QLabel* mark = window.results()->Marque_Px_Vente;
    enterTrade(window, "9.60", "100", "19");
    window.dataPage()->Numéraire->setChecked(true);
    window.dataPage()->dix->setChecked(true);
    window.dataPage()->Bout_Calculer->click();
    QVERIFY(mark->isVisible());
    QVERIFY(!mark->pixmap().isNull());
    QCOMPARE(mark->pixmap().deviceIndependentSize().toSize(), mark->size());
    QVERIFY2(mark->toolTip().contains(QStringLiteral("à 10,01 euros par action, il est de 23,4")),
             qPrintable(mark->toolTip()));
    QCOMPARE(mark->accessibleDescription(), mark->toolTip());
    QCOMPARE(window.results()->Text_pv->text(), QStringLiteral(" 10 euros"));

    window.dataPage()->Text_ben->setText(QStringLiteral("50")); // reached exactly above 1,000
    window.dataPage()->Bout_Calculer->click();
    QVERIFY(!mark->isVisible());
    window.dataPage()->Text_ben->setText(QStringLiteral("19"));
    window.dataPage()->Bout_Calculer->click();
    QVERIFY(mark->isVisible());
    window.Bout_Efface_Click();
    QVERIFY(mark->isHidden());
}

void CalculateCommandTest::changedInputsDimTheResults_data()
{
    QTest::addColumn<QString>("field");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<bool>("outOfDate");
    QTest::newRow("purchase price") << "Text_pa"
                                    << "11" << true;
    QTest::newRow("the same shares typed again") << "Text_nb"
                                                 << "100" << false;
    QTest::newRow("a fee") << "Text_F1"
                           << "12" << true;
    QTest::newRow("an empty bracket") << "Text_FB3"
                                      << "5" << true;
    QTest::newRow("profit type") << "Numéraire"
                                 << "" << true;
    QTest::newRow("tax option") << "dix"
                                << "" << true;
}

void CalculateCommandTest::changedInputsDimTheResults()
{
    QFETCH(QString, field);
    QFETCH(QString, typed);
    MainWindowFixture f;
    f.settings.setContents(fixedTen);
    Fen_principale& window = f.open();
    enterTrade(window, "10", "100", "10");
    window.dataPage()->Bout_Calculer->click();
    ResultArea& results = *window.results();
    QVERIFY(!results.outOfDate());

    if (auto* edit = window.findChild<QLineEdit*>(field)) {
        edit->selectAll();
        QTest::keyClicks(edit, typed);
    } else {
        window.findChild<QRadioButton*>(field)->click();
    }
    QTEST(results.outOfDate(), "outOfDate");
    QCOMPARE(results.Text_pv->isEnabled(), !results.outOfDate());
    QCOMPARE(results.Text_pv->text(), QStringLiteral(" 11.56 euros")); // the text stays

    window.Tabulation()->setCurrentIndex(0);
    window.dataPage()->Bout_Calculer->click();
    QVERIFY(!results.outOfDate() || !f.messenger.shown.isEmpty());
    window.Bout_Efface_Click();
    QVERIFY(!results.outOfDate());
}

void CalculateCommandTest::roundingUpIsReadAtStartUp_data()
{
    QTest::addColumn<QByteArray>("line");
    QTest::addColumn<bool>("roundUp");
    QTest::addColumn<QStringList>("shown"); // price, profit before and after tax
    const QStringList nearest{" 11.56 euros", " 136.49 euros", " 101 euros"};
    QTest::newRow("absent") << QByteArray() << false << nearest;
    QTest::newRow("rounded up") << QByteArray("Arrondi=Superieur\r\n") << true
                                << QStringList{" 11.57 euros", " 137 euros", " 101.38 euros"};
    QTest::newRow("another value") << QByteArray("Arrondi=superieur\r\n") << false << nearest;
}

void CalculateCommandTest::roundingUpIsReadAtStartUp()
{
    QFETCH(QByteArray, line);
    MainWindowFixture fixture;
    fixture.settings.setContents(fixedTen + line);
    Fen_principale& window = fixture.open();
    QTEST(fixture.find<QAction>(QStringLiteral("ArrondiSupérieur"))->isChecked(), "roundUp");

    enterTrade(window, "10", "100", "10");
    window.Bout_Calculer_Click();
    const QStringList shown = resultTexts(window).mid(1, 3);
    QTEST(shown, "shown");
}

void CalculateCommandTest::roundingUpIsWrittenWhenToggled()
{
    MainWindowFixture fixture;
    fixture.settings.setContents(fixedTen);
    Fen_principale& window = fixture.open();
    enterTrade(window, "10", "100", "10");
    window.Bout_Calculer_Click();
    QAction* item = fixture.find<QAction>(QStringLiteral("ArrondiSupérieur"));

    item->trigger();
    QVERIFY(fixture.settings.contents().contains("\r\nArrondi=Superieur\r\n"));
    // The price on show was rounded to the nearest cent.
    QVERIFY(window.results()->outOfDate());
    item->trigger();
    QVERIFY(!fixture.settings.contents().contains("Arrondi=Superieur"));
    QVERIFY(!window.results()->outOfDate());
}

QTEST_MAIN(CalculateCommandTest)
#include "tst_calculate_command.moc"
