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
    int keptLines = 0;
    int droppedLines = 0;      // not connected to the main street network
    QStringList droppedNames;  // the named streets among them
    int droppedNeighbours = 0; // beyond nine per node
};

// Fills the WAY records and road nodes of map from roads. Points within
// tolerance (map units) of a straight line between their neighbours are
// dropped unless streets meet there. False with a message in error when the
// network cannot be stored.
bool BuildRoadNetwork(std::vector<RoadLine> roads, double tolerance, MapData& map, RoadNetworkStats& stats,
                      QString& error);
