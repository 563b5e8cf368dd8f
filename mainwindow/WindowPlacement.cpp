#include "mainwindow/WindowPlacement.h"

namespace WindowPlacement {

QPoint BesideOpener(const QRect &openerFrame, const QSize &frameSize, const QRect &area, int step)
{
    const QRect beside(openerFrame.topLeft() + QPoint(step, step), frameSize);
    return area.contains(beside) ? beside.topLeft() : area.topLeft();
}

} // namespace WindowPlacement
