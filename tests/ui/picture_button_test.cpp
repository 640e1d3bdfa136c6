#include "ui/PictureButton.h"

#include "test_app.h"

#include <QSignalSpy>
#include <QTest>

using varlo::ButtonContentPlacement;
using varlo::CaptionHeight;
using varlo::GlyphOnFace;
using varlo::PictureButton;
using varlo::PlaceButtonContent;

Q_DECLARE_METATYPE(PictureButton::GlyphLayout)

namespace
{

const QColor Face(0xd4, 0xd0, 0xc8);

// The buttons' caption font as the main window gives it.
QFont CaptionFont()
{
    QFont font(QStringLiteral("Liberation Sans"));
    font.setPixelSize(11);
    font.setBold(true);
    return font;
}

QImage GlyphFromResource(const char *path)
{
    QImage glyph(QString::fromLatin1(path));
    if (glyph.isNull()) {
        qFatal("cannot load %s", path);
    }
    return glyph.convertToFormat(QImage::Format_RGB32);
}

bool IsNearWhite(QRgb pixel)
{
    return pixel != qRgb(255, 255, 255) && qRed(pixel) >= 0xf0 && qGreen(pixel) >= 0xf0 &&
           qBlue(pixel) >= 0xf0;
}

} // namespace

class PictureButtonTest : public QObject
{
    Q_OBJECT

private slots:
    void placesGlyphAndCaption_data();
    void placesGlyphAndCaption();
    void turnsExactlyTheKeyColourIntoTheFace_data();
    void turnsExactlyTheKeyColourIntoTheFace();
    void keepsNearWhiteOfTheRealGlyphs_data();
    void keepsNearWhiteOfTheRealGlyphs();
    void drawsTheGlyphOnTheFace_data();
    void drawsTheGlyphOnTheFace();
    void drawsTheCaptionInItsRows();
    void marksTheFocusedButton_data();
    void marksTheFocusedButton();
    void clicksOnEnterAndOnSpaceRelease();
};

void PictureButtonTest::placesGlyphAndCaption_data()
{
    QTest::addColumn<QSize>("button");
    QTest::addColumn<QSize>("glyph");
    QTest::addColumn<QSize>("caption");
    QTest::addColumn<PictureButton::GlyphLayout>("layout");
    QTest::addColumn<QPoint>("glyphTopLeft");
    QTest::addColumn<QPoint>("captionTopLeft");

    const auto top = PictureButton::GlyphTop;
    const auto left = PictureButton::GlyphLeft;
    // The main window's buttons, with captions 13 pixels high.
    QTest::newRow("cylindrical") << QSize(185, 121) << QSize(100, 90) << QSize(121, 13) << top
                                 << QPoint(43, 7) << QPoint(32, 101);
    QTest::newRow("conical") << QSize(193, 121) << QSize(100, 95) << QSize(96, 13) << top
                             << QPoint(47, 5) << QPoint(49, 104);
    QTest::newRow("exit, no glyph")
        << QSize(73, 41) << QSize() << QSize(24, 13) << left << QPoint(25, 20) << QPoint(25, 14);
    // No caption: no spacing either, the glyph alone is centred.
    QTest::newRow("glyph only") << QSize(185, 121) << QSize(100, 90) << QSize() << top
                                << QPoint(43, 16) << QPoint(93, 106);
    QTest::newRow("glyph left of caption") << QSize(100, 40) << QSize(16, 16) << QSize(30, 13)
                                           << left << QPoint(25, 12) << QPoint(45, 14);
    // Content larger than the button: the halving truncates toward zero
    // (-13 / 2 is -6, not -7).
    QTest::newRow("content wider than button") << QSize(20, 20) << QSize(30, 30) << QSize(10, 13)
                                               << top << QPoint(-4, -13) << QPoint(5, 21);
}

void PictureButtonTest::placesGlyphAndCaption()
{
    QFETCH(QSize, button);
    QFETCH(QSize, glyph);
    QFETCH(QSize, caption);
    QFETCH(PictureButton::GlyphLayout, layout);
    QFETCH(QPoint, glyphTopLeft);
    QFETCH(QPoint, captionTopLeft);

    const ButtonContentPlacement placement = PlaceButtonContent(button, glyph, caption, layout);
    QCOMPARE(placement.captionTopLeft, captionTopLeft);
    if (!glyph.isEmpty()) {
        QCOMPARE(placement.glyphTopLeft, glyphTopLeft);
    }
}

void PictureButtonTest::turnsExactlyTheKeyColourIntoTheFace_data()
{
    QTest::addColumn<QRgb>("key");
    QTest::addColumn<QRgb>("other");

    QTest::newRow("white key, off-white kept") << qRgb(255, 255, 255) << qRgb(254, 254, 254);
    QTest::newRow("white key, one channel off kept") << qRgb(255, 255, 255) << qRgb(255, 255, 254);
    QTest::newRow("red key, white kept") << qRgb(255, 0, 0) << qRgb(255, 255, 255);
}

void PictureButtonTest::turnsExactlyTheKeyColourIntoTheFace()
{
    QFETCH(QRgb, key);
    QFETCH(QRgb, other);

    // 3 x 2, key colour at the bottom-left corner, at (2, 0) and at (1, 1).
    QImage glyph(3, 2, QImage::Format_RGB32);
    glyph.setPixel(0, 0, other);
    glyph.setPixel(1, 0, qRgb(0, 0, 0));
    glyph.setPixel(2, 0, key);
    glyph.setPixel(0, 1, key);
    glyph.setPixel(1, 1, key);
    glyph.setPixel(2, 1, other);

    const QImage drawn = GlyphOnFace(glyph, Face);
    QCOMPARE(drawn.size(), glyph.size());
    QCOMPARE(drawn.pixel(0, 0), other);
    QCOMPARE(drawn.pixel(1, 0), qRgb(0, 0, 0));
    QCOMPARE(drawn.pixel(2, 0), Face.rgb());
    QCOMPARE(drawn.pixel(0, 1), Face.rgb());
    QCOMPARE(drawn.pixel(1, 1), Face.rgb());
    QCOMPARE(drawn.pixel(2, 1), other);
}

void PictureButtonTest::keepsNearWhiteOfTheRealGlyphs_data()
{
    QTest::addColumn<QString>("path");
    QTest::addColumn<QSize>("size");
    QTest::newRow("cylindrical") << QStringLiteral(":/assets/cylindrical_tubes.bmp")
                                 << QSize(100, 90);
    QTest::newRow("conical") << QStringLiteral(":/assets/conical_tubes.bmp") << QSize(100, 95);
}

void PictureButtonTest::keepsNearWhiteOfTheRealGlyphs()
{
    QFETCH(QString, path);
    QFETCH(QSize, size);

    const QImage glyph = GlyphFromResource(path.toLatin1().constData());
    QCOMPARE(glyph.size(), size);
    QCOMPARE(glyph.pixel(0, size.height() - 1), qRgb(255, 255, 255));

    const QImage drawn = GlyphOnFace(glyph, Face);
    int nearWhite = 0;
    int replaced = 0;
    for (int y = 0; y < size.height(); ++y) {
        for (int x = 0; x < size.width(); ++x) {
            const QRgb stored = glyph.pixel(x, y);
            const bool white = stored == qRgb(255, 255, 255);
            QCOMPARE(drawn.pixel(x, y), white ? Face.rgb() : stored);
            nearWhite += IsNearWhite(stored) ? 1 : 0;
            replaced += white ? 1 : 0;
        }
    }
    // The photographs' background, and light pixels on the tubes that must stay.
    QVERIFY(replaced > size.width() * size.height() / 4);
    QVERIFY(nearWhite > 0);
}

void PictureButtonTest::drawsTheGlyphOnTheFace_data()
{
    QTest::addColumn<bool>("pressed");
    QTest::addColumn<QPoint>("glyphTopLeft");
    QTest::newRow("idle") << false << QPoint(43, 7);
    QTest::newRow("held down") << true << QPoint(44, 8);
}

void PictureButtonTest::drawsTheGlyphOnTheFace()
{
    QFETCH(bool, pressed);
    QFETCH(QPoint, glyphTopLeft);

    const QImage glyph = GlyphFromResource(":/assets/cylindrical_tubes.bmp");
    PictureButton button;
    button.setFont(CaptionFont());
    QPalette palette = button.palette();
    palette.setColor(QPalette::Button, Face);
    button.setPalette(palette);
    button.setGlyph(QPixmap::fromImage(glyph));
    button.setGlyphLayout(PictureButton::GlyphTop);
    button.setText(QStringLiteral("CYLINDRICAL SHAPE"));
    button.resize(185, 121);
    button.setDown(pressed);

    const QImage shown = button.grab().toImage().convertToFormat(QImage::Format_RGB32);
    QCOMPARE(shown.size(), QSize(185, 121));
    for (int y = 0; y < glyph.height(); ++y) {
        for (int x = 0; x < glyph.width(); ++x) {
            const QRgb stored = glyph.pixel(x, y);
            const QRgb expected = stored == qRgb(255, 255, 255) ? Face.rgb() : stored;
            QCOMPARE(shown.pixel(glyphTopLeft + QPoint(x, y)), expected);
        }
    }
    // Idle: the raised bevel's light top-left edge; held down: the flat shadow
    // frame, with the face right inside it.
    const QColor edge = pressed ? palette.color(QPalette::Dark) : palette.color(QPalette::Light);
    QCOMPARE(shown.pixel(10, 0), edge.rgb());
    QCOMPARE(shown.pixel(0, 10), edge.rgb());
    QCOMPARE(shown.pixel(3, 3), Face.rgb());
}

void PictureButtonTest::drawsTheCaptionInItsRows()
{
    PictureButton button;
    button.setFont(CaptionFont());
    button.setText(QStringLiteral("Exit"));
    button.resize(73, 41);
    QCOMPARE(CaptionHeight(button.font()), 13);

    // The caption's ink lies within its 13 rows from the top 14 and is centred
    // across (one column of slack for the ink inside the advance width).
    const QImage shown = button.grab().toImage().convertToFormat(QImage::Format_RGB32);
    const QRgb face = button.palette().color(QPalette::Button).rgb();
    QRect ink;
    for (int y = 3; y < shown.height() - 3; ++y) {
        for (int x = 3; x < shown.width() - 3; ++x) {
            if (shown.pixel(x, y) != face) {
                ink |= QRect(x, y, 1, 1);
            }
        }
    }
    QVERIFY(!ink.isEmpty());
    QVERIFY2(ink.top() >= 14 && ink.bottom() < 14 + 13, qPrintable(QString::number(ink.top())));
    QVERIFY(qAbs(ink.left() - (shown.width() - 1 - ink.right())) <= 2);
}

void PictureButtonTest::marksTheFocusedButton_data()
{
    QTest::addColumn<bool>("focused");
    QTest::newRow("focused") << true;
    QTest::newRow("not focused") << false;
}

void PictureButtonTest::marksTheFocusedButton()
{
    QFETCH(bool, focused);

    QWidget window;
    auto *button = new PictureButton(&window);
    button->setGeometry(10, 10, 73, 41);
    auto *other = new PictureButton(&window);
    other->setGeometry(100, 10, 73, 41);
    window.show();
    window.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&window));
    (focused ? button : other)->setFocus(Qt::TabFocusReason);
    QCOMPARE(button->hasFocus(), focused);

    const QImage shown = button->grab().toImage().convertToFormat(QImage::Format_RGB32);
    const QPalette &palette = button->palette();
    const QRgb text = palette.color(QPalette::WindowText).rgb();
    const QRgb light = palette.color(QPalette::Light).rgb();
    const QRgb face = palette.color(QPalette::Button).rgb();
    // The outline along the outer edge, the raised bevel moved inside it.
    QCOMPARE(shown.pixel(0, 0), focused ? text : light);
    QCOMPARE(shown.pixel(72, 40), focused ? text : palette.color(QPalette::Shadow).rgb());
    QCOMPARE(shown.pixel(1, 1), focused ? light : face);
    // The dotted focus rectangle four pixels inside: every other pixel.
    QCOMPARE(shown.pixel(4, 4), focused ? text : face);
    QCOMPARE(shown.pixel(5, 4), face);
    QCOMPARE(shown.pixel(6, 4), focused ? text : face);
    QCOMPARE(shown.pixel(68, 36), focused ? text : face);
}

void PictureButtonTest::clicksOnEnterAndOnSpaceRelease()
{
    PictureButton button;
    button.setText(QStringLiteral("Exit"));
    QSignalSpy clicks(&button, &QAbstractButton::clicked);

    QTest::keyClick(&button, Qt::Key_Return);
    QCOMPARE(clicks.count(), 1);
    QTest::keyClick(&button, Qt::Key_Enter);
    QCOMPARE(clicks.count(), 2);

    QTest::keyPress(&button, Qt::Key_Space);
    QVERIFY(button.isDown());
    QCOMPARE(clicks.count(), 2);
    QTest::keyRelease(&button, Qt::Key_Space);
    QVERIFY(!button.isDown());
    QCOMPARE(clicks.count(), 3);

    QTest::keyClick(&button, Qt::Key_Escape);
    QCOMPARE(clicks.count(), 3);
}

VARLO_TEST_APP_MAIN(PictureButtonTest)

#include "picture_button_test.moc"
