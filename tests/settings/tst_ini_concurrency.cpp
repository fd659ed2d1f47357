#include "IniStore.h"
#include "TempSettings.h"

#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>
#include <QSysInfo>
#include <QTemporaryDir>
#include <QTest>
#include <QThread>

#include <utime.h>

#include <memory>
#include <vector>

using namespace Qt::StringLiterals;

namespace {

constexpr int keysPerWriter = 30;
QByteArray french()
{
    return "[Vantrelle]\r\nC=F\r\n"_ba;
}

QProcess* startWriter(QObject* parent, const QStringList& arguments)
{
    auto* process = new QProcess(parent);
    process->setProcessChannelMode(QProcess::ForwardedErrorChannel);
    process->start(QStringLiteral(INI_WRITER_PATH), arguments);
    return process;
}

// One busy loop per processor, a shell's, for as long as the object lives.
struct BusyMachine
{
    explicit BusyMachine(bool busy)
    {
        for (int i = 0; busy && i < QThread::idealThreadCount(); ++i) {
            loops.push_back(std::make_unique<QProcess>());
            loops.back()->start(u"sh"_s, {u"-c"_s, u"while :; do :; done"_s});
        }
    }
    ~BusyMachine()
    {
        for (const auto& loop : loops) {
            loop->kill();
            loop->waitForFinished(30000);
        }
    }
    std::vector<std::unique_ptr<QProcess>> loops;
};

// A copy of the program holding the file's lock until its input ends; null when it could not.
QProcess* startHolder(QObject* owner, const QString& path)
{
    QProcess* holder = startWriter(owner, {u"hold"_s, path});
    if (!holder->waitForReadyRead(30000) || holder->readLine().trimmed() != "locked")
        return nullptr;
    return holder;
}

void waitForSuccess(QProcess* process)
{
    QVERIFY(process->waitForFinished(60000));
    QCOMPARE(process->exitStatus(), QProcess::NormalExit);
    QCOMPARE(process->exitCode(), 0);
}

bool setAge(const QString& path, int seconds)
{
    const time_t then = time(nullptr) - seconds;
    const utimbuf times{then, then};
    return ::utime(QFile::encodeName(path).constData(), &times) == 0;
}

// The process id of a process that has ended.
qint64 deadProcessId()
{
    QProcess process;
    process.start(QStringLiteral(INI_WRITER_PATH), {});
    process.waitForStarted(30000);
    const qint64 id = process.processId();
    process.waitForFinished(30000);
    return id;
}

QStringList entriesBeside(const QString& path)
{
    return QFileInfo(path).dir().entryList(QDir::AllEntries | QDir::Hidden | QDir::System |
                                           QDir::NoDotAndDotDot);
}

// Runs the writer under strace, which kills it as it enters the first of the given system calls;
// false when strace cannot run here.
bool writerKilledAt(const QString& calls, const QStringList& arguments)
{
    const QString strace = QStandardPaths::findExecutable(u"strace"_s);
    if (strace.isEmpty() || QProcess::execute(strace, {u"-o"_s, u"/dev/null"_s, u"true"_s}) != 0)
        return false;
    QProcess process;
    process.start(strace, QStringList{u"-f"_s, u"-o"_s, u"/dev/null"_s, u"-e"_s,
                                      u"inject="_s + calls + u":signal=SIGKILL"_s,
                                      QStringLiteral(INI_WRITER_PATH)} +
                              arguments);
    return process.waitForFinished(30000);
}

} // namespace

// Running copies of the program share the settings file: none of their writes may be lost.
class IniConcurrencyTest : public QObject
{
    Q_OBJECT

private slots:
    void writersLoseNothing_data();
    void writersLoseNothing();
    void staleLockDoesNotStopAWrite_data();
    void staleLockDoesNotStopAWrite();
    void staleLockOfKilledProcessIsRecovered();
    void writerKilledMidWayIsCleanedUp_data();
    void writerKilledMidWayIsCleanedUp();
    void liveHolderIsWaitedFor();
};

void IniConcurrencyTest::writersLoseNothing_data()
{
    QTest::addColumn<int>("writers");
    QTest::addColumn<bool>("loaded");
    QTest::addColumn<bool>("throughLink");    // the first writer reaches the file through a link
    QTest::addColumn<bool>("besideRewriter"); // and a copy saving again and again meanwhile
    QTest::newRow("two") << 2 << false << false << false;
    QTest::newRow("four, busy machine") << 4 << true << false << false;
    QTest::newRow("a link and its target") << 2 << false << true << false;
    QTest::newRow("two beside a copy saving all the time, busy machine")
        << 2 << true << false << true;
}

void IniConcurrencyTest::writersLoseNothing()
{
    QFETCH(int, writers);
    QFETCH(bool, loaded);
    QFETCH(bool, throughLink);
    QFETCH(bool, besideRewriter);
    const TempSettings settings;
    const QByteArray header = "; shared\r\n[Vantrelle]\r\nC=F\r\n"_ba;
    settings.setContents(header);
    const QTemporaryDir elsewhere;
    const QString link = elsewhere.filePath(u"link.ini"_s);
    QVERIFY(QFile::link(settings.path(), link));

    const BusyMachine machine(loaded);
    QObject owner;
    QProcess* rewriter = nullptr;
    if (besideRewriter) {
        rewriter = startWriter(&owner, {u"rewrite"_s, settings.path(), u"R"_s});
        QVERIFY(rewriter->waitForReadyRead(30000));
    }
    std::vector<QProcess*> processes;
    for (int i = 0; i < writers; ++i) {
        const QString path = throughLink && i == 0 ? link : settings.path();
        const QString prefix = QString(QChar(u'A' + i));
        processes.push_back(
            startWriter(&owner, {u"write"_s, path, prefix, QString::number(keysPerWriter)}));
    }
    for (QProcess* process : processes)
        waitForSuccess(process);
    if (rewriter) {
        rewriter->closeWriteChannel();
        waitForSuccess(rewriter);
    }

    const IniStore store = settings.store();
    for (int w = 0; w < writers; ++w) {
        for (int i = 0; i < keysPerWriter; ++i) {
            const QString key = QString(QChar(u'A' + w)) + QString::number(i);
            QCOMPARE(store.Lire_Ini(u"Vantrelle"_s, key), QString::number(i));
        }
    }
    const QByteArray contents = settings.contents();
    QVERIFY(contents.startsWith(header));
    const int lines = 3 + writers * keysPerWriter + (besideRewriter ? 1 : 0);
    QCOMPARE(contents.count("\r\n"), lines);
    QCOMPARE(contents.count('\n'), lines);
    QVERIFY(QFileInfo(link).isSymLink());
}

void IniConcurrencyTest::staleLockDoesNotStopAWrite_data()
{
    QTest::addColumn<QByteArray>("lock");
    QTest::addColumn<int>("age"); // seconds since the lock was last written
    const QByteArray host = QSysInfo::machineHostName().toUtf8();
    QTest::newRow("empty, just left") << QByteArray() << 0;
    QTest::newRow("empty, left a while ago") << QByteArray() << 5;
    QTest::newRow("unreadable") << "not a lock\n\x01\x02"_ba << 5;
    QTest::newRow("of an ended process of this machine")
        << QByteArray::number(deadProcessId()) + "\nini_writer\n" + host + "\n"
        << 0;
}

void IniConcurrencyTest::staleLockDoesNotStopAWrite()
{
    QFETCH(QByteArray, lock);
    QFETCH(int, age);
    const TempSettings settings;
    settings.setContents(french());
    const QString lockPath = settings.path() + u".lock"_s;
    QFile file(lockPath);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(lock);
    file.close();
    QVERIFY(setAge(lockPath, age));

    QVERIFY(settings.store().Ecrire_Ini(u"Vantrelle"_s, u"C"_s, u"A"_s));
    QCOMPARE(settings.contents(), "[Vantrelle]\r\nC=A\r\n"_ba);
    QVERIFY(!QFile::exists(lockPath));
}

void IniConcurrencyTest::staleLockOfKilledProcessIsRecovered()
{
    const TempSettings settings;
    settings.setContents(french());
    QObject owner;
    QProcess* holder = startHolder(&owner, settings.path());
    QVERIFY(holder);
    holder->kill();
    QVERIFY(holder->waitForFinished(30000));
    QVERIFY(QFile::exists(settings.path() + u".lock"_s));

    QVERIFY(settings.store().Ecrire_Ini(u"Vantrelle"_s, u"C"_s, u"A"_s));
    QCOMPARE(settings.contents(), "[Vantrelle]\r\nC=A\r\n"_ba);
    QVERIFY(!QFile::exists(settings.path() + u".lock"_s));
}

void IniConcurrencyTest::writerKilledMidWayIsCleanedUp_data()
{
    QTest::addColumn<QString>("calls"); // the writer is killed as it enters the first of them
    QTest::addColumn<bool>("beforeRename");
    // QLockFile takes a flock() on its new lock file before it writes its process id there.
    QTest::newRow("between creating and filling its lock") << u"flock"_s << false;
    QTest::newRow("just before its rename") << u"rename,renameat,renameat2"_s << true;
}

void IniConcurrencyTest::writerKilledMidWayIsCleanedUp()
{
    QFETCH(QString, calls);
    QFETCH(bool, beforeRename);
    const TempSettings settings;
    settings.setContents(french());
    if (!writerKilledAt(calls, {u"write"_s, settings.path(), u"K"_s, u"1"_s}))
        QSKIP("strace is missing or may not trace here");
    QCOMPARE(settings.contents(), french());
    const QString lockPath = settings.path() + u".lock"_s;
    QVERIFY(QFileInfo::exists(lockPath));
    if (beforeRename)
        QVERIFY(entriesBeside(settings.path()).size() > 2); // and the new file
    else
        QCOMPARE(QFileInfo(lockPath).size(), 0);

    QVERIFY(settings.store().Ecrire_Ini(u"Vantrelle"_s, u"C"_s, u"A"_s));
    QCOMPARE(settings.contents(), "[Vantrelle]\r\nC=A\r\n"_ba);
    QCOMPARE(entriesBeside(settings.path()), QStringList{u"vantrelle.ini"_s});
}

void IniConcurrencyTest::liveHolderIsWaitedFor()
{
    const TempSettings settings;
    settings.setContents(french());
    QObject owner;
    QProcess* holder = startHolder(&owner, settings.path());
    QVERIFY(holder);
    // However old its lock looks, a holder that is alive keeps it.
    QVERIFY(setAge(settings.path() + u".lock"_s, 60));

    QProcess* writer = startWriter(&owner, {u"write"_s, settings.path(), u"K"_s, u"1"_s});
    QVERIFY(!writer->waitForFinished(1500));
    QCOMPARE(settings.contents(), french());

    holder->closeWriteChannel();
    waitForSuccess(holder);
    waitForSuccess(writer);
    QCOMPARE(settings.contents(), "[Vantrelle]\r\nC=F\r\nK0=0\r\n"_ba);
}

QTEST_GUILESS_MAIN(IniConcurrencyTest)
#include "tst_ini_concurrency.moc"
