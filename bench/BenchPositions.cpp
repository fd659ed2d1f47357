// The positions: 100 positions of 100 purchases each, the window's opening over them (goal under
// 100 ms), one edit committed with its sync to disk (goal under 20 ms), the gains of a year over
// 10,000 sales (goal under 50 ms), and the import of 100,000 CSV lines (goal under 2 s).
// Usage: bench_positions [RUNS], 20 by default. Runs offscreen, with its own temporary files.

#include "CalculationDetails.h"
#include "MainWindowSeam.h"
#include "Messenger.h"
#include "MovementsCsv.h"
#include "PositionStore.h"
#include "PositionsController.h"
#include "PositionsWindow.h"
#include "ScheduleTexts.h"
#include "WindowNotices.h"
#include "YearGains.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QTemporaryDir>
#include <QWidget>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <vector>

using namespace Qt::StringLiterals;

namespace {

class SilentMessenger : public Messenger
{
public:
    void inform(const Message&) override { ++shown; }
    bool confirm(const Message&) override { return ++shown, true; }
    int shown = 0;
};

// The main window as far as the positions ask it: a fee of 10 euros on every trade.
class BenchSeam : public MainWindowSeam
{
public:
    BenchSeam() : m_notices(&m_window)
    {
        m_schedule.brackets[0] = {u"0"_s, u"99999999"_s, u"10"_s, false};
    }
    QWidget* window() override { return &m_window; }
    QRect fieldsArea() const override { return {}; }
    QList<QAction*> windowWideActions() const override { return {}; }
    std::optional<Trade> checkedTrade() const override { return std::nullopt; }
    ScheduleTexts feeSchedule() const override { return m_schedule; }
    std::optional<ScheduleTexts> feeScheduleAfterRules() override { return m_schedule; }
    double taxRate() const override { return 26; }
    int taxOption() const override { return 1; }
    PriceRounding rounding() const override { return PriceRounding::Nearest; }
    QString languageCode() const override { return u"F"_s; }
    std::optional<CalculationInput> shownCalculation() const override { return std::nullopt; }
    bool resultsOutOfDate() const override { return false; }
    bool feePageShown() const override { return false; }
    void showFeeSchedule(const ScheduleTexts&) override {}
    WindowNotices& notices() override { return m_notices; }

private:
    QWidget m_window;
    WindowNotices m_notices;
    ScheduleTexts m_schedule;
};

double median(std::vector<double> values)
{
    std::nth_element(values.begin(), values.begin() + values.size() / 2, values.end());
    return values[values.size() / 2];
}

// positions × lines movements: purchases, then as many sales of one share as asked, all in 2026.
QByteArray csvOf(int positions, int purchases, int sales)
{
    QByteArray csv = "date,position,kind,shares,price,fee,taxes\n";
    for (int p = 0; p < positions; ++p) {
        const QByteArray name = "Position " + QByteArray::number(p);
        for (int i = 0; i < purchases; ++i)
            csv += "2025-01-01," + name + ",buy,10," + QByteArray::number(10 + i % 90) +
                   ".25,4.95,0.40\n";
        for (int i = 0; i < sales; ++i)
            csv += "2026-" + QByteArray::number(1 + i % 12).rightJustified(2, '0') + "-15," + name +
                   ",sell,1,60.5,1.99,0\n";
    }
    return csv;
}

bool importInto(PositionStore& store, const QByteArray& csv)
{
    const CsvMovements read = readMovementsCsv(csv, false);
    return read.ok() && store.importMovements(read.movements).ok();
}

} // namespace

int main(int argc, char* argv[])
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 20;
    QTemporaryDir directory;
    SilentMessenger messenger;

    // 100 positions of 100 purchases each.
    const QString settings = directory.filePath(u"vantrelle.ini"_s);
    {
        PositionStore store(PositionStore::pathBeside(settings));
        if (!importInto(store, csvOf(100, 100, 0))) {
            std::fprintf(stderr, "bench_positions: cannot build the database\n");
            return 1;
        }
    }
    std::vector<double> opening;
    for (int i = 0; i < runs; ++i) {
        BenchSeam seam;
        PositionsController controller(settings, messenger, seam, {}, nullptr);
        QElapsedTimer clock;
        clock.start();
        controller.open();
        QApplication::processEvents();
        opening.push_back(clock.nsecsElapsed() / 1e6);
    }
    std::printf("window opening over 100 x 100 purchases: %.1f ms (goal < 100 ms)\n",
                median(opening));

    std::vector<double> commits;
    std::vector<double> windowEdits;
    {
        PositionStore store(PositionStore::pathBeside(settings));
        const Position first = store.positions().first();
        Movement purchase;
        purchase.date = QDate(2026, 5, 4);
        purchase.shares = 3;
        purchase.price = Money::fromCents(1234);
        purchase.fee = Money::fromCents(495);
        for (int i = 0; i < runs; ++i) {
            QElapsedTimer clock;
            clock.start();
            if (!store.addMovement(first.id, purchase).ok())
                return 1;
            commits.push_back(clock.nsecsElapsed() / 1e6);
        }
        BenchSeam seam;
        PositionsController controller(settings, messenger, seam, {}, nullptr);
        controller.open();
        PositionsWindow* window = controller.window();
        window->selectPosition(first.name);
        for (int i = 0; i < runs; ++i) {
            window->sharesField()->setText(u"2"_s);
            window->priceField()->setText(u"12.5"_s);
            QElapsedTimer clock;
            clock.start();
            window->addMovement();
            windowEdits.push_back(clock.nsecsElapsed() / 1e6);
        }
    }
    std::printf("one purchase committed with its sync: %.2f ms (goal < 20 ms)\n", median(commits));
    std::printf("the same from the window, list read again: %.1f ms\n", median(windowEdits));

    // 10,000 sales in 2026: 100 positions of 100 purchases and 100 sales.
    {
        PositionStore store(directory.filePath(u"gains.sqlite"_s));
        if (!importInto(store, csvOf(100, 100, 100)))
            return 1;
        const QList<Position> positions = store.positions();
        std::vector<double> gains;
        std::vector<double> withReading;
        qsizetype sales = 0;
        for (int i = 0; i < runs; ++i) {
            QElapsedTimer clock;
            clock.start();
            sales = gainsOfYear(positions, 2026).sales.size();
            gains.push_back(clock.nsecsElapsed() / 1e6);
            clock.restart();
            gainsOfYear(store.positions(), 2026);
            withReading.push_back(clock.nsecsElapsed() / 1e6);
        }
        std::printf("gains of a year over %lld sales: %.1f ms (goal < 50 ms); with the database "
                    "read: %.1f ms\n",
                    static_cast<long long>(sales), median(gains), median(withReading));
    }

    // 100,000 lines: 100 positions of 1,000 purchases.
    const QByteArray big = csvOf(100, 1000, 0);
    std::vector<double> imports;
    for (int i = 0; i < std::min(runs, 5); ++i) {
        PositionStore store(directory.filePath(u"import%1.sqlite"_s.arg(i)));
        store.open();
        QElapsedTimer clock;
        clock.start();
        if (!importInto(store, big))
            return 1;
        imports.push_back(clock.nsecsElapsed() / 1e6);
    }
    std::printf("import of 100,000 CSV lines: %.0f ms (goal < 2000 ms)\n", median(imports));
    return messenger.shown == 0 ? 0 : 1;
}
