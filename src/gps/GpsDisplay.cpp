#include "gps/GpsDisplay.h"

#include "map/Geometry.h"

#include <cmath>

void GpsDisplayState::ClearTrack()
{
    m_pTrackPoints.clear();
    m_pTrackGps.clear();
    m_pTrackTimes.clear();
    m_nTrackCount = 0;
}

void GpsDisplayState::AppendTrack(MapPoint map, MapPoint gps, const QDateTime& time)
{
    if (m_nTrackCount >= kMaxTrackPositions) {
        m_pTrackPoints.erase(m_pTrackPoints.begin());
        m_pTrackGps.erase(m_pTrackGps.begin());
        m_pTrackTimes.erase(m_pTrackTimes.begin());
        --m_nTrackCount;
    }
    m_pTrackPoints.push_back(map);
    m_pTrackGps.push_back(gps);
    m_pTrackTimes.push_back(time);
    ++m_nTrackCount;
}

MapPoint GpsToMap(int32_t gx, int32_t gy, const MapData& c)
{
    const double k = 1.0 / c.m_dGpsUnitsPerMapUnit;
    const double dx = (double(gx) - double(c.m_nGpsOriginX)) * k;
    const double dy = (double(gy) - double(c.m_nGpsOriginY)) * k;
    if (dx == 0 && dy == 0)
        return {};
    double a = std::atan(dy / dx);
    if (dx < 0)
        a += 2 * std::asin(1.0);
    a -= c.m_dGpsRotation;
    const double r = std::sqrt(dx * dx + dy * dy);
    return {TruncateToInt32(std::cos(a) * r), TruncateToInt32(std::sin(a) * r)};
}

MapPoint MapToGps(MapPoint p, const MapData& c)
{
    const double a = std::atan2(double(p.y), double(p.x)) + c.m_dGpsRotation;
    const double r = std::hypot(double(p.x), double(p.y)) * c.m_dGpsUnitsPerMapUnit;
    return {TruncateToInt32(std::lround(std::cos(a) * r + c.m_nGpsOriginX)),
            TruncateToInt32(std::lround(std::sin(a) * r + c.m_nGpsOriginY))};
}

void UseDefaultGpsCalibration(MapData& c)
{
    c.m_dGpsRotation = 0.0;
    c.m_dGpsUnitsPerMapUnit = 16.0;
    c.m_nGpsOriginX = 65000000;
    c.m_nGpsOriginY = -12500000;
}

WaySegment NearestWaySegment(const MapData& map, const std::vector<int>& ways, MapPoint g, int limit)
{
    // Distances count in whole map units; the first of equal ones wins.
    WaySegment nearest;
    int best = limit;
    for (int way : ways) {
        const std::vector<MapPoint>& P = map.m_pWayPoints[way];
        for (int j = 0; j < map.m_nWayPointLast[way]; ++j) {
            const double d = SegmentDistance(g.x, g.y, P[j].x, P[j].y, P[j + 1].x, P[j + 1].y);
            if (d < best) {
                best = static_cast<int>(d);
                nearest = {way, P[j], P[j + 1]};
            }
        }
    }
    return nearest;
}

MapPoint SnapToRoad(const MapData& map, const std::vector<int>& visibleWays, GpsDisplayState& s, MapPoint g,
                    bool& snapped)
{
    snapped = false;
    const WaySegment found = NearestWaySegment(map, visibleWays, g, 500);
    if (found.way < 0)
        return g;
    const std::array<MapPoint, 2> nearest{found.a, found.b};
    std::array<MapPoint, 2>& inUse = s.m_segSnap;
    const auto onNearest = [&] { return ProjectOnLine(g.x, g.y, nearest[0].x, nearest[0].y, nearest[1].x, nearest[1].y); };
    MapPoint result;
    if (nearest == inUse) {
        result = onNearest();
    } else if (s.m_ptSnap == inUse[0] || s.m_ptSnap == inUse[1]) {
        // At an end of the segment in use: on to the new one.
        inUse = nearest;
        result = onNearest();
    } else if (inUse[0] == nearest[0] || inUse[0] == nearest[1]) {
        // Nearer the next segment before the end of this one: the junction first.
        snapped = true;
        result = inUse[0];
    } else if (inUse[1] == nearest[0] || inUse[1] == nearest[1]) {
        snapped = true;
        result = inUse[1];
    } else {
        inUse = nearest;
        result = onNearest();
    }
    s.m_ptSnap = result;
    return result;
}

bool NeedsRecentring(QPoint p, int width, int height)
{
    const int w4 = width / 4, h4 = height / 4;
    return p.x() < w4 || p.x() > width - w4 || p.y() < h4 || p.y() > height - h4;
}
