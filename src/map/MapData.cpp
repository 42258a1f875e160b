#include "map/MapData.h"

#include <algorithm>
#include <iterator>

int MapData::AppendPlace(const QString& name, MapPoint where, int category, const QString& info)
{
    const int index = m_nPlaceLast + 1;
    if (index >= PlaceCapacity()) {
        const size_t grown = static_cast<size_t>(index) + kSparePlaces;
        m_strPlaceName.resize(grown);
        m_ptPlace.resize(grown);
        m_nPlaceCategory.resize(grown);
        m_strPlaceInfo.resize(grown);
    }
    m_nPlaceLast = index;
    m_strPlaceName[index] = name;
    m_ptPlace[index] = where;
    m_nPlaceCategory[index] = category;
    m_strPlaceInfo[index] = info;
    return index;
}

bool MapData::HasRecords() const
{
    const int lasts[] = {m_nDistrictLast, m_nWayLast,   m_nBusLast,  m_nRiverLast,
                         m_nLakeLast,     m_nParkLast,  m_nPlaceLast, m_nTextLast};
    return m_nNodeLast > 0 || std::any_of(std::begin(lasts), std::end(lasts), [](int last) { return last >= 0; });
}
