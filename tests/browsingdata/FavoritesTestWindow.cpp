#include "FavoritesTestWindow.h"

#include "app/CommandIds.h"
#include "platform/WebBrowser.h"

#include <QTreeWidget>
#include <QVBoxLayout>

FormMain::FormMain(bool withBrowser)
{
    CommandBarsMain = new CommandBars(this);
    MenuFavorites = CommandBarsMain->ActiveMenuBar()->Controls().Add(
        CommandBarControlType::MenuTitle, CommandId::Favorites, QStringLiteral("&Favorites"));
    MenuFavorites->CommandBar()->Controls().Add(CommandBarControlType::Button, CommandId::AddToFavorites,
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
