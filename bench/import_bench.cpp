// Importing the shared Hanoi extract (about 2.7 MB of OpenStreetMap XML, 8770
// nodes): reading it, and building and writing the map file from what was read.
#include "Importer.h"
#include "OsmData.h"

#include <benchmark/benchmark.h>

#include <QDir>

namespace {

QString HanoiExtract()
{
    return QDir(QStringLiteral(KORVANE_SOURCE_DIR)).filePath(QStringLiteral("../shared/data/osm/hanoi_van_mieu.osm"));
}

void BM_ReadHanoiExtract(benchmark::State& state)
{
    for (auto _ : state) {
        OsmData data;
        QString error;
        if (!ReadOsmFile(HanoiExtract(), data, error)) {
            state.SkipWithError(error.toStdString().c_str());
            return;
        }
        benchmark::DoNotOptimize(data.nodes.data());
    }
}
BENCHMARK(BM_ReadHanoiExtract)->Unit(benchmark::kMillisecond);

void BM_BuildHanoiMap(benchmark::State& state)
{
    OsmData data;
    QString error;
    if (!ReadOsmFile(HanoiExtract(), data, error)) {
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
BENCHMARK(BM_BuildHanoiMap)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
