// Any bytes as a map file, then used as the window uses a map: the view fitted
// and zoomed, streets and places picked where a user taps, a route searched
// between two taps, the map drawn with the route. Nothing reads outside the
// map's arrays or overflows on the way.
#include "FuzzCheck.h"
#include "view/MapState.h"
#include "map/MapFileReader.h"
#include "view/Overlays.h"
#include "view/Picking.h"
#include "view/Renderer.h"
#include "view/Viewport.h"

#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <algorithm>
#include <cstddef>
#include <cstdint>

namespace {

struct Tap {
    QPoint at;
    int way = -1;
    MapPoint world, a, b;
};

Tap PickStreet(const MapState& s, QPoint at, bool start)
{
    Tap tap;
    tap.at = at;
    tap.way = PickNearestWay(s, at, start, tap.world, tap.a, tap.b);
    FUZZ_REQUIRE(tap.way >= -1 && tap.way <= s.m_nWayLast);
    return tap;
}

void TapAround(MapState& s, QPoint at)
{
    int kind = 0;
    QPoint hit;
    FUZZ_REQUIRE(HitTestWayOrPlace(s, at, kind, hit) >= -1);
    FUZZ_REQUIRE(FindPlaceAt(s, at) <= s.m_nPlaceLast);
    NearestStreetPoint(s, at);
    MapPoint world;
    int node1 = 0, node2 = 0;
    PickAvoidElement(s, at, world, node1, node2);
}

// The route between two taps, kept where the window keeps it so that it is
// drawn too.
void SearchRoute(MapState& s, const Tap& start, const Tap& end)
{
    RouteResult& route = s;
    if (FindShortestRoute(s, AvoidState(), route, start.world, start.a, start.b, end.world, end.a, end.b,
                          s.m_strWayName[start.way], s.m_strWayName[end.way]) == 1) {
        FUZZ_REQUIRE(route.m_nRouteLast >= 0 && route.m_nRouteLast < int(route.m_routePoints.size()));
        FUZZ_REQUIRE(route.m_dRouteLength >= 0);
    }
}

// Drawing needs fonts, so a GUI application, without a display. It lives as
// long as the process: Qt cannot end it after its own statics are gone.
void StartDrawing()
{
    static QGuiApplication* app = nullptr;
    if (app)
        return;
    static int argc = 1;
    static char name[] = "mapview_fuzz";
    static char* argv[] = {name, nullptr};
    qputenv("QT_QPA_PLATFORM", "offscreen");
    app = new QGuiApplication(argc, argv);
}

// What the window's paint draws with a map: the map and its overlays.
void Draw(MapState& s)
{
    StartDrawing();
    QImage image(s.m_nClientWidth, s.m_nClientHeight, QImage::Format_RGB32);
    QPainter dc(&image);
    DrawMap(dc, s);
    DrawMapOverlays(dc, s);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QByteArrayView bytes(reinterpret_cast<const char*>(data), qsizetype(std::min<size_t>(size, kMaxMapFileBytes)));
    MapState s;
    ReadMapBytes(s, bytes, 3);
    if (!s.HasRecords())
        return 0;  // the window refuses such a file
    FitViewToMap(s, s);
    ZoomAt(s, s, 240, 320, 2.0, true);
    ZoomAbout(s, s, 100, 500, 2.0, false);
    FUZZ_REQUIRE(s.m_nVisibleWays >= 0);
    TapAround(s, QPoint(s.m_nClientWidth / 2, s.m_nClientHeight / 2));
    const Tap start = PickStreet(s, QPoint(60, 80), true);
    const Tap end = PickStreet(s, QPoint(420, 560), false);
    if (start.way >= 0 && end.way >= 0)
        SearchRoute(s, start, end);
    Draw(s);
    return 0;
}
