#pragma once

#include "platform/Forms.h"

#include <QWidget>

class WebBrowser;

// "Kestrelvue Help": the help page that ships beside the program, "Help.html", in a browser of
// its own. Showing it again while it is open only brings it forward.
class FormHelp : public QWidget, public Form
{
    Q_OBJECT

public:
    explicit FormHelp(QWidget *parent = nullptr);

    WebBrowser *WebBrowserHelp = nullptr;

    void Form_Load() override;
    // Shows it modeless, centred over the window that asked for it when given; when it is open
    // already it comes forward where it stands.
    void ShowModeless(const QWidget *over = nullptr);

    // The help page: the program folder's "Help.html".
    static QString HelpPage();
};
