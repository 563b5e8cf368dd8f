#pragma once

#include <QString>

// Where the popup blocker sends a page's request for a new window, as rules without a window.
namespace PopupBlockerRules {

enum class Decision {
    Open,               // the blocker is off: a new window takes the popup
    OpenAfterLinkClick, // the blocker is on, but the user has just clicked a link
    Block               // a hidden sink takes the popup
};

// depth is the window's place in a chain of popups (0 for a window the user opened). A popup
// window lets the first popup after each navigation through, so a page that opens itself would
// open windows without end: below a window the user opened, at most `allowed` popup windows
// follow one another.
Decision Decide(bool killPopups, bool linkClicked, int depth, int allowed);

// The status text after count popups have been blocked.
QString StatusText(int count);

} // namespace PopupBlockerRules
