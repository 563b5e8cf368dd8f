#include "mainwindow/FormHelp.h"

#include "mainwindow/DialogTools.h"
#include "platform/ProgramFolder.h"
#include "platform/WebBrowser.h"

#include <QDir>

FormHelp::FormHelp(QWidget *parent)
    : QWidget(parent, Qt::Window | Qt::CustomizeWindowHint
                          | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint)
{
    setWindowTitle(QStringLiteral("Kestrelvue Help"));
    setFixedSize(6630 / 15, 6885 / 15);
    WebBrowserHelp = new WebBrowser(this);
    DialogTools::PlaceTwips(WebBrowserHelp, 0, 0, 6615, 6855);
}

void FormHelp::Form_Load()
{
    WebBrowserHelp->Navigate(HelpPage());
}

QString FormHelp::HelpPage()
{
    return QDir(ProgramFolder::AppPath()).filePath(QStringLiteral("Help.html"));
}

void FormHelp::ShowModeless(const QWidget *over)
{
    DialogTools::ShowModeless(this, over);
}
