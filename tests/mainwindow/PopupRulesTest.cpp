#include "mainwindow/PageEventRules.h"
#include "mainwindow/PopupBlockerRules.h"

#include <gtest/gtest.h>

using PopupBlockerRules::Decide;
using PopupBlockerRules::Decision;

TEST(PopupBlockerRules, BlockerOffOpensEveryPopupAndOnOpensOnlyAfterALinkClick)
{
    EXPECT_EQ(Decide(false, false, 0, 3), Decision::Open);
    EXPECT_EQ(Decide(false, true, 9, 3), Decision::Open) << "without the blocker the depth plays no part";
    EXPECT_EQ(Decide(true, false, 0, 3), Decision::Block);
    EXPECT_EQ(Decide(true, true, 0, 3), Decision::OpenAfterLinkClick);
}

TEST(PopupBlockerRules, ChainsOfPopupWindowsEndAtTheAllowedDepth)
{
    EXPECT_EQ(Decide(true, true, 2, 3), Decision::OpenAfterLinkClick);
    EXPECT_EQ(Decide(true, true, 3, 3), Decision::Block);
    EXPECT_EQ(Decide(true, true, 0, 0), Decision::OpenAfterLinkClick) << "a window the user opened always may";
    EXPECT_EQ(Decide(true, true, 1, 0), Decision::Block);
}

TEST(PopupBlockerRules, StatusTextCountsTheBlockedPopups)
{
    EXPECT_EQ(PopupBlockerRules::StatusText(1), QStringLiteral("Popup Blocker is On -- 1 Popup Has Been Blocked"));
    EXPECT_EQ(PopupBlockerRules::StatusText(2), QStringLiteral("Popup Blocker is On -- 2 Popups Have Been Blocked"));
    EXPECT_EQ(PopupBlockerRules::StatusText(40000), QStringLiteral("Popup Blocker is On -- 40000 Popups Have Been Blocked"));
}

namespace {

HtmlEvent Event(const QString &tag, const QString &parentText, const QString &typeAttribute = {},
                const QString &selection = QStringLiteral("None"))
{
    HtmlEvent e;
    e.HasSrcElement = true;
    e.SrcTagName = tag;
    e.HasParentElement = true;
    e.ParentText = parentText;
    e.SrcTypeAttribute = typeAttribute;
    e.SelectionType = selection;
    return e;
}

const QString kBody = QStringLiteral("[object HTMLBodyElement]");

} // namespace

TEST(PageEventRules, ALinkClickIsOnALinkOrInsideOne)
{
    EXPECT_TRUE(PageEventRules::IsLinkClick(Event("A", kBody)));
    EXPECT_TRUE(PageEventRules::IsLinkClick(Event("LINK", kBody)));
    EXPECT_TRUE(PageEventRules::IsLinkClick(Event("IMG", "HTTPS://example.test/")));
    EXPECT_TRUE(PageEventRules::IsLinkClick(Event("B", "ftp://host/")));
    EXPECT_TRUE(PageEventRules::IsLinkClick(Event("SPAN", "www.example.test")));
    EXPECT_FALSE(PageEventRules::IsLinkClick(Event("a", kBody))) << "tag names compare exactly";
    EXPECT_FALSE(PageEventRules::IsLinkClick(Event("BUTTON", kBody)));
}

TEST(PageEventRules, AClickWithoutAParentIsCancelledAndALinkClickStaysRecorded)
{
    bool linkClicked = false;
    EXPECT_TRUE(PageEventRules::ClickGoesOn(Event("BUTTON", kBody), linkClicked));
    EXPECT_FALSE(linkClicked);
    EXPECT_TRUE(PageEventRules::ClickGoesOn(Event("A", kBody), linkClicked));
    EXPECT_TRUE(linkClicked);
    EXPECT_TRUE(PageEventRules::ClickGoesOn(Event("BUTTON", kBody), linkClicked));
    EXPECT_TRUE(linkClicked) << "a later click does not undo the link click";

    HtmlEvent orphan = Event("A", kBody);
    orphan.HasParentElement = false;
    linkClicked = false;
    EXPECT_FALSE(PageEventRules::ClickGoesOn(orphan, linkClicked));
    EXPECT_FALSE(linkClicked);
}

TEST(PageEventRules, ContextMenuFollowsTheFirstRuleThatHolds)
{
    using PageEventRules::ContextMenu;
    using PageEventRules::ContextMenuFor;
    EXPECT_EQ(ContextMenuFor(Event("A", kBody, {}, "Text")), ContextMenu::Link);
    EXPECT_EQ(ContextMenuFor(Event("IMG", "http://example.test/")), ContextMenu::Link);
    EXPECT_EQ(ContextMenuFor(Event("IMG", kBody, {}, "Text")), ContextMenu::Image);
    EXPECT_EQ(ContextMenuFor(Event("SPAN", "www.example.test")), ContextMenu::Page)
        << "unlike a click, an address without a scheme is no link here";
    EXPECT_EQ(ContextMenuFor(Event("P", kBody, {}, "Text")), ContextMenu::TextEdit);
    EXPECT_EQ(ContextMenuFor(Event("INPUT", kBody, "text")), ContextMenu::TextEdit);
    EXPECT_EQ(ContextMenuFor(Event("INPUT", kBody, "Text")), ContextMenu::Page);
    EXPECT_EQ(ContextMenuFor(Event("BODY", "[object HTMLHtmlElement]")), ContextMenu::Page);
}
