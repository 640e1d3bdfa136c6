#include "ui/WindowPlacement.h"

#include <QTest>

using varlo::CentredTopLeft;

class WindowPlacementTest : public QObject
{
    Q_OBJECT

private slots:
    void centres_data();
    void centres();
};

void WindowPlacementTest::centres_data()
{
    QTest::addColumn<QSize>("window");
    QTest::addColumn<QRect>("area");
    QTest::addColumn<QPoint>("topLeft");

    QTest::newRow("even margins") << QSize(425, 381) << QRect(0, 0, 1281, 1025) << QPoint(428, 322);
    // The odd pixel of (1280 - 425) and (1024 - 381) is dropped.
    QTest::newRow("odd margins round down")
        << QSize(425, 381) << QRect(0, 0, 1280, 1024) << QPoint(427, 321);
    QTest::newRow("another monitor")
        << QSize(425, 381) << QRect(1920, -200, 1280, 1024) << QPoint(1920 + 427, -200 + 321);
    // Too large: the window stands at the area's corner, never left of or above it.
    QTest::newRow("wider than the area")
        << QSize(900, 381) << QRect(0, 0, 800, 600) << QPoint(0, 109);
    QTest::newRow("one pixel too tall")
        << QSize(425, 601) << QRect(0, 0, 800, 600) << QPoint(187, 0);
}

void WindowPlacementTest::centres()
{
    QFETCH(QSize, window);
    QFETCH(QRect, area);
    QTEST(CentredTopLeft(window, area), "topLeft");
}

QTEST_MAIN(WindowPlacementTest)
#include "window_placement_test.moc"
