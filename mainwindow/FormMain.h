#pragma once

#include "platform/Forms.h"

#include <QMainWindow>
#include <QPointer>

class QFrame;
class QLabel;
class QTextEdit;
class QTimer;
class QTreeWidget;
class QWidget;

class CFtpClient;
class ClassFBNavigator;
class CommandBar;
class CommandBarControl;
class CommandBars;
class HtmlDocument;
class KeyHelper;
class TransparentCloseButton;
class TransparentLabel;
class UCTVHistory;
class WebBrowser;
class XPStyleImageTextBox;
class XPStyleProgressBar;
class XPStyleStatusBarPanel;

// The browser's main window: a frame of hosted controls laid out in twips, the page browser,
// its command bars and its side bar. Split into files by concern (load and unload, command
// bars, browser events, layout).
class FormMain : public QMainWindow, public Form
{
    Q_OBJECT

public:
    explicit FormMain(QWidget *parent = nullptr);
    ~FormMain() override;

    // Options mirrored from the settings file.
    bool KillPopups = false;
    QString FavoritesFolderKey;
    QTreeWidget *FavoritesTreeView = nullptr;
    bool ShowSearchFlag = false;
    bool ShowHistoryFlag = false;
    bool ShowFavoritesFlag = false;
    bool ShowToolBarStandard = false;
    bool ShowAddressBar = false;
    bool FullScreen = false;
    int DaysInHistory = 0;
    int ItemsInAddressBar = 0;
    // Popup state.
    int BlockedPopupCount = 0;
    bool IsChildWindow = false;
    int NumberOfChildWindowsAllowed = 0;
    int NumberOfChildWindowsReached = 0;
    bool TextNormal = false;
    int TextSize = 0;
    // Bars other modules reach by name.
    CommandBar *PagePopupMenu = nullptr;
    CommandBar *ToolBarStandard = nullptr;
    CommandBarControl *MenuFavorites = nullptr;
    HtmlDocument *docMain = nullptr;

    void ShowHideToolBar(bool Show);
    void ShowHideAddressBar(bool Show);
    void ShowHideMenuBar(bool Show);
    void ShowHideStatusBar(bool Show);

    // Window geometry in twips (outer frame), as the settings and the layout use it.
    double Left() const;
    double Top() const;
    double Width() const;
    double Height() const;
    void SetLeft(double twips);
    void SetTop(double twips);
    void SetWidth(double twips);
    void SetHeight(double twips);
    int WindowState() const; // 0 normal, 1 minimized, 2 maximized
    void SetWindowState(int state);
    // The normal (restored) rectangle in twips: left, top, width, height.
    QRectF NormalRectTwips() const;

    void Form_Load() override;
    void Form_Unload(int &Cancel) override;
    void UnloadAllForms();

    // Hosted controls.
    CommandBars *CommandBarsMain = nullptr;
    CommandBars *CommandBarsSideBar = nullptr;
    WebBrowser *WebBrowserMain = nullptr;
    WebBrowser *WebBrowserSearch = nullptr;
    QTreeWidget *TreeViewFavorites = nullptr;
    UCTVHistory *TreeViewHistory = nullptr;
    XPStyleImageTextBox *XPStyleImageTextBox1 = nullptr;
    TransparentLabel *TransparentLabelAddress = nullptr;
    TransparentLabel *TransparentLabelStatusText = nullptr;
    TransparentLabel *TransparentLabelPopupStatus = nullptr;
    XPStyleStatusBarPanel *XPStyleStatusBarPanel1 = nullptr;
    XPStyleStatusBarPanel *XPStyleStatusBarPanel2 = nullptr;
    XPStyleStatusBarPanel *XPStyleStatusBarPanel3 = nullptr;
    XPStyleProgressBar *XPStyleProgressBar1 = nullptr;
    TransparentCloseButton *TransparentCloseButton1 = nullptr;
    QLabel *PictureGo = nullptr;
    QWidget *Animation1 = nullptr;
    QWidget *PictureKeyPreview = nullptr;
    QFrame *PictureSideBar = nullptr;
    QWidget *ImageSplitBar = nullptr;
    QFrame *PictureBrowser = nullptr;
    QFrame *PictureFTP = nullptr;
    QTreeWidget *ListViewFTP = nullptr;
    QTextEdit *RichTextBoxFTP = nullptr;
    QTimer *Timer1 = nullptr;

    // Layout (twips), run after any change of size, bar visibility or split position.
    void CommandBarsMain_Resize();
    void Form_Resize();
    void LayoutPanes();
    void LayoutBrowser();
    void LayoutSideBar();
    void LayoutSearchPane();
    void LayoutFavoritesTree();
    void LayoutHistoryTree();
    void CommandBarsSideBar_Resize();
    void PlaceSplitBar();
    void ApplySplitBarPosition();
    // Moves a hosted control to a rectangle given in twips relative to its container.
    static void MoveTwips(QWidget *control, double left, double top, double width, double height);
    static QRectF RectTwips(const QWidget *control);

    // Browser events.
    void WebBrowserMain_DocumentComplete(WebBrowser *pDisp, const QString &URL);
    void WebBrowserMain_NavigateComplete2(WebBrowser *pDisp, const QString &URL);
    void WebBrowserMain_DownloadComplete();
    void WebBrowserMain_ProgressChange(qint64 Progress, qint64 ProgressMax);
    void WebBrowserMain_StatusTextChange(const QString &Text);
    void WebBrowserMain_WindowSetLeft(int n);
    void WebBrowserMain_WindowSetTop(int n);
    void WebBrowserMain_WindowSetWidth(int n);
    void WebBrowserMain_WindowSetHeight(int n);
    void WebBrowserMain_WindowSetResizable(bool Resizable);
    void WebBrowserMain_WindowClosing();
    void WebBrowserMain_OnMenuBar(bool MenuBar);
    void WebBrowserMain_OnStatusBar(bool StatusBar);
    void WebBrowserMain_OnToolBar(bool ToolBar);

    bool LinkClicked = false;

protected:
    void resizeEvent(QResizeEvent *event) override;
    void changeEvent(QEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void CreateControls();
    void ConnectBrowserEvents();
    void BuildCommandBars();
    void HookMainDocument();

    CommandBar *TextEditPopupMenu = nullptr;
    CommandBar *ImagePopupMenu = nullptr;
    CommandBar *LinkPopupMenu = nullptr;
    CommandBar *ToolBarAddress = nullptr;
    CommandBar *StatusBar = nullptr;
    CommandBar *ToolBarSideBar = nullptr;
    CommandBar *FavoritesPopupMenu = nullptr;

    ClassFBNavigator *m_objFBNavigator = nullptr;
    CFtpClient *m_objFtpClient = nullptr;
    HtmlDocument *doc = nullptr;
    KeyHelper *m_objKeyHelper = nullptr;
    bool SideBarBuilt = false;
    bool SearchPageNeeded = false;
    bool m_splitDragging = false;
};
