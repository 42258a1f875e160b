// What a tap hits: streets against places, route-end picking on one-way
// streets, road nodes and segments for the avoid lists.
#include "view/MapState.h"
#include "support/MapBuilder.h"
#include "view/Picking.h"

#include <gtest/gtest.h>

namespace {

// A 480 × 640 view at one pixel per map unit with one street along y = 100.
class TapTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        street = map.Way("Phố Huế", {{0, 100}, {200, 100}, {400, 100}});
        map.Finish();
        s.m_dScale = 1.0;
        Rebase(1.0 / 3);  // exactly three times the base scale: every place is a candidate
    }
    void Rebase(double base)
    {
        s.m_dBaseScale = base;
        UpdateVisibleWays(s, s);
    }
    int Hit(QPoint tap)
    {
        kind = 0;
        return HitTestWayOrPlace(s, tap, kind, hit);
    }

    MapState s;
    MapBuilder map{s};
    int street = -1;
    int kind = 0;
    QPoint hit;
};

TEST_F(TapTest, NearPlaceBeatsNearerStreet)
{
    const int hotel = map.Place("Khách sạn Sao", {100, 103}, 12);
    // The street is 1 pixel away, the place 4: a place under 5 pixels wins.
    EXPECT_EQ(Hit({100, 99}), hotel);
    EXPECT_EQ(kind, kHitPlace);
    EXPECT_EQ(hit, QPoint(100, 103));
}

TEST_F(TapTest, PlaceBetweenFiveAndTenPixelsWinsOnlyOverAFartherStreet)
{
    const int bank = map.Place("Ngân hàng A", {100, 115}, 3);
    // Place 7 pixels away, street 8: the place wins.
    EXPECT_EQ(Hit({100, 108}), bank);
    EXPECT_EQ(kind, kHitPlace);
    // Place 7 pixels away, street 6: the street wins, at its nearest point.
    EXPECT_EQ(Hit({107, 106}), street);
    EXPECT_EQ(kind, kHitWay);
    EXPECT_EQ(hit, QPoint(107, 100));
}

TEST_F(TapTest, NothingWithinTenPixels)
{
    map.Place("Chợ Hôm", {100, 125}, 14);
    EXPECT_EQ(Hit({100, 113}), -1);
}

TEST_F(TapTest, PlacesAreCandidatesOnlyFromThreeTimesTheBaseScaleUnlessSearched)
{
    const int market = map.Place("Chợ Hôm", {100, 103}, 14);
    Rebase(0.34);  // just below three times the base scale
    EXPECT_EQ(Hit({100, 99}), street);

    // A place search for this category by name makes it a candidate again…
    s.m_bSearchResult = 1;
    s.m_nFoundCategory = 14;
    s.m_strSearchName = QStringLiteral("Chợ Hôm");
    EXPECT_EQ(Hit({100, 99}), market);
    // … and so does "Tất cả", but not a search of another category.
    s.m_strSearchName = QStringLiteral("Tất cả");
    EXPECT_EQ(Hit({100, 99}), market);
    s.m_nFoundCategory = 12;
    EXPECT_EQ(Hit({100, 99}), street);
}

TEST_F(TapTest, EqualPlaceDistancesKeepTheEarlierPlace)
{
    const int first = map.Place("A", {100, 300}, 1);
    map.Place("B", {104, 300}, 1);
    EXPECT_EQ(Hit({102, 300}), first);
    // Distances count in whole pixels: 4.47 and 4.12 are both 4, so the
    // earlier place wins although the later one is nearer.
    const int earlier = map.Place("C", {304, 502}, 1);
    map.Place("D", {296, 499}, 1);
    EXPECT_EQ(Hit({300, 500}), earlier);
}

TEST_F(TapTest, PlaceLabelFollowsFilterOrSearch)
{
    const int hospital = map.Place("Bạch Mai", {100, 300}, 1);
    EXPECT_TRUE(PlaceLabelShown(s, hospital));
    s.m_showCategory[0] = 0;
    EXPECT_FALSE(PlaceLabelShown(s, hospital));
    s.m_bSearchResult = 1;
    s.m_nFoundCategory = 1;
    s.m_strSearchName = QStringLiteral("All");
    EXPECT_TRUE(PlaceLabelShown(s, hospital));
    EXPECT_EQ(PlaceLabel(1, QStringLiteral("Bạch Mai")), QStringLiteral("Bệnh viện_Bạch Mai"));
    EXPECT_EQ(PlaceLabel(1, QStringLiteral("X")), QStringLiteral("Bệnh viện"));
}

TEST(PickNearestWay, OneWayStreetCollapsesTheSegmentToItsTravelEnd)
{
    MapState s;
    MapBuilder map(s);
    map.Way("Hàng Bài", {{0, 100}, {300, 100}}, "1");
    map.Way("Lý Thái Tổ", {{0, 200}, {300, 200}});
    map.Finish();
    UpdateVisibleWays(s, s);
    MapPoint tap, a, b;
    EXPECT_EQ(PickNearestWay(s, {120, 104}, true, tap, a, b), 0);
    EXPECT_EQ(tap, (MapPoint{120, 100}));
    EXPECT_EQ(a, (MapPoint{300, 100}));  // a start may only leave forwards
    EXPECT_EQ(b, (MapPoint{300, 100}));
    EXPECT_EQ(PickNearestWay(s, {120, 104}, false, tap, a, b), 0);
    EXPECT_EQ(a, (MapPoint{0, 100}));  // an end may only be reached forwards
    EXPECT_EQ(b, (MapPoint{0, 100}));
    // A two-way street keeps both ends, however far the tap.
    EXPECT_EQ(PickNearestWay(s, {50, 600}, true, tap, a, b), 1);
    EXPECT_EQ(a, (MapPoint{0, 200}));
    EXPECT_EQ(b, (MapPoint{300, 200}));
}

TEST(PickNearestWay, NoVisibleWayPicksNothing)
{
    MapState s;
    MapBuilder map(s);
    map.Way("Xa", {{5000, 5000}, {5200, 5000}});
    map.Finish();
    UpdateVisibleWays(s, s);
    MapPoint tap, a, b;
    EXPECT_EQ(PickNearestWay(s, {10, 10}, true, tap, a, b), -1);
}

TEST(PickAvoidElement, NodesAndSegmentsByExactCoordinates)
{
    MapState s;
    MapBuilder map(s);
    map.Way("Tràng Tiền", {{100, 100}, {300, 100}, {300, 300}});
    map.Way("Hai Bà Trưng", {{300, 100}, {450, 100}});
    map.Node(1, {100, 100}, {1}, {2});
    map.Node(2, {300, 100}, {1, 2}, {1, 3, 4});
    map.Node(3, {300, 300}, {1}, {2});
    map.Node(4, {450, 100}, {2}, {2});
    map.Node(5, {300, 100}, {2}, {});  // a second node at the same junction
    map.Finish();
    UpdateVisibleWays(s, s);
    MapPoint tap;
    int n1 = -1, n2 = -1;
    // Within 10 pixels of a segment's end: that node, the first with those coordinates.
    EXPECT_EQ(PickAvoidElement(s, {295, 104}, tap, n1, n2), 0);
    EXPECT_EQ(n1, 2);
    EXPECT_EQ(n2, 2);
    // On a segment: the last nodes at its two ends.
    EXPECT_EQ(PickAvoidElement(s, {200, 103}, tap, n1, n2), 0);
    EXPECT_EQ(n1, 1);
    EXPECT_EQ(n2, 5);
    EXPECT_EQ(tap, (MapPoint{200, 100}));
    // A segment end that is no road node gives 0.
    s.m_pNodeCoords[3][0] = 9999;
    EXPECT_EQ(PickAvoidElement(s, {304, 200}, tap, n1, n2), 0);
    EXPECT_EQ(n2, 0);
}

}  // namespace
