// The route search in its plainest form: a linear scan over every node for
// the next one to settle. The tests and the benchmark hold the program's
// search against it; it shares only the public helpers with that search.
#pragma once

#include "route/AvoidLists.h"
#include "route/ShortestPath.h"

int ReferenceFindShortestRoute(MapData& map, const AvoidState& avoid, RouteResult& route, MapPoint start,
                               MapPoint a, MapPoint b, MapPoint end, MapPoint c, MapPoint d,
                               const QString& startName, const QString& endName);
