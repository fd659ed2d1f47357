#include "CalculationDetails.h"
#include "FakeMessenger.h"
#include "GainsWindow.h"
#include "MainWindowSeam.h"
#include "PositionStore.h"
#include "PositionsController.h"
#include "PositionsWindow.h"
#include "ScheduleTexts.h"
#include "TempSettings.h"
#include "WindowNotices.h"

#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QDateEdit>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QPdfWriter>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTableWidget>
#include <QTest>

namespace {

// The main window as the capability sees it: a fixed fee of 10 euros on every trade, the
// second tax option at 0 %, French, results rounded up to the cent that reaches the profit.
class FakeSeam : public MainWindowSeam
{
public:
    FakeSeam() : m_notices(&m_window)
    {
        m_schedule.brackets[0] = {u"0"_qs, u"99999999"_qs, u"10"_qs, false};
    }

    QWidget* ownerWindow() override { return &m_window; }
    QRect fieldsArea() const override { return {}; }
    QList<QAction*> windowWideActions() const override { return {}; }
    std::optional<Trade> checkedTrade() const override { return std::nullopt; }
    ScheduleTexts feeSchedule() const override { return m_schedule; }
    std::optional<ScheduleTexts> feeScheduleAfterRules() override { return m_schedule; }
    double taxRate() const override { return 0; }
    int taxOption() const override { return 1; }
    PriceRounding rounding() const override { return PriceRounding::Up; }
    QString languageCode() const override { return m_language; }
    std::optional<CalculationInput> shownCalculation() const override { return std::nullopt; }
    bool resultsOutOfDate() const override { return false; }
    bool feePageShown() const override { return false; }
    void showFeeSchedule(const ScheduleTexts&) override {}
    WindowNotices& notices() override { return m_notices; }

    void switchLanguage(const QString& code)
    {
        m_language = code;
        emit m_notices.languageChanged();
    }

private:
    QString m_language = u"F"_qs;
    QWidget m_window;
    WindowNotices m_notices;
    ScheduleTexts m_schedule;
};

void addMovement(PositionsWindow& window, int kind, const QDate& date, const QString& shares,
                 const QString& price)
{
    window.kindChoice()->setCurrentIndex(kind);
    window.dateField()->setDate(date);
    window.sharesField()->clear();
    QTest::keyClicks(window.sharesField(), shares);
    window.priceField()->clear();
    QTest::keyClicks(window.priceField(), price);
    window.addMovement();
}

QStringList rowTexts(const QTableWidget* table, int row)
{
    QStringList texts;
    for (int column = 0; column < table->columnCount(); ++column)
        texts.append(table->item(row, column)->text());
    return texts;
}

} // namespace

class PositionsWindowTest : public QObject
{
    Q_OBJECT

private slots:
    void init() { QLocale::setDefault(QLocale(QLocale::French, QLocale::France)); }
    void buildsAPositionAndPricesItsSale();
    void importsAllOrNothing();
    void showsTheGainsOfAYear();
    void refusesAFileItCannotUse_data();
    void refusesAFileItCannotUse();
};

void PositionsWindowTest::buildsAPositionAndPricesItsSale()
{
    TempSettings settings;
    FakeMessenger messenger;
    FakeSeam seam;
    std::optional<CalculationInput> detailed;
    PositionsController controller(
        settings.path(), messenger, seam, [&](const CalculationInput& c) { detailed = c; },
        nullptr);
    controller.open();
    PositionsWindow* window = controller.window();
    QVERIFY(window);
    QVERIFY(QFile::exists(PositionStore::pathBeside(settings.path())));

    window->newPosition();
    QTest::keyClicks(window->nameField(), "Air Liquide");
    QTest::keyClicks(window->purchaseRateField(), "0,4");
    window->savePosition();
    QCOMPARE(window->positionList()->rowCount(), 1);

    // The fee is the schedule's 10 euros, the tax 0.4 % of 10,000 and of 22,000.
    addMovement(*window, 0, QDate(2026, 1, 5), "100", "100");
    addMovement(*window, 0, QDate(2026, 2, 5), "200", "110");
    QCOMPARE(messenger.shown.size(), 0);
    QCOMPARE(rowTexts(window->movementTable(), 0),
             (QStringList{"05/01/2026", "Achat", "100", "100", "10,00", "40,00"}));
    // 10,000 + 10 + 40 + 22,000 + 10 + 88 = 32,148 for 300: 107.16 a share.
    QCOMPARE(rowTexts(window->positionList(), 0),
             (QStringList{"Air Liquide", "300", "32148,00", "107,16", "0,00"}));

    // More than the 300 held is refused and changes nothing.
    addMovement(*window, 1, QDate(2026, 3, 1), "301", "120");
    QCOMPARE(messenger.shown.size(), 1);
    QVERIFY(messenger.shown.first().text.contains("301"));
    QCOMPARE(window->movementTable()->rowCount(), 2);

    // 100 of them at 107.16 for 10 % more after a fee of 10 and the second rate, 26 %:
    // (10,716 + 1,071.6 / 0.74 + 10) / 100 = 121.741…, up to the cent that reaches it.
    QTest::keyClicks(window->sellSharesField(), "100");
    QTest::keyClicks(window->profitField(), "10");
    window->calculate();
    QVERIFY2(window->resultLabel()->text().contains("Prix de vente minimum : 121.75 euros"),
             qPrintable(window->resultLabel()->text()));
    window->openDetails();
    QVERIFY(detailed);
    QVERIFY(detailed->held);
    QCOMPARE(detailed->held->shares, 100.0);
    QCOMPARE(detailed->held->costPrice, 107.16);
    // The details work it out to the same price.
    const std::optional<CalculationDetails> details = explainCalculation(*detailed);
    QVERIFY(details);
    QCOMPARE(details->result.price, 121.75);

    // A line is deleted only on Yes.
    window->movementTable()->setCurrentCell(0, 0);
    messenger.answerNext(false);
    window->deleteMovement();
    QCOMPARE(window->movementTable()->rowCount(), 2);
    QCOMPARE(messenger.shown.last().noByDefault, true);

    // Sold out, the position is kept but shown only on request.
    addMovement(*window, 1, QDate(2026, 3, 1), "300", "120");
    QCOMPARE(window->positionList()->rowCount(), 0);
    window->setShowClosed(true);
    QCOMPARE(rowTexts(window->positionList(), 0).mid(1, 2), (QStringList{"0", "0,00"}));
    QCOMPARE(messenger.unansweredQuestions, 0);

    // Another language builds the window again, on the same position.
    window->show();
    window->selectPosition("Air Liquide");
    seam.switchLanguage("A");
    QVERIFY(controller.window());
    QVERIFY(controller.window() != window);
    QCOMPARE(controller.window()->movementTable()->horizontalHeaderItem(1)->text(), "Kind");
    QCOMPARE(controller.window()->selectedPosition()->name, "Air Liquide");
}

void PositionsWindowTest::importsAllOrNothing()
{
    TempSettings settings;
    FakeMessenger messenger;
    FakeSeam seam;
    PositionsController controller(settings.path(), messenger, seam, {}, nullptr);
    controller.open();
    PositionsWindow* window = controller.window();
    const QString csv = QFileInfo(settings.path()).dir().filePath("in.csv");
    const auto write = [&](const QByteArray& bytes) {
        QFile file(csv);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(bytes);
    };
    write("date;position;kind;shares;price;fee;taxes\n"
          "05/01/2026;Air;achat;10;100;1;0\n"
          "06/01/2026;Air;vente;11;100;1;0\n"
          "07/01/2026;Orange;achat;x;10;1;0\n");
    window->importFile(csv);
    QCOMPARE(window->positionList()->rowCount(), 0);
    QCOMPARE(messenger.shown.size(), 1);
    QCOMPARE(messenger.shown.first().text, "Rien n'a été importé :\nligne 4 : nombre d'actions "
                                           "illisible : x");

    write("date;position;kind;shares;price;fee;taxes\n"
          "05/01/2026;Air;achat;10;100;1;0\n"
          "06/01/2026;Air;vente;11;100;1;0\n");
    window->importFile(csv);
    QCOMPARE(messenger.shown.size(), 2);
    QCOMPARE(messenger.shown.last().text,
             "Rien n'a été importé :\nligne 3 : vente de plus d'actions que détenues à sa date");
    QCOMPARE(window->positionList()->rowCount(), 0);

    write("date,position,kind,shares,price,fee,taxes\n"
          "2026-01-05,Air,buy,10,100.5,1,0.4\n");
    window->importFile(csv);
    QCOMPARE(messenger.shown.size(), 2);
    QCOMPARE(window->positionList()->rowCount(), 1);
    window->exportFile(csv);
    QFile file(csv);
    QVERIFY(file.open(QIODevice::ReadOnly));
    QCOMPARE(file.readAll(), "date,position,kind,shares,price,fee,taxes\n"
                             "2026-01-05,Air,buy,10,100.5,1,0.4\n");
}

void PositionsWindowTest::showsTheGainsOfAYear()
{
    TempSettings settings;
    FakeMessenger messenger;
    FakeSeam seam;
    PositionsController controller(settings.path(), messenger, seam, {}, nullptr);
    controller.open();
    PositionsWindow* window = controller.window();
    const QString csv = QFileInfo(settings.path()).dir().filePath("in.csv");
    {
        QFile file(csv);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("date,position,kind,shares,price,fee,taxes\n"
                   "2025-01-05,Air,buy,100,100,0,0\n"
                   "2025-06-01,Air,sell,10,120,0,0\n"
                   "2026-03-01,Air,sell,20,90,2,0.5\n"
                   "2026-09-01,\"Orange, SA\",buy,10,10,0,0\n"
                   "2026-09-02,\"Orange, SA\",sell,10,15,1,0\n");
    }
    window->importFile(csv);
    GainsWindow* gains = window->openGains();
    gains->showYear(2026);
    // 20 × 90 − 2.50 − 2,000 = −202.50; 150 − 1 − 100 = 49.
    QCOMPARE(gains->table()->rowCount(), 2);
    QCOMPARE(gains->table()->item(0, 6)->text(), "-202,50");
    QCOMPARE(gains->table()->item(1, 4)->text(), "1,00");
    QCOMPARE(gains->totals()->text(),
             "Plus-values : 49,00\nMoins-values : -202,50\nRésultat net : -153,50");
    gains->copy();
    QVERIFY(QApplication::clipboard()->text().endsWith("Résultat net : -153,50\n"));

    const QString out = QFileInfo(settings.path()).dir().filePath("gains.csv");
    gains->exportFile(out);
    QFile file(out);
    QVERIFY(file.open(QIODevice::ReadOnly));
    QCOMPARE(file.readAll(), "date,position,shares,price,fee,taxes,cost,gain\n"
                             "2026-03-01,Air,20,90,2.00,0.50,2000.00,-202.50\n"
                             "2026-09-02,\"Orange, SA\",10,15,1.00,0.00,100.00,49.00\n");
    const QString pdf = QFileInfo(settings.path()).dir().filePath("gains.pdf");
    {
        QPdfWriter writer(pdf);
        gains->printTo(writer);
    }
    QVERIFY(QFileInfo(pdf).size() > 0);
    gains->showYear(2024);
    QCOMPARE(gains->table()->rowCount(), 0);
    QCOMPARE(messenger.shown.size(), 0);
}

void PositionsWindowTest::refusesAFileItCannotUse_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("said");

    QTest::newRow("damaged") << QByteArray(4096, 'x') << "endommagé";
}

void PositionsWindowTest::refusesAFileItCannotUse()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QString, said);

    TempSettings settings;
    const QString path = PositionStore::pathBeside(settings.path());
    {
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(bytes);
    }
    FakeMessenger messenger;
    FakeSeam seam;
    PositionsController controller(settings.path(), messenger, seam, {}, nullptr);
    controller.open();
    QVERIFY(!controller.window());
    QCOMPARE(messenger.shown.size(), 1);
    QVERIFY(messenger.shown.first().text.contains(said));
    QFile file(path);
    QVERIFY(file.open(QIODevice::ReadOnly));
    QCOMPARE(file.readAll(), bytes);
}

QTEST_MAIN(PositionsWindowTest)
#include "tst_positions_window.moc"
