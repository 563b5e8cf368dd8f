#pragma once

#include <QObject>
#include <QPointer>
#include <QString>
#include <QVariant>

class HtmlDocument;

// A stretch of a page's rendered text, as the host finds and selects text with it. Made over
// the whole body of the document, it narrows to a match (findText), becomes the page's
// selection (select), moves its edges (setEndPoint) and scrolls into view. The range lives in
// the page, in the document script's world; when the page has been replaced by another one,
// the range starts again over the new page's body.
//
// findText waits for the page's answer (letting events other than user input run);
// the other calls are sent in order and take effect before any later call runs in the page.
class HtmlTextRange : public QObject
{
    Q_OBJECT
public:
    // findText flags; the values are bits that callers combine.
    enum FindFlags { MatchWholeWord = 2, MatchCase = 4 };

    // A range over the whole body of the document (the body's createTextRange).
    explicit HtmlTextRange(HtmlDocument *document, QObject *parent = nullptr);
    // Releases the range in the page.
    ~HtmlTextRange() override;

    // Searches the text: with a positive count forward from the range's start to the end of the
    // body, with a negative count backward from the range's end to the start of the body. Runs of
    // white space match one another; text hidden from view and line or block breaks never match.
    // On a match the range covers it and true is returned; otherwise the range stays and false
    // is returned (also for an empty text, or when the page does not answer in time).
    bool findText(const QString &text, int count = 1, int flags = 0);
    // Makes the range the page's selection.
    void select();
    // Moves one edge of this range to an edge of source: "StartToEnd" moves the start to the
    // source's end, "EndToStart" the end to its start, likewise "StartToStart" and "EndToEnd".
    void setEndPoint(const QString &how, const HtmlTextRange *source);
    // Scrolls the page so that the range's top (start true) or bottom is at that edge of the view.
    void scrollIntoView(bool start = true);

    // How long a call that waits for the page waits at most.
    static constexpr int AnswerTimeoutMs = 10000;

private:
    QVariant Call(const QString &method, const QString &arguments, bool wait);

    QPointer<HtmlDocument> m_document;
    int m_id;
};
