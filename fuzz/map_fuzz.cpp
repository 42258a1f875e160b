// Any bytes as a map file: the reader stays inside its buffers, finishes, and
// every record, point and node index it leaves points inside its arrays.
#include "FuzzCheck.h"
#include "map/MapFileReader.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>

namespace {

template <typename... Arrays> void RequireRoomFor(int last, const Arrays&... arrays)
{
    FUZZ_REQUIRE(last >= -1);
    FUZZ_REQUIRE(((last < static_cast<int>(arrays.size())) && ...));
}

void RequirePolylines(int last, const std::vector<QString>& names, const std::vector<std::vector<MapPoint>>& points,
                      const std::vector<int>& pointLast, int maxPoints)
{
    RequireRoomFor(last, names, points, pointLast);
    for (int i = 0; i <= last; ++i)
        FUZZ_REQUIRE(pointLast[i] < static_cast<int>(points[i].size()) && pointLast[i] < maxPoints);
}

void RequireConsistent(const MapData& m)
{
    RequirePolylines(m.m_nDistrictLast, m.m_strDistrictName, m.m_pDistrictPoints, m.m_nDistrictPointLast,
                     kMaxDistrictPoints);
    RequirePolylines(m.m_nWayLast, m.m_strWayName, m.m_pWayPoints, m.m_nWayPointLast, kMaxWayPoints);
    RequireRoomFor(m.m_nWayLast, m.m_strWayDirection, m.m_nWayWidth);
    RequirePolylines(m.m_nBusLast, m.m_strBusName, m.m_pBusPoints, m.m_nBusPointLast, kMaxPolyPoints);
    RequirePolylines(m.m_nRiverLast, m.m_strRiverName, m.m_pRiverPoints, m.m_nRiverPointLast, kMaxPolyPoints);
    RequirePolylines(m.m_nLakeLast, m.m_strLakeName, m.m_pLakePoints, m.m_nLakePointLast, kMaxPolyPoints);
    RequirePolylines(m.m_nParkLast, m.m_strParkName, m.m_pParkPoints, m.m_nParkPointLast, kMaxPolyPoints);
    RequireRoomFor(m.m_nPlaceLast, m.m_strPlaceName, m.m_ptPlace, m.m_nPlaceCategory, m.m_strPlaceInfo);
    RequireRoomFor(m.m_nTextLast, m.m_strText, m.m_ptText, m.m_nTextSize);
    FUZZ_REQUIRE(m.m_nNodeLast >= 0);
    FUZZ_REQUIRE(m.m_pNodeWays.size() == m.m_pNodeCoords.size());
    // The spare slot after the last node belongs to the tables as well.
    FUZZ_REQUIRE(m.m_nNodeLast == 0 || m.m_nNodeLast + 1 < m.NodeCapacity());
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QByteArrayView bytes(reinterpret_cast<const char*>(data), qsizetype(std::min<size_t>(size, kMaxMapFileBytes)));
    MapData map;
    ReadMapBytes(map, bytes, 3);
    RequireConsistent(map);
    // A map read over another one, as Open map does.
    ReadMapBytes(map, bytes.first(bytes.size() / 2), 0);
    RequireConsistent(map);
    return 0;
}
