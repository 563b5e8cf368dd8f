#pragma once

#include "platform/HtmlEvent.h"

// How the main window reads the events of its page document, as rules without a window.
namespace PageEventRules {

// The context menus the window shows in place of the browser's own.
enum class ContextMenu { Link, Image, TextEdit, Page };

// A click counts as a link click when the clicked element is a link, or when its parent's text
// value is an address (an image or a bold run inside a link).
bool IsLinkClick(const HtmlEvent &event);

// A click report: the click goes on as the page means it unless it hit no element with a parent
// (then it is cancelled); a link click sets linkClicked and leaves it set otherwise.
bool ClickGoesOn(const HtmlEvent &event, bool &linkClicked);

// The menu for a right-click: on a link or inside one, on an image, while page text is
// selected or on a text box, else the page's menu.
ContextMenu ContextMenuFor(const HtmlEvent &event);

} // namespace PageEventRules
