#include "DrawnMaps.h"
#include "ReferenceRoute.h"

#include <gtest/gtest.h>

namespace {

TEST(InSearchBand, HorizontalLineBandIncludesItsBorders)
{
    const MapPoint s{0, 100};
    const MapPoint e{1000, 100};
    EXPECT_TRUE(InSearchBand(50, 500, 150, s, e));
    EXPECT_TRUE(InSearchBand(50, 500, 50, s, e));
    EXPECT_FALSE(InSearchBand(50, 500, 151, s, e));
    EXPECT_FALSE(InSearchBand(50, 500, 49, s, e));
    // The band follows the infinite line, past both ends.
    EXPECT_TRUE(InSearchBand(50, -3000, 120, s, e));
    EXPECT_TRUE(InSearchBand(50, 9000, 80, s, e));
}

TEST(InSearchBand, VerticalLineUsesTheStripAcrossX)
{
    const MapPoint s{200, 0};
    const MapPoint e{200, 900};
    EXPECT_TRUE(InSearchBand(30, 230, 5000, s, e));
    EXPECT_TRUE(InSearchBand(30, 170, -40, s, e));
    EXPECT_FALSE(InSearchBand(30, 231, 10, s, e));
    EXPECT_FALSE(InSearchBand(30, 169, 10, s, e));
}

TEST(InSearchBand, SlantedLineMeasuresAcrossTheLine)
{
    // Distance from y = x is |y − x| / √2: 9.9 inside a half-width of 10, 10.6 outside.
    const MapPoint s{0, 0};
    const MapPoint e{100, 100};
    EXPECT_TRUE(InSearchBand(10, 0, 14, s, e));
    EXPECT_TRUE(InSearchBand(10, 514, 500, s, e));
    EXPECT_FALSE(InSearchBand(10, 0, 15, s, e));
    EXPECT_FALSE(InSearchBand(10, 515, 500, s, e));
}

MapData StreetNameMap()
{
    MapData map;
    map.m_nWayLast = 3;
    map.m_strWayName = {"Hàng Bạc", "Hàng Đào", "", "Lò Sũ"};
    NodeList unused;
    unused.fill(-1);
    map.m_pNodeWays.assign(8, unused);
    map.m_pNodeCoords.assign(8, unused);
    map.m_nNodeLast = 6;
    map.m_pNodeWays[1] = {4, 2, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1};
    map.m_pNodeWays[2] = {2, 4, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1};
    map.m_pNodeWays[3] = {1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1};
    // Way 1 only in the eleventh slot, which names no street; way 2 in the tenth.
    map.m_pNodeWays[4] = {5, 5, 5, 5, 5, 5, 5, 5, 5, 2, 1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1};
    // A way number past the last WAY record.
    map.m_pNodeWays[5] = {9, 3, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1};
    map.m_pNodeWays[6] = {3, 9, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1};
    return map;
}

TEST(EdgeStreetName, FirstSharedWayInTheFirstNodesOrder)
{
    const MapData map = StreetNameMap();
    EXPECT_EQ(EdgeStreetName(map, 1, 2), "Lò Sũ");
    EXPECT_EQ(EdgeStreetName(map, 2, 1), "Hàng Đào");
    EXPECT_EQ(EdgeStreetName(map, 1, 4), "Hàng Đào");
    EXPECT_EQ(EdgeStreetName(map, 3, 4), "");  // way 1 sits past node 4's tenth slot
    EXPECT_EQ(EdgeStreetName(map, 1, 3), "");  // nothing shared; the −1 padding is no way
    EXPECT_EQ(EdgeStreetName(map, 1, 1), "");
    EXPECT_EQ(EdgeStreetName(map, 6, 5), "");  // way 3 is nameless
}

TEST(EdgeStreetName, UnknownNodesAndWaysGiveNoName)
{
    const MapData map = StreetNameMap();
    EXPECT_EQ(EdgeStreetName(map, 5, 6), "");  // way 9 is no WAY record
    EXPECT_EQ(EdgeStreetName(map, -1, 2), "");
    EXPECT_EQ(EdgeStreetName(map, 2, 8), "");
    EXPECT_EQ(EdgeStreetName(map, 2, 1 << 30), "");
    EXPECT_EQ(EdgeStreetName(MapData(), 1, 2), "");
}

// Runs both searches on copies of the map and expects the same answer.
int RouteBoth(const MapData& base, const AvoidState& avoid, RouteResult& route, const RouteQuery& q,
              const QString& startName = QStringLiteral("Nhà"), const QString& endName = QStringLiteral("Trường"))
{
    MapData map = base;
    MapData referenceMap = base;
    RouteResult reference = route;
    const int found = RunQuery(&FindShortestRoute, map, avoid, route, q, startName, endName);
    EXPECT_EQ(RunQuery(&ReferenceFindShortestRoute, referenceMap, avoid, reference, q, startName, endName), found);
    EXPECT_EQ(route.m_routePoints, reference.m_routePoints);
    EXPECT_EQ(route.m_routeNodes, reference.m_routeNodes);
    EXPECT_EQ(route.m_strRouteText, reference.m_strRouteText);
    EXPECT_EQ(route.m_dRouteLength, reference.m_dRouteLength);
    return found;
}

const char* const kOneStreet = R"(
A-------B
)";

TEST(FindShortestRoute, StartAndEndOnOneSegmentPassTheNearerNode)
{
    DrawnMap drawn = DrawMap(kOneStreet, {{"Hàng Bạc", "AB"}});
    const MapPoint a = drawn.At('A');
    const MapPoint b = drawn.At('B');
    const MapPoint quarter = PointBetween(a, b, 0.25);
    const MapPoint threeQuarters = PointBetween(a, b, 0.75);
    MapData& map = drawn.Map();

    RouteResult route;
    ASSERT_EQ(FindShortestRoute(map, AvoidState(), route, quarter, a, b, threeQuarters, a, b, "Hàng Bạc",
                                "Hàng Bạc"), 1);
    // S–A–E: A is both the nearer start node and an end segment node.
    EXPECT_EQ(route.m_routePoints, (std::vector<MapPoint>{threeQuarters, a, quarter}));
    EXPECT_EQ(route.m_routeNodes, (std::vector<int>{drawn.Node('B'), drawn.Node('A'), drawn.Node('B')}));
    EXPECT_EQ(route.m_nRouteLast, 2);
    EXPECT_DOUBLE_EQ(route.m_dRouteLength, 400);
    EXPECT_EQ(route.m_strRouteText, "Hàng Bạc");
    // The search leaves its end points in the spare node slots.
    EXPECT_EQ(map.m_pNodeCoords[0][0], quarter.x);
    EXPECT_EQ(map.m_pNodeCoords[0][2], drawn.Node('A'));
    EXPECT_EQ(map.m_pNodeCoords[0][3], drawn.Node('B'));
    EXPECT_EQ(map.m_pNodeCoords[map.m_nNodeLast + 1][0], threeQuarters.x);

    ASSERT_EQ(FindShortestRoute(map, AvoidState(), route, threeQuarters, a, b, quarter, a, b, "Nhà", "Trường"), 1);
    EXPECT_EQ(route.m_routePoints, (std::vector<MapPoint>{quarter, b, threeQuarters}));
    EXPECT_EQ(route.m_routeNodes, (std::vector<int>{drawn.Node('A'), drawn.Node('B'), drawn.Node('A')}));
    EXPECT_EQ(route.m_strRouteText, "Nhà-Trường");
}

const char* const kSquare = R"(
A---B
|   |
C---D
)";

TEST(FindShortestRoute, AvoidListsApplyOnlyWhileActive)
{
    DrawnMap drawn = DrawMap(kSquare);
    AvoidState avoid;
    avoid.Reset();
    avoid.ToggleNode(drawn.Node('B'));
    const RouteQuery q{drawn.At('A'), drawn.At('A'), drawn.At('A'), drawn.At('D'), drawn.At('D'), drawn.At('D')};
    RouteResult route;
    ASSERT_EQ(RouteBoth(drawn.Map(), avoid, route, q), 1);
    EXPECT_EQ(drawn.Path(route), "ABD");
    avoid.m_bAvoidActive = 1;
    ASSERT_EQ(RouteBoth(drawn.Map(), avoid, route, q), 1);
    EXPECT_EQ(drawn.Path(route), "ACD");
}

TEST(FindShortestRoute, AvoidedEndNodeMakesTheRouteEnterThroughTheOther)
{
    DrawnMap drawn = DrawMap(R"(
A-------B
|       |
C---D---E
)");
    // The end lies on D–E, nearer D; with D avoided the route must come in over E.
    const RouteQuery q{drawn.At('A'), drawn.At('A'), drawn.At('A'), PointBetween(drawn.At('D'), drawn.At('E'), 0.25),
                       drawn.At('D'), drawn.At('E')};
    AvoidState avoid;
    avoid.Reset();
    RouteResult route;
    ASSERT_EQ(RouteBoth(drawn.Map(), avoid, route, q), 1);
    EXPECT_EQ(drawn.Path(route), "ACD");
    avoid.m_bAvoidActive = 1;
    avoid.ToggleNode(drawn.Node('D'));
    ASSERT_EQ(RouteBoth(drawn.Map(), avoid, route, q), 1);
    EXPECT_EQ(drawn.Path(route), "ABE");
    // The node entries at the ends name the segment nodes the walk did not pass.
    EXPECT_EQ(route.m_routeNodes.front(), -1);  // D was closed, so no node stands for it
    EXPECT_EQ(route.m_routeNodes.back(), drawn.Node('A'));
}

TEST(FindShortestRoute, StreetTextSkipsNamesEqualToTheirNeighbours)
{
    DrawnMap drawn = DrawMap(R"(
A---B---C---D
)", {{"Hàng Bạc", "ABC"}, {"Hàng Đào", "CD"}});
    const RouteQuery q{drawn.At('A'), drawn.At('A'), drawn.At('A'), drawn.At('D'), drawn.At('D'), drawn.At('D')};
    RouteResult route;
    ASSERT_EQ(RouteBoth(drawn.Map(), AvoidState(), route, q, "Hàng Bạc", "Hàng Đào"), 1);
    EXPECT_EQ(route.m_strRouteText, "Hàng Bạc-Hàng Đào");
    ASSERT_EQ(RouteBoth(drawn.Map(), AvoidState(), route, q, "Nhà", ""), 1);
    EXPECT_EQ(route.m_strRouteText, "Nhà-Hàng Bạc-Hàng Đào");
    ASSERT_EQ(RouteBoth(drawn.Map(), AvoidState(), route, q, "", "Trường"), 1);
    // A nameless start leaves no leading "-".
    EXPECT_EQ(route.m_strRouteText, "Hàng Bạc-Hàng Đào-Trường");
}

TEST(FindShortestRoute, UnknownEndSegmentFailsAndKeepsTheOldRoute)
{
    DrawnMap drawn = DrawMap(kSquare);
    const RouteQuery found{drawn.At('A'), drawn.At('A'), drawn.At('A'), drawn.At('D'), drawn.At('D'), drawn.At('D')};
    RouteResult route;
    ASSERT_EQ(RouteBoth(drawn.Map(), AvoidState(), route, found), 1);
    const RouteResult before = route;

    RouteQuery lost = found;
    lost.c = {7, 7};
    lost.d = {9, 9};
    route.m_bRouteShown = 0;
    EXPECT_EQ(RouteBoth(drawn.Map(), AvoidState(), route, lost), 0);
    EXPECT_EQ(route.m_bRouteShown, 1);
    EXPECT_EQ(route.m_routePoints, before.m_routePoints);
    EXPECT_EQ(route.m_routeNodes, before.m_routeNodes);
    EXPECT_EQ(route.m_nRouteLast, before.m_nRouteLast);
    EXPECT_EQ(route.m_dRouteLength, before.m_dRouteLength);
    EXPECT_EQ(route.m_strRouteText, before.m_strRouteText);
}

TEST(FindShortestRoute, BandStopsGrowingAtTheMapExtent)
{
    // The detour lies 600 units off the line between the ends. With the
    // extent claimed to be 100 units the band stops at 192 and finds nothing.
    DrawnMap drawn = DrawMap(R"(
A-----------B
|           |
|           |
|           |
|           |
|           |
C---D   E---F
)");
    const RoutePlace from = PlaceOf(drawn, "CD");
    const RoutePlace to = PlaceOf(drawn, "EF");
    const RouteQuery q{from.point, from.first, from.second, to.point, to.first, to.second};
    RouteResult route;
    ASSERT_EQ(RouteBoth(drawn.Map(), AvoidState(), route, q), 1);
    EXPECT_EQ(drawn.Path(route), "CABF");

    drawn.Map().m_nResWidth = 100;
    drawn.Map().m_nResHeight = 100;
    drawn.Map().m_dResStep = 2;
    EXPECT_EQ(RouteBoth(drawn.Map(), AvoidState(), route, q), 0);
    drawn.Map().m_dResStep = 0;  // a band that cannot widen fails at once
    EXPECT_EQ(RouteBoth(drawn.Map(), AvoidState(), route, q), 0);
}

TEST(FindShortestRoute, NodeTablesTooSmallForTheEndSlotsFail)
{
    DrawnMap drawn = DrawMap(kSquare);
    const RouteQuery q{drawn.At('A'), drawn.At('A'), drawn.At('A'), drawn.At('D'), drawn.At('D'), drawn.At('D')};
    for (size_t tableSize : {size_t(0), size_t(2), size_t(5)}) {  // nodes 0..5 need 6 slots
        MapData map = drawn.Map();
        map.m_pNodeCoords.resize(tableSize);
        map.m_pNodeWays.resize(tableSize);
        RouteResult route;
        EXPECT_EQ(RouteBoth(map, AvoidState(), route, q), 0) << tableSize;
        EXPECT_EQ(route.m_nRouteLast, -1);
    }
    MapData negative = drawn.Map();
    negative.m_nNodeLast = -3;
    RouteResult route;
    EXPECT_EQ(RouteBoth(negative, AvoidState(), route, q), 0);
    EXPECT_EQ(RouteBoth(MapData(), AvoidState(), route, q), 0);
}

TEST(FindShortestRoute, NeighbourNumbersOutsideTheNodesAreIgnored)
{
    DrawnMap drawn = DrawMap(kSquare);
    MapData& map = drawn.Map();
    const int endSlot = map.m_nNodeLast + 1;
    NodeList& a = map.m_pNodeCoords[drawn.Node('A')];
    const int bogus[] = {endSlot, -7, endSlot + 3, 2147483647, 0};
    for (int i = 0; i < 5; ++i)
        a[10 + 2 * i] = bogus[i];
    const RouteQuery q{drawn.At('A'), drawn.At('A'), drawn.At('A'), drawn.At('D'), drawn.At('D'), drawn.At('D')};
    RouteResult route;
    ASSERT_EQ(RouteBoth(map, AvoidState(), route, q), 1);
    EXPECT_EQ(drawn.Path(route), "ABD");
}

TEST(FindShortestRoute, LongRouteIsStoredWhole)
{
    // 1 000 junctions in a row: the route passes 998 of them.
    GridOptions options;
    options.rows = 1;
    options.cols = 1000;
    const RoadGrid grid = MakeRoadGrid(options);
    const RouteQuery q = QueryOnEdges(grid, grid.edges.front(), 0.5, grid.edges.back(), 0.5);
    RouteResult route;
    ASSERT_EQ(RouteBoth(grid.map, AvoidState(), route, q), 1);
    ASSERT_EQ(route.m_nRouteLast, 999);
    ASSERT_EQ(route.m_routePoints.size(), 1000u);
    ASSERT_EQ(route.m_routeNodes.size(), 1000u);
    for (int i = 1; i < route.m_nRouteLast; ++i) {
        ASSERT_EQ(route.m_routeNodes[i], 1000 - i) << i;
        ASSERT_EQ(route.m_routePoints[i], grid.nodes[999 - i]) << i;
    }
    EXPECT_EQ(route.m_routeNodes.front(), 1000);
    EXPECT_EQ(route.m_routeNodes.back(), 1);
    EXPECT_DOUBLE_EQ(route.m_dRouteLength, 99950 - 150);
    EXPECT_EQ(route.m_strRouteText, "Nhà-Phố 1-Trường");
}

}  // namespace
