// Route searches on the bundled maps and on generated street grids of about
// 1 000, 5 000 and 20 000 junctions (larger than a map file may hold), between
// far-apart points: the program's search against the plain linear-scan search
// kept with the tests.
// Both must give the same routes; the run stops with an error otherwise.
#include "../tests/route/ReferenceRoute.cpp"
#include "../tests/route/RoadMaps.cpp"

#include "map/MapFileReader.h"

#include <benchmark/benchmark.h>

#include <map>

namespace {

bool SameRoute(const RouteResult& x, const RouteResult& y)
{
    return x.m_routePoints == y.m_routePoints && x.m_routeNodes == y.m_routeNodes &&
           x.m_strRouteText == y.m_strRouteText && x.m_dRouteLength == y.m_dRouteLength;
}

struct Workload {
    RoadGrid grid;
    std::vector<RouteQuery> queries;
    bool agree = true;  // both searches gave the same answer to every query
};

void CheckAgreement(Workload& w)
{
    for (const RouteQuery& q : w.queries) {
        RouteResult fast;
        RouteResult plain;
        const int found = RunQuery(&FindShortestRoute, w.grid.map, AvoidState(), fast, q);
        w.agree = w.agree && found == RunQuery(&ReferenceFindShortestRoute, w.grid.map, AvoidState(), plain, q) &&
                  SameRoute(fast, plain);
    }
}

Workload MakeWorkload(int side)
{
    GridOptions options;
    options.rows = side;
    options.cols = side;
    options.jitter = 20;
    options.removePercent = 5;
    options.oneWayPercent = 5;
    options.seed = 5;
    Workload w{MakeRoadGrid(options), {}};
    w.queries = FarQueries(w.grid);
    CheckAgreement(w);
    return w;
}

// A bundled map with 40 queries between random street segments.
Workload MapFileWorkload(const char* name)
{
    Workload w;
    const QString path = QStringLiteral(KORVANE_SOURCE_DIR "/data/") + QLatin1StringView(name);
    if (!LoadMapFile(w.grid.map, path, 0)) {
        w.agree = false;
        return w;
    }
    std::mt19937 random(7);
    w.queries = RandomQueries(w.grid.map, 40, random);
    CheckAgreement(w);
    return w;
}

const Workload& WorkloadFor(int side)
{
    static std::map<int, Workload> workloads;
    auto it = workloads.find(side);
    if (it == workloads.end())
        it = workloads.emplace(side, MakeWorkload(side)).first;
    return it->second;
}

// One iteration routes every query of the workload once.
void RouteQueries(benchmark::State& state, RouteSearchFunction search, const Workload& work)
{
    if (!work.agree) {
        state.SkipWithError("the two searches disagree");
        return;
    }
    MapData map = work.grid.map;
    int found = 0;
    for (auto _ : state) {
        for (const RouteQuery& q : work.queries) {
            RouteResult route;
            found += RunQuery(search, map, AvoidState(), route, q);
            benchmark::DoNotOptimize(route.m_dRouteLength);
        }
    }
    state.counters["nodes"] = map.m_nNodeLast;
    state.counters["queries"] = static_cast<double>(work.queries.size());
    state.counters["found"] = benchmark::Counter(found, benchmark::Counter::kAvgIterations);
}

void BM_RouteFast(benchmark::State& state)
{
    RouteQueries(state, &FindShortestRoute, WorkloadFor(static_cast<int>(state.range(0))));
}
void BM_RouteReference(benchmark::State& state)
{
    RouteQueries(state, &ReferenceFindShortestRoute, WorkloadFor(static_cast<int>(state.range(0))));
}

const Workload& DemoMap()
{
    static const Workload w = MapFileWorkload("demo.kvp");
    return w;
}
const Workload& HanoiMap()
{
    static const Workload w = MapFileWorkload("hanoi.kvp");
    return w;
}
void BM_DemoMapFast(benchmark::State& state) { RouteQueries(state, &FindShortestRoute, DemoMap()); }
void BM_DemoMapReference(benchmark::State& state) { RouteQueries(state, &ReferenceFindShortestRoute, DemoMap()); }
void BM_HanoiMapFast(benchmark::State& state) { RouteQueries(state, &FindShortestRoute, HanoiMap()); }
void BM_HanoiMapReference(benchmark::State& state)
{
    RouteQueries(state, &ReferenceFindShortestRoute, HanoiMap());
}
BENCHMARK(BM_DemoMapFast)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_DemoMapReference)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_HanoiMapFast)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_HanoiMapReference)->Unit(benchmark::kMillisecond);

// Grid sides: 32² = 1 024, 71² = 5 041 and 142² = 20 164 junctions.
BENCHMARK(BM_RouteFast)->Arg(32)->Arg(71)->Arg(142)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_RouteReference)->Arg(32)->Arg(71)->Arg(142)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
