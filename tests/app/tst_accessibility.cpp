#include "MainWindowFixture.h"

#include <QAccessible>
#include <QAction>
#include <QPushButton>

class AccessibilityTest : public QObject
{
    Q_OBJECT

private slots:
    void everyFieldAndResultHasAName_data();
    void everyFieldAndResultHasAName();
    void accessKeysReachTheCommands_data();
    void accessKeysReachTheCommands();
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

QTEST_MAIN(AccessibilityTest)
#include "tst_accessibility.moc"
