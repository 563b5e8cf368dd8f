#pragma once

#include "browsingdata/FormAddToFavorites.h"
#include "mainwindow/FormMain.h"
#include "platform/CommandBars.h"
#include "platform/Forms.h"
#include "tests/support/LoadedForms.h"
#include "tests/support/WaitFor.h"

#include <QApplication>
#include <QList>
#include <QMap>
#include <QPointer>
#include <QPushButton>
#include <QRect>
#include <QTimer>
#include <gtest/gtest.h>

#include <functional>
#include <ostream>

// The windows a user's action opens, as the tests of their placement and life cycle find them.
namespace OpenedWindows {

// Chooses a command of a main window's menus, as the user does.
inline void Choose(FormMain *window, int id)
{
    CommandBarControl *control = window->CommandBarsMain->FindControl(CommandBarControlType::Any, id, false, true);
    ASSERT_NE(control, nullptr) << id;
    control->Execute();
}

// Chooses a command of a main window's side bar.
inline void ChooseOnSideBar(FormMain *window, int id)
{
    CommandBarControl *control = window->CommandBarsSideBar->FindControl(CommandBarControlType::Any, id, false, true);
    ASSERT_NE(control, nullptr) << id;
    control->Execute();
}

// Runs an action that opens modal windows, and gives back the frame of each as it came up, by
// class. Each is closed once seen, but Add To Favorites first opens its New Folder dialog.
inline QMap<QString, QRect> FramesOfModalsOpenedBy(const std::function<void()> &action)
{
    QMap<QString, QRect> frames;
    QTimer timer;
    timer.setInterval(10);
    QObject::connect(&timer, &QTimer::timeout, [&] {
        QWidget *dialog = QApplication::activeModalWidget();
        if (!dialog || !dialog->isVisible())
            return;
        const QString name = QString::fromLatin1(dialog->metaObject()->className());
        const bool first = !frames.contains(name);
        frames.insert(name, dialog->frameGeometry());
        if (auto *favorites = qobject_cast<FormAddToFavorites *>(dialog); favorites && first)
            QMetaObject::invokeMethod(favorites->cmdNewFolder, &QPushButton::click, Qt::QueuedConnection);
        else
            dialog->close();
    });
    timer.start();
    action();
    return frames;
}

// The frame of the one modal window an action opens; an empty rectangle unless exactly one came.
inline QRect FrameOfModalOpenedBy(const std::function<void()> &action)
{
    const QMap<QString, QRect> frames = FramesOfModalsOpenedBy(action);
    return frames.size() == 1 ? frames.first() : QRect();
}

// Runs an action that shows a modeless window of class T, and gives back its frame once it has
// come up (then closes it); an empty rectangle when none comes.
template <class T>
QRect FrameOfModelessOpenedBy(const std::function<void()> &action)
{
    action();
    T *window = nullptr;
    WaitUntil([&] {
        for (QWidget *shown : QApplication::topLevelWidgets())
            if (auto *found = qobject_cast<T *>(shown); found && found->isVisible())
                window = found;
        return window != nullptr;
    });
    if (!window)
        return QRect();
    const QRect frame = window->frameGeometry();
    window->close();
    return frame;
}

// The main windows that are loaded now, each known by a pointer that a window made later at the
// same address never matches.
inline QList<QPointer<FormMain>> MainWindows()
{
    QList<QPointer<FormMain>> windows;
    for (FormMain *window : Loaded<FormMain>())
        windows << window;
    return windows;
}

// The main window that action opens, once it shows; null when none comes.
inline FormMain *WindowOpenedBy(const std::function<void()> &action)
{
    const QList<QPointer<FormMain>> before = MainWindows();
    action();
    FormMain *opened = nullptr;
    const bool shown = WaitUntil([&] {
        for (FormMain *window : Loaded<FormMain>())
            if (!before.contains(window) && window->isVisible())
                opened = window;
        return opened != nullptr;
    });
    return shown ? opened : nullptr;
}

} // namespace OpenedWindows

// Frames in failure messages as position and size.
inline std::ostream &operator<<(std::ostream &os, const QRect &r)
{
    return os << r.x() << "," << r.y() << " " << r.width() << "x" << r.height();
}
