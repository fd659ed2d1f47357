// Several windows (running copies) on one settings file, each showing a schedule of its own, and
// the file's encoding and all-or-nothing changes under them.
#include "FeeStore.h"
#include "ScheduleBook.h"
#include "ScheduleChangeMessage.h"
#include "ScheduleFile.h"
#include "ScheduleNames.h"
#include "TempSettings.h"

#include <QFile>
#include <QHash>
#include <QMap>
#include <QStringDecoder>
#include <QTest>

Q_DECLARE_METATYPE(ScheduleOutcome)

namespace {

// A schedule told from every other by its first fee.
ScheduleTexts fees(const QString& fee)
{
    ScheduleTexts texts;
    texts.brackets[0] = {"0", "99999999", fee, false};
    return texts;
}

QByteArray keyLines(const ScheduleTexts& texts)
{
    QByteArray lines;
    for (const auto& [key, value] : scheduleEntries(texts))
        lines += key.toLatin1() + '=' + value.toLatin1() + "\r\n";
    return lines;
}

// S100 in use, named or not ("Barème 1" then), S101 and S102 kept aside.
QByteArray threeSchedules(bool named)
{
    QByteArray file = "[Vantrelle]\r\nC=F\r\n" + keyLines(fees("100"));
    if (named)
        file += "Bar\xE8me=S100\r\n";
    for (const char* name : {"S101", "S102"})
        file += "[Bar\xE8me: " + QByteArray(name) + "]\r\n" + keyLines(fees(name + 1));
    return file;
}

// What the file should hold, worked out step by step from what each window did.
struct Model
{
    QMap<QString, ScheduleTexts> schedules;
    QString inUse;
};

struct Window
{
    QString shown;
    ScheduleTexts page;
};

ScheduleOutcome outcomeNamed(const QString& text)
{
    if (text == "gone")
        return ScheduleOutcome::Gone;
    if (text == "taken")
        return ScheduleOutcome::Taken;
    if (text == "last")
        return ScheduleOutcome::LastOne;
    return ScheduleOutcome::Done;
}

// The step as the window does it, and the model changed as it should be.
ScheduleChange act(const ScheduleBook& book, Window& window, Model& model, const QString& verb,
                   const QString& argument, ScheduleOutcome expected)
{
    const bool done = expected == ScheduleOutcome::Done;
    if (verb == "open") {
        const NamedSchedule shown = book.inUse(false);
        window = {model.inUse, model.schedules[model.inUse]};
        return {ScheduleOutcome::Done, shown.name, shown.texts};
    }
    if (verb == "edit") {
        window.page = fees(argument);
        return {ScheduleOutcome::Done, window.shown, window.page};
    }
    if (verb == "save" || verb == "quit") {
        const ScheduleChange change = book.save(window.shown, window.page, false);
        if (done)
            model.schedules[window.shown] = window.page;
        return change;
    }
    if (verb == "switch") {
        const ScheduleChange change = book.switchFrom(window.shown, window.page, argument, false);
        if (done) {
            model.schedules[window.shown] = window.page;
            model.inUse = argument;
            window = {argument, model.schedules[argument]};
        }
        return change;
    }
    if (verb == "rename") {
        const ScheduleChange change = book.renameTo(window.shown, argument, false);
        if (done) {
            model.schedules[argument] = model.schedules.take(window.shown);
            if (model.inUse == window.shown)
                model.inUse = argument;
            window.shown = argument;
        }
        return change;
    }
    if (verb == "create") {
        const ScheduleChange change =
            book.createFrom(window.shown, window.page, argument, ScheduleTexts{}, false);
        if (done) {
            model.schedules[window.shown] = window.page;
            model.schedules[argument] = ScheduleTexts{};
            model.inUse = argument;
            window = {argument, ScheduleTexts{}};
        }
        return change;
    }
    // delete
    const ScheduleChange change = book.remove(window.shown, false);
    if (done) {
        model.schedules.remove(window.shown);
        if (model.inUse == window.shown)
            model.inUse = model.schedules.firstKey(); // the test's names sort as the list does
        window = {model.inUse, model.schedules[model.inUse]};
    }
    return change;
}

QString describe(const Model& model)
{
    QStringList parts;
    for (auto it = model.schedules.begin(); it != model.schedules.end(); ++it)
        parts.append(it.key() + ":" + it.value().brackets[0].fee);
    return parts.join(' ') + " in use " + model.inUse;
}

bool isUtf8(const QByteArray& bytes)
{
    QStringDecoder decoder(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    const QString text = decoder(bytes);
    return !decoder.hasError() && !text.isEmpty();
}

} // namespace

class ScheduleWindowsTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { QLocale::setDefault(QLocale(QLocale::French, QLocale::France)); }
    void windowsNeverUndoEachOther_data();
    void windowsNeverUndoEachOther();
    void changeThatCannotBeWrittenWritesNothing_data();
    void changeThatCannotBeWrittenWritesNothing();
    void fileKeepsItsEncoding_data();
    void fileKeepsItsEncoding();
    void outcomeIsSaidTruthfully_data();
    void outcomeIsSaidTruthfully();
    void largeImportIsRefusedUnread_data();
    void largeImportIsRefusedUnread();
};

void ScheduleWindowsTest::windowsNeverUndoEachOther_data()
{
    QTest::addColumn<bool>("named");
    QTest::addColumn<QStringList>("steps");

    QTest::newRow("one switches and quits, the other quits after")
        << true << QStringList{"A open", "B open",   "B switch S101", "B edit 7",
                               "B quit", "A edit 5", "A quit"};
    QTest::newRow("the same while the schedule has no name yet")
        << false << QStringList{"A open", "B open",   "B switch S101", "B edit 7",
                                "B quit", "A edit 6", "A quit"};
    QTest::newRow("delete of a schedule another window moved out of use")
        << true << QStringList{"A open",   "B open", "B switch S101", "A delete",
                               "A edit 3", "A save", "B quit"};
    QTest::newRow("rename of a schedule another window moved out of use")
        << true << QStringList{"A open",   "B open", "B switch S101", "A rename S150",
                               "B edit 2", "B quit", "A edit 8",      "A quit"};
    QTest::newRow("both switch in turn")
        << true << QStringList{"A open",        "B open",        "A edit 1", "B edit 2",
                               "A switch S101", "B switch S102", "A quit",   "B quit"};
    QTest::newRow("switch to the schedule another window put in use")
        << true << QStringList{"A open",        "B open", "B switch S101", "A edit 3",
                               "A switch S101", "A quit", "B edit 4",      "B quit"};
    QTest::newRow("schedule renamed elsewhere is said, not saved again")
        << true << QStringList{"A open",         "B open",         "A rename S170",
                               "B edit 9",       "B save => gone", "B switch S101 => gone",
                               "B quit => gone", "A quit"};
    QTest::newRow("switch to a schedule deleted elsewhere")
        << true
        << QStringList{"A open",   "B open", "A switch S101", "B delete", "A switch S100 => gone",
                       "A edit 5", "A quit"};
    QTest::newRow("new name taken by another window meanwhile")
        << true << QStringList{"A open",
                               "B open",
                               "B create S180",
                               "A rename s180 => taken",
                               "A create S180 => taken",
                               "A edit 2",
                               "A quit",
                               "B quit"};
    QTest::newRow("the last schedule stays")
        << true << QStringList{"A open",           "B open",           "A delete", "A delete",
                               "B delete => gone", "A delete => last", "A quit"};
    QTest::newRow("three windows, every action")
        << true << QStringList{"A open",        "B open",   "C open",        "A switch S101",
                               "B switch S102", "C edit 9", "C rename S190", "A delete",
                               "B edit 4",      "B quit",   "C switch S102", "C edit 6",
                               "A create S195", "C quit",   "A quit",        "B delete",
                               "C save => gone"};
}

void ScheduleWindowsTest::windowsNeverUndoEachOther()
{
    QFETCH(bool, named);
    QFETCH(QStringList, steps);
    const TempSettings settings;
    settings.setContents(threeSchedules(named));
    const QString first = named ? "S100" : "Barème 1";
    Model model{{{first, fees("100")}, {"S101", fees("101")}, {"S102", fees("102")}}, first};
    QHash<QString, Window> windows;

    for (const QString& step : steps) {
        const QStringList parts = step.section(" => ", 0, 0).split(' ');
        const ScheduleOutcome expected = outcomeNamed(step.section(" => ", 1));
        // Each window its own book, as each running copy has.
        const ScheduleBook book(settings.store());
        Window& window = windows[parts[0]];
        const Window before = window;
        const ScheduleChange change = act(book, window, model, parts[1], parts.value(2), expected);
        const QByteArray what = (step + " with " + describe(model)).toUtf8();

        QVERIFY2(change.outcome == expected, what.constData());
        if (expected == ScheduleOutcome::Done) {
            QVERIFY2(change.name == window.shown, what.constData());
            // A rename leaves the page as it is, edits and all.
            QVERIFY2(parts[1] == "rename" || change.texts == window.page, what.constData());
        } else {
            QCOMPARE(window.shown, before.shown);
        }
        // The file after each step: every schedule with the fees last saved into it, none
        // twice, the one in use as the windows left it.
        const ScheduleList list = book.list(QString(), false);
        QCOMPARE(list.names, model.schedules.keys());
        QCOMPARE(list.inUse, model.inUse);
        for (auto it = model.schedules.begin(); it != model.schedules.end(); ++it)
            QVERIFY2(book.texts(it.key()) == it.value(),
                     (what + " in " + it.key().toUtf8()).constData());
        QCOMPARE(settings.contents().count("\n[Bar\xE8me: "), model.schedules.size() - 1);
    }
}

void ScheduleWindowsTest::changeThatCannotBeWrittenWritesNothing_data()
{
    QTest::addColumn<QString>("action");
    QTest::addColumn<QString>("inUseFee");
    QTest::addColumn<QString>("otherFee");
    QTest::addColumn<QString>("pageFee");
    const QString nul = QString("7") + QChar(0) + "5";

    QTest::newRow("switch to a schedule holding a NUL") << "switch"
                                                        << "1" << nul << "1";
    QTest::newRow("switch away from a schedule holding a NUL") << "switch" << nul << "2" << nul;
    QTest::newRow("switch away with a line break on the page") << "switch"
                                                               << "1"
                                                               << "2"
                                                               << "1\n2";
    QTest::newRow("save of a page holding a NUL") << "save"
                                                  << "1"
                                                  << "2" << nul;
    QTest::newRow("new schedule from a page holding a NUL") << "create"
                                                            << "1"
                                                            << "2" << nul;
    QTest::newRow("import of a schedule holding a NUL") << "import"
                                                        << "1"
                                                        << "2" << nul;
    QTest::newRow("name with a line break") << "rename"
                                            << "1"
                                            << "2"
                                            << "1";
}

void ScheduleWindowsTest::changeThatCannotBeWrittenWritesNothing()
{
    QFETCH(QString, action);
    QFETCH(QString, inUseFee);
    QFETCH(QString, otherFee);
    QFETCH(QString, pageFee);
    const TempSettings settings;
    const QByteArray file = "[Vantrelle]\r\n" + keyLines(fees(inUseFee)) +
                            "Bar\xE8me=Actuel\r\n[Bar\xE8me: Autre]\r\n" + keyLines(fees(otherFee));
    settings.setContents(file);
    const ScheduleBook book(settings.store());
    const ScheduleTexts page = fees(pageFee);

    ScheduleChange change;
    if (action == "switch")
        change = book.switchFrom("Actuel", page, "Autre", false);
    else if (action == "save")
        change = book.save("Actuel", page, false);
    else if (action == "create")
        change = book.createFrom("Actuel", page, "Neuf", fees("3"), false);
    else if (action == "import")
        change = book.addSchedule("Importé", page, false);
    else
        change = book.renameTo("Actuel", "Ac\ntuel", false);

    QCOMPARE(change.outcome, ScheduleOutcome::Refused);
    QCOMPARE(settings.contents(), file);
    QCOMPARE(book.list("Actuel", false).inUse, QString("Actuel"));
}

void ScheduleWindowsTest::fileKeepsItsEncoding_data()
{
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<QByteArray>("renamed"); // the new name's bytes the file must hold
    QTest::addColumn<bool>("utf8");          // which also holds any name

    const QByteArray utf8 = "[Vantrelle]\r\nC=F\r\nF1=2\r\nBar\xC3\xA8me=Cr\xC3\xA9"
                            "dit \xC3\xA9t\xC3\xA9\r\n[Bar\xC3\xA8me: Soci\xC3\xA9t\xC3\xA9 "
                            "G\xC3\xA9n\xC3\xA9rale]\r\nF1=3\r\n";
    const QByteArray cp1252 =
        "[Vantrelle]\r\nC=F\r\nF1=2\r\nBar\xE8me=Cr\xE9"
        "dit \xE9t\xE9\r\n[Bar\xE8me: Soci\xE9t\xE9 G\xE9n\xE9rale]\r\nF1=3\r\n";
    QTest::newRow("UTF-8 as an editor saves it")
        << utf8 << QByteArray("Soci\xC3\xA9t\xC3\xA9 \xE2\x80\x94 PEA") << true;
    QTest::newRow("UTF-8 with a byte-order mark")
        << "\xEF\xBB\xBF" + utf8 << QByteArray("Soci\xC3\xA9t\xC3\xA9 \xE2\x80\x94 PEA") << true;
    QTest::newRow("Windows-1252 as the program writes it")
        << cp1252 << QByteArray("Soci\xE9t\xE9 \x97 PEA") << false;
}

void ScheduleWindowsTest::fileKeepsItsEncoding()
{
    QFETCH(QByteArray, file);
    QFETCH(QByteArray, renamed);
    QFETCH(bool, utf8);
    const TempSettings settings;
    settings.setContents(file);
    const ScheduleBook book(settings.store());

    const ScheduleList list = book.list("crédit été", false);
    QCOMPARE(list.names, (QStringList{"Crédit été", "Société Générale"}));
    QCOMPARE(list.shown, std::optional<QString>("Crédit été"));
    QCOMPARE(loadNamedSchedule(settings.store(), "Société Générale")->brackets[0].fee,
             QString("3"));

    QCOMPARE(book.renameTo("Société Générale", "Société — PEA", false).outcome,
             ScheduleOutcome::Done);
    const ScheduleChange change = book.switchFrom("Crédit été", fees("4"), "Société — PEA", false);
    QCOMPARE(change.outcome, ScheduleOutcome::Done);
    QCOMPARE(change.texts.brackets[0].fee, QString("3"));
    const QByteArray after = settings.contents();
    QVERIFY(after.contains("=" + renamed + "\r\n"));
    QCOMPARE(after.startsWith("\xEF\xBB\xBF"), file.startsWith("\xEF\xBB\xBF"));
    QCOMPARE(isUtf8(after), utf8);
    QCOMPARE(book.texts("Crédit été")->brackets[0].fee, QString("4"));

    // A name the file's encoding cannot hold is refused, and nothing written.
    QCOMPARE(book.holdsAnyCharacter(), utf8);
    QCOMPARE(nameProblem("Ωmega", {}, book.holdsAnyCharacter()),
             utf8 ? std::nullopt : std::optional(NameProblem::NotInFile));
    const ScheduleChange greek = book.renameTo("Crédit été", "Ωmega", false);
    QCOMPARE(greek.outcome, utf8 ? ScheduleOutcome::Done : ScheduleOutcome::Refused);
    if (!utf8)
        QCOMPARE(settings.contents(), after);
}

void ScheduleWindowsTest::outcomeIsSaidTruthfully_data()
{
    QTest::addColumn<QString>("action");
    QTest::addColumn<bool>("readOnly");
    QTest::addColumn<ScheduleOutcome>("outcome");
    QTest::addColumn<QString>("said"); // empty: nothing to say

    QTest::newRow("saved") << "save 5" << false << ScheduleOutcome::Done << "";
    QTest::newRow("read-only file already holding the page")
        << "save 101" << true << ScheduleOutcome::Done << "";
    QTest::newRow("read-only file") << "save 5" << true << ScheduleOutcome::NotWritten
                                    << "n'a pas pu être modifié : les barèmes restent";
    QTest::newRow("schedule gone") << "delete S100" << false << ScheduleOutcome::Gone
                                   << "Le barème «\u00A0S100\u00A0» n'existe plus";
    QTest::newRow("name taken") << "rename S101" << false << ScheduleOutcome::Taken
                                << "Un barème s'appelle déjà «\u00A0S101\u00A0»";
    QTest::newRow("value refused") << "save \n"
                                   << false << ScheduleOutcome::Refused << "rien n'a été modifié";
}

void ScheduleWindowsTest::outcomeIsSaidTruthfully()
{
    QFETCH(QString, action);
    QFETCH(bool, readOnly);
    QFETCH(ScheduleOutcome, outcome);
    QFETCH(QString, said);
    const TempSettings settings;
    settings.setContents("[Bar\xE8me: S102]\r\n" + keyLines(fees("102")) + "[Vantrelle]\r\n" +
                         keyLines(fees("101")) + "Bar\xE8me=S101\r\n");
    const QByteArray before = settings.contents();
    if (readOnly)
        QVERIFY(QFile::setPermissions(settings.path(), QFile::ReadOwner));
    const ScheduleBook book(settings.store());
    const QString argument = action.section(' ', 1).replace("\\n", "\n");

    ScheduleChange change;
    if (action.startsWith("save"))
        change = book.save("S101", fees(argument), false);
    else if (action.startsWith("delete"))
        change = book.remove(argument, false);
    else
        change = book.renameTo("S102", argument, false);

    QCOMPARE(change.outcome, outcome);
    const std::optional<Message> message = scheduleChangeMessage(change, false);
    QCOMPARE(message.has_value(), !said.isEmpty());
    if (message)
        QVERIFY2(message->text.contains(said), message->text.toUtf8().constData());
    QCOMPARE(settings.contents() == before, outcome != ScheduleOutcome::Done || readOnly);
}

void ScheduleWindowsTest::largeImportIsRefusedUnread_data()
{
    QTest::addColumn<qsizetype>("size");
    QTest::addColumn<bool>("read");
    QTest::newRow("a schedule") << qsizetype(200) << true;
    QTest::newRow("1 MiB exactly") << qsizetype(1024 * 1024) << true;
    QTest::newRow("one byte more") << qsizetype(1024 * 1024 + 1) << false;
    QTest::newRow("the settings file's limit") << qsizetype(16 * 1024 * 1024) << false;
}

void ScheduleWindowsTest::largeImportIsRefusedUnread()
{
    QFETCH(qsizetype, size);
    QFETCH(bool, read);
    const TempSettings settings;
    QByteArray bytes = "[Bar\xE8me: Gros]\r\nF1=2\r\n;";
    bytes += QByteArray(size - bytes.size(), 'x');
    QFile file(settings.path());
    QVERIFY(file.open(QIODevice::WriteOnly) && file.write(bytes) == size);
    file.close();
    QCOMPARE(isTooLargeForSchedule(settings.path()), !read);
    if (!read)
        QVERIFY(scheduleFileTooLargeMessage(settings.path(), false).text.contains("1024 Ko"));
    const std::optional<ImportedSchedule> imported = importScheduleFile(settings.path(), false);
    QCOMPARE(imported.has_value(), read);
    if (read)
        QCOMPARE(imported->name, QString("Gros"));
}

QTEST_MAIN(ScheduleWindowsTest)
#include "tst_schedule_windows.moc"
