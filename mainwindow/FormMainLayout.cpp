#include "mainwindow/FormMain.h"

#include "app/ModNoFlicker.h"
#include "app/ModuleWin32API.h"
#include "controls/TransparentCloseButton.h"
#include "controls/TransparentLabel.h"
#include "controls/UCTVHistory.h"
#include "controls/XPStyleImageTextBox.h"
#include "controls/XPStyleProgressBar.h"
#include "controls/XPStyleStatusBarPanel.h"
#include "mainwindow/MainLayout.h"
#include "platform/CommandBars.h"
#include "platform/WebBrowser.h"

#include <QFrame>
#include <QLabel>
#include <QTextEdit>
#include <QTreeWidget>

#include <algorithm>
#include <cmath>
#include <limits>

using MainLayout::TwipsPerPixel;

namespace {

struct BarRect
{
    double left = 0, top = 0, width = 0, height = 0; // twips; left and top in screen twips
};

BarRect barRect(const CommandBar *bar)
{
    int l = 0, t = 0, r = 0, b = 0;
    if (bar)
        bar->GetWindowRect(l, t, r, b);
    return BarRect{l * TwipsPerPixel, t * TwipsPerPixel, (r - l) * TwipsPerPixel, (b - t) * TwipsPerPixel};
}

MainLayout::ClientRect clientRect(const CommandBars *bars)
{
    int l = 0, t = 0, r = 0, b = 0;
    bars->GetClientRect(l, t, r, b);
    return MainLayout::ClientRect{double(l), double(t), double(r), double(b)};
}

void moveKeepingHeight(QWidget *w, double left, double top, double width)
{
    FormMain::MoveTwips(w, left, top, width, FormMain::RectTwips(w).height());
}

} // namespace

void FormMain::CommandBarsMain_Resize()
{
    const BarRect menu = barRect(CommandBarsMain->ActiveMenuBar());
    const BarRect address = barRect(ToolBarAddress);
    const BarRect status = barRect(StatusBar);
    const double caption = std::round(ModuleWin32API::GetCaptionHeight(this) * TwipsPerPixel);
    // The window's own outer origin: screen coordinates of bars are taken relative to it.
    const double left = Left();
    const double top = Top();
    auto wx = [&](double screenX) { return MainLayout::WindowX(screenX, left); };
    auto wy = [&](double screenY) { return MainLayout::WindowY(screenY, top, caption); };

    TransparentLabelAddress->setLabelText(QStringLiteral("Address:"));
    // The label is at least as wide as its text, which the address box would otherwise cut.
    const QRectF label = RectTwips(TransparentLabelAddress);
    const double labelWidth = std::max(label.width(), TransparentLabelAddress->TextWidthTwips());
    const double grip = ToolBarAddress ? ToolBarAddress->GripperWidth() * TwipsPerPixel : 0;
    const MainLayout::BarControls b = MainLayout::PlaceBarControls(
        Width(), wy(menu.top), menu.height, wx(address.left), wy(address.top), wx(status.left), wy(status.top),
        labelWidth, grip);

    MoveTwips(Animation1, b.animation.left(), b.animation.top(), b.animation.width(), b.animation.height());
    MoveTwips(TransparentLabelAddress, b.label.x(), b.label.y(), labelWidth, label.height());
    moveKeepingHeight(XPStyleImageTextBox1, b.addressBoxLeft, b.addressBoxTop, b.addressBoxWidth);
    const QRectF go = RectTwips(PictureGo);
    MoveTwips(PictureGo, b.go.x(), b.go.y(), go.width(), go.height());

    moveKeepingHeight(XPStyleStatusBarPanel1, b.panel1.left(), b.panel1.top(), b.panel1.width());
    moveKeepingHeight(XPStyleStatusBarPanel2, b.panel2.left(), b.panel2.top(), b.panel2.width());
    moveKeepingHeight(XPStyleStatusBarPanel3, b.panel3.left(), b.panel3.top(), b.panel3.width());
    moveKeepingHeight(TransparentLabelStatusText, b.statusText.left(), b.statusText.top(), b.statusText.width());
    moveKeepingHeight(TransparentLabelPopupStatus, b.popupStatus.left(), b.popupStatus.top(), b.popupStatus.width());
    moveKeepingHeight(XPStyleProgressBar1, b.progress.left(), b.progress.top(), b.progress.width());
    // The bars are built after these controls: keep the controls laid over them on top.
    for (QWidget *w : {static_cast<QWidget *>(Animation1), static_cast<QWidget *>(TransparentLabelAddress),
                       static_cast<QWidget *>(XPStyleImageTextBox1), static_cast<QWidget *>(PictureGo),
                       static_cast<QWidget *>(XPStyleStatusBarPanel1), static_cast<QWidget *>(XPStyleStatusBarPanel2),
                       static_cast<QWidget *>(XPStyleStatusBarPanel3), static_cast<QWidget *>(TransparentLabelStatusText),
                       static_cast<QWidget *>(XPStyleProgressBar1), static_cast<QWidget *>(TransparentLabelPopupStatus)})
        w->raise();

    RunPaneLayoutSequence();

    if (FullScreen && !IsChildWindow)
        hide();
}

void FormMain::Form_Resize()
{
    if (!isVisible() || !ToolBarAddress)
        return;
    MoveTwips(PictureKeyPreview, 0, 200, 2, 2);
    ShowControlsOverBars();
    RunPaneLayoutSequence();
}

// Without their bar the controls laid over it would stand at its last place, over the menu bar or
// the page. A window not yet shown is no exception: one loaded with a bar hidden shows none of them.
void FormMain::ShowControlsOverBars()
{
    const std::initializer_list<QWidget *> overAddressBar = {TransparentLabelAddress, XPStyleImageTextBox1, PictureGo};
    for (QWidget *control : overAddressBar)
        control->setVisible(ToolBarAddress->Visible());
    const std::initializer_list<QWidget *> overStatusBar = {XPStyleStatusBarPanel1, XPStyleStatusBarPanel2,
                                                            XPStyleStatusBarPanel3, TransparentLabelStatusText,
                                                            XPStyleProgressBar1, TransparentLabelPopupStatus};
    for (QWidget *control : overStatusBar)
        control->setVisible(StatusBar->Visible());
}

void FormMain::RunPaneLayoutSequence()
{
    LayoutPanes();
    LayoutBrowser();
    LayoutSideBar();
    LayoutSearchPane();
    LayoutFavoritesTree();
    LayoutHistoryTree();
}

void FormMain::LayoutPanes()
{
    const auto rect = MainLayout::PaneRect(WindowState(), PictureSideBar->isVisible(),
                                           RectTwips(ImageSplitBar).left(), clientRect(CommandBarsMain));
    if (!rect)
        return;
    MoveTwips(PictureBrowser, rect->left(), rect->top(), rect->width(), rect->height());
    MoveTwips(PictureFTP, rect->left(), rect->top(), rect->width(), rect->height());
    const QRectF browser = RectTwips(PictureBrowser);
    const QRectF log = MainLayout::FtpLogRect(browser.width(), browser.height());
    MoveTwips(RichTextBoxFTP, log.left(), log.top(), log.width(), log.height());
    const QRectF list = MainLayout::FtpListRect(browser.width(), browser.height());
    MoveTwips(ListViewFTP, list.left(), list.top(), list.width(), list.height());
}

void FormMain::LayoutBrowser()
{
    if (WindowState() == 1)
        return;
    const QRectF container = RectTwips(PictureBrowser);
    const QRectF r = MainLayout::BrowserInContainer(container.width(), container.height());
    MoveTwips(WebBrowserMain, r.left(), r.top(), r.width(), r.height());
}

void FormMain::LayoutSideBar()
{
    if (WindowState() != 1) {
        const QRectF browser = RectTwips(PictureBrowser);
        const QRectF split = RectTwips(ImageSplitBar);
        const QRectF side = MainLayout::SideBarRect(browser.top(), browser.height(), split.left());
        MoveTwips(PictureSideBar, side.left(), side.top(), side.width(), side.height());
        MoveTwips(ImageSplitBar, split.left(), split.top(), split.width(), side.height());
        LayoutSearchPane();
    }
    CommandBarsSideBar_Resize();
}

void FormMain::LayoutSearchPane()
{
    const QRectF r = MainLayout::SidePaneRect(clientRect(CommandBarsSideBar));
    MoveTwips(WebBrowserSearch, r.left(), r.top(), r.width(), r.height());
}

void FormMain::LayoutFavoritesTree()
{
    if (WindowState() == 1)
        return;
    const QRectF r = MainLayout::SidePaneRect(clientRect(CommandBarsSideBar));
    MoveTwips(TreeViewFavorites, r.left(), r.top(), r.width(), r.height());
}

void FormMain::LayoutHistoryTree()
{
    if (WindowState() == 1)
        return;
    const QRectF r = MainLayout::SidePaneRect(clientRect(CommandBarsSideBar));
    MoveTwips(TreeViewHistory, r.left(), r.top(), r.width(), r.height());
}

void FormMain::CommandBarsSideBar_Resize()
{
    const BarRect bar = barRect(ToolBarSideBar);
    const QPointF pos = MainLayout::CloseButtonPos(bar.width, bar.height);
    const QRectF button = RectTwips(TransparentCloseButton1);
    MoveTwips(TransparentCloseButton1, pos.x(), pos.y(), button.width(), button.height());
}

void FormMain::PlaceSplitBar()
{
    const QRectF side = RectTwips(PictureSideBar);
    const QRectF r = MainLayout::SplitBarRect(side.top(), side.width(), side.height());
    ImageSplitBar->show();
    MoveTwips(ImageSplitBar, r.left(), r.top(), r.width(), r.height());
}

void FormMain::ImageSplitBar_MouseDown()
{
    ImageSplitBar->setBackgroundRole(QPalette::ButtonText);
}

void FormMain::ImageSplitBar_MouseMove(Qt::MouseButtons Button, double X)
{
    if (Button != Qt::LeftButton)
        return;
    // Kept within the client area, so neither the side bar nor the page gets a negative width.
    const MainLayout::ClientRect c = clientRect(CommandBarsMain);
    const double maxLeft = std::max(0.0, c.R - c.L - MainLayout::SplitBarWidth);
    const double left = std::clamp(RectTwips(ImageSplitBar).left() + X, 0.0, maxLeft);
    const QRectF side = RectTwips(PictureSideBar);
    MoveTwips(ImageSplitBar, left, side.top(), MainLayout::SplitBarWidth, side.height());
}

void FormMain::ImageSplitBar_MouseUp()
{
    ImageSplitBar->setBackgroundRole(QPalette::Button);
    ApplySplitBarPosition();
}

void FormMain::ApplySplitBarPosition()
{
    ModNoFlicker::BeginNoFlicker(this);
    RunPaneLayoutSequence();
    ModNoFlicker::EndNoFlicker();
}
