// Loading map bytes through a real file, and the promises every loaded map
// keeps whatever the file held: no record, point or node index points past
// the arrays that hold it.
#pragma once

#include "map/MapFileReader.h"

#include <QTemporaryFile>
#include <gtest/gtest.h>

inline bool LoadMapBytes(MapData& map, const QByteArray& bytes, int myPlaceCount = 0)
{
    QTemporaryFile file;
    if (!file.open())
        return false;
    file.write(bytes);
    file.close();
    return LoadMapFile(map, file.fileName(), myPlaceCount);
}

inline MapData LoadedMap(const QByteArray& bytes, int myPlaceCount = 0)
{
    MapData map;
    EXPECT_TRUE(LoadMapBytes(map, bytes, myPlaceCount));
    return map;
}

template <typename Names>
void ExpectPolylinesInside(const char* kind, int last, const Names& names,
                           const std::vector<std::vector<MapPoint>>& points, const std::vector<int>& pointLast)
{
    ASSERT_LT(last, static_cast<int>(names.size())) << kind;
    ASSERT_LT(last, static_cast<int>(points.size())) << kind;
    ASSERT_LT(last, static_cast<int>(pointLast.size())) << kind;
    for (int i = 0; i <= last; ++i)
        ASSERT_LT(pointLast[i], static_cast<int>(points[i].size())) << kind << " record " << i;
}

inline void ExpectConsistent(const MapData& m)
{
    ExpectPolylinesInside("DISTRICT", m.m_nDistrictLast, m.m_strDistrictName, m.m_pDistrictPoints,
                          m.m_nDistrictPointLast);
    ExpectPolylinesInside("WAY", m.m_nWayLast, m.m_strWayName, m.m_pWayPoints, m.m_nWayPointLast);
    ASSERT_LT(m.m_nWayLast, static_cast<int>(m.m_strWayDirection.size()));
    ASSERT_LT(m.m_nWayLast, static_cast<int>(m.m_nWayWidth.size()));
    for (int i = 0; i <= m.m_nWayLast; ++i)
        ASSERT_LE(m.m_nWayPointLast[i], kMaxWayPoints - 1);
    ExpectPolylinesInside("BUS", m.m_nBusLast, m.m_strBusName, m.m_pBusPoints, m.m_nBusPointLast);
    ExpectPolylinesInside("RIVER", m.m_nRiverLast, m.m_strRiverName, m.m_pRiverPoints, m.m_nRiverPointLast);
    ExpectPolylinesInside("LAKE", m.m_nLakeLast, m.m_strLakeName, m.m_pLakePoints, m.m_nLakePointLast);
    ExpectPolylinesInside("PARK", m.m_nParkLast, m.m_strParkName, m.m_pParkPoints, m.m_nParkPointLast);
    ASSERT_LT(m.m_nPlaceLast, m.PlaceCapacity());
    ASSERT_LT(m.m_nPlaceLast, static_cast<int>(m.m_strPlaceName.size()));
    ASSERT_LT(m.m_nPlaceLast, static_cast<int>(m.m_nPlaceCategory.size()));
    ASSERT_LT(m.m_nTextLast, static_cast<int>(m.m_strText.size()));
    ASSERT_LT(m.m_nTextLast, static_cast<int>(m.m_ptText.size()));
    ASSERT_LT(m.m_nTextLast, static_cast<int>(m.m_nTextSize.size()));
    ASSERT_GE(m.m_nNodeLast, 0);
    if (m.m_nNodeLast > 0) {
        // The spare slot after the last node belongs to the table as well.
        ASSERT_LT(m.m_nNodeLast + 1, m.NodeCapacity());
        ASSERT_EQ(m.m_pNodeWays.size(), m.m_pNodeCoords.size());
    }
}
