// The view: one origin (the map point at client pixel (0, 0)) and one scale
// (pixels per map unit), the transforms between map units and pixels and the
// list of ways on screen.
#pragma once

#include "map/Geometry.h"
#include "map/MapData.h"

#include <QPoint>
#include <vector>

struct ViewState {
    int m_nClientWidth = 480;
    int m_nClientHeight = 640;
    int m_nDisplayFactor = 2;
    int32_t m_nOriginX = 0;
    int32_t m_nOriginY = 0;
    double m_dScale = 1.0;
    double m_dBaseScale = 1.0;
    int32_t m_nDragDX = 0;
    int32_t m_nDragDY = 0;
    int32_t m_nDragOriginX = 0;
    int32_t m_nDragOriginY = 0;
    // Ways crossing the client area, ascending. The list grows past the
    // handheld's 1999 entries rather than losing ways.
    std::vector<int> m_visibleWays;
    int m_nVisibleWays = 0;
};

// Display factor for a client width: 1 below 321 pixels, else 2.
int DisplayFactorFor(int clientWidth);

QPoint MapToScreen(int32_t x, int32_t y, int32_t originX, int32_t originY, double scale);
MapPoint ScreenToMap(int32_t sx, int32_t sy, int32_t originX, int32_t originY, double scale);

bool PointInClient(int width, int height, int32_t x, int32_t y, int32_t originX, int32_t originY, double scale);
bool SegmentInClient(int width, int height, int32_t ax, int32_t ay, int32_t bx, int32_t by, int32_t originX,
                     int32_t originY, double scale);

// Conveniences over the current view.
inline QPoint MapToScreen(const ViewState& v, MapPoint p)
{
    return MapToScreen(p.x, p.y, v.m_nOriginX, v.m_nOriginY, v.m_dScale);
}
inline MapPoint ScreenToMap(const ViewState& v, QPoint p)
{
    return ScreenToMap(p.x(), p.y(), v.m_nOriginX, v.m_nOriginY, v.m_dScale);
}
inline double PointDistance(QPoint a, QPoint b) { return PointDistance(a.x(), a.y(), b.x(), b.y()); }

// Rebuilds the visible-way list for the current origin and scale.
void UpdateVisibleWays(const MapData& map, ViewState& view);

// The zoom commands keep the scale between a quarter of the scale that fits
// the whole map (the map small amid a wide margin) and a deep street zoom, so
// that the map can always be got back.
inline constexpr double kMinZoomOfBase = 0.1;   // the base scale is 2.5 × the fitting scale
inline constexpr double kMaxZoomOfBase = 32.0;

// Zooms by factor k about client pixel (px, py); that map point lands on the
// client centre. A step that would pass a zoom limit stops at it. Rebuilds
// the visible-way list.
void ZoomAt(const MapData& map, ViewState& view, double px, double py, double k, bool zoomIn);

// Zooms by factor k (within the same limits) keeping the map point under
// client pixel (px, py) where it is, as a mouse wheel does.
void ZoomAbout(const MapData& map, ViewState& view, double px, double py, double k, bool zoomIn);

// Whether a map point lies within the map's extent: its resolution, centred
// on CENP. A map without a resolution has no extent to leave.
bool WithinMapExtent(const MapData& map, MapPoint p);

// Fits the view to a freshly loaded map: base scale, 5 × base scale, CENP at
// the client centre, drag origin, visible ways.
void FitViewToMap(const MapData& map, ViewState& view);
