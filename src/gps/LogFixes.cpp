#include "gps/LogFixes.h"

#include "gps/NmeaLogSource.h"

#include <optional>

namespace {

// The fix of a line from the RMC ring, when the map window would place it.
std::optional<LogFix> FixOf(const QString& rmc)
{
    if (NmeaParser::RmcLatitude(rmc).isEmpty() || NmeaParser::RmcLongitude(rmc).isEmpty() ||
        NmeaParser::RmcField(rmc, 2) != u"A")
        return std::nullopt;
    return LogFix{NmeaParser::RmcPosition(rmc), NmeaParser::RmcDateTime(rmc)};
}

}  // namespace

std::vector<LogFix> LogFixes(QIODevice& log)
{
    // The replay's own source, never opened: only its line collection runs.
    NmeaLogSource collection;
    std::vector<LogFix> fixes;
    uint64_t taken = 0;
    const auto take = [&](uint8_t b) {
        collection.ProcessChar(b);
        if (collection.RmcLineCount() == taken)
            return;
        taken = collection.RmcLineCount();
        if (const std::optional<LogFix> fix = FixOf(collection.LatestRmcLine()))
            fixes.push_back(*fix);
    };
    QByteArray block;
    while (!(block = log.read(64 * 1024)).isEmpty()) {
        for (const char c : block)
            take(static_cast<uint8_t>(c));
    }
    take('\r');
    return fixes;
}

bool LooksLikeReceiverLog(QByteArrayView start)
{
    return start.contains('$');
}
