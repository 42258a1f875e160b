// What a tap on the map hits: a street or a place for the ordinary tap, the
// nearest street segment for picking a route's ends, a road node or segment
// for marking what routes must avoid. Distances are in client pixels.
#pragma once

#include "map/MapData.h"

#include <QPoint>
#include <optional>

struct MapState;

inline constexpr int kHitWay = 1;
inline constexpr int kHitPlace = 2;

// The street or place under a tap: returns the way or place index (kind 1 or
// 2, hit = the nearest point of the way on screen or the place's screen
// position), or −1 for nothing.
int HitTestWayOrPlace(const MapState& s, QPoint tap, int& kind, QPoint& hit);

// The visible street segment nearest to the tap: tapWorld is the nearest
// point on it in map units, segStart / segEnd its end points (both the end in
// travel direction of a one-way street). Returns the way index or −1.
int PickNearestWay(const MapState& s, QPoint tap, bool pickStart, MapPoint& tapWorld, MapPoint& segStart,
                   MapPoint& segEnd);

// The road node or segment under a tap. Equal node1 and node2 mean a node was
// tapped; 0 stands for a point that is no road node. Returns the way index or
// −1 when no segment was measured.
int PickAvoidElement(const MapState& s, QPoint tap, MapPoint& tapWorld, int& node1, int& node2);

// Whether the label of a tapped place may be shown: its category is shown by
// the filter, or a place search for it is on show.
bool PlaceLabelShown(const MapState& s, int place);

// "caption_name" (or the caption alone for a name of one character or none).
QString PlaceLabel(int category, const QString& name);

// A road node's screen position; none for a number outside the node table.
std::optional<QPoint> NodeOnScreen(const MapState& s, int node);

// The place under a tap for editing: within 10 pixels on each axis and under
// 15 in whole pixels, the nearest (the earlier of equal ones) whatever its
// category's filter flag; −1 for none.
int FindPlaceAt(const MapState& s, QPoint tap);

// The point of a visible street nearest to the tap (the earlier of equal
// ones), searched within 50000 map units; the tap's own map point when there
// is none.
MapPoint NearestStreetPoint(const MapState& s, QPoint tap);
