// GPX 1.1 tracks: positions in GPS units (1/600000 degree; x the longitude,
// y minus the latitude) written as one track of WGS84 decimal degrees, and
// the points of a GPX file read back into GPS units.
#pragma once

#include "gps/RoadFile.h"
#include "map/MapData.h"

#include <QByteArray>
#include <QDateTime>
#include <QString>
#include <vector>

inline constexpr int kGpsUnitsPerDegree = 600000;

// The map window reads at most this much of a GPX file: 40 000 points with
// times, heights and a receiver's extensions take about 16 MB.
inline constexpr qint64 kMaxGpxFileBytes = 16 * 1024 * 1024;

// A GPX 1.1 document with one track of one segment, a <trkpt lat lon> for
// each position, degrees with 7 decimals. Positions that lie outside
// -90..90 / -180..180 are left out and counted in *skipped; longitude 180 is
// written as -180, the same meridian, since GPX longitudes stop short of 180.
// A position whose time (UTC) is given and valid gets it as its <time>.
QByteArray GpxBytes(const std::vector<MapPoint>& positionsGps, int* skipped = nullptr,
                    const std::vector<QDateTime>& times = {});

enum class GpxStatus {
    Read,       // points were read
    CannotOpen, // the file cannot be opened
    NotGpx,     // no XML, or XML whose root is not <gpx>, or broken before any point
    NoPoints,   // a GPX document without a usable track or route point
};

struct GpxTrack {
    GpxStatus status = GpxStatus::CannotOpen;
    std::vector<MapPoint> points; // GPS units
    std::vector<QDateTime> times; // one for each point; invalid where it has no <time>
    int skipped = 0;              // points outside -90..90 / -180..180 or without lat and lon
    int dropped = 0;              // usable points beyond the most taken
    bool cut = false;             // the file goes on beyond the bytes read
    QString problem;              // why the reading failed or stopped early, in English
};

// The points of a GPX document in GPS units, rounded to the nearest unit, with
// their times:
// every <trkpt> of every track and segment, in order, joined into one line;
// in a document without any, every <rtept>. Waypoints are single places, not
// a line, and are left out. At most maxPoints are taken. An XML error ends the
// reading; the points before it are kept.
GpxTrack ParseGpx(const QByteArray& bytes, int maxPoints = kMaxRoadPoints);

// ParseGpx of the first maxBytes of a file at a device or native path, with a
// trace line for every problem and for points skipped or dropped.
GpxTrack ReadGpxFile(const QString& path, qint64 maxBytes = kMaxGpxFileBytes, int maxPoints = kMaxRoadPoints);
