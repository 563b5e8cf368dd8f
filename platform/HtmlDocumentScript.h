#pragma once

#include <QString>

// The script that every top-level document of a browser runs, in its own isolated world, before
// the page's scripts: it reports the document's creation, its window's load and the user events
// to the host over the web channel, and cancels an event's default action where the host's rules
// say so (the decision must be made in the page, while the event is dispatched).
namespace HtmlDocumentScript {

// The name of the host object on the channel.
inline constexpr const char *BridgeName = "kvDocument";

// The whole source: the channel's client library, then ours, started with the given rules
// (a JSON object: event type -> {"report": bool, "cancel": "never" | "always" | "withoutParent"}).
QString Source(const QString &rulesJson);

// A statement that replaces the rules in a document that already runs the script.
QString SetRules(const QString &rulesJson);

} // namespace HtmlDocumentScript
