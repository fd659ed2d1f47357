// Copies of the program writing one settings file at once, as separate processes: 2 and 4
// writers of WRITES keys each (1,000 by default), on an idle machine and on one kept busy by a
// loop per processor. Counts the writes lost (refused, or missing from the file afterwards) and
// the longest single write. Then times a write made right after a writer was killed between
// creating its lock and filling it in (under strace; by hand, an empty lock, without it).
// Goals: no write lost; the write after the killed writer under 2.5 s.
// Usage: bench_ini_writers [WRITES [FOLDER]], the folder of the settings file a temporary one.

#include "IniStore.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QThread>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <vector>

using namespace Qt::StringLiterals;

namespace {

const QString section = u"Vantrelle"_s;

// As a writer: prints how many of its writes were refused and its longest write in ms.
int writeKeys(const QString& path, const QString& prefix, int count)
{
    const IniStore store(path);
    int refused = 0;
    qint64 longest = 0;
    for (int i = 0; i < count; ++i) {
        QElapsedTimer clock;
        clock.start();
        if (!store.Ecrire_Ini(section, prefix + QString::number(i), QString::number(i)))
            ++refused;
        longest = std::max(longest, clock.elapsed());
    }
    std::printf("%d %lld\n", refused, static_cast<long long>(longest));
    return 0;
}

QString self()
{
    return QCoreApplication::applicationFilePath();
}

struct Outcome
{
    int refused = 0;
    int missing = 0;
    qint64 longestMs = 0;
    double seconds = 0;
};

Outcome runWriters(const QString& folder, int writers, int writes, bool loaded)
{
    const QString path = QDir(folder).filePath(u"vantrelle.ini"_s);
    QFile::remove(path);
    {
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly) || file.write("[Vantrelle]\r\nC=F\r\n") < 0) {
            std::fprintf(stderr, "bench_ini_writers: cannot write %s\n", qPrintable(path));
            std::exit(1);
        }
    }
    std::vector<std::unique_ptr<QProcess>> loops;
    for (int i = 0; loaded && i < QThread::idealThreadCount(); ++i) {
        loops.push_back(std::make_unique<QProcess>());
        loops.back()->start(u"sh"_s, {u"-c"_s, u"while :; do :; done"_s});
    }

    QElapsedTimer clock;
    clock.start();
    std::vector<std::unique_ptr<QProcess>> processes;
    for (int w = 0; w < writers; ++w) {
        processes.push_back(std::make_unique<QProcess>());
        processes.back()->start(
            self(), {u"--write"_s, path, QString(QChar(u'A' + w)), QString::number(writes)});
    }
    Outcome outcome;
    for (const auto& process : processes) {
        process->waitForFinished(-1);
        const QList<QByteArray> figures = process->readAllStandardOutput().trimmed().split(' ');
        if (process->exitCode() != 0 || figures.size() != 2) {
            std::fprintf(stderr, "bench_ini_writers: a writer failed\n");
            std::exit(1);
        }
        outcome.refused += figures[0].toInt();
        outcome.longestMs = std::max(outcome.longestMs, figures[1].toLongLong());
    }
    outcome.seconds = clock.nsecsElapsed() / 1e9;
    for (const auto& loop : loops) {
        loop->kill();
        loop->waitForFinished();
    }

    const IniStore store(path);
    QStringList keys;
    for (int w = 0; w < writers; ++w) {
        for (int i = 0; i < writes; ++i)
            keys.append(QString(QChar(u'A' + w)) + QString::number(i));
    }
    const QStringList values = store.readKeys(section, keys);
    for (qsizetype k = 0; k < keys.size(); ++k) {
        if (values[k] != QString::number(k % writes))
            ++outcome.missing;
    }
    return outcome;
}

// A writer killed right after it created its lock: by strace where it can trace, otherwise an
// empty lock made by hand. Returns the milliseconds of the write that follows at once.
double writeAfterKilledWriter(const QString& folder, bool* killedForReal)
{
    const QString path = QDir(folder).filePath(u"killed.ini"_s);
    QFile::remove(path);
    QFile::remove(path + u".lock"_s);
    const QString strace = QStandardPaths::findExecutable(u"strace"_s);
    *killedForReal = !strace.isEmpty() &&
                     QProcess::execute(strace, {u"-f"_s, u"-o"_s, u"/dev/null"_s, u"-e"_s,
                                                u"inject=flock:signal=SIGKILL"_s, self(),
                                                u"--write"_s, path, u"K"_s, u"1"_s}) != 0 &&
                     QFile::exists(path + u".lock"_s);
    if (!*killedForReal) {
        QFile lock(path + u".lock"_s);
        if (!lock.open(QIODevice::WriteOnly)) {
            std::fprintf(stderr, "bench_ini_writers: cannot make a lock file\n");
            std::exit(1);
        }
    }
    QElapsedTimer clock;
    clock.start();
    const bool written = IniStore(path).Ecrire_Ini(section, u"C"_s, u"F"_s);
    const double milliseconds = clock.nsecsElapsed() / 1e6;
    return written ? milliseconds : -1;
}

} // namespace

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    const QStringList args = QCoreApplication::arguments();
    if (args.size() == 5 && args[1] == u"--write"_s)
        return writeKeys(args[2], args[3], args[4].toInt());

    const int writes = args.size() > 1 ? std::max(1, args[1].toInt()) : 1000;
    const QTemporaryDir temporary;
    const QString folder = args.size() > 2 ? args[2] : temporary.path();

    std::printf("bench_ini_writers: writers of %d keys each at once, one process each, in %s\n",
                writes, qPrintable(folder));
    std::printf("  %-28s %8s %8s %12s %8s\n", "", "refused", "missing", "longest ms", "total s");
    int lost = 0;
    for (const bool loaded : {false, true}) {
        for (const int writers : {2, 4}) {
            const Outcome outcome = runWriters(folder, writers, writes, loaded);
            const QByteArray name =
                QByteArray::number(writers) + " writers, " + (loaded ? "busy machine" : "idle");
            std::printf("  %-28s %8d %8d %12lld %8.1f\n", name.constData(), outcome.refused,
                        outcome.missing, static_cast<long long>(outcome.longestMs),
                        outcome.seconds);
            lost += outcome.missing;
        }
    }
    std::printf("goal no write lost: %s\n", lost == 0 ? "met" : "missed");

    std::vector<double> times;
    bool killedForReal = false;
    for (int run = 0; run < 5; ++run)
        times.push_back(writeAfterKilledWriter(folder, &killedForReal));
    const auto [fastest, slowest] = std::minmax_element(times.begin(), times.end());
    std::printf("write right after a writer killed between creating and filling its lock (%s):\n"
                "  fastest %.0f ms, slowest %.0f ms (-1: refused)\n",
                killedForReal ? "killed by strace" : "empty lock made by hand", *fastest, *slowest);
    std::printf("goal under 2500 ms: %s\n", *fastest >= 0 && *slowest < 2500 ? "met" : "missed");
    return 0;
}
