// The sea from coastlines. OpenStreetMap draws every coastline with the land
// on its left and the water on its right; inside the map's box the open
// coastlines and the box's edge enclose the water, closed ones are islands
// (drawn anticlockwise) or enclosed water (clockwise).
#pragma once

#include "Geometry.h"

struct SeaAreas {
    // Outlines of water, inside 0..right × 0..bottom. An island is a second
    // loop in the outline of the water around it, joined to it by a slit
    // drawn there and back, so that an even-odd fill leaves the island out.
    std::vector<Polyline> rings;
    int looseEnds = 0; // coastline ends inside the box, led straight to its nearest edge
};

// Water inside the box 0..right × 0..bottom (map units) from coastlines in
// map units, each running in its direction in OpenStreetMap; they may reach
// beyond the box.
SeaAreas SeaFromCoastlines(const std::vector<Polyline>& coastlines, int32_t right, int32_t bottom);
