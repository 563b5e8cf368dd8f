#pragma once

#include "platform/CommandBars.h"

#include <QMainWindow>
#include <QString>

class QTreeWidget;
class WebBrowser;

// Stands in for the program's main window: the favorites code finds the default main window
// by its class name and reaches its menu, tree, browser and last clicked key by name.
class FormMain : public QMainWindow
{
    Q_OBJECT
    Q_PROPERTY(CommandBarControl *MenuFavorites MEMBER MenuFavorites)
    Q_PROPERTY(QString FavoritesFolderKey MEMBER FavoritesFolderKey)

public:
    // withBrowser: a page browser "WebBrowserMain" (the dialogs read its page).
    explicit FormMain(bool withBrowser = false);

    CommandBars *CommandBarsMain = nullptr;
    CommandBarControl *MenuFavorites = nullptr;
    QString FavoritesFolderKey;
    QTreeWidget *TreeViewFavorites = nullptr;
    WebBrowser *WebBrowserMain = nullptr;
};
