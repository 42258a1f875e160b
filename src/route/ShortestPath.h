// The shortest road route between two points: a search over the map's road
// nodes, restricted to a band around the straight line between the ends that
// doubles in width until a route is found or the band is wider than the map.
#pragma once

#include "map/MapData.h"
#include "route/AvoidLists.h"

#include <QString>
#include <cstdint>
#include <vector>

// The last route found. Walking the arrays from element 0 goes from the end
// back to the start.
struct RouteResult {
    // End point, the node positions walking back, start point.
    std::vector<MapPoint> m_routePoints;
    // Node numbers of the same walk; element 0 holds the end segment's node the
    // walk did not pass, the last element the start segment's.
    std::vector<int> m_routeNodes;
    int m_nRouteLast = -1;  // index of the last element of both arrays
    double m_dRouteLength = 0.0;  // map units
    QString m_strRouteText;  // start name, the streets passed, end name, joined by "-"
    int m_bRouteShown = 0;
};

// Whether (px, py) lies within halfWidth of the infinite line through s and e
// (measured across the line), borders included.
bool InSearchBand(double halfWidth, int32_t px, int32_t py, MapPoint s, MapPoint e);

// The name of the first street (in n1's first ten way slots) that n1 and n2
// share; empty when they share none, when n1 = n2 or for unknown numbers.
QString EdgeStreetName(const MapData& map, int n1, int n2);

// Finds the shortest route from start, lying on the road segment with end
// nodes at a and b, to end, lying on the segment with end nodes at c and d.
// Node 0 and node m_nNodeLast + 1 of the map's node tables receive the start
// and end points. Returns 1 and replaces route's arrays, length and text when
// a route is found; returns 0 and keeps them otherwise. m_bRouteShown is set
// to 1 either way.
int FindShortestRoute(MapData& map, const AvoidState& avoid, RouteResult& route, MapPoint start, MapPoint a,
                      MapPoint b, MapPoint end, MapPoint c, MapPoint d, const QString& startName,
                      const QString& endName);
