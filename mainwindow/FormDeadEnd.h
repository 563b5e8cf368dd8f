#pragma once

#include "platform/Forms.h"

#include <QWidget>

class HtmlDocument;
class QTimer;
class WebBrowser;

// The hidden sink of a blocked popup: it takes the popup's page, never shows it, switches it to
// design mode once it has downloaded, and unloads itself two seconds after its load.
class FormDeadEnd : public QWidget, public Form
{
    Q_OBJECT
public:
    // How many sinks a blocked popup may pass through: a sunk page's own popups go into one
    // further sink, and that sink's popups are dropped, so a page that keeps opening popups
    // cannot fill the program with hidden pages.
    static constexpr int MaxDepth = 2;

    // depth 1 for the sink of a window's blocked popup, one more for each sink behind it.
    explicit FormDeadEnd(int depth = 1, QWidget *parent = nullptr);

    // Creates a sink, loads it hidden and registers its browser for a popup.
    static FormDeadEnd *LoadHidden(int depth = 1);

    void Form_Load() override;

    int Depth() const { return m_depth; }

    WebBrowser *WebBrowser1 = nullptr;
    QTimer *Timer1 = nullptr;

private:
    void WebBrowser1_DownloadComplete();
    void WebBrowser1_NewWindow2(WebBrowser *&ppDisp, bool &Cancel);
    void Timer1_Timer();

    HtmlDocument *m_Doc = nullptr;
    int m_depth;
};
