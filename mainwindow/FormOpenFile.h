#pragma once

#include "platform/Forms.h"

#include <QPointer>
#include <QWidget>

class QLabel;
class QLineEdit;
class QPushButton;
class WebBrowser;

// "Open File": takes the location of a file or page, typed or picked with the Open dialog, and
// sends the page browser of the window it was opened from there. Each showing starts with an empty box.
class FormOpenFile : public QWidget, public Form
{
    Q_OBJECT

public:
    explicit FormOpenFile(QWidget *parent = nullptr);

    QLabel *LabelOpenFileOrUrl = nullptr;
    QLineEdit *TextOpenFile = nullptr;
    QPushButton *CommandOK = nullptr;
    QPushButton *CommandCancel = nullptr;
    QPushButton *CommandBrowse = nullptr;

    // Shows the window modal, owned by owner, and returns once it is closed (File, Open).
    void ShowModal(QWidget *owner);
    // Shows it modeless, centred over the window that asked for it when given; when it is open
    // already it comes forward where it stands.
    void ShowModeless(const QWidget *over = nullptr);
    // The browser to send: the one on screen in the window the user opened the dialog from.
    // Until it is given, the default main window's.
    void OpenIn(WebBrowser *browser);

    // The Open dialog's title, filter and starting folder.
    static const QString OpenDialogTitle;
    static const QString OpenDialogFilter;
    static QString OpenDialogFolder();

private:
    void CommandBrowse_Click();
    void CommandOK_Click();
    void CommandCancel_Click();

    QPointer<WebBrowser> m_browser;
};
