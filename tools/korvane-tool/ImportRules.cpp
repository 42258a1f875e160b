#include "ImportRules.h"

#include <array>

namespace {

constexpr std::array<RoadClass, 15> kRoadClasses = {{
    {"motorway", 4, RoadKind::Main},
    {"trunk", 4, RoadKind::Main},
    {"primary", 4, RoadKind::Main},
    {"secondary", 3, RoadKind::Main},
    {"tertiary", 2, RoadKind::Main},
    {"motorway_link", 2, RoadKind::Main},
    {"trunk_link", 2, RoadKind::Main},
    {"primary_link", 2, RoadKind::Main},
    {"secondary_link", 2, RoadKind::Main},
    {"tertiary_link", 1, RoadKind::Main},
    {"unclassified", 1, RoadKind::Street},
    {"residential", 1, RoadKind::Street},
    {"living_street", 1, RoadKind::Street},
    {"road", 1, RoadKind::Street},
    {"service", 1, RoadKind::Service},
}};

// Whether motor cars may drive here: the most specific access tag present
// decides.
bool CarsAllowed(const OsmTags& tags)
{
    for (const char* key : {"motorcar", "motor_vehicle", "vehicle", "access"}) {
        if (tags.Has(key)) {
            const std::string_view value = tags.Get(key);
            return value != "no" && value != "private";
        }
    }
    return true;
}

struct CategoryRule {
    const char* key;
    const char* value;
    const char* alsoKey; // a second tag the rule needs, or nullptr
    const char* alsoValue;
    int category;
};

// The one table from OpenStreetMap tags to place categories. The first rule
// that matches wins, so the narrower rule stands first (churches before other
// places of worship).
constexpr CategoryRule kCategoryRules[] = {
    {"amenity", "hospital", nullptr, nullptr, 1},
    {"healthcare", "hospital", nullptr, nullptr, 1},
    {"amenity", "clinic", nullptr, nullptr, 1},
    {"office", "airline", nullptr, nullptr, 2},
    {"shop", "ticket", nullptr, nullptr, 2},
    {"amenity", "bank", nullptr, nullptr, 3},
    {"amenity", "bureau_de_change", nullptr, nullptr, 3},
    {"leisure", "marina", nullptr, nullptr, 4},
    {"amenity", "boat_rental", nullptr, nullptr, 4},
    {"highway", "bus_stop", nullptr, nullptr, 5},
    {"amenity", "bus_station", nullptr, nullptr, 5},
    {"amenity", "place_of_worship", "religion", "christian", 6},
    {"building", "church", nullptr, nullptr, 6},
    {"building", "cathedral", nullptr, nullptr, 6},
    {"amenity", "cinema", nullptr, nullptr, 7},
    {"amenity", "nightclub", nullptr, nullptr, 8},
    {"amenity", "community_centre", nullptr, nullptr, 8},
    {"leisure", "fitness_centre", nullptr, nullptr, 8},
    {"amenity", "townhall", nullptr, nullptr, 9},
    {"office", "government", nullptr, nullptr, 9},
    {"office", "company", nullptr, nullptr, 10},
    {"man_made", "works", nullptr, nullptr, 10},
    {"tourism", "gallery", nullptr, nullptr, 11},
    {"amenity", "exhibition_centre", nullptr, nullptr, 11},
    {"amenity", "arts_centre", nullptr, nullptr, 11},
    {"tourism", "hotel", nullptr, nullptr, 12},
    {"tourism", "hostel", nullptr, nullptr, 12},
    {"tourism", "guest_house", nullptr, nullptr, 12},
    {"tourism", "motel", nullptr, nullptr, 12},
    {"tourism", "apartment", nullptr, nullptr, 12},
    {"office", "diplomatic", nullptr, nullptr, 13},
    {"amenity", "embassy", nullptr, nullptr, 13},
    {"office", "international_organization", nullptr, nullptr, 13},
    {"amenity", "marketplace", nullptr, nullptr, 14},
    {"tourism", "museum", nullptr, nullptr, 15},
    {"amenity", "place_of_worship", nullptr, nullptr, 16},
    {"building", "temple", nullptr, nullptr, 16},
    {"amenity", "parking", nullptr, nullptr, 17},
    {"amenity", "motorcycle_parking", nullptr, nullptr, 17},
    {"amenity", "post_office", nullptr, nullptr, 18},
    {"leisure", "stadium", nullptr, nullptr, 19},
    {"leisure", "sports_centre", nullptr, nullptr, 19},
    {"shop", "supermarket", nullptr, nullptr, 20},
    {"shop", "mall", nullptr, nullptr, 20},
    {"shop", "department_store", nullptr, nullptr, 20},
    {"shop", "convenience", nullptr, nullptr, 20},
    {"leisure", "swimming_pool", nullptr, nullptr, 21},
    {"leisure", "water_park", nullptr, nullptr, 21},
    {"amenity", "theatre", nullptr, nullptr, 22},
    {"shop", "travel_agency", nullptr, nullptr, 23},
    {"office", "travel_agent", nullptr, nullptr, 23},
    {"tourism", "attraction", nullptr, nullptr, 24},
    {"tourism", "viewpoint", nullptr, nullptr, 24},
    {"tourism", "zoo", nullptr, nullptr, 24},
    {"tourism", "theme_park", nullptr, nullptr, 24},
    {"tourism", "artwork", nullptr, nullptr, 24},
    {"historic", "monument", nullptr, nullptr, 24},
    {"historic", "memorial", nullptr, nullptr, 24},
    {"amenity", "university", nullptr, nullptr, 25},
    {"amenity", "college", nullptr, nullptr, 25},
    {"amenity", "fuel", nullptr, nullptr, 26},
    {"amenity", "atm", nullptr, nullptr, 27},
};

struct TagValue {
    const char* key;
    const char* value;
};

constexpr TagValue kLakeTags[] = {
    {"natural", "water"}, {"landuse", "reservoir"}, {"landuse", "basin"}, {"waterway", "riverbank"}};
constexpr TagValue kParkTags[] = {{"leisure", "park"},
                                  {"leisure", "garden"},
                                  {"leisure", "nature_reserve"},
                                  {"landuse", "recreation_ground"},
                                  {"landuse", "village_green"}};
constexpr const char* kRiverWaterways[] = {"river", "canal", "stream", "drain", "ditch"};

struct LanduseLabel {
    const char* landuse;
    const char* label;
};

constexpr LanduseLabel kLanduseLabels[] = {
    {"residential", "Khu dân cư"},     {"commercial", "Khu thương mại"}, {"retail", "Khu mua sắm"},
    {"industrial", "Khu công nghiệp"}, {"religious", "Khu tôn giáo"},    {"education", "Khu giáo dục"},
    {"military", "Khu quân sự"},       {"cemetery", "Nghĩa trang"},
};

struct TextRule {
    const char* place;
    int size;
};

constexpr TextRule kTextRules[] = {
    {"city", 3},          {"town", 3},   {"suburb", 3}, {"quarter", 2}, {"village", 2},  {"island", 2},
    {"neighbourhood", 1}, {"hamlet", 1}, {"islet", 1},  {"square", 1},  {"locality", 1},
};

template <size_t N> bool MatchesAny(const OsmTags& tags, const TagValue (&list)[N])
{
    for (const TagValue& t : list) {
        if (tags.Get(t.key) == t.value)
            return true;
    }
    return false;
}

} // namespace

const RoadClass* CarRoadClass(const OsmTags& tags)
{
    const std::string_view highway = tags.Get("highway");
    if (highway.empty() || tags.Get("area") == "yes" || !CarsAllowed(tags))
        return nullptr;
    for (const RoadClass& road : kRoadClasses) {
        if (highway == road.highway)
            return &road;
    }
    return nullptr;
}

int OnewayOf(const OsmTags& tags)
{
    const std::string_view oneway = tags.Get("oneway");
    if (oneway == "yes" || oneway == "true" || oneway == "1")
        return 1;
    if (oneway == "-1" || oneway == "reverse")
        return -1;
    if (!oneway.empty())
        return 0; // "no", and also "reversible": usable both ways at some hour
    const std::string_view junction = tags.Get("junction");
    const bool impliedOneway = junction == "roundabout" || junction == "circular" || tags.Get("highway") == "motorway";
    return impliedOneway ? 1 : 0;
}

int PlaceCategoryOf(const OsmTags& tags)
{
    for (const CategoryRule& rule : kCategoryRules) {
        if (tags.Get(rule.key) == rule.value && (!rule.alsoKey || tags.Get(rule.alsoKey) == rule.alsoValue))
            return rule.category;
    }
    return 0;
}

bool IsSmallPlaceCategory(int category)
{
    return category == 5 || category == 17 || category == 27;
}

AreaKind AreaKindOf(const OsmTags& tags)
{
    if (MatchesAny(tags, kLakeTags))
        return AreaKind::Lake;
    if (MatchesAny(tags, kParkTags))
        return AreaKind::Park;
    for (const LanduseLabel& l : kLanduseLabels) {
        if (tags.Get("landuse") == l.landuse)
            return AreaKind::Landuse;
    }
    if (tags.Get("boundary") == "administrative" && tags.Has("admin_level"))
        return AreaKind::Admin;
    return AreaKind::None;
}

bool IsRiverLine(const OsmTags& tags)
{
    const std::string_view waterway = tags.Get("waterway");
    for (const char* value : kRiverWaterways) {
        if (waterway == value)
            return true;
    }
    return false;
}

bool IsCoastline(const OsmTags& tags)
{
    return tags.Get("natural") == "coastline";
}

int TextSizeOf(const OsmTags& tags)
{
    const std::string_view place = tags.Get("place");
    if (place.empty() || !tags.Has("name"))
        return 0;
    for (const TextRule& rule : kTextRules) {
        if (place == rule.place)
            return rule.size;
    }
    return 0;
}

QString DistrictNameOf(const OsmTags& tags)
{
    for (const LanduseLabel& l : kLanduseLabels) {
        if (tags.Get("landuse") == l.landuse)
            return QString::fromUtf8(l.label);
    }
    return QString::fromUtf8(tags.Get("name"));
}
