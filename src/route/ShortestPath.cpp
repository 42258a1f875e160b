#include "route/ShortestPath.h"

#include "base/Trace.h"
#include "map/Geometry.h"

#include <algorithm>
#include <cmath>
#include <functional>
#include <queue>
#include <utility>

namespace {

// Distance of a node nothing has reached yet. The end point's slot keeps it
// all through a search, so the least distance never exceeds it, and when it
// is the least nothing more can be reached in the band. Only distances below
// it therefore go into the queue.
constexpr int64_t kUnreached = 900000;
constexpr double kFirstBandFactor = 6.0;
constexpr int kStartNodeA = 2;  // node 0's elements naming the start segment's nodes
constexpr int kStartNodeB = 3;
constexpr int kNoNode = -1;
constexpr int kStreetSlots = 10;  // way slots of a node that name its streets

MapPoint NodePoint(const MapData& map, int node)
{
    const NodeList& coords = map.m_pNodeCoords[node];
    return {coords[0], coords[1]};
}

// Legs count in whole map units.
int64_t Leg(MapPoint p, MapPoint q) { return static_cast<int64_t>(PointDistance(p, q)); }

struct RouteEnds {
    MapPoint start, a, b;  // the start and its segment's end nodes
    MapPoint end, c, d;    // the end and its segment's end nodes
};

// An end-segment node that is avoided becomes (0, 0), which closes that way
// out of the start or into the end.
void CloseAvoidedEnds(const MapData& map, const AvoidState& avoid, int endSlot, RouteEnds& ends)
{
    if (!avoid.m_bAvoidActive)
        return;
    for (int i = 1; i <= avoid.NodesInUse(); ++i) {
        const int node = avoid.m_avoidNodes[i];
        if (node < 1 || node >= endSlot)
            continue;
        const MapPoint p = NodePoint(map, node);
        for (MapPoint* q : {&ends.a, &ends.b, &ends.c, &ends.d}) {
            if (*q == p)
                *q = MapPoint{};
        }
    }
}

// One search: distances, settled flags and predecessors indexed by node
// number 0..N, where 0 is the start point and N the end point. The next node
// is the unsettled one with the least distance, the lowest number on ties;
// a queue ordered by (distance, node) finds it, with entries that went stale
// (node settled since, or reached again more cheaply) skipped when they
// come up.
class RouteSearch {
public:
    RouteSearch(MapData& map, const AvoidState& avoid, const RouteEnds& ends)
        : m_map(map), m_avoid(avoid), m_ends(ends), m_endSlot(map.m_nNodeLast + 1),
          m_dist(m_endSlot + 1, kUnreached), m_settled(m_endSlot + 1, 0), m_prev(m_endSlot + 1, 0)
    {
    }

    // Whether a route reaches the end segment; false when even a band wider
    // than the map holds none. Each band that fails doubles the width.
    bool Run()
    {
        const double step = m_map.m_dResStep;
        const double mapSize = std::max(m_map.m_nResWidth, m_map.m_nResHeight);
        for (double factor = kFirstBandFactor;; factor *= 2) {
            Initialise(factor * step);
            if (SettleUntilEnd())
                return true;
            // A band that does not widen (no step) cannot help.
            if (step <= 0 || factor * step > mapSize)
                return false;
        }
    }

    int Prev(int node) const { return m_prev[node]; }
    int EndNodeC() const { return m_c; }
    int EndNodeD() const { return m_d; }

private:
    // Nodes outside the band start settled, so the search never enters them;
    // the start segment's nodes are reached from the start whatever the band.
    void Initialise(double halfWidth)
    {
        m_queue = {};
        m_settled[0] = 1;
        m_dist[0] = 0;
        m_dist[m_endSlot] = kUnreached;
        m_settled[m_endSlot] = 0;
        for (int n = 1; n < m_endSlot; ++n) {
            const MapPoint p = NodePoint(m_map, n);
            m_dist[n] = kUnreached;
            m_settled[n] = p.x >= 0 && p.y >= 0 && !InSearchBand(halfWidth, p.x, p.y, m_ends.start, m_ends.end);
            if (p == m_ends.a)
                ReachFromStart(n, kStartNodeA);
            if (p == m_ends.b)
                ReachFromStart(n, kStartNodeB);
            if (p == m_ends.c)
                m_c = n;
            if (p == m_ends.d)
                m_d = n;
        }
    }

    void ReachFromStart(int node, int slot)
    {
        m_map.m_pNodeCoords[0][slot] = node;
        m_settled[node] = 0;
        m_prev[node] = 0;
        Lower(node, Leg(m_ends.start, NodePoint(m_map, node)));
    }

    void Lower(int node, int64_t dist)
    {
        m_dist[node] = dist;
        if (dist < kUnreached)
            m_queue.push({dist, node});
    }

    // Settles nodes until one of the end segment's nodes, which then leads to
    // the end point; false when nothing more can be reached inside the band.
    bool SettleUntilEnd()
    {
        while (const int u = PickNext()) {
            if (u == m_c || u == m_d) {
                m_prev[m_endSlot] = u;
                return true;
            }
            Relax(u);
        }
        return false;
    }

    int PickNext()
    {
        while (!m_queue.empty()) {
            const auto [dist, node] = m_queue.top();
            m_queue.pop();
            if (!m_settled[node] && dist == m_dist[node]) {
                m_settled[node] = 1;
                return node;
            }
        }
        return 0;
    }

    void Relax(int u)
    {
        const NodeList& adjacent = m_map.m_pNodeCoords[u];
        for (int slot = 2; slot < 20; slot += 2) {
            const int v = adjacent[slot];
            // Only real nodes are neighbours: not the start's or the end's slot.
            if (v < 1 || v >= m_endSlot || Refused(u, v) || m_settled[v])
                continue;
            const int64_t w = m_dist[u] + Leg(NodePoint(m_map, u), NodePoint(m_map, v));
            // Equal distances keep the older predecessor.
            if (m_dist[v] > w) {
                m_prev[v] = u;
                Lower(v, w);
            }
        }
    }

    bool Refused(int u, int v) const
    {
        return m_avoid.m_bAvoidActive &&
               (m_avoid.HasSegment(u, v) || m_avoid.HasNode(u) || m_avoid.HasNode(v));
    }

    using Entry = std::pair<int64_t, int>;  // (distance, node)

    MapData& m_map;
    const AvoidState& m_avoid;
    const RouteEnds m_ends;
    const int m_endSlot;
    std::vector<int64_t> m_dist;  // 64 bits: long legs on a large map cannot overflow the sums
    std::vector<char> m_settled;
    std::vector<int> m_prev;
    std::priority_queue<Entry, std::vector<Entry>, std::greater<>> m_queue;
    int m_c = kNoNode;  // the nodes at C and D, when found
    int m_d = kNoNode;
};

// The walk from the end point back to the start point; the end entries of the
// node list become the end segments' nodes the walk did not pass.
void WalkBack(const MapData& map, const RouteSearch& search, RouteResult& route)
{
    std::vector<MapPoint> points;
    std::vector<int> nodes;
    for (int n = map.m_nNodeLast + 1;; n = search.Prev(n)) {
        points.push_back(NodePoint(map, n));
        nodes.push_back(n);
        if (n == 0)
            break;
    }
    const int k = static_cast<int>(nodes.size()) - 1;
    nodes[0] = nodes[1] == search.EndNodeC() ? search.EndNodeD() : search.EndNodeC();
    const NodeList& start = map.m_pNodeCoords[0];
    nodes[k] = nodes[k - 1] == start[kStartNodeA] ? start[kStartNodeB] : start[kStartNodeA];
    route.m_routePoints = std::move(points);
    route.m_routeNodes = std::move(nodes);
    route.m_nRouteLast = k;
}

// Length of the polyline and the streets passed in travel order, each named
// once per stretch; nameless edges are passed over.
void DescribeRoute(const MapData& map, const QString& startName, const QString& endName, RouteResult& route)
{
    const std::vector<MapPoint>& points = route.m_routePoints;
    const int k = route.m_nRouteLast;
    double length = 0.0;
    QString text = startName;
    QString previous = startName;
    // Names are joined by "-"; a nameless start road leaves no leading one.
    const auto append = [&text](const QString& name) { text += (text.isEmpty() ? QString() : QStringLiteral("-")) + name; };
    for (int i = k - 1; i >= 2; --i) {
        length += PointDistance(points[i - 1], points[i]);
        const QString name = EdgeStreetName(map, route.m_routeNodes[i], route.m_routeNodes[i - 1]);
        if (name != previous && !name.isEmpty()) {
            previous = name;
            append(name);
        }
    }
    if (endName != previous && !endName.isEmpty())
        append(endName);
    length += PointDistance(points[0], points[1]) + PointDistance(points[k - 1], points[k]);
    route.m_dRouteLength = length;
    route.m_strRouteText = text;
}

}  // namespace

bool InSearchBand(double halfWidth, int32_t px, int32_t py, MapPoint s, MapPoint e)
{
    if (s.x == e.x)
        return (px - (s.x - halfWidth)) * (px - (s.x + halfWidth)) <= 0;
    const double dx = double(s.x) - e.x;
    const double m = (double(s.y) - e.y) / dx;
    const double c = (double(s.x) * e.y - double(s.y) * e.x) / dx;
    const double r = halfWidth * std::sqrt(1 + m * m);
    const double onLine = m * px + c;
    return (py - (onLine - r)) * (py - (onLine + r)) <= 0;
}

QString EdgeStreetName(const MapData& map, int n1, int n2)
{
    const int nodes = static_cast<int>(map.m_pNodeWays.size());
    if (n1 == n2 || n1 < 0 || n2 < 0 || n1 >= nodes || n2 >= nodes)
        return {};
    const NodeList& ways1 = map.m_pNodeWays[n1];
    const NodeList& ways2 = map.m_pNodeWays[n2];
    const auto ways2End = ways2.begin() + kStreetSlots;
    for (int i = 0; i < kStreetSlots; ++i) {
        const int way = ways1[i];
        if (way <= 0 || std::find(ways2.begin(), ways2End, way) == ways2End)
            continue;
        const bool known = way - 1 <= map.m_nWayLast && way <= static_cast<int>(map.m_strWayName.size());
        return known ? map.m_strWayName[way - 1] : QString();
    }
    return {};
}

int FindShortestRoute(MapData& map, const AvoidState& avoid, RouteResult& route, MapPoint start, MapPoint a,
                      MapPoint b, MapPoint end, MapPoint c, MapPoint d, const QString& startName,
                      const QString& endName)
{
    route.m_bRouteShown = 1;
    // Slots 0 .. m_nNodeLast + 1 must all exist: the end points are stored there.
    if (map.m_nNodeLast < 0 || map.m_nNodeLast >= map.NodeCapacity() - 1) {
        Trace("FindShortestRoute: %d road nodes do not fit a node table of %d slots", map.m_nNodeLast,
              map.NodeCapacity());
        return 0;
    }
    const int endSlot = map.m_nNodeLast + 1;
    NodeList& startSlot = map.m_pNodeCoords[0];
    startSlot[0] = start.x;
    startSlot[1] = start.y;
    startSlot[kStartNodeA] = kNoNode;
    startSlot[kStartNodeB] = kNoNode;
    map.m_pNodeCoords[endSlot][0] = end.x;
    map.m_pNodeCoords[endSlot][1] = end.y;

    RouteEnds ends{start, a, b, end, c, d};
    CloseAvoidedEnds(map, avoid, endSlot, ends);
    RouteSearch search(map, avoid, ends);
    if (!search.Run())
        return 0;
    WalkBack(map, search, route);
    DescribeRoute(map, startName, endName, route);
    return 1;
}
