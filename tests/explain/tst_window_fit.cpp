#include "CalculationDetails.h"
#include "CompareWindow.h"
#include "DetailsWindow.h"
#include "MakeSchedule.h"
#include "ProfitChart.h"
#include "ScheduleComparison.h"

#include <QApplication>
#include <QFile>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QMenuBar>
#include <QPushButton>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QSplitter>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBrowser>
#include <QVBoxLayout>

#include <memory>

namespace {

// Where the main window stands: centred on the screen, its menu at the top and its fields in its
// left part, as the program opens it.
struct Owner
{
    explicit Owner(const QRect& screen)
    {
        auto* layout = new QVBoxLayout(&window);
        menu = new QMenuBar(&window);
        menu->addMenu(u"&Fichier"_qs);
        layout->setMenuBar(menu);
        layout->addStretch();
        const QSize size(520, 432);
        window.setGeometry(
            QRect(screen.center() - QPoint(size.width() / 2, size.height() / 2), size));
        window.show();
        QApplication::processEvents();
    }

    QRect fields() const
    {
        const QRect frame = window.frameGeometry();
        return QRect(frame.topLeft(), QPoint(frame.left() + 279, frame.bottom()));
    }
    QRect header() const
    {
        const QRect frame = window.frameGeometry();
        return QRect(frame.topLeft(),
                     QPoint(frame.right(), menu->mapToGlobal(QPoint(0, menu->height() - 1)).y()));
    }

    QWidget window;
    QMenuBar* menu = nullptr;
};

QRect screenOf(int width)
{
    for (const QScreen* screen : QGuiApplication::screens()) {
        if (screen->geometry().width() == width)
            return screen->geometry();
    }
    return {};
}

CalculationDetails bigTrade()
{
    // 7 shares of about 1.4 million: the readout's longest sums.
    const Schedule schedule = makeSchedule({{openBound, 0.5, true}}, 5, 20);
    return *explainCalculation(CalculationInput{schedule, Trade{1350000, 7, 2, true}, 26});
}

QList<ComparisonRow> someRows()
{
    const auto named = [](const QString& name, const char* fee, bool percentage, bool inUse) {
        NamedSchedule schedule{name, {}, inUse};
        schedule.texts.brackets[0] = {"0", "99999999", QString::fromLatin1(fee), percentage};
        return schedule;
    };
    const QList<NamedSchedule> schedules{
        named(u"Banque"_qs, "10", false, true),
        named(u"Courtier en ligne à frais réduits pour les petits ordres"_qs, "0.5", true, false),
        named(u"Deux euros"_qs, "2", false, false),
        named(u"Trop cher"_qs, "100", true, false),
    };
    return compareSchedules(schedules, Trade{10, 100, 101, false}, 26, PriceRounding::Nearest,
                            u"F"_qs);
}

// Labels shown whole: as tall as their text, and as wide unless they wrap.
QStringList cutLabels(const QWidget& window)
{
    QStringList cut;
    for (const QLabel* label : window.findChildren<QLabel*>()) {
        if (!label->isVisible() || label->text().isEmpty())
            continue;
        const int height =
            label->wordWrap() ? label->heightForWidth(label->width()) : label->sizeHint().height();
        if (label->height() < height ||
            (!label->wordWrap() && label->width() < label->sizeHint().width()))
            cut << label->text();
    }
    return cut;
}

} // namespace

class WindowFitTest : public QObject
{
    Q_OBJECT

private slots:
    void init() { QLocale::setDefault(QLocale(QLocale::French, QLocale::France)); }
    void cleanup()
    {
        QLocale::setDefault(QLocale::c());
        QApplication::setFont(QFont());
    }
    void detailsFitBesideTheMainWindow_data();
    void detailsFitBesideTheMainWindow();
    void comparisonFitsBesideTheMainWindow_data();
    void comparisonFitsBesideTheMainWindow();
    void comparisonSortsAndKeepsTheChoice_data();
    void comparisonSortsAndKeepsTheChoice();
};

void WindowFitTest::detailsFitBesideTheMainWindow_data()
{
    QTest::addColumn<int>("screenWidth");
    QTest::addColumn<int>("pointSize");
    QTest::addColumn<bool>("english");
    QTest::newRow("1366 x 768, 10 points, French") << 1366 << 10 << false;
    QTest::newRow("1366 x 768, 12 points, English") << 1366 << 12 << true;
    QTest::newRow("1920 x 1080, 10 points, English") << 1920 << 10 << true;
    QTest::newRow("1920 x 1080, 12 points, French") << 1920 << 12 << false;
}

void WindowFitTest::detailsFitBesideTheMainWindow()
{
    QFETCH(int, screenWidth);
    QFETCH(int, pointSize);
    QFETCH(bool, english);
    QFont font = QApplication::font();
    font.setPointSize(pointSize);
    QApplication::setFont(font);
    const QRect screen = screenOf(screenWidth);
    QVERIFY(!screen.isEmpty());
    Owner owner(screen);
    DetailsWindow details(nullptr);
    details.setEnglish(english);
    details.showCalculation(bigTrade());
    details.showBeside(owner.window, owner.fields());
    QTest::qWait(20);

    const QRect frame = details.frameGeometry();
    QVERIFY(owner.window.screen()->availableGeometry().contains(frame));
    QVERIFY(!frame.intersects(owner.fields()));
    QVERIFY(!frame.intersects(owner.header()));
    // Beside it, where the screen leaves room on a side.
    QVERIFY(!frame.intersects(owner.window.frameGeometry()));
    QVERIFY(!details.scroller->horizontalScrollBar()->isVisible());
    QVERIFY(!details.working->horizontalScrollBar()->isVisible());
    // One under the other, the working shows whole: only the window scrolls.
    QVERIFY(!details.isNarrow() || !details.working->verticalScrollBar()->isVisible());
    QCOMPARE(cutLabels(details), QStringList());
    QVERIFY2(details.chart->width() >= 300 && details.chart->height() >= 180,
             qPrintable(QString::number(details.chart->width()) + u'x' +
                        QString::number(details.chart->height())));
    // The buttons stay in the window, out of the scrolled part.
    QVERIFY(details.rect().contains(details.closeButton->geometry()));
}

void WindowFitTest::comparisonFitsBesideTheMainWindow_data()
{
    QTest::addColumn<int>("screenWidth");
    QTest::addColumn<int>("pointSize");
    QTest::newRow("1366 x 768, 10 points") << 1366 << 10;
    QTest::newRow("1366 x 768, 12 points") << 1366 << 12;
    QTest::newRow("1920 x 1080, 12 points") << 1920 << 12;
}

void WindowFitTest::comparisonFitsBesideTheMainWindow()
{
    QFETCH(int, screenWidth);
    QFETCH(int, pointSize);
    QFont font = QApplication::font();
    font.setPointSize(pointSize);
    QApplication::setFont(font);
    Owner owner(screenOf(screenWidth));
    CompareWindow compare(nullptr);
    compare.showRows(u"100 actions achetées à 10,00 €"_qs, someRows());
    compare.showBeside(owner.window, owner.fields());
    QTest::qWait(20);

    const QRect frame = compare.frameGeometry();
    QVERIFY(owner.window.screen()->availableGeometry().contains(frame));
    QVERIFY(!frame.intersects(owner.fields()));
    QVERIFY(!frame.intersects(owner.header()));
    // Every column in the table's width: nothing to scroll sideways to.
    const QTableWidget* table = compare.table;
    int columns = 0;
    for (int c = 0; c < table->columnCount(); ++c)
        columns += table->columnWidth(c);
    QVERIFY2(columns <= table->viewport()->width(),
             qPrintable(QString::number(columns) + u" > "_qs +
                        QString::number(table->viewport()->width())));
    // The amounts whole; the name and the remarks wrapped within their rows' height.
    for (int r = 0; r < table->rowCount(); ++r) {
        for (int c = 1; c < table->columnCount() - 1 && table->columnSpan(r, 1) == 1; ++c) {
            const QString text = table->item(r, c)->text();
            QVERIFY2(table->fontMetrics().horizontalAdvance(text) < table->columnWidth(c),
                     qPrintable(text));
        }
    }
    for (int r = 0; r < table->rowCount(); ++r) {
        for (const int c : {0, table->columnCount() - 1}) {
            const QTableWidgetItem* item = table->item(r, c);
            const QRect needed = table->fontMetrics().boundingRect(
                QRect(0, 0, table->columnWidth(c) - 8, 10000), Qt::TextWordWrap, item->text());
            QVERIFY2(table->rowHeight(r) >= needed.height(), qPrintable(item->text()));
            QVERIFY2(needed.width() <= table->columnWidth(c), qPrintable(item->text()));
        }
    }
}

void WindowFitTest::comparisonSortsAndKeepsTheChoice_data()
{
    QTest::addColumn<int>("column");
    QTest::addColumn<QStringList>("order");
    // Cheapest at the price that reaches 101 euros: 0.5 %, then 2 euros, then 10 euros.
    // 2 euros: cost 1002, 1002 + 2 + 136.49 brings 101 at 11.41; 0.5 %: cost 1005,
    // 1141.49 / 0.995 at 11.48; 10 euros: 11.57; 100 % refused.
    QTest::newRow("as ranked") << -1 << QStringList{"Deux", "Cour", "Banq", "Trop"};
    QTest::newRow("by name") << 0 << QStringList{"Banq", "Cour", "Deux", "Trop"};
    QTest::newRow("by purchase fee, refused last")
        << 1 << QStringList{"Deux", "Cour", "Banq", "Trop"};
}

void WindowFitTest::comparisonSortsAndKeepsTheChoice()
{
    QFETCH(int, column);
    QFETCH(QStringList, order);
    CompareWindow compare(nullptr);
    QString used;
    compare.useSchedule = [&used](const QString& name) { used = name; };
    compare.showRows(u"x"_qs, someRows());
    compare.show();
    if (column >= 0)
        compare.table->horizontalHeader()->setSortIndicator(column, Qt::AscendingOrder);
    QStringList got;
    for (int r = 0; r < compare.table->rowCount(); ++r)
        got << compare.table->item(r, 0)->text().left(4);
    QCOMPARE(got, order);
    // The third row chosen and used: it stays chosen when the rows come again.
    const int pick = compare.table->item(2, 0)->text().startsWith(u"Banq"_qs) ? 1 : 2;
    compare.table->selectRow(pick);
    const QString chosen = compare.table->item(pick, 0)->text();
    compare.useButton->click();
    QCOMPARE(used, chosen);
    compare.showRows(u"x"_qs, someRows());
    const QList<QTableWidgetSelectionRange> ranges = compare.table->selectedRanges();
    QCOMPARE(ranges.size(), 1);
    QCOMPARE(compare.table->item(ranges.front().topRow(), 0)->text(), chosen);
}

// A laptop screen of 1366 x 768 and, to its right, a desktop one of 1920 x 1080.
int main(int argc, char* argv[])
{
    QTemporaryDir dir;
    const QString config = dir.filePath(u"screens.json"_qs);
    QFile file(config);
    if (!file.open(QIODevice::WriteOnly))
        return 1;
    file.write(R"({"screens": [
        {"name": "laptop", "x": 0, "y": 0, "width": 1366, "height": 768,
         "logicalDpi": 96, "logicalBaseDpi": 96, "dpr": 1},
        {"name": "desktop", "x": 1366, "y": 0, "width": 1920, "height": 1080,
         "logicalDpi": 96, "logicalBaseDpi": 96, "dpr": 1}]})");
    file.close();
    qputenv("QT_QPA_PLATFORM", "offscreen:configfile=" + config.toLocal8Bit());
    QApplication app(argc, argv);
    WindowFitTest test;
    QTEST_SET_MAIN_SOURCE_PATH
    return QTest::qExec(&test, argc, argv);
}
#include "tst_window_fit.moc"
