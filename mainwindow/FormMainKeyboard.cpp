// The main window's keyboard shortcuts: Alt+Home, and Ctrl with S, F, O, P or N. The window sees
// every key-down before the focused control does (its key preview) and changes no key.
#include "mainwindow/FormMain.h"

#include "mainwindow/CommandRules.h"
#include "mainwindow/FormFind.h"
#include "mainwindow/FormOpenFile.h"
#include "mainwindow/LoadingKeyHelper.h"
#include "platform/KeyHelper.h"
#include "platform/WebBrowser.h"

#include <QTimer>

void FormMain::Form_KeyDown(int KeyCode, int Shift)
{
    const CommandRules::KeyDownActions actions = CommandRules::ActionsFor(KeyCode, Shift);
    if (actions.GoHome)
        WebBrowserMain->GoHome();
    if (!actions.CtrlStep)
        return;

    delete m_objKeyHelper;
    m_objKeyHelper = nullptr;
    if (!PageComplete())
        m_objKeyHelper = NewLoadingKeyHelper(this, WebBrowserMain);

    if (actions.Letter.isNull())
        return;
    // The key is still on its way to the focused control: its action runs once it has arrived,
    // so that a dialog's own event loop never runs inside the key's delivery.
    const QChar letter = actions.Letter;
    QTimer::singleShot(0, this, [this, letter] { RunShortcutLetter(letter); });
}

void FormMain::RunShortcutLetter(QChar letter)
{
    switch (letter.unicode()) {
    case 'S':
        BrowserCommand(WebBrowser::OLECMDID_SAVEAS);
        break;
    case 'F':
        Forms::Default<FormFind>()->SearchIn(docMain);
        Forms::Default<FormFind>()->ShowModeless(this);
        break;
    case 'O':
        Forms::Default<FormOpenFile>()->OpenIn(WebBrowserMain);
        Forms::Default<FormOpenFile>()->ShowModeless(this);
        break;
    case 'P':
        BrowserCommand(WebBrowser::OLECMDID_PRINT);
        break;
    case 'N':
        OpenNewWindow(WebBrowserMain->LocationURL(), false);
        break;
    default:
        break;
    }
}

// The page's document is complete once it exists and the browser has finished loading it;
// before the first page has completed there is none, which counts as still loading.
bool FormMain::PageComplete() const
{
    return docMain && !WebBrowserMain->Busy();
}
