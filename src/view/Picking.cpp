#include "view/Picking.h"

#include "view/MapState.h"
#include "view/Viewport.h"
#include "route/RouteState.h"

#include <algorithm>
#include <cstdlib>

namespace {

// Calls f(way, a, b, A, B) for every segment of the visible ways in list
// order, with map points a, b and their screen points A, B; stops when f
// returns false.
template <typename F>
void ForEachVisibleSegment(const MapState& s, F f)
{
    for (int way : s.m_visibleWays) {
        const std::vector<MapPoint>& P = s.m_pWayPoints[way];
        for (int j = 0; j < s.m_nWayPointLast[way]; ++j) {
            if (!f(way, P[j], P[j + 1], MapToScreen(s, P[j]), MapToScreen(s, P[j + 1])))
                return;
        }
    }
}

double TapToSegment(QPoint tap, QPoint a, QPoint b)
{
    return SegmentDistance(tap.x(), tap.y(), a.x(), a.y(), b.x(), b.y());
}

QPoint NearestOnScreen(QPoint tap, QPoint a, QPoint b)
{
    const MapPoint n = NearestPointOnSegment(tap.x(), tap.y(), a.x(), a.y(), b.x(), b.y());
    return {n.x, n.y};
}

// The visible segment nearest to a tap so far, by whole pixels from 1000 down;
// an equal distance keeps the earlier segment.
struct NearestSegment {
    int distance = 1000;
    int way = -1;
    MapPoint tapWorld, start, end;

    void Consider(const MapState& s, QPoint tap, int w, MapPoint a, MapPoint b, QPoint A, QPoint B)
    {
        const int d = static_cast<int>(TapToSegment(tap, A, B));
        if (d >= distance)
            return;
        distance = d;
        way = w;
        tapWorld = ScreenToMap(s, NearestOnScreen(tap, A, B));
        start = a;
        end = b;
    }
};

bool IsPlaceCandidate(const MapState& s, int place)
{
    if (s.m_dScale >= 3 * s.m_dBaseScale)
        return true;
    if (s.m_bSearchResult != 1 || s.m_nPlaceCategory[place] != s.m_nFoundCategory || s.m_nFoundCategory == -1)
        return false;
    return IsAllNames(s.m_strSearchName) || s.m_strPlaceName[place] == s.m_strSearchName;
}

// Node numbers whose coordinates equal p: the first or the last of them, 0
// when none.
int NodeAt(const MapState& s, MapPoint p, bool first)
{
    int found = 0;
    const int last = std::min(s.m_nNodeLast, s.NodeCapacity() - 1);
    for (int n = 1; n <= last; ++n) {
        if (s.m_pNodeCoords[n][0] == p.x && s.m_pNodeCoords[n][1] == p.y) {
            found = n;
            if (first)
                break;
        }
    }
    return found;
}

}  // namespace

int HitTestWayOrPlace(const MapState& s, QPoint tap, int& kind, QPoint& hit)
{
    double wayDistance = 50;
    int way = -1;
    QPoint wayPoint;
    ForEachVisibleSegment(s, [&](int w, MapPoint, MapPoint, QPoint A, QPoint B) {
        const double d = TapToSegment(tap, A, B);
        if (d < wayDistance) {
            wayDistance = d;
            way = w;
            wayPoint = NearestOnScreen(tap, A, B);
        }
        return true;
    });
    // Place distances count in whole pixels; an equal distance keeps the
    // earlier place.
    int placeDistance = 50;
    int place = -1;
    QPoint placePoint;
    for (int e = 0; e <= s.m_nPlaceLast; ++e) {
        if (!IsPlaceCandidate(s, e))
            continue;
        const QPoint p = MapToScreen(s, s.m_ptPlace[e]);
        // A place far off the window can be more pixels away than an int holds.
        const int d = static_cast<int>(std::min(PointDistance(tap, p), 1e9));
        if (d < placeDistance) {
            placeDistance = d;
            place = e;
            placePoint = p;
        }
    }
    if (place >= 0 && ((placeDistance < wayDistance && placeDistance < 10) || placeDistance < 5)) {
        kind = kHitPlace;
        hit = placePoint;
        return place;
    }
    if (way >= 0 && wayDistance < 10) {
        kind = kHitWay;
        hit = wayPoint;
        return way;
    }
    return -1;
}

int PickNearestWay(const MapState& s, QPoint tap, bool pickStart, MapPoint& tapWorld, MapPoint& segStart,
                   MapPoint& segEnd)
{
    NearestSegment nearest;
    ForEachVisibleSegment(s, [&](int w, MapPoint a, MapPoint b, QPoint A, QPoint B) {
        nearest.Consider(s, tap, w, a, b, A, B);
        return true;
    });
    const int way = nearest.way;
    if (way >= 0) {
        tapWorld = nearest.tapWorld;
        segStart = nearest.start;
        segEnd = nearest.end;
    }
    if (way >= 0)
        KeepTravelEnd(s, way, pickStart, segStart, segEnd);
    return way;
}

int PickAvoidElement(const MapState& s, QPoint tap, MapPoint& tapWorld, int& node1, int& node2)
{
    NearestSegment nearest;
    int nodeWay = -1;
    MapPoint tappedNode;
    ForEachVisibleSegment(s, [&](int w, MapPoint a, MapPoint b, QPoint A, QPoint B) {
        if (PointDistance(tap, A) < 10 || PointDistance(tap, B) < 10) {
            nodeWay = w;
            tappedNode = PointDistance(tap, A) < 10 ? a : b;
            return false;
        }
        nearest.Consider(s, tap, w, a, b, A, B);
        return true;
    });
    if (nodeWay >= 0) {
        node1 = node2 = NodeAt(s, tappedNode, true);
        return nodeWay;
    }
    tapWorld = nearest.tapWorld;
    node1 = NodeAt(s, nearest.start, false);
    node2 = NodeAt(s, nearest.end, false);
    return nearest.way;
}

bool PlaceLabelShown(const MapState& s, int place)
{
    const int code = s.m_nPlaceCategory[place];
    if (CategoryShown(s.m_showCategory, code))
        return true;
    return s.m_bSearchResult == 1 && code == s.m_nFoundCategory &&
           (s.m_strSearchName == s.m_strPlaceName[place] || IsAllNames(s.m_strSearchName));
}

QString PlaceLabel(int category, const QString& name)
{
    QString label = CategoryCaption(category);
    if (name.size() > 1)
        label += QLatin1Char('_') + name;
    return label;
}

std::optional<QPoint> NodeOnScreen(const MapState& s, int node)
{
    if (node < 0 || node >= s.NodeCapacity())
        return std::nullopt;
    const NodeList& c = s.m_pNodeCoords[node];
    return MapToScreen(s, MapPoint{c[0], c[1]});
}

int FindPlaceAt(const MapState& s, QPoint tap)
{
    int best = 50;
    int found = -1;
    for (int i = 0; i <= s.m_nPlaceLast; ++i) {
        const QPoint p = MapToScreen(s, s.m_ptPlace[i]);
        if (std::abs(int64_t(p.x()) - tap.x()) >= 10 || std::abs(int64_t(p.y()) - tap.y()) >= 10)
            continue;
        const int d = static_cast<int>(PointDistance(tap, p));
        if (d < best) {
            best = d;
            found = i;
        }
    }
    return best < 15 ? found : -1;
}

MapPoint NearestStreetPoint(const MapState& s, QPoint tap)
{
    const MapPoint q = ScreenToMap(s, tap);
    int best = 50000;
    MapPoint nearest = q;
    for (int way : s.m_visibleWays) {
        for (int k = 0; k <= s.m_nWayPointLast[way]; ++k) {
            const MapPoint point = s.m_pWayPoints[way][k];
            const int d = static_cast<int>(std::min(PointDistance(point, q), 1e9));
            if (d < best) {
                best = d;
                nearest = point;
            }
        }
    }
    return nearest;
}
