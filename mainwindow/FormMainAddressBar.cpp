#include "mainwindow/FormMain.h"

#include "browsingdata/FormSelectSearch.h"
#include "controls/UCTVHistory.h"
#include "controls/XPStyleImageTextBox.h"
#include "platform/WebBrowser.h"

#include <QFrame>
#include <QLabel>
#include <QMouseEvent>

// The Address bar, and the history pane's page clicks, which navigate the same way.
void FormMain::ConnectAddressBar()
{
    PictureGo->setPixmap(ImageListGoButton.Pixmap(QStringLiteral("1")));
    PictureGo->installEventFilter(this);
    connect(XPStyleImageTextBox1, &XPStyleImageTextBox::UrlChanged, this, &FormMain::XPStyleImageTextBox1_UrlChanged);
    connect(XPStyleImageTextBox1, &XPStyleImageTextBox::DoSearch, this, &FormMain::XPStyleImageTextBox1_DoSearch);
    connect(WebBrowserMain, &WebBrowser::FtpNavigationRequested, this, &FormMain::InitFTPPane);
    connect(TreeViewHistory, &UCTVHistory::HistoryNavTo, this, &FormMain::TreeViewHistory_HistoryNavTo);
}

void FormMain::TreeViewHistory_HistoryNavTo(const QString &url)
{
    WebBrowserMain->Navigate(url);
}

void FormMain::PictureGo_MouseDown()
{
    PictureGo->setPixmap(ImageListGoButton.Pixmap(QStringLiteral("2")));
}

void FormMain::PictureGo_MouseUp()
{
    PictureGo->setPixmap(ImageListGoButton.Pixmap(QStringLiteral("1")));
    WebBrowserMain->Navigate(XPStyleImageTextBox1->Text());
}

void FormMain::XPStyleImageTextBox1_DoSearch(const QString &text)
{
    Forms::Default<FormSelectSearch>();
    // The query is percent-encoded, so that "&", "#" or "+" in the text stay part of it.
    WebBrowserMain->Navigate(FormSelectSearch::SearchUrl(text));
}

void FormMain::XPStyleImageTextBox1_UrlChanged()
{
    const QString text = XPStyleImageTextBox1->Text();
    if (!text.startsWith(QLatin1String("ftp"), Qt::CaseSensitive)) {
        HideFTPPane();
        WebBrowserMain->Navigate(text);
    } else {
        InitFTPPane(text);
    }
}
