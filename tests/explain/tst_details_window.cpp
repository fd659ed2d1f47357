#include "DataPage.h"
#include "DetailsWindow.h"
#include "MainWindowFixture.h"

#include <QAction>
#include <QClipboard>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPdfWriter>
#include <QPushButton>
#include <QTabWidget>
#include <QTableWidget>
#include <QTemporaryDir>

namespace {

const QByteArray fixedTen = "[Vantrelle]\r\nFB1=0\r\nFH1=99999999\r\nF1=10\r\n";

QAction* detailsAction(const Fen_principale& window)
{
    return window.findChild<QAction*>(u"DetailCalcul"_qs);
}

void calculate(Fen_principale& window, const QString& profit)
{
    window.dataPage()->Text_pa->setText(u"10"_qs);
    window.dataPage()->Text_nb->setText(u"100"_qs);
    window.dataPage()->Text_ben->setText(profit);
    window.dataPage()->Bout_Calculer->click();
}

// The main window after 100 shares bought at 10 with a fixed fee of 10, 10 % wanted at 26 %.
Fen_principale& openCalculated(MainWindowFixture& f)
{
    f.settings.setContents(fixedTen);
    Fen_principale& window = f.open();
    calculate(window, u"10"_qs);
    return window;
}

DetailsWindow& openDetails(Fen_principale& window)
{
    detailsAction(window)->trigger();
    return *window.detailsWindow();
}

} // namespace

class DetailsWindowTest : public QObject
{
    Q_OBJECT

private slots:
    void init() { QLocale::setDefault(QLocale(QLocale::French, QLocale::France)); }
    void cleanup() { QLocale::setDefault(QLocale::c()); }

    void menuItemFollowsTheResults();
    void openingChangesNothingOfTheMainWindow();
    void newCalculationRefreshesTheWindow();
    void priceFieldRecomputesAsKeysAreTyped_data();
    void priceFieldRecomputesAsKeysAreTyped();
    void copyGivesTheWorkingAndTheLadder();
    void captionsFollowTheLanguage();
    void printsOnOnePage();
};

void DetailsWindowTest::menuItemFollowsTheResults()
{
    MainWindowFixture f;
    f.settings.setContents(fixedTen);
    Fen_principale& window = f.open();
    QAction* item = detailsAction(window);
    QCOMPARE(item->text(), u"Dé&tail du calcul…"_qs);
    QVERIFY(!item->isEnabled());
    calculate(window, u"10"_qs);
    QVERIFY(item->isEnabled());
    window.Tabulation()->setCurrentIndex(1);
    QVERIFY(!item->isEnabled());
    window.Tabulation()->setCurrentIndex(0);
    QVERIFY(item->isEnabled());
    openDetails(window);
    window.Bout_Efface_Click();
    QVERIFY(!item->isEnabled());
    QVERIFY(!window.detailsWindow()->isVisible());
}

void DetailsWindowTest::openingChangesNothingOfTheMainWindow()
{
    MainWindowFixture f;
    f.settings.setContents(fixedTen);
    Fen_principale& window = f.open();
    QVERIFY(!window.detailsWindow()); // nothing built before it is asked for
    calculate(window, u"10"_qs);
    const QByteArray settings = f.settings.contents();
    QWidget* focus = window.focusWidget();

    const DetailsWindow& details = openDetails(window);
    QVERIFY(details.isVisible());
    QVERIFY(!details.isModal());
    QCOMPARE(details.priceField->text(), u"11.56"_qs);
    QCOMPARE(window.dataPage()->Text_ben->text(), u"10"_qs);
    QCOMPARE(window.Tabulation()->currentIndex(), 0);
    QCOMPARE(window.focusWidget(), focus);
    QCOMPARE(f.settings.contents(), settings);
}

void DetailsWindowTest::newCalculationRefreshesTheWindow()
{
    MainWindowFixture f;
    Fen_principale& window = openCalculated(f);
    DetailsWindow& details = openDetails(window);
    details.priceField->setText(u"20"_qs);
    // 20 %: G = 202 / 0.74 = 272.97..., p = (10 + 272.97 + 1,010) / 100 = 12.9297...
    calculate(window, u"20"_qs);
    QCOMPARE(details.priceField->text(), u"12.93"_qs);
    QCOMPARE(details.ladder->item(4, 1)->text(), u"12,93\u00a0€"_qs);
}

void DetailsWindowTest::priceFieldRecomputesAsKeysAreTyped_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("profitAfterTax");
    QTest::addColumn<QString>("reached");
    // 100 × 11.5 - 10 - 1,010 = 130 before tax, 96.20 after; 101 wanted.
    QTest::newRow("11.5") << "11.5" << u"96,20\u00a0€"_qs
                          << u"non atteint, il manque 4,80\u00a0€"_qs;
    QTest::newRow("11.57") << "11.57" << u"101,38\u00a0€"_qs << u"atteint"_qs;
    // The filter keeps a second point out.
    QTest::newRow("11.5.7") << "11.5.7" << u"101,38\u00a0€"_qs << u"atteint"_qs;
}

void DetailsWindowTest::priceFieldRecomputesAsKeysAreTyped()
{
    QFETCH(QString, typed);
    MainWindowFixture f;
    Fen_principale& window = openCalculated(f);
    DetailsWindow& details = openDetails(window);
    QApplication::setActiveWindow(&details);
    details.priceField->setFocus();
    details.priceField->selectAll();
    QTest::keyClicks(details.priceField, typed);
    QTEST(details.readoutValues[4]->text(), "profitAfterTax");
    QTEST(details.readoutValues[5]->text(), "reached");
}

void DetailsWindowTest::copyGivesTheWorkingAndTheLadder()
{
    MainWindowFixture f;
    Fen_principale& window = openCalculated(f);
    DetailsWindow& details = openDetails(window);
    QApplication::clipboard()->clear();
    details.copyButton->click();
    const QStringList lines = QApplication::clipboard()->text().split(u'\n');
    QCOMPARE(lines.first(), u"Détail du calcul"_qs);
    QVERIFY(lines.contains(u"  Frais d'achat : fixe 10,00\u00a0€"_qs));
    QVERIFY(lines.contains(
        u"  Prix de vente minimum : 11,56\u00a0€ (prix exact 11,5649\u00a0€, arrondi au centime le plus proche)"_qs));
    QVERIFY(
        lines.contains(u"10 %\t11,57\u00a0€\t101,38\u00a0€\tvotre objectif ; la fenêtre "
                       "principale affiche 11,56\u00a0€, arrondi au centime le plus proche"_qs));

    // Ctrl+C in the price field without a selection copies the same text.
    QApplication::clipboard()->clear();
    QApplication::setActiveWindow(&details);
    details.priceField->setFocus();
    details.priceField->deselect();
    QTest::keyClick(details.priceField, Qt::Key_C, Qt::ControlModifier);
    QCOMPARE(QApplication::clipboard()->text().split(u'\n').first(), u"Détail du calcul"_qs);
}

void DetailsWindowTest::captionsFollowTheLanguage()
{
    MainWindowFixture f;
    Fen_principale& window = openCalculated(f);
    DetailsWindow& details = openDetails(window);
    window.Anglais_Click();
    QCOMPARE(detailsAction(window)->text(), u"Calculation de&tails…"_qs);
    QCOMPARE(details.windowTitle(), u"Calculation details"_qs);
    QCOMPARE(details.copyButton->text(), u"&Copy"_qs);
    QCOMPARE(details.readoutValues[5]->text(), u"not reached: 0,36\u00a0€ short"_qs);
    window.Français_Click();
    QCOMPARE(details.windowTitle(), u"Détail du calcul"_qs);
    QCOMPARE(details.readoutLabels[0]->text(), u"Montant de la vente"_qs);
}

void DetailsWindowTest::printsOnOnePage()
{
    MainWindowFixture f;
    Fen_principale& window = openCalculated(f);
    QTemporaryDir dir;
    const QString path = dir.filePath(u"details.pdf"_qs);
    {
        QPdfWriter writer(path);
        openDetails(window).printTo(writer);
    }
    QFile pdf(path);
    QVERIFY(pdf.open(QIODevice::ReadOnly));
    const QByteArray bytes = pdf.readAll();
    QCOMPARE(bytes.count("/Type /Page\n") + bytes.count("/Type /Page\r"), 1);
    QVERIFY(bytes.size() > 5000); // the text is there, not a blank page
}

QTEST_MAIN(DetailsWindowTest)
#include "tst_details_window.moc"
