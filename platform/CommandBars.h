#pragma once

#include "platform/ImageList.h"

#include <QColor>
#include <QFlags>
#include <QIcon>
#include <QList>
#include <QObject>
#include <QPoint>
#include <QPointer>
#include <QRectF>
#include <QSize>
#include <QString>
#include <QWidget>

#include <functional>

class QAction;

class CommandBar;
class CommandBarControl;
class CommandBars;

// What an entry is. Any only serves FindControl: it matches every kind.
enum class CommandBarControlType {
    Any = -1,
    Button,      // an ordinary command
    MenuTitle,   // a title of the menu bar; opens its own bar
    Submenu,     // an entry that opens a further menu, its own bar
    SplitButton, // runs its command, and opens a drop-down list (its own bar) from its arrow
    Custom,      // a placeholder that only takes room
};

enum class CommandBarPosition { Top, Bottom, Popup };

// How a toolbar entry shows: Automatic shows the icon when there is one, else the caption.
enum class CommandBarControlStyle { Automatic, IconOnly, CaptionOnly, IconAndCaption };

// Where a docked bar may go and how it fills its row.
enum class CommandBarDockingFlag {
    Top = 0x01,
    Bottom = 0x02,
    Left = 0x04,
    Right = 0x08,
    NoFloat = 0x10,  // never torn off into a window of its own
    Stretch = 0x20,  // takes the whole width of its row
    HideWrap = 0x40, // entries that do not fit are hidden behind the extension arrow, not wrapped
};
Q_DECLARE_FLAGS(CommandBarDocking, CommandBarDockingFlag)
Q_DECLARE_OPERATORS_FOR_FLAGS(CommandBarDocking)

// The presentation options of one command-bar control, in the order they are set.
struct CommandBarsOptions
{
    bool TearOffMenus = false;            // menus can be torn off into a window
    bool AnimateMenus = true;             // menus open with an animation (a program-wide effect)
    bool IconsInMenus = true;             // menu entries show their icons
    bool SeparatorsCollapsible = true;    // adjacent group lines in a menu show as one
    bool FlatButtons = true;              // toolbar buttons are raised only under the mouse
    bool ShortcutsInContextMenus = false; // popup bars show shortcut texts
    int MenuAnimation = 3;                // 0 none, 1 random, 2 unfold, 3 fade
    bool LargeIcons = false;              // every toolbar shows 24-pixel icons
};

// One entry of a bar. The same id may stand on several bars: the id names the command.
class CommandBarControl : public QObject
{
    Q_OBJECT

public:
    ~CommandBarControl() override;

    CommandBarControlType Type() const { return m_type; }

    int Id() const { return m_id; }
    void SetId(int id);

    // Position in its bar, from 1.
    int Index() const;

    // Free text that the code which made the entry gives it.
    QString Parameter() const { return m_parameter; }
    void SetParameter(const QString &parameter) { m_parameter = parameter; }

    // "&" marks the access key; it is not shown.
    QString Caption() const { return m_caption; }
    void SetCaption(const QString &caption);

    // A group line is drawn before the entry.
    bool BeginGroup() const { return m_beginGroup; }
    void SetBeginGroup(bool beginGroup);

    // A check mark, set only by code: running the entry does not toggle it.
    bool Checked() const { return m_checked; }
    void SetChecked(bool checked);

    bool Visible() const { return m_visible; }
    void SetVisible(bool visible);

    bool Enabled() const { return m_enabled; }
    void SetEnabled(bool enabled);

    CommandBarControlStyle Style() const { return m_style; }
    void SetStyle(CommandBarControlStyle style);

    // The bar that holds this entry.
    ::CommandBar *Parent() const { return m_parent; }
    // The entry's own bar: the menu of a menu title or submenu, the drop-down list of a split
    // button; none for the other kinds.
    ::CommandBar *CommandBar() const { return m_commandBar; }

    // Runs the entry as the user would: the owning control raises Execute with it.
    void Execute();
    // Removes the entry from its bar and destroys it.
    void Delete();

    QAction *Action() const { return m_action; }
    // The widget that shows the entry on a toolbar or the menu bar, if any.
    QWidget *Widget() const;

private:
    friend class CommandBar;
    friend class CommandBarControls;
    friend class CommandBars;
    CommandBarControl(::CommandBar *parent, CommandBarControlType type, int id,
                      const QString &caption);
    void ApplyIcon();
    void ApplyStyle();
    void UpdateGroupLine();
    void OnTriggered();

    ::CommandBar *m_parent = nullptr;
    ::CommandBar *m_commandBar = nullptr;
    CommandBarControlType m_type;
    int m_id = 0;
    QString m_parameter;
    QString m_caption;
    bool m_beginGroup = false;
    bool m_checked = false;
    bool m_visible = true;
    bool m_enabled = true;
    CommandBarControlStyle m_style = CommandBarControlStyle::Automatic;
    QAction *m_action = nullptr;
    QAction *m_groupLine = nullptr;
};

// The entries of one bar, in order.
class CommandBarControls
{
public:
    // Appends an entry at the end of the bar.
    CommandBarControl *Add(CommandBarControlType type, int id, const QString &caption);
    int Count() const { return int(m_items.size()); }
    // From 1; nullptr outside the range.
    CommandBarControl *Item(int index) const;
    // Removes every entry (a drop-down list that is refilled).
    void DeleteAll();
    const QList<CommandBarControl *> &List() const { return m_items; }

private:
    friend class CommandBar;
    friend class CommandBarControl;
    explicit CommandBarControls(::CommandBar *bar) : m_bar(bar) {}
    ::CommandBar *m_bar;
    QList<CommandBarControl *> m_items;
};

// A named bar: the menu bar, a toolbar docked at the top or bottom, or a popup menu.
class CommandBar : public QObject
{
    Q_OBJECT

public:
    ~CommandBar() override;

    QString Title() const { return m_title; }
    CommandBarPosition Position() const { return m_position; }
    bool IsMenuBar() const { return m_isMenuBar; }

    CommandBarControls &Controls() { return m_controls; }
    const CommandBarControls &Controls() const { return m_controls; }

    bool Visible() const { return m_visible; }
    void SetVisible(bool visible);

    QSize IconSize() const { return m_iconSize; }
    void SetIconSize(QSize size);

    CommandBarDocking Docking() const { return m_docking; }
    void EnableDocking(CommandBarDocking flags);

    bool ShowGripper() const { return m_showGripper; }
    void SetShowGripper(bool show);
    // How far the grip of a docked bar reaches from the bar's left edge, in pixels (0 without one).
    int GripperWidth() const;

    // The first entry of this kind and id, in order, optionally only visible ones and
    // optionally searching the entries' own bars (menus, submenus, drop-down lists) as well.
    CommandBarControl *FindControl(CommandBarControlType type, int id, bool visibleOnly = false,
                                   bool recursive = false) const;
    CommandBarControl *FindControl(int id) const
    {
        return FindControl(CommandBarControlType::Any, id);
    }

    // Shows a popup bar at the mouse position, or at a screen position; returns at once.
    void ShowPopup();
    void ShowPopup(const QPoint &screenPos);

    // The bar's rectangle in screen pixels (right and bottom exclusive); a hidden bar gives
    // its last place.
    void GetWindowRect(int &left, int &top, int &right, int &bottom) const;
    // The bar's rectangle in twips, relative to the host window's client area.
    QRectF RectTwips() const;

    // The control this bar belongs to, and for a menu, submenu or drop-down list its entry.
    CommandBars *Owner() const { return m_owner; }
    CommandBarControl *ParentControl() const { return m_parentControl; }

    // The Qt widget that shows the bar: QMenuBar, QToolBar or QMenu.
    QWidget *Widget() const { return m_widget; }

private:
    friend class CommandBars;
    friend class CommandBarControl;
    friend class CommandBarControls;
    CommandBar(CommandBars *owner, const QString &title, CommandBarPosition position,
               QWidget *widget, bool isMenuBar, CommandBarControl *parentControl);
    void InsertControlAction(CommandBarControl *control);
    void ApplyDocking();

    CommandBars *m_owner;
    QString m_title;
    CommandBarPosition m_position;
    QPointer<QWidget> m_widget;
    QPointer<QWidget> m_frame; // what shows and hides with the bar (the status bar for one in it)
    bool m_isMenuBar;
    CommandBarControl *m_parentControl;
    CommandBarControls m_controls;
    bool m_visible = true;
    QSize m_iconSize = QSize(16, 16);
    CommandBarDocking m_docking = CommandBarDocking(CommandBarDockingFlag::Top)
        | CommandBarDockingFlag::Bottom | CommandBarDockingFlag::Left
        | CommandBarDockingFlag::Right;
    bool m_showGripper = true;
};

// The command-bar control of one host window. In a QMainWindow host the menu bar is the
// window's menu bar, top bars are tool bars of the top area (one per row) and the first bottom
// bar sits in the window's status bar; in any other host the bars are stacked over the host's
// top and bottom edges.
class CommandBars : public QObject
{
    Q_OBJECT

public:
    explicit CommandBars(QWidget *host);
    ~CommandBars() override;

    QWidget *Host() const { return m_host; }

    // A new bar at the top, at the bottom, or a popup menu. Names need not be unique.
    CommandBar *Add(const QString &name, CommandBarPosition position);

    // The control's own menu bar.
    CommandBar *ActiveMenuBar() const { return m_menuBar; }

    // The docked bars, from 1: the menu bar, then the top and bottom bars in the order added.
    // Popup bars are not part of it.
    int Count() const { return int(m_docked.size()); }
    CommandBar *Item(int index) const;
    const QList<CommandBar *> &PopupBars() const { return m_popups; }

    // Searches the docked bars in order (and with recursive their menus and lists too).
    CommandBarControl *FindControl(CommandBarControlType type, int id, bool visibleOnly = false,
                                   bool recursive = false) const;
    CommandBarControl *FindControl(int id) const
    {
        return FindControl(CommandBarControlType::Any, id);
    }

    // Registers a list of icons keyed by command id; lists registered later add sizes.
    void AddImageList(const ImageList &images);
    // The icon of a command id in every registered size; null when no list has it.
    QIcon IconForId(int id) const;

    const CommandBarsOptions &Options() const { return m_options; }
    void SetOptions(const CommandBarsOptions &options);

    // A theme colour by index, from the host's palette: 30 button face, 38 status-bar border,
    // 46 dark edge, 51 status-bar face; other indices give the window colour.
    QColor GetSpecialColor(int index) const;

    // The area that the docked bars leave free, in twips relative to the host's client area
    // (right and bottom exclusive).
    void GetClientRect(int &left, int &top, int &right, int &bottom) const;
    QRectF ClientRectTwips() const;

    // Lays the bars out now (the host does so by itself when it is shown or resized).
    void RecalcLayout();

signals:
    // The user (or Execute) ran an entry of any bar of this control.
    void Execute(CommandBarControl *control);
    // The free area between the bars has changed.
    void Resize();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    friend class CommandBar;
    friend class CommandBarControl;
    CommandBar *NewSubBar(CommandBarControl *parentControl);
    void ForEachControl(const std::function<void(CommandBarControl *)> &visit) const;
    void ApplyOptionsToBar(CommandBar *bar);
    void ApplyOptionsToControl(CommandBarControl *control);
    void WatchBar(CommandBar *bar);
    void LayOutPlainHost();
    void ScheduleResizeCheck();
    void CheckResize();
    void ForgetBar(CommandBar *bar);

    QPointer<QWidget> m_host;
    bool m_mainWindowHost = false;
    CommandBar *m_menuBar = nullptr;
    QList<CommandBar *> m_docked;
    QList<CommandBar *> m_popups;
    QList<ImageList> m_imageLists;
    CommandBarsOptions m_options;
    QRectF m_lastClientRect;
    bool m_resizeCheckPending = false;
    bool m_statusBarUsed = false;
};
