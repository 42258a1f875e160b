#include "RoadNetwork.h"

#include "StrongParts.h"

#include "view/Viewport.h"

#include <algorithm>
#include <cmath>
#include <map>
#include <queue>
#include <tuple>
#include <unordered_map>
#include <unordered_set>

namespace {

constexpr int kMaxNeighbours = 9;
// Each WAY record is at most this many times as long as the distance between
// its ends, so the map view lists it whenever it is drawn over 60 pixels long.
constexpr double kMaxLengthPerEndSpan = 3.0;

int64_t Key(MapPoint p)
{
    return (int64_t(p.x) << 32) | uint32_t(p.y);
}

using PointUses = std::unordered_map<int64_t, int>;

// How often each point occurs over all lines; line ends count once more, so
// that junctions and ends both reach two.
PointUses CountUses(const std::vector<RoadLine>& roads, bool endsCountTwice)
{
    PointUses uses;
    for (const RoadLine& road : roads) {
        for (const MapPoint& p : road.points)
            ++uses[Key(p)];
        if (endsCountTwice) {
            ++uses[Key(road.points.front())];
            ++uses[Key(road.points.back())];
        }
    }
    return uses;
}

bool IsJunction(const PointUses& uses, MapPoint p)
{
    const auto it = uses.find(Key(p));
    return it != uses.end() && it->second >= 2;
}

// Simplifies each stretch between junctions on its own, so junctions stay.
Polyline SimplifyBetweenJunctions(const Polyline& line, const PointUses& uses, double tolerance)
{
    Polyline out{line.front()};
    size_t start = 0;
    for (size_t i = 1; i < line.size(); ++i) {
        if (i + 1 < line.size() && !IsJunction(uses, line[i]))
            continue;
        const Polyline stretch = SimplifyLine(Polyline(line.begin() + start, line.begin() + i + 1), tolerance);
        out.insert(out.end(), stretch.begin() + 1, stretch.end());
        start = i;
    }
    return out;
}

// Whether going on from a→b into b→c turns back by more than 120°.
bool TurnsBack(MapPoint a, MapPoint b, MapPoint c)
{
    const double ux = double(b.x) - a.x, uy = double(b.y) - a.y;
    const double vx = double(c.x) - b.x, vy = double(c.y) - b.y;
    return ux * vx + uy * vy < -0.5 * std::hypot(ux, uy) * std::hypot(vx, vy);
}

// Joins lines of the same name, width and direction that continue one
// another, so a street becomes as few chains as its shape allows. A line that
// turns back where it would join (the other carriageway of a divided street,
// which meets this one at a sharp angle) stays apart, so that no chain folds
// back along itself.
class LineMerger {
public:
    explicit LineMerger(std::vector<RoadLine>& roads) : m_roads(roads), m_used(roads.size(), false) {}
    std::vector<RoadLine> Run();

private:
    using Group = std::vector<size_t>;
    void Index(const Group& group);
    // An unused line of the group continuing chain at its end (atBack) or
    // start, turned to fit; -1 when none.
    long Next(const RoadLine& chain, bool atBack);

    std::vector<RoadLine>& m_roads;
    std::vector<bool> m_used;
    std::map<int64_t, std::vector<size_t>> m_starts, m_ends;
};

void LineMerger::Index(const Group& group)
{
    m_starts.clear();
    m_ends.clear();
    for (size_t i : group) {
        m_starts[Key(m_roads[i].points.front())].push_back(i);
        m_ends[Key(m_roads[i].points.back())].push_back(i);
    }
}

long LineMerger::Next(const RoadLine& chain, bool atBack)
{
    const Polyline& c = chain.points;
    const MapPoint end = atBack ? c.back() : c.front();
    // Travel order must continue; a two-way line may also be turned round.
    const auto pick = [&](const std::map<int64_t, std::vector<size_t>>& index, bool turn) -> long {
        const auto it = index.find(Key(end));
        if (it == index.end())
            return -1;
        for (size_t i : it->second) {
            const Polyline& p = m_roads[i].points;
            // The point beyond the join on the candidate, as it will run.
            const MapPoint beyond = (atBack != turn) ? p[1] : p[p.size() - 2];
            const bool back = atBack ? TurnsBack(c[c.size() - 2], end, beyond) : TurnsBack(beyond, end, c[1]);
            if (!m_used[i] && !back)
                return static_cast<long>(i);
        }
        return -1;
    };
    long next = pick(atBack ? m_starts : m_ends, false);
    bool turn = false;
    if (next < 0 && !chain.oneway) {
        next = pick(atBack ? m_ends : m_starts, true);
        turn = next >= 0;
    }
    if (next >= 0 && turn)
        std::reverse(m_roads[next].points.begin(), m_roads[next].points.end());
    return next;
}

std::vector<RoadLine> LineMerger::Run()
{
    std::map<std::tuple<QString, int, bool>, Group> groups;
    std::vector<const Group*> order;
    for (size_t i = 0; i < m_roads.size(); ++i) {
        Group& g = groups[{m_roads[i].name, m_roads[i].width, m_roads[i].oneway}];
        if (g.empty())
            order.push_back(&g);
        g.push_back(i);
    }
    std::vector<std::pair<size_t, RoadLine>> chains; // first line's index, chain
    for (const Group* group : order) {
        Index(*group);
        for (size_t seed : *group) {
            if (m_used[seed])
                continue;
            m_used[seed] = true;
            RoadLine chain = m_roads[seed];
            for (bool atBack : {true, false}) {
                long next;
                while (chain.points.front() != chain.points.back() && (next = Next(chain, atBack)) >= 0) {
                    m_used[next] = true;
                    const Polyline& p = m_roads[next].points;
                    if (atBack)
                        chain.points.insert(chain.points.end(), p.begin() + 1, p.end());
                    else
                        chain.points.insert(chain.points.begin(), p.begin(), p.end() - 1);
                }
            }
            chains.emplace_back(seed, std::move(chain));
        }
    }
    // Named streets first, by name; each street's chains in input order.
    std::stable_sort(chains.begin(), chains.end(), [](const auto& a, const auto& b) {
        if (a.second.name.isEmpty() != b.second.name.isEmpty())
            return b.second.name.isEmpty();
        if (a.second.name != b.second.name)
            return a.second.name < b.second.name;
        return a.first < b.first;
    });
    std::vector<RoadLine> out;
    for (auto& c : chains)
        out.push_back(std::move(c.second));
    return out;
}

// The WAY pieces: cut positions along each chain (first and last point
// included). A piece shares its end point with the next one.
class PieceCutter {
public:
    PieceCutter(const std::vector<RoadLine>& chains, const PointUses& uses);
    int PieceCount() const { return m_count; }
    // Splits the longest piece once; false when every piece is one segment.
    bool SplitLongest();
    // Splits every piece that bends back towards its start until none is
    // longer than kMaxLengthPerEndSpan times the distance between its ends.
    void SplitFolded();
    const std::vector<size_t>& Cuts(size_t chain) const { return m_cuts[chain]; }

private:
    struct Piece {
        size_t points, chain, begin, end;
        // Longest first, then in map order.
        bool operator<(const Piece& o) const
        {
            return std::tie(points, o.chain, o.begin) < std::tie(o.points, chain, begin);
        }
    };
    size_t SplitPoint(const Piece& piece) const;

    const std::vector<RoadLine>& m_chains;
    const PointUses& m_uses;
    std::vector<std::vector<size_t>> m_cuts;
    std::priority_queue<Piece> m_queue;
    int m_count = 0;
};

PieceCutter::PieceCutter(const std::vector<RoadLine>& chains, const PointUses& uses)
    : m_chains(chains), m_uses(uses), m_cuts(chains.size())
{
    for (size_t c = 0; c < chains.size(); ++c) {
        m_cuts[c] = EvenCuts(chains[c].points.size(), kMaxWayPoints);
        for (size_t k = 0; k + 1 < m_cuts[c].size(); ++k)
            m_queue.push({m_cuts[c][k + 1] - m_cuts[c][k] + 1, c, m_cuts[c][k], m_cuts[c][k + 1]});
        m_count += static_cast<int>(m_cuts[c].size()) - 1;
    }
}

// The junction nearest the middle of the piece's middle half, else the middle.
size_t PieceCutter::SplitPoint(const Piece& piece) const
{
    const size_t middle = (piece.begin + piece.end) / 2;
    const size_t quarter = (piece.end - piece.begin) / 4;
    size_t best = middle;
    size_t bestGap = SIZE_MAX;
    for (size_t i = std::max(piece.begin + 1, piece.begin + quarter); i <= piece.end - 1 - quarter && i < piece.end;
         ++i) {
        const size_t gap = i > middle ? i - middle : middle - i;
        if (IsJunction(m_uses, m_chains[piece.chain].points[i]) && gap < bestGap) {
            best = i;
            bestGap = gap;
        }
    }
    return best;
}

bool PieceCutter::SplitLongest()
{
    if (m_queue.empty() || m_queue.top().points <= 2)
        return false;
    const Piece piece = m_queue.top();
    m_queue.pop();
    const size_t at = SplitPoint(piece);
    std::vector<size_t>& cuts = m_cuts[piece.chain];
    cuts.insert(std::upper_bound(cuts.begin(), cuts.end(), piece.begin), at);
    m_queue.push({at - piece.begin + 1, piece.chain, piece.begin, at});
    m_queue.push({piece.end - at + 1, piece.chain, at, piece.end});
    ++m_count;
    return true;
}

// The point farthest from both ends of a line of three points or more (not
// an end itself): cutting there gives two pieces whose ends lie far apart.
size_t FarthestFromEnds(const Polyline& line)
{
    size_t best = 1;
    double bestDistance = -1.0;
    for (size_t i = 1; i + 1 < line.size(); ++i) {
        const double d = std::min(PointDistance(line[i], line.front()), PointDistance(line[i], line.back()));
        if (d > bestDistance) {
            best = i;
            bestDistance = d;
        }
    }
    return best;
}

void PieceCutter::SplitFolded()
{
    for (size_t c = 0; c < m_chains.size(); ++c) {
        const Polyline& points = m_chains[c].points;
        std::vector<size_t>& cuts = m_cuts[c];
        for (size_t k = 0; k + 1 < cuts.size();) {
            const Polyline piece(points.begin() + cuts[k], points.begin() + cuts[k + 1] + 1);
            if (piece.size() < 3 || LengthPerEndSpan(piece) <= kMaxLengthPerEndSpan) {
                ++k;
                continue;
            }
            cuts.insert(cuts.begin() + k + 1, cuts[k] + FarthestFromEnds(piece));
            ++m_count;
        }
    }
}

// Node numbers, way lists and adjacency, walking the WAY records in order.
class NodeTable {
public:
    explicit NodeTable(MapData& map) : m(map) {}
    int NodeOf(MapPoint p, int wayNumber);
    void AddEdge(int from, int to);
    // Fills the node tables; returns how many links beyond nine were dropped.
    int Store();
    int Count() const { return static_cast<int>(m_points.size()); }

private:
    MapData& m;
    std::unordered_map<int64_t, int> m_numbers;
    std::vector<MapPoint> m_points;                        // node n at n − 1
    std::vector<std::vector<int>> m_ways;                  // 1-based WAY numbers
    std::vector<std::vector<std::pair<int, int>>> m_edges; // (neighbour, length)
};

int NodeTable::NodeOf(MapPoint p, int wayNumber)
{
    const auto [it, added] = m_numbers.try_emplace(Key(p), Count() + 1);
    if (added) {
        m_points.push_back(p);
        m_ways.emplace_back();
        m_edges.emplace_back();
    }
    std::vector<int>& ways = m_ways[it->second - 1];
    if (ways.empty() || ways.back() != wayNumber)
        ways.push_back(wayNumber);
    return it->second;
}

void NodeTable::AddEdge(int from, int to)
{
    auto& edges = m_edges[from - 1];
    for (const auto& e : edges) {
        if (e.first == to)
            return;
    }
    const double length = PointDistance(m_points[from - 1], m_points[to - 1]);
    edges.emplace_back(to, static_cast<int>(std::lround(length)));
}

int NodeTable::Store()
{
    int dropped = 0;
    NodeList empty;
    empty.fill(-1);
    const size_t tableSlots = static_cast<size_t>(std::max(m.m_nWayLast, 0)) * 4;
    m.m_pNodeWays.assign(tableSlots, empty);
    m.m_pNodeCoords.assign(tableSlots, empty);
    m.m_nNodeLast = Count();
    for (int n = 1; n <= Count(); ++n) {
        NodeList& ways = m.m_pNodeWays[n];
        const auto& list = m_ways[n - 1];
        for (size_t i = 0; i < list.size() && i < ways.size(); ++i)
            ways[i] = list[i];
        NodeList& coords = m.m_pNodeCoords[n];
        coords[0] = m_points[n - 1].x;
        coords[1] = m_points[n - 1].y;
        const auto& edges = m_edges[n - 1];
        for (size_t i = 0; i < edges.size(); ++i) {
            if (i >= size_t(kMaxNeighbours)) {
                ++dropped;
                continue;
            }
            coords[2 + 2 * i] = edges[i].first;
            coords[3 + 2 * i] = edges[i].second;
        }
    }
    return dropped;
}

void AddWayRecord(MapData& map, const RoadLine& chain, size_t begin, size_t end)
{
    map.m_strWayName.push_back(chain.name);
    map.m_pWayPoints.emplace_back(chain.points.begin() + begin, chain.points.begin() + end + 1);
    map.m_nWayPointLast.push_back(static_cast<int>(end - begin));
    map.m_strWayDirection.push_back(chain.oneway ? QStringLiteral("1") : QStringLiteral("0"));
    map.m_nWayWidth.push_back(chain.width);
    map.m_nWayLast = static_cast<int>(map.m_strWayName.size()) - 1;
}

int CountPoints(const std::vector<RoadLine>& roads)
{
    return static_cast<int>(CountUses(roads, false).size());
}

void ClearWays(MapData& map)
{
    map.m_strWayName.clear();
    map.m_pWayPoints.clear();
    map.m_nWayPointLast.clear();
    map.m_strWayDirection.clear();
    map.m_nWayWidth.clear();
    map.m_nWayLast = -1;
}

// Joins, cuts and numbers the streets into the WAY records and road nodes of
// map; returns the links dropped beyond nine at one node, or -1 with a
// message in error when the node table cannot hold the nodes.
int StoreNetwork(std::vector<RoadLine>& roads, MapData& map, QString& error)
{
    const std::vector<RoadLine> chains = LineMerger(roads).Run();

    // Nodes 1..V and the spare slot after them must lie below 4 × the last
    // WAY index: V + 1 < 4 (W − 1).
    const PointUses uses = CountUses(chains, false);
    const int nodes = static_cast<int>(uses.size());
    const int minPieces = (nodes + 1) / 4 + 2;
    PieceCutter cutter(chains, uses);
    while (cutter.PieceCount() < minPieces) {
        if (!cutter.SplitLongest()) {
            error = QStringLiteral("the street network is too small for a road graph: %1 points need %2 WAY "
                                   "records but its segments give only %3")
                        .arg(nodes)
                        .arg(minPieces)
                        .arg(cutter.PieceCount());
            return -1;
        }
    }
    cutter.SplitFolded();

    ClearWays(map);
    NodeTable table(map);
    for (size_t c = 0; c < chains.size(); ++c) {
        const auto& cuts = cutter.Cuts(c);
        for (size_t k = 0; k + 1 < cuts.size(); ++k) {
            AddWayRecord(map, chains[c], cuts[k], cuts[k + 1]);
            const int wayNumber = map.m_nWayLast + 1;
            int previous = 0;
            for (size_t i = cuts[k]; i <= cuts[k + 1]; ++i) {
                const int node = table.NodeOf(chains[c].points[i], wayNumber);
                if (previous > 0) {
                    table.AddEdge(previous, node);
                    if (!chains[c].oneway)
                        table.AddEdge(node, previous);
                }
                previous = node;
            }
        }
    }
    return table.Store();
}

// The points of the road nodes of map outside the largest strongly connected
// part of its graph: no route can both reach and leave them.
std::unordered_set<int64_t> PointsOutOfReach(const MapData& map)
{
    std::vector<std::vector<int>> links(map.m_nNodeLast);
    for (int n = 1; n <= map.m_nNodeLast; ++n) {
        const NodeList& c = map.m_pNodeCoords[n];
        for (int i = 2; i + 1 < kNodeListSize; i += 2) {
            if (c[i] > 0)
                links[n - 1].push_back(c[i] - 1);
        }
    }
    const StrongParts parts = FindStrongParts(links);
    std::unordered_set<int64_t> out;
    for (int n = 1; n <= map.m_nNodeLast; ++n) {
        if (parts.part[n - 1] != parts.largest)
            out.insert(Key({map.m_pNodeCoords[n][0], map.m_pNodeCoords[n][1]}));
    }
    return out;
}

// Leaves out every segment that has an end in points; lines are cut there.
void LeaveOut(std::vector<RoadLine>& roads, const std::unordered_set<int64_t>& points, QStringList& names)
{
    std::vector<RoadLine> kept;
    for (const RoadLine& road : roads) {
        const Polyline& p = road.points;
        Polyline run;
        const auto flush = [&] {
            if (run.size() >= 2)
                kept.push_back({road.name, road.width, road.oneway, run});
            run.clear();
        };
        bool lost = false;
        for (size_t i = 0; i + 1 < p.size(); ++i) {
            if (points.count(Key(p[i])) || points.count(Key(p[i + 1]))) {
                lost = true;
                flush();
                continue;
            }
            if (run.empty())
                run.push_back(p[i]);
            run.push_back(p[i + 1]);
        }
        flush();
        if (lost && !road.name.isEmpty() && !names.contains(road.name))
            names << road.name;
    }
    roads = std::move(kept);
}

} // namespace

bool BuildRoadNetwork(std::vector<RoadLine> roads, double tolerance, MapData& map, RoadNetworkStats& stats,
                      QString& error)
{
    for (RoadLine& road : roads)
        RemoveRepeats(road.points);
    std::erase_if(roads, [](const RoadLine& r) { return r.points.size() < 2; });
    if (roads.empty()) {
        error = QStringLiteral("no streets for cars inside the map's box");
        return false;
    }
    if (tolerance > 0.0) {
        const PointUses uses = CountUses(roads, true);
        for (RoadLine& road : roads)
            road.points = SimplifyBetweenJunctions(road.points, uses, tolerance);
    }
    stats.roadPoints = CountPoints(roads);
    // Leaving pieces out can only shrink the network, so this ends; it
    // normally takes two rounds, a third only when a link beyond nine at one
    // node had to go.
    for (;;) {
        stats.droppedNeighbours = StoreNetwork(roads, map, error);
        if (stats.droppedNeighbours < 0)
            return false;
        const std::unordered_set<int64_t> outOfReach = PointsOutOfReach(map);
        if (outOfReach.empty())
            break;
        LeaveOut(roads, outOfReach, stats.leftOutNames);
        if (roads.empty()) {
            error = QStringLiteral("no two streets inside the map's box are joined so that a route could run "
                                   "between them both ways");
            return false;
        }
    }
    stats.leftOutPoints = stats.roadPoints - map.m_nNodeLast;
    return true;
}
