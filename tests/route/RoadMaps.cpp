#include "RoadMaps.h"

#include "map/MapFileReader.h"

#include <algorithm>
#include <limits>
#include <stdexcept>
#include <tuple>
#include <utility>

namespace {

// The first unused (−1) entry from first to last in steps of step.
int FreeSlot(const NodeList& list, int first, int last, int step)
{
    for (int i = first; i <= last; i += step) {
        if (list[i] == -1)
            return i;
    }
    throw std::length_error("a road node has no room left in its list");
}

void AddNeighbour(NodeList& coords, int neighbour, int way)
{
    const int slot = FreeSlot(coords, 2, 18, 2);
    coords[slot] = neighbour;
    coords[slot + 1] = way;
}

void AddWay(NodeList& ways, int way) { ways[FreeSlot(ways, 0, kNodeListSize - 1, 1)] = way; }

double MidpointDistance(const std::vector<MapPoint>& nodes, const RoadEdge& edge, MapPoint target)
{
    const MapPoint p = nodes[edge.from - 1];
    const MapPoint q = nodes[edge.to - 1];
    const double dx = (p.x + q.x) / 2.0 - target.x;
    const double dy = (p.y + q.y) / 2.0 - target.y;
    return dx * dx + dy * dy;
}

const RoadEdge& EdgeNearest(const RoadGrid& grid, MapPoint target)
{
    const auto closer = [&](const RoadEdge& e1, const RoadEdge& e2) {
        return MidpointDistance(grid.nodes, e1, target) < MidpointDistance(grid.nodes, e2, target);
    };
    return *std::min_element(grid.edges.begin(), grid.edges.end(), closer);
}

}  // namespace

MapPoint NodePosition(const MapData& map, int node)
{
    return {map.m_pNodeCoords[node][0], map.m_pNodeCoords[node][1]};
}

int RunQuery(RouteSearchFunction search, MapData& map, const AvoidState& avoid, RouteResult& route,
             const RouteQuery& q, const QString& startName, const QString& endName)
{
    return search(map, avoid, route, q.start, q.a, q.b, q.end, q.c, q.d, startName, endName);
}

int Roll(std::mt19937& random, int n) { return static_cast<int>(random() % static_cast<uint32_t>(n)); }

MapData BuildRoadMap(const std::vector<MapPoint>& nodes, const std::vector<RoadEdge>& edges)
{
    MapData map;
    const int ways = static_cast<int>(edges.size());
    map.m_nWayLast = ways - 1;
    map.m_strWayName.resize(ways);
    map.m_pWayPoints.resize(ways);
    map.m_nWayPointLast.assign(ways, 1);
    map.m_strWayDirection.resize(ways);
    map.m_nWayWidth.assign(ways, 1);

    // Four slots per WAY record as the map reader gives, but small drawings
    // have fewer streets than nodes need.
    const size_t slotCount = std::max<size_t>(size_t(std::max(map.m_nWayLast, 0)) * 4, nodes.size() + 2);
    NodeList unused;
    unused.fill(-1);
    map.m_pNodeWays.assign(slotCount, unused);
    map.m_pNodeCoords.assign(slotCount, unused);
    map.m_nNodeLast = static_cast<int>(nodes.size());

    int maxX = 0;
    int maxY = 0;
    for (int n = 1; n <= map.m_nNodeLast; ++n) {
        const MapPoint p = nodes[n - 1];
        map.m_pNodeCoords[n][0] = p.x;
        map.m_pNodeCoords[n][1] = p.y;
        maxX = std::max(maxX, p.x);
        maxY = std::max(maxY, p.y);
    }
    for (int i = 0; i < ways; ++i) {
        const RoadEdge& edge = edges[i];
        const int way = i + 1;
        map.m_strWayName[i] = edge.name;
        map.m_pWayPoints[i] = {nodes[edge.from - 1], nodes[edge.to - 1]};
        map.m_pWayPoints[i].resize(kMaxWayPoints);
        map.m_strWayDirection[i] = edge.oneWay ? QStringLiteral("1") : QStringLiteral("0");
        AddNeighbour(map.m_pNodeCoords[edge.from], edge.to, way);
        if (!edge.oneWay)
            AddNeighbour(map.m_pNodeCoords[edge.to], edge.from, way);
        AddWay(map.m_pNodeWays[edge.from], way);
        AddWay(map.m_pNodeWays[edge.to], way);
    }
    map.m_nResWidth = maxX + 100;
    map.m_nResHeight = maxY + 100;
    ComputeResStep(map);
    return map;
}

RoadGrid MakeRoadGrid(const GridOptions& o)
{
    std::mt19937 random(o.seed);
    const int count = o.rows * o.cols;
    // numberAt[row * cols + col] is the node number of that junction.
    std::vector<int> numberAt(count);
    for (int i = 0; i < count; ++i)
        numberAt[i] = i + 1;
    if (o.shuffleNumbers) {
        for (int i = count - 1; i > 0; --i)
            std::swap(numberAt[i], numberAt[Roll(random, i + 1)]);
    }
    RoadGrid grid;
    grid.nodes.resize(count);
    const auto shift = [&] { return o.jitter > 0 ? Roll(random, 2 * o.jitter + 1) - o.jitter : 0; };
    for (int r = 0; r < o.rows; ++r) {
        for (int c = 0; c < o.cols; ++c) {
            const int x = o.origin + c * o.spacing + shift();
            const int y = o.origin + r * o.spacing + shift();
            grid.nodes[numberAt[r * o.cols + c] - 1] = {x, y};
        }
    }
    const auto addEdge = [&](int p, int q, const QString& name) {
        if (Roll(random, 100) < o.removePercent)
            return;
        RoadEdge edge{numberAt[p], numberAt[q], false, name};
        if (Roll(random, 100) < o.namelessPercent)
            edge.name.clear();
        if (Roll(random, 100) < o.oneWayPercent) {
            edge.oneWay = true;
            if (Roll(random, 2))
                std::swap(edge.from, edge.to);
        }
        grid.edges.push_back(edge);
    };
    // Streets run along rows and columns, each stored as consecutive records.
    for (int r = 0; r < o.rows; ++r) {
        for (int c = 0; c + 1 < o.cols; ++c) {
            const bool walled = o.wall && c + 1 == o.cols / 2 && r > 0 && r + 1 < o.rows;
            if (!walled)
                addEdge(r * o.cols + c, r * o.cols + c + 1, QStringLiteral("Phố %1").arg(r + 1));
        }
    }
    for (int c = 0; c < o.cols; ++c) {
        for (int r = 0; r + 1 < o.rows; ++r)
            addEdge(r * o.cols + c, (r + 1) * o.cols + c, QStringLiteral("Ngõ %1").arg(c + 1));
    }
    grid.map = BuildRoadMap(grid.nodes, grid.edges);
    return grid;
}

MapPoint PointBetween(MapPoint p, MapPoint q, double t)
{
    return {static_cast<int32_t>(p.x + (q.x - p.x) * t), static_cast<int32_t>(p.y + (q.y - p.y) * t)};
}

RouteQuery QueryOnEdges(const RoadGrid& grid, const RoadEdge& from, double fromT, const RoadEdge& to, double toT)
{
    RouteQuery q;
    q.a = grid.nodes[from.from - 1];
    q.b = grid.nodes[from.to - 1];
    q.start = PointBetween(q.a, q.b, fromT);
    q.c = grid.nodes[to.from - 1];
    q.d = grid.nodes[to.to - 1];
    q.end = PointBetween(q.c, q.d, toT);
    return q;
}

std::vector<RouteQuery> RandomQueries(const MapData& map, int count, std::mt19937& random)
{
    std::vector<std::pair<MapPoint, MapPoint>> segments;
    for (int n = 1; n <= map.m_nNodeLast; ++n) {
        for (int slot = 2; slot < 20; slot += 2) {
            const int v = map.m_pNodeCoords[n][slot];
            if (v >= 1 && v <= map.m_nNodeLast)
                segments.push_back({NodePosition(map, n), NodePosition(map, v)});
        }
    }
    std::vector<RouteQuery> queries;
    const auto pick = [&] { return segments[Roll(random, static_cast<int>(segments.size()))]; };
    const auto along = [&] { return (1 + Roll(random, 9)) / 10.0; };
    for (int i = 0; i < count && !segments.empty(); ++i) {
        RouteQuery q;
        std::tie(q.a, q.b) = pick();
        std::tie(q.c, q.d) = pick();
        q.start = PointBetween(q.a, q.b, along());
        q.end = PointBetween(q.c, q.d, along());
        // A street picked from a list: the point and both segment ends at a junction.
        if (Roll(random, 10) == 0)
            q.start = q.b = q.a;
        if (Roll(random, 10) == 0)
            q.end = q.d = q.c;
        queries.push_back(q);
    }
    return queries;
}

std::vector<RouteQuery> FarQueries(const RoadGrid& grid)
{
    int minX = std::numeric_limits<int>::max();
    int minY = minX;
    int maxX = std::numeric_limits<int>::min();
    int maxY = maxX;
    for (const MapPoint& p : grid.nodes) {
        minX = std::min(minX, p.x);
        minY = std::min(minY, p.y);
        maxX = std::max(maxX, p.x);
        maxY = std::max(maxY, p.y);
    }
    const int midX = (minX + maxX) / 2;
    const int midY = (minY + maxY) / 2;
    const MapPoint pairs[][2] = {
        {{minX, minY}, {maxX, maxY}}, {{maxX, maxY}, {minX, minY}}, {{maxX, minY}, {minX, maxY}},
        {{minX, maxY}, {maxX, minY}}, {{minX, midY}, {maxX, midY}}, {{midX, minY}, {midX, maxY}},
    };
    std::vector<RouteQuery> queries;
    for (const auto& pair : pairs)
        queries.push_back(QueryOnEdges(grid, EdgeNearest(grid, pair[0]), 0.5, EdgeNearest(grid, pair[1]), 0.5));
    return queries;
}
