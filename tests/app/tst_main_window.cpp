#include "DataPage.h"
#include "FeePage.h"
#include "MainWindowFixture.h"
#include "ResultArea.h"
#include "SettingsKeys.h"

#include <QAction>
#include <QApplication>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>

class MainWindowTest : public QObject
{
    Q_OBJECT

private slots:
    void everyControlExistsWithItsDesignCaption_data();
    void everyControlExistsWithItsDesignCaption();
    void startupLoadsTheSavedSchedule();
    void capabilitiesHaveTheirMenuItems();
    void startupIsAlwaysFrench();
    void storedValuesComeBackWhole_data();
    void storedValuesComeBackWhole();
    void scheduleSurvivesCloseAndRestart();
    void quitSavesTheScheduleOnScreen();
    void clearFeesEmptiesScreenAndFile();
    void commandsFollowTheCurrentPage();
    void tabVisitsOnlyTheCurrentPage_data();
    void tabVisitsOnlyTheCurrentPage();
    void pageKeysTurnPages_data();
    void pageKeysTurnPages();
    void enterOnTheFeePageCalculatesNothing();
    void profitCaptionFollowsTypeAndLanguage_data();
    void profitCaptionFollowsTypeAndLanguage();
    void windowStartsCompactAndCentredForTheExpandedHeight();
    void nothingMovesWhenCaptionsChange_data();
    void nothingMovesWhenCaptionsChange();
    void purchasePriceHasTheFocusAtStart();
};

void MainWindowTest::everyControlExistsWithItsDesignCaption_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("caption");
    const auto row = [](const char* name, const char* caption) {
        QTest::newRow(name) << QString::fromUtf8(name) << QString::fromUtf8(caption);
    };
    row("Fichier", "&Fichier");
    row("Calculer", "&Calculer");
    row("EffacerLesDonnées", "Éffacer les &données");
    row("EffacerLesFrais", "Éffacer les frais de co&urtage");
    row("quitter", "&Quitter");
    row("Langue", "&Langue");
    row("Français", "&Français");
    row("Anglais", "&Anglais");
    row("Paramétrage", "Pa&ramétrage");
    row("Param_Tx_Imposition", "&Taux d'imposition");
    row("Interrogation", "&?");
    row("APropos", "&À propos");
    row("Label1", "Prix d'achat");
    row("Label2", "Nombre d'actions");
    row("Label4", "Bénéfice désiré (0 - 100)");
    row("Frame_Type_Benefice", "Type de &bénéfice recherché");
    row("Pourcentage", "&Pourcentage");
    row("Numéraire", "&Numéraire");
    row("Frame_Impots", "&Imposition des plus-values");
    row("Bout_Calculer", "&CALCULER");
    row("Bout_Efface", "Éffacer les &données");
    row("Label7", "Fourchette basse");
    row("Label11", "Fourchette haute");
    row("Label12", "Frais");
    row("Label13", "Type de frais");
    row("Label6", "De");
    row("Label10", "à");
    row("Label14", "=>");
    row("Label24", "De");
    row("Label25", "à");
    row("Label26", "=>");
    row("Pourcentage3", "%");
    row("Valeur5", "valeur");
    row("Label8", "Minimum");
    row("Label9", "Maximum");
    row("Bout_EffaceFrais", "Éffacer les frais de co&urtage");
    row("Frame_Px_Revient", "Prix de revient unitaire");
    row("Frame_Px_Vente", "Prix de vente minimum");
    row("Frame_Bén_Avt_Impôt", "Bénéfice avant impôt");
    row("Frame_Bén_Après_Impôt", "Bénéfice après impôt");
    row("Frame_Frais", "Frais de courtage");
}

void MainWindowTest::everyControlExistsWithItsDesignCaption()
{
    QFETCH(QString, name);
    QFETCH(QString, caption);
    MainWindowFixture f;
    f.open();
    QObject* control = f.window->findChild<QObject*>(name);
    QVERIFY2(control, qPrintable(name));
    QString shown;
    if (auto* action = qobject_cast<QAction*>(control))
        shown = action->text();
    else if (auto* menu = qobject_cast<QMenu*>(control))
        shown = menu->title();
    else if (auto* frame = qobject_cast<QGroupBox*>(control))
        shown = frame->title();
    else if (auto* button = qobject_cast<QAbstractButton*>(control))
        shown = button->text();
    else if (auto* label = qobject_cast<QLabel*>(control))
        shown = label->text();
    QCOMPARE(shown, caption);
}

void MainWindowTest::capabilitiesHaveTheirMenuItems()
{
    MainWindowFixture f;
    Fen_principale& window = f.open();
    QStringList items;
    for (const QAction* action : window.menu().fichier->actions())
        items << action->text();
    QCOMPARE(items, (QStringList{"&Calculer", "Dé&tail du calcul…", "Comparer les &barèmes…",
                                 "&Positions…", "Éffacer les &données",
                                 "Éffacer les frais de co&urtage", "&Quitter"}));
    window.Anglais_Click();
    QCOMPARE(window.findChild<QAction*>("Positions")->text(), QString("&Positions…"));
    QCOMPARE(window.findChild<QAction*>("Positions")->shortcut(),
             QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_P));
    QCOMPARE(window.findChild<QAction*>("ComparerBaremes")->text(), QString("Compare &schedules…"));
}

void MainWindowTest::startupLoadsTheSavedSchedule()
{
    MainWindowFixture f;
    f.settings.setContents("[Vantrelle]\r\nFB1=0\r\nFH1=1000\r\nF1=10\r\nP1=faux\r\n"
                           "FB3=abc\r\nP3=Vrai\r\nP2=VRAI\r\nP4=True\r\nMini=2.5\r\nMaxi=40\r\n");
    f.open();
    const FeePage* fees = f.window->feePage();
    QCOMPARE(fees->rows[0].upper->text(), QStringLiteral("1000"));
    QCOMPARE(fees->rows[0].fee->text(), QStringLiteral("10"));
    QVERIFY(fees->rows[0].value->isChecked());
    QVERIFY(fees->rows[1].percentage->isChecked());
    QCOMPARE(fees->rows[2].lower->text(), QStringLiteral("abc"));
    QVERIFY(fees->rows[2].percentage->isChecked());
    QVERIFY(fees->rows[3].value->isChecked());
    QVERIFY(fees->rows[4].value->isChecked());
    QCOMPARE(fees->Text_Mini->text(), QStringLiteral("2.5"));
    QCOMPARE(fees->Text_Maxi->text(), QStringLiteral("40"));
}

void MainWindowTest::startupIsAlwaysFrench()
{
    MainWindowFixture f;
    f.settings.setContents("[Vantrelle]\r\nC=A\r\n");
    f.open();
    QCOMPARE(f.settings.store().Lire_Ini(settingsSection(), languageKey()), QStringLiteral("F"));
    QCOMPARE(f.window->windowTitle(), QStringLiteral("Calculateur de prix de vente d'actions"));
    QVERIFY(f.find<QAction>(QStringLiteral("Français"))->isChecked());
    QVERIFY(!f.find<QAction>(QStringLiteral("Anglais"))->isChecked());
    QCOMPARE(f.window->Tabulation()->currentIndex(), 0);
    QVERIFY(f.window->dataPage()->Pourcentage->isChecked());
    QVERIFY(f.window->dataPage()->vingt_six->isChecked());
    QVERIFY(!f.window->results()->framesVisible());
}

void MainWindowTest::storedValuesComeBackWhole_data()
{
    QTest::addColumn<QString>("key");
    QTest::addColumn<QString>("stored");
    QTest::addColumn<QString>("field");
    QTest::addColumn<QString>("typed"); // the field's length, typed over the stored value
    const auto row = [](const char* key, const char* stored, const char* field, const char* typed) {
        QTest::newRow(key) << QString(key) << QString(stored) << QString(field) << QString(typed);
    };
    row("FH2", "123456789", "Text_FH2", "98765432");
    row("F1", "12345.6789", "Text_F1", "1.234567");
    row("Mini", "0.0000000001", "Text_Mini", "0.000001");
    row("FB5", "quatre-vingt-dix", "Text_FB5", "12345678"); // not a number: shown as stored
}

void MainWindowTest::storedValuesComeBackWhole()
{
    QFETCH(QString, key);
    QFETCH(QString, stored);
    QFETCH(QString, field);
    QFETCH(QString, typed);
    MainWindowFixture f;
    f.settings.store().Ecrire_Ini(settingsSection(), key, stored);
    f.open();
    auto* edit = f.find<QLineEdit>(field);
    QCOMPARE(edit->text(), stored);
    f.window->Enreg_Frais();
    QCOMPARE(f.settings.store().Lire_Ini(settingsSection(), key), stored);

    // Typing is still held to the field's length.
    f.window->Tabulation()->setCurrentIndex(1);
    edit->setFocus();
    QTest::keyClicks(edit, typed + QStringLiteral("9"));
    QCOMPARE(edit->text(), typed);
}

void MainWindowTest::scheduleSurvivesCloseAndRestart()
{
    MainWindowFixture f;
    f.open();
    FeePage* fees = f.window->feePage();
    fees->rows[0].upper->setText(QStringLiteral("500"));
    fees->rows[1].fee->setText(QStringLiteral("0.5"));
    fees->rows[1].percentage->setChecked(true);
    fees->Text_Maxi->setText(QStringLiteral("30"));
    f.window->close(); // the frame's close button

    f.open();
    fees = f.window->feePage();
    QCOMPARE(fees->rows[0].upper->text(), QStringLiteral("500"));
    QCOMPARE(fees->rows[1].fee->text(), QStringLiteral("0.5"));
    QVERIFY(fees->rows[1].percentage->isChecked());
    QCOMPARE(fees->Text_Maxi->text(), QStringLiteral("30"));
}

void MainWindowTest::quitSavesTheScheduleOnScreen()
{
    MainWindowFixture f;
    f.open();
    // An inconsistent schedule is saved as it stands.
    f.window->feePage()->rows[2].lower->setText(QStringLiteral("900"));
    f.window->feePage()->rows[2].upper->setText(QStringLiteral("100"));
    f.find<QAction>(QStringLiteral("quitter"))->trigger();
    const IniStore store = f.settings.store();
    QCOMPARE(store.Lire_Ini(settingsSection(), QStringLiteral("FB3")), QStringLiteral("900"));
    QCOMPARE(store.Lire_Ini(settingsSection(), QStringLiteral("FH3")), QStringLiteral("100"));
    QCOMPARE(store.Lire_Ini(settingsSection(), QStringLiteral("V3")), QStringLiteral("Vrai"));
    QVERIFY(!f.window->isVisible());
}

void MainWindowTest::clearFeesEmptiesScreenAndFile()
{
    MainWindowFixture f;
    f.settings.setContents("[Vantrelle]\r\nFB1=0\r\nFH1=1000\r\nF1=10\r\nP2=Vrai\r\nMini=3\r\n");
    f.open();
    f.window->Tabulation()->setCurrentIndex(1);
    f.find<QAction>(QStringLiteral("EffacerLesFrais"))->trigger();

    const FeePage* fees = f.window->feePage();
    for (const FeeRow& row : fees->rows) {
        QVERIFY(row.lower->text().isEmpty());
        QVERIFY(row.upper->text().isEmpty());
        QVERIFY(row.fee->text().isEmpty());
        QVERIFY(row.value->isChecked());
    }
    QVERIFY(fees->Text_Mini->text().isEmpty());
    QCOMPARE(QApplication::focusWidget(), fees->rows[0].lower);

    // Keys already in the file change in place; the missing ones follow the section's last key
    // in the order written.
    QByteArray expected = "[Vantrelle]\r\nFB1=\r\nFH1=\r\nF1=\r\nP2=Faux\r\nMini=\r\nC=F\r\n"
                          "P1=Faux\r\nV1=Vrai\r\nFB2=\r\nFH2=\r\nF2=\r\nV2=Vrai\r\n";
    for (const char* n : {"3", "4", "5"})
        expected += QByteArray("FB") + n + "=\r\nFH" + n + "=\r\nF" + n + "=\r\nP" + n +
                    "=Faux\r\nV" + n + "=Vrai\r\n";
    expected += "Maxi=\r\n";
    QCOMPARE(f.settings.contents(), expected);
}

void MainWindowTest::commandsFollowTheCurrentPage()
{
    MainWindowFixture f;
    f.open();
    const auto enabled = [&f](const char* name) {
        return f.window->findChild<QAction*>(QString::fromUtf8(name))->isEnabled();
    };
    QVERIFY(enabled("Calculer"));
    QVERIFY(enabled("EffacerLesDonnées"));
    QVERIFY(!enabled("EffacerLesFrais"));
    QVERIFY(f.window->dataPage()->Bout_Calculer->isEnabled());
    QVERIFY(!f.window->feePage()->Bout_EffaceFrais->isEnabled());

    f.window->Tabulation()->setCurrentIndex(1);
    QVERIFY(!enabled("Calculer"));
    QVERIFY(!enabled("EffacerLesDonnées"));
    QVERIFY(enabled("EffacerLesFrais"));
    QVERIFY(!f.window->dataPage()->Bout_Calculer->isEnabled());
    QVERIFY(!f.window->dataPage()->Bout_Efface->isEnabled());
    QVERIFY(f.window->feePage()->Bout_EffaceFrais->isEnabled());
    QCOMPARE(QApplication::focusWidget(), f.window->feePage()->rows[0].lower);

    f.window->Tabulation()->setCurrentIndex(0);
    QVERIFY(enabled("Calculer"));
    QCOMPARE(QApplication::focusWidget(), f.window->dataPage()->Text_pa);
}

void MainWindowTest::tabVisitsOnlyTheCurrentPage_data()
{
    QTest::addColumn<int>("page");
    QTest::addColumn<QStringList>("order");
    // Among option buttons of one group, Tab stops on the selected one only; after the page's
    // last control comes its first again, never the page tabs.
    QTest::newRow("data page") << 0 << QStringList{"Text_pa",     "Text_nb",   "Text_ben",
                                                   "Pourcentage", "vingt_six", "Bout_Calculer",
                                                   "Bout_Efface", "Text_pa"};
    QStringList fees;
    for (int n = 1; n <= 5; ++n) {
        const QString i = QString::number(n);
        fees << QStringLiteral("Text_FB") + i << QStringLiteral("Text_FH") + i
             << QStringLiteral("Text_F") + i << QStringLiteral("Valeur") + i;
    }
    fees << QStringLiteral("Text_Mini") << QStringLiteral("Text_Maxi")
         << QStringLiteral("Bout_EffaceFrais") << QStringLiteral("Combo_Bareme")
         << QStringLiteral("Bout_Baremes") << QStringLiteral("Text_FB1");
    QTest::newRow("fee page") << 1 << fees;
}

void MainWindowTest::tabVisitsOnlyTheCurrentPage()
{
    QFETCH(int, page);
    QFETCH(QStringList, order);
    MainWindowFixture f;
    f.open();
    QVERIFY(QTest::qWaitForWindowActive(f.window.get()));
    f.window->Tabulation()->setCurrentIndex(page);
    f.window->findChild<QWidget*>(order.first())->setFocus();
    QStringList visited{QApplication::focusWidget()->objectName()};
    for (qsizetype i = 1; i < order.size(); ++i) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        visited << QApplication::focusWidget()->objectName();
    }
    QCOMPARE(visited, order);
}

void MainWindowTest::pageKeysTurnPages_data()
{
    QTest::addColumn<int>("from");
    QTest::addColumn<int>("key");
    QTest::addColumn<int>("modifier");
    QTest::addColumn<int>("to");
    QTest::addColumn<QString>("focused");
    QTest::newRow("Alt+G") << 0 << int(Qt::Key_G) << int(Qt::AltModifier) << 1 << "Text_FB1";
    QTest::newRow("Alt+S") << 1 << int(Qt::Key_S) << int(Qt::AltModifier) << 0 << "Text_pa";
    QTest::newRow("Ctrl+Tab") << 0 << int(Qt::Key_Tab) << int(Qt::ControlModifier) << 1
                              << "Text_FB1";
    QTest::newRow("Ctrl+PageDown")
        << 0 << int(Qt::Key_PageDown) << int(Qt::ControlModifier) << 1 << "Text_FB1";
    QTest::newRow("Ctrl+PageUp") << 1 << int(Qt::Key_PageUp) << int(Qt::ControlModifier) << 0
                                 << "Text_pa";
}

void MainWindowTest::pageKeysTurnPages()
{
    QFETCH(int, from);
    QFETCH(int, key);
    QFETCH(int, modifier);
    QFETCH(int, to);
    QFETCH(QString, focused);
    MainWindowFixture f;
    f.open();
    QVERIFY(QTest::qWaitForWindowActive(f.window.get()));
    f.window->Tabulation()->setCurrentIndex(from);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key(key), Qt::KeyboardModifiers(modifier));
    QCOMPARE(f.window->Tabulation()->currentIndex(), to);
    QCOMPARE(QApplication::focusWidget()->objectName(), focused);
}

void MainWindowTest::enterOnTheFeePageCalculatesNothing()
{
    MainWindowFixture f;
    f.open();
    f.window->Tabulation()->setCurrentIndex(1);
    QTest::keyClick(f.window->feePage()->rows[0].fee, Qt::Key_Return);
    QVERIFY(f.messenger.shown.isEmpty());
    QCOMPARE(f.window->size(), f.window->compactSize());
}

void MainWindowTest::profitCaptionFollowsTypeAndLanguage_data()
{
    QTest::addColumn<QString>("code");
    QTest::addColumn<bool>("cash");
    QTest::addColumn<QString>("caption");
    QTest::newRow("French percentage") << "F" << false << "Bénéfice désiré (0 - 100)";
    QTest::newRow("French cash") << "F" << true << "Bénéfice désiré (>0)";
    QTest::newRow("English percentage") << "A" << false << "Sought-after profit (0 - 100)";
    QTest::newRow("English cash") << "A" << true << "Sought-after profit (>0)";
    QTest::newRow("lower-case a is French") << "a" << true << "Bénéfice désiré (>0)";
}

void MainWindowTest::profitCaptionFollowsTypeAndLanguage()
{
    QFETCH(QString, code);
    QFETCH(bool, cash);
    QFETCH(QString, caption);
    MainWindowFixture f;
    f.open();
    // The caption reads the language code at the moment of the selection.
    f.settings.store().Ecrire_Ini(settingsSection(), languageKey(), code);
    DataPage* page = f.window->dataPage();
    page->Numéraire->setChecked(true);
    if (!cash)
        page->Pourcentage->setChecked(true);
    QCOMPARE(page->Label4->text(), caption);
}

void MainWindowTest::windowStartsCompactAndCentredForTheExpandedHeight()
{
    MainWindowFixture f;
    f.open();
    QCOMPARE(f.window->size(), f.window->compactSize());
    QVERIFY(f.window->expandedSize().height() > f.window->compactSize().height());
    const QRect screen = f.window->screen()->geometry();
    QCOMPARE(f.window->x(), (screen.width() - f.window->compactSize().width()) / 2);
    QCOMPARE(f.window->y(), (screen.height() - f.window->expandedSize().height()) / 2);
}

void MainWindowTest::nothingMovesWhenCaptionsChange_data()
{
    QTest::addColumn<bool>("english");
    QTest::addColumn<bool>("cash");
    QTest::newRow("French, cash") << false << true;
    QTest::newRow("English, percentage") << true << false;
    QTest::newRow("English, cash") << true << true;
}

void MainWindowTest::nothingMovesWhenCaptionsChange()
{
    QFETCH(bool, english);
    QFETCH(bool, cash);
    MainWindowFixture f;
    f.open();
    f.window->results()->setFramesVisible(true);
    const auto places = [&f] {
        QApplication::processEvents();
        QStringList shown;
        for (const char* name :
             {"Text_pa", "Text_nb", "Text_ben", "Bout_Calculer", "Bout_Efface",
              "Frame_Type_Benefice", "Frame_Impots", "Frame_Px_Revient", "Frame_Px_Vente",
              "Frame_Bén_Avt_Impôt", "Frame_Bén_Après_Impôt", "Frame_Frais"}) {
            const QWidget* widget = f.find<QWidget>(QString::fromUtf8(name));
            const QRect place(widget->mapTo(f.window.get(), QPoint()), widget->size());
            shown << QStringLiteral("%1 %2,%3 %4x%5")
                         .arg(QString::fromUtf8(name))
                         .arg(place.x())
                         .arg(place.y())
                         .arg(place.width())
                         .arg(place.height());
        }
        return shown;
    };
    const QStringList french = places();
    if (english)
        f.window->Anglais_Click();
    if (cash)
        f.window->dataPage()->Numéraire->setChecked(true);
    QCOMPARE(places(), french);
    QCOMPARE(f.window->size(), f.window->compactSize());
}

void MainWindowTest::purchasePriceHasTheFocusAtStart()
{
    MainWindowFixture f;
    f.open();
    QVERIFY(QTest::qWaitForWindowActive(f.window.get()));
    QCOMPARE(QApplication::focusWidget(), f.window->dataPage()->Text_pa);
}

QTEST_MAIN(MainWindowTest)
#include "tst_main_window.moc"
