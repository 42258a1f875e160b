// One OpenStreetMap extract held in memory: nodes, ways and relations with
// their tags, sorted by id, as the importer reads them.
#pragma once

#include <QString>

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

// Tag list of one object, in file order.
struct OsmTags {
    std::vector<std::pair<std::string, std::string>> items;

    // The value of key, empty when the key is missing.
    std::string_view Get(std::string_view key) const;
    bool Has(std::string_view key) const;
};

// Longitude and latitude in units of 1e-7 degree, as OpenStreetMap stores them.
struct GeoPoint {
    int32_t lonE7 = 0;
    int32_t latE7 = 0;
};

struct GeoBox {
    GeoPoint min; // south-west corner
    GeoPoint max; // north-east corner
    bool Contains(GeoPoint p) const
    {
        return p.lonE7 >= min.lonE7 && p.lonE7 <= max.lonE7 && p.latE7 >= min.latE7 && p.latE7 <= max.latE7;
    }
};

struct OsmNode {
    int64_t id = 0;
    GeoPoint where;
    OsmTags tags;
};

struct OsmWay {
    int64_t id = 0;
    std::vector<int64_t> nodes;
    OsmTags tags;
};

struct OsmMember {
    char type = 'n'; // 'n', 'w' or 'r'
    int64_t ref = 0;
    std::string role;
};

struct OsmRelation {
    int64_t id = 0;
    std::vector<OsmMember> members;
    OsmTags tags;
};

struct OsmData {
    std::vector<OsmNode> nodes; // each kind sorted by id
    std::vector<OsmWay> ways;
    std::vector<OsmRelation> relations;
    std::optional<GeoBox> bounds; // the box the extract was cut to, when the file names one

    const OsmNode* FindNode(int64_t id) const;
    const OsmWay* FindWay(int64_t id) const;
};

// Reads an OpenStreetMap XML or PBF file (the format from the file name, else
// from its first byte). False with a message in error for a file that cannot
// be read, is not OpenStreetMap data, is cut short, or has a node without a
// valid position.
bool ReadOsmFile(const QString& path, OsmData& data, QString& error);
