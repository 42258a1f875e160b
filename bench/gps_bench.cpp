// The GPS line collection on the project's real receiver logs: every byte
// through ProcessChar into both rings, then the two coordinate fields of each
// RMC line to GPS units, as the reader thread and the map window do. Against
// it, in the same run, a plain scan of the same bytes that only counts line
// ends. Both report bytes per second.
#include "gps/Nmea.h"
#include "gps/SerialComm.h"

#include <QDir>
#include <QFile>
#include <algorithm>
#include <benchmark/benchmark.h>
#include <vector>

namespace {

const QByteArray& Logs()
{
    static const QByteArray bytes = [] {
        QByteArray all;
        const QDir dir(QStringLiteral(KORVANE_SOURCE_DIR "/tests/data/nmea"));
        for (const QString& name : dir.entryList({QStringLiteral("*.log")}, QDir::Files, QDir::Name)) {
            QFile file(dir.filePath(name));
            if (file.open(QIODevice::ReadOnly))
                all += file.readAll();
        }
        return all;
    }();
    return bytes;
}

bool StartsRmcLine(QByteArrayView rest)
{
    return rest.size() > 7 && rest[0] == '$' && rest.sliced(3, 4) == "RMC,";
}

// The logs cut after the line end of each RMC line, so that each piece ends
// with a new RMC line in the ring.
std::vector<QByteArrayView> PiecesEndingWithRmcLines(QByteArrayView bytes)
{
    std::vector<QByteArrayView> pieces;
    qsizetype pieceStart = 0;
    bool inRmcLine = StartsRmcLine(bytes);
    for (qsizetype i = 0; i < bytes.size(); ++i) {
        if (bytes[i] != '\r' && bytes[i] != '\n')
            continue;
        if (inRmcLine) {
            pieces.push_back(bytes.sliced(pieceStart, i + 1 - pieceStart));
            pieceStart = i + 1;
        }
        inRmcLine = StartsRmcLine(bytes.sliced(i + 1));
    }
    pieces.push_back(bytes.sliced(pieceStart));
    return pieces;
}

void PlainLineEndScan(benchmark::State& state)
{
    const QByteArray& bytes = Logs();
    for (auto _ : state) {
        size_t ends = 0;
        for (char b : bytes)
            ends += (b == '\r') | (b == '\n');
        benchmark::DoNotOptimize(ends);
    }
    state.SetBytesProcessed(int64_t(state.iterations()) * bytes.size());
}

// The two ways bytes enter the line collection: one call per byte, and the
// blocks the serial drain reads.
void FeedByteByByte(GpsSource& source, QByteArrayView piece)
{
    for (char b : piece)
        source.ProcessChar(static_cast<uint8_t>(b));
}

void FeedAsRead(GpsSource& source, QByteArrayView piece)
{
    constexpr qsizetype kReadBytes = 256;  // what one read of the drain takes
    for (qsizetype at = 0; at < piece.size(); at += kReadBytes)
        source.ProcessBytes(piece.sliced(at, std::min(kReadBytes, piece.size() - at)));
}

template <void (*Feed)(GpsSource&, QByteArrayView)> void CollectLinesAndConvertFixes(benchmark::State& state)
{
    const QByteArray& bytes = Logs();
    const std::vector<QByteArrayView> pieces = PiecesEndingWithRmcLines(bytes);
    CSerialComm source;
    for (auto _ : state) {
        for (QByteArrayView piece : pieces) {
            Feed(source, piece);
            const QString rmc = source.LatestRmcLine();
            benchmark::DoNotOptimize(NmeaParser::FieldToUnits(NmeaParser::RmcLongitude(rmc), false));
            benchmark::DoNotOptimize(NmeaParser::FieldToUnits(NmeaParser::RmcLatitude(rmc), true));
        }
    }
    state.SetBytesProcessed(int64_t(state.iterations()) * bytes.size());
    state.counters["rmc_lines"] = double(pieces.size() - 1);
}

}  // namespace

BENCHMARK(PlainLineEndScan);
BENCHMARK(CollectLinesAndConvertFixes<FeedByteByByte>)->Name("CollectLinesAndConvertFixes/ProcessChar");
BENCHMARK(CollectLinesAndConvertFixes<FeedAsRead>)->Name("CollectLinesAndConvertFixes/ProcessBytes");
BENCHMARK_MAIN();
