#pragma once

#include <QString>

// Which navigations of the side bar's search pane stay in it and which go to the main browser.
// The engine's own pages (its form, result lists, further result pages) stay; a result the user
// follows opens in the main browser.
namespace SearchPaneRules {

// The web-search endpoint: its addresses always stay in the pane.
inline const QString WebSearchEndpoint = QStringLiteral("http://search.kestrelvue.com/search.gw");

// StayInSearchPane after a key press or mouse release on an element (its tag name as the document
// reports it, and its outer HTML): an input element keeps the next navigation in the pane unless
// it is a "feeling lucky" one; any other element only when its HTML holds a search-pane marker.
bool StayAfterElement(bool stay, const QString &tagName, const QString &outerHTML);

// Whether the pane's next navigation is taken from it and given to the main browser.
bool RedirectsToMainBrowser(bool sideBarBuilt, bool keepNextSearchNavigation, bool stayInSearchPane);

} // namespace SearchPaneRules
