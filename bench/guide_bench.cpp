// Driving guidance on the bundled Hanoi map: a new route searched from a
// position off a long route (the search after leaving it), and one update
// pass of guidance with the next turn, the distances and the time left (its
// period is 1000 ms).
#include "gps/DriveGuide.h"
#include "map/Geometry.h"
#include "map/MapFileReader.h"
#include "route/RouteState.h"
#include "route/ShortestPath.h"

#include <benchmark/benchmark.h>

#include <numeric>

namespace {

struct LongDrive {
    MapData map;
    RouteResult route;
    RoutePickState pick;
    std::vector<int> ways; // every street: more than a window shows
    MapPoint offRoute;     // 300 map units (54 m) beside the route's middle leg
    MapPoint onRoute;      // on the middle leg
};

MapPoint NodeAt(const MapData& map, int n)
{
    return {map.m_pNodeCoords[n][0], map.m_pNodeCoords[n][1]};
}

// The route between the road nodes nearest two opposite corners of the map.
bool MakeLongDrive(LongDrive& d)
{
    if (!LoadMapFile(d.map, QStringLiteral(KORVANE_SOURCE_DIR "/data/hanoi.kvp"), 0))
        return false;
    const auto nearest = [&](MapPoint corner) {
        int best = 1;
        for (int n = 1; n <= d.map.m_nNodeLast; ++n) {
            if (PointDistance(NodeAt(d.map, n), corner) < PointDistance(NodeAt(d.map, best), corner))
                best = n;
        }
        return NodeAt(d.map, best);
    };
    const MapPoint from = nearest({d.map.m_nResWidth / 5, d.map.m_nResHeight / 5});
    const MapPoint to = nearest({d.map.m_nResWidth * 4 / 5, d.map.m_nResHeight * 4 / 5});
    d.pick.m_ptToTap = to;
    d.pick.m_segTo = {to, to};
    if (!FindShortestRoute(d.map, AvoidState(), d.route, from, from, from, to, to, to, {}, {}))
        return false;
    const int middle = d.route.m_nRouteLast / 2;
    const MapPoint a = d.route.m_routePoints[middle + 1], b = d.route.m_routePoints[middle];
    const double length = std::max(1.0, PointDistance(a, b));
    d.onRoute = {(a.x + b.x) / 2, (a.y + b.y) / 2};
    d.offRoute = {d.onRoute.x + int(-(b.y - a.y) / length * 300), d.onRoute.y + int((b.x - a.x) / length * 300)};
    d.ways.resize(d.map.m_nWayLast + 1);
    std::iota(d.ways.begin(), d.ways.end(), 0);
    return true;
}

const LongDrive* Drive()
{
    static LongDrive drive;
    static const bool made = MakeLongDrive(drive);
    return made ? &drive : nullptr;
}

void RerouteFromOffTheRoute(benchmark::State& state)
{
    const LongDrive* d = Drive();
    if (!d) {
        state.SkipWithError("no map or no route");
        return;
    }
    MapData map = d->map;
    bool found = false;
    for (auto _ : state) {
        RouteResult route = d->route;
        RoutePickState pick = d->pick;
        found = RouteFromHere(map, AvoidState(), route, pick, d->ways, d->offRoute);
        benchmark::DoNotOptimize(route);
    }
    if (!found)
        state.SkipWithError("no new route");
    state.counters["route_points"] = d->route.m_nRouteLast + 1;
    state.counters["km"] = d->route.m_dRouteLength * MetresPerMapUnit(d->map) / 1000;
}

void GuidancePassOnTheLongRoute(benchmark::State& state)
{
    const LongDrive* d = Drive();
    if (!d) {
        state.SkipWithError("no map or no route");
        return;
    }
    DriveGuide guide;
    for (auto _ : state)
        benchmark::DoNotOptimize(guide.Step(d->map, d->route, {}, {}, d->onRoute, 16.2, 0));
    state.counters["route_points"] = d->route.m_nRouteLast + 1;
}

} // namespace

BENCHMARK(RerouteFromOffTheRoute)->Unit(benchmark::kMillisecond);
BENCHMARK(GuidancePassOnTheLongRoute)->Unit(benchmark::kMicrosecond);
BENCHMARK_MAIN();
