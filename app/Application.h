#pragma once

#include <QObject>
#include <QPointer>
#include <QString>

class FormMain;
class WebBrowser;

// The host through which the program opens a further main window (a popup that passes, "New
// Window", "Open In New Window"). The window is created and loaded by the first member called;
// it stays open after its host is released, until the user closes it.
class Application : public QObject
{
    Q_OBJECT
public:
    explicit Application(QObject *parent = nullptr);

    // Shows the window modeless, without an owner.
    void ShowForm();
    // Loads the window without showing it.
    void LoadForm();
    // Hands the window's page browser to a page's new-window request, in the normal window
    // state, and shows the window.
    void SetppDisp(WebBrowser *&ppDisp);
    // Navigates the window to URL and shows it.
    void SetLocation(const QString &URL);
    void SetNumberOfChildWindowsReached(int n);
    // Kept for its callers: a popup's window lets popups through because it is a child window.
    void SetAllowPopup(bool value);
    void SetIsChildWindow(bool value);

private:
    FormMain *TouchForm();

    QPointer<FormMain> m_Form;
    bool m_created = false;
};
