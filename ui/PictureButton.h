#pragma once

#include <QAbstractButton>
#include <QColor>
#include <QFont>
#include <QImage>
#include <QPixmap>
#include <QPoint>
#include <QSize>

namespace varlo
{

// A push button that shows a picture (its glyph) with its caption, either above
// the caption or to its left. It draws the classic two-pixel raised bevel rather
// than the desktop style, because the glyph's transparent colour is replaced by
// the plain button face and must match the face around it.
class PictureButton : public QAbstractButton
{
    Q_OBJECT
    Q_PROPERTY(QPixmap glyph READ glyph WRITE setGlyph)
    Q_PROPERTY(GlyphLayout glyphLayout READ glyphLayout WRITE setGlyphLayout)

public:
    enum GlyphLayout { GlyphLeft, GlyphTop };
    Q_ENUM(GlyphLayout)

    explicit PictureButton(QWidget *parent = nullptr);

    QPixmap glyph() const { return QPixmap::fromImage(glyph_); }
    void setGlyph(const QPixmap &glyph);

    GlyphLayout glyphLayout() const { return glyphLayout_; }
    void setGlyphLayout(GlyphLayout layout);

protected:
    void paintEvent(QPaintEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;

private:
    const QImage &faceGlyph();

    QImage glyph_;
    GlyphLayout glyphLayout_ = GlyphLeft;
    QImage faceGlyph_; // glyph_ with its transparent colour replaced by faceColour_
    QColor faceColour_;
};

// Where a picture button puts its glyph and caption, relative to the button's
// top-left corner. A button without glyph has an empty glyph size; its glyph
// position is then meaningless.
struct ButtonContentPlacement {
    QPoint glyphTopLeft;
    QPoint captionTopLeft;

    friend bool operator==(const ButtonContentPlacement &,
                           const ButtonContentPlacement &) = default;
};

ButtonContentPlacement PlaceButtonContent(QSize button, QSize glyph, QSize caption,
                                          PictureButton::GlyphLayout layout);

// The height of one line of `font` as the captions are laid out: ascent and
// descent each rounded up to whole pixels, as the layout's original desktop
// measured text (13 for the 11-pixel caption font, where Qt's rounded height
// gives 12).
int CaptionHeight(const QFont &font);

// The glyph as a button draws it: every pixel of exactly the colour of its
// bottom-left pixel becomes `face`; every other pixel keeps its colour.
QImage GlyphOnFace(const QImage &glyph, QColor face);

} // namespace varlo
