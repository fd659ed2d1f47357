#include "FakeMessenger.h"
#include "ScheduleBar.h"
#include "ScheduleMessages.h"
#include "ScheduleNameDialog.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>

class ScheduleListTest : public QObject
{
    Q_OBJECT

private slots:
    void listShowsTheScheduleInUseUntilASwitch_data();
    void listShowsTheScheduleInUseUntilASwitch();
    void nameDialogWaitsForAName_data();
    void nameDialogWaitsForAName();
    void messagesSayWhatHappened_data();
    void messagesSayWhatHappened();
};

void ScheduleListTest::listShowsTheScheduleInUseUntilASwitch_data()
{
    QTest::addColumn<int>("chosen");
    QTest::addColumn<QStringList>("asked");
    QTest::newRow("another schedule: asked, the list back on the one in use")
        << 1 << QStringList{"Courtier en ligne à frais réduits pour les petits ordres"};
    QTest::newRow("the one in use: nothing asked") << 0 << QStringList{};
}

void ScheduleListTest::listShowsTheScheduleInUseUntilASwitch()
{
    QFETCH(int, chosen);
    QFETCH(QStringList, asked);
    const QString longName = "Courtier en ligne à frais réduits pour les petits ordres";
    ScheduleBar bar(nullptr);
    bar.setListName("Barème en cours");
    bar.showNames({"Banque", longName}, "banque");
    QSignalSpy spy(&bar, &ScheduleBar::switchAsked);
    bar.Combo_Bareme->setCurrentIndex(chosen);
    emit bar.Combo_Bareme->activated(chosen);
    QStringList got;
    for (const QList<QVariant>& call : spy)
        got << call.front().toString();
    QCOMPARE(got, asked);
    QCoreApplication::processEvents();
    QCOMPARE(bar.Combo_Bareme->currentText(), QString("Banque"));
    QCOMPARE(bar.inUse(), QString("banque"));
    // A switch that went through shows the new one.
    bar.showNames({"Banque", longName}, longName);
    QCOMPARE(bar.Combo_Bareme->currentText(), longName);
    // Elided in a narrow list, whole in the tooltip and in the open list.
    QCOMPARE(bar.Combo_Bareme->toolTip(), "Barème en cours\n" + longName);
    QCOMPARE(bar.Combo_Bareme->itemData(1, Qt::ToolTipRole).toString(), longName);
    QVERIFY(bar.Combo_Bareme->view()->minimumWidth() >
            bar.Combo_Bareme->fontMetrics().horizontalAdvance(longName));
}

void ScheduleListTest::nameDialogWaitsForAName_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<bool>("okEnabled");
    QTest::addColumn<QString>("said"); // after OK; empty: accepted
    QTest::newRow("empty") << "" << false << "";
    QTest::newRow("blanks only") << "   " << false << "";
    QTest::newRow("taken in another case: quoted as stored")
        << "ma BANQUE" << true << "Un barème s'appelle déjà «\u00A0Ma Banque\u00A0».";
    QTest::newRow("free") << "Courtier" << true << "";
}

void ScheduleListTest::nameDialogWaitsForAName()
{
    QFETCH(QString, typed);
    QFETCH(bool, okEnabled);
    QFETCH(QString, said);
    FakeMessenger messenger;
    ScheduleNameDialog dialog(messenger, "Nouveau barème", "Barème 2", {"Ma Banque"}, false,
                              nullptr);
    dialog.Text_NomBareme->setText(typed);
    QPushButton* ok = dialog.buttons->button(QDialogButtonBox::Ok);
    QCOMPARE(ok->isEnabled(), okEnabled);
    if (!okEnabled)
        return;
    dialog.accept();
    QCOMPARE(dialog.result() == QDialog::Accepted, said.isEmpty());
    QCOMPARE(messenger.shown.isEmpty() ? QString() : messenger.shown.front().text, said);
}

void ScheduleListTest::messagesSayWhatHappened_data()
{
    QTest::addColumn<Message>("message");
    QTest::addColumn<QString>("text");
    QTest::newRow("deleted, French")
        << deletedMessage("Ancien", "Banque", false)
        << "Le barème «\u00A0Ancien\u00A0» est supprimé. Le barème en cours est maintenant "
           "«\u00A0Banque\u00A0».";
    QTest::newRow("deleted, English")
        << deletedMessage("Old", "Bank", true)
        << "The schedule \"Old\" is deleted. The schedule in use is now \"Bank\".";
    QTest::newRow("exported") << exportedMessage("Banque", "/home/u/Banque.ini", false)
                              << "Le barème «\u00A0Banque\u00A0» est exporté dans le fichier "
                                 "«\u00A0/home/u/Banque.ini\u00A0» (UTF-8).";
    QTest::newRow("delete question")
        << deleteQuestion("Banque", false)
        << "Supprimer le barème «\u00A0Banque\u00A0» ? Ses frais de courtage seront perdus.";
}

void ScheduleListTest::messagesSayWhatHappened()
{
    QFETCH(Message, message);
    QFETCH(QString, text);
    QCOMPARE(message.text, text);
    QCOMPARE(message.title, message.text.contains("barème") ? QString("Barèmes") : "Schedules");
}

Q_DECLARE_METATYPE(Message)
QTEST_MAIN(ScheduleListTest)
#include "tst_schedule_list.moc"
