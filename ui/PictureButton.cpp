#include "ui/PictureButton.h"

#include <QKeyEvent>
#include <QPainter>
#include <QPalette>
#include <QPolygon>
#include <qdrawutil.h>

#include <cmath>

namespace varlo
{

namespace
{

// The bevel around the content, and the gap between glyph and caption.
constexpr int BorderWidth = 2;
constexpr int GlyphSpacing = 4;
// The dotted focus rectangle lies this far inside the button's outer edge.
constexpr int FocusRectInset = 4;

// Every other pixel of the rectangle's outline, starting at its top-left corner.
void DrawDottedRect(QPainter &painter, const QRect &rect, const QColor &colour)
{
    QPolygon dots;
    const auto dot = [&dots](int x, int y) {
        if ((x + y) % 2 == 0) {
            dots << QPoint(x, y);
        }
    };
    for (int x = rect.left(); x <= rect.right(); ++x) {
        dot(x, rect.top());
        dot(x, rect.bottom());
    }
    for (int y = rect.top() + 1; y < rect.bottom(); ++y) {
        dot(rect.left(), y);
        dot(rect.right(), y);
    }
    painter.setPen(colour);
    painter.drawPoints(dots);
}

} // namespace

ButtonContentPlacement PlaceButtonContent(QSize button, QSize glyph, QSize caption,
                                          PictureButton::GlyphLayout layout)
{
    const int interiorWidth = button.width() - 2 * BorderWidth;
    const int interiorHeight = button.height() - 2 * BorderWidth;
    const bool hasGlyph = !glyph.isEmpty();
    const bool hasCaption = !caption.isEmpty();
    const int gw = hasGlyph ? glyph.width() : 0;
    const int gh = hasGlyph ? glyph.height() : 0;
    const int tw = hasCaption ? caption.width() : 0;
    const int th = hasCaption ? caption.height() : 0;
    const int spacing = hasGlyph && hasCaption ? GlyphSpacing : 0;

    // Integer division truncates toward zero, which is the rounding these
    // centring rules are defined with (content larger than the button included).
    ButtonContentPlacement placement;
    if (layout == PictureButton::GlyphTop) {
        const int top = (interiorHeight - (gh + spacing + th) + 1) / 2;
        placement.glyphTopLeft = QPoint((interiorWidth - gw + 1) / 2, top);
        placement.captionTopLeft = QPoint((interiorWidth - tw + 1) / 2, top + gh + spacing);
    } else {
        const int left = (interiorWidth - (gw + spacing + tw) + 1) / 2;
        placement.glyphTopLeft = QPoint(left, (interiorHeight - gh + 1) / 2);
        placement.captionTopLeft = QPoint(left + gw + spacing, (interiorHeight - th + 1) / 2);
    }
    const QPoint interiorOrigin(BorderWidth, BorderWidth);
    placement.glyphTopLeft += interiorOrigin;
    placement.captionTopLeft += interiorOrigin;
    return placement;
}

int CaptionHeight(const QFont &font)
{
    const QFontMetricsF metrics(font);
    return static_cast<int>(std::ceil(metrics.ascent()) + std::ceil(metrics.descent()));
}

QImage GlyphOnFace(const QImage &glyph, QColor face)
{
    if (glyph.isNull()) {
        return glyph;
    }
    QImage image = glyph.convertToFormat(QImage::Format_RGB32);
    const QRgb transparent = image.pixel(0, image.height() - 1);
    const QRgb faceRgb = face.rgb();
    for (int y = 0; y < image.height(); ++y) {
        auto *line = reinterpret_cast<QRgb *>(image.scanLine(y));
        for (int x = 0; x < image.width(); ++x) {
            if (line[x] == transparent) {
                line[x] = faceRgb;
            }
        }
    }
    return image;
}

PictureButton::PictureButton(QWidget *parent) : QAbstractButton(parent)
{
    setFocusPolicy(Qt::StrongFocus);
}

void PictureButton::setGlyph(const QPixmap &glyph)
{
    glyph_ = glyph.toImage();
    faceGlyph_ = QImage();
    update();
}

void PictureButton::setGlyphLayout(GlyphLayout layout)
{
    glyphLayout_ = layout;
    update();
}

const QImage &PictureButton::faceGlyph()
{
    const QColor face = palette().color(QPalette::Button);
    if (faceGlyph_.isNull() || face != faceColour_) {
        faceGlyph_ = GlyphOnFace(glyph_, face);
        faceColour_ = face;
    }
    return faceGlyph_;
}

void PictureButton::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    const QPalette &pal = palette();
    const bool pressed = isDown();

    // The button that holds its window's focus wears a one-pixel outline in the
    // window-frame colour (the text colour on today's desktops); the bevel then
    // lies just inside it.
    QRect frame = rect();
    if (window()->focusWidget() == this) {
        painter.setPen(pal.color(QPalette::WindowText));
        painter.drawRect(frame.adjusted(0, 0, -1, -1));
        frame.adjust(1, 1, -1, -1);
    }
    if (pressed) {
        qDrawPlainRect(&painter, frame, pal.color(QPalette::Dark), 1, &pal.brush(QPalette::Button));
    } else {
        qDrawWinButton(&painter, frame, pal, false, &pal.brush(QPalette::Button));
    }

    const QString caption = text();
    const QSize captionSize(QFontMetrics(font()).horizontalAdvance(caption), CaptionHeight(font()));
    const QImage &glyph = faceGlyph();
    const ButtonContentPlacement placement =
        PlaceButtonContent(size(), glyph.size(), captionSize, glyphLayout_);
    const QPoint shift = pressed ? QPoint(1, 1) : QPoint(0, 0);

    if (!glyph.isNull()) {
        painter.drawImage(placement.glyphTopLeft + shift, glyph);
    }
    if (!caption.isEmpty()) {
        painter.setFont(font());
        painter.setPen(pal.color(QPalette::WindowText));
        painter.drawText(QRect(placement.captionTopLeft + shift, captionSize),
                         Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine, caption);
    }

    if (hasFocus()) {
        DrawDottedRect(
            painter,
            rect().adjusted(FocusRectInset, FocusRectInset, -FocusRectInset, -FocusRectInset),
            pal.color(QPalette::WindowText));
    }
}

void PictureButton::keyPressEvent(QKeyEvent *event)
{
    switch (event->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
        if (!event->isAutoRepeat()) {
            click();
        }
        break;
    case Qt::Key_Right:
    case Qt::Key_Down:
        focusNextPrevChild(true);
        break;
    case Qt::Key_Left:
    case Qt::Key_Up:
        focusNextPrevChild(false);
        break;
    default:
        QAbstractButton::keyPressEvent(event);
    }
}

} // namespace varlo
