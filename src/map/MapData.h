// The one map the program holds: record kinds as parallel arrays indexed by
// record number, the road-node tables and the header values.
#pragma once

#include <QString>
#include <array>
#include <cstdint>
#include <vector>

struct MapPoint {
    int32_t x = 0;
    int32_t y = 0;
    friend bool operator==(const MapPoint&, const MapPoint&) = default;
};

// A road node's way list or coordinate list: 21 values, −1 where unused.
using NodeList = std::array<int32_t, 21>;
inline constexpr int kNodeListSize = 21;

// Points each record kind may hold.
inline constexpr int kMaxWayPoints = 70;
inline constexpr int kMaxDistrictPoints = 300;
inline constexpr int kMaxPolyPoints = 200;  // BUS, RIVER, LAKE, PARK
inline constexpr int kSparePlaces = 30;

struct MapData {
    // DISTRICT
    int m_nDistrictLast = -1;
    std::vector<QString> m_strDistrictName;
    std::vector<std::vector<MapPoint>> m_pDistrictPoints;
    std::vector<int> m_nDistrictPointLast;
    // WAY
    int m_nWayLast = -1;
    std::vector<QString> m_strWayName;
    std::vector<std::vector<MapPoint>> m_pWayPoints;
    std::vector<int> m_nWayPointLast;
    std::vector<QString> m_strWayDirection;
    std::vector<int> m_nWayWidth;
    // BUS
    int m_nBusLast = -1;
    std::vector<QString> m_strBusName;
    std::vector<std::vector<MapPoint>> m_pBusPoints;
    std::vector<int> m_nBusPointLast;
    // RIVER
    int m_nRiverLast = -1;
    std::vector<QString> m_strRiverName;
    std::vector<std::vector<MapPoint>> m_pRiverPoints;
    std::vector<int> m_nRiverPointLast;
    // LAKE
    int m_nLakeLast = -1;
    std::vector<QString> m_strLakeName;
    std::vector<std::vector<MapPoint>> m_pLakePoints;
    std::vector<int> m_nLakePointLast;
    // PARK
    int m_nParkLast = -1;
    std::vector<QString> m_strParkName;
    std::vector<std::vector<MapPoint>> m_pParkPoints;
    std::vector<int> m_nParkPointLast;
    // PLACE (the map's places first, then the user's)
    int m_nPlaceLast = -1;
    std::vector<QString> m_strPlaceName;
    std::vector<MapPoint> m_ptPlace;
    std::vector<int> m_nPlaceCategory;
    std::vector<QString> m_strPlaceInfo;
    // TEXT
    int m_nTextLast = -1;
    std::vector<QString> m_strText;
    std::vector<MapPoint> m_ptText;
    std::vector<int> m_nTextSize;
    // POSITION: road nodes numbered from 1; slot 0 and slot m_nNodeLast + 1 are
    // scratch slots for the end points of a route search.
    int m_nNodeLast = 0;
    std::vector<NodeList> m_pNodeWays;    // 1-based WAY numbers meeting at the node
    std::vector<NodeList> m_pNodeCoords;  // x, y, then (neighbour, edge value) pairs

    // Header values.
    int32_t m_nCenterX = 0;
    int32_t m_nCenterY = 0;
    double m_dMapScale = 1.0;
    int32_t m_nResWidth = 0;
    int32_t m_nResHeight = 0;
    double m_dResStep = 0.0;
    double m_dGpsRotation = 0.0;
    double m_dGpsUnitsPerMapUnit = 16.0;
    int32_t m_nGpsOriginX = 65000000;
    int32_t m_nGpsOriginY = -12500000;

    // Number of node slots the node tables hold (4 × the last WAY index).
    int NodeCapacity() const { return static_cast<int>(m_pNodeCoords.size()); }
    // Room left in the PLACE arrays for places appended after the load.
    int PlaceCapacity() const { return static_cast<int>(m_ptPlace.size()); }
    // Whether anything was read into the map: a record of any kind or a node.
    bool HasRecords() const;
    // Appends a place, growing the arrays when the spare room is used up.
    int AppendPlace(const QString& name, MapPoint where, int category, const QString& info = {});
};
