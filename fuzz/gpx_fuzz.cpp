// Any bytes as a GPX file: the reader finishes, takes no more points than it
// is asked for and only points on the earth, and what it takes is written and
// read back unchanged.
#include "FuzzCheck.h"
#include "gps/GpxFile.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>

namespace {

constexpr int kMostPoints = 64;

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    const GpxTrack track = ParseGpx(bytes, kMostPoints);
    FUZZ_REQUIRE(track.points.size() <= size_t(kMostPoints));
    FUZZ_REQUIRE((track.status == GpxStatus::Read) == !track.points.empty());
    std::vector<MapPoint> expected = track.points;
    for (MapPoint& p : expected) {
        FUZZ_REQUIRE(std::abs(p.x) <= 180 * kGpsUnitsPerDegree && std::abs(p.y) <= 90 * kGpsUnitsPerDegree);
        if (p.x == 180 * kGpsUnitsPerDegree)
            p.x = -p.x; // the same meridian
    }
    int skipped = -1;
    FUZZ_REQUIRE(ParseGpx(GpxBytes(track.points, &skipped), kMostPoints).points == expected && skipped == 0);
    return 0;
}
