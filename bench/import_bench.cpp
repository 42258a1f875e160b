// Importing the extracts of the test data: reading the Hanoi extract (about
// 2.7 MB of OpenStreetMap XML, 8770 nodes), and building and writing the map
// file from what was read, for Hanoi and for District 3 of Ho Chi Minh City.
#include "Importer.h"
#include "OsmData.h"

#include <benchmark/benchmark.h>

#include <QDir>

namespace {

const char* const kExtracts[] = {"hanoi_van_mieu.osm", "hcmc_district3.osm"};

QString Extract(const char* name)
{
    return QDir(QStringLiteral(KORVANE_SOURCE_DIR)).filePath(QStringLiteral("tests/data/osm/") + QLatin1String(name));
}

void BM_ReadHanoiExtract(benchmark::State& state)
{
    for (auto _ : state) {
        OsmData data;
        QString error;
        if (!ReadOsmFile(Extract(kExtracts[0]), data, error)) {
            state.SkipWithError(error.toStdString().c_str());
            return;
        }
        benchmark::DoNotOptimize(data.nodes.data());
    }
}
BENCHMARK(BM_ReadHanoiExtract)->Unit(benchmark::kMillisecond);

// Argument 0: Hanoi, 1: District 3.
void BM_BuildMap(benchmark::State& state)
{
    OsmData data;
    QString error;
    if (!ReadOsmFile(Extract(kExtracts[state.range(0)]), data, error)) {
        state.SkipWithError(error.toStdString().c_str());
        return;
    }
    for (auto _ : state) {
        MapData map;
        QByteArray text;
        ImportReport report;
        if (!BuildMap(data, ImportOptions(), map, text, report, error)) {
            state.SkipWithError(error.toStdString().c_str());
            return;
        }
        benchmark::DoNotOptimize(text.data());
    }
}
BENCHMARK(BM_BuildMap)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
