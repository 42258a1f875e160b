// What the route commands keep between taps: the end points being picked,
// the picked road segments, and the map marks.
#pragma once

#include "map/MapData.h"

#include <QString>
#include <array>

inline constexpr int kMaxMarkLast = 10;  // marks 0..10: at most 11

// Whether the route end-point type names streets rather than a place category.
inline bool NamesStreets(const QString& type)
{
    return type.contains(QLatin1StringView("Way")) || type.contains(QStringLiteral("Đường"));
}

// A route may leave a one-way street's segment only at its end in travel
// direction, and reach it only at its start: the segment a–b of a start or an
// end is narrowed to that one point.
inline void KeepTravelEnd(const MapData& map, int way, bool start, MapPoint& a, MapPoint& b)
{
    if (map.m_strWayDirection[way] != QLatin1StringView("1"))
        return;
    if (start)
        a = b;
    else
        b = a;
}

struct RoutePickState {
    int m_bRoutePick = 0;    // the shortest-path mode is choosing its end points
    int m_bPickFrom = 1;     // 1 while the start is chosen, 0 while the end is
    MapPoint m_ptFromTap;    // x = 0 means not chosen
    MapPoint m_ptToTap;
    std::array<MapPoint, 2> m_segFrom{};  // end nodes of the segment the start lies on
    std::array<MapPoint, 2> m_segTo{};
    QString m_strFromWay;
    QString m_strToWay;
    int m_bAvoidPick = 0;       // avoid mode takes taps until OK
    int m_bStreetPicked = 0;    // one-shot: a street chosen from the route list
    int m_bHighlightOnce = 0;   // one-shot: highlight the selected street in one paint
    int m_bListOpened = 0;      // typing has opened a drop-down list in this mode
    std::array<MapPoint, kMaxMarkLast + 1> m_marks{};
    int m_nMarkLast = -1;
};
