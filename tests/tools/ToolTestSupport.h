// Support for the map-tool tests: small OpenStreetMap extracts drawn as text,
// importing them, running korvane-tool, and looking things up in a map.
#pragma once

#include "Importer.h"
#include "OsmData.h"

#include "map/MapData.h"

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

using Tags = std::vector<std::pair<std::string, std::string>>;

// An extract drawn as rows of text: every letter or digit is a node at its
// row and column, one cell being 0.0002° (about 22 m) each way; row 0 is the
// northern edge, at latitude `north`, column 0 at longitude `west` (degrees,
// negative for south and west). Ways are strings of node letters.
class OsmSketch {
public:
    explicit OsmSketch(std::vector<std::string> rows, double north = 21.03, double west = 105.83);

    OsmSketch& Way(int64_t id, const std::string& letters, const Tags& tags);
    OsmSketch& WayOfIds(int64_t id, const std::vector<int64_t>& nodes, const Tags& tags);
    OsmSketch& NodeTags(char letter, const Tags& tags);
    // A node off the drawing, at a position in degrees.
    OsmSketch& Node(int64_t id, double lat, double lon, const Tags& tags = {});
    struct Member {
        char type;
        int64_t ref;
        std::string role;
    };
    OsmSketch& Relation(int64_t id, const std::vector<Member>& members, const Tags& tags);

    static int64_t Id(char letter) { return 1000 + static_cast<unsigned char>(letter); }
    GeoPoint Where(char letter) const;
    std::string Xml() const;

private:
    struct NodeRow {
        int64_t id;
        double lat, lon;
        Tags tags;
    };
    std::vector<NodeRow> m_nodes;
    std::string m_ways;
    std::string m_relations;
};

struct Imported {
    bool ok = false;
    QString error;
    ImportReport report;
    MapData built;   // what the importer made
    QByteArray text; // the map file's bytes
    MapData loaded;  // what LoadMapFile reads back from them
};

// Options that keep every point, so drawn nodes stay where they are.
ImportOptions NoSimplify();

// Imports an extract with options and reads the map back.
Imported ImportFile(const QString& osm, const ImportOptions& options);
Imported ImportXml(const std::string& xml, const ImportOptions& options = NoSimplify());

struct ToolRun {
    int exitCode = -1;
    QString out;
    QString err;
};

// Runs korvane-tool with args.
ToolRun RunTool(const QStringList& args);

QString WriteFile(const QTemporaryDir& dir, const QString& name, const QByteArray& bytes);
QByteArray ReadFile(const QString& path);

// Map lookups.
MapPoint MapPointOf(const MapData& map, GeoPoint where); // by the map's calibration
int NodeAt(const MapData& map, MapPoint p);              // 0 when no node is there
std::vector<int> NeighboursOf(const MapData& map, int node);
std::vector<int> WaysNamed(const MapData& map, const QString& name);
// A WAY record's length along its points over the distance between its ends.
double LengthPerEndSpanOf(const MapData& map, int way);

QString TestOsm(const char* name); // an OpenStreetMap extract of tests/data/osm

// What a receiver sends at a spot: a $GPRMC sentence with the latitude as
// ddmm.mmmm and the longitude as dddmm.mmmm, each with its hemisphere letter.
std::string RmcAt(GeoPoint where);

// Where the program puts a $GPRMC sentence on a map: fields 3 to 6 read as
// whole ten-thousandths of a minute (1/600000 degree), negative to the west
// and, since GPS y is minus the latitude, to the north; then the map's
// GPS-to-map conversion (rotation, GPS units per map unit, origin).
MapPoint RmcToMap(const MapData& map, const std::string& rmc);
