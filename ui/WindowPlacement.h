#pragma once

#include <QPoint>
#include <QRect>
#include <QSize>

class QWidget;

namespace varlo
{

// Where a window of `outerSize` (frame included) stands when it is centred in
// `area`: (area size - window size) div 2 from the area's top-left corner on
// each axis, the division rounding toward zero, and never left of or above
// that corner.
QPoint CentredTopLeft(QSize outerSize, const QRect &area);

// The area of the screen-centre rule: the primary screen, unless the active
// window stands on another screen, which is then used instead.
QRect ScreenCentreArea();

// The area of the desktop-centre rule: the size of the rectangle enclosing all
// screens, measured from the primary screen's top-left corner.
QRect DesktopCentreArea();

// Moves a top-level `window` that is about to be shown for the first time so
// that its frame is centred by the rule. The frame is not known before the
// window manager has framed the window, so it is taken from the window itself
// when known, else from the active window.
void CentreOnScreen(QWidget *window);
void CentreOnDesktop(QWidget *window);

} // namespace varlo
