#pragma once

#include <QCoreApplication>

// Lets whatever the sockets have due run, without waiting for anything new: a ready socket is
// announced at the next pass of the event loop and what that announcement posts at the pass
// after, so a few passes deliver everything due, however slow the machine. The barrier of a check
// that an announcement does not come again.
inline void drainEvents()
{
    for (int pass = 0; pass < 20; ++pass)
        QCoreApplication::processEvents();
}
