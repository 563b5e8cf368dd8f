// The full-screen window's layout in twips: the controls laid over the Standard bar, the page
// area with the FTP pane over it, the side bar with its close button and its three panes.
#include "fullscreen/FormFullScreen.h"

#include "app/CommandIds.h"
#include "controls/TransparentCloseButton.h"
#include "controls/TransparentLabel.h"
#include "controls/UCTVHistory.h"
#include "controls/XPStyleImageTextBox.h"
#include "fullscreen/FullScreenLayout.h"
#include "mainwindow/MainLayout.h"
#include "platform/CommandBars.h"
#include "platform/WebBrowser.h"

#include <QFrame>
#include <QResizeEvent>
#include <QTextEdit>
#include <QToolBar>
#include <QTreeWidget>

#include <algorithm>

namespace {

MainLayout::ClientRect clientRect(const CommandBars *bars)
{
    int l = 0, t = 0, r = 0, b = 0;
    bars->GetClientRect(l, t, r, b);
    return MainLayout::ClientRect{double(l), double(t), double(r), double(b)};
}

void moveTo(QWidget *control, const QRectF &r)
{
    FormFullScreen::MoveTwips(control, r.left(), r.top(), r.width(), r.height());
}

} // namespace

void FormFullScreen::resizeEvent(QResizeEvent *event)
{
    QMainWindow::resizeEvent(event);
    Form_Resize();
}

// The Standard bar places its commands as the window shows, with the bars' client area as it
// was: the controls over the bar follow them here.
void FormFullScreen::showEvent(QShowEvent *event)
{
    QMainWindow::showEvent(event);
    CommandBarsMain_Resize();
}

void FormFullScreen::CommandBarsMain_Resize()
{
    CommandBarsMain->GetClientRect(ClientLeft, ClientTop, ClientRight, ClientBottom);
    if (ToolBarStandard) {
        int bl = 0, bt = 0, br = 0, bb = 0;
        ToolBarStandard->GetWindowRect(bl, bt, br, bb);
        TransparentLabelAddress->setLabelText(QStringLiteral("Address:"));
        // The label is at least as wide as its text, which the address box would otherwise cut.
        const QRectF label = RectTwips(TransparentLabelAddress);
        const double labelWidth = std::max(label.width(), TransparentLabelAddress->TextWidthTwips());
        const QRectF windowButtons = RectTwips(ToolbarWindow);
        const FullScreenLayout::BarControls b = FullScreenLayout::PlaceBarControls(
            bl, bt, bb, Left(), Top(), Width(), labelWidth, windowButtons.width(), StandardBarCommandsWidth());

        MoveTwips(TransparentLabelAddress, b.label.x(), b.label.y(), labelWidth, label.height());
        // The box moves first and takes its width after: a width below zero is refused alone,
        // and the box keeps its previous width at its new place.
        const QRectF box = RectTwips(XPStyleImageTextBox1);
        MoveTwips(XPStyleImageTextBox1, b.addressBoxLeft, b.addressBoxTop, box.width(), box.height());
        MoveTwips(XPStyleImageTextBox1, b.addressBoxLeft, b.addressBoxTop, b.addressBoxWidth, box.height());
        MoveTwips(ToolbarWindow, b.toolbarWindowLeft, b.toolbarWindowTop, windowButtons.width(),
                  b.toolbarWindowHeight);
    }
    LayoutPanes();
    LayoutBrowser();
    LayoutSideBar();
    LayoutSearchPane();
    LayoutFavoritesTree();
    LayoutHistoryTree();
}

// How far the Standard bar's commands reach from its left edge, in twips: up to its first
// placeholder, or nothing when the placeholders are out of sight.
double FormFullScreen::StandardBarCommandsWidth() const
{
    CommandBarControl *placeholder = ToolBarStandard->FindControl(CommandId::FullScreenPlaceholder);
    QWidget *room = placeholder ? placeholder->Widget() : nullptr;
    if (!room || !room->isVisibleTo(ToolBarStandard->Widget()))
        return 0;
    return room->mapTo(ToolBarStandard->Widget(), QPoint(0, 0)).x() * FullScreenLayout::TwipsPerPixel;
}

void FormFullScreen::Form_Resize()
{
    if (!isVisible() || !CommandBarsMain)
        return;
    moveTo(PictureKeyPreview, FullScreenLayout::KeyPreviewRect());
    LayoutPanes();
    LayoutBrowser();
    LayoutSideBar();
    LayoutSideBar();
    LayoutFavoritesTree();
    LayoutHistoryTree();
}

void FormFullScreen::LayoutPanes()
{
    CommandBarsMain->GetClientRect(ClientLeft, ClientTop, ClientRight, ClientBottom);
    const auto rect = MainLayout::PaneRect(WindowState(), PictureSideBar->isVisible(),
                                           RectTwips(ImageSplitBar).left(), clientRect(CommandBarsMain));
    if (!rect)
        return;
    moveTo(PictureBrowser, *rect);
    moveTo(PictureFTP, *rect);
    const QRectF browser = RectTwips(PictureBrowser);
    moveTo(RichTextBoxFTP, MainLayout::FtpLogRect(browser.width(), browser.height()));
    moveTo(ListViewFTP, MainLayout::FtpListRect(browser.width(), browser.height()));
}

void FormFullScreen::LayoutBrowser()
{
    const QRectF browser = RectTwips(PictureBrowser);
    moveTo(WebBrowserFullScreen, FullScreenLayout::BrowserInContainer(browser.width(), browser.height()));
}

void FormFullScreen::LayoutSideBar()
{
    if (WindowState() != 1) {
        const QRectF browser = RectTwips(PictureBrowser);
        moveTo(PictureSideBar, MainLayout::SideBarRect(browser.top(), browser.height(), RectTwips(ImageSplitBar).left()));
        const QRectF split = RectTwips(ImageSplitBar);
        MoveTwips(ImageSplitBar, split.left(), split.top(), split.width(), RectTwips(PictureSideBar).height());
        LayoutSearchPane();
    }
    if (!ToolBarSideBar)
        return;
    int l = 0, t = 0, r = 0, b = 0;
    ToolBarSideBar->GetWindowRect(l, t, r, b);
    const QPointF close = MainLayout::CloseButtonPos((r - l) * FullScreenLayout::TwipsPerPixel,
                                                     (b - t) * FullScreenLayout::TwipsPerPixel);
    const QRectF button = RectTwips(TransparentCloseButton1);
    MoveTwips(TransparentCloseButton1, close.x(), close.y(), button.width(), button.height());
}

void FormFullScreen::LayoutSearchPane()
{
    moveTo(WebBrowserSearch, MainLayout::SidePaneRect(clientRect(CommandBarsSideBar)));
}

void FormFullScreen::LayoutHistoryTree()
{
    if (WindowState() == 1)
        return;
    moveTo(TreeViewHistory, MainLayout::SidePaneRect(clientRect(CommandBarsSideBar)));
}

void FormFullScreen::LayoutFavoritesTree()
{
    if (WindowState() == 1)
        return;
    moveTo(TreeViewFavorites, MainLayout::SidePaneRect(clientRect(CommandBarsSideBar)));
}
