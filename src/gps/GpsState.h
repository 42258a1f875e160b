// The live GPS position, the recorded track, the navigation guidance and a
// loaded road, as the map window keeps and draws them.
#pragma once

#include "map/MapData.h"

#include <QDateTime>
#include <QString>
#include <array>
#include <vector>

// The track keeps a day of positions at one a second; beyond that the oldest
// are dropped, so a drive of any length goes on being recorded.
inline constexpr int kMaxTrackPositions = 86400;

struct GpsDisplayState {
    int m_bGpsValid = 0;
    int m_bGpsTrackOn = 0;
    MapPoint m_ptGps;
    std::vector<MapPoint> m_pTrackPoints;  // map units, after snapping
    std::vector<MapPoint> m_pTrackGps;     // GPS units as received
    std::vector<QDateTime> m_pTrackTimes;  // the fix times, invalid where the receiver gave none
    int m_nTrackCount = 0;
    int m_bGpsFollowRoad = 0;
    int m_bGpsContinuous = 1;
    std::array<MapPoint, 2> m_segSnap{MapPoint{1, 2}, MapPoint{2, 3}};
    MapPoint m_ptSnap{0, 1};
    // Navigation: the position at the last guidance step ((0, 0) before the
    // first), and the arrow and street text last shown (−1: none).
    int m_bNavigating = 0;
    MapPoint m_ptNavPrev;
    int m_nGuidanceCode = -1;
    QString m_strGuidanceText;
    // The status line while navigating (what is left, arrival); empty: none.
    QString m_strNavStatus;
    // A road file loaded for display.
    int m_bRoadLoaded = 0;
    std::vector<MapPoint> m_pRoadPoints;
    int m_nRoadCount = 0;

    // Starts a new, empty track.
    void ClearTrack();
    // Records a position, dropping the oldest when the track is full.
    void AppendTrack(MapPoint map, MapPoint gps, const QDateTime& time = {});
};
