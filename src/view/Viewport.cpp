#include "view/Viewport.h"

#include "view/ViewFit.h"

#include <cmath>
#include <cstdlib>

namespace {

bool Inside(double v, double limit) { return 0 < v && v < limit; }

}  // namespace

int DisplayFactorFor(int clientWidth) { return clientWidth < 321 ? 1 : 2; }

QPoint MapToScreen(int32_t x, int32_t y, int32_t originX, int32_t originY, double scale)
{
    return {TruncateToInt32(double(int64_t(x) - originX) * scale), TruncateToInt32(double(int64_t(y) - originY) * scale)};
}

MapPoint ScreenToMap(int32_t sx, int32_t sy, int32_t originX, int32_t originY, double scale)
{
    const double inv = 1.0 / scale;
    return {TruncateToInt32(sx * inv + originX), TruncateToInt32(sy * inv + originY)};
}

bool PointInClient(int width, int height, int32_t x, int32_t y, int32_t originX, int32_t originY, double scale)
{
    const double X = double(int64_t(x) - originX) * scale;
    const double Y = double(int64_t(y) - originY) * scale;
    return Inside(X, width) && Inside(Y, height);
}

bool SegmentInClient(int width, int height, int32_t ax, int32_t ay, int32_t bx, int32_t by, int32_t originX,
                     int32_t originY, double scale)
{
    const double W = width, H = height;
    const double X1 = double(int64_t(ax) - originX) * scale, Y1 = double(int64_t(ay) - originY) * scale;
    const double X2 = double(int64_t(bx) - originX) * scale, Y2 = double(int64_t(by) - originY) * scale;
    if ((Inside(X1, W) && Inside(Y1, H)) || (Inside(X2, W) && Inside(Y2, H)))
        return true;
    if (X1 == X2) {
        if (!Inside(X1, W))
            return false;
        return (Y1 < 0 && Y2 > H) || (Y2 < 0 && Y1 > H);
    }
    if (Y1 == Y2) {
        if (!Inside(Y1, H))
            return false;
        return (X1 < 0 && X2 > W) || (X2 < 0 && X1 > W);
    }
    const double m = (Y1 - Y2) / (X1 - X2);
    const double c = (Y2 * X1 - X2 * Y1) / (X1 - X2);
    const double x0 = -(c * (1 / m));
    if (Inside(x0, W) && Y2 * Y1 < 0 && (x0 - X2) * (x0 - X1) < 0)
        return true;
    const double xH = (H - c) * (1 / m);
    if (Inside(xH, W) && (H - Y2) * (H - Y1) < 0 && (xH - X2) * (xH - X1) < 0)
        return true;
    if (Inside(c, H) && X2 * X1 < 0 && (c - Y2) * (c - Y1) < 0)
        return true;
    const double yW = W * m + c;
    return Inside(yW, H) && (W - X2) * (W - X1) < 0 && (yW - Y2) * (yW - Y1) < 0;
}

void UpdateVisibleWays(const MapData& map, ViewState& v)
{
    v.m_visibleWays.clear();
    v.m_nVisibleWays = 0;
    for (int i = 0; i <= map.m_nWayLast; ++i) {
        const int n = map.m_nWayPointLast[i];
        if (n < 0)
            continue;
        const std::vector<MapPoint>& P = map.m_pWayPoints[i];
        // Ways whose ends lie within 20 pixels of each other are never listed.
        if (!(PointDistance(P[0], P[n]) > 20.0 / v.m_dScale))
            continue;
        for (int j = 0; j < n; ++j) {
            if (SegmentInClient(v.m_nClientWidth, v.m_nClientHeight, P[j].x, P[j].y, P[j + 1].x, P[j + 1].y,
                                v.m_nOriginX, v.m_nOriginY, v.m_dScale)) {
                v.m_visibleWays.push_back(i);
                break;
            }
        }
    }
    v.m_nVisibleWays = static_cast<int>(v.m_visibleWays.size());
}

namespace {

// The factor of a zoom step held within the zoom limits (1 at a limit). A
// view without a usable base scale has no limits.
double ZoomFactorWithinLimits(const ViewState& v, double k, bool zoomIn)
{
    const double base = v.m_dBaseScale;
    if (!(base > 0) || !std::isfinite(base) || !(v.m_dScale > 0))
        return k;
    const double room = zoomIn ? kMaxZoomOfBase * base / v.m_dScale : v.m_dScale / (kMinZoomOfBase * base);
    return std::min(k, room);
}

// Whether a factor changes the scale at all.
bool Zooms(double k)
{
    return k > 1.0 + 1e-9;
}

}  // namespace

void ZoomAt(const MapData& map, ViewState& v, double px, double py, double k, bool zoomIn)
{
    k = ZoomFactorWithinLimits(v, k, zoomIn);
    if (!Zooms(k))
        return;
    const double s = v.m_dScale;
    const double inv = 1.0 / s;
    const double wx = inv * px + v.m_nOriginX;
    const double wy = inv * py + v.m_nOriginY;
    const int halfW = v.m_nClientWidth / 2, halfH = v.m_nClientHeight / 2;
    if (zoomIn) {
        v.m_nOriginX = TruncateToInt32(wx - halfW * (1 / k) * inv);
        v.m_nOriginY = TruncateToInt32(wy - halfH * (1 / k) * inv);
        v.m_dScale = s * k;
    } else {
        v.m_nOriginX = TruncateToInt32(wx - halfW * inv * k);
        v.m_nOriginY = TruncateToInt32(wy - halfH * inv * k);
        v.m_dScale = s / k;
    }
    UpdateVisibleWays(map, v);
}

void ZoomAbout(const MapData& map, ViewState& v, double px, double py, double k, bool zoomIn)
{
    k = ZoomFactorWithinLimits(v, k, zoomIn);
    if (!Zooms(k))
        return;
    const double wx = px / v.m_dScale + v.m_nOriginX;
    const double wy = py / v.m_dScale + v.m_nOriginY;
    v.m_dScale = zoomIn ? v.m_dScale * k : v.m_dScale / k;
    v.m_nOriginX = TruncateToInt32(wx - px / v.m_dScale);
    v.m_nOriginY = TruncateToInt32(wy - py / v.m_dScale);
    UpdateVisibleWays(map, v);
}

bool WithinMapExtent(const MapData& map, MapPoint p)
{
    if (map.m_nResWidth <= 0 || map.m_nResHeight <= 0)
        return true;
    const int64_t halfW = map.m_nResWidth / 2, halfH = map.m_nResHeight / 2;
    return std::abs(int64_t(p.x) - map.m_nCenterX) <= halfW && std::abs(int64_t(p.y) - map.m_nCenterY) <= halfH;
}

void FitViewToMap(const MapData& map, ViewState& v)
{
    // A map without an extent is fitted as if it were one unit across.
    const double resW = std::max(map.m_nResWidth, 1), resH = std::max(map.m_nResHeight, 1);
    v.m_dBaseScale = 2.5 * std::min(v.m_nClientWidth / resW, v.m_nClientHeight / resH);
    v.m_dScale = v.m_dBaseScale * 5.0;
    v.m_nOriginX = TruncateToInt32(map.m_nCenterX - (v.m_nClientWidth / 2) * (1 / v.m_dScale));
    v.m_nOriginY = TruncateToInt32(map.m_nCenterY - (v.m_nClientHeight / 2) * (1 / v.m_dScale));
    v.m_nDragOriginX = v.m_nOriginX;
    v.m_nDragOriginY = v.m_nOriginY;
    UpdateVisibleWays(map, v);
}
