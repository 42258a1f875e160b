// The map reader on the bundled maps and on a generated map just under the
// 450000-byte limit, and the visible-way list at the whole-map zoom and at
// five times the base scale; the map, place-file and settings readers on the
// worst files of their limits.
#include "../tests/support/WorstCaseFiles.h"

#include "map/MapFileReader.h"
#include "view/Viewport.h"

#include <QFile>
#include <QTemporaryFile>
#include <benchmark/benchmark.h>
#include <memory>

namespace {

// A map file for one benchmark: a bundled one, or the generated city written
// to a temporary file for the length of the run.
class MapSource {
public:
    static std::unique_ptr<MapSource> Bundled(const char* name)
    {
        auto source = std::make_unique<MapSource>();
        source->m_path = QStringLiteral(KORVANE_SOURCE_DIR "/data/") + QLatin1StringView(name);
        return QFile::exists(source->m_path) ? std::move(source) : nullptr;
    }
    static std::unique_ptr<MapSource> Generated(const QByteArray& bytes)
    {
        auto source = std::make_unique<MapSource>();
        source->m_file = std::make_unique<QTemporaryFile>();
        if (!source->m_file->open())
            return nullptr;
        source->m_file->write(bytes);
        source->m_file->close();
        source->m_path = source->m_file->fileName();
        return source;
    }
    const QString& Path() const { return m_path; }

private:
    QString m_path;
    std::unique_ptr<QTemporaryFile> m_file;
};

void LoadMap(benchmark::State& state, const MapSource* source)
{
    MapData map;
    for (auto _ : state) {
        if (!LoadMapFile(map, source->Path(), 0)) {
            state.SkipWithError("the map cannot be opened");
            return;
        }
        benchmark::DoNotOptimize(map.m_nNodeLast);
    }
    state.counters["ways"] = map.m_nWayLast + 1;
    state.counters["bytes"] = static_cast<double>(QFile(source->Path()).size());
    state.SetBytesProcessed(state.iterations() * static_cast<int64_t>(QFile(source->Path()).size()));
}

void LoadPlaces(benchmark::State& state, const MapSource* source)
{
    for (auto _ : state) {
        MapData map;
        benchmark::DoNotOptimize(LoadInfoFile(map, source->Path()));
    }
    state.SetBytesProcessed(state.iterations() * static_cast<int64_t>(QFile(source->Path()).size()));
}

void ReadSettings(benchmark::State& state, const MapSource* source)
{
    for (auto _ : state) {
        SettingsValues values;
        benchmark::DoNotOptimize(ReadSettingsFile(source->Path(), values));
    }
}

// The view a user sees right after loading (5 × base scale), or the whole
// extent fitted to the window.
void VisibleWays(benchmark::State& state, const MapSource* source, bool wholeMap)
{
    MapData map;
    if (!LoadMapFile(map, source->Path(), 0)) {
        state.SkipWithError("the map cannot be opened");
        return;
    }
    ViewState view;
    FitViewToMap(map, view);
    if (wholeMap) {
        view.m_dScale = view.m_dBaseScale / 2.5;
        view.m_nOriginX = map.m_nCenterX - int32_t(view.m_nClientWidth / 2 / view.m_dScale);
        view.m_nOriginY = map.m_nCenterY - int32_t(view.m_nClientHeight / 2 / view.m_dScale);
    }
    for (auto _ : state) {
        UpdateVisibleWays(map, view);
        benchmark::DoNotOptimize(view.m_nVisibleWays);
    }
    state.counters["ways"] = map.m_nWayLast + 1;
    state.counters["visible"] = view.m_nVisibleWays;
}

}  // namespace

int main(int argc, char** argv)
{
    benchmark::Initialize(&argc, argv);
    std::vector<std::pair<std::string, std::unique_ptr<MapSource>>> sources;
    sources.emplace_back("demo.kvp", MapSource::Bundled("demo.kvp"));
    sources.emplace_back("hanoi.kvp", MapSource::Bundled("hanoi.kvp"));
    sources.emplace_back("generated", MapSource::Generated(CityGridBytes(kMaxMapFileBytes)));
    for (const auto& [name, source] : sources) {
        if (!source)
            continue;
        benchmark::RegisterBenchmark(("LoadMapFile/" + name).c_str(), LoadMap, source.get())
            ->Unit(benchmark::kMillisecond);
        benchmark::RegisterBenchmark(("UpdateVisibleWays/" + name + "/whole_map").c_str(), VisibleWays,
                                     source.get(), true)
            ->Unit(benchmark::kMicrosecond);
        benchmark::RegisterBenchmark(("UpdateVisibleWays/" + name + "/5x_base_scale").c_str(), VisibleWays,
                                     source.get(), false)
            ->Unit(benchmark::kMicrosecond);
    }
    // The worst files of the size limit, for the reader alone.
    std::vector<std::pair<std::string, std::unique_ptr<MapSource>>> worst;
    worst.emplace_back("marks_in_header_utf8", MapSource::Generated(CombiningHeaderMap(true)));
    worst.emplace_back("marks_in_header_1258", MapSource::Generated(CombiningHeaderMap(false)));
    worst.emplace_back("marks_in_names_utf8", MapSource::Generated(CombiningNamesMap(true)));
    worst.emplace_back("marks_in_names_1258", MapSource::Generated(CombiningNamesMap(false)));
    worst.emplace_back("tiny_records", MapSource::Generated(TinyRecordsMap()));
    worst.emplace_back("nodes", MapSource::Generated(NodesMap()));
    for (const auto& [name, source] : worst) {
        if (source)
            benchmark::RegisterBenchmark(("LoadMapFile/" + name).c_str(), LoadMap, source.get())
                ->Unit(benchmark::kMillisecond);
    }
    const auto places = MapSource::Generated(TinyPlacesFile(kMaxPlaceFileBytes));
    if (places)
        benchmark::RegisterBenchmark("LoadInfoFile/tiny_records", LoadPlaces, places.get())
            ->Unit(benchmark::kMillisecond);
    const auto settings = MapSource::Generated(CombiningSettings());
    if (settings)
        benchmark::RegisterBenchmark("ReadSettingsFile/marks", ReadSettings, settings.get())
            ->Unit(benchmark::kMicrosecond);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
