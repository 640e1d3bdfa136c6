#include "ui/PictureBox.h"

#include "calc/Extended.h"

#include <QPaintEvent>
#include <QPainter>

namespace varlo
{

namespace
{

// trunc of a non-negative extended value that fits an int.
int Truncated(Extended value)
{
    Extended whole = value.roundToInteger();
    if (whole > value)
        whole = whole - Extended::fromInt(1);
    return static_cast<int>(whole.toDouble());
}

} // namespace

QSize ProportionalFit(QSize picture, QSize box)
{
    if (picture.isEmpty() || box.isEmpty())
        return QSize(0, 0);
    const Extended ratio = Extended::fromDouble(static_cast<double>(picture.width()) /
                                                static_cast<double>(picture.height()));
    const Extended boxWidth = Extended::fromInt(box.width());
    const Extended boxHeight = Extended::fromInt(box.height());
    auto heightForWidth = [&] { return Truncated(boxWidth / ratio); };
    auto widthForHeight = [&] { return Truncated(boxHeight * ratio); };

    if (picture.width() > picture.height()) {
        const int height = heightForWidth();
        if (height > box.height())
            return {widthForHeight(), box.height()};
        return {box.width(), height};
    }
    const int width = widthForHeight();
    if (width > box.width())
        return {box.width(), heightForWidth()};
    return {width, box.height()};
}

PictureBox::PictureBox(QWidget *parent) : QWidget(parent)
{
}

void PictureBox::setPicture(const QPixmap &picture)
{
    m_picture = picture;
    update();
}

QRect PictureBox::drawnRect() const
{
    return QRect(QPoint(0, 0), ProportionalFit(m_picture.size(), size()));
}

void PictureBox::paintEvent(QPaintEvent *)
{
    const QRect target = drawnRect();
    if (target.isEmpty())
        return;
    // No SmoothPixmapTransform: the picture is sampled at the nearest pixel.
    QPainter painter(this);
    painter.drawPixmap(target, m_picture);
}

} // namespace varlo
