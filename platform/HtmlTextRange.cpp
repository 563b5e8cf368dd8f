#include "platform/HtmlTextRange.h"

#include "platform/HtmlDocument.h"
#include "platform/HtmlTextRangeScript.h"

#include <QEventLoop>
#include <QJsonArray>
#include <QJsonDocument>
#include <QTimer>
#include <QWebEnginePage>

#include <memory>

namespace {

int NextRangeId()
{
    static int id = 0;
    return ++id;
}

// Text as a script string literal, quoted and escaped by the JSON writer.
QString StringLiteral(const QString &text)
{
    const QByteArray json = QJsonDocument(QJsonArray{text}).toJson(QJsonDocument::Compact);
    return QString::fromUtf8(json.mid(1, json.size() - 2));
}

} // namespace

HtmlTextRange::HtmlTextRange(HtmlDocument *document, QObject *parent)
    : QObject(parent), m_document(document), m_id(NextRangeId())
{
    Call(QStringLiteral("create"), QString(), false);
}

HtmlTextRange::~HtmlTextRange()
{
    Call(QStringLiteral("release"), QString(), false);
}

bool HtmlTextRange::findText(const QString &text, int count, int flags)
{
    const QString arguments = QStringLiteral("%1, %2, %3").arg(StringLiteral(text)).arg(count).arg(flags);
    return Call(QStringLiteral("find"), arguments, true).toBool();
}

void HtmlTextRange::select()
{
    Call(QStringLiteral("select"), QString(), false);
}

void HtmlTextRange::setEndPoint(const QString &how, const HtmlTextRange *source)
{
    if (!source)
        return;
    Call(QStringLiteral("setEndPoint"), QStringLiteral("%1, %2").arg(StringLiteral(how)).arg(source->m_id),
         false);
}

void HtmlTextRange::scrollIntoView(bool start)
{
    Call(QStringLiteral("scrollIntoView"), start ? QStringLiteral("true") : QStringLiteral("false"), false);
}

QVariant HtmlTextRange::Call(const QString &method, const QString &arguments, bool wait)
{
    if (!m_document || !m_document->Page())
        return {};
    const QString script = HtmlTextRangeScript::Call(m_id, method, arguments);
    QWebEnginePage *page = m_document->Page();
    if (!wait) {
        page->runJavaScript(script, HtmlDocument::ScriptWorldId);
        return {};
    }
    // The answer may come after the wait has given up: it then lands in a result nobody reads.
    struct Answer
    {
        QVariant value;
        bool arrived = false;
        QEventLoop *loop = nullptr;
    };
    auto answer = std::make_shared<Answer>();
    QEventLoop loop;
    answer->loop = &loop;
    page->runJavaScript(script, HtmlDocument::ScriptWorldId, [answer](const QVariant &result) {
        answer->value = result;
        answer->arrived = true;
        if (answer->loop)
            answer->loop->quit();
    });
    if (!answer->arrived) {
        QTimer::singleShot(AnswerTimeoutMs, &loop, &QEventLoop::quit);
        connect(page, &QObject::destroyed, &loop, &QEventLoop::quit);
        loop.exec(QEventLoop::ExcludeUserInputEvents);
    }
    answer->loop = nullptr;
    return answer->value;
}
