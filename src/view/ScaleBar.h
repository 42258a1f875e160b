// The scale bar in the lower left corner of the map: a round length ("50 m",
// "200 m", "1 km") drawn as wide as it is on the map at the current scale.
#pragma once

#include <QPainter>
#include <QString>

struct MapState;

struct ScaleBar {
    double metres = 0; // 1, 2 or 5 times a power of ten
    int pixels = 0;    // its width on the screen
    QString label;     // "200 m", "5 km"
};

// The longest round length that fits in maxPixels at the given metres per
// pixel; none (0 pixels) when even a metre does not fit or the scale is not
// a finite positive number.
ScaleBar ChooseScaleBar(double metresPerPixel, int maxPixels);

// Metres per pixel of the view: map units through the map's SCALE.
double MetresPerPixel(const MapState& s);

// The bar with its label above it, left-aligned, its foot just above the
// status lines so that neither hides the other.
void DrawScaleBar(QPainter& dc, const MapState& s);
