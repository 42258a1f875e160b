// The readers (map, place file, settings) on the worst files of their size
// limits: each finishes well within a second and holds its memory to a bound
// per byte read. (The benchmarks give the real figures; these bounds catch a
// reader that goes quadratic or keeps room it does not use.)
#include "MapChecks.h"
#include "map/PlaceInfoFile.h"
#include "support/DeviceRoot.h"
#include "support/WorstCaseFiles.h"

#include <QElapsedTimer>
#include <gtest/gtest.h>
#include <malloc.h>
#include <tuple>

#ifdef __SANITIZE_ADDRESS__
// From the sanitizer runtime (GCC ships no header for it).
extern "C" size_t __sanitizer_get_current_allocated_bytes();
#endif

namespace {

constexpr qint64 kTimeBoundMs = 2000;
// Heap kept by what a reader read, per byte of its file. The worst is a map
// of road nodes: each keeps two lists of 21 values, 168 bytes, for a line of
// 4 bytes (about 40 per byte in all); a place file of the smallest records
// takes about 28.
constexpr double kMemoryPerByte = 48;

// Bytes the program has allocated and not freed: the heap's and the large
// blocks the C library maps on their own (which block goes where changes as
// the program runs). Under AddressSanitizer its own count is read.
size_t HeapBytes()
{
#ifdef __SANITIZE_ADDRESS__
    return __sanitizer_get_current_allocated_bytes();
#else
    const struct mallinfo2 info = mallinfo2();
    return info.uordblks + info.hblkhd;
#endif
}

// Bytes the heap holds beyond what it held at construction.
struct HeapUse {
    size_t before = HeapBytes();
    double Now() const { return double(HeapBytes()) - double(before); }
};

TEST(ReaderBounds, TheWorstMapFilesLoadQuicklyInBoundedMemory)
{
    const std::pair<const char*, QByteArray> files[] = {
        {"header of combining marks, UTF-8", CombiningHeaderMap(true)},
        {"header of combining marks, Windows-1258", CombiningHeaderMap(false)},
        {"names of combining marks, UTF-8", CombiningNamesMap(true)},
        {"names of combining marks, Windows-1258", CombiningNamesMap(false)},
        {"100 000 tiny records and nodes", TinyRecordsMap()},
        {"as many road nodes as the records allow", NodesMap()},
    };
    for (const auto& [what, bytes] : files) {
        SCOPED_TRACE(what);
        ASSERT_LE(bytes.size(), kMaxMapFileBytes);
        const HeapUse heap;
        QElapsedTimer timer;
        timer.start();
        MapData map;
        ASSERT_TRUE(LoadMapBytes(map, bytes));
        EXPECT_LT(timer.elapsed(), kTimeBoundMs);
        EXPECT_LT(heap.Now(), kMemoryPerByte * bytes.size()) << heap.Now() / bytes.size() << " bytes per byte";
    }
}

TEST(ReaderBounds, TheWorstPlaceFilesLoadQuicklyInBoundedMemory)
{
    TempDeviceRoot root;
    const std::tuple<const char*, QByteArray, int> files[] = {
        {"names of combining marks",
         ("1,1\r\n\t28\r\n\t\t" + QByteArray("\xCC\x81").repeated(5000) + "\r\n\r\n").repeated(200), 200},
        {"the largest file of the smallest records", TinyPlacesFile(kMaxPlaceFileBytes), 0},
    };
    for (const auto& [what, bytes, names] : files) {
        SCOPED_TRACE(what);
        root.Write("worst.kvf", bytes);
        const HeapUse heap;
        QElapsedTimer timer;
        timer.start();
        MapData map;
        EXPECT_EQ(LoadInfoFile(map, root.Path("worst.kvf")), names);
        EXPECT_LT(timer.elapsed(), kTimeBoundMs);
        EXPECT_LT(heap.Now(), kMemoryPerByte * bytes.size()) << heap.Now() / bytes.size() << " bytes per byte";
    }
    // One byte more and the file is refused whole.
    root.Write("worst.kvf", TinyPlacesFile(kMaxPlaceFileBytes) + "1");
    MapData map;
    EXPECT_EQ(LoadInfoFile(map, root.Path("worst.kvf")), -1);
    EXPECT_EQ(map.m_nPlaceLast, -1);
}

TEST(ReaderBounds, ASettingsFileOfCombiningMarksReadsQuicklyInBoundedMemory)
{
    TempDeviceRoot root;
    const QByteArray bytes = CombiningSettings();
    ASSERT_EQ(bytes.size(), kMaxSettingsBytes);
    root.Write("korvane.cfg", bytes);
    const HeapUse heap;
    QElapsedTimer timer;
    timer.start();
    SettingsValues values;
    ASSERT_TRUE(ReadSettingsFile(root.Path("korvane.cfg"), values));
    EXPECT_LT(timer.elapsed(), kTimeBoundMs);
    EXPECT_LT(heap.Now(), kMemoryPerByte * bytes.size());
    // The path is kept as it stands, marks and all.
    ASSERT_TRUE(values.mapUrl.has_value());
    EXPECT_EQ(*values.mapUrl, "/" + QString(4989, QChar(0x0301)));
}

}  // namespace
