// Any bytes as a road file: the reader finishes, takes no more positions than
// it is asked for, and a track it takes is written and read back unchanged.
#include "FuzzCheck.h"
#include "gps/RoadFile.h"

#include <cstddef>
#include <cstdint>

namespace {

constexpr int kMostPoints = 64;

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QByteArrayView bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    const std::vector<MapPoint> points = ParseRoadBytes(bytes, kMostPoints);
    FUZZ_REQUIRE(points.size() <= size_t(kMostPoints));
    FUZZ_REQUIRE(points.size() <= size_t(bytes.count(';')));
    if (points.size() > 1)
        FUZZ_REQUIRE(ParseRoadBytes(RoadFileBytes(points, int(points.size())), kMostPoints) == points);
    return 0;
}
