#include "platform/KeyPreview.h"

#include <QCoreApplication>
#include <QKeyEvent>

KeyPreview::KeyPreview(QWidget *window, Handler handler)
    : QObject(window), m_window(window), m_handler(std::move(handler))
{
    // Only an application-wide filter sees a key before the focused control does.
    QCoreApplication::instance()->installEventFilter(this);
}

KeyPreview::~KeyPreview()
{
    if (QCoreApplication::instance())
        QCoreApplication::instance()->removeEventFilter(this);
}

bool KeyPreview::eventFilter(QObject *watched, QEvent *event)
{
    // Keys that the page engine hands back unused arrive again, sent by the program itself: only
    // the keys that come from the keyboard count.
    // Every key-down is announced to its control before it is sent, and ends with a key-up:
    // either way the key before it has finished travelling.
    if (event->type() == QEvent::ShortcutOverride || event->type() == QEvent::KeyRelease) {
        m_lastEvent = nullptr;
        return false;
    }
    if (event->type() != QEvent::KeyPress || !event->spontaneous() || !watched->isWidgetType())
        return false;
    auto *receiver = static_cast<QWidget *>(watched);
    if (!m_window || receiver->window() != m_window)
        return false;
    if (event == m_lastEvent && m_lastReceiver && receiver != m_lastReceiver
        && receiver->isAncestorOf(m_lastReceiver))
        return false;
    m_lastEvent = event;
    m_lastReceiver = receiver;
    m_handler(*static_cast<QKeyEvent *>(event));
    return false;
}
