#pragma once

#include "mainwindow/FtpPaneDownload.h"
#include "mainwindow/PageCommands.h"
#include "platform/Forms.h"
#include "platform/ImageList.h"

#include <QMainWindow>
#include <QPointer>

class QAction;
class QFrame;
class QLabel;
class QTextEdit;
class QTimer;
class QToolBar;
class QTreeWidget;
class QTreeWidgetItem;
class QWidget;

class Application;
class CFtpClient;
class ClassFBNavigator;
class CommandBar;
class CommandBarControl;
class CommandBars;
class FormMain;
class HtmlDocument;
class KeyHelper;
struct HtmlEvent;
class TransparentCloseButton;
class TransparentLabel;
class UCTVHistory;
class WebBrowser;
class XPStyleImageTextBox;

// The borderless, maximized twin of the main window that stands in its place while full-screen
// mode is on. It keeps its own page browser, address box, history tree, back/forward list, side
// bar and FTP pane, and shares the settings fields of the default main window. Split into files
// by concern (life cycle, command bars, layout, page events, commands, side bar, FTP pane).
class FormFullScreen : public QMainWindow, public Form
{
    Q_OBJECT
    // Reached by name by the back/forward list.
    Q_PROPERTY(CommandBar *ToolBarStandard MEMBER ToolBarStandard)
    Q_MOC_INCLUDE("platform/CommandBars.h")

public:
    explicit FormFullScreen(QWidget *parent = nullptr);
    ~FormFullScreen() override;

    // Public members, in the order of their slots.
    bool NavToSelf = false;
    CommandBar *ToolBarStandard = nullptr;
    QTreeWidget *TreeViewFavoritesTemp = nullptr;
    void BuildSideBar(const QString &Name);
    void HideInfoBar();
    void BindContextMenus();
    void ShowSearch();
    void ShowFavorites();
    void ShowHistory();
    Q_INVOKABLE void FTPConnect();
    Q_INVOKABLE void CancelFTPDownload();
    void HideSideBar();

    // Hosted controls.
    QFrame *PictureAddressBar = nullptr;
    QToolBar *ToolbarNav = nullptr;
    QToolBar *ToolbarGo = nullptr;
    QLabel *ImageAddressBar = nullptr;
    QLabel *LabelAddress = nullptr;
    QToolBar *ToolbarWindow = nullptr;
    TransparentLabel *TransparentLabelAddress = nullptr;
    XPStyleImageTextBox *XPStyleImageTextBox1 = nullptr;
    CommandBars *CommandBarsMain = nullptr;
    CommandBars *CommandBarsSideBar = nullptr;
    QFrame *PictureBrowser = nullptr;
    WebBrowser *WebBrowserFullScreen = nullptr;
    QFrame *PictureSideBar = nullptr;
    WebBrowser *WebBrowserSearch = nullptr;
    QTreeWidget *TreeViewFavorites = nullptr;
    UCTVHistory *TreeViewHistory = nullptr;
    TransparentCloseButton *TransparentCloseButton1 = nullptr;
    QWidget *ImageSplitBar = nullptr;
    QFrame *PictureFTP = nullptr;
    QTreeWidget *ListViewFTP = nullptr;
    QTextEdit *RichTextBoxFTP = nullptr;
    QTimer *Timer1 = nullptr;
    QWidget *PictureKeyPreview = nullptr;
    // Image lists: navigation buttons (normal, hot), Go button (inactive, active), window
    // buttons, command icons by id, remote file kinds, favorites tree.
    ImageList ILNavBar;
    ImageList ILNavBarHot;
    ImageList ImageListInactiveGo;
    ImageList ImageListActiveGo;
    ImageList ILTitleBar;
    ImageList ImageListToolbarMainHot;
    ImageList ImageListRemoteFiles;
    ImageList ImageListFavorites;
    // The button of a keyed toolbar (ToolbarNav, ToolbarGo, ToolbarWindow) by its key.
    static QAction *ToolbarButton(QToolBar *toolbar, const QString &Key);

    // Life cycle, keys and window buttons.
    void Form_Load() override;
    void Form_Unload(int &Cancel) override;
    void Form_KeyDown(int KeyCode, int Shift);
    void Form_KeyUp(int KeyCode, int Shift);
    void ToolbarWindow_ButtonClick(const QString &Key);
    void UnloadAllForms();
    // Full screen stands in a main window's own place: on the screen that holds the window's
    // centre, else the one it overlaps most, else the nearest. A shown window stays where it is.
    void PlaceOver(const QWidget *window);

    // Window geometry in twips and the window state (0 normal, 1 minimized, 2 maximized).
    double Left() const;
    double Top() const;
    double Width() const;
    double Height() const;
    int WindowState() const;
    // Moves a hosted control to a rectangle given in twips relative to its container.
    static void MoveTwips(QWidget *control, double left, double top, double width, double height);
    static QRectF RectTwips(const QWidget *control);

    // Layout (twips).
    int ClientLeft = 0;
    int ClientTop = 0;
    int ClientRight = 0;
    int ClientBottom = 0;
    void CommandBarsMain_Resize();
    void Form_Resize();
    void LayoutPanes();
    void LayoutBrowser();
    void LayoutSideBar();
    void LayoutSearchPane();
    void LayoutHistoryTree();
    void LayoutFavoritesTree();
    double StandardBarCommandsWidth() const;

    // Page and address events.
    void WebBrowserFullScreen_NavigateComplete2(WebBrowser *pDisp, const QString &URL);
    void WebBrowserFullScreen_DocumentComplete(WebBrowser *pDisp, const QString &URL);
    void WebBrowserFullScreen_DownloadComplete();
    void WebBrowserFullScreen_NewWindow2(WebBrowser *&ppDisp, bool &Cancel, const QString &URL,
                                         bool UserInitiated);
    void WebBrowserFullScreen_StatusTextChange(const QString &Text);
    void XPStyleImageTextBox1_UrlChanged();
    void XPStyleImageTextBox1_DoSearch(const QString &text);

    // Commands of the bars and toolbars.
    void CommandBarsMain_Execute(CommandBarControl *Control);
    void CommandBarsSideBar_Execute(CommandBarControl *Control);
    void ToolbarNav_ButtonClick(const QString &Key);
    void ToolbarGo_ButtonClick(const QString &Key);

    // Side bar.
    void TransparentCloseButton1_ButtonClick();
    void TreeViewFavorites_Expand(QTreeWidgetItem *Node);
    void TreeViewFavorites_MouseDown(Qt::MouseButton Button, const QPoint &Position);
    void TreeViewFavorites_MouseUp(Qt::MouseButton Button, const QPoint &Position);
    void TreeViewFavorites_NodeClick(QTreeWidgetItem *Node);
    void ImageSplitBar_MouseDown();
    void ImageSplitBar_MouseMove(Qt::MouseButtons Button, double X);
    void ImageSplitBar_MouseUp();
    void TreeViewHistory_HistoryNavTo(const QString &url);

    // FTP pane.
    void InitFTPPane();
    void HideFTPPane();
    void ListViewFTP_DblClick();
    void Timer1_Timer();

protected:
    void resizeEvent(QResizeEvent *event) override;
    void showEvent(QShowEvent *event) override;

private:
    // Life cycle. CreateControls makes the controls, then each concern's file connects its own
    // events in its Connect procedure (called from CreateControls).
    void CreateControls();
    void ConnectPageEvents();
    void ConnectCommands();
    void ConnectSideBar();
    void ConnectFtpPane();
    void CreateToolbars();
    ClassFBNavigator *m_objNavigator = nullptr;
    KeyHelper *m_objKeyForwarder = nullptr;
    Application *m_objNewWindow = nullptr;
    bool SearchPageDue = false;
    bool SideBarOpen = false;
    // Command bars.
    void BuildCommandBars();
    CommandBar *PopupMenuPage = nullptr;
    CommandBar *PopupMenuTextEdit = nullptr;
    CommandBar *ToolBarSideBar = nullptr;
    // Page and address events: the page's document and window, the link-click flag.
    HtmlDocument *doc = nullptr;
    HtmlDocument *docMain = nullptr;
    HtmlDocument *docMainWindow = nullptr;
    bool LinkClicked = false;
    bool docMain_onclick(const HtmlEvent &event);
    bool docMain_oncontextmenu(const HtmlEvent &event);
    void docMainWindow_onload(const QString &href, const QString &title);
    // Side bar.
    void PlaceSplitBar();
    void ApplySplitBarPosition();
    bool RightClickNoOpen = false;
    bool RightClickNoExpand = false;
    // FTP pane.
    void m_objFtpClient_OnConnect(qint32 AsyncResultStatus);
    void m_objFtpClient_OnSetCurrentDirectory(qint32 AsyncResultStatus);
    void m_objFtpClient_OnGetCurrentDirectory(qint32 AsyncResultStatus);
    void m_objFtpClient_OnEnumFiles(qint32 AsyncResultStatus);
    void m_objFtpClient_OnDataTransferProgress(qint64 lngBytesTransferred);
    void m_objFtpClient_OnDownloadFile(qint32 AsyncResultStatus);
    void m_objFtpClient_SessionProtocolMessage(const QString &strMessage, qint32 lngMessageType);
    void m_objFtpClient_OnStateChange(qint32 State);
    void m_objFtpClient_OnQuitSession(qint32 AsyncResultStatus);
    CFtpClient *m_objFtpClient = nullptr;
    QString m_strStartDirectory;
    FtpPaneDownload m_ftpDownload;
    // FTP pane: the address the session was opened for, the log colour, the session's end.
    void ReleaseFtpClient();
    void StartFtpDownload(QTreeWidgetItem *entry);
    QString m_strFtpAddress;
    QColor m_ftpLogColor;
    // Page events and commands: the time of the last click report, the task-bar caption, and
    // the steps the command handlers share.
    qint64 m_lastClickReportAt = -1;
    void ShowTaskBarCaption(const QString &title);
    PageCommands::Target PageCommandTarget();
    void ToggleSideBarPane(CommandBarControl *control, int pane, bool withMenuItems);
    // Returns the main window shown again, if any.
    FormMain *LeaveFullScreen();
    void CloseCommand();
};
