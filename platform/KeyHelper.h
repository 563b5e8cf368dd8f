#pragma once

#include <QList>
#include <QObject>
#include <QPointer>
#include <QWidget>

// The outside keystroke component: attached to a page browser, it keeps the key combinations
// given to it from the page, so that they belong to the browser's window alone. The window's
// key preview has seen each key-down before the browser does and runs its own shortcut
// handler for it, so nothing is sent back to the window.
class KeyHelper : public QObject
{
    Q_OBJECT

public:
    explicit KeyHelper(QObject *parent = nullptr);

    // The browser whose keys are watched.
    void SetBrowser(QWidget *browser);
    // A combination: a key code (the capital letter for a letter key) held with a modifier key
    // (17 Ctrl, 16 Shift, 18 Alt); flags are reserved and must be 0.
    void AddKeyCombination(int keyCode, int modifierKeyCode, int flags);
    // Starts watching; flags are reserved and must be 0.
    void Activate(int flags);

    bool IsActive() const { return m_active; }
    QWidget *Browser() const { return m_browser; }
    int CombinationCount() const { return int(m_combinations.size()); }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    struct Combination
    {
        int KeyCode;
        int ModifierKeyCode;
    };

    QPointer<QWidget> m_browser;
    QList<Combination> m_combinations;
    bool m_active = false;
};
