#include "ui/WindowPlacement.h"

#include <QApplication>
#include <QMargins>
#include <QScreen>
#include <QWidget>
#include <QWindow>

#include <algorithm>

namespace varlo
{

namespace
{

QScreen *PrimaryScreen()
{
    return QGuiApplication::primaryScreen();
}

QMargins EstimatedFrameMargins(const QWidget *window)
{
    if (const QWindow *own = window->windowHandle(); own && !own->frameMargins().isNull())
        return own->frameMargins();
    if (const QWidget *active = QApplication::activeWindow(); active && active != window) {
        if (const QWindow *other = active->windowHandle())
            return other->frameMargins();
    }
    return {};
}

void CentreIn(QWidget *window, const QRect &area)
{
    const QSize outerSize = window->size().grownBy(EstimatedFrameMargins(window));
    window->move(CentredTopLeft(outerSize, area));
}

} // namespace

QPoint CentredTopLeft(QSize outerSize, const QRect &area)
{
    // C++ integer division already rounds toward zero, as the rule asks.
    const int left = std::max(0, (area.width() - outerSize.width()) / 2);
    const int top = std::max(0, (area.height() - outerSize.height()) / 2);
    return area.topLeft() + QPoint(left, top);
}

QRect ScreenCentreArea()
{
    QScreen *primary = PrimaryScreen();
    if (primary == nullptr)
        return {};
    if (const QWidget *active = QApplication::activeWindow()) {
        if (QScreen *screen = active->screen(); screen && screen != primary)
            return screen->geometry();
    }
    return primary->geometry();
}

QRect DesktopCentreArea()
{
    QScreen *primary = PrimaryScreen();
    if (primary == nullptr)
        return {};
    return QRect(primary->geometry().topLeft(), primary->virtualSize());
}

void CentreOnScreen(QWidget *window)
{
    CentreIn(window, ScreenCentreArea());
}

void CentreOnDesktop(QWidget *window)
{
    CentreIn(window, DesktopCentreArea());
}

} // namespace varlo
