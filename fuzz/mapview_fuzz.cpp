// Any bytes as a map file, then used as the window uses a map: the view fitted
// and zoomed, streets and places picked where a user taps, a route searched
// between two taps. Nothing reads outside the map's arrays, and a route found
// runs through points of the map.
#include "FuzzCheck.h"
#include "app/MapState.h"
#include "map/MapFileReader.h"
#include "view/Picking.h"
#include "view/Viewport.h"

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
    const int found = HitTestWayOrPlace(s, at, kind, hit);
    FUZZ_REQUIRE(found >= -1);
    FUZZ_REQUIRE(FindPlaceAt(s, at) <= s.m_nPlaceLast);
    NearestStreetPoint(s, at);
    MapPoint world;
    int node1 = 0, node2 = 0;
    PickAvoidElement(s, at, world, node1, node2);
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
    const QPoint centre(s.m_nClientWidth / 2, s.m_nClientHeight / 2);
    TapAround(s, centre);
    const Tap start = PickStreet(s, QPoint(60, 80), true);
    const Tap end = PickStreet(s, QPoint(420, 560), false);
    if (start.way < 0 || end.way < 0)
        return 0;
    RouteResult route;
    if (FindShortestRoute(s, AvoidState(), route, start.world, start.a, start.b, end.world, end.a, end.b,
                          s.m_strWayName[start.way], s.m_strWayName[end.way]) == 1) {
        FUZZ_REQUIRE(route.m_nRouteLast >= 0 && route.m_nRouteLast < int(route.m_routePoints.size()));
        FUZZ_REQUIRE(route.m_dRouteLength >= 0);
    }
    return 0;
}
