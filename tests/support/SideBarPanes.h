#pragma once

#include "mainwindow/FormMain.h"

#include <QString>
#include <QWidget>

// The side bar's state as short texts, so that a difference shows whole: "100" has the first of
// the three (search, favorites, history) on. Both windows name their side-bar panes alike.

// Which panes show.
template <class Window>
QString PanesShown(const Window *form)
{
    QString shown;
    for (const QWidget *pane : {static_cast<const QWidget *>(form->WebBrowserSearch),
                                static_cast<const QWidget *>(form->TreeViewFavorites),
                                static_cast<const QWidget *>(form->TreeViewHistory)})
        shown += pane->isVisible() ? QLatin1Char('1') : QLatin1Char('0');
    return shown;
}

// Which panes the main window's flags say it shows.
inline QString SideBarFlags(const FormMain *form)
{
    return QStringLiteral("%1%2%3").arg(int(form->ShowSearchFlag)).arg(int(form->ShowFavoritesFlag))
        .arg(int(form->ShowHistoryFlag));
}
