// Plane geometry in map units: distances, feet of perpendiculars and the
// truncation every conversion to map units goes through. Routing, guidance
// and hit tests share it.
#pragma once

#include "map/MapData.h"

#include <cstdint>

// Truncation toward zero, held inside the 32-bit range.
int32_t TruncateToInt32(double v);

// Squares and products are taken in wider integers: exact where 32 bits were,
// and free of overflow for any 32-bit coordinates.
double PointDistance(int32_t x1, int32_t y1, int32_t x2, int32_t y2);
bool InBoundingBox(int32_t px, int32_t py, int32_t ax, int32_t ay, int32_t bx, int32_t by);
MapPoint ProjectOnLine(int32_t px, int32_t py, int32_t ax, int32_t ay, int32_t bx, int32_t by);
MapPoint ProjectOnSegment(int32_t px, int32_t py, int32_t ax, int32_t ay, int32_t bx, int32_t by);
double SegmentDistance(int32_t px, int32_t py, int32_t ax, int32_t ay, int32_t bx, int32_t by);
MapPoint NearestPointOnSegment(int32_t px, int32_t py, int32_t ax, int32_t ay, int32_t bx, int32_t by);

inline double PointDistance(MapPoint a, MapPoint b) { return PointDistance(a.x, a.y, b.x, b.y); }
