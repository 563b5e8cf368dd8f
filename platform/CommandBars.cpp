#include "platform/CommandBars.h"

#include <QAction>
#include <QApplication>
#include <QEvent>
#include <QLayout>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QPalette>
#include <QStatusBar>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>

#include <algorithm>

namespace {
constexpr double kTwipsPerPixel = 15.0;

bool ShownIn(const QWidget *widget, const QWidget *host)
{
    return widget && (widget == host || widget->isVisibleTo(host));
}
} // namespace

CommandBars::CommandBars(QWidget *host) : QObject(host), m_host(host)
{
    auto *mainWindow = qobject_cast<QMainWindow *>(host);
    m_mainWindowHost = mainWindow != nullptr;
    QMenuBar *menuBar = mainWindow ? mainWindow->menuBar() : new QMenuBar(host);
    m_menuBar = new CommandBar(this, QStringLiteral("Menu Bar"), CommandBarPosition::Top, menuBar,
                               true, nullptr);
    m_docked.append(m_menuBar);
    host->installEventFilter(this);
    WatchBar(m_menuBar);
    if (!m_mainWindowHost)
        LayOutPlainHost();
}

CommandBars::~CommandBars()
{
    const QList<CommandBar *> bars = m_docked + m_popups;
    m_docked.clear();
    m_popups.clear();
    for (CommandBar *bar : bars) {
        bar->m_owner = nullptr;
        delete bar;
    }
}

CommandBar *CommandBars::Add(const QString &name, CommandBarPosition position)
{
    CommandBar *bar = nullptr;
    if (position == CommandBarPosition::Popup) {
        auto *menu = new QMenu(m_host);
        menu->setTitle(name);
        bar = new CommandBar(this, name, position, menu, false, nullptr);
        m_popups.append(bar);
    } else {
        auto *toolBar = new QToolBar(name, m_host);
        toolBar->setObjectName(name);
        bar = new CommandBar(this, name, position, toolBar, false, nullptr);
        auto *mainWindow = qobject_cast<QMainWindow *>(m_host.data());
        if (mainWindow && position == CommandBarPosition::Top) {
            // Each top bar has a row of its own, below the menu bar.
            const bool rowTaken = std::any_of(m_docked.cbegin(), m_docked.cend(), [](CommandBar *b) {
                return !b->IsMenuBar() && b->Position() == CommandBarPosition::Top;
            });
            if (rowTaken)
                mainWindow->addToolBarBreak(Qt::TopToolBarArea);
            mainWindow->addToolBar(Qt::TopToolBarArea, toolBar);
        } else if (mainWindow && !m_statusBarUsed) {
            // The first bottom bar is the window's status row.
            m_statusBarUsed = true;
            QStatusBar *statusBar = mainWindow->statusBar();
            statusBar->addWidget(toolBar, 1);
            bar->m_frame = statusBar;
        } else if (mainWindow) {
            mainWindow->addToolBarBreak(Qt::BottomToolBarArea);
            mainWindow->addToolBar(Qt::BottomToolBarArea, toolBar);
        }
        toolBar->setIconSize(m_options.LargeIcons ? QSize(24, 24) : bar->IconSize());
        bar->ApplyDocking();
        m_docked.append(bar);
        WatchBar(bar);
        if (!m_mainWindowHost)
            LayOutPlainHost();
    }
    ApplyOptionsToBar(bar);
    return bar;
}

CommandBar *CommandBars::NewSubBar(CommandBarControl *parentControl)
{
    auto *menu = new QMenu(m_host);
    menu->setTitle(parentControl->Caption());
    auto *bar = new CommandBar(this, parentControl->Caption(), CommandBarPosition::Popup, menu,
                               false, parentControl);
    ApplyOptionsToBar(bar);
    return bar;
}

void CommandBars::ForgetBar(CommandBar *bar)
{
    m_docked.removeOne(bar);
    m_popups.removeOne(bar);
    if (bar == m_menuBar)
        m_menuBar = nullptr;
}

CommandBar *CommandBars::Item(int index) const
{
    if (index < 1 || index > m_docked.size())
        return nullptr;
    return m_docked.at(index - 1);
}

CommandBarControl *CommandBars::FindControl(CommandBarControlType type, int id, bool visibleOnly,
                                            bool recursive) const
{
    for (CommandBar *bar : m_docked) {
        if (auto *found = bar->FindControl(type, id, visibleOnly, recursive))
            return found;
    }
    return nullptr;
}

void CommandBars::ForEachControl(const std::function<void(CommandBarControl *)> &visit) const
{
    std::function<void(const CommandBar *)> walk = [&](const CommandBar *bar) {
        for (CommandBarControl *control : bar->Controls().List()) {
            visit(control);
            if (control->CommandBar())
                walk(control->CommandBar());
        }
    };
    for (CommandBar *bar : m_docked + m_popups)
        walk(bar);
}

void CommandBars::AddImageList(const ImageList &images)
{
    m_imageLists.append(images);
    ForEachControl([](CommandBarControl *control) { control->ApplyIcon(); });
}

QIcon CommandBars::IconForId(int id) const
{
    const QString key = QString::number(id);
    QIcon icon;
    for (const ImageList &list : m_imageLists) {
        if (list.Contains(key))
            icon.addPixmap(list.Pixmap(key));
    }
    return icon;
}

void CommandBars::SetOptions(const CommandBarsOptions &options)
{
    m_options = options;
    // Menu effects are the application's; the last control to set them decides.
    const bool animate = options.AnimateMenus && options.MenuAnimation != 0;
    QApplication::setEffectEnabled(Qt::UI_AnimateMenu, animate && options.MenuAnimation != 3);
    QApplication::setEffectEnabled(Qt::UI_FadeMenu, animate && options.MenuAnimation == 3);
    for (CommandBar *bar : m_docked + m_popups) {
        ApplyOptionsToBar(bar);
        bar->SetIconSize(bar->IconSize());
    }
    ForEachControl([this](CommandBarControl *control) {
        ApplyOptionsToControl(control);
        if (control->CommandBar())
            ApplyOptionsToBar(control->CommandBar());
    });
}

void CommandBars::ApplyOptionsToBar(CommandBar *bar)
{
    if (auto *menu = qobject_cast<QMenu *>(bar->Widget())) {
        menu->setTearOffEnabled(m_options.TearOffMenus);
        menu->setSeparatorsCollapsible(m_options.SeparatorsCollapsible);
    }
}

void CommandBars::ApplyOptionsToControl(CommandBarControl *control)
{
    control->Action()->setIconVisibleInMenu(m_options.IconsInMenus);
    control->Action()->setShortcutVisibleInContextMenu(m_options.ShortcutsInContextMenus);
    if (auto *button = qobject_cast<QToolButton *>(control->Widget()))
        button->setAutoRaise(m_options.FlatButtons);
}

QColor CommandBars::GetSpecialColor(int index) const
{
    const QPalette palette = m_host ? m_host->palette() : QApplication::palette();
    switch (index) {
    case 30:
        return palette.color(QPalette::Button);
    case 38:
        return palette.color(QPalette::Mid);
    case 46:
        return palette.color(QPalette::Dark);
    case 51:
        return palette.color(QPalette::Window);
    default:
        return palette.color(QPalette::Window);
    }
}

QRectF CommandBars::ClientRectTwips() const
{
    if (!m_host)
        return {};
    if (m_mainWindowHost && m_host->layout())
        m_host->layout()->activate();
    const QRect area = m_host->contentsRect();
    int top = area.top();
    int bottom = area.bottom() + 1;
    for (CommandBar *bar : m_docked) {
        QWidget *frame = bar->m_frame;
        if (!frame || !bar->Visible() || !ShownIn(frame, m_host))
            continue;
        const QRect r(frame->mapTo(m_host, QPoint(0, 0)), frame->size());
        if (bar->Position() == CommandBarPosition::Top)
            top = std::max(top, r.bottom() + 1);
        else
            bottom = std::min(bottom, r.top());
    }
    bottom = std::max(bottom, top);
    return QRectF(area.left() * kTwipsPerPixel, top * kTwipsPerPixel,
                  area.width() * kTwipsPerPixel, (bottom - top) * kTwipsPerPixel);
}

void CommandBars::GetClientRect(int &left, int &top, int &right, int &bottom) const
{
    const QRectF r = ClientRectTwips();
    left = qRound(r.left());
    top = qRound(r.top());
    right = qRound(r.left() + r.width());
    bottom = qRound(r.top() + r.height());
}

void CommandBars::RecalcLayout()
{
    if (!m_host)
        return;
    if (m_mainWindowHost) {
        if (m_host->layout())
            m_host->layout()->activate();
    } else {
        LayOutPlainHost();
    }
    CheckResize();
}

void CommandBars::WatchBar(CommandBar *bar)
{
    if (bar->m_frame)
        bar->m_frame->installEventFilter(this);
}

void CommandBars::LayOutPlainHost()
{
    if (!m_host)
        return;
    const QRect area = m_host->contentsRect();
    int top = area.top();
    int bottom = area.bottom() + 1;
    for (CommandBar *bar : m_docked) {
        QWidget *frame = bar->m_frame;
        if (!frame || !bar->Visible())
            continue;
        const int height = frame->sizeHint().height();
        if (bar->Position() == CommandBarPosition::Top) {
            frame->setGeometry(area.left(), top, area.width(), height);
            top += height;
        } else {
            bottom -= height;
            frame->setGeometry(area.left(), bottom, area.width(), height);
        }
    }
}

bool CommandBars::eventFilter(QObject *watched, QEvent *event)
{
    switch (event->type()) {
    case QEvent::Resize:
    case QEvent::Show:
    case QEvent::Hide:
    case QEvent::LayoutRequest: {
        // A plain host has no layout of its own: the bars follow its size and each other's
        // visibility. A bar's own resize comes from that layout and needs no second pass.
        const bool barResized = event->type() == QEvent::Resize && watched != m_host;
        if (!m_mainWindowHost && !barResized)
            LayOutPlainHost();
        ScheduleResizeCheck();
        break;
    }
    case QEvent::Move:
        ScheduleResizeCheck();
        break;
    default:
        break;
    }
    return QObject::eventFilter(watched, event);
}

void CommandBars::ScheduleResizeCheck()
{
    if (m_resizeCheckPending)
        return;
    m_resizeCheckPending = true;
    QTimer::singleShot(0, this, [this] {
        m_resizeCheckPending = false;
        CheckResize();
    });
}

void CommandBars::CheckResize()
{
    const QRectF client = ClientRectTwips();
    if (client == m_lastClientRect)
        return;
    m_lastClientRect = client;
    emit Resize();
}
