#include "mainwindow/FormMain.h"

#include "browsingdata/ClassFBNavigator.h"
#include "controls/TransparentCloseButton.h"
#include "controls/TransparentLabel.h"
#include "controls/UCTVHistory.h"
#include "controls/XPStyleImageTextBox.h"
#include "controls/XPStyleProgressBar.h"
#include "controls/XPStyleStatusBarPanel.h"
#include "mainwindow/GoButtonImages.h"
#include "mainwindow/MainLayout.h"
#include "mainwindow/TwipsControls.h"
#include "platform/CommandBars.h"
#include "platform/WebBrowser.h"

#include <QFrame>
#include <QLabel>
#include <QMouseEvent>
#include <QTextEdit>
#include <QTimer>
#include <QTreeWidget>
#include <QWindowStateChangeEvent>

#include <cmath>

FormMain::FormMain(QWidget *parent) : QMainWindow(parent), ImageListGoButton(MakeGoButtonImages())
{
    setAttribute(Qt::WA_DeleteOnClose, false);
    setWindowTitle(QStringLiteral(" Kestrelvue"));
    CreateControls();
}

// A window destroyed without its unload gives the program's options back all the same.
FormMain::~FormMain()
{
    GiveBackProgramOptions();
}

void FormMain::CreateControls()
{
    CommandBarsMain = new CommandBars(this);
    connect(CommandBarsMain, &CommandBars::Resize, this, &FormMain::CommandBarsMain_Resize);

    PictureBrowser = TwipsControls::MakeFrame(this, "PictureBrowser", true, 7440, 3480, 2655, 4095);
    PictureBrowser->setAutoFillBackground(true);
    WebBrowserMain = TwipsControls::Make<WebBrowser>(PictureBrowser, "WebBrowserMain", 360, 360, 1935, 3375);

    PictureFTP = TwipsControls::MakeFrame(this, "PictureFTP", false, 10320, 3480, 2535, 4095);
    ListViewFTP = TwipsControls::Make<QTreeWidget>(PictureFTP, "ListViewFTP", 240, 360, 1815, 1815);
    RichTextBoxFTP = TwipsControls::Make<QTextEdit>(PictureFTP, "RichTextBoxFTP", 360, 2880, 1695, 855);
    RichTextBoxFTP->setReadOnly(true);
    Timer1 = new QTimer(this);
    Timer1->setInterval(1000);

    PictureSideBar = TwipsControls::MakeFrame(this, "PictureSideBar", true, 120, 3240, 3255, 5415);
    CommandBarsSideBar = new CommandBars(PictureSideBar);
    TransparentCloseButton1 =
        TwipsControls::Make<TransparentCloseButton>(PictureSideBar, "TransparentCloseButton1", 2760, 120, 255, 255);
    WebBrowserSearch = TwipsControls::Make<WebBrowser>(PictureSideBar, "WebBrowserSearch", 240, 2040, 2775, 1215);
    TreeViewFavorites = TwipsControls::Make<QTreeWidget>(PictureSideBar, "TreeViewFavorites", 240, 720, 2775, 1095);
    TreeViewFavorites->setHeaderHidden(true);
    TreeViewHistory = TwipsControls::Make<UCTVHistory>(PictureSideBar, "TreeViewHistory", 480, 3840, 2415, 1335);

    ImageSplitBar = TwipsControls::Make<QWidget>(this, "ImageSplitBar", 4680, 4560, 165, 3135);
    ImageSplitBar->setCursor(Qt::SizeHorCursor);
    ImageSplitBar->setAutoFillBackground(true);
    ImageSplitBar->setBackgroundRole(QPalette::Button);
    ImageSplitBar->installEventFilter(this);

    TransparentLabelAddress = TwipsControls::Make<TransparentLabel>(this, "TransparentLabelAddress", 2040, 1920, 735, 300);
    XPStyleImageTextBox1 = TwipsControls::Make<XPStyleImageTextBox>(this, "XPStyleImageTextBox1", 7080, 1920, 3735, 300);
    PictureGo = TwipsControls::Make<QLabel>(this, "PictureGo", 6600, 1920, 270, 270);
    Animation1 = TwipsControls::Make<QWidget>(this, "Animation1", 8880, 0, 495, 330);
    Animation1->hide();

    XPStyleStatusBarPanel1 = TwipsControls::Make<XPStyleStatusBarPanel>(this, "XPStyleStatusBarPanel1", 7080, 7920, 1215, 300);
    XPStyleStatusBarPanel2 = TwipsControls::Make<XPStyleStatusBarPanel>(this, "XPStyleStatusBarPanel2", 8520, 7920, 1335, 300);
    XPStyleStatusBarPanel3 = TwipsControls::Make<XPStyleStatusBarPanel>(this, "XPStyleStatusBarPanel3", 10080, 7920, 1095, 300);
    TransparentLabelStatusText =
        TwipsControls::Make<TransparentLabel>(this, "TransparentLabelStatusText", 7080, 8280, 1215, 300);
    XPStyleProgressBar1 = TwipsControls::Make<XPStyleProgressBar>(this, "XPStyleProgressBar1", 10680, 8760, 1575, 180);
    TransparentLabelPopupStatus =
        TwipsControls::Make<TransparentLabel>(this, "TransparentLabelPopupStatus", 10080, 8280, 1095, 300);
    // The status panels lie under the texts and the progress bar they frame.
    for (QWidget *w : {static_cast<QWidget *>(TransparentLabelStatusText),
                       static_cast<QWidget *>(XPStyleProgressBar1),
                       static_cast<QWidget *>(TransparentLabelPopupStatus)})
        w->raise();

    PictureKeyPreview = TwipsControls::Make<QWidget>(this, "PictureKeyPreview", 1320, 840, 495, 495);

    ConnectBrowserEvents();
    ConnectAddressBar();
    ConnectSideBar();
    ConnectFtpPane();
    ConnectCommands();
}

void FormMain::MoveTwips(QWidget *control, double left, double top, double width, double height)
{
    TwipsControls::Move(control, left, top, width, height);
}

QRectF FormMain::RectTwips(const QWidget *control)
{
    return TwipsControls::Rect(control);
}

double FormMain::Left() const { return x() * MainLayout::TwipsPerPixel; }
double FormMain::Top() const { return y() * MainLayout::TwipsPerPixel; }
double FormMain::Width() const { return width() * MainLayout::TwipsPerPixel; }
double FormMain::Height() const { return height() * MainLayout::TwipsPerPixel; }
void FormMain::SetLeft(double twips) { move(TwipsControls::ToPixels(twips), y()); }
void FormMain::SetTop(double twips) { move(x(), TwipsControls::ToPixels(twips)); }
void FormMain::SetWidth(double twips) { resize(TwipsControls::ToPixels(twips), height()); }
void FormMain::SetHeight(double twips) { resize(width(), TwipsControls::ToPixels(twips)); }

int FormMain::WindowState() const
{
    if (isMinimized())
        return 1;
    if (isMaximized())
        return 2;
    return 0;
}

void FormMain::SetWindowState(int state)
{
    Qt::WindowStates s = windowState() & ~(Qt::WindowMinimized | Qt::WindowMaximized);
    if (state == 1)
        s |= Qt::WindowMinimized;
    else if (state == 2)
        s |= Qt::WindowMaximized;
    setWindowState(s);
}

void FormMain::resizeEvent(QResizeEvent *event)
{
    QMainWindow::resizeEvent(event);
    Form_Resize();
}

// The controls over the bars are placed where the bars are on the screen, counted from the
// window's outer corner. That corner is known once the window shows, and a window manager then
// moves the window into its frame: the controls are placed again each time, not only when the
// area between the bars changes.
void FormMain::showEvent(QShowEvent *event)
{
    QMainWindow::showEvent(event);
    QTimer::singleShot(0, this, &FormMain::CommandBarsMain_Resize);
}

void FormMain::moveEvent(QMoveEvent *event)
{
    QMainWindow::moveEvent(event);
    if (isVisible())
        CommandBarsMain_Resize();
}

void FormMain::changeEvent(QEvent *event)
{
    QMainWindow::changeEvent(event);
    if (event->type() == QEvent::WindowStateChange)
        Form_Resize();
}

bool FormMain::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == PictureGo) {
        // The button keeps the mouse from press to release, wherever the pointer goes meanwhile.
        if (event->type() == QEvent::MouseButtonPress)
            PictureGo_MouseDown();
        else if (event->type() == QEvent::MouseButtonRelease)
            PictureGo_MouseUp();
        return QMainWindow::eventFilter(watched, event);
    }
    if (watched != ImageSplitBar)
        return QMainWindow::eventFilter(watched, event);
    switch (event->type()) {
    case QEvent::MouseButtonPress:
        ImageSplitBar_MouseDown();
        return true;
    case QEvent::MouseMove: {
        auto *e = static_cast<QMouseEvent *>(event);
        ImageSplitBar_MouseMove(e->buttons(), e->position().x() * MainLayout::TwipsPerPixel);
        return true;
    }
    case QEvent::MouseButtonRelease:
        ImageSplitBar_MouseUp();
        return true;
    default:
        return QMainWindow::eventFilter(watched, event);
    }
}
