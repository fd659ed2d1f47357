// Times the calculation details: the whole computation (working, break-even, ladder) on an
// exact and an inexact trade, the chart's segments and its painting at twice the screen's
// scale, then, through the main window offscreen, the first opening of the details window and
// one keystroke in its price field. Prints the medians. Goals: the computation and a keystroke
// under 1 ms, the chart under 2 ms, the first opening under 50 ms.

#include "CalculationDetails.h"
#include "Capabilities.h"
#include "ChartPainting.h"
#include "DataPage.h"
#include "DetailsController.h"
#include "DetailsWindow.h"
#include "Fen_principale.h"
#include "RealisticSettings.h"
#include "RecordingMessenger.h"
#include "Version.h"

#include <QApplication>
#include <QFile>
#include <QImage>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>
#include <QTemporaryDir>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <vector>

using namespace Qt::StringLiterals;

namespace {

using Clock = std::chrono::steady_clock;

template <typename Run> double medianMilliseconds(int repetitions, Run run)
{
    std::vector<double> times;
    for (int i = 0; i < repetitions; ++i) {
        const auto start = Clock::now();
        run();
        times.push_back(std::chrono::duration<double, std::milli>(Clock::now() - start).count());
        QCoreApplication::processEvents();
    }
    std::nth_element(times.begin(), times.begin() + repetitions / 2, times.end());
    return times[size_t(repetitions / 2)];
}

const char* verdict(bool met)
{
    return met ? "met" : "missed";
}

void typeKey(QWidget* field, Qt::Key key, const QString& text)
{
    QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier, text);
    QKeyEvent release(QEvent::KeyRelease, key, Qt::NoModifier, text);
    QCoreApplication::sendEvent(field, &press);
    QCoreApplication::sendEvent(field, &release);
}

} // namespace

int main(int argc, char* argv[])
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    std::printf("bench_details: medians, window offscreen\n");

    CalculationInput exact{{}, {10, 100, 10, true}, 26};
    exact.schedule.brackets[0] = {openBound, 10, false};
    CalculationInput inexact{{}, {9.60, 100, 19, false}, 10};
    inexact.schedule.brackets[0] = {1000, 1, true};
    inexact.schedule.brackets[1] = {openBound, 5, false};
    for (const auto& [name, input] :
         {std::pair{"details of 100 at 10, 10 %, fixed fee 10", exact},
          std::pair{"details of 100 at 9.60, 19 euros (inexact)", inexact}}) {
        const double ms = medianMilliseconds(1001, [&] {
            const std::optional<CalculationDetails> details = explainCalculation(input);
            asm volatile("" : : "g"(&details) : "memory");
        });
        std::printf("  %-62s %8.4f ms  (goal under 1 ms: %s)\n", name, ms, verdict(ms < 1));
    }

    const CalculationDetails details = *explainCalculation(inexact);
    QImage image(QSize(380, 240) * 2, QImage::Format_ARGB32_Premultiplied);
    image.setDevicePixelRatio(2);
    const ChartColours colours = ChartColours::from(QApplication::palette());
    const double chart = medianMilliseconds(1001, [&] {
        const ProfitCurve curve = profitCurve(details);
        const ChartTexts texts{u"Prix de vente par action (€)"_s, u"Bénéfice après impôt (€)"_s,
                               u"Prix minimum"_s, u"Votre prix"_s};
        QPainter painter(&image);
        const QLocale locale;
        paintProfitChart(
            painter,
            chartFrame(QRectF(0, 0, 380, 240), curve, QFontMetricsF(painter.font()), locale), curve,
            9.90, colours, texts, locale);
    });
    std::printf("  %-62s %8.4f ms  (goal under 2 ms: %s)\n",
                "chart of the inexact trade: segments and painting at 2x", chart,
                verdict(chart < 2));

    QTemporaryDir directory;
    QFile settings(directory.filePath(u"vantrelle.ini"_s));
    if (!directory.isValid() || !settings.open(QIODevice::WriteOnly) ||
        settings.write(realisticSettings()) < 0) {
        std::fprintf(stderr, "bench_details: cannot write a settings file\n");
        return 1;
    }
    settings.close();
    RecordingMessenger messenger;
    const IniStore store(settings.fileName());
    Fen_principale window(store, messenger, programVersion());
    const Capabilities capabilities = plugCapabilities(window, store, messenger);
    window.show();
    window.dataPage()->Text_pa->setText(u"10"_s);
    window.dataPage()->Text_nb->setText(u"100"_s);
    window.dataPage()->Text_ben->setText(u"10"_s);
    window.Bout_Calculer_Click();
    QCoreApplication::processEvents();

    const auto start = Clock::now();
    capabilities.details->open();
    QCoreApplication::processEvents();
    const double opening = std::chrono::duration<double, std::milli>(Clock::now() - start).count();
    std::printf("  %-62s %8.3f ms  (goal under 50 ms: %s)\n",
                "first opening of the details window, painted", opening, verdict(opening < 50));

    QLineEdit* field = capabilities.details->detailsWindow()->priceField;
    field->setFocus();
    field->setText(u"11.5"_s);
    bool append = true;
    const double keystroke = medianMilliseconds(1001, [&] {
        if (append)
            typeKey(field, Qt::Key_7, u"7"_s);
        else
            typeKey(field, Qt::Key_Backspace, QString());
        append = !append;
    });
    std::printf("  %-62s %8.4f ms  (goal under 1 ms: %s)\n",
                "one keystroke in the price field, readout updated", keystroke,
                verdict(keystroke < 1));
    return 0;
}
