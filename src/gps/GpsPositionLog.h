// The GPS position log "/GPSPosition.txt": lines that pair a point of the map
// with the receiver's coordinates taken there, the two sides of a map's GPS
// calibration. Lines are only ever appended; nothing in the program reads
// them back.
#pragma once

#include "map/MapData.h"

#include <QString>

inline constexpr const char* kGpsPositionLog = "/GPSPosition.txt";

// "x,y;longitude,latitude": the map point, then NMEA fields 5 and 3 of the
// RMC line as received.
QString GpsPositionLine(MapPoint map, const QString& rmcLine);

// Appends a line (cut to 99 bytes) and CR LF in one write, creating the log
// when absent; false when it cannot be written.
bool AppendGpsPosition(const QString& path, MapPoint map, const QString& rmcLine);
