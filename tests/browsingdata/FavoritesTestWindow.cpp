#include "FavoritesTestWindow.h"

#include "platform/WebBrowser.h"

#include <QTreeWidget>
#include <QVBoxLayout>

FormMain::FormMain(bool withBrowser)
{
    CommandBarsMain = new CommandBars(this);
    MenuFavorites = CommandBarsMain->ActiveMenuBar()->Controls().Add(
        CommandBarControlType::MenuTitle, 401, QStringLiteral("&Favorites"));
    MenuFavorites->CommandBar()->Controls().Add(CommandBarControlType::Button, 402,
                                                QStringLiteral("&Add To Favorites"));
    auto *central = new QWidget(this);
    auto *layout = new QVBoxLayout(central);
    TreeViewFavorites = new QTreeWidget(central);
    TreeViewFavorites->setObjectName(QStringLiteral("TreeViewFavorites"));
    TreeViewFavorites->setHeaderHidden(true);
    layout->addWidget(TreeViewFavorites);
    if (withBrowser) {
        WebBrowserMain = new WebBrowser(central);
        WebBrowserMain->setObjectName(QStringLiteral("WebBrowserMain"));
        layout->addWidget(WebBrowserMain);
    }
    setCentralWidget(central);
}
