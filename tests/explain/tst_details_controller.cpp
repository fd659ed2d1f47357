#include "DetailsController.h"
#include "DetailsWindow.h"
#include "FakeMainWindow.h"

#include <QLabel>
#include <QLineEdit>
#include <QTest>

namespace {

enum class Notice
{
    None,
    InputsChanged,
    CalculationShown,
    CalculationForgotten
};

CalculationInput tenPercent(double price)
{
    Schedule schedule;
    schedule.brackets[0] = {openBound, 10, false};
    return {schedule, Trade{price, 100, 10, true}, 26, PriceRounding::Nearest};
}

} // namespace

// The details capability over a stand-in for the main window: which calculation it shows, and
// how it follows what the main window tells it.
class DetailsControllerTest : public QObject
{
    Q_OBJECT

private slots:
    void followsTheMainWindowOnlyForItsResults_data();
    void followsTheMainWindowOnlyForItsResults();
};

void DetailsControllerTest::followsTheMainWindowOnlyForItsResults_data()
{
    QTest::addColumn<bool>("handedOver"); // opened on a calculation of another capability
    QTest::addColumn<Notice>("notice");
    QTest::addColumn<bool>("visible");
    QTest::addColumn<bool>("outOfDate");
    QTest::addColumn<double>("price"); // the one its price field holds

    QTest::newRow("results shown") << false << Notice::None << true << false << 11.56;
    QTest::newRow("results out of date") << false << Notice::InputsChanged << true << true << 11.56;
    QTest::newRow("new results") << false << Notice::CalculationShown << true << false << 12.70;
    QTest::newRow("results cleared")
        << false << Notice::CalculationForgotten << false << false << 11.56;
    QTest::newRow("handed over, main inputs change")
        << true << Notice::InputsChanged << true << false << 11.56;
    QTest::newRow("handed over, main results cleared")
        << true << Notice::CalculationForgotten << true << false << 11.56;
}

void DetailsControllerTest::followsTheMainWindowOnlyForItsResults()
{
    QFETCH(bool, handedOver);
    QFETCH(Notice, notice);
    QFETCH(bool, visible);
    QFETCH(bool, outOfDate);
    QFETCH(double, price);
    QLocale::setDefault(QLocale(QLocale::French, QLocale::France));
    FakeMainWindow window;
    window.owner.show();
    DetailsController controller(window, nullptr);
    controller.open();
    QVERIFY(!controller.detailsWindow()); // nothing on show, nothing built

    window.shown = tenPercent(10);
    if (handedOver)
        controller.open(tenPercent(10), "Courtier");
    else
        controller.open();
    QVERIFY(controller.detailsWindow()->isVisible());

    window.outOfDate = notice == Notice::InputsChanged;
    if (notice == Notice::CalculationShown)
        window.shown = tenPercent(11);
    switch (notice) {
    case Notice::InputsChanged:
        emit window.told.inputsChanged();
        break;
    case Notice::CalculationShown:
        emit window.told.calculationShown();
        break;
    case Notice::CalculationForgotten:
        emit window.told.calculationForgotten();
        break;
    case Notice::None:
        break;
    }

    const DetailsWindow& details = *controller.detailsWindow();
    QCOMPARE(details.isVisible(), visible);
    QCOMPARE(details.outOfDateLabel->isVisibleTo(&details), outOfDate);
    QCOMPARE(QString(details.priceField->text()).replace(',', '.').toDouble(), price);
}

QTEST_MAIN(DetailsControllerTest)
#include "tst_details_controller.moc"
