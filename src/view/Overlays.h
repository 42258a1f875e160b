// Marker primitives and the overlays drawn over the base map: highlighted
// streets and bus routes, place icons, search results, the route with its
// flags, avoid marks, the GPS position, marks, a loaded road and the track.
#pragma once

#include "map/MapData.h"

#include <QColor>
#include <QPainter>
#include <QString>

struct GpsDisplayState;
struct MapState;
struct ViewState;

inline const QColor kStartFlagColour(255, 255, 0);
inline const QColor kEndFlagColour(255, 0, 0);

// A solid pen as the program draws lines: round ends and joins, so thick
// lines meet without gaps.
QPen SolidPen(const QColor& colour, int width);

// The font of names and labels written in the window's own text size.
QFont DefaultFont(int displayFactor);

// Writes text with its top-left corner at (x, y).
void DrawTextAt(QPainter& dc, int x, int y, const QString& text);
// A font whose whole character cell, not its em, is cellHeight pixels high:
// how the map gives the height of its labels.
QFont CellHeightFont(const QString& family, int cellHeight, QFont::Weight weight);

// A flag whose pole foot is at (x, y).
void DrawFlag(QPainter& dc, int x, int y, const QColor& colour);
// The outline of a square of the given side centred on (x, y).
void DrawSquareMarker(QPainter& dc, int x, int y, int side, const QColor& colour);
// The category icon centred on the map point, sized by display factor and scale.
void DrawPlaceIcon(QPainter& dc, const ViewState& view, int code, MapPoint where);
// A filled turn arrow with its tip at (x, y): direction 1 left, 2 up, 3 right, 4 down.
void DrawTurnArrow(QPainter& dc, int x, int y, int direction, int size, const QColor& colour);
// The little pointer under a label, in one of four quadrants.
void DrawCallout(QPainter& dc, int x, int y, int quadrant, int size, const QColor& colour);

// Icon size in pixels for the current display factor and scale.
int PlaceIconSize(const ViewState& view);

// The overlays of the drawing pass that need a map, in drawing order.
// Returns the route-length message when a route was drawn, else empty.
QString DrawMapOverlays(QPainter& dc, MapState& s);
// The loaded road and the GPS track, drawn with or without a map.
void DrawRoadAndTrack(QPainter& dc, const MapState& s);
// The GPS position's orange dot, centred on a client point.
void DrawGpsMarker(QPainter& dc, QPoint at);
// The recorded track as one orange line.
void DrawTrack(QPainter& dc, const ViewState& view, const GpsDisplayState& gps);

// "Độ dài :%.3f Km" for a length in map units, followed by the street text.
QString RouteLengthMessage(double lengthMapUnits, double mapScale, const QString& routeText);
