#include "DataPage.h"
#include "MainWindowFixture.h"
#include "Param_Tx_Impot.h"
#include "ResultArea.h"
#include "SettingsKeys.h"

#include <QAction>
#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>

namespace {

void typeRates(QWidget* dialog, const QStringList& rates)
{
    for (int i = 0; i < 3; ++i)
        dialog->findChild<QLineEdit*>(QStringLiteral("Text_Taux%1").arg(i + 1))->setText(rates[i]);
    dialog->findChild<QPushButton*>(QStringLiteral("Bout_Ok_Taux"))->click();
}

} // namespace

class DialogsTest : public QObject
{
    Q_OBJECT

private slots:
    void cleanup() { QLocale::setDefault(QLocale::c()); }

    void newRatesReachCaptionsAndCalculation_data();
    void newRatesReachCaptionsAndCalculation();
    void aboutBoxShowsTheIconAndTheBuildVersion();
    void typedCommaInTheRealFields_data();
    void typedCommaInTheRealFields();
};

void DialogsTest::newRatesReachCaptionsAndCalculation_data()
{
    QTest::addColumn<QLocale>("locale");
    QTest::newRow("comma locale") << QLocale(QLocale::French, QLocale::France);
    QTest::newRow("point locale") << QLocale(QLocale::English, QLocale::UnitedKingdom);
}

void DialogsTest::newRatesReachCaptionsAndCalculation()
{
    QFETCH(QLocale, locale);
    QLocale::setDefault(locale);
    MainWindowFixture f;
    f.settings.setContents("[Vantrelle]\r\nFB1=0\r\nFH1=99999999\r\nF1=10\r\n");
    Fen_principale& window = f.open();
    window.dataPage()->dix->setChecked(true);
    window.Tabulation()->setCurrentIndex(1);

    whenModalOpens([](QWidget* dialog) { typeRates(dialog, {"12.50", "20", "40"}); });
    window.findChild<QAction*>(QStringLiteral("Param_Tx_Imposition"))->trigger();

    QCOMPARE(f.settings.store().Lire_Ini(settingsSection(), QStringLiteral("T1")),
             QStringLiteral("12.5"));
    QCOMPARE(window.Tabulation()->currentIndex(), 0);
    QCOMPARE(window.dataPage()->dix->text(), QStringLiteral("12.5 %"));
    QCOMPARE(window.dataPage()->vingt_six->text(), QStringLiteral("20 %"));
    QCOMPARE(window.dataPage()->trente_deux->text(), QStringLiteral("40 %"));
    QVERIFY(window.dataPage()->dix->isChecked());

    // 10 shares of 100 with a fixed fee of 10, 10 % wanted: G = 101 / 0.875.
    window.dataPage()->Text_pa->setText(QStringLiteral("10"));
    window.dataPage()->Text_nb->setText(QStringLiteral("100"));
    window.dataPage()->Text_ben->setText(QStringLiteral("10"));
    window.dataPage()->Bout_Calculer->click();
    QVERIFY(f.messenger.shown.isEmpty());
    QCOMPARE(window.results()->Text_Bén_Avt_Impôt->text(), QStringLiteral(" 115.43 euros"));
}

void DialogsTest::aboutBoxShowsTheIconAndTheBuildVersion()
{
    MainWindowFixture f;
    Fen_principale& window = f.open();
    QString version;
    QSize picture;
    whenModalOpens([&version, &picture](QWidget* box) {
        version = box->findChild<QLabel*>(QStringLiteral("lblVersion"))->text();
        picture = box->findChild<QLabel*>(QStringLiteral("picIcon"))->pixmap().size();
        box->findChild<QPushButton*>(QStringLiteral("cmdOK"))->click();
    });
    window.findChild<QAction*>(QStringLiteral("APropos"))->trigger();
    QCOMPARE(version, QStringLiteral("Version " PROJECT_VERSION_TEXT));
    QCOMPARE(picture, QSize(48, 48));
}

void DialogsTest::typedCommaInTheRealFields_data()
{
    QTest::addColumn<QLocale>("locale");
    QTest::addColumn<QString>("field");
    QTest::addColumn<QString>("keys");
    QTest::addColumn<QString>("expected");
    // Under a comma locale the comma is the decimal point; under a point locale it separates
    // thousands and is dropped. Either way the field holds a point.
    const QLocale comma(QLocale::French, QLocale::France);
    const QLocale point(QLocale::English, QLocale::UnitedKingdom);
    const auto row = [](const char* name, const QLocale& locale, const char* field,
                        const char* keys, const char* expected) {
        QTest::newRow(name) << locale << QString(field) << QString(keys) << QString(expected);
    };
    row("comma: price", comma, "Text_pa", "9,60", "9.60");
    row("comma: fee", comma, "Text_F1", "0,5", "0.5");
    row("comma: tax rate", comma, "Text_Taux1", "12,5", "12.5");
    row("comma: tax rate, second separator", comma, "Text_Taux1", "1.2,5", "1.25");
    row("comma: whole number", comma, "Text_nb", "1,5", "15");
    row("point: price", point, "Text_pa", "9,60", "960");
    row("point: fee", point, "Text_F1", "0,5", "05");
    row("point: tax rate", point, "Text_Taux1", "1,2.5", "12.5");
}

void DialogsTest::typedCommaInTheRealFields()
{
    QFETCH(QLocale, locale);
    QFETCH(QString, field);
    QFETCH(QString, keys);
    QFETCH(QString, expected);
    QLocale::setDefault(locale);
    MainWindowFixture f;
    Fen_principale& window = f.open();
    window.Tabulation()->setCurrentIndex(field == "Text_F1" ? 1 : 0);
    Param_Tx_Impôt rates(f.settings.store(), f.messenger, &window);
    QWidget* shown = &window;
    if (field.startsWith("Text_Taux")) {
        rates.show();
        shown = &rates;
    }
    QApplication::setActiveWindow(shown);
    QVERIFY(QTest::qWaitForWindowActive(shown));
    auto* edit = shown->findChild<QLineEdit*>(field);
    edit->setFocus(Qt::TabFocusReason);
    QVERIFY(edit->hasFocus());

    QTest::keyClicks(edit, keys);

    QCOMPARE(edit->text(), expected);
}

QTEST_MAIN(DialogsTest)
#include "tst_dialogs.moc"
