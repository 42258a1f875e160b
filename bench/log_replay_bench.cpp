// A 64 MB receiver log, generated once: how long opening it takes (what the
// user interface waits for), and replaying it whole on the reader's side, a
// drain at a time, with the peak memory of the process after it.
#include "gps/Nmea.h"
#include "gps/NmeaLogSource.h"

#include <QFile>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>
#include <sys/resource.h>

namespace {

constexpr qint64 kLogBytes = 64 * 1024 * 1024;

// The log: per second a GGA, a GSA and an RMC sentence of a drive, written a
// second at a time so that making it takes little memory. The number of RMC
// sentences it holds.
int64_t WriteLog(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return 0;
    int64_t fixes = 0;
    while (file.size() < kLogBytes) {
        const GpsPosition at{63512148 + int32_t(fixes % 100000) * 7, -12612148 - int32_t(fixes % 70000) * 5};
        file.write("$GPGGA,080000.00,2102.1234,N,10551.2148,E,1,08,1.01,12.0,M,-20.0,M,,\r\n"
                   "$GPGSA,A,3,04,05,09,12,24,25,29,,,,,,1.8,1.0,1.5*33\r\n" +
                   NmeaParser::RmcSentence(at, int(fixes % 86400), 20.5, 90) + "\r\n");
        ++fixes;
    }
    return fixes;
}

struct Log {
    QTemporaryDir dir;
    QString path = dir.filePath(QStringLiteral("drive.nmea"));
    int64_t fixes = WriteLog(path);
};

const Log& TheLog()
{
    static const Log log;
    return log;
}

double PeakMegabytes()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss / 1024.0;
}

void OpenLog(benchmark::State& state)
{
    const Log& log = TheLog();
    for (auto _ : state) {
        NmeaLogSource source([] { return 0.0; });
        if (!source.Open(log.path, 0))
            state.SkipWithError("the log cannot be opened");
    }
}

// The whole log through the replay: the clock steps a minute of the log
// before each drain, the most one drain catches up with.
void ReplayLog(benchmark::State& state)
{
    const Log& log = TheLog();
    for (auto _ : state) {
        double now = 0;
        NmeaLogSource source([&now] { return now; });
        if (!source.Open(log.path, 0)) {
            state.SkipWithError("the log cannot be opened");
            break;
        }
        while (int64_t(source.RmcLineCount()) < log.fixes) {
            now += 60;
            source.ProcessEvent();
        }
    }
    state.SetBytesProcessed(int64_t(state.iterations()) * kLogBytes);
    state.counters["fixes"] = double(log.fixes);
    state.counters["peak_rss_MB"] = PeakMegabytes();
}

}  // namespace

BENCHMARK(OpenLog)->Unit(benchmark::kMillisecond);
BENCHMARK(ReplayLog)->Unit(benchmark::kMillisecond);
BENCHMARK_MAIN();
