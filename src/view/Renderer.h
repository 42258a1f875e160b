// The drawing pass: the base map (background, districts, rivers, parks,
// lakes, labels, streets with one-way arrows) and then every overlay, into an
// off-screen image of the client size.
#pragma once

#include "map/MapData.h"

#include <QPainter>
#include <QPoint>
#include <QString>

struct MapState;
struct ViewState;

inline const QColor kBackgroundColour(251, 208, 146);
inline const QColor kLakeColour(6, 87, 172);

struct DrawResult {
    QString routeMessage;  // set when the pass drew a route
};

DrawResult DrawMap(QPainter& dc, MapState& s);

// One segment of a way, bus route, river or route with the current pen, and
// its one-way arrows for direction codes "1" and "99".
void DrawWaySegment(QPainter& dc, const ViewState& view, MapPoint a, MapPoint b, const QString& code);

// The one-way arrowheads along the pixel segment a → b.
void DrawDirectionArrows(QPainter& dc, const ViewState& view, QPoint a, QPoint b, const QString& code);

// What the window shows while no map is open: one centred line that says how
// to open one.
void DrawNoMapHint(QPainter& dc, int width, int height, int displayFactor);

// Renders the state into a new image of the client size: what the window's
// off-screen picture holds after a full paint.
QImage RenderMapImage(MapState& s, DrawResult* result = nullptr);
