#include "view/MapState.h"

void MapState::ForgetMapRecords()
{
    static_cast<SearchState&>(*this) = SearchState{};
    static_cast<RoutePickState&>(*this) = RoutePickState{};
    static_cast<AvoidState&>(*this) = AvoidState{};
    static_cast<RouteResult&>(*this) = RouteResult{};
    m_segSnap = GpsDisplayState{}.m_segSnap;
    m_ptSnap = GpsDisplayState{}.m_ptSnap;
    m_ptNavPrev = MapPoint{};
    m_visibleWays.clear();
    m_nVisibleWays = 0;
}
