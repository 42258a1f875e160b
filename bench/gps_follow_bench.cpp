// One pass of the GPS update with road following, on the densest part of the
// bundled Hanoi map (its period is 1000 ms), and one guidance step on a route
// of 500 legs.
#include "window/MapDlg.h"
#include "gps/GpsDisplay.h"
#include "gps/Navigation.h"
#include "gps/Nmea.h"
#include "map/MapFileReader.h"
#include "route/ShortestPath.h"

#include <QApplication>
#include <benchmark/benchmark.h>

namespace {

// Positions handed straight to the line collection.
class BytesSource : public GpsSource {
public:
    bool Open(const QString&, uint32_t) override { return true; }
    void ProcessEvent() override {}
    void Close() override {}
};

// The junction around which the most streets cross a 480 × 640 window at
// the scale "Hiển thị GPS" shows.
MapPoint DensestJunction(CMapDlg& dlg)
{
    MapPoint densest;
    int most = -1;
    for (int n = 1; n <= dlg.m_nNodeLast; n += 7) {
        const MapPoint p{dlg.m_pNodeCoords[n][0], dlg.m_pNodeCoords[n][1]};
        dlg.m_nOriginX = p.x - int(240 / dlg.m_dScale);
        dlg.m_nOriginY = p.y - int(320 / dlg.m_dScale);
        dlg.UpdateVisibleWays();
        if (dlg.m_nVisibleWays > most) {
            most = dlg.m_nVisibleWays;
            densest = p;
        }
    }
    return densest;
}

void GpsUpdatePass(benchmark::State& state)
{
    CMapDlg dlg;
    dlg.SetClientSize(480, 640);
    dlg.OnInitDialog();
    dlg.m_strMapPath = QStringLiteral(KORVANE_SOURCE_DIR "/data/hanoi.kvp");
    if (dlg.ReplaceMap(dlg.m_strMapPath) != CMapDlg::MapLoad::Loaded) {
        state.SkipWithError("no map");
        return;
    }
    dlg.InitViewAfterLoad();
    dlg.m_dScale = dlg.m_dBaseScale * 6;
    const MapPoint centre = DensestJunction(dlg);
    dlg.m_nOriginX = centre.x - int(240 / dlg.m_dScale);
    dlg.m_nOriginY = centre.y - int(320 / dlg.m_dScale);
    dlg.UpdateVisibleWays();
    auto* source = new BytesSource;
    dlg.m_gpsSetupDlg.m_pSerial.reset(source);
    dlg.m_bGpsFollowRoad = 1;
    dlg.m_bGpsTrackOn = 1;
    // Back and forth across the junction, far enough to be drawn each time.
    QByteArray lines[2];
    for (int k = 0; k < 2; ++k) {
        const MapPoint gps = MapToGps({centre.x + (k ? 40 : -40), centre.y + (k ? 25 : -25)}, dlg);
        lines[k] = NmeaParser::RmcSentence({gps.x, gps.y}, 3600 + k) + "\r\n";
    }
    int k = 0;
    for (auto _ : state) {
        source->ProcessBytes(lines[k ^= 1]);
        dlg.GpsUpdate();
    }
    state.counters["visible_ways"] = dlg.m_nVisibleWays;
    state.counters["track"] = dlg.m_nTrackCount;
}

void GuidanceOnALongRoute(benchmark::State& state)
{
    // A zigzag of 500 legs, every junction a road node on one street.
    MapData map;
    RouteResult route;
    const int legs = 500;
    map.m_nWayLast = 0;
    map.m_strWayName = {QStringLiteral("Phố Dài")};
    NodeList ways;
    ways.fill(-1);
    ways[0] = 1;
    map.m_pNodeWays.assign(legs + 3, ways);
    for (int i = 0; i <= legs; ++i) {
        route.m_routePoints.push_back({i * 100, (i % 2) * 60});
        route.m_routeNodes.push_back(i + 1);
    }
    route.m_nRouteLast = legs;
    const MapPoint middle{legs / 2 * 100 + 30, 20};
    for (auto _ : state)
        benchmark::DoNotOptimize(GuidanceAt(map, route, QStringLiteral("Nhà"), QStringLiteral("Trường"), middle));
}

}  // namespace

BENCHMARK(GpsUpdatePass)->Unit(benchmark::kMicrosecond);
BENCHMARK(GuidanceOnALongRoute)->Unit(benchmark::kMicrosecond);

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
