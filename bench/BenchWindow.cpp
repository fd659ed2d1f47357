// Times the main window's own commands in process, over a temporary settings file: saving the
// fee page (Enreg_Frais) when the file already holds it and when one fee has changed, then one
// whole calculate command (Bout_Calculer_Click) on an exact and on an inexact trade. Prints the
// medians and the peak memory of the process. Goals: a save under 5 ms, a calculation under 2 ms.

#include "DataPage.h"
#include "FeePage.h"
#include "Fen_principale.h"
#include "RealisticSettings.h"
#include "RecordingMessenger.h"
#include "ResultArea.h"
#include "Version.h"

#include <QApplication>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QTemporaryDir>

#include <sys/resource.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <vector>

using namespace Qt::StringLiterals;

namespace {

constexpr int repetitions = 101;

// The median time of run(), in milliseconds; prepare() before each run is left out, and so are
// the events the command posted (moves, resizes, repaints), handled after each run.
template <typename Prepare, typename Run> double medianMilliseconds(Prepare prepare, Run run)
{
    using Clock = std::chrono::steady_clock;
    std::vector<double> times;
    for (int i = 0; i < repetitions; ++i) {
        prepare();
        const auto start = Clock::now();
        run();
        times.push_back(std::chrono::duration<double, std::milli>(Clock::now() - start).count());
        QCoreApplication::processEvents();
    }
    std::nth_element(times.begin(), times.begin() + repetitions / 2, times.end());
    return times[repetitions / 2];
}

struct Calculation
{
    const char* name;
    ScheduleTexts schedule;
    QString price;
    QString shares;
    QString profit;
    bool cash;
    QRadioButton* DataPage::*rate;
    int messagesEach;
};

void fill(Fen_principale& window, const Calculation& calculation)
{
    window.feePage()->setSchedule(calculation.schedule);
    DataPage& page = *window.dataPage();
    page.Text_pa->setText(calculation.price);
    page.Text_nb->setText(calculation.shares);
    page.Text_ben->setText(calculation.profit);
    (calculation.cash ? page.Numéraire : page.Pourcentage)->setChecked(true);
    (page.*calculation.rate)->setChecked(true);
}

const char* verdict(bool met)
{
    return met ? "met" : "missed";
}

double peakMebibytes()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss / 1024.0; // kibibytes on Linux
}

} // namespace

int main(int argc, char* argv[])
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);

    QTemporaryDir directory;
    QFile settings(directory.filePath(QStringLiteral("vantrelle.ini")));
    if (!directory.isValid() || !settings.open(QIODevice::WriteOnly) ||
        settings.write(realisticSettings()) < 0) {
        std::fprintf(stderr, "bench_window: cannot write a settings file\n");
        return 1;
    }
    settings.close();

    RecordingMessenger messenger;
    Fen_principale window(IniStore(settings.fileName()), messenger, programVersion());
    window.show();
    QCoreApplication::processEvents();

    std::printf("bench_window: median of %d commands, window offscreen\n", repetitions);
    QLineEdit& minimum = *window.feePage()->Text_Mini;
    const double unchanged = medianMilliseconds([] {}, [&] { window.Enreg_Frais(); });
    const double changed = medianMilliseconds(
        [&] { minimum.setText(minimum.text() == u"1.99"_s ? u"2.49"_s : u"1.99"_s); },
        [&] { window.Enreg_Frais(); });
    std::printf("  %-66s %7.3f ms  (goal under 5 ms: %s)\n", "Enreg_Frais, file already up to date",
                unchanged, verdict(unchanged < 5));
    std::printf("  %-66s %7.3f ms  (goal under 5 ms: %s)\n",
                "Enreg_Frais, one fee changed (locked, synced rewrite)", changed,
                verdict(changed < 5));

    ScheduleTexts fixedTen;
    fixedTen.brackets[0] = {u"0"_s, openBoundText(), u"10"_s, false};
    ScheduleTexts dropAtThousand;
    dropAtThousand.brackets[0] = {u"0"_s, u"1000"_s, u"1"_s, true};
    dropAtThousand.brackets[1] = {u"1000"_s, openBoundText(), u"5"_s, false};
    const Calculation calculations[] = {
        {"calculate: 100 shares at 10, 10 %, fixed fee 10, rate 26", fixedTen, u"10"_s, u"100"_s,
         u"10"_s, false, &DataPage::vingt_six, 0},
        {"calculate: 100 at 9.60, 19 euros, 1 % then 5, rate 10 (inexact)", dropAtThousand,
         u"9.60"_s, u"100"_s, u"19"_s, true, &DataPage::dix, 1},
    };
    for (const Calculation& calculation : calculations) {
        messenger.shown = 0;
        const double ms = medianMilliseconds([&] { fill(window, calculation); },
                                             [&] { window.Bout_Calculer_Click(); });
        const int messagesEach = messenger.shown / repetitions;
        std::printf("  %-66s %7.3f ms  (goal under 2 ms: %s; price%s, %d message%s each)\n",
                    calculation.name, ms, verdict(ms < 2),
                    qPrintable(window.results()->Text_pv->text()), messagesEach,
                    messagesEach == 1 ? "" : "s");
        if (messenger.shown != calculation.messagesEach * repetitions) {
            std::fprintf(stderr, "bench_window: unexpected messages, the figures are void\n");
            return 1;
        }
    }

    std::printf("  %-66s %7.1f MiB\n", "peak memory (ru_maxrss) with the window shown and used",
                peakMebibytes());
    return 0;
}
