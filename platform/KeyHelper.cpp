#include "platform/KeyHelper.h"

#include <QApplication>
#include <QKeyEvent>

namespace {

bool ModifierHeld(int modifierKeyCode, Qt::KeyboardModifiers modifiers)
{
    switch (modifierKeyCode) {
    case 16:
        return modifiers & Qt::ShiftModifier;
    case 17:
        return modifiers & Qt::ControlModifier;
    case 18:
        return modifiers & Qt::AltModifier;
    default:
        return false;
    }
}

} // namespace

KeyHelper::KeyHelper(QObject *parent) : QObject(parent) {}

void KeyHelper::SetBrowser(QWidget *browser)
{
    m_browser = browser;
}

void KeyHelper::AddKeyCombination(int keyCode, int modifierKeyCode, int flags)
{
    Q_UNUSED(flags);
    m_combinations.append({keyCode, modifierKeyCode});
}

void KeyHelper::Activate(int flags)
{
    Q_UNUSED(flags);
    if (m_active)
        return;
    m_active = true;
    if (!m_browser)
        return;
    // Filters on the controls themselves run after the window's key preview, which so still
    // sees every key. The engine makes and replaces its input widget: watch each new focus too.
    m_browser->installEventFilter(this);
    for (QWidget *child : m_browser->findChildren<QWidget *>())
        child->installEventFilter(this);
    connect(qApp, &QApplication::focusChanged, this, [this](QWidget *, QWidget *now) {
        if (now && m_browser && m_browser->isAncestorOf(now))
            now->installEventFilter(this);
    });
}

bool KeyHelper::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() != QEvent::KeyPress || !m_browser || !watched->isWidgetType())
        return false;
    auto *receiver = static_cast<QWidget *>(watched);
    if (receiver != m_browser && !m_browser->isAncestorOf(receiver))
        return false;
    const auto *key = static_cast<QKeyEvent *>(event);
    for (const Combination &c : m_combinations) {
        // Qt numbers letter keys by their capital character, as the key codes here do.
        if (key->key() == c.KeyCode && ModifierHeld(c.ModifierKeyCode, key->modifiers()))
            return true;
    }
    return false;
}
