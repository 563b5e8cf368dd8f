#include "mainwindow/WindowPlacement.h"

#include <algorithm>

namespace WindowPlacement {

namespace {

// How much of a new window's corner is left on the screen at least: enough to see and grab.
constexpr int ReachSteps = 8;

} // namespace

QPoint BesideOpener(const QRect &openerFrame, const QRect &screen, int step)
{
    QPoint at = openerFrame.topLeft() + QPoint(step, step);
    const int reach = ReachSteps * step;
    if (at.x() > screen.right() - reach || at.y() > screen.bottom() - reach)
        at = screen.topLeft();
    return QPoint(std::max(at.x(), screen.left()), std::max(at.y(), screen.top()));
}

QPoint KeptOnScreen(const QRect &frame, const QRect &screen)
{
    int x = std::min(frame.x(), screen.right() + 1 - frame.width());
    int y = std::min(frame.y(), screen.bottom() + 1 - frame.height());
    return QPoint(std::max(x, screen.left()), std::max(y, screen.top()));
}

} // namespace WindowPlacement
