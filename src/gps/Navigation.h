// Turn-by-turn guidance along a found route: where the position lies on the
// route, and which arrow (left, straight on, right, turn back) and street name
// to show for it.
#pragma once

#include "map/MapData.h"

#include <QString>
#include <optional>

struct RouteResult;

inline constexpr int kTurnLeft = 1;
inline constexpr int kStraightOn = 2;
inline constexpr int kTurnRight = 3;
inline constexpr int kTurnBack = 4;

// The direction from (x1, y1) to (x2, y2) in degrees counter-clockwise from
// east (map y grows downwards, so north is 90). Slanting directions are
// scaled by 180 / 3.14 as the guidance always has been; the four axis
// directions are exactly 0, 90, 180 and 270 (0 for no direction at all).
double Bearing(int32_t x1, int32_t y1, int32_t x2, int32_t y2);
inline double Bearing(MapPoint a, MapPoint b) { return Bearing(a.x, a.y, b.x, b.y); }

// The turn from travelling at bearing t onto bearing z: left and right from
// 30 degrees, back beyond 150; the same bearing is straight on, like any
// nearly the same one.
int TurnCode(double t, double z);

struct Guidance {
    int code = kStraightOn;
    QString text;
    friend bool operator==(const Guidance&, const Guidance&) = default;
};

// The guidance for a position on the route (travelled from its last point to
// point 0): the street of the leg it is on, or the turn onto the next street
// within 50 map units of a junction; the start's and the end's names near
// them. Nothing farther than 100 map units from every leg, at the
// destination, or for a route of fewer than two points.
std::optional<Guidance> GuidanceAt(const MapData& map, const RouteResult& route, const QString& fromWay,
                                   const QString& toWay, MapPoint g);
