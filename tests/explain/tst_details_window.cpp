#include "DataPage.h"
#include "DetailsWindow.h"
#include "MainWindowFixture.h"
#include "ProfitChart.h"
#include "ResultArea.h"

#include <QAction>
#include <QClipboard>
#include <QFile>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPdfWriter>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QScrollBar>
#include <QTabWidget>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTextBrowser>

namespace {

const QByteArray fixedTen = "[Vantrelle]\r\nFB1=0\r\nFH1=99999999\r\nF1=10\r\n";
// 5 up to 1,000, nothing up to 1,005, 50 above: no cent of a 1,000-share sale in the middle.
const QByteArray narrowBracket = "[Vantrelle]\r\nFB1=0\r\nFH1=1000\r\nF1=5\r\nFB2=1000\r\n"
                                 "FH2=1005\r\nF2=0\r\nFB3=1005\r\nFH3=99999999\r\nF3=50\r\n";

QAction* detailsAction(const Fen_principale& window)
{
    return window.findChild<QAction*>(u"DetailCalcul"_qs);
}

void calculate(Fen_principale& window, const QString& price, const QString& shares,
               const QString& profit)
{
    window.dataPage()->Text_pa->setText(price);
    window.dataPage()->Text_nb->setText(shares);
    window.dataPage()->Text_ben->setText(profit);
    window.dataPage()->Bout_Calculer->click();
}

void calculate(Fen_principale& window, const QString& profit)
{
    calculate(window, u"10"_qs, u"100"_qs, profit);
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
    return *window.findChild<DetailsWindow*>();
}

void typeInto(DetailsWindow& details, const QString& typed)
{
    QApplication::setActiveWindow(&details);
    details.priceField->setFocus();
    details.priceField->selectAll();
    QTest::keyClick(details.priceField, Qt::Key_Delete);
    QTest::keyClicks(details.priceField, typed);
}

bool inside(const QRect& outer, const QWidget& widget, const QWidget& window)
{
    return outer.contains(QRect(widget.mapTo(&window, QPoint(0, 0)), widget.size()));
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
    void fitsTheScreen_data();
    void fitsTheScreen();
    void tabCyclesThroughTheParts();
    void priceFieldLimits_data();
    void priceFieldLimits();
    void holdsTheLargestPrices();
    void firstCentAboveANarrowBracket();
    void outOfDateLine_data();
    void outOfDateLine();
    void marksBesideThePriceReachedByTheKeyboard_data();
    void marksBesideThePriceReachedByTheKeyboard();
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
    QVERIFY(!window.findChild<DetailsWindow*>()->isVisible());
}

void DetailsWindowTest::openingChangesNothingOfTheMainWindow()
{
    MainWindowFixture f;
    f.settings.setContents(fixedTen);
    Fen_principale& window = f.open();
    QVERIFY(!window.findChild<DetailsWindow*>()); // nothing built before it is asked for
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
    // 100 × 9 - 10 - 1,010 = -120: a loss, nothing to tax, 221 short of the 101 wanted.
    QTest::newRow("a loss is not taxed")
        << "9" << u"-120,00\u00a0€"_qs << u"non atteint, il manque 221,00\u00a0€"_qs;
}

void DetailsWindowTest::priceFieldRecomputesAsKeysAreTyped()
{
    QFETCH(QString, typed);
    MainWindowFixture f;
    Fen_principale& window = openCalculated(f);
    DetailsWindow& details = openDetails(window);
    typeInto(details, typed);
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

void DetailsWindowTest::fitsTheScreen_data()
{
    QTest::addColumn<bool>("english");
    QTest::addColumn<int>("pointSize");
    QTest::newRow("recalculated, French") << false << 9;
    QTest::newRow("recalculated, English, 12 points") << true << 12;
}

void DetailsWindowTest::fitsTheScreen()
{
    QFETCH(bool, english);
    QFETCH(int, pointSize);
    QFont font = QApplication::font();
    font.setPointSize(pointSize);
    QApplication::setFont(font);
    MainWindowFixture f;
    Fen_principale& window = openCalculated(f);
    DetailsWindow& details = openDetails(window);
    const QRect placed = details.geometry();
    if (english)
        window.Anglais_Click();
    calculate(window, u"20"_qs);
    QApplication::processEvents();
    const QRect area = details.screen()->availableGeometry();
    QCOMPARE(area.size(), QSize(1366, 768));
    QVERIFY(area.contains(details.frameGeometry()));
    QCOMPARE(details.geometry(), placed); // the user's size and place are kept
    for (const QWidget* button : {details.copyButton, details.printButton, details.closeButton})
        QVERIFY(inside(details.rect(), *button, details));
    // The ladder takes its frame's width, the note column wrapping rather than cutting.
    QVERIFY(details.ladder->width() >= details.ladderFrame->contentsRect().width() - 24);
    QVERIFY(!details.working->horizontalScrollBar()->isVisible());
    QApplication::setFont(QFont());
}

void DetailsWindowTest::tabCyclesThroughTheParts()
{
    MainWindowFixture f;
    Fen_principale& window = openCalculated(f);
    DetailsWindow& details = openDetails(window);
    QApplication::setActiveWindow(&details);
    details.working->setFocus();
    const QList<QWidget*> order{details.priceField,  details.ladder,      details.copyButton,
                                details.printButton, details.closeButton, details.working};
    for (QWidget* next : order) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), next);
    }
    // Ctrl+Q quits from here as from the main window.
    QTest::keyClick(&details, Qt::Key_Q, Qt::ControlModifier);
    QVERIFY(!window.isVisible());
}

void DetailsWindowTest::priceFieldLimits_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("field");
    QTest::addColumn<QString>("amount");
    QTest::addColumn<bool>("marked");
    QTest::newRow("a third decimal is refused")
        << "10.555"
        << "10.55" << u"100 × 10,55\u00a0€ = 1\u00a0055,00\u00a0€"_qs << true;
    QTest::newRow("empty shows no sale") << ""
                                         << "" << u"—"_qs << false;
    QTest::newRow("over the limit, on one line")
        << "99999999"
        << "99999999"
        << u"100 × 99\u00a0999\u00a0999,00\u00a0€ = 9\u00a0999\u00a0999\u00a0900,00\u00a0€, "
           "au-delà de la limite de 99\u00a0999\u00a0999\u00a0€"_qs
        << false;
    QTest::newRow("outside the chart, the chart widens")
        << "25"
        << "25" << u"100 × 25,00\u00a0€ = 2\u00a0500,00\u00a0€"_qs << true;
}

void DetailsWindowTest::priceFieldLimits()
{
    QFETCH(QString, typed);
    QFETCH(bool, marked);
    MainWindowFixture f;
    Fen_principale& window = openCalculated(f);
    DetailsWindow& details = openDetails(window);
    details.resize(1200, 700);
    typeInto(details, typed);
    QTEST(details.priceField->text(), "field");
    QTEST(details.readoutValues[0]->text(), "amount");
    QCOMPARE(details.readoutValues[1]->text().isEmpty(), typed == u"99999999"_qs);
    if (marked) {
        const double price = details.priceField->text().toDouble();
        QVERIFY(details.chart->rect().contains(details.chart->pointOf(price, 0).toPoint()));
    }
}

// 1 share at 50,000,000 with a fee of 10, 0.1 % wanted at 10 %: G = 50,000.01 / 0.9 =
// 55,555.5667, so 50,000,010 + 55,555.5667 + 10 = 50,055,575.5667 shows 50,055,575.57, which
// brings 55,555.57 before tax.
void DetailsWindowTest::holdsTheLargestPrices()
{
    MainWindowFixture f;
    f.settings.setContents(fixedTen);
    Fen_principale& window = f.open();
    window.dataPage()->dix->setChecked(true);
    calculate(window, u"50000000"_qs, u"1"_qs, u"0.1"_qs);
    DetailsWindow& details = openDetails(window);
    QCOMPARE(details.priceField->text(), u"50055575.57"_qs);
    QCOMPARE(details.readoutValues[5]->text(), u"atteint"_qs);
}

// 1,000 shares bought at 0.95 with a fee of 5: C = 0.96. 36 wanted at 10 % needs 40 before
// tax: 1.00 brings 1,000 - 5 - 960 = 35, 1.01 falls in the 50 bracket (0), 1.05 brings 40.
void DetailsWindowTest::firstCentAboveANarrowBracket()
{
    MainWindowFixture f;
    f.settings.setContents(narrowBracket);
    Fen_principale& window = f.open();
    window.dataPage()->Numéraire->setChecked(true);
    window.dataPage()->dix->setChecked(true);
    calculate(window, u"0.95"_qs, u"1000"_qs, u"36"_qs);
    DetailsWindow& details = openDetails(window);
    QCOMPARE(details.priceField->text(), u"1.00"_qs);
    const QStringList lines = details.plainText().split(u'\n');
    QVERIFY(lines.contains(u"  Premier centime qui atteint le bénéfice voulu : 1,05\u00a0€ "
                           "(36,00\u00a0€ après impôt)"_qs));
    QVERIFY(lines.contains(
        u"  Saut de frais : Les frais de courtage changent au-dessus d'une vente de "
        "1\u00a0000,00\u00a0€ : à 1,00\u00a0€ le bénéfice après impôt est de 31,50\u00a0€, à "
        "1,01\u00a0€ il est de 0,00\u00a0€."_qs));
    QVERIFY(lines.contains(u"36,00\u00a0€\t1,05\u00a0€\t36,00\u00a0€\tvotre objectif ; la "
                           "fenêtre principale affiche 1,00\u00a0€, le dernier centime sous la "
                           "limite de la fourchette"_qs));
}

void DetailsWindowTest::outOfDateLine_data()
{
    QTest::addColumn<bool>("openFirst");
    QTest::newRow("inputs changed while it is open") << true;
    QTest::newRow("opened on changed inputs") << false;
}

void DetailsWindowTest::outOfDateLine()
{
    QFETCH(bool, openFirst);
    MainWindowFixture f;
    Fen_principale& window = openCalculated(f);
    if (openFirst)
        openDetails(window);
    window.dataPage()->Text_pa->setText(u"11"_qs);
    DetailsWindow& details = openDetails(window);
    QVERIFY(details.outOfDateLabel->isVisible());
    QVERIFY(details.outOfDateLabel->text().endsWith(
        u"Ces détails sont ceux du dernier calcul ; les données ont changé depuis."_qs));
    QVERIFY(!window.results()->Marque_Px_Vente->isEnabled());
    window.dataPage()->Bout_Calculer->click();
    QVERIFY(!details.outOfDateLabel->isVisible());
    QVERIFY(window.results()->Marque_Px_Vente->isEnabled());
}

void DetailsWindowTest::marksBesideThePriceReachedByTheKeyboard_data()
{
    QTest::addColumn<QString>("note");
    QTest::newRow("shortfall said")
        << u"À 11,56 € le bénéfice après impôt est de 100,64 € ; 11,57 € est le premier centime "
           "qui atteint 101 € (Paramétrage › Prix minimum au centime supérieur)"_qs;
    QTest::newRow("no shortfall") << QString();
}

void DetailsWindowTest::marksBesideThePriceReachedByTheKeyboard()
{
    QFETCH(QString, note);
    ResultArea area;
    area.setFramesVisible(true);
    QLineEdit before(&area);
    area.show();
    area.setShortfallNote(note);
    QLabel* mark = area.Info_Px_Vente;
    QCOMPARE(mark->isVisible(), !note.isEmpty());
    QCOMPARE(mark->toolTip(), note);
    QCOMPARE(mark->accessibleDescription(), note);
    QCOMPARE(mark->accessibleName().isEmpty(), note.isEmpty());
    QVERIFY(mark->focusPolicy() & Qt::TabFocus);
    QVERIFY(area.Marque_Px_Vente->focusPolicy() & Qt::TabFocus);
    // Not the warning: that one stays for the fee jump.
    QVERIFY(area.Marque_Px_Vente->isHidden());
    // The Tab key reaches a shown mark, never a hidden one.
    QApplication::setActiveWindow(&area);
    before.setFocus();
    bool reached = false;
    for (int i = 0; i < 4; ++i) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        reached = reached || QApplication::focusWidget() == mark;
    }
    QCOMPARE(reached, !note.isEmpty());
}

// A screen of 1366 × 768, as on many laptops, for every window of the test.
int main(int argc, char* argv[])
{
    QTemporaryDir dir;
    const QString config = dir.filePath(u"screen.json"_qs);
    QFile file(config);
    if (!file.open(QIODevice::WriteOnly))
        return 1;
    file.write(R"({"screens": [{"name": "laptop", "x": 0, "y": 0, "width": 1366, "height": 768,
                   "logicalDpi": 96, "logicalBaseDpi": 96, "dpr": 1}]})");
    file.close();
    qputenv("QT_QPA_PLATFORM", "offscreen:configfile=" + config.toLocal8Bit());
    QApplication app(argc, argv);
    DetailsWindowTest test;
    QTEST_SET_MAIN_SOURCE_PATH
    return QTest::qExec(&test, argc, argv);
}
#include "tst_details_window.moc"
