// Road files (.kvt): a recorded track as one line of "x,y;" pairs in GPS units
// and a line "end", CR LF each.
#pragma once

#include "map/MapData.h"

#include <QByteArray>
#include <QString>
#include <optional>
#include <vector>

inline constexpr qint64 kMaxRoadFileBytes = 270000;
inline constexpr int kMaxRoadPoints = 10000;

// The bytes of a road file for a track in GPS units: a track of fewer than
// two positions has an empty first line.
QByteArray RoadFileBytes(const std::vector<MapPoint>& trackGps, int count);

// Writes a road file, replacing any file at path atomically; false (with a
// trace line) when it cannot be written.
bool WriteRoadFile(const QString& path, const std::vector<MapPoint>& trackGps, int count);

// The positions in the bytes of a road file, in GPS units, at most maxPoints:
// pairs each ended by ";", up to a line of at most 9 bytes that holds "end" or
// the end of the data.
std::vector<MapPoint> ParseRoadBytes(QByteArrayView bytes, int maxPoints);

// The positions of a road file, at most 10000 of the first 270000 bytes (the
// map window's bounds; korvane-tool takes all a saved track can hold). None
// when the file cannot be opened.
std::optional<std::vector<MapPoint>> ReadRoadFile(const QString& path, qint64 maxBytes = kMaxRoadFileBytes,
                                                  int maxPoints = kMaxRoadPoints);
