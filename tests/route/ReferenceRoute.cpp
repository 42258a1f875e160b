#include "ReferenceRoute.h"

#include "view/Viewport.h"

#include <algorithm>
#include <cstdint>
#include <vector>

namespace {

// Integers in use from element 1 of an avoid list.
int InUse(int count, const std::vector<int>& list)
{
    return std::clamp(count, 0, std::max(static_cast<int>(list.size()) - 1, 0));
}

bool NodeListed(const AvoidState& avoid, int node)
{
    for (int i = 1; i <= InUse(avoid.m_nAvoidNodeCount, avoid.m_avoidNodes); ++i) {
        if (avoid.m_avoidNodes[i] == node)
            return true;
    }
    return false;
}

bool SegmentListed(const AvoidState& avoid, int u, int v)
{
    const int pairs = InUse(avoid.m_nAvoidSegmentCount, avoid.m_avoidSegments) / 2;
    for (int k = 1; k <= pairs; ++k) {
        const int p = avoid.m_avoidSegments[2 * k - 1];
        const int q = avoid.m_avoidSegments[2 * k];
        if ((p == u && q == v) || (p == v && q == u))
            return true;
    }
    return false;
}

MapPoint At(const MapData& map, int n) { return {map.m_pNodeCoords[n][0], map.m_pNodeCoords[n][1]}; }

int64_t Whole(double distance) { return static_cast<int64_t>(distance); }

}  // namespace

int ReferenceFindShortestRoute(MapData& map, const AvoidState& avoid, RouteResult& route, MapPoint start,
                               MapPoint a, MapPoint b, MapPoint end, MapPoint c, MapPoint d,
                               const QString& startName, const QString& endName)
{
    // 1. Start and end points into slots 0 and N.
    route.m_bRouteShown = 1;
    if (map.m_nNodeLast < 0 || map.m_nNodeLast + 1 >= static_cast<int>(map.m_pNodeCoords.size()))
        return 0;
    const int N = map.m_nNodeLast + 1;
    map.m_pNodeCoords[0][0] = start.x;
    map.m_pNodeCoords[0][1] = start.y;
    map.m_pNodeCoords[0][2] = -1;
    map.m_pNodeCoords[0][3] = -1;
    map.m_pNodeCoords[N][0] = end.x;
    map.m_pNodeCoords[N][1] = end.y;
    std::vector<int64_t> dist(N + 1, 0);
    std::vector<int> settled(N + 1, 0);
    std::vector<int> prev(N + 1, 0);
    double f = 6;
    const bool avoiding = avoid.m_bAvoidActive != 0;

    // 2. Avoided end nodes.
    if (avoiding) {
        for (int i = 1; i <= InUse(avoid.m_nAvoidNodeCount, avoid.m_avoidNodes); ++i) {
            const int node = avoid.m_avoidNodes[i];
            if (node < 1 || node >= N)
                continue;
            const MapPoint p = At(map, node);
            if (p == a)
                a = MapPoint{};
            if (p == b)
                b = MapPoint{};
            if (p == c)
                c = MapPoint{};
            if (p == d)
                d = MapPoint{};
        }
    }

    int nodeC = -1;
    int nodeD = -1;
    int reached = -1;
    while (reached < 0) {
        // 3. Initialise.
        settled[0] = 1;
        dist[0] = 0;
        dist[N] = 900000;
        settled[N] = 0;
        for (int n = 1; n <= N - 1; ++n) {
            const MapPoint p = At(map, n);
            settled[n] = 0;
            dist[n] = 900000;
            if (p.x >= 0 && p.y >= 0 && !InSearchBand(f * map.m_dResStep, p.x, p.y, start, end))
                settled[n] = 1;
            if (p == a) {
                map.m_pNodeCoords[0][2] = n;
                dist[n] = Whole(PointDistance(start, p));
                prev[n] = 0;
                settled[n] = 0;
            }
            if (p == b) {
                map.m_pNodeCoords[0][3] = n;
                dist[n] = Whole(PointDistance(start, p));
                prev[n] = 0;
                settled[n] = 0;
            }
            if (p == c)
                nodeC = n;
            if (p == d)
                nodeD = n;
        }
        for (;;) {
            // 4. The unsettled node with the least distance below 900005;
            // node N (900000) is always a candidate.
            int u = -1;
            int64_t least = 900005;
            for (int n = 1; n <= N; ++n) {
                if (!settled[n] && dist[n] < least) {
                    u = n;
                    least = dist[n];
                }
            }
            settled[u] = 1;
            // 5. Nothing more reachable in this band: widen it or give up.
            if (dist[u] == 900000) {
                if (map.m_dResStep <= 0 ||
                    f * map.m_dResStep > std::max(map.m_nResWidth, map.m_nResHeight))
                    return 0;
                f *= 2;
                break;
            }
            // 6. The end segment is reached.
            if (u == nodeC || u == nodeD) {
                reached = u;
                break;
            }
            // 7. Relax u.
            for (int slot = 2; slot <= 18; slot += 2) {
                const int v = map.m_pNodeCoords[u][slot];
                if (v <= 0 || v >= N)
                    continue;
                if (avoiding && (SegmentListed(avoid, u, v) || NodeListed(avoid, u) || NodeListed(avoid, v)))
                    continue;
                if (settled[v])
                    continue;
                const int64_t w = dist[u] + Whole(PointDistance(At(map, u), At(map, v)));
                if (dist[v] > w) {
                    dist[v] = w;
                    prev[v] = u;
                }
            }
        }
    }

    // 8. The walk from the end back to the start.
    prev[N] = reached;
    std::vector<MapPoint> points;
    std::vector<int> nodes;
    int n = N;
    for (;;) {
        points.push_back(At(map, n));
        nodes.push_back(n);
        if (n == 0)
            break;
        n = prev[n];
    }
    const int k = static_cast<int>(nodes.size()) - 1;

    // 9. The end segments' other nodes.
    nodes[0] = nodes[1] == nodeC ? nodeD : nodeC;
    nodes[k] = nodes[k - 1] == map.m_pNodeCoords[0][2] ? map.m_pNodeCoords[0][3] : map.m_pNodeCoords[0][2];

    // 10. Length and street text.
    double length = 0;
    QString text = startName;
    QString last = startName;
    for (int i = k - 1; i >= 2; --i) {
        length += PointDistance(points[i - 1], points[i]);
        const QString name = EdgeStreetName(map, nodes[i], nodes[i - 1]);
        if (name != last && !name.isEmpty()) {
            last = name;
            text += (text.isEmpty() ? "" : "-") + name;
        }
    }
    if (endName != last && !endName.isEmpty())
        text += (text.isEmpty() ? "" : "-") + endName;
    length += PointDistance(points[0], points[1]) + PointDistance(points[k - 1], points[k]);

    route.m_routePoints = points;
    route.m_routeNodes = nodes;
    route.m_nRouteLast = k;
    route.m_dRouteLength = length;
    route.m_strRouteText = text;
    return 1;
}
