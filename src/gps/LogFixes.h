// The fixes of a recorded receiver log as the map window would take them:
// the log's bytes through the line collection, and every line that reaches
// the RMC ring with both coordinates and status "A", in order.
#pragma once

#include "gps/Nmea.h"

#include <QDateTime>
#include <QIODevice>
#include <vector>

struct LogFix {
    GpsPosition position;
    QDateTime time;  // UTC; invalid when the sentence gives no date or no time
};

// Reads the log from where it stands to its end, a block at a time. The last
// line counts without its line end.
std::vector<LogFix> LogFixes(QIODevice& log);

// Whether bytes from the start of a file are a receiver log rather than a
// road file, which never holds a '$'.
bool LooksLikeReceiverLog(QByteArrayView start);
