// Road maps drawn as text for the route tests. Capital letters are junctions
// (node numbers follow the alphabet: A is the lowest); "-" joins junctions on
// a row and "|" in a column. ">" or "<" in a row, "v" or "^" in a column make
// the edge one-way in that direction. One character is 50 map units across,
// one line 100 units down, so "A---B" and a junction two lines below another
// are both 200 units apart.
//
//     A---B          Street{"Hàng Bạc", "ABD"} names the edges A–B and B–D;
//     |   v          edges on no named street are nameless. B–D is one-way
//     C---D          from B down to D.
#pragma once

#include "RoadMaps.h"
#include "route/ShortestPath.h"

#include <string>
#include <vector>

struct Street {
    QString name;
    std::string junctions;  // the junctions along the street, in order
};

struct DrawnMap {
    RoadGrid roads;
    std::string letters;  // letters[n − 1] is the junction of node n

    MapData& Map() { return roads.map; }
    int Node(char letter) const;
    MapPoint At(char letter) const;
    // The junctions a route passes, from start to end ("?" for a non-junction).
    std::string Path(const RouteResult& route) const;
    // The junction letter of a node number, '?' when there is none.
    char Letter(int node) const;
};

// Throws std::invalid_argument when a street names two junctions that no
// drawn edge joins.
DrawnMap DrawMap(const std::string& drawing, const std::vector<Street>& streets = {});

// Where a route end lies: "AB" for the middle of the segment A–B, "A" for
// junction A itself (both segment ends at A, as when a street is picked from
// a list).
struct RoutePlace {
    MapPoint point, first, second;
};
RoutePlace PlaceOf(const DrawnMap& drawn, const std::string& where);
