// The map file reader: fills MapData from a map file (8-bit text, CR LF
// lines, a header and nine tagged sections in fixed order).
#pragma once

#include "map/MapData.h"

#include <QString>
#include <QStringView>
#include <vector>

inline constexpr qint64 kMaxMapFileBytes = 450000;
inline constexpr int kMaxMapLineBytes = 2998;

// Reads the map at path into map. False only when the file cannot be opened
// (the node count is then 0 and everything else is unchanged). myPlaceCount is
// the number of user places the PLACE arrays keep room for.
bool LoadMapFile(MapData& map, const QString& path, int myPlaceCount);

// Reads a map from the bytes of its file, of which LoadMapFile reads at most
// kMaxMapFileBytes.
void ReadMapBytes(MapData& map, QByteArrayView block, int myPlaceCount);

// Parses "x,y;x,y;..." into out (cleared first), keeping at most capacity
// points. Returns the index of the last point kept; *dropped counts the
// points that did not fit.
int ParsePointList(QStringView text, std::vector<MapPoint>& out, int capacity, int* dropped = nullptr);

// The comma-separated integers of text, −1 after the last one; values beyond
// the 21st are dropped and counted in *dropped.
NodeList ParseIntList(QStringView text, int* dropped = nullptr);

// m_dResStep = (width + height) / 200 in integer division.
void ComputeResStep(MapData& map);
