#include "mainwindow/FormDeadEnd.h"

#include "platform/HtmlDocument.h"
#include "platform/WebBrowser.h"

#include <QTimer>
#include <QVBoxLayout>

FormDeadEnd::FormDeadEnd(int depth, QWidget *parent) : QWidget(parent), m_depth(depth)
{
    setObjectName(QStringLiteral("FormDeadEnd"));
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    WebBrowser1 = new WebBrowser(this);
    WebBrowser1->setObjectName(QStringLiteral("WebBrowser1"));
    layout->addWidget(WebBrowser1);

    Timer1 = new QTimer(this);
    Timer1->setInterval(2000);

    connect(WebBrowser1, &WebBrowser::DownloadComplete, this, &FormDeadEnd::WebBrowser1_DownloadComplete);
    connect(WebBrowser1, &WebBrowser::NewWindow2, this,
            [this](WebBrowser *&ppDisp, bool &Cancel, const QString &, bool) {
                WebBrowser1_NewWindow2(ppDisp, Cancel);
            });
    connect(Timer1, &QTimer::timeout, this, &FormDeadEnd::Timer1_Timer);
}

FormDeadEnd *FormDeadEnd::LoadHidden(int depth)
{
    auto *sink = new FormDeadEnd(depth);
    sink->setVisible(false);
    Forms::Load(sink);
    sink->WebBrowser1->SetRegisterAsBrowser(true);
    return sink;
}

void FormDeadEnd::Form_Load()
{
    Timer1->start();
}

void FormDeadEnd::WebBrowser1_DownloadComplete()
{
    m_Doc = WebBrowser1->Document();
    m_Doc->setDesignMode(QStringLiteral("On"));
}

void FormDeadEnd::WebBrowser1_NewWindow2(WebBrowser *&ppDisp, bool &Cancel)
{
    if (m_depth >= MaxDepth) {
        Cancel = true;
        return;
    }
    ppDisp = LoadHidden(m_depth + 1)->WebBrowser1;
}

void FormDeadEnd::Timer1_Timer()
{
    Timer1->stop();
    m_Doc = nullptr;
    Forms::Unload(this);
}
