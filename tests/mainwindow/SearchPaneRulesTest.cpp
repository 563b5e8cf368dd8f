#include "mainwindow/SearchPaneRules.h"

#include <gtest/gtest.h>

using SearchPaneRules::RedirectsToMainBrowser;
using SearchPaneRules::StayAfterElement;

TEST(SearchPaneRules, InputElementsKeepTheSearchInThePaneUnlessFeelingLucky)
{
    EXPECT_TRUE(StayAfterElement(false, "INPUT", "<input name=\"q\" type=\"text\">"));
    EXPECT_FALSE(StayAfterElement(true, "INPUT", "<input type=\"submit\" value=\"I'm Feeling Lucky\">"));
    EXPECT_FALSE(StayAfterElement(true, "INPUT", "<input value=\"FEELING LUCKY\" target=\"_self\">"))
        << "feeling lucky wins over the markers";
    EXPECT_FALSE(StayAfterElement(true, "input", "<input name=\"q\">"))
        << "only the upper-case tag name counts as an input element";
}

TEST(SearchPaneRules, OtherElementsStayOnlyWithAMarker)
{
    EXPECT_FALSE(StayAfterElement(true, "A", "<a href=\"http://example.test/result\">Result</a>"));
    EXPECT_FALSE(StayAfterElement(true, "P", "<p>plain text</p>"));
    EXPECT_TRUE(StayAfterElement(false, "A", "<a href=\"/next\" TARGET=_SELF>Next</a>"));
    EXPECT_TRUE(StayAfterElement(false, "A", "<a href=\"/next\" target=\"_self\">Next</a>"))
        << "the document quotes its attribute values";
    EXPECT_TRUE(StayAfterElement(false, "A", "<a target='resFrame' href=\"/x\">x</a>"));
    EXPECT_TRUE(StayAfterElement(false, "A", "<a href=\"/ie?q=cats&amp;start=10\">2</a>"));
    EXPECT_TRUE(StayAfterElement(false, "A", "<a href=\"" + SearchPaneRules::WebSearchEndpoint + "?q=x\">more</a>"));
    EXPECT_TRUE(StayAfterElement(false, "A", "<a href=\"/r\" target=\"_self\">I'm feeling lucky</a>"))
        << "feeling lucky only matters on an input element";
}

TEST(SearchPaneRules, OnlyABuiltSideBarRedirectsAndOnlyWhenNothingKeepsTheNavigation)
{
    EXPECT_TRUE(RedirectsToMainBrowser(true, false, false));
    EXPECT_FALSE(RedirectsToMainBrowser(false, false, false));
    EXPECT_FALSE(RedirectsToMainBrowser(true, true, false));
    EXPECT_FALSE(RedirectsToMainBrowser(true, false, true));
}
