// Routes on small drawn maps, each with the route expected beside it. Every
// case runs through the program's search and through the reference search.
#include "DrawnMaps.h"
#include "ReferenceRoute.h"

#include <gtest/gtest.h>

namespace {

struct RouteCase {
    std::string title;
    std::string drawing;
    std::vector<Street> streets;
    std::string from;  // "AB": the middle of A–B; "A": junction A
    std::string to;
    std::string avoidNodes;                  // junctions to avoid
    std::vector<std::string> avoidSegments;  // "AB": the segment A–B
    // Expected: the junctions passed from start to end (empty: no route),
    // the street text (start "Nhà", end "Trường") and the length.
    std::string path;
    QString text;
    double length = 0;
};

void PrintTo(const RouteCase& c, std::ostream* out) { *out << c.title; }

const std::vector<Street> kSquareStreets = {
    {"Hàng Bạc", "AB"}, {"Hàng Đào", "BD"}, {"Hàng Gai", "AC"}, {"Hàng Mã", "CD"}};

const char* const kSquare = R"(
A---B
|   |
C---D
)";

const char* const kBandDetour = R"(
A-----------------------B
|                       |
|                       |
|                       |
|                       |
|                       |
C---------D   E---------F
)";

const RouteCase kCases[] = {
    {"TiesSettleTheLowerNodeFirst", kSquare, kSquareStreets, "A", "D", "", {},
     "ABD", "Nhà-Hàng Bạc-Hàng Đào-Trường", 400},
    {"TiesFollowNumbersNotShape", R"(
A---C
|   |
B---D
)", {{"Hàng Bạc", "AC"}, {"Hàng Đào", "CD"}, {"Hàng Gai", "AB"}, {"Hàng Mã", "BD"}}, "A", "D", "", {},
     "ABD", "Nhà-Hàng Gai-Hàng Mã-Trường", 400},
    {"OneWayEdgeIsNotDrivenBackwards", R"(
A-->B
|   |
C---D
)", {}, "B", "A", "", {},
     "BDCA", "Nhà-Trường", 600},
    {"EqualStartLegsTryTheLowerNodeFirst", R"(
E---A---B
|       |
|       |
F-------G
)", {{"Lò Sũ", "EA"}, {"Lò Sũ", "AB"}}, "AB", "EF", "", {},
     "AE", "Nhà-Lò Sũ-Trường", 450},
    {"AvoidedStartNodeForcesTheOtherEnd", R"(
E---A---B
|       |
|       |
F-------G
)", {{"Lò Sũ", "EA"}, {"Lò Sũ", "AB"}, {"Hàng Vôi", "BG"}, {"Hàng Tre", "GF"}}, "AB", "EF", "A", {},
     "BGF", "Nhà-Hàng Vôi-Hàng Tre-Trường", 950},
    {"AvoidedSegmentIsDetoured", kSquare, kSquareStreets, "A", "D", "", {"DB"},
     "ACD", "Nhà-Hàng Gai-Hàng Mã-Trường", 400},
    {"AvoidedNodeIsDetoured", kSquare, kSquareStreets, "A", "D", "B", {},
     "ACD", "Nhà-Hàng Gai-Hàng Mã-Trường", 400},
    {"AvoidingEveryWayOutGivesNoRoute", kSquare, kSquareStreets, "A", "D", "", {"AB", "CA"},
     "", "", 0},
    {"StreetTextNamesEachStretchOnce", R"(
A---B---C---D---E---F
)", {{"Hàng Bạc", "ABC"}, {"Hàng Đào", "CD"}, {"Hàng Đào", "EF"}}, "A", "F", "", {},
     "ABCDEF", "Nhà-Hàng Bạc-Hàng Đào-Trường", 1000},
    {"VerticalStartAndEndUseTheStrip", R"(
A
|
B-------E
|       |
C-------F
|
D
|
G
)", {{"Phố Huế", "ABCDG"}}, "AB", "DG", "", {},
     "BCD", "Nhà-Phố Huế-Trường", 600},
    {"BandDoublesUntilTheDetourFits", kBandDetour, {{"Tràng Thi", "CD"}, {"Tràng Tiền", "CAB"}, {"Hai Bà", "BFE"}},
     "CD", "EF", "", {},
     "CABF", "Nhà-Tràng Tiền-Hai Bà-Trường", 2900},
    {"DisconnectedStreetsGiveNoRoute", R"(
A---B   C---D
)", {}, "AB", "CD", "", {},
     "", "", 0},
};

class RouteCases : public testing::TestWithParam<RouteCase> {};

AvoidState AvoidFor(const DrawnMap& drawn, const RouteCase& c)
{
    AvoidState avoid;
    avoid.Reset();
    avoid.m_bAvoidActive = !c.avoidNodes.empty() || !c.avoidSegments.empty();
    for (char letter : c.avoidNodes)
        avoid.ToggleNode(drawn.Node(letter));
    for (const std::string& s : c.avoidSegments)
        avoid.ToggleSegment(drawn.Node(s.front()), drawn.Node(s.back()));
    return avoid;
}

TEST_P(RouteCases, FindsTheDrawnRoute)
{
    const RouteCase& c = GetParam();
    DrawnMap drawn = DrawMap(c.drawing, c.streets);
    const AvoidState avoid = AvoidFor(drawn, c);
    const RoutePlace from = PlaceOf(drawn, c.from);
    const RoutePlace to = PlaceOf(drawn, c.to);
    const RouteQuery query{from.point, from.first, from.second, to.point, to.first, to.second};
    for (RouteSearchFunction search : {&FindShortestRoute, &ReferenceFindShortestRoute}) {
        SCOPED_TRACE(search == &FindShortestRoute ? "program" : "reference");
        MapData map = drawn.Map();
        RouteResult route;
        const int found = RunQuery(search, map, avoid, route, query);
        EXPECT_EQ(route.m_bRouteShown, 1);
        if (c.path.empty()) {
            EXPECT_EQ(found, 0);
            EXPECT_EQ(route.m_nRouteLast, -1);
            continue;
        }
        ASSERT_EQ(found, 1);
        EXPECT_EQ(drawn.Path(route), c.path);
        EXPECT_EQ(route.m_strRouteText, c.text);
        EXPECT_DOUBLE_EQ(route.m_dRouteLength, c.length);
        ASSERT_EQ(route.m_routePoints.size(), route.m_routeNodes.size());
        EXPECT_EQ(route.m_nRouteLast + 1, static_cast<int>(route.m_routePoints.size()));
        EXPECT_EQ(route.m_routePoints.front(), to.point);
        EXPECT_EQ(route.m_routePoints.back(), from.point);
    }
}

INSTANTIATE_TEST_SUITE_P(Drawn, RouteCases, testing::ValuesIn(kCases),
                         [](const testing::TestParamInfo<RouteCase>& info) { return info.param.title; });

}  // namespace
