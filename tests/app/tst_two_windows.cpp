#include "Capabilities.h"
#include "FakeMessenger.h"
#include "FeePage.h"
#include "Fen_principale.h"
#include "ScheduleBook.h"
#include "ScheduleController.h"
#include "TempSettings.h"

#include <QTest>

#include <memory>

namespace {

ScheduleTexts fixedFee(const char* fee)
{
    ScheduleTexts schedule;
    schedule.brackets[0] = {"0", "99999999", QString::fromUtf8(fee), false};
    return schedule;
}

// A copy of the program over the settings file: its window and its schedules.
struct Copy
{
    explicit Copy(const QString& path)
        : window(std::make_unique<Fen_principale>(IniStore(path), messenger, QString())),
          capabilities(plugCapabilities(*window, IniStore(path), messenger))
    {}

    FakeMessenger messenger;
    std::unique_ptr<Fen_principale> window;
    Capabilities capabilities;
};

enum class Step
{
    QuitA,
    SwitchA,
    DeleteA,
    RenameA
};

} // namespace

Q_DECLARE_METATYPE(ScheduleTexts)

// Two copies of the program over one settings file: each acts on the schedule it shows, by name,
// whatever the other has made the file's schedule in use since.
class TwoWindowsTest : public QObject
{
    Q_OBJECT

private slots:
    void eachActsOnTheScheduleItShows_data();
    void eachActsOnTheScheduleItShows();
};

void TwoWindowsTest::eachActsOnTheScheduleItShows_data()
{
    QTest::addColumn<Step>("step");
    QTest::addColumn<QStringList>("names"); // every schedule of the file afterwards
    QTest::addColumn<QString>("s101Fee");   // what S101 holds afterwards
    QTest::addColumn<QString>("aShowsFee"); // on A's fee page afterwards

    // B switched to S101 and quit: A's page goes into S100, never into S101.
    QTest::newRow("A quits") << Step::QuitA << QStringList{"S100", "S101", "S102"} << "101"
                             << "7";
    QTest::newRow("A switches to S102")
        << Step::SwitchA << QStringList{"S100", "S101", "S102"} << "101"
        << "102";
    QTest::newRow("A deletes its own") << Step::DeleteA << QStringList{"S101", "S102"} << "101"
                                       << "101";
    QTest::newRow("A renames its own")
        << Step::RenameA << QStringList{"Renommé", "S101", "S102"} << "101"
        << "7";
}

void TwoWindowsTest::eachActsOnTheScheduleItShows()
{
    QFETCH(Step, step);
    QFETCH(QStringList, names);
    QFETCH(QString, s101Fee);
    QFETCH(QString, aShowsFee);
    QLocale::setDefault(QLocale(QLocale::French, QLocale::France));
    const TempSettings settings;
    settings.setContents("[Vantrelle]\r\nBar\xe8me=S100\r\nFB1=0\r\nFH1=99999999\r\nF1=100\r\n"
                         "[Bar\xe8me: S101]\r\nFB1=0\r\nFH1=99999999\r\nF1=101\r\n"
                         "[Bar\xe8me: S102]\r\nFB1=0\r\nFH1=99999999\r\nF1=102\r\n");
    Copy a(settings.path());
    Copy b(settings.path());
    a.window->feePage()->setSchedule(fixedFee("7")); // typed in A, not saved yet

    QVERIFY(b.capabilities.schedules->switchSchedule("S101"));
    b.window->quitter_Click();

    switch (step) {
    case Step::QuitA:
        a.window->quitter_Click();
        break;
    case Step::SwitchA:
        QVERIFY(a.capabilities.schedules->switchSchedule("S102"));
        break;
    case Step::DeleteA:
        QVERIFY(a.capabilities.schedules->deleteSchedule());
        break;
    case Step::RenameA:
        QVERIFY(a.capabilities.schedules->renameSchedule("Renommé"));
        break;
    }

    const ScheduleBook book(settings.store());
    QStringList written = book.allNames(false);
    written.sort();
    QCOMPARE(written, names);
    QCOMPARE(book.texts("S101")->brackets[0].fee, s101Fee);
    QCOMPARE(a.window->feePage()->schedule().brackets[0].fee, aShowsFee);
    // What A typed is kept under its own schedule when A leaves or saves it.
    if (step == Step::QuitA || step == Step::SwitchA)
        QCOMPARE(book.texts("S100")->brackets[0].fee, QString("7"));
}

QTEST_MAIN(TwoWindowsTest)
#include "tst_two_windows.moc"
