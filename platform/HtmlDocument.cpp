#include "platform/HtmlDocument.h"

#include "platform/HtmlDocumentBridge.h"
#include "platform/HtmlDocumentScript.h"

#include <QEventLoop>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QPointer>
#include <QTimer>
#include <QWebChannel>
#include <QWebEnginePage>
#include <QWebEngineScript>
#include <QWebEngineScriptCollection>

namespace {

const char *const ScriptName = "kestrelvue-document";

QString CancelName(HtmlDocument::CancelWhen cancel)
{
    switch (cancel) {
    case HtmlDocument::CancelWhen::Always:
        return QStringLiteral("always");
    case HtmlDocument::CancelWhen::WithoutParentElement:
        return QStringLiteral("withoutParent");
    case HtmlDocument::CancelWhen::Never:
        break;
    }
    return QStringLiteral("never");
}

// A value as a script literal; text is quoted and escaped by the JSON writer.
QString ScriptLiteral(const QVariant &value)
{
    if (!value.isValid() || value.isNull())
        return QStringLiteral("null");
    const QByteArray json = QJsonDocument(QJsonArray{QJsonValue::fromVariant(value)})
                                .toJson(QJsonDocument::Compact);
    return QString::fromUtf8(json.mid(1, json.size() - 2));
}

} // namespace

HtmlDocument::HtmlDocument(QWebEnginePage *page, QObject *parent)
    : QObject(parent), m_page(page), m_channel(new QWebChannel(this)),
      m_bridge(new HtmlDocumentBridge(this))
{
    qRegisterMetaType<HtmlEvent>();
    m_channel->registerObject(QString::fromLatin1(HtmlDocumentScript::BridgeName), m_bridge);
    m_page->setWebChannel(m_channel, ScriptWorldId);
    InstallScript();

    connect(m_bridge, &HtmlDocumentBridge::DocumentCreated, this, [this](const QString &href) {
        m_designMode = QStringLiteral("Off");
        emit DocumentCreated(href);
    });
    connect(m_bridge, &HtmlDocumentBridge::WindowLoaded, this, &HtmlDocument::WindowLoadReported);
    connect(m_bridge, &HtmlDocumentBridge::PageEvent, this, &HtmlDocument::DispatchPageEvent);
}

QString HtmlDocument::RulesJson() const
{
    QJsonObject rules;
    for (auto it = m_rules.cbegin(); it != m_rules.cend(); ++it)
        rules.insert(it.key(), QJsonObject{{"report", it->Report}, {"cancel", CancelName(it->Cancel)}});
    return QString::fromUtf8(QJsonDocument(rules).toJson(QJsonDocument::Compact));
}

void HtmlDocument::InstallScript()
{
    QWebEngineScriptCollection &scripts = m_page->scripts();
    for (const QWebEngineScript &old : scripts.find(QString::fromLatin1(ScriptName)))
        scripts.remove(old);
    QWebEngineScript script;
    script.setName(QString::fromLatin1(ScriptName));
    script.setWorldId(ScriptWorldId);
    script.setInjectionPoint(QWebEngineScript::DocumentCreation);
    script.setRunsOnSubFrames(false);
    script.setSourceCode(HtmlDocumentScript::Source(RulesJson()));
    scripts.insert(script);
}

void HtmlDocument::ApplyRules()
{
    InstallScript();
    // A page never given an address holds no document but the engine's empty one, and a script
    // run there would start a page process for nothing: its first document takes the rules
    // from the injected script.
    if (!m_page->url().isEmpty())
        m_page->runJavaScript(HtmlDocumentScript::SetRules(RulesJson()), ScriptWorldId);
}

void HtmlDocument::SetEventRule(const QString &eventType, const EventRule &rule)
{
    m_rules.insert(eventType, rule);
    ApplyRules();
}

void HtmlDocument::RemoveEventRule(const QString &eventType)
{
    m_rules.remove(eventType);
    ApplyRules();
}

void HtmlDocument::execCommand(const QString &cmdID, bool showUI, const QVariant &value,
                               const std::function<void(bool)> &done)
{
    const QString call = QStringLiteral("!!(window.__kvDocument && window.__kvDocument.execCommand(%1, %2, %3));")
                             .arg(ScriptLiteral(cmdID), showUI ? "true" : "false", ScriptLiteral(value));
    RunCommand(call, [done](const QVariant &result) {
        if (done)
            done(result.toBool());
    });
}

void HtmlDocument::selectAll()
{
    RunCommand(QStringLiteral("window.__kvDocument && window.__kvDocument.selectAll();"));
}

void HtmlDocument::clearSelection()
{
    RunCommand(QStringLiteral("window.__kvDocument && window.__kvDocument.clearSelection();"));
}

void HtmlDocument::RunCommand(const QString &script, const std::function<void(const QVariant &)> &done)
{
    ++m_pendingCommands;
    QPointer<HtmlDocument> self(this);
    m_page->runJavaScript(script, ScriptWorldId, [self, done](const QVariant &result) {
        if (self && --self->m_pendingCommands == 0)
            emit self->CommandsRun(QPrivateSignal());
        if (done)
            done(result);
    });
}

void HtmlDocument::WaitForCommands(int timeoutMs)
{
    if (m_pendingCommands == 0)
        return;
    QEventLoop loop;
    connect(this, &HtmlDocument::CommandsRun, &loop, &QEventLoop::quit);
    QTimer::singleShot(timeoutMs, &loop, &QEventLoop::quit);
    loop.exec(QEventLoop::ExcludeUserInputEvents);
}

void HtmlDocument::setDesignMode(const QString &mode)
{
    const bool on = mode.compare(QLatin1String("On"), Qt::CaseInsensitive) == 0;
    m_designMode = on ? QStringLiteral("On") : QStringLiteral("Off");
    RunCommand(QStringLiteral("document.designMode = '%1';").arg(on ? "on" : "off"));
}

void HtmlDocument::WindowLoaded(const QString &href, const QString &title)
{
    emit onload(href, title);
}

QString HtmlDocument::Title() const
{
    return m_page->title();
}

QString HtmlDocument::URL() const
{
    return m_page->url().toString();
}

void HtmlDocument::DispatchPageEvent(const QVariantMap &message)
{
    const HtmlEvent event = HtmlEvent::FromMessage(message);
    if (event.Type == QLatin1String("click"))
        emit onclick(event);
    else if (event.Type == QLatin1String("keypress"))
        emit onkeypress(event);
    else if (event.Type == QLatin1String("selectstart"))
        emit onselectstart(event);
    else if (event.Type == QLatin1String("contextmenu"))
        emit oncontextmenu(event);
    else if (event.Type == QLatin1String("mouseup"))
        emit onmouseup(event);
}
