#pragma once

#include "platform/HtmlEvent.h"

#include <QHash>
#include <QObject>
#include <QString>
#include <QVariant>
#include <functional>

class QWebChannel;
class QWebEnginePage;
class HtmlDocumentBridge;

// The HTML document of a browser's page, as the host reaches it: commands and design mode run as
// script in an isolated world, and the page's events arrive as signals. One object follows the
// page from document to document. The page's messages are asynchronous: an event is reported
// after the page has acted on it, so whether its default action goes on is decided in the page
// by the rule the host has registered for that event.
class HtmlDocument : public QObject
{
    Q_OBJECT
public:
    enum class CancelWhen {
        Never,                // the default action goes on (the handler returns True)
        Always,               // the default action is cancelled (the handler returns False)
        WithoutParentElement  // cancelled when the event's element has no parent element
    };
    struct EventRule
    {
        bool Report = true;
        CancelWhen Cancel = CancelWhen::Never;
    };

    // The world the document script runs in, apart from the page's own scripts.
    static constexpr int ScriptWorldId = 1;

    explicit HtmlDocument(QWebEnginePage *page, QObject *parent = nullptr);

    // Registers the rule for one event type ("click", "keypress", "selectstart", "contextmenu",
    // "mouseup"); it holds for the current document and every later one. Events without a rule
    // are neither reported nor cancelled.
    void SetEventRule(const QString &eventType, const EventRule &rule);
    void RemoveEventRule(const QString &eventType);

    // Runs a document command on the current selection; "FontSize" takes the sizes 1 to 7.
    // The result (whether the document ran it) arrives later through `done`, when given.
    void execCommand(const QString &cmdID, bool showUI = false, const QVariant &value = {},
                     const std::function<void(bool)> &done = {});

    // Selects the whole document, or the text of the focused text box; and takes the selection
    // away. They run in order with execCommand, which the engine's own editing actions do not.
    void selectAll();
    void clearSelection();

    // Lets events run until the page has run every command sent so far (at most timeoutMs), so
    // that an engine action that follows sees their effect.
    void WaitForCommands(int timeoutMs = 5000);

    // "On" makes the whole document editable, "Off" ends it; the page's next document starts "Off".
    void setDesignMode(const QString &mode);
    QString designMode() const { return m_designMode; }

    QString Title() const;
    QString URL() const;

    QWebEnginePage *Page() const { return m_page; }

    // Raises onload: the browser decides when the window has loaded, from the page's own report
    // or from the engine's, whichever comes first.
    void WindowLoaded(const QString &href, const QString &title);

signals:
    // A new top-level document exists (its address); the page reports that its window has loaded
    // (address and title), which may come after the engine's report of the load.
    void DocumentCreated(const QString &href);
    void WindowLoadReported(const QString &href, const QString &title);
    // The window has loaded (address and title): once per document.
    void onload(const QString &href, const QString &title);

    void onclick(const HtmlEvent &event);
    void onkeypress(const HtmlEvent &event);
    void onselectstart(const HtmlEvent &event);
    void oncontextmenu(const HtmlEvent &event);
    void onmouseup(const HtmlEvent &event);

    // Every command sent so far has run in the page.
    void CommandsRun(QPrivateSignal);

private:
    QString RulesJson() const;
    void RunCommand(const QString &script, const std::function<void(const QVariant &)> &done = {});
    void InstallScript();
    void ApplyRules();
    void DispatchPageEvent(const QVariantMap &message);

    QWebEnginePage *m_page;
    QWebChannel *m_channel;
    HtmlDocumentBridge *m_bridge;
    QHash<QString, EventRule> m_rules;
    QString m_designMode = QStringLiteral("Off");
    int m_pendingCommands = 0;
};
