// What the importer takes from OpenStreetMap tags: which roads a car can use
// and how wide they are drawn, which features become places of which
// category, and which areas become lakes, parks and district backgrounds.
#pragma once

#include "OsmData.h"

#include <QString>

enum class RoadKind { Main, Street, Service };

struct RoadClass {
    const char* highway;
    int width; // width class of the WAY record
    RoadKind kind;
};

// The road class of a way, or nullptr when it is no street for cars (footways,
// steps, roads under construction, areas, roads closed to motor vehicles).
const RoadClass* CarRoadClass(const OsmTags& tags);

// Direction of travel along the way's nodes: 1 forward only, -1 backward
// only, 0 both ways.
int OnewayOf(const OsmTags& tags);

// Place category 1..27 of a point of interest, 0 when it has none. Category 28
// is the user's homes and never comes from map data.
int PlaceCategoryOf(const OsmTags& tags);

// Bus stops, parking and ATMs are many and small; --leave-out small-places
// drops them together with places that have no name of their own.
bool IsSmallPlaceCategory(int category);

enum class AreaKind { None, Lake, Park, Landuse, Admin };

// What a closed way or multipolygon with these tags is drawn as.
AreaKind AreaKindOf(const OsmTags& tags);

// True for waterways drawn as rivers (lines, not areas).
bool IsRiverLine(const OsmTags& tags);

// True for a coastline: the land on its left, the sea on its right.
bool IsCoastline(const OsmTags& tags);

// Label size of a named place (suburb, quarter, neighbourhood...), 0 when the
// tags name no such place.
int TextSizeOf(const OsmTags& tags);

// Name of a district background: what kind of land it is, so that all land of
// one kind forms one run of records and is drawn in one colour; an
// administrative area keeps its own name.
QString DistrictNameOf(const OsmTags& tags);
