#include "fullscreen/FormFullScreen.h"

#include "app/CommandIds.h"
#include "controls/TransparentCloseButton.h"
#include "controls/TransparentLabel.h"
#include "controls/UCTVHistory.h"
#include "controls/XPStyleImageTextBox.h"
#include "fullscreen/FullScreenLayout.h"
#include "mainwindow/CommandRules.h"
#include "mainwindow/GoButtonImages.h"
#include "mainwindow/ToolbarImages.h"
#include "mainwindow/TwipsControls.h"
#include "platform/CommandBars.h"
#include "platform/KeyPreview.h"
#include "platform/ScreenPlacement.h"
#include "platform/WebBrowser.h"

#include <QAction>
#include <QFrame>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QLayout>
#include <QScreen>
#include <QStyle>
#include <QTextEdit>
#include <QTimer>
#include <QToolBar>
#include <QTreeWidget>

#include <cmath>

namespace {

struct KeyedButton
{
    const char *key;
    int commandId; // its icon among the command icons
    bool checkable;
};

// The navigation toolbar's buttons, with the commands whose icons they show; the side-bar and
// popup buttons keep a check mark.
constexpr KeyedButton NavButtons[] = {
    {"Back", CommandId::Back, false},
    {"Forward", CommandId::Forward, false},
    {"Stop", CommandId::Stop, false},
    {"Refresh", CommandId::Refresh, false},
    {"Home", CommandId::Home, false},
    {"Search", CommandId::SearchButton, true},
    {"Favorites", CommandId::FavoritesButton, true},
    {"History", CommandId::HistoryButton, true},
    {"Popups", CommandId::Block, true},
};

ImageList navBarImages(const ImageList &commandIcons)
{
    ImageList images;
    for (const KeyedButton &b : NavButtons)
        images.Add(QString::fromLatin1(b.key), commandIcons.Pixmap(QString::number(b.commandId)).toImage());
    return images;
}

ImageList titleBarImages(const QStyle *style)
{
    ImageList images;
    const std::pair<const char *, QStyle::StandardPixmap> glyphs[] = {
        {"Minimize", QStyle::SP_TitleBarMinButton},
        {"Maximize", QStyle::SP_TitleBarNormalButton},
        {"Close", QStyle::SP_TitleBarCloseButton},
    };
    for (const auto &[key, glyph] : glyphs)
        images.Add(QString::fromLatin1(key), style->standardIcon(glyph).pixmap(16, 16).toImage());
    return images;
}

QAction *addKeyedButton(QToolBar *toolbar, const QString &key, const QIcon &icon, const QString &toolTip)
{
    QAction *action = toolbar->addAction(icon, QString());
    action->setObjectName(key);
    action->setToolTip(toolTip);
    return action;
}

} // namespace

FormFullScreen::FormFullScreen(QWidget *parent)
    : QMainWindow(parent),
      ImageListToolbarMainHot(ToolbarImages::ImageListToolbarMainHot())
{
    setAttribute(Qt::WA_DeleteOnClose, false);
    setWindowTitle(QStringLiteral("Kestrelvue"));
    setWindowFlags(windowFlags() | Qt::FramelessWindowHint);
    // Maximizing is the window manager's grant; the screen's rectangle covers the screen
    // without one too.
    if (const QScreen *screen = QGuiApplication::primaryScreen())
        setGeometry(screen->availableGeometry());
    setWindowState(Qt::WindowMaximized);
    setAutoFillBackground(true);
    QPalette white = palette();
    white.setColor(QPalette::Window, Qt::white);
    setPalette(white);
    CreateControls();
}

FormFullScreen::~FormFullScreen() = default;

void FormFullScreen::CreateControls()
{
    CommandBarsMain = new CommandBars(this);
    connect(CommandBarsMain, &CommandBars::Resize, this, &FormFullScreen::CommandBarsMain_Resize);

    PictureBrowser = TwipsControls::MakeFrame(this, "PictureBrowser", true, 3840, 2400, 5175, 4215);
    PictureBrowser->setAutoFillBackground(true);
    WebBrowserFullScreen = TwipsControls::Make<WebBrowser>(PictureBrowser, "WebBrowserFullScreen", 360, 360, 4455, 3615);

    PictureFTP = TwipsControls::MakeFrame(this, "PictureFTP", false, 9120, 3600, 4335, 4095);
    PictureFTP->setAutoFillBackground(true);
    ListViewFTP = TwipsControls::Make<QTreeWidget>(PictureFTP, "ListViewFTP", 240, 360, 3855, 1815);
    RichTextBoxFTP = TwipsControls::Make<QTextEdit>(PictureFTP, "RichTextBoxFTP", 360, 2880, 3735, 855);
    RichTextBoxFTP->setReadOnly(true);
    Timer1 = new QTimer(this);
    Timer1->setInterval(1000);

    PictureSideBar = TwipsControls::MakeFrame(this, "PictureSideBar", true, 0, 1920, 3400, 6615);
    PictureSideBar->setAutoFillBackground(true);
    CommandBarsSideBar = new CommandBars(PictureSideBar);
    TransparentCloseButton1 =
        TwipsControls::Make<TransparentCloseButton>(PictureSideBar, "TransparentCloseButton1", 2520, 600, 255, 255);
    WebBrowserSearch = TwipsControls::Make<WebBrowser>(PictureSideBar, "WebBrowserSearch", 1200, 1080, 855, 3615);
    TreeViewFavorites = TwipsControls::Make<QTreeWidget>(PictureSideBar, "TreeViewFavorites", 0, 1080, 975, 3615);
    TreeViewFavorites->setHeaderHidden(true);
    TreeViewHistory = TwipsControls::Make<UCTVHistory>(PictureSideBar, "TreeViewHistory", 480, 5160, 2415, 975);
    // This window reads the history file and never writes it.
    TreeViewHistory->SetReadOnly(true);

    ImageSplitBar = TwipsControls::Make<QWidget>(this, "ImageSplitBar", 3600, 3840, 20, 3135);
    ImageSplitBar->setCursor(Qt::SizeHorCursor);
    ImageSplitBar->setAutoFillBackground(true);
    ImageSplitBar->setBackgroundRole(QPalette::Button);
    ImageSplitBar->hide(); // shown with the side bar

    TransparentLabelAddress = TwipsControls::Make<TransparentLabel>(this, "TransparentLabelAddress", 480, 960, 735, 300);
    XPStyleImageTextBox1 = TwipsControls::Make<XPStyleImageTextBox>(this, "XPStyleImageTextBox1", 2280, 960, 2415, 300);
    // This window reads "Url.dat" and "AutoComplete2.dat" and never writes them.
    XPStyleImageTextBox1->SetDataFilesReadOnly(true);

    PictureKeyPreview = TwipsControls::Make<QWidget>(this, "PictureKeyPreview", 12600, 1800, 615, 615);

    CreateToolbars();
    ConnectPageEvents();
    ConnectCommands();
    ConnectSideBar();
    ConnectFtpPane();

    // The window sees every key-down before the focused control does.
    new KeyPreview(this, [this](const QKeyEvent &event) {
        Form_KeyDown(CommandRules::KeyCodeOf(event.key()), CommandRules::ShiftMaskOf(event.key(), event.modifiers()));
    });
}

void FormFullScreen::CreateToolbars()
{
    // The strip of the navigation and Go toolbars keeps its place at the top of the window, under
    // the Standard bar, which is made later and so lies above it: the bar carries the same
    // commands, and the address box, where Enter goes, is laid over the bar.
    PictureAddressBar = TwipsControls::MakeFrame(this, "PictureAddressBar", false, 120, 0, 12735, 375);
    ILNavBar = navBarImages(ImageListToolbarMainHot);
    ILNavBarHot = ILNavBar;
    ToolbarNav = TwipsControls::Make<QToolBar>(PictureAddressBar, "ToolbarNav", 0, 0, 6000, 375);
    for (const KeyedButton &b : NavButtons) {
        const QString key = QString::fromLatin1(b.key);
        QAction *button = addKeyedButton(ToolbarNav, key, QIcon(ILNavBar.Pixmap(key)), key);
        button->setCheckable(b.checkable);
    }

    const ImageList goImages = MakeGoButtonImages();
    ImageListInactiveGo.Add(QStringLiteral("GoToAddress"), goImages.Pixmap(QStringLiteral("1")).toImage());
    ImageListActiveGo.Add(QStringLiteral("GoToAddress"), goImages.Pixmap(QStringLiteral("2")).toImage());
    ToolbarGo = TwipsControls::Make<QToolBar>(PictureAddressBar, "ToolbarGo", 11400, 0, 900, 375);
    ToolbarGo->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    QAction *go = addKeyedButton(ToolbarGo, QStringLiteral("GoToAddress"),
                                 QIcon(ImageListInactiveGo.Pixmap(QStringLiteral("GoToAddress"))), QStringLiteral("Go"));
    go->setText(QStringLiteral("Go "));
    ImageAddressBar = TwipsControls::Make<QLabel>(PictureAddressBar, "ImageAddressBar", 6120, 60, 240, 240);
    LabelAddress = TwipsControls::Make<QLabel>(PictureAddressBar, "LabelAddress", 6480, 60, 735, 255);
    LabelAddress->setText(QStringLiteral("Address:"));

    ILTitleBar = titleBarImages(style());
    ToolbarWindow = TwipsControls::Make<QToolBar>(this, "ToolbarWindow", 11520, 600, 1050, 330);
    ToolbarWindow->setIconSize(QSize(16, 16));
    // Three buttons fill the toolbar's fixed width: no grip, no margins.
    ToolbarWindow->setMovable(false);
    ToolbarWindow->layout()->setContentsMargins(0, 0, 0, 0);
    ToolbarWindow->layout()->setSpacing(0);
    for (const char *key : {"Minimize", "Maximize", "Close"}) {
        const QString k = QString::fromLatin1(key);
        QAction *button = addKeyedButton(ToolbarWindow, k, QIcon(ILTitleBar.Pixmap(k)), k);
        ToolbarWindow->widgetForAction(button)->setFixedWidth(TwipsControls::ToPixels(1050) / 3);
    }
    connect(ToolbarWindow, &QToolBar::actionTriggered, this,
            [this](QAction *button) { ToolbarWindow_ButtonClick(button->objectName()); });
}

QAction *FormFullScreen::ToolbarButton(QToolBar *toolbar, const QString &Key)
{
    if (!toolbar)
        return nullptr;
    for (QAction *action : toolbar->actions())
        if (action->objectName() == Key)
            return action;
    return nullptr;
}

void FormFullScreen::MoveTwips(QWidget *control, double left, double top, double width, double height)
{
    TwipsControls::Move(control, left, top, width, height);
}

QRectF FormFullScreen::RectTwips(const QWidget *control)
{
    return TwipsControls::Rect(control);
}

void FormFullScreen::PlaceOver(const QWidget *window)
{
    QScreen *screen = ScreenPlacement::ScreenAt(ScreenPlacement::FrameGeometry(window));
    if (isVisible() || !screen)
        return;
    // A window is maximized on the screen it stands on when it shows.
    const QRect area = screen->availableGeometry();
    setScreen(screen);
    resize(area.size());
    ScreenPlacement::MoveFrame(this, area.topLeft());
    setWindowState(Qt::WindowMaximized);
}

double FormFullScreen::Left() const { return x() * FullScreenLayout::TwipsPerPixel; }
double FormFullScreen::Top() const { return y() * FullScreenLayout::TwipsPerPixel; }
double FormFullScreen::Width() const { return width() * FullScreenLayout::TwipsPerPixel; }
double FormFullScreen::Height() const { return height() * FullScreenLayout::TwipsPerPixel; }

int FormFullScreen::WindowState() const
{
    if (isMinimized())
        return 1;
    if (isMaximized())
        return 2;
    return 0;
}
