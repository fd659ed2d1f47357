// The command line's calculation: one trade and the comparison of ten schedules from process
// start to exit against the bare "vantrelle --version", and a CSV file of 10,000 trades in
// either dialect (commas and points; a French spreadsheet's semicolons, decimal commas, byte
// order mark and CRLF), with a realistic settings file.
// Goals: 10,000 CSV lines under 200 ms in either dialect; compare within 5 ms of --version.

#include "RealisticSettings.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QRandomGenerator>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <vector>

using namespace Qt::Literals::StringLiterals;

namespace {

// One run in milliseconds, with the standard output's size; a failed run ends the benchmark.
double timedRun(const QStringList& arguments, qsizetype* written = nullptr)
{
    QProcess process;
    QElapsedTimer clock;
    clock.start();
    process.start(QStringLiteral(VANTRELLE_EXECUTABLE), arguments);
    const bool finished = process.waitForFinished(60000);
    const double elapsed = clock.nsecsElapsed() / 1e6;
    if (!finished || process.exitStatus() != QProcess::NormalExit || process.exitCode() != 0) {
        std::fprintf(stderr, "vantrelle %s failed (exit code %d):\n%s\n",
                     qPrintable(arguments.join(u' ')), process.exitCode(),
                     process.readAllStandardError().constData());
        std::exit(1);
    }
    if (written)
        *written = process.readAllStandardOutput().size();
    return elapsed;
}

double median(std::vector<double> values)
{
    std::nth_element(values.begin(), values.begin() + values.size() / 2, values.end());
    return values[values.size() / 2];
}

// Trades of every size the realistic schedule has brackets for, in both modes and all options.
QByteArray tradeLines(int count)
{
    QRandomGenerator random(7);
    QByteArray csv = "price,shares,profit,mode,tax_option\n";
    for (int i = 0; i < count; ++i) {
        const bool cash = random.bounded(2) == 0;
        csv += QByteArray::number(0.5 + random.bounded(20000) / 100.0, 'f', 2) + ',' +
               QByteArray::number(1 + random.bounded(2000)) + ',' +
               QByteArray::number(random.bounded(cash ? 500000 : 10000) / 100.0, 'f', 2) +
               (cash ? ",cash," : ",percent,") + QByteArray::number(1 + random.bounded(3)) + '\n';
    }
    return csv;
}

// The same lines as a French spreadsheet saves them.
QByteArray frenchSpreadsheet(const QByteArray& csv)
{
    return "\xEF\xBB\xBF" +
           QByteArray(csv).replace(',', ';').replace('.', ',').replace("\n", "\r\n");
}

bool writeFile(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

} // namespace

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    const int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 30;

    QTemporaryDir directory;
    const QString settings = directory.filePath(u"vantrelle.ini"_s);
    const QString tenSchedules = directory.filePath(u"ten.ini"_s);
    const QString trades = directory.filePath(u"trades.csv"_s);
    const QString frenchTrades = directory.filePath(u"trades-fr.csv"_s);
    constexpr int lines = 10000;
    if (!directory.isValid() || !writeFile(settings, realisticSettings()) ||
        !writeFile(tenSchedules, settingsWithTenSchedules()) ||
        !writeFile(trades, tradeLines(lines)) ||
        !writeFile(frenchTrades, frenchSpreadsheet(tradeLines(lines)))) {
        std::fprintf(stderr, "bench_command_line: cannot write the files\n");
        return 1;
    }

    const QStringList version{u"--version"_s};
    const QStringList one{u"calc"_s,     u"--price"_s, u"10"_s,         u"--shares"_s, u"100"_s,
                          u"--profit"_s, u"10"_s,      u"--settings"_s, settings};
    const QStringList compare{u"compare"_s,  u"--price"_s, u"10"_s,         u"--shares"_s, u"100"_s,
                              u"--profit"_s, u"10"_s,      u"--settings"_s, tenSchedules};
    const QStringList csv{u"calc"_s, u"--csv"_s, trades, u"--settings"_s, settings};
    const QStringList frenchCsv{u"calc"_s, u"--csv"_s, frenchTrades, u"--settings"_s, settings};

    // A first run of each fills the disk cache.
    timedRun(version);
    timedRun(one);
    timedRun(compare);
    std::vector<double> versionTimes;
    std::vector<double> oneTimes;
    std::vector<double> compareTimes;
    std::vector<double> compareExtra; // each run's time less the --version run beside it
    for (int run = 0; run < runs; ++run) {
        versionTimes.push_back(timedRun(version));
        oneTimes.push_back(timedRun(one));
        compareTimes.push_back(timedRun(compare));
        compareExtra.push_back(compareTimes.back() - versionTimes.back());
    }
    std::vector<double> csvTimes;
    std::vector<double> frenchTimes;
    qsizetype written = 0;
    qsizetype frenchWritten = 0;
    for (int run = 0; run < 5; ++run) {
        csvTimes.push_back(timedRun(csv, &written));
        frenchTimes.push_back(timedRun(frenchCsv, &frenchWritten));
    }

    std::printf("bench_command_line: process start to exit, median of %d alternate runs\n", runs);
    std::printf("  vantrelle --version               %7.1f ms\n", median(versionTimes));
    std::printf("  vantrelle calc, one trade         %7.1f ms\n", median(oneTimes));
    std::printf("  vantrelle compare, ten schedules  %7.1f ms (%+.1f ms on --version)\n",
                median(compareTimes), median(compareExtra));
    std::printf("  vantrelle calc --csv, %5d lines %7.1f ms (median of 5, %lld bytes out)\n", lines,
                median(csvTimes), static_cast<long long>(written));
    std::printf("  the same, French spreadsheet     %7.1f ms (median of 5, %lld bytes out)\n",
                median(frenchTimes), static_cast<long long>(frenchWritten));
    const bool csvMet = median(csvTimes) < 200 && median(frenchTimes) < 200;
    std::printf("goal 10,000 CSV lines under 200 ms in either dialect: %s\n",
                csvMet ? "met" : "missed");
    std::printf("goal compare within 5 ms of --version: %s\n",
                median(compareExtra) <= 5 ? "met" : "missed");
    return 0;
}
