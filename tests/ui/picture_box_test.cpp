#include "ui/PictureBox.h"

#include <QImage>
#include <QPainter>
#include <QTest>

using varlo::PictureBox;
using varlo::ProportionalFit;

class PictureBoxTest : public QObject
{
    Q_OBJECT

private slots:
    void fitsProportionally_data();
    void fitsProportionally();
    void drawsAtTopLeftAndLeavesTheRestToTheWindow();
    void scalesWithoutSmoothing();
    void takesItsPictureAsAProperty();

private:
    static QPixmap solidPicture(QSize size, QColor colour);
};

void PictureBoxTest::fitsProportionally_data()
{
    QTest::addColumn<QSize>("picture");
    QTest::addColumn<QSize>("box");
    QTest::addColumn<QSize>("drawn");

    // Wide picture whose height would overflow the box: the height decides.
    QTest::newRow("calculator header") << QSize(487, 148) << QSize(273, 81) << QSize(266, 81);
    // Wide picture that fits by width.
    QTest::newRow("main banner") << QSize(1128, 298) << QSize(641, 185) << QSize(641, 169);
    // Tall picture that fits by height.
    QTest::newRow("tall, height decides") << QSize(100, 200) << QSize(80, 50) << QSize(25, 50);
    // A square counts as tall; here its width overflows and the width decides.
    QTest::newRow("square, width decides") << QSize(100, 100) << QSize(50, 80) << QSize(50, 50);
    QTest::newRow("tall, width decides") << QSize(60, 90) << QSize(30, 100) << QSize(30, 45);
    // 98 / 4.9 is 19.99999999999999855 in extended precision (the ratio is a
    // double just above 4.9); in double precision it would round up to 20.
    QTest::newRow("ratio quotient just below a whole number")
        << QSize(49, 10) << QSize(98, 100) << QSize(98, 19);
    QTest::newRow("no picture") << QSize(0, 0) << QSize(273, 81) << QSize(0, 0);
    QTest::newRow("empty box") << QSize(487, 148) << QSize(0, 81) << QSize(0, 0);
}

void PictureBoxTest::fitsProportionally()
{
    QFETCH(QSize, picture);
    QFETCH(QSize, box);
    QFETCH(QSize, drawn);
    QCOMPARE(ProportionalFit(picture, box), drawn);
}

QPixmap PictureBoxTest::solidPicture(QSize size, QColor colour)
{
    QPixmap picture(size);
    picture.fill(colour);
    return picture;
}

void PictureBoxTest::drawsAtTopLeftAndLeavesTheRestToTheWindow()
{
    QWidget window;
    QPalette palette = window.palette();
    palette.setColor(QPalette::Window, Qt::white);
    window.setPalette(palette);
    window.setAutoFillBackground(true);
    window.resize(300, 100);
    PictureBox box(&window);
    box.setGeometry(10, 5, 273, 81);
    box.setPicture(solidPicture(QSize(487, 148), Qt::blue));

    QCOMPARE(box.drawnRect(), QRect(0, 0, 266, 81));
    const QImage shot = window.grab().toImage();
    for (int y : {5, 45, 85}) {
        QCOMPARE(shot.pixelColor(10, y), QColor(Qt::blue));
        QCOMPARE(shot.pixelColor(10 + 265, y), QColor(Qt::blue));
        QCOMPARE(shot.pixelColor(10 + 266, y), QColor(Qt::white));
        QCOMPARE(shot.pixelColor(10 + 272, y), QColor(Qt::white));
    }
    QCOMPARE(shot.pixelColor(10, 4), QColor(Qt::white));
    QCOMPARE(shot.pixelColor(10, 86), QColor(Qt::white));
}

void PictureBoxTest::scalesWithoutSmoothing()
{
    // Single-pixel stripes would blend into new colours under smooth scaling.
    QImage stripes(487, 148, QImage::Format_RGB32);
    for (int x = 0; x < stripes.width(); ++x) {
        for (int y = 0; y < stripes.height(); ++y)
            stripes.setPixelColor(x, y, (x + y) % 2 == 0 ? Qt::black : Qt::red);
    }
    PictureBox box;
    box.resize(273, 81);
    box.setPicture(QPixmap::fromImage(stripes));

    QImage shot(box.size(), QImage::Format_RGB32);
    shot.fill(Qt::white);
    box.render(&shot);
    for (int x = 0; x < 266; ++x) {
        for (int y = 0; y < 81; ++y) {
            const QColor colour = shot.pixelColor(x, y);
            if (colour != QColor(Qt::black) && colour != QColor(Qt::red))
                QFAIL(qPrintable(QStringLiteral("blended pixel at %1,%2").arg(x).arg(y)));
        }
    }
}

void PictureBoxTest::takesItsPictureAsAProperty()
{
    // The stored layouts set the picture by its property name.
    PictureBox box;
    QVERIFY(box.setProperty("picture", solidPicture(QSize(20, 10), Qt::green)));
    QCOMPARE(box.picture().size(), QSize(20, 10));
}

QTEST_MAIN(PictureBoxTest)
#include "picture_box_test.moc"
