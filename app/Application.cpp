#include "app/Application.h"

#include "mainwindow/FormMain.h"
#include "platform/Forms.h"
#include "platform/WebBrowser.h"

Application::Application(QObject *parent) : QObject(parent) {}

// The first touch creates the window and runs its whole load, and places it beside the window
// that opened it; a window the user has closed since is not brought back.
FormMain *Application::TouchForm()
{
    if (!m_created) {
        m_created = true;
        m_Form = new FormMain();
        Forms::Load(m_Form);
        if (const auto *opener = qobject_cast<const QWidget *>(parent()); opener && m_Form)
            m_Form->PlaceBeside(opener);
    }
    return m_Form;
}

void Application::ShowForm()
{
    if (FormMain *form = TouchForm())
        Forms::Show(form);
}

void Application::LoadForm()
{
    if (FormMain *form = TouchForm())
        form->setVisible(false);
}

void Application::SetppDisp(WebBrowser *&ppDisp)
{
    FormMain *form = TouchForm();
    if (!form)
        return;
    form->SetWindowState(0);
    ppDisp = form->WebBrowserMain;
    Forms::Show(form);
}

void Application::SetLocation(const QString &URL)
{
    FormMain *form = TouchForm();
    if (!form)
        return;
    form->WebBrowserMain->Navigate(URL);
    Forms::Show(form);
}

void Application::SetNumberOfChildWindowsReached(int n)
{
    if (FormMain *form = TouchForm())
        form->NumberOfChildWindowsReached = n;
}

void Application::SetAllowPopup(bool value)
{
    Q_UNUSED(value);
    TouchForm();
}

void Application::SetIsChildWindow(bool value)
{
    if (FormMain *form = TouchForm())
        form->IsChildWindow = value;
}
