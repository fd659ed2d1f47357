#include "FakeMainWindow.h"
#include "FakeMessenger.h"
#include "FeeStore.h"
#include "ScheduleBar.h"
#include "ScheduleBook.h"
#include "ScheduleController.h"
#include "TempSettings.h"

#include <QComboBox>
#include <QTest>

namespace {

ScheduleTexts fixedFee(const char* fee)
{
    ScheduleTexts schedule;
    schedule.brackets[0] = {"0", "99999999", QString::fromUtf8(fee), false};
    return schedule;
}

const ScheduleTexts inUse = fixedFee("5");
const ScheduleTexts other = fixedFee("7");
const ScheduleTexts typed = fixedFee("6"); // on the page, not saved yet

enum class Step
{
    Switch,
    SwitchRefused,
    CreateEmpty,
    CreateCopy,
    Delete,
    ChooseFromList
};

} // namespace

Q_DECLARE_METATYPE(ScheduleTexts)

// The schedule steps driven over a stand-in for the main window: what each writes to the file
// and what it puts on the fee page, with no main window at all.
class ScheduleControllerTest : public QObject
{
    Q_OBJECT

private slots:
    void stepActsOnTheFileAndThePage_data();
    void stepActsOnTheFileAndThePage();
};

void ScheduleControllerTest::stepActsOnTheFileAndThePage_data()
{
    QTest::addColumn<Step>("step");
    QTest::addColumn<bool>("done");
    QTest::addColumn<QString>("nowInUse");
    QTest::addColumn<ScheduleTexts>("pageAfter");
    QTest::addColumn<ScheduleTexts>("firstAfter"); // what the file keeps under "Premier"

    QTest::newRow("switch keeps the typed page")
        << Step::Switch << true << "Autre" << other << typed;
    QTest::newRow("switch refused by the fee rules")
        << Step::SwitchRefused << false << "Premier" << typed << inUse;
    QTest::newRow("new empty schedule")
        << Step::CreateEmpty << true << "Neuf" << ScheduleTexts{} << typed;
    QTest::newRow("new copy") << Step::CreateCopy << true << "Neuf" << typed << typed;
    QTest::newRow("delete shows the next one")
        << Step::Delete << true << "Autre" << other << ScheduleTexts{};
    QTest::newRow("picked from the list")
        << Step::ChooseFromList << true << "Autre" << other << typed;
}

void ScheduleControllerTest::stepActsOnTheFileAndThePage()
{
    QFETCH(Step, step);
    QFETCH(bool, done);
    QFETCH(QString, nowInUse);
    QFETCH(ScheduleTexts, pageAfter);
    QFETCH(ScheduleTexts, firstAfter);
    const TempSettings settings;
    const IniStore store = settings.store();
    saveSchedule(store, inUse);
    const ScheduleBook book(store);
    QCOMPARE(book.renameTo(book.currentName(false), "Premier", false).outcome,
             ScheduleOutcome::Done);
    QCOMPARE(book.addSchedule("Autre", other, false).outcome, ScheduleOutcome::Done);
    FakeMessenger messenger;
    FakeMainWindow window;
    window.page = typed;
    window.refuseRules = step == Step::SwitchRefused;
    ScheduleBar bar(&window.owner);
    ScheduleController controller(store, messenger, window, bar, nullptr);
    emit window.told.feePageShown();
    QCOMPARE(bar.current(), QString("Premier"));

    bool result = false;
    switch (step) {
    case Step::Switch:
    case Step::SwitchRefused:
        result = controller.switchSchedule("Autre");
        break;
    case Step::CreateEmpty:
    case Step::CreateCopy:
        result = controller.createSchedule("Neuf", step == Step::CreateCopy);
        break;
    case Step::Delete:
        result = controller.deleteSchedule();
        break;
    case Step::ChooseFromList:
        bar.Combo_Bareme->setCurrentText("Autre");
        emit bar.Combo_Bareme->activated(bar.Combo_Bareme->currentIndex());
        result = true;
        break;
    }

    QCOMPARE(result, done);
    QCOMPARE(book.currentName(false), nowInUse);
    QCOMPARE(window.page, pageAfter);
    QCOMPARE(bar.current(), nowInUse);
    if (step == Step::Delete)
        QVERIFY(!book.stored("Premier"));
    else
        QCOMPARE(nowInUse == "Premier" ? loadSchedule(store) : *book.stored("Premier"), firstAfter);
    QCOMPARE(messenger.unansweredQuestions, 0);
}

QTEST_MAIN(ScheduleControllerTest)
#include "tst_schedule_controller.moc"
