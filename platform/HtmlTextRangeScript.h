#pragma once

#include <QString>

// The page side of HtmlTextRange: a script, run in the document script's world, that keeps the
// host's text ranges of the current document by id and finds, selects and scrolls with them.
namespace HtmlTextRangeScript {

// A statement that defines the range functions in the document (once) and calls one of them:
// method is "create", "find", "select", "setEndPoint", "scrollIntoView" or "release"; arguments
// is the script text of the arguments after the range id, e.g. "'word', 1, 0". Its value is
// the call's result.
QString Call(int rangeId, const QString &method, const QString &arguments);

} // namespace HtmlTextRangeScript
