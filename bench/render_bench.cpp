// One full drawing pass into a 480 × 640 image, as a paint does it, at the
// whole-map zoom and at five times the base scale; the one-way arrows of a
// street seen deep in a zoom; and a day-long saved track read back and drawn
// as a road.
#include "../tests/support/MapFileText.h"

#include "gps/RoadFile.h"
#include "view/MapState.h"
#include "map/MapFileReader.h"
#include "view/Renderer.h"
#include "gps/GpsDisplay.h"

#include <QFile>
#include <cmath>
#include <QGuiApplication>
#include <QTemporaryFile>
#include <benchmark/benchmark.h>

namespace {

// Loads a map into a state shown the way the window shows it after a load.
bool LoadState(MapState& s, const QString& path)
{
    if (!LoadMapFile(s, path, 0))
        return false;
    s.m_strMapPath = path;
    s.m_nClientWidth = 480;
    s.m_nClientHeight = 640;
    s.m_nDisplayFactor = 2;
    FitViewToMap(s, s);
    s.m_bMapLoaded = 1;
    return true;
}

void ShowWholeMap(MapState& s)
{
    s.m_dScale = s.m_dBaseScale / 2.5;
    s.m_nOriginX = s.m_nCenterX - int32_t(s.m_nClientWidth / 2 / s.m_dScale);
    s.m_nOriginY = s.m_nCenterY - int32_t(s.m_nClientHeight / 2 / s.m_dScale);
    UpdateVisibleWays(s, s);
}

void DrawMapPass(benchmark::State& state, QString path, bool wholeMap)
{
    MapState s;
    if (!LoadState(s, path)) {
        state.SkipWithError("the map cannot be opened");
        return;
    }
    if (wholeMap)
        ShowWholeMap(s);
    for (auto _ : state) {
        const QImage image = RenderMapImage(s);
        benchmark::DoNotOptimize(image.constBits());
    }
    state.counters["visible_ways"] = s.m_nVisibleWays;
}

void DrawGenerated(benchmark::State& state, bool wholeMap)
{
    QTemporaryFile file;
    if (!file.open()) {
        state.SkipWithError("no temporary file");
        return;
    }
    file.write(CityGridBytes(kMaxMapFileBytes));
    file.close();
    DrawMapPass(state, file.fileName(), wholeMap);
}

// One one-way street 1.8e9 pixels long across the window: its arrowheads are
// drawn every 25 pixels along the whole segment.
void DeepZoomOneWayStreet(benchmark::State& state)
{
    MapState s;
    s.m_strMapPath = QStringLiteral("deep-zoom");
    s.m_nClientWidth = 480;
    s.m_nClientHeight = 640;
    s.m_dBaseScale = 0.001;
    s.m_dScale = 600.0;
    s.m_nWayLast = 0;
    std::vector<MapPoint> points(kMaxWayPoints);
    points[0] = {-1500000, 1};
    points[1] = {1500000, 1};
    s.m_strWayName = {QStringLiteral("Phố")};
    s.m_pWayPoints = {points};
    s.m_nWayPointLast = {1};
    s.m_strWayDirection = {QStringLiteral("1")};
    s.m_nWayWidth = {1};
    UpdateVisibleWays(s, s);
    for (auto _ : state) {
        const QImage image = RenderMapImage(s);
        benchmark::DoNotOptimize(image.constBits());
    }
}

// What "Nạp đường" does with a road file: its points placed on the map.
void LoadRoad(MapState& s, const QString& path)
{
    const std::optional<std::vector<MapPoint>> road = ReadRoadFile(path);
    s.m_pRoadPoints.clear();
    for (const MapPoint gps : road.value_or(std::vector<MapPoint>{}))
        s.m_pRoadPoints.push_back(GpsToMap(gps.x, gps.y, s));
    s.m_nRoadCount = int(s.m_pRoadPoints.size());
    s.m_bRoadLoaded = 1;
}

// The longest track "Lưu đường" writes (a day at one position a second, a
// few map units apart, looping across the middle of the map): read back, or
// drawn once read.
void DayLongRoad(benchmark::State& state, QString mapPath, bool draw)
{
    MapState s;
    QTemporaryFile file;
    if (!LoadState(s, mapPath) || !file.open()) {
        state.SkipWithError("the map or a temporary file cannot be opened");
        return;
    }
    file.close();
    std::vector<MapPoint> track;
    for (int i = 0; i < kMaxRoadPoints; ++i) {
        const MapPoint p{s.m_nCenterX + int32_t(2000 * std::sin(i / 1500.0)),
                         s.m_nCenterY + int32_t(2000 * std::sin(i / 1100.0))};
        track.push_back(MapToGps(p, s));
    }
    WriteRoadFile(file.fileName(), track, kMaxRoadPoints);
    LoadRoad(s, file.fileName());
    for (auto _ : state) {
        if (draw) {
            const QImage image = RenderMapImage(s);
            benchmark::DoNotOptimize(image.constBits());
        } else {
            LoadRoad(s, file.fileName());
        }
    }
    state.counters["points"] = s.m_nRoadCount;
}

}  // namespace

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    for (const char* name : {"demo.kvp", "hanoi.kvp"}) {
        const QString path = QStringLiteral(KORVANE_SOURCE_DIR "/data/") + QLatin1StringView(name);
        if (!QFile::exists(path))
            continue;
        benchmark::RegisterBenchmark((std::string("DrawMap/") + name + "/whole_map").c_str(), DrawMapPass, path, true)
            ->Unit(benchmark::kMillisecond);
        benchmark::RegisterBenchmark((std::string("DrawMap/") + name + "/5x_base_scale").c_str(), DrawMapPass, path,
                                     false)
            ->Unit(benchmark::kMillisecond);
    }
    const QString hanoi = QStringLiteral(KORVANE_SOURCE_DIR "/data/hanoi.kvp");
    benchmark::RegisterBenchmark("DayLongRoad/read", DayLongRoad, hanoi, false)->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark("DayLongRoad/draw", DayLongRoad, hanoi, true)->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark("DrawMap/generated/whole_map", DrawGenerated, true)->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark("DrawMap/generated/5x_base_scale", DrawGenerated, false)
        ->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark("DrawMap/deep_zoom_one_way_street", DeepZoomOneWayStreet)
        ->Unit(benchmark::kMillisecond)
        ->Iterations(1);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
