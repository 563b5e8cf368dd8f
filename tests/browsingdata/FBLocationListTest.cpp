#include "browsingdata/FBLocationList.h"

#include <gtest/gtest.h>

#include <limits>

namespace {

FBLocationList ListOf(int pages)
{
    FBLocationList list;
    list.Initialize();
    for (int i = 1; i <= pages; ++i)
        list.AddLocation(QStringLiteral("http://p%1/").arg(i), QStringLiteral("Page %1").arg(i));
    return list;
}

} // namespace

TEST(FBLocationList, FirstPagesFillBackOnlyFromTheThird)
{
    FBLocationList list = ListOf(1);
    EXPECT_TRUE(list.BackNames().isEmpty());
    EXPECT_TRUE(list.ForwardNames().isEmpty());
    list.AddLocation(u"http://p2/"_qs, u"Page 2"_qs);
    EXPECT_TRUE(list.BackNames().isEmpty()) << "the first page is never listed";
    list.AddLocation(u"http://p3/"_qs, u"Page 3"_qs);
    EXPECT_EQ(list.BackNames(), QStringList{u"Page 2"_qs});
}

TEST(FBLocationList, ListsNearestFirstAndMovesByItemPosition)
{
    FBLocationList list = ListOf(5);
    EXPECT_EQ(list.BackNames(), (QStringList{u"Page 4"_qs, u"Page 3"_qs, u"Page 2"_qs}));
    EXPECT_TRUE(list.ForwardNames().isEmpty());

    list.CancelAddLocation = true;
    EXPECT_EQ(list.GoBack(2), u"http://p3/"_qs);
    EXPECT_FALSE(list.AddLocation(u"http://p3/"_qs, u"Page 3"_qs));
    EXPECT_FALSE(list.CancelAddLocation);
    EXPECT_EQ(list.Size(), 5);
    EXPECT_EQ(list.CurrentPosition(), 3);
    EXPECT_EQ(list.BackNames(), QStringList{u"Page 2"_qs});
    EXPECT_EQ(list.ForwardNames(), (QStringList{u"Page 4"_qs, u"Page 5"_qs}));

    list.CancelAddLocation = true;
    EXPECT_EQ(list.GoForward(2), u"http://p5/"_qs);
    list.AddLocation(u"http://p5/"_qs, u"Page 5"_qs);
    EXPECT_EQ(list.CurrentPosition(), 5);
    EXPECT_EQ(list.Size(), 5);
}

TEST(FBLocationList, NewPageAfterGoingBackDropsForwardEntries)
{
    FBLocationList list = ListOf(4);
    list.CancelAddLocation = true;
    list.GoBack(2);
    list.AddLocation(u"http://p2/"_qs, u"Page 2"_qs);
    // Any load not announced is a new page, also one of an address already in the list.
    list.AddLocation(u"http://p1/"_qs, u"Page 1"_qs);
    EXPECT_TRUE(list.ForwardNames().isEmpty());
    EXPECT_EQ(list.Size(), 3);
    EXPECT_EQ(list.At(3).URL, u"http://p1/"_qs);
}

TEST(FBLocationList, MovesOutsideTheListChangeNothing)
{
    FBLocationList list = ListOf(3);
    EXPECT_EQ(list.GoBack(3), QString());
    EXPECT_EQ(list.GoForward(1), QString());
    EXPECT_EQ(list.GoBack(-1), QString());
    EXPECT_EQ(list.GoForward(std::numeric_limits<int>::max()), QString());
    EXPECT_EQ(list.GoBack(std::numeric_limits<int>::min()), QString());
    EXPECT_EQ(list.CurrentPosition(), 3);
}

TEST(FBLocationList, CancelBeforeFirstPageStillRecordsIt)
{
    FBLocationList list;
    list.Initialize();
    list.CancelAddLocation = true;
    EXPECT_TRUE(list.AddLocation(u"http://p1/"_qs, u"Page 1"_qs));
    EXPECT_EQ(list.CurrentPosition(), 1);
}

TEST(FBLocationList, PositionsGoPastSixteenBits)
{
    FBLocationList list = ListOf(40000);
    EXPECT_EQ(list.CurrentPosition(), 40000);
    EXPECT_EQ(list.BackNames().size(), 39998);
    EXPECT_EQ(list.BackNames().first(), u"Page 39999"_qs);
    list.CancelAddLocation = true;
    EXPECT_EQ(list.GoBack(39990), u"http://p10/"_qs);
    list.AddLocation(u"http://p10/"_qs, u"Page 10"_qs);
    EXPECT_EQ(list.ForwardNames().size(), 39990);
    EXPECT_EQ(list.ForwardNames().last(), u"Page 40000"_qs);
}
