// Fitting the view to a set of map points: the box of the points and the
// centring shared by the street, bus-route and route fits.
#pragma once

#include "map/Geometry.h"
#include "map/MapData.h"

#include <cstdint>

struct ViewState;

// The box of the points added, started as the program always starts it:
// minimum at 100000, maximum at 0.
struct MapBox {
    int64_t minX = 100000, minY = 100000, maxX = 0, maxY = 0;

    void Add(MapPoint p);
    double Width() const { return double(maxX - minX); }
    double Height() const { return double(maxY - minY); }
    // A box that is a point or empty cannot be fitted; a line can, along its length.
    bool HasExtent() const { return maxX >= minX && maxY >= minY && (maxX > minX || maxY > minY); }
};

// Centres the box across the axis that does not limit the scale: vertically
// when the width set the scale, else horizontally.
void CentreAcross(ViewState& v, const MapBox& box, double scale, bool widthLimits);
