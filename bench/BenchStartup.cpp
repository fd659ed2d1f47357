// Times the calculator's start, from spawning the process to its exit right after the main
// window is first on screen, against a bare Qt main window of the same kind started the same
// way. Both run alternately, so a passing load on the machine hits them alike, offscreen unless
// QT_QPA_PLATFORM names another platform (xcb, with DISPLAY naming an X server such as Xvfb).
// Prints the median wall time of each and their ratio. Goal: within 1.25 times the bare window.
// The calculator is also started over a settings file just under the 16 MiB the program reads,
// another program's section in front of its own, to show what a large file costs, and over a
// file holding ten named schedules, which should cost no more than one.
// Usage: bench_startup [RUNS_EACH], 30 by default.

#include "RealisticSettings.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <vector>

namespace {

struct Program
{
    const char* name;
    QString path;
    QStringList arguments;
    std::vector<double> milliseconds;
};

// One start of the program, in milliseconds; a failed start ends the benchmark.
double timedStart(const Program& program, const QProcessEnvironment& environment)
{
    QProcess process;
    process.setProcessEnvironment(environment);
    QElapsedTimer clock;
    clock.start();
    process.start(program.path, program.arguments);
    const bool finished = process.waitForFinished(30000);
    const double elapsed = clock.nsecsElapsed() / 1e6;
    if (!finished || process.exitStatus() != QProcess::NormalExit || process.exitCode() != 0) {
        std::fprintf(stderr, "%s failed (%s, exit code %d):\n%s\n", program.name,
                     qPrintable(process.errorString()), process.exitCode(),
                     process.readAllStandardError().constData());
        std::exit(1);
    }
    return elapsed;
}

double median(std::vector<double> values)
{
    std::nth_element(values.begin(), values.begin() + values.size() / 2, values.end());
    return values[values.size() / 2];
}

bool writeFile(QFile& file, const QByteArray& bytes)
{
    const bool written = file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
    file.close();
    return written;
}

} // namespace

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    const int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 30;

    QTemporaryDir directory;
    QFile settings(directory.filePath(QStringLiteral("vantrelle.ini")));
    QFile large(directory.filePath(QStringLiteral("large.ini")));
    QFile ten(directory.filePath(QStringLiteral("ten.ini")));
    if (!directory.isValid() || !writeFile(settings, realisticSettings()) ||
        !writeFile(large, largeSettings()) || !writeFile(ten, settingsWithTenSchedules())) {
        std::fprintf(stderr, "bench_startup: cannot write a settings file\n");
        return 1;
    }

    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    if (!environment.contains(QStringLiteral("QT_QPA_PLATFORM")))
        environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    const QString platform = environment.value(QStringLiteral("QT_QPA_PLATFORM"));
    const QString here = QCoreApplication::applicationDirPath();
    Program bare{
        "bare QMainWindow + QTabWidget", here + QStringLiteral("/bench_bare_window"), {}, {}};
    Program real{"Fen_principale, realistic settings",
                 here + QStringLiteral("/bench_window_start"),
                 {settings.fileName()},
                 {}};
    Program big{"Fen_principale, 16 MB settings",
                here + QStringLiteral("/bench_window_start"),
                {large.fileName()},
                {}};
    Program tenSchedules{"Fen_principale, ten schedules",
                         here + QStringLiteral("/bench_window_start"),
                         {ten.fileName()},
                         {}};

    // A first start of each, untimed, fills the disk cache and the font cache. The start after
    // the 16 MB one is slower for it (about 20 % here): ten schedules come before it, as one does.
    for (const Program* program : {&bare, &real, &tenSchedules, &big})
        timedStart(*program, environment);
    for (int run = 0; run < runs; ++run) {
        for (Program* program : {&bare, &real, &tenSchedules, &big})
            program->milliseconds.push_back(timedStart(*program, environment));
    }

    std::printf("bench_startup: spawn to exit after the first frame, %s, median of %d alternate "
                "starts\n",
                qPrintable(platform), runs);
    for (const Program* program : {&bare, &real, &tenSchedules, &big}) {
        const auto [fastest, slowest] =
            std::minmax_element(program->milliseconds.begin(), program->milliseconds.end());
        std::printf("  %-36s %7.1f ms  (fastest %.1f, slowest %.1f)\n", program->name,
                    median(program->milliseconds), *fastest, *slowest);
    }
    const double ratio = median(real.milliseconds) / median(bare.milliseconds);
    std::printf("  ratio real/bare %.2f\n", ratio);
    std::printf("goal within 1.25x the bare window: %s\n", ratio <= 1.25 ? "met" : "missed");
    const double tenRatio = median(tenSchedules.milliseconds) / median(real.milliseconds);
    std::printf("  ratio ten schedules/one %.2f (ten/bare %.2f)\n", tenRatio,
                median(tenSchedules.milliseconds) / median(bare.milliseconds));
    std::printf("goal ten schedules no slower than one (within 1.05x): %s\n",
                tenRatio <= 1.05 ? "met" : "missed");
    return 0;
}
