// A recorded track of a given number of positions, as the road-file kill test
// and the program it kills both build it.
#pragma once

#include "map/MapData.h"

#include <vector>

inline std::vector<MapPoint> RoadTrack(int count)
{
    std::vector<MapPoint> track;
    for (int i = 0; i < count; ++i)
        track.push_back({105800000 + 37 * i, 21000000 - 53 * i});
    return track;
}
