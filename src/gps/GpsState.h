// The live GPS position, the recorded track and a loaded road, as the map
// window keeps and draws them.
#pragma once

#include "map/MapData.h"

#include <array>
#include <vector>

struct GpsDisplayState {
    int m_bGpsValid = 0;
    int m_bGpsTrackOn = 0;
    MapPoint m_ptGps;
    std::vector<MapPoint> m_pTrackPoints;  // map units, after snapping
    std::vector<MapPoint> m_pTrackGps;     // GPS units as received
    int m_nTrackCount = 0;
    int m_bGpsFollowRoad = 0;
    int m_bGpsContinuous = 1;
    std::array<MapPoint, 2> m_segSnap{MapPoint{1, 2}, MapPoint{2, 3}};
    MapPoint m_ptSnap{0, 1};
    int m_bNavigating = 0;
    // A road file loaded for display.
    int m_bRoadLoaded = 0;
    std::vector<MapPoint> m_pRoadPoints;
    int m_nRoadCount = 0;
};
