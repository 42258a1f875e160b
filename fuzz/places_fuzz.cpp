// Any bytes as a place-information file, appended to a map's places: the
// reader finishes, the places it adds fit their arrays, and it never reads
// more names than lines.
#include "FuzzCheck.h"
#include "map/PlaceInfoFile.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QByteArrayView bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    MapData map;
    map.AppendPlace(QStringLiteral("Hồ Gươm"), {10, 10}, 12);
    const int names = LoadInfoBytes(map, bytes);
    FUZZ_REQUIRE(names >= 0 && names <= bytes.count("\r\n"));
    FUZZ_REQUIRE(map.m_nPlaceLast >= 0 && map.m_nPlaceLast < map.PlaceCapacity());
    FUZZ_REQUIRE(map.m_strPlaceName.size() == map.m_ptPlace.size() &&
                 map.m_nPlaceCategory.size() == map.m_ptPlace.size() &&
                 map.m_strPlaceInfo.size() == map.m_ptPlace.size());
    return 0;
}
