#include "FeeStore.h"
#include "PositionStore.h"
#include "TempSettings.h"

#include <QCryptographicHash>
#include <QFile>
#include <QProcess>
#include <QTest>

namespace {

struct Run
{
    int status = -1;
    QString out;
    QString err;
};

// The real program, without a display, in English ("C"), with the input given.
Run run(const QStringList& arguments, const QByteArray& input = {})
{
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM", "LANG", "LANGUAGE"})
        environment.remove(name);
    environment.insert("LC_ALL", "C");
    QProcess process;
    process.setProcessEnvironment(environment);
    process.start(VANTRELLE_EXECUTABLE, arguments);
    process.waitForStarted();
    process.write(input);
    process.closeWriteChannel();
    process.waitForFinished(20000);
    return {process.exitCode(), QString::fromUtf8(process.readAllStandardOutput()),
            QString::fromUtf8(process.readAllStandardError())};
}

QByteArray digestOf(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return QCryptographicHash::hash(file.readAll(), QCryptographicHash::Sha256);
}

// 100 at 100, 200 at 110, 200 at 120, then 200 sold at 130: 300 left at 112, 3,600 gained.
const char* workedExample = "date;position;kind;shares;price;fee;taxes\n"
                            "05/01/2026;Air Liquide;achat;100;100;0;0\n"
                            "05/02/2026;Air Liquide;achat;200;110;0;0\n"
                            "05/03/2026;Air Liquide;achat;200;120;0;0\n"
                            "01/04/2026;Air Liquide;vente;200;130;0;0\n";

} // namespace

class PositionsCommandsTest : public QObject
{
    Q_OBJECT

private slots:
    void answersFromTheDatabase_data();
    void answersFromTheDatabase();
};

void PositionsCommandsTest::answersFromTheDatabase_data()
{
    QTest::addColumn<bool>("imported"); // the worked example is in the database first
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QByteArray>("input");
    QTest::addColumn<int>("status");
    QTest::addColumn<QString>("out");
    QTest::addColumn<QString>("err");

    QTest::newRow("the list") << true << QStringList{"positions"} << QByteArray() << 0
                              << "Air Liquide\t300 shares\tcost 33600.00\tcost price "
                                 "112\trealised 3600.00\n"
                              << "";
    QTest::newRow("the list in JSON") << true << QStringList{"positions", "--json"} << QByteArray()
                                      << 0 << "\"cost_cents\":3360000,\"cost_price_cents\":11200"
                                      << "";
    QTest::newRow("no database yet") << false << QStringList{"positions"} << QByteArray() << 0 << ""
                                     << "";
    QTest::newRow("the gains of the year")
        << true << QStringList{"gains", "--year", "2026"} << QByteArray() << 0
        << "2026-04-01\tAir Liquide\t200\t130\t0.00\t22400.00\t3600.00\nGains: 3600.00\n"
           "Losses: 0.00\nNet result: 3600.00\n"
        << "";
    QTest::newRow("the gains as CSV")
        << true << QStringList{"gains", "--year", "2026", "--csv"} << QByteArray() << 0
        << "2026-04-01,Air Liquide,200,130,0.00,0.00,22400.00,3600.00\n"
        << "";
    QTest::newRow("a year without sales")
        << true << QStringList{"gains", "--year", "2025"} << QByteArray() << 0 << "Net result: 0.00"
        << "";
    // 100 of the 300 at 112 for 10 % more after the fee of 10: (11,200 + 1,120 + 10) / 100.
    QTest::newRow("the price to sell part")
        << true << QStringList{"calc",     "--position", "Air Liquide", "--sell", "100",
                               "--profit", "10",         "--tax-rate",  "0"}
        << QByteArray() << 0 << "Selling price minimum:  123.3 euros"
        << "";
    QTest::newRow("more than held")
        << true
        << QStringList{"calc", "--position", "Air Liquide", "--sell", "301", "--profit", "10"}
        << QByteArray() << 1 << ""
        << "300 held";
    QTest::newRow("an unknown position")
        << true << QStringList{"calc", "--position", "Orange", "--profit", "10"} << QByteArray()
        << 1 << ""
        << "No position is named \"Orange\".";
    QTest::newRow("gains without a year") << true << QStringList{"gains"} << QByteArray() << 2 << ""
                                          << "gains needs --year Y.";
    QTest::newRow("an import with a bad line")
        << true << QStringList{"positions", "--import", "-"}
        << QByteArray("date,position,kind,shares,price,fee,taxes\n"
                      "2026-05-01,Orange,buy,10,10,0,0\n"
                      "2026-05-02,Orange,sell,11,10,0,0\n")
        << 1 << ""
        << "Nothing was imported:\nline 3: a sale of more shares than held on its date\n";
}

void PositionsCommandsTest::answersFromTheDatabase()
{
    QFETCH(bool, imported);
    QFETCH(QStringList, arguments);
    QFETCH(QByteArray, input);
    QFETCH(int, status);
    QFETCH(QString, out);
    QFETCH(QString, err);

    const TempSettings settings;
    ScheduleTexts tenEuros;
    tenEuros.brackets[0] = {"0", "99999999", "10", false};
    saveSchedule(settings.store(), tenEuros);
    const QByteArray settingsBefore = settings.contents();
    const QString database = PositionStore::pathBeside(settings.path());
    if (imported) {
        const Run import =
            run({"positions", "--import", "-", "--settings", settings.path()}, workedExample);
        QCOMPARE(import.status, 0);
        QCOMPARE(import.out, "4 lines imported.\n");
    }
    const QByteArray databaseBefore = digestOf(database);

    const Run done = run(arguments + QStringList{"--settings", settings.path()}, input);
    QVERIFY2(done.out.contains(out), qPrintable(done.out));
    QVERIFY2(err.isEmpty() ? done.err.isEmpty() : done.err.contains(err), qPrintable(done.err));
    QCOMPARE(done.status, status);
    // Only an import that goes through writes the database; nothing writes the settings.
    QCOMPARE(digestOf(database), databaseBefore);
    QCOMPARE(QFile::exists(database), imported);
    QCOMPARE(settings.contents(), settingsBefore);
}

QTEST_GUILESS_MAIN(PositionsCommandsTest)
#include "tst_positions_commands.moc"
