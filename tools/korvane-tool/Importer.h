// The OpenStreetMap importer: from an extract to a map file the program reads
// exactly as written, within every limit of the format.
#pragma once

#include "OsmData.h"

#include "map/MapData.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <optional>

// Minor features the importer can leave out so that an area fits.
enum LeaveOut : unsigned {
    LeaveSmallPlaces = 1, // bus stops, parking, ATMs, places without a name of their own
    LeaveService = 2,     // service roads
    LeaveBus = 4,         // bus routes
    LeaveDistricts = 8,   // district backgrounds
};

// Parses a comma-separated list of small-places, service, bus, districts.
bool ParseLeaveOut(const QString& list, unsigned& bits, QString& error);
QString LeaveOutText(unsigned bits);

// Parses "west,south,east,north" in degrees.
bool ParseBox(const QString& text, GeoBox& box, QString& error);

// Parses "longitude,latitude" in degrees.
bool ParseLonLat(const QString& text, GeoPoint& point, QString& error);

struct ImportOptions {
    std::optional<GeoBox> box;  // the map's area; by default the extent of its streets
    bool boxFromBounds = false; // the area the extract was cut to
    unsigned leaveOut = 0;
    bool fit = false;               // leave out minor features, in order, then shrink the area, until the map fits
    std::optional<GeoPoint> center; // the point the area shrinks around; by default its middle
    double simplifyMetres = 0.5;    // points this close to a straight line are dropped
};

struct ImportReport {
    QStringList notes;    // what was cut, dropped or left out, and why
    QStringList warnings; // what the user should know about the map made
    QStringList summary;  // counts of what the map holds
    unsigned leftOut = 0; // what was left out in the end
    GeoBox box;           // the area the map covers
};

// Builds the map of data. False with a message in error, its cause first,
// when no map can be made (no streets; limits broken, without --fit).
bool BuildMap(const OsmData& data, const ImportOptions& options, MapData& map, QByteArray& text, ImportReport& report,
              QString& error);

// Distinct names of consecutive records, as the street and bus lists show
// them (each run of equal names once, empty names not at all).
int NameRuns(const std::vector<QString>& names, int last);

// Reads input, builds the map and writes it to output through a temporary
// file, so a failed import leaves no map file behind.
bool ImportOsmFile(const QString& input, const QString& output, const ImportOptions& options, ImportReport& report,
                   QString& error);
