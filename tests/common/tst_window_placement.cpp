#include "WindowPlacement.h"

#include <QLocale>
#include <QTest>

class WindowPlacementTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { QLocale::setDefault(QLocale(QLocale::French, QLocale::France)); }
    void placedBesideOrOverAsLittleAsPossible_data();
    void placedBesideOrOverAsLittleAsPossible();
};

void WindowPlacementTest::placedBesideOrOverAsLittleAsPossible_data()
{
    // A 1366 x 768 screen and a 520 x 300 main window, no window manager frame.
    QTest::addColumn<int>("ownerLeft");
    QTest::addColumn<QSize>("wanted");
    QTest::addColumn<int>("narrowest");
    QTest::addColumn<QRect>("placed");
    QTest::addColumn<int>("header"); // bottom of the title bar and menu; 0: not given
    QTest::newRow("room on the right")
        << 0 << QSize(800, 194) << 9999 << QRect(520, 168, 800, 194) << 0;
    QTest::newRow("room on the left only")
        << 846 << QSize(600, 194) << 9999 << QRect(246, 168, 600, 194) << 0;
    QTest::newRow("centred: below, neither side has room")
        << 423 << QSize(866, 194) << 9999 << QRect(423, 468, 866, 194) << 0;
    QTest::newRow("centred, too tall for below: over its bottom only")
        << 423 << QSize(1165, 404) << 9999 << QRect(201, 364, 1165, 404) << 0;
    QTest::newRow("narrowed to the room beside, raised to fit")
        << 0 << QSize(1000, 700) << 760 << QRect(520, 68, 846, 700) << 0;
    // 946 wide, nowhere beside it: to the right of its fields (423 to 702), over the rest of it.
    QTest::newRow("centred, wide: beside its fields")
        << 423 << QSize(946, 700) << 760 << QRect(703, 68, 663, 700) << 0;
    // Its title bar and menu down to 218: over the rest only, as tall as the screen leaves.
    QTest::newRow("centred, wide: beside its fields, below its menu")
        << 423 << QSize(946, 700) << 760 << QRect(703, 219, 663, 549) << 218;
    QTest::newRow("centred, wide, narrowed beside it: clear of its menu and fields")
        << 423 << QSize(946, 700) << 400 << QRect(943, 68, 423, 700) << 218;
    QTest::newRow("larger than the screen")
        << 423 << QSize(2000, 1000) << 9999 << QRect(0, 0, 1366, 768) << 0;
}

void WindowPlacementTest::placedBesideOrOverAsLittleAsPossible()
{
    QFETCH(int, ownerLeft);
    QFETCH(QSize, wanted);
    QFETCH(int, narrowest);
    QFETCH(QRect, placed);
    QFETCH(int, header);
    const WindowPlacement placement =
        placeBeside(QRect(0, 0, 1366, 768), QRect(ownerLeft, 168, 520, 300),
                    QRect(ownerLeft, 168, 280, 300), QSize(0, 0), wanted, QSize(200, 100),
                    narrowest, header > 0 ? std::optional<int>(header) : std::nullopt);
    QCOMPARE(QRect(placement.topLeft, placement.size), placed);
}

QTEST_GUILESS_MAIN(WindowPlacementTest)
#include "tst_window_placement.moc"
