// Map data to map-file text: the header, the nine sections in their fixed
// order, CR LF line ends, names in UTF-8. What LoadMapFile reads back from the
// text equals what was written.
#pragma once

#include "map/MapData.h"

#include <QByteArray>

QByteArray WriteMapText(const MapData& map);

// SCALE as written: the reader takes seven characters of it.
QByteArray ScaleText(double scale);
