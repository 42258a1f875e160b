// Streets to WAY records and the road graph. Every WAY point is a road node,
// so a tap on any segment starts or ends a route; the pieces are kept short
// enough that the node table (four slots per WAY record) holds every node.
#pragma once

#include "Geometry.h"

#include "map/MapData.h"

#include <QString>
#include <QStringList>

struct RoadLine {
    QString name;
    int width = 1;
    bool oneway = false; // points run in the direction of travel
    Polyline points;
};

struct RoadNetworkStats {
    int roadPoints = 0;        // points of the streets, before any was left out
    int leftOutPoints = 0;     // points no route could both reach and leave
    QStringList leftOutNames;  // named streets left out in whole or in part
    int droppedNeighbours = 0; // links beyond nine at one node
};

// Fills the WAY records and road nodes of map from roads. Points within
// tolerance (map units) of a straight line between their neighbours are
// dropped unless streets meet there. Only the largest strongly connected part
// of the network is kept, so a route runs from every road node to every
// other; the pieces outside it (one-way pieces cut off at the box's edge,
// streets joined to the rest only outside the box) are left out. False with a
// message in error when the network cannot be stored.
bool BuildRoadNetwork(std::vector<RoadLine> roads, double tolerance, MapData& map, RoadNetworkStats& stats,
                      QString& error);
