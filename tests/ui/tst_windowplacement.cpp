// Where the main window opens: centred on the free area, never with its top-left corner off it.
#include "WindowPlacement.h"

#include <QTest>

class WindowPlacementTest final : public QObject
{
    Q_OBJECT

private slots:
    void centredTopLeft_data();
    void centredTopLeft();
};

void WindowPlacementTest::centredTopLeft_data()
{
    QTest::addColumn<QSize>("frame");
    QTest::addColumn<QRect>("available");
    QTest::addColumn<QPoint>("expected");

    QTest::newRow("fits: centred")
        << QSize(400, 300) << QRect(0, 0, 1280, 1024) << QPoint(440, 362);
    QTest::newRow("panel at the top: centred below it")
        << QSize(400, 300) << QRect(0, 28, 1280, 996) << QPoint(440, 376);
    QTest::newRow("panel at the left: centred right of it")
        << QSize(400, 300) << QRect(48, 0, 1232, 1024) << QPoint(464, 362);
    QTest::newRow("exactly as large as the area")
        << QSize(683, 384) << QRect(0, 0, 683, 384) << QPoint(0, 0);
    // 1366 × 768 at scale 2 is 683 × 384 logical pixels: the window is taller than that.
    QTest::newRow("taller than the area: top on it, centred across")
        << QSize(520, 480) << QRect(0, 0, 683, 384) << QPoint(82, 0);
    QTest::newRow("wider than the area: left on it, centred down")
        << QSize(800, 200) << QRect(0, 0, 683, 384) << QPoint(0, 92);
    QTest::newRow("larger than an area that does not start at 0")
        << QSize(500, 400) << QRect(10, 20, 300, 200) << QPoint(10, 20);
    QTest::newRow("second screen to the right")
        << QSize(400, 300) << QRect(1280, 0, 1024, 768) << QPoint(1592, 234);
}

void WindowPlacementTest::centredTopLeft()
{
    QFETCH(QSize, frame);
    QFETCH(QRect, available);
    QFETCH(QPoint, expected);
    QCOMPARE(WindowPlacement::centredTopLeft(frame, available), expected);
}

QTEST_APPLESS_MAIN(WindowPlacementTest)
#include "tst_windowplacement.moc"
