#include "platform/CommandBars.h"

#include <QAction>
#include <QMenu>
#include <QToolBar>
#include <QToolButton>

CommandBarControl::CommandBarControl(::CommandBar *parent, CommandBarControlType type, int id,
                                     const QString &caption)
    : QObject(parent), m_parent(parent), m_type(type), m_id(id), m_caption(caption)
{
    const bool opensBar = type == CommandBarControlType::MenuTitle
        || type == CommandBarControlType::Submenu || type == CommandBarControlType::SplitButton;
    if (opensBar)
        m_commandBar = parent->Owner()->NewSubBar(this);
    // A menu title or submenu is its menu's own action, so that choosing it opens the menu.
    if (type == CommandBarControlType::MenuTitle || type == CommandBarControlType::Submenu)
        m_action = static_cast<QMenu *>(m_commandBar->Widget())->menuAction();
    else
        m_action = new QAction(this);
    m_action->setText(caption);
    connect(m_action, &QAction::triggered, this, &CommandBarControl::OnTriggered);
    ApplyIcon();
}

CommandBarControl::~CommandBarControl()
{
    if (m_parent)
        m_parent->m_controls.m_items.removeOne(this);
    delete m_groupLine;
    // The menu of a title or submenu owns the entry's action; the bar takes it along.
    delete m_commandBar;
}

void CommandBarControl::SetId(int id)
{
    m_id = id;
    ApplyIcon();
}

int CommandBarControl::Index() const
{
    return m_parent ? int(m_parent->m_controls.m_items.indexOf(this)) + 1 : 0;
}

void CommandBarControl::SetCaption(const QString &caption)
{
    m_caption = caption;
    m_action->setText(caption);
}

void CommandBarControl::SetBeginGroup(bool beginGroup)
{
    m_beginGroup = beginGroup;
    UpdateGroupLine();
}

void CommandBarControl::SetChecked(bool checked)
{
    m_checked = checked;
    // Only a checked entry is checkable: an unchecked one then shows no empty check box.
    m_action->setCheckable(checked);
    m_action->setChecked(checked);
}

void CommandBarControl::SetVisible(bool visible)
{
    m_visible = visible;
    m_action->setVisible(visible);
    UpdateGroupLine();
}

void CommandBarControl::SetEnabled(bool enabled)
{
    m_enabled = enabled;
    m_action->setEnabled(enabled);
}

void CommandBarControl::SetStyle(CommandBarControlStyle style)
{
    m_style = style;
    ApplyStyle();
}

void CommandBarControl::Execute()
{
    if (m_parent && m_parent->Owner())
        emit m_parent->Owner()->Execute(this);
}

void CommandBarControl::Delete()
{
    delete this;
}

QWidget *CommandBarControl::Widget() const
{
    if (auto *toolBar = m_parent ? qobject_cast<QToolBar *>(m_parent->Widget()) : nullptr)
        return toolBar->widgetForAction(m_action);
    return nullptr;
}

void CommandBarControl::ApplyIcon()
{
    if (!m_parent || !m_parent->Owner())
        return;
    m_action->setIcon(m_parent->Owner()->IconForId(m_id));
}

void CommandBarControl::ApplyStyle()
{
    auto *button = qobject_cast<QToolButton *>(Widget());
    if (!button)
        return;
    switch (m_style) {
    case CommandBarControlStyle::Automatic: // Qt shows the caption of a button without icon
    case CommandBarControlStyle::IconOnly:
        button->setToolButtonStyle(Qt::ToolButtonIconOnly);
        break;
    case CommandBarControlStyle::CaptionOnly:
        button->setToolButtonStyle(Qt::ToolButtonTextOnly);
        break;
    case CommandBarControlStyle::IconAndCaption:
        button->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
        break;
    }
}

void CommandBarControl::UpdateGroupLine()
{
    if (!m_groupLine && !m_beginGroup)
        return;
    QWidget *barWidget = m_parent ? m_parent->Widget() : nullptr;
    if (!m_groupLine && barWidget) {
        m_groupLine = new QAction(this);
        m_groupLine->setSeparator(true);
        barWidget->insertAction(m_action, m_groupLine);
    }
    if (m_groupLine)
        m_groupLine->setVisible(m_beginGroup && m_visible);
}

void CommandBarControl::OnTriggered()
{
    // The check mark belongs to the code that handles Execute, not to the click.
    if (m_action->isCheckable())
        m_action->setChecked(m_checked);
    Execute();
}
