// The program's search against the plain linear-scan search on many start
// and end pairs: every result must match to the last point, node, letter
// and bit of the length, found or not.
#include "ReferenceRoute.h"
#include "RoadMaps.h"

#include "map/MapFileReader.h"

#include <QFile>
#include <gtest/gtest.h>

namespace {

struct Tally {
    int found = 0;
    int failed = 0;
    int leftFirstBand = 0;  // found only after the band was widened
};

// A found route with a point outside the first band (nodes with a negative
// coordinate are never outside it) can only have been found in a wider one.
bool LeftFirstBand(const MapData& map, const RouteQuery& q, const RouteResult& route)
{
    const double firstHalfWidth = 6 * map.m_dResStep;
    for (const MapPoint& p : route.m_routePoints) {
        if (p.x >= 0 && p.y >= 0 && !InSearchBand(firstHalfWidth, p.x, p.y, q.start, q.end))
            return true;
    }
    return false;
}

// Both searches keep their results from query to query, so a failed search
// must also leave the same old route behind in both.
void ExpectSameRoutes(const MapData& base, const AvoidState& avoid, const std::vector<RouteQuery>& queries,
                      Tally& tally)
{
    MapData map = base;
    MapData referenceMap = base;
    RouteResult route;
    RouteResult reference;
    for (size_t i = 0; i < queries.size(); ++i) {
        const RouteQuery& q = queries[i];
        const int found = RunQuery(&FindShortestRoute, map, avoid, route, q);
        ASSERT_EQ(found, RunQuery(&ReferenceFindShortestRoute, referenceMap, avoid, reference, q)) << "query " << i;
        ASSERT_EQ(route.m_nRouteLast, reference.m_nRouteLast) << "query " << i;
        ASSERT_EQ(route.m_routePoints, reference.m_routePoints) << "query " << i;
        ASSERT_EQ(route.m_routeNodes, reference.m_routeNodes) << "query " << i;
        ASSERT_EQ(route.m_strRouteText, reference.m_strRouteText) << "query " << i;
        ASSERT_EQ(route.m_dRouteLength, reference.m_dRouteLength) << "query " << i;
        ASSERT_EQ(route.m_bRouteShown, reference.m_bRouteShown) << "query " << i;
        ASSERT_EQ(map.m_pNodeCoords[0], referenceMap.m_pNodeCoords[0]) << "query " << i;
        if (!found) {
            ++tally.failed;
            continue;
        }
        ++tally.found;
        tally.leftFirstBand += LeftFirstBand(map, q, route);
    }
}

int NodeAt(const MapData& map, MapPoint p)
{
    for (int n = 1; n <= map.m_nNodeLast; ++n) {
        if (NodePosition(map, n) == p)
            return n;
    }
    return 0;
}

// Random avoided nodes and segments, and now and then one of the query's own
// segment nodes, which closes that end.
AvoidState RandomAvoid(const MapData& map, const RouteQuery& q, std::mt19937& random)
{
    AvoidState avoid;
    avoid.Reset();
    avoid.m_bAvoidActive = 1;
    for (int i = 0; i < 12; ++i)
        avoid.ToggleNode(1 + Roll(random, map.m_nNodeLast));
    for (int i = 0; i < 12; ++i) {
        const int u = 1 + Roll(random, map.m_nNodeLast);
        const int v = map.m_pNodeCoords[u][2 + 2 * Roll(random, 4)];
        avoid.ToggleSegment(u, v);
    }
    const MapPoint ends[] = {q.a, q.b, q.c, q.d};
    if (Roll(random, 3) == 0)
        avoid.ToggleNode(NodeAt(map, ends[Roll(random, 4)]));
    return avoid;
}

void ExpectSameRoutesAvoiding(const MapData& map, const std::vector<RouteQuery>& queries, std::mt19937& random,
                              Tally& tally)
{
    for (const RouteQuery& q : queries) {
        ExpectSameRoutes(map, RandomAvoid(map, q, random), {q}, tally);
        if (testing::Test::HasFatalFailure())
            return;
    }
}

TEST(RouteEquivalence, RegularGridFullOfTies)
{
    GridOptions options;
    options.rows = 28;
    options.cols = 30;
    options.shuffleNumbers = true;
    options.seed = 11;
    const RoadGrid grid = MakeRoadGrid(options);
    std::mt19937 random(101);
    Tally tally;
    ExpectSameRoutes(grid.map, AvoidState(), RandomQueries(grid.map, 250, random), tally);
    ASSERT_FALSE(HasFatalFailure());
    ExpectSameRoutesAvoiding(grid.map, RandomQueries(grid.map, 100, random), random, tally);
    ASSERT_FALSE(HasFatalFailure());
    // A full grid always has a staircase inside the first band: here the
    // equal-length alternatives are what is put to the test.
    EXPECT_GT(tally.found, 300);
}

TEST(RouteEquivalence, IrregularGridWithWallOneWaysAndNamelessEdges)
{
    GridOptions options;
    options.rows = 30;
    options.cols = 26;
    options.origin = 20;
    options.jitter = 35;  // some junctions lie at negative coordinates
    options.removePercent = 12;
    options.oneWayPercent = 15;
    options.namelessPercent = 10;
    options.wall = true;
    options.seed = 7;
    const RoadGrid grid = MakeRoadGrid(options);
    std::mt19937 random(202);
    Tally tally;
    ExpectSameRoutes(grid.map, AvoidState(), RandomQueries(grid.map, 300, random), tally);
    ASSERT_FALSE(HasFatalFailure());
    ExpectSameRoutesAvoiding(grid.map, RandomQueries(grid.map, 200, random), random, tally);
    ASSERT_FALSE(HasFatalFailure());
    EXPECT_GT(tally.found, 250);
    EXPECT_GT(tally.failed, 10);
    EXPECT_GT(tally.leftFirstBand, 50);
}

TEST(RouteEquivalence, FarApartPairsOnALargerGrid)
{
    GridOptions options;
    options.rows = 60;
    options.cols = 60;
    options.jitter = 20;
    options.removePercent = 5;
    options.oneWayPercent = 5;
    options.seed = 3;
    const RoadGrid grid = MakeRoadGrid(options);
    Tally tally;
    ExpectSameRoutes(grid.map, AvoidState(), FarQueries(grid), tally);
    EXPECT_GT(tally.found, 3);
}

void ExpectSameRoutesOnMapFile(const char* name)
{
    const QString path = QStringLiteral(KORVANE_SOURCE_DIR "/data/") + QLatin1StringView(name);
    if (!QFile::exists(path))
        GTEST_SKIP() << qPrintable(path) << " does not exist yet; routes on it were not compared";
    MapData map;
    ASSERT_TRUE(LoadMapFile(map, path, 0));
    ASSERT_GT(map.m_nNodeLast, 1) << "the map holds no road graph";
    std::mt19937 random(303);
    Tally tally;
    ExpectSameRoutes(map, AvoidState(), RandomQueries(map, 200, random), tally);
    ASSERT_FALSE(testing::Test::HasFatalFailure());
    ExpectSameRoutesAvoiding(map, RandomQueries(map, 60, random), random, tally);
    ASSERT_FALSE(testing::Test::HasFatalFailure());
    EXPECT_GT(tally.found, 0);
    std::printf("%s: %d routes found, %d searches failed, %d left the first band\n", name, tally.found,
                tally.failed, tally.leftFirstBand);
}

TEST(RouteEquivalence, DemoMapFile) { ExpectSameRoutesOnMapFile("demo.kvp"); }

TEST(RouteEquivalence, HanoiMapFile) { ExpectSameRoutesOnMapFile("hanoi.kvp"); }

}  // namespace
