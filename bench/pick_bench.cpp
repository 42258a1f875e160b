// Paint with every place icon shown, and the tap hit tests over a full list
// of visible ways, on the bundled demo city.
#include "view/MapState.h"
#include "map/MapFileReader.h"
#include "view/Picking.h"
#include "view/Renderer.h"

#include <QGuiApplication>
#include <benchmark/benchmark.h>

namespace {

// The demo city viewed at k × the base scale around its densest place cluster.
MapState DemoAt(double k)
{
    MapState s;
    const QString path = QStringLiteral(KORVANE_SOURCE_DIR "/data/demo.kvp");
    if (!LoadMapFile(s, path, 0))
        qFatal("cannot read %s", qPrintable(path));
    s.m_strMapPath = path;
    FitViewToMap(s, s);
    // The place with the most neighbours within 400 map units.
    int best = 0, bestCount = -1;
    for (int i = 0; i <= s.m_nPlaceLast; ++i) {
        int count = 0;
        for (int j = 0; j <= s.m_nPlaceLast; ++j)
            count += PointDistance(s.m_ptPlace[i], s.m_ptPlace[j]) < 400;
        if (count > bestCount) {
            bestCount = count;
            best = i;
        }
    }
    s.m_dScale = k * s.m_dBaseScale;
    s.m_nOriginX = s.m_ptPlace[best].x - int(240 / s.m_dScale);
    s.m_nOriginY = s.m_ptPlace[best].y - int(320 / s.m_dScale);
    UpdateVisibleWays(s, s);
    return s;
}

void BM_PaintWithAllIcons(benchmark::State& state)
{
    MapState s = DemoAt(16);
    int icons = 0;
    for (int i = 0; i <= s.m_nPlaceLast; ++i)
        icons += PointInClient(480, 640, s.m_ptPlace[i].x, s.m_ptPlace[i].y, s.m_nOriginX, s.m_nOriginY, s.m_dScale);
    for (auto _ : state)
        benchmark::DoNotOptimize(RenderMapImage(s));
    state.counters["icons"] = icons;
    state.counters["visible_ways"] = s.m_nVisibleWays;
}
BENCHMARK(BM_PaintWithAllIcons)->Unit(benchmark::kMillisecond);

// The whole city on screen at the base scale: every way is a candidate.
MapState WholeCity()
{
    MapState s = DemoAt(1);
    s.m_nOriginX = 0;
    s.m_nOriginY = 0;
    s.m_dScale = std::min(480.0 / s.m_nResWidth, 640.0 / s.m_nResHeight) * 0.999;
    s.m_dBaseScale = s.m_dScale / 3;  // every place is a hit candidate too
    UpdateVisibleWays(s, s);
    return s;
}

void BM_HitTestWayOrPlace(benchmark::State& state)
{
    const MapState s = WholeCity();
    int kind = 0;
    QPoint hit;
    int x = 0;
    for (auto _ : state) {
        x = (x + 37) % 480;
        benchmark::DoNotOptimize(HitTestWayOrPlace(s, QPoint(x, 200), kind, hit));
    }
    state.counters["visible_ways"] = s.m_nVisibleWays;
}
BENCHMARK(BM_HitTestWayOrPlace)->Unit(benchmark::kMicrosecond);

void BM_PickNearestWay(benchmark::State& state)
{
    const MapState s = WholeCity();
    MapPoint tap, a, b;
    int x = 0;
    for (auto _ : state) {
        x = (x + 37) % 480;
        benchmark::DoNotOptimize(PickNearestWay(s, QPoint(x, 200), true, tap, a, b));
    }
    state.counters["visible_ways"] = s.m_nVisibleWays;
}
BENCHMARK(BM_PickNearestWay)->Unit(benchmark::kMicrosecond);

}  // namespace

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    return 0;
}
