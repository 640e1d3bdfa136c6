#pragma once

#include <QPixmap>
#include <QSize>
#include <QWidget>

namespace varlo
{

// The size at which a picture of `picture` pixels is drawn in a box of `box`
// pixels when it is stretched proportionally: the largest size that fits with
// the aspect ratio kept, the ratio taken as a double and the other side of the
// box divided or multiplied by it in extended precision, the fraction dropped.
// An empty picture or box draws nothing.
QSize ProportionalFit(QSize picture, QSize box);

// A picture box that stretches its picture proportionally to the largest size
// that fits (ProportionalFit), anchored at its top-left corner, scaled by
// nearest-pixel sampling. The rest of the box shows the window behind it.
class PictureBox : public QWidget
{
    Q_OBJECT
    Q_PROPERTY(QPixmap picture READ picture WRITE setPicture)

public:
    explicit PictureBox(QWidget *parent = nullptr);

    QPixmap picture() const { return m_picture; }
    void setPicture(const QPixmap &picture);

    // Where the picture is drawn, in the box's own coordinates.
    QRect drawnRect() const;

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    QPixmap m_picture;
};

} // namespace varlo
