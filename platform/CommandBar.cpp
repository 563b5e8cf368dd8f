#include "platform/CommandBars.h"

#include <QAction>
#include <QCursor>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QStatusBar>
#include <QStyle>
#include <QStyleOption>
#include <QToolBar>
#include <QToolButton>

namespace {
constexpr double kTwipsPerPixel = 15.0;
}

CommandBarControl *CommandBarControls::Add(CommandBarControlType type, int id,
                                           const QString &caption)
{
    auto *control = new CommandBarControl(m_bar, type, id, caption);
    m_items.append(control);
    m_bar->InsertControlAction(control);
    return control;
}

CommandBarControl *CommandBarControls::Item(int index) const
{
    if (index < 1 || index > m_items.size())
        return nullptr;
    return m_items.at(index - 1);
}

void CommandBarControls::DeleteAll()
{
    const QList<CommandBarControl *> items = m_items;
    for (CommandBarControl *control : items)
        delete control;
}

CommandBar::CommandBar(CommandBars *owner, const QString &title, CommandBarPosition position,
                       QWidget *widget, bool isMenuBar, CommandBarControl *parentControl)
    : QObject(parentControl ? static_cast<QObject *>(parentControl) : owner),
      m_owner(owner),
      m_title(title),
      m_position(position),
      m_widget(widget),
      m_frame(widget),
      m_isMenuBar(isMenuBar),
      m_parentControl(parentControl),
      m_controls(this)
{
}

CommandBar::~CommandBar()
{
    const QList<CommandBarControl *> items = m_controls.m_items;
    m_controls.m_items.clear();
    for (CommandBarControl *control : items) {
        control->m_parent = nullptr;
        delete control;
    }
    if (m_owner)
        m_owner->ForgetBar(this);
    delete m_widget.data();
}

void CommandBar::SetVisible(bool visible)
{
    m_visible = visible;
    if (m_position != CommandBarPosition::Popup && m_frame)
        m_frame->setVisible(visible);
}

void CommandBar::SetIconSize(QSize size)
{
    m_iconSize = size;
    if (auto *toolBar = qobject_cast<QToolBar *>(m_widget.data()))
        toolBar->setIconSize(m_owner && m_owner->Options().LargeIcons ? QSize(24, 24) : size);
}

void CommandBar::EnableDocking(CommandBarDocking flags)
{
    m_docking = flags;
    ApplyDocking();
}

void CommandBar::SetShowGripper(bool show)
{
    m_showGripper = show;
    ApplyDocking();
}

void CommandBar::ApplyDocking()
{
    auto *toolBar = qobject_cast<QToolBar *>(m_widget.data());
    if (!toolBar)
        return;
    Qt::ToolBarAreas areas;
    if (m_docking & CommandBarDockingFlag::Top)
        areas |= Qt::TopToolBarArea;
    if (m_docking & CommandBarDockingFlag::Bottom)
        areas |= Qt::BottomToolBarArea;
    if (m_docking & CommandBarDockingFlag::Left)
        areas |= Qt::LeftToolBarArea;
    if (m_docking & CommandBarDockingFlag::Right)
        areas |= Qt::RightToolBarArea;
    toolBar->setAllowedAreas(areas);
    toolBar->setFloatable(!(m_docking & CommandBarDockingFlag::NoFloat));
    // The gripper is the handle by which a docked tool bar is moved.
    toolBar->setMovable(m_showGripper);
}

CommandBarControl *CommandBar::FindControl(CommandBarControlType type, int id, bool visibleOnly,
                                           bool recursive) const
{
    for (CommandBarControl *control : m_controls.m_items) {
        if (visibleOnly && !control->Visible())
            continue;
        if (control->Id() == id && (type == CommandBarControlType::Any || control->Type() == type))
            return control;
        if (recursive && control->CommandBar()) {
            if (auto *found = control->CommandBar()->FindControl(type, id, visibleOnly, true))
                return found;
        }
    }
    return nullptr;
}

void CommandBar::ShowPopup()
{
    ShowPopup(QCursor::pos());
}

void CommandBar::ShowPopup(const QPoint &screenPos)
{
    if (auto *menu = qobject_cast<QMenu *>(m_widget.data()))
        menu->popup(screenPos);
}

void CommandBar::GetWindowRect(int &left, int &top, int &right, int &bottom) const
{
    left = top = right = bottom = 0;
    if (!m_frame)
        return;
    const QPoint topLeft = m_frame->mapToGlobal(QPoint(0, 0));
    left = topLeft.x();
    top = topLeft.y();
    right = left + m_frame->width();
    bottom = top + m_frame->height();
}

int CommandBar::GripperWidth() const
{
    const auto *toolBar = qobject_cast<const QToolBar *>(m_widget.data());
    if (!toolBar || !toolBar->isMovable())
        return 0;
    QStyleOptionToolBar option;
    option.initFrom(toolBar);
    option.features = QStyleOptionToolBar::Movable;
    if (toolBar->orientation() == Qt::Horizontal)
        option.state |= QStyle::State_Horizontal;
    return toolBar->style()->subElementRect(QStyle::SE_ToolBarHandle, &option, toolBar).right() + 1;
}

QRectF CommandBar::RectTwips() const
{
    if (!m_frame || !m_owner || !m_owner->Host())
        return {};
    QWidget *host = m_owner->Host();
    const QPoint topLeft = m_frame->isWindow() ? m_frame->mapToGlobal(QPoint(0, 0))
                                                     - host->mapToGlobal(QPoint(0, 0))
                                               : m_frame->mapTo(host, QPoint(0, 0));
    return QRectF(topLeft.x() * kTwipsPerPixel, topLeft.y() * kTwipsPerPixel,
                  m_frame->width() * kTwipsPerPixel, m_frame->height() * kTwipsPerPixel);
}

void CommandBar::InsertControlAction(CommandBarControl *control)
{
    if (!m_widget)
        return;
    m_widget->addAction(control->Action());
    if (m_owner)
        m_owner->ApplyOptionsToControl(control);
    if (auto *toolBar = qobject_cast<QToolBar *>(m_widget.data())) {
        if (auto *button = qobject_cast<QToolButton *>(toolBar->widgetForAction(control->Action()))) {
            if (control->Type() == CommandBarControlType::SplitButton) {
                button->setMenu(static_cast<QMenu *>(control->CommandBar()->Widget()));
                button->setPopupMode(QToolButton::MenuButtonPopup);
            } else if (control->CommandBar()) {
                button->setPopupMode(QToolButton::InstantPopup);
            }
        }
        control->ApplyStyle();
    }
}
