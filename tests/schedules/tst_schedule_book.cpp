#include "CompareWindow.h"
#include "DataPage.h"
#include "FeePage.h"
#include "FeeStore.h"
#include "MainWindowFixture.h"
#include "ScheduleBar.h"
#include "ScheduleBook.h"
#include "ScheduleController.h"
#include "ScheduleNames.h"

#include <QAction>
#include <QComboBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QTabWidget>
#include <QTableWidget>

Q_DECLARE_METATYPE(ScheduleTexts)
Q_DECLARE_METATYPE(std::optional<NameProblem>)

namespace {

ScheduleTexts texts(QStringList values, const char* minimum, const char* maximum)
{
    ScheduleTexts schedule;
    for (int n = 0; n < bracketCount && values.size() >= 4; ++n) {
        schedule.brackets[n] = {values[0], values[1], values[2], values[3] == "%"};
        values = values.mid(4);
    }
    schedule.minimum = QString::fromUtf8(minimum);
    schedule.maximum = QString::fromUtf8(maximum);
    return schedule;
}

// Two schedules that pass the fee rules as they stand, every one of their values different.
const ScheduleTexts five =
    texts({"0", "100", "1",   "",    "100", "200", "0.5", "%",        "200", "300",
           "3", "",    "300", "400", "0.4", "%",   "400", "99999999", "5",   ""},
          "1", "20");
const ScheduleTexts two = texts({"0", "1000", "7", "%", "1000", "99999999", "2.5", ""}, "", "40");

const QByteArray todaysFile =
    "; my broker\r\n[Vantrelle]\r\nC=F\r\nFB1=0\r\nFH1=500\r\nF1=1.99\r\n"
    "P1=Faux\r\nV1=Vrai\r\nFB2=500\r\nFH2=99999999\r\nF2=0.5\r\nP2=Vrai\r\n"
    "V2=Faux\r\nFB3=\r\nFH3=\r\nF3=\r\nP3=Faux\r\nV3=Vrai\r\nFB4=\r\nFH4=\r\n"
    "F4=\r\nP4=Faux\r\nV4=Vrai\r\nFB5=\r\nFH5=\r\nF5=\r\nP5=Faux\r\nV5=Vrai\r\n"
    "Mini=\r\nMaxi=\r\nT1=10\r\n\r\n[Autre]\r\nk=v\r\n";

void choose(Fen_principale& window, const QString& name)
{
    window.Tabulation()->setCurrentWidget(window.feePage());
    QComboBox* list = window.feePage()->scheduleBar->Combo_Bareme;
    list->setCurrentText(name);
    emit list->activated(list->currentIndex());
}

} // namespace

class ScheduleBookTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { QLocale::setDefault(QLocale(QLocale::French, QLocale::France)); }
    void todaysFileHasOneScheduleAndIsSavedAsItWas();
    void switchingBackAndForthKeepsEveryValue();
    void scheduleFailingTheRulesIsNotLeft_data();
    void scheduleFailingTheRulesIsNotLeft();
    void renameDeleteAndImport();
    void compareWindowWritesOnlyTheSwitchAsked();
    void compareWindowFitsEachOpeningAndWaitsForTheTrade();
    void names_data();
    void names();
};

void ScheduleBookTest::todaysFileHasOneScheduleAndIsSavedAsItWas()
{
    MainWindowFixture f;
    f.settings.setContents(todaysFile);
    const ScheduleBook book(f.settings.store());
    QCOMPARE(book.allNames(false), QStringList{"Barème 1"});
    QCOMPARE(book.allNames(true), QStringList{"Schedule 1"});
    QCOMPARE(*loadNamedSchedule(f.settings.store(), "schedule 1"),
             loadSchedule(f.settings.store()));
    f.open().quitter_Click();
    QCOMPARE(f.settings.contents(), todaysFile);
}

void ScheduleBookTest::switchingBackAndForthKeepsEveryValue()
{
    MainWindowFixture f;
    const IniStore store = f.settings.store();
    saveSchedule(store, five);
    QCOMPARE(ScheduleBook(store).addSchedule("Crédit été", two, false).outcome,
             ScheduleOutcome::Done);
    Fen_principale& window = f.open();

    choose(window, "Crédit été");
    QCOMPARE(window.feePage()->schedule(), two);
    QCOMPARE(loadSchedule(store), two);
    QCOMPARE(*ScheduleBook(store).stored("Barème 1"), five);
    choose(window, "Barème 1");
    QCOMPARE(window.feePage()->schedule(), five);
    QCOMPARE(loadSchedule(store), five);
    QCOMPARE(*loadNamedSchedule(store, "crédit été"), two);
    QCOMPARE(ScheduleBook(store).allNames(false), (QStringList{"Barème 1", "Crédit été"}));
    QVERIFY(f.messenger.shown.isEmpty());
}

void ScheduleBookTest::scheduleFailingTheRulesIsNotLeft_data()
{
    QTest::addColumn<ScheduleTexts>("page");
    QTest::addColumn<int>("answer"); // to the zero-fee question: 1 Yes, 0 No, -1 not asked
    QTest::addColumn<bool>("switched");
    QTest::newRow("brackets out of order")
        << texts({"0", "100", "1", "", "100", "20", "2", ""}, "", "") << -1 << false;
    QTest::newRow("minimum above maximum")
        << texts({"0", "99999999", "1", ""}, "9", "3") << -1 << false;
    QTest::newRow("no fee, not confirmed") << texts({"0", "0", "0", ""}, "", "") << 0 << false;
    QTest::newRow("no fee, confirmed") << texts({"0", "0", "0", ""}, "", "") << 1 << true;
    QTest::newRow("cleared page") << ScheduleTexts{} << -1 << true;
}

void ScheduleBookTest::scheduleFailingTheRulesIsNotLeft()
{
    QFETCH(ScheduleTexts, page);
    QFETCH(int, answer);
    QFETCH(bool, switched);
    MainWindowFixture f;
    QCOMPARE(ScheduleBook(f.settings.store()).addSchedule("Autre", two, false).outcome,
             ScheduleOutcome::Done);
    Fen_principale& window = f.open();
    window.feePage()->setSchedule(page);
    const QByteArray before = f.settings.contents();
    if (answer >= 0)
        f.messenger.answerNext(answer == 1);

    QCOMPARE(f.capabilities.schedules->switchSchedule("Autre"), switched);
    QCOMPARE(ScheduleBook(f.settings.store()).currentName(false),
             switched ? QString("Autre") : QString("Barème 1"));
    QCOMPARE(f.settings.contents() == before, !switched);
    QCOMPARE(f.messenger.shown.size(), switched && answer < 0 ? 0 : 1);
    QCOMPARE(f.messenger.unansweredQuestions, 0);
}

void ScheduleBookTest::renameDeleteAndImport()
{
    MainWindowFixture f;
    const IniStore store = f.settings.store();
    saveSchedule(store, five);
    Fen_principale& window = f.open();
    QCOMPARE(ScheduleBook(store).remove(ScheduleBook(store).currentName(false), false).outcome,
             ScheduleOutcome::LastOne); // the last one stays

    QVERIFY(f.capabilities.schedules->renameSchedule("Crédit — PEA"));
    QVERIFY(f.settings.contents().contains("Bar\xE8me=Cr\xE9"
                                           "dit \x97 PEA\r\n"));
    const ScheduleBook book(store);
    QCOMPARE(book.addSchedule("crédit — pea", two, false).name, QString("crédit — pea (2)"));
    QCOMPARE(book.addSchedule("Crédit — PEA", two, false).name, QString("Crédit — PEA (3)"));
    QVERIFY(f.capabilities.schedules->createSchedule("Vide", false));
    QCOMPARE(window.feePage()->schedule(), ScheduleTexts{});
    QCOMPARE(*book.stored("Crédit — PEA"), five);

    QVERIFY(f.capabilities.schedules->deleteSchedule());
    QCOMPARE(book.currentName(false), QString("Crédit — PEA"));
    QCOMPARE(window.feePage()->schedule(), five);
    QCOMPARE(book.remove("CRÉDIT — PEA (3)", false).outcome, ScheduleOutcome::Done);
    QCOMPARE(book.allNames(false), (QStringList{"Crédit — PEA", "crédit — pea (2)"}));
}

void ScheduleBookTest::compareWindowWritesOnlyTheSwitchAsked()
{
    MainWindowFixture f;
    saveSchedule(f.settings.store(), five);
    QCOMPARE(ScheduleBook(f.settings.store()).addSchedule("Deux", two, false).outcome,
             ScheduleOutcome::Done);
    Fen_principale& window = f.open();
    QAction* compare = window.findChild<QAction*>("ComparerBaremes");
    QVERIFY(!compare->isEnabled());
    window.dataPage()->Text_pa->setText("10");
    window.dataPage()->Text_nb->setText("100");
    window.dataPage()->Text_ben->setText("10");
    QVERIFY(compare->isEnabled());
    const QByteArray before = f.settings.contents();

    compare->trigger();
    CompareWindow* shown = f.capabilities.schedules->compareWindow();
    QVERIFY(shown && shown->isVisible());
    QCOMPARE(shown->table->rowCount(), 2);
    QCOMPARE(shown->plainText().count(u'\n'), 4); // what was compared, headings, two rows
    QCOMPARE(f.settings.contents(), before);
    const int other = shown->table->item(0, 0)->text() == "Deux" ? 0 : 1;
    shown->table->selectRow(other);
    shown->useButton->click();
    QCOMPARE(ScheduleBook(f.settings.store()).currentName(false), QString("Deux"));
    QCOMPARE(window.feePage()->schedule(), two);
    QCOMPARE(shown->table->item(other, 6)->text().contains("en cours"), true);
}

void ScheduleBookTest::compareWindowFitsEachOpeningAndWaitsForTheTrade()
{
    MainWindowFixture f;
    saveSchedule(f.settings.store(), five);
    Fen_principale& window = f.open();
    window.dataPage()->Text_pa->setText("10");
    window.dataPage()->Text_nb->setText("100");
    window.dataPage()->Text_ben->setText("10");
    QAction* compare = window.findChild<QAction*>("ComparerBaremes");
    compare->trigger();
    CompareWindow* shown = f.capabilities.schedules->compareWindow();
    QApplication::processEvents();
    // The one schedule is both the cheapest and the one in use: the longest remark, on one line.
    const QTableWidgetItem* remark = shown->table->item(0, 6);
    QCOMPARE(remark->text(), QString("le moins cher, en cours"));
    QVERIFY(shown->table->horizontalHeader()->sectionSize(6) >
            QFontMetrics(remark->font()).horizontalAdvance(remark->text()));
    shown->close();

    const ScheduleBook book(f.settings.store());
    for (const char* name : {"Deux", "Trois", "Quatre", "Cinq", "Un nom bien plus long"})
        QCOMPARE(book.addSchedule(name, two, false).outcome, ScheduleOutcome::Done);
    compare->trigger();
    QApplication::processEvents();
    QCOMPARE(shown->table->rowCount(), 6);
    QVERIFY(!shown->table->verticalScrollBar()->isVisible());

    window.dataPage()->Text_pa->setText("");
    QVERIFY(shown->isVisible());
    QCOMPARE(shown->table->rowCount(), 0);
    QVERIFY(shown->summaryLabel->text().contains("incomplètes"));
    QVERIFY(!shown->copyButton->isEnabled());
    window.dataPage()->Text_pa->setText("10");
    QCOMPARE(shown->table->rowCount(), 6);

    // Deleting cannot be undone: Enter must not do it.
    window.Tabulation()->setCurrentWidget(window.feePage());
    f.messenger.answerNext(false);
    window.feePage()->scheduleBar->SupprimerBareme->trigger();
    QVERIFY(f.messenger.shown.last().noByDefault);
    QCOMPARE(book.allNames(false).size(), 6);
}

void ScheduleBookTest::names_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<std::optional<NameProblem>>("problem");
    const std::optional<NameProblem> none;
    QTest::newRow("Western European letters") << "  Société Générale — PEA œ €  " << none;
    QTest::newRow("taken, whatever the case") << "MA BANQUE" << std::optional(NameProblem::Taken);
    QTest::newRow("only blanks") << " \t " << std::optional(NameProblem::Empty);
    QTest::newRow("too long") << QString(61, u'x') << std::optional(NameProblem::TooLong);
    QTest::newRow("end of a section name") << "a]b" << std::optional(NameProblem::Forbidden);
    QTest::newRow("in quotes the file removes")
        << "\"PEA\"" << std::optional(NameProblem::Forbidden);
    QTest::newRow("control character") << "a\tb\x01" << std::optional(NameProblem::Forbidden);
    QTest::newRow("Greek") << "Ωmega" << std::optional(NameProblem::NotInFile);
    QTest::newRow("emoji") << "PEA 📈" << std::optional(NameProblem::NotInFile);
}

void ScheduleBookTest::names()
{
    QFETCH(QString, name);
    QFETCH(std::optional<NameProblem>, problem);
    QCOMPARE(nameProblem(name, {"Ma banque"}), problem);
    if (problem)
        return;
    // A good name comes back from the file as it was typed, outer blanks aside.
    TempSettings settings;
    QCOMPARE(ScheduleBook(settings.store()).addSchedule(name.trimmed(), two, false).outcome,
             ScheduleOutcome::Done);
    QCOMPARE(ScheduleBook(settings.store()).otherNames(), QStringList{name.trimmed()});
}

QTEST_MAIN(ScheduleBookTest)
#include "tst_schedule_book.moc"
