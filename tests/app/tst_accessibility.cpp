#include "DataPage.h"
#include "MainWindowFixture.h"

#include <QAccessible>
#include <QAction>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>

class AccessibilityTest : public QObject
{
    Q_OBJECT

private slots:
    void everyFieldAndResultHasAName_data();
    void everyFieldAndResultHasAName();
    void accessKeysReachTheCommands_data();
    void accessKeysReachTheCommands();
    void resultsReadTheirCaptionAndValue_data();
    void resultsReadTheirCaptionAndValue();
    void rowWordsAreNotRead();
};

void AccessibilityTest::everyFieldAndResultHasAName_data()
{
    QTest::addColumn<QString>("control");
    QTest::addColumn<QString>("name");
    QTest::newRow("purchase price") << "Text_pa"
                                    << "Prix d'achat";
    QTest::newRow("number of shares") << "Text_nb"
                                      << "Nombre d'actions";
    QTest::newRow("wanted profit") << "Text_ben"
                                   << "Bénéfice désiré (0 - 100)";
    QTest::newRow("minimum fee") << "Text_Mini"
                                 << "Minimum";
    QTest::newRow("maximum fee") << "Text_Maxi"
                                 << "Maximum";
    QTest::newRow("lower bound 2") << "Text_FB2"
                                   << "Fourchette basse 2";
    QTest::newRow("upper bound 5") << "Text_FH5"
                                   << "Fourchette haute 5";
    QTest::newRow("fee 1") << "Text_F1"
                           << "Frais 1";
    QTest::newRow("percentage type 3") << "Pourcentage3"
                                       << "Frais en pourcentage 3";
    QTest::newRow("cost price") << "Text_Px_Rev"
                                << "Prix de revient unitaire";
    QTest::newRow("selling price") << "Text_pv"
                                   << "Prix de vente minimum";
    QTest::newRow("profit before tax") << "Text_Bén_Avt_Impôt"
                                       << "Bénéfice avant impôt";
    QTest::newRow("profit after tax") << "Text_Bén_Après_Impôt"
                                      << "Bénéfice après impôt";
    QTest::newRow("purchase fee") << "Text_Frais_Achat"
                                  << "Frais de courtage à l'achat";
    QTest::newRow("sale fee") << "Text_Frais_Vente"
                              << "Frais de courtage à la vente";
}

void AccessibilityTest::everyFieldAndResultHasAName()
{
    QFETCH(QString, control);
    QFETCH(QString, name);
    MainWindowFixture f;
    f.open();
    QWidget* widget = f.window->findChild<QWidget*>(control);
    QVERIFY(widget);
    QAccessibleInterface* accessible = QAccessible::queryAccessibleInterface(widget);
    QVERIFY(accessible);
    QCOMPARE(accessible->text(QAccessible::Name), name);
}

void AccessibilityTest::accessKeysReachTheCommands_data()
{
    QTest::addColumn<int>("key");
    QTest::addColumn<QString>("focused");
    QTest::newRow("Alt+P percentage") << int(Qt::Key_P) << "Pourcentage";
    QTest::newRow("Alt+N cash") << int(Qt::Key_N) << "Numéraire";
    QTest::newRow("Alt+D clear data") << int(Qt::Key_D) << "Text_pa";
}

void AccessibilityTest::accessKeysReachTheCommands()
{
    QFETCH(int, key);
    QFETCH(QString, focused);
    MainWindowFixture f;
    f.open();
    QVERIFY(QTest::qWaitForWindowActive(f.window.get()));
    QTest::keyClick(f.window.get(), Qt::Key(key), Qt::AltModifier);
    QCOMPARE(QApplication::focusWidget()->objectName(), focused);
}

void AccessibilityTest::resultsReadTheirCaptionAndValue_data()
{
    QTest::addColumn<QString>("control");
    QTest::addColumn<QString>("french");
    QTest::addColumn<QString>("english");
    const auto row = [](const char* control, const char* french, const char* english) {
        QTest::newRow(control) << QString(control) << QString::fromUtf8(french)
                               << QString::fromUtf8(english);
    };
    row("Text_Px_Rev", "Prix de revient unitaire", "Cost price / unit");
    row("Text_pv", "Prix de vente minimum", "Selling price minimum");
    row("Text_Bén_Avt_Impôt", "Bénéfice avant impôt", "Profit before tax");
    row("Text_Bén_Après_Impôt", "Bénéfice après impôt", "Profit after tax");
    row("Text_Frais_Vente", "Frais de courtage à la vente", "Frais de courtage à la vente");
}

void AccessibilityTest::resultsReadTheirCaptionAndValue()
{
    QFETCH(QString, control);
    QFETCH(QString, french);
    QFETCH(QString, english);
    MainWindowFixture f;
    f.settings.setContents("[Vantrelle]\r\nFB1=0\r\nFH1=99999999\r\nF1=10\r\n");
    Fen_principale& window = f.open();
    window.dataPage()->Text_pa->setText(QStringLiteral("10"));
    window.dataPage()->Text_nb->setText(QStringLiteral("100"));
    window.dataPage()->Text_ben->setText(QStringLiteral("10"));
    window.Bout_Calculer_Click();
    auto* label = f.find<QLabel>(control);
    QAccessibleInterface* result = QAccessible::queryAccessibleInterface(label);

    QVERIFY(!label->text().isEmpty());
    QCOMPARE(result->text(QAccessible::Name), french);
    // The label's leading blank, there to centre it, is not read.
    QVERIFY(!result->text(QAccessible::Value).startsWith(u' '));
    QCOMPARE(result->text(QAccessible::Value), label->text().trimmed());
    QCOMPARE(result->text(QAccessible::Description), label->text().trimmed());
    window.Anglais_Click();
    QCOMPARE(result->text(QAccessible::Name), english);
    label->setText(QStringLiteral("12,34 euros"));
    QCOMPARE(result->text(QAccessible::Value), QStringLiteral("12,34 euros"));
    // Read in the window's order, never a stop of the Tab key.
    QVERIFY(!(label->focusPolicy() & Qt::TabFocus));
}

void AccessibilityTest::rowWordsAreNotRead()
{
    MainWindowFixture f;
    f.open().Tabulation()->setCurrentIndex(1);
    for (const char* word : {"Label6", "Label10", "Label14", "Label24", "Label25", "Label26"}) {
        QAccessibleInterface* accessible =
            QAccessible::queryAccessibleInterface(f.find<QLabel>(QString::fromLatin1(word)));
        QVERIFY2(accessible->state().invisible, word);
    }
    QVERIFY(
        !QAccessible::queryAccessibleInterface(f.find<QLineEdit>("Text_FB5"))->state().invisible);
}

QTEST_MAIN(AccessibilityTest)
#include "tst_accessibility.moc"
