#pragma once

#include "app/ModSettings.h"
#include "mainwindow/FtpPaneDownload.h"
#include "mainwindow/PageCommands.h"
#include "platform/Forms.h"
#include "platform/ImageList.h"

#include <QMainWindow>
#include <QPointer>
#include <QStringList>

class QFrame;
class QLabel;
class QTextEdit;
class QTimer;
class QTreeWidget;
class QTreeWidgetItem;
class QWidget;

class Application;
class CFtpClient;
class ClassFBNavigator;
class CommandBar;
class CommandBarControl;
class CommandBars;
class HtmlDocument;
class KeyHelper;
struct HtmlEvent;
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
//
// Its options are its own public fields of the settings' names (`KillPopups`, `ShowSearchFlag`,
// ...). Those of the default main window are the program's options, which every save writes; any
// other window's are copies read from the settings file at its load and never saved.
class FormMain : public QMainWindow, public Form, public ModSettings::Options
{
    Q_OBJECT
    // Reached by name by the back/forward list and the favorites menu builder.
    Q_PROPERTY(CommandBar *ToolBarStandard MEMBER ToolBarStandard)
    Q_PROPERTY(CommandBarControl *MenuFavorites MEMBER MenuFavorites)
    // Read by name by the Create New Folder dialog.
    Q_PROPERTY(QString FavoritesFolderKey MEMBER FavoritesFolderKey)
    Q_MOC_INCLUDE("platform/CommandBars.h")

public:
    explicit FormMain(QWidget *parent = nullptr);
    ~FormMain() override;

    // The favorites node last clicked.
    QString FavoritesFolderKey;
    QTreeWidget *FavoritesTreeView = nullptr;
    // Popup state.
    int BlockedPopupCount = 0;
    bool IsChildWindow = false;
    int NumberOfChildWindowsReached = 0;
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
    // A window opened from another stands offset from it, so that both can be seen; a window
    // that its page moves stays where its title bar can be reached.
    void PlaceBeside(const QWidget *opener);
    void KeepOnScreen();

    void Form_Load() override;
    void Form_Unload(int &Cancel) override;
    void UnloadAllForms();
    // Writes the settings, the address box's files and the history; tells the user of any
    // that could not be written.
    void SaveDataFiles();

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
    // LayoutPanes, LayoutBrowser, LayoutSideBar and the three pane layouts, in this order.
    void RunPaneLayoutSequence();
    // The controls laid over a bar show exactly while it does: the address label, box and Go
    // button with the Address bar, the status panels and what they frame with the Status Bar.
    void ShowControlsOverBars();
    void LayoutPanes();
    void LayoutBrowser();
    void LayoutSideBar();
    void LayoutSearchPane();
    void LayoutFavoritesTree();
    void LayoutHistoryTree();
    void CommandBarsSideBar_Resize();
    void PlaceSplitBar();
    void ApplySplitBarPosition();
    void ImageSplitBar_MouseDown();
    void ImageSplitBar_MouseMove(Qt::MouseButtons Button, double X);
    void ImageSplitBar_MouseUp();
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
    void WebBrowserMain_WindowClosing();
    void WebBrowserMain_OnMenuBar(bool MenuBar);
    void WebBrowserMain_OnStatusBar(bool StatusBar);
    void WebBrowserMain_OnToolBar(bool ToolBar);

    // Address bar.
    void PictureGo_MouseDown();
    void PictureGo_MouseUp();
    void XPStyleImageTextBox1_DoSearch(const QString &text);
    void XPStyleImageTextBox1_UrlChanged();
    // The FTP pane lies over the page for an "ftp" address; the pane's own work builds on these.
    void InitFTPPane(const QString &address);
    void TreeViewHistory_HistoryNavTo(const QString &url);
    void HideFTPPane();
    ImageList ImageListGoButton;

    bool LinkClicked = false;

    // Side bar: panes, hiding, its commands, the favorites tree and the search pane's routing.
    void BuildSideBar(const QString &Name);
    void HideSideBar();
    void ShowSearch();
    void ShowFavorites();
    void ShowHistory();
    void CommandBarsSideBar_Execute(CommandBarControl *Control);
    void TransparentCloseButton1_ButtonClick();
    void TreeViewFavorites_MouseDown(Qt::MouseButton Button, const QPoint &Position);
    void TreeViewFavorites_MouseUp(Qt::MouseButton Button, const QPoint &Position);
    void TreeViewFavorites_Expand(QTreeWidgetItem *Node);
    void TreeViewFavorites_NodeClick(QTreeWidgetItem *Node);
    void WebBrowserSearch_BeforeNavigate2(WebBrowser *pDisp, const QString &URL, bool &Cancel);
    void doc_onkeypress(const HtmlEvent &event);
    void doc_onmouseup(const HtmlEvent &event);

    // Popup blocker and new windows.
    void WebBrowserMain_NewWindow2(WebBrowser *&ppDisp, bool &Cancel, const QString &URL, bool UserInitiated);

    // Commands of the menus, toolbars and page menus, and the keyboard shortcuts.
    void CommandBarsMain_Execute(CommandBarControl *control);
    void Form_KeyDown(int KeyCode, int Shift);

    // FTP pane: the login and download dialogs call these back by name.
    Q_INVOKABLE void FTPConnect();
    Q_INVOKABLE void CancelFTPDownload();

    // Full screen: the "&Fullscreen" command, the start in full screen, the windows that stand
    // for full-screen mode while it is on (the full-screen window, its task-bar proxy and the
    // default main window hidden behind it), and the full-screen window's Block button, history
    // tree and address list, kept in step when that window is loaded.
    void EnterFullScreen();
    void StartInFullScreen();
    static bool StaysForFullScreen(const QWidget *form);
    // The default main window while it is open, else any open main window; null when none is.
    static FormMain *AnyOpen();
    // Makes this window the default main window when full screen is left with none open.
    void TakeProgramOptions();
    static void SetFullScreenBlockButton(bool on);
    static void ClearFullScreenHistory();
    // Returns the names of the files that could not be emptied.
    static QStringList ClearFullScreenAddressList();

    // Popup blocker as any window sets it: the program's setting, the default main window's marks
    // and status text, and the full-screen window's Block button.
    static void SetPopupBlocker(bool on);

protected:
    void resizeEvent(QResizeEvent *event) override;
    void showEvent(QShowEvent *event) override;
    void moveEvent(QMoveEvent *event) override;
    void changeEvent(QEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void CreateControls();
    // The default main window's options outlive it: they go back to the program's own record.
    void GiveBackProgramOptions();
    void ConnectBrowserEvents();
    void ConnectAddressBar();
    void BuildCommandBars();

    CommandBar *TextEditPopupMenu = nullptr;
    CommandBar *ImagePopupMenu = nullptr;
    CommandBar *LinkPopupMenu = nullptr;
    CommandBar *ToolBarAddress = nullptr;
    CommandBar *StatusBar = nullptr;
    CommandBar *ToolBarSideBar = nullptr;
    CommandBar *FavoritesPopupMenu = nullptr;

    ClassFBNavigator *m_objFBNavigator = nullptr;
    bool SideBarBuilt = false;
    bool SearchPageNeeded = false;
    // Side bar.
    void ConnectSideBar();
    void ShowSavedSideBarPane();
    void ApplySearchPaneElementRule(const HtmlEvent &event);
    bool KeepNextSearchNavigation = false;
    bool StayInSearchPane = false;
    bool FavoritesSuppressOpen = false;
    bool FavoritesSuppressExpand = false;
    // Page document events and context menus.
    void HookMainDocument();
    bool docMain_onclick(const HtmlEvent &event);
    bool docMain_onkeypress(const HtmlEvent &event);
    bool docMain_onselectstart(const HtmlEvent &event);
    bool docMain_oncontextmenu(const HtmlEvent &event);
    void docMainWindow_onload(const QString &href, const QString &title);
    void AwaitClickReport();
    Application *m_objNewWindow = nullptr;
    HtmlDocument *m_hookedDocument = nullptr;
    qint64 m_lastClickReportAt = -1;
    // Commands and keyboard shortcuts.
    void ConnectCommands();
    void RunNavigationCommand(CommandBarControl *control);
    void BrowserCommand(int cmdID);
    void OpenNewWindow(const QString &address, bool childWindow);
    void ToggleBar(CommandBarControl *control, CommandBar *bar, bool &field);
    void SelectSideBarPane(CommandBarControl *control, int pane);
    PageCommands::Target PageCommandTarget();
    void CloseCommand();
    void TogglePopupBlocker(CommandBarControl *control);
    void ShowPopupBlockerState(bool on);
    void RunShortcutLetter(QChar letter);
    bool PageComplete() const;
    KeyHelper *m_objKeyHelper = nullptr;
    // A page's move or resize arrives in parts: the window is kept on screen once they are in.
    void KeepOnScreenSoon();
    bool m_keepOnScreenDue = false;
    QString m_contextMenuActiveHref;
    // FTP pane: connection, directory listing, downloads.
    void ConnectFtpPane();
    void ReleaseFtpPane();
    void ListViewFTP_DblClick();
    void StartFtpDownload(QTreeWidgetItem *entry);
    void m_objFtpClient_OnConnect(qint32 result);
    void m_objFtpClient_OnGetCurrentDirectory(qint32 result);
    void m_objFtpClient_OnSetCurrentDirectory(qint32 result);
    void m_objFtpClient_OnEnumFiles(qint32 result);
    void m_objFtpClient_SessionProtocolMessage(const QString &message, qint32 type);
    void m_objFtpClient_OnStateChange(qint32 state);
    void m_objFtpClient_OnQuitSession(qint32 result);
    void m_objFtpClient_OnDataTransferProgress(qint64 bytes);
    void m_objFtpClient_OnDownloadFile(qint32 result);
    void Timer1_Timer();
    CFtpClient *m_objFtpClient = nullptr;
    ImageList ImageListRemoteFiles;
    QString m_strFtpAddress;
    QString m_strLoginDirectory;
    QColor m_ftpLogColor;
    FtpPaneDownload m_ftpDownload;
};
