// Road files (.kvt): a recorded track as one line of "x,y;" pairs in GPS units
// and a line "end", CR LF each.
#pragma once

#include "gps/GpsState.h"
#include "map/MapData.h"

#include <QByteArray>
#include <QString>
#include <optional>
#include <vector>

// A road file is read as far as "Lưu đường" can write one: the whole track,
// each pair at most "-2147483648,-2147483648;", then CR LF "end" CR LF.
inline constexpr int kMaxRoadPoints = kMaxTrackPositions;
inline constexpr qint64 kMaxRoadFileBytes = qint64(kMaxRoadPoints) * 24 + 7;

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

// The positions of a road file, at most maxPoints of the first maxBytes. None
// when the file cannot be opened. *tooLarge is set when the file goes on
// beyond either bound: what is returned then is only its start.
std::optional<std::vector<MapPoint>> ReadRoadFile(const QString& path, qint64 maxBytes = kMaxRoadFileBytes,
                                                  int maxPoints = kMaxRoadPoints, bool* tooLarge = nullptr);
