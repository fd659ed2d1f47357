#include "FakeMessenger.h"
#include "Param_Tx_Impot.h"
#include "RateFiles.h"
#include "TempSettings.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QTest>

using namespace Qt::StringLiterals;

namespace {

const QString errorTitle = QStringLiteral("Erreur de saisie");

QLineEdit* rateBox(const QDialog& dialog, int number)
{
    return dialog.findChild<QLineEdit*>(QLatin1String("Text_Taux") + QString::number(number));
}

QStringList boxTexts(const QDialog& dialog)
{
    return {rateBox(dialog, 1)->text(), rateBox(dialog, 2)->text(), rateBox(dialog, 3)->text()};
}

void typeRates(const QDialog& dialog, const QStringList& rates)
{
    for (int n = 1; n <= 3; ++n)
        rateBox(dialog, n)->setText(rates[n - 1]);
}

} // namespace

class TaxDialogTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { QLocale::setDefault(QLocale(QLocale::French, QLocale::France)); }

    void hasItsControls();
    void sizeFollowsTheDesign();
    void isCentredOnTheScreen();
    void boxesShowStoredRates_data();
    void boxesShowStoredRates();
    void focusStartsInFirstRate();
    void okStoresTidiedRates_data();
    void okStoresTidiedRates();
    void refusedRatesAreNotStored_data();
    void refusedRatesAreNotStored();
    void tidiedTextsStayAfterRefusal();
    void enterPressesOk();
    void escapeDoesNotClose();
    void closingWritesNothing();
    void typingKeepsFiveCharacters();
    void longStoredRateKeepsLimitForTyping();
};

void TaxDialogTest::hasItsControls()
{
    TempSettings settings;
    FakeMessenger messenger;
    Param_Tx_Impôt dialog(settings.store(), messenger, nullptr);

    QCOMPARE(dialog.objectName(), QStringLiteral("Param_Tx_Impôt"));
    QCOMPARE(dialog.windowTitle(), QStringLiteral("Paramétrage des taux d'imposition"));
    for (int n = 1; n <= 3; ++n) {
        const auto* label = dialog.findChild<QLabel*>(QLatin1String("Label") + QString::number(n));
        QVERIFY(label);
        QCOMPARE(label->text(), QStringLiteral("Taux n° ") + QString::number(n));
        QLineEdit* box = rateBox(dialog, n);
        QVERIFY(box);
        QCOMPARE(label->buddy(), box);
        QCOMPARE(box->maxLength(), 5);
    }
    const auto* ok = dialog.findChild<QPushButton*>(QStringLiteral("Bout_Ok_Taux"));
    QVERIFY(ok);
    QCOMPARE(ok->text(), QStringLiteral("&OK"));
    QVERIFY(ok->isDefault());
    QVERIFY(messenger.shown.isEmpty());
}

void TaxDialogTest::sizeFollowsTheDesign()
{
    TempSettings settings;
    FakeMessenger messenger;
    Param_Tx_Impôt dialog(settings.store(), messenger, nullptr);

    // 3690 by 2205 twips at the screen's logical resolution; fonts may ask for a little more.
    const double designWidth = 3690.0 * dialog.logicalDpiX() / 1440;
    const double designHeight = 2205.0 * dialog.logicalDpiY() / 1440;
    QVERIFY2(dialog.width() >= designWidth - 1 && dialog.width() <= designWidth * 1.3,
             qPrintable(QString::number(dialog.width())));
    QVERIFY2(dialog.height() >= designHeight - 1 && dialog.height() <= designHeight * 1.3,
             qPrintable(QString::number(dialog.height())));
}

void TaxDialogTest::isCentredOnTheScreen()
{
    TempSettings settings;
    FakeMessenger messenger;
    Param_Tx_Impôt dialog(settings.store(), messenger, nullptr);

    const QRect screen = dialog.screen()->geometry();
    QCOMPARE(dialog.x(), screen.x() + (screen.width() - dialog.width()) / 2);
    QCOMPARE(dialog.y(), screen.y() + (screen.height() - dialog.height()) / 2);
}

void TaxDialogTest::boxesShowStoredRates_data()
{
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<QStringList>("expected");

    QTest::newRow("no file") << QByteArray() << QStringList{u"10"_s, u"26"_s, u"32.50"_s};
    QTest::newRow("stored unchanged")
        << rateFile("007", "-5", "32.5") << QStringList{u"007"_s, u"-5"_s, u"32.5"_s};
    QTest::newRow("blanks give the defaults")
        << rateFile("   ", "", "  ") << QStringList{u"10"_s, u"26"_s, u"32.50"_s};
    QTest::newRow("longer than the box allows")
        << rateFile("12.3456", "abc", "99,5") << QStringList{u"12.3456"_s, u"abc"_s, u"99,5"_s};
}

void TaxDialogTest::boxesShowStoredRates()
{
    QFETCH(QByteArray, file);
    QFETCH(QStringList, expected);

    TempSettings settings;
    if (!file.isEmpty())
        settings.setContents(file);
    FakeMessenger messenger;
    Param_Tx_Impôt dialog(settings.store(), messenger, nullptr);

    QCOMPARE(boxTexts(dialog), expected);
    QVERIFY(messenger.shown.isEmpty());
}

void TaxDialogTest::focusStartsInFirstRate()
{
    TempSettings settings;
    FakeMessenger messenger;
    Param_Tx_Impôt dialog(settings.store(), messenger, nullptr);
    dialog.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dialog));

    QCOMPARE(dialog.focusWidget(), rateBox(dialog, 1));
}

void TaxDialogTest::okStoresTidiedRates_data()
{
    QTest::addColumn<QString>("localeName");
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<QStringList>("typed"); // empty: the boxes as loaded
    QTest::addColumn<QStringList>("expected");

    QTest::newRow("defaults without a file")
        << "fr_FR" << QByteArray() << QStringList{} << QStringList{u"10"_s, u"26"_s, u"32.5"_s};
    QTest::newRow("defaults without a file, point locale")
        << "en_US" << QByteArray() << QStringList{} << QStringList{u"10"_s, u"26"_s, u"32.5"_s};
    QTest::newRow("decimals tidied")
        << "fr_FR" << QByteArray() << QStringList{u".5"_s, u"1.50"_s, u"2.0"_s}
        << QStringList{u"0.5"_s, u"1.5"_s, u"2"_s};
    QTest::newRow("zero first") << "fr_FR" << QByteArray() << QStringList{u"0"_s, u"5"_s, u"10"_s}
                                << QStringList{u"0"_s, u"5"_s, u"10"_s};
    QTest::newRow("empty first") << "en_US" << QByteArray() << QStringList{u""_s, u"5"_s, u"10"_s}
                                 << QStringList{u"0"_s, u"5"_s, u"10"_s};
    QTest::newRow("leading point grows past the box")
        << "fr_FR" << QByteArray() << QStringList{u".1234"_s, u"5"_s, u"10"_s}
        << QStringList{u"0.1234"_s, u"5"_s, u"10"_s};
    QTest::newRow("hundred as third")
        << "fr_FR" << rateFile("1", "2", "3") << QStringList{u"10"_s, u"26"_s, u"100"_s}
        << QStringList{u"10"_s, u"26"_s, u"100"_s};
    QTest::newRow("stored negative stored again")
        << "fr_FR" << rateFile("-5", "26", "32.50") << QStringList{}
        << QStringList{u"-5"_s, u"26"_s, u"32.5"_s};
}

void TaxDialogTest::okStoresTidiedRates()
{
    QFETCH(QString, localeName);
    QFETCH(QByteArray, file);
    QFETCH(QStringList, typed);
    QFETCH(QStringList, expected);

    QLocale::setDefault(QLocale(localeName));
    TempSettings settings;
    if (!file.isEmpty())
        settings.setContents(file);
    FakeMessenger messenger;
    Param_Tx_Impôt dialog(settings.store(), messenger, nullptr);
    dialog.show();
    if (!typed.isEmpty())
        typeRates(dialog, typed);

    dialog.Bout_Ok_Taux_Click();

    QVERIFY(messenger.shown.isEmpty());
    QCOMPARE(storedRates(settings.store()), expected);
    QCOMPARE(boxTexts(dialog), expected);
    QCOMPARE(dialog.result(), int(QDialog::Accepted));
    QVERIFY(!dialog.isVisible());
    QLocale::setDefault(QLocale(QLocale::French, QLocale::France));
}

void TaxDialogTest::refusedRatesAreNotStored_data()
{
    QTest::addColumn<QStringList>("typed");
    QTest::addColumn<QString>("message");
    QTest::addColumn<int>("emptied");
    QTest::addColumn<QStringList>("shown"); // the boxes after the refusal

    QTest::newRow("first equal to second")
        << QStringList{u"5"_s, u"5"_s, u"20"_s}
        << "Le taux n°2 doit être strictement supérieur au taux n°1" << 2
        << QStringList{u"5"_s, u""_s, u"20"_s};
    QTest::newRow("second equal to third")
        << QStringList{u"10"_s, u"26"_s, u"26"_s}
        << "Le taux n°3 doit être strictement supérieur au taux n°2" << 3
        << QStringList{u"10"_s, u"26"_s, u""_s};
    QTest::newRow("first above 100, nothing else checked")
        << QStringList{u"101"_s, u"26"_s, u"32"_s}
        << "Le taux n°1 doit être inférieur ou égal à 100" << 1
        << QStringList{u""_s, u"26"_s, u"32"_s};
    QTest::newRow("second above 100") << QStringList{u"10"_s, u"200"_s, u"32"_s}
                                      << "Le taux n°2 doit être inférieur ou égal à 100" << 2
                                      << QStringList{u"10"_s, u""_s, u"32"_s};
    QTest::newRow("third just above 100") << QStringList{u"10"_s, u"26"_s, u"100.1"_s}
                                          << "Le taux n°3 doit être inférieur ou égal à 100" << 3
                                          << QStringList{u"10"_s, u"26"_s, u""_s};
    QTest::newRow("empty second fails the order")
        << QStringList{u"10"_s, u""_s, u"32"_s}
        << "Le taux n°2 doit être strictement supérieur au taux n°1" << 2
        << QStringList{u"10"_s, u""_s, u"32"_s};
}

void TaxDialogTest::refusedRatesAreNotStored()
{
    QFETCH(QStringList, typed);
    QFETCH(QString, message);
    QFETCH(int, emptied);
    QFETCH(QStringList, shown);

    TempSettings settings;
    const QByteArray file = rateFile("10", "26", "32.50");
    settings.setContents(file);
    FakeMessenger messenger;
    Param_Tx_Impôt dialog(settings.store(), messenger, nullptr);
    dialog.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dialog));
    typeRates(dialog, typed);
    rateBox(dialog, 1)->setFocus();

    dialog.Bout_Ok_Taux_Click();

    QCOMPARE(messenger.shown.size(), 1);
    QCOMPARE(messenger.shown.first(), (Message{errorTitle, message, MessageIcon::Exclamation}));
    QCOMPARE(boxTexts(dialog), shown);
    QCOMPARE(dialog.focusWidget(), rateBox(dialog, emptied));
    QCOMPARE(settings.contents(), file);
    QVERIFY(dialog.isVisible());
    QCOMPARE(dialog.result(), int(QDialog::Rejected));
}

void TaxDialogTest::tidiedTextsStayAfterRefusal()
{
    TempSettings settings;
    FakeMessenger messenger;
    Param_Tx_Impôt dialog(settings.store(), messenger, nullptr);
    dialog.show();
    typeRates(dialog, {u"010.5"_s, u"5"_s, u"20.0"_s});

    dialog.Bout_Ok_Taux_Click();

    QCOMPARE(messenger.shown.size(), 1);
    QCOMPARE(messenger.shown.first().text,
             QStringLiteral("Le taux n°2 doit être strictement supérieur au taux n°1"));
    QCOMPARE(boxTexts(dialog), (QStringList{u"10.5"_s, u""_s, u"20"_s}));
    QVERIFY(!settings.exists());
}

void TaxDialogTest::enterPressesOk()
{
    TempSettings settings;
    FakeMessenger messenger;
    Param_Tx_Impôt dialog(settings.store(), messenger, nullptr);
    dialog.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dialog));
    typeRates(dialog, {u"12"_s, u"20"_s, u"30.0"_s});

    QTest::keyClick(rateBox(dialog, 2), Qt::Key_Return);

    QCOMPARE(dialog.result(), int(QDialog::Accepted));
    QVERIFY(!dialog.isVisible());
    QCOMPARE(storedRates(settings.store()), (QStringList{u"12"_s, u"20"_s, u"30"_s}));
}

void TaxDialogTest::escapeDoesNotClose()
{
    TempSettings settings;
    FakeMessenger messenger;
    Param_Tx_Impôt dialog(settings.store(), messenger, nullptr);
    dialog.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dialog));

    QTest::keyClick(rateBox(dialog, 1), Qt::Key_Escape);
    QTest::keyClick(&dialog, Qt::Key_Escape);

    QVERIFY(dialog.isVisible());
    QVERIFY(!settings.exists());
    QVERIFY(messenger.shown.isEmpty());
}

void TaxDialogTest::closingWritesNothing()
{
    TempSettings settings;
    const QByteArray file = rateFile("10", "26", "32.50");
    settings.setContents(file);
    FakeMessenger messenger;
    Param_Tx_Impôt dialog(settings.store(), messenger, nullptr);
    dialog.show();
    typeRates(dialog, {u"1"_s, u"2"_s, u"3"_s});

    QVERIFY(dialog.close());

    QVERIFY(!dialog.isVisible());
    QCOMPARE(dialog.result(), int(QDialog::Rejected));
    QCOMPARE(settings.contents(), file);
    QVERIFY(messenger.shown.isEmpty());
}

void TaxDialogTest::typingKeepsFiveCharacters()
{
    TempSettings settings;
    FakeMessenger messenger;
    Param_Tx_Impôt dialog(settings.store(), messenger, nullptr);
    dialog.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dialog));
    QLineEdit* box = rateBox(dialog, 3);
    box->clear();
    box->setFocus();

    QTest::keyClicks(box, QStringLiteral("1.2.3,4-5"));

    // The comma, the sign and the second point are refused, the sixth character does not fit.
    QCOMPARE(box->text(), QStringLiteral("1.234"));
}

void TaxDialogTest::longStoredRateKeepsLimitForTyping()
{
    TempSettings settings;
    settings.setContents(rateFile("12.3456", "26", "32.50"));
    FakeMessenger messenger;
    Param_Tx_Impôt dialog(settings.store(), messenger, nullptr);
    dialog.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dialog));
    QLineEdit* box = rateBox(dialog, 1);
    QCOMPARE(box->text(), QStringLiteral("12.3456"));

    box->clear();
    QTest::keyClicks(box, QStringLiteral("1234567"));

    QCOMPARE(box->text(), QStringLiteral("12345"));
}

QTEST_MAIN(TaxDialogTest)
#include "tst_tax_dialog.moc"
