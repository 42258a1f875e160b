// Road maps built in memory for the route tests and the benchmark: a node
// list and an edge list become the WAY records and node tables a map file
// would give, and generated street grids (regular or irregular, from a fixed
// seed) give maps of any size.
#pragma once

#include "map/MapData.h"
#include "route/AvoidLists.h"
#include "route/ShortestPath.h"

#include <QString>
#include <cstdint>
#include <random>
#include <vector>

struct RoadEdge {
    int from = 0;  // node numbers
    int to = 0;
    bool oneWay = false;  // only from → to
    QString name;
};

// nodes[i] is the position of node i + 1. Each edge becomes one WAY record
// (its number is the edge's index + 1), listed in both end nodes' way lists;
// the adjacency pairs follow the one-way edges. The extent reaches 100 units
// past the largest coordinates.
MapData BuildRoadMap(const std::vector<MapPoint>& nodes, const std::vector<RoadEdge>& edges);

struct GridOptions {
    int rows = 10;
    int cols = 10;
    int spacing = 100;         // map units between neighbouring junctions
    int origin = 100;          // position of the first junction (x and y)
    int jitter = 0;            // junctions move up to this far on each axis
    int removePercent = 0;     // edges left out
    int oneWayPercent = 0;     // edges made one-way (either direction)
    int namelessPercent = 0;   // edges with an empty street name
    bool wall = false;         // a wall down the middle, open only in the top and bottom rows
    bool shuffleNumbers = false;  // node numbers unrelated to position
    uint32_t seed = 1;
};

struct RoadGrid {
    MapData map;
    std::vector<MapPoint> nodes;  // nodes[i] is node i + 1
    std::vector<RoadEdge> edges;
};

RoadGrid MakeRoadGrid(const GridOptions& options);

// The arguments of one route search: the start on the segment a–b, the end
// on the segment c–d.
struct RouteQuery {
    MapPoint start, a, b;
    MapPoint end, c, d;
};

MapPoint NodePosition(const MapData& map, int node);

// The point at fraction t from p to q, truncated to map units.
MapPoint PointBetween(MapPoint p, MapPoint q, double t);

// Start and end on the given edges of the grid (a fraction t along each).
RouteQuery QueryOnEdges(const RoadGrid& grid, const RoadEdge& from, double fromT, const RoadEdge& to, double toT);

// count queries between random road segments of the map (a node and one of
// its listed neighbours); about one in ten starts or ends exactly at a
// junction (both segment ends at that junction).
std::vector<RouteQuery> RandomQueries(const MapData& map, int count, std::mt19937& random);

// Queries between far-apart parts of a grid: corner to corner, side to side.
std::vector<RouteQuery> FarQueries(const RoadGrid& grid);

// A random number in 0 .. n − 1 (n > 0), the same on every platform.
int Roll(std::mt19937& random, int n);

// The program's search and the reference share one signature.
using RouteSearchFunction = int (*)(MapData&, const AvoidState&, RouteResult&, MapPoint, MapPoint, MapPoint, MapPoint,
                                    MapPoint, MapPoint, const QString&, const QString&);

int RunQuery(RouteSearchFunction search, MapData& map, const AvoidState& avoid, RouteResult& route,
             const RouteQuery& q, const QString& startName = QStringLiteral("Nhà"),
             const QString& endName = QStringLiteral("Trường"));
