#include "mainwindow/LoadingKeyHelper.h"

#include "mainwindow/CommandRules.h"
#include "platform/KeyHelper.h"
#include "platform/WebBrowser.h"

namespace {

// The combinations handed to the keystroke component: Ctrl+N, Ctrl+F, Ctrl+O.
constexpr int KeyHelperKeys[] = {78, 70, 79};

} // namespace

KeyHelper *NewLoadingKeyHelper(QObject *owner, WebBrowser *browser)
{
    auto *helper = new KeyHelper(owner);
    helper->SetBrowser(browser);
    for (const int key : KeyHelperKeys)
        helper->AddKeyCombination(key, CommandRules::VK_CONTROL, 0);
    helper->Activate(0);
    return helper;
}
