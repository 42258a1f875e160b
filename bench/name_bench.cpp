// Narrowing a list for one keystroke: every name of the list matched against
// the typed text, over a generated list of 10 000 street names and over the
// bundled District 3 map's street names. The names are taken apart once, when
// the list is filled, as the combo box does.
#include "map/MapData.h"
#include "map/MapFileReader.h"
#include "places/NameLists.h"
#include "places/NameMatch.h"

#include <benchmark/benchmark.h>

namespace {

// 10 000 names of the shapes the maps hold: "Phố Văn Miếu",
// "Ngõ 12 Đường Láng", …, made from a few kinds and syllables.
QStringList GeneratedNames()
{
    const QStringList kinds = {QStringLiteral("Phố"), QStringLiteral("Đường"), QStringLiteral("Ngõ"),
                               QStringLiteral("Ngách"), QStringLiteral("Hẻm")};
    const QStringList syllables =
        QStringLiteral(
            "Văn Miếu Huế Láng Đinh Tiên Hoàng Trần Hưng Đạo Lê Lợi Nguyễn Trãi Bà Triệu Hai Bà Trưng Quang Trung "
            "Kim Mã Giảng Võ Cầu Giấy Thái Hà Tây Sơn Điện Biên Phủ Lý Thường Kiệt Hàng Bông Gai Đào Bạc Mã Buồm")
            .split(QLatin1Char(' '));
    QStringList names;
    for (int i = 0; names.size() < 10000; ++i) {
        QString name = kinds[i % kinds.size()];
        if (i % 3 == 0)
            name += QStringLiteral(" %1").arg(i % 97 + 1);
        name += QLatin1Char(' ') + syllables[(i * 7) % syllables.size()] + QLatin1Char(' ') +
                syllables[(i / 5) % syllables.size()];
        names.append(name + QStringLiteral(" %1").arg(i / 1000));
    }
    return SortedVietnamese(names);
}

QStringList District3Streets()
{
    MapData m;
    const QString path = QStringLiteral(KORVANE_SOURCE_DIR "/data/hcmc_district3.kvp");
    if (!LoadMapFile(m, path, 0))
        qFatal("cannot read %s", qPrintable(path));
    return SortedVietnamese(StreetListNames(m.m_strWayName, m.m_nWayLast));
}

std::vector<FoldedName> Folded(const QStringList& names)
{
    std::vector<FoldedName> folded;
    for (const QString& name : names)
        folded.emplace_back(name);
    return folded;
}

void Narrow(benchmark::State& state, const QStringList& names, const QString& typed)
{
    const std::vector<FoldedName> folded = Folded(names);
    size_t shown = 0;
    for (auto _ : state) {
        const std::vector<int> found = NarrowNames(folded, typed);
        shown = found.size();
        benchmark::DoNotOptimize(found.data());
    }
    state.counters["names"] = double(names.size());
    state.counters["shown"] = double(shown);
}

void BM_Narrow10000(benchmark::State& state)
{
    static const QStringList names = GeneratedNames();
    const QString typed[] = {QStringLiteral("p"), QStringLiteral("pho van"), QStringLiteral("mieu pho"),
                             QStringLiteral("đường láng")};
    Narrow(state, names, typed[state.range(0)]);
}
BENCHMARK(BM_Narrow10000)->DenseRange(0, 3)->Unit(benchmark::kMicrosecond);

void BM_NarrowDistrict3(benchmark::State& state)
{
    static const QStringList names = District3Streets();
    const QString typed[] = {QStringLiteral("d"), QStringLiteral("vo van tan"), QStringLiteral("tan vo")};
    Narrow(state, names, typed[state.range(0)]);
}
BENCHMARK(BM_NarrowDistrict3)->DenseRange(0, 2)->Unit(benchmark::kMicrosecond);

// Filling a list: each of the 10 000 names taken apart once.
void BM_Fold10000(benchmark::State& state)
{
    static const QStringList names = GeneratedNames();
    for (auto _ : state)
        benchmark::DoNotOptimize(Folded(names).size());
}
BENCHMARK(BM_Fold10000)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
