// The line measured by taps in the measuring mode: each tap adds a point, the
// legs between them are drawn on the map, and the status line gives the
// length of the whole line.
#pragma once

#include "map/MapData.h"

#include <QPainter>
#include <QString>
#include <vector>

struct MapState;

// The sum of the legs between consecutive points, in kilometres through the
// map's SCALE.
double MeasureLineKm(const std::vector<MapPoint>& points, double mapScale);

// "Độ dài là :%.3f Km", what the status line shows for a measured length.
QString MeasuredLengthText(double km);

// The tapped points and the legs between them, over the map.
void DrawMeasureLine(QPainter& dc, const MapState& s);
