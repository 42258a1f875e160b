// GPS positions on the map: the map's calibration from GPS units to map
// units, and snapping a position to the street it is on.
#pragma once

#include "gps/GpsState.h"
#include "map/MapData.h"

#include <QPoint>
#include <vector>

// A position in GPS units (x longitude, y minus latitude) in map units, by
// the map's GPSINF calibration; the calibration origin is (0, 0).
MapPoint GpsToMap(int32_t gx, int32_t gy, const MapData& calibration);

// Map units back to GPS units, the inverse of GpsToMap (to within a unit).
MapPoint MapToGps(MapPoint p, const MapData& calibration);

// The calibration a position is placed by when no map is loaded.
void UseDefaultGpsCalibration(MapData& calibration);

// A segment a–b of a way (−1: none).
struct WaySegment {
    int way = -1;
    MapPoint a, b;
};

// The segment of the given ways nearest to g and closer than limit, counted in
// whole map units; the first of equal ones.
WaySegment NearestWaySegment(const MapData& map, const std::vector<int>& ways, MapPoint g, int limit);

// The position moved onto the nearest segment of the visible ways within 500 map
// units: along the segment in use, onto a new segment, or (with snapped set)
// onto the junction it shares with the segment in use when the position comes
// nearer to the next one before reaching the end. With no street in reach the
// position is returned as it is and the snap state does not change.
MapPoint SnapToRoad(const MapData& map, const std::vector<int>& visibleWays, GpsDisplayState& s, MapPoint g,
                    bool& snapped);

// Whether a position at client point p calls for the view to be centred on
// it again: near an edge (within a quarter of the width or height, on either
// side of it) or anywhere outside the window.
bool NeedsRecentring(QPoint p, int width, int height);
