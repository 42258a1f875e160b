// Everything the map window knows, in one place: the map, the view, and the
// state each concern keeps. The window owns one; tools and tests make their
// own without a window.
#pragma once

#include "gps/GpsState.h"
#include "map/MapData.h"
#include "places/Categories.h"
#include "places/Search.h"
#include "route/AvoidLists.h"
#include "route/RouteState.h"
#include "route/ShortestPath.h"
#include "view/Viewport.h"

#include <QString>
#include <vector>

struct MapState : MapData,
                  ViewState,
                  SearchState,
                  RoutePickState,
                  AvoidState,
                  RouteResult,
                  GpsDisplayState {
    // Load state.
    int m_bMapLoaded = 0;
    QString m_strMapPath;   // the map in use, empty when none
    QString m_strOpenPath;  // the path last chosen in any open-file dialog
    int m_nMyPlaceCount = 0;
    // Filter flags of the place filter; they live here so they outlive each
    // showing of the filter dialog.
    CategoryFlags m_showCategory{};
    // Measuring mode, and the points tapped in it (map units).
    int m_bMeasureMode = 0;
    std::vector<MapPoint> m_measureLine;

    MapState() { m_showCategory.fill(1); }

    // Drops everything that refers to the records of the map in memory:
    // selected streets and bus routes, search results, picked route ends and
    // marks, the avoid lists, the route, the road snap, the guidance along
    // the route and the visible-way list. Runs whenever the map is replaced or closed, so that nothing kept
    // indexes past the arrays of another map.
    void ForgetMapRecords();
};
