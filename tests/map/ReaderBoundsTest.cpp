// The readers on the worst files of their size limits: each finishes well
// within a second and holds its memory to a bound per byte read. (The
// benchmarks give the real figures; these bounds catch a reader that goes
// quadratic or keeps room it does not use.)
#include "MapChecks.h"
#include "map/PlaceInfoFile.h"
#include "support/DeviceRoot.h"
#include "support/WorstCaseFiles.h"

#include <QElapsedTimer>
#include <gtest/gtest.h>
#include <malloc.h>

namespace {

constexpr qint64 kTimeBoundMs = 2000;
// Heap kept by a loaded map, per byte of its file.
constexpr double kMemoryPerByte = 32;

// Bytes the heap holds beyond what it held at construction.
struct HeapUse {
    size_t before = mallinfo2().uordblks;
    double Now() const { return double(mallinfo2().uordblks) - double(before); }
};

TEST(ReaderBounds, TheWorstMapFilesLoadQuicklyInBoundedMemory)
{
    const std::pair<const char*, QByteArray> files[] = {
        {"header of combining marks, UTF-8", CombiningHeaderMap(true)},
        {"header of combining marks, Windows-1258", CombiningHeaderMap(false)},
        {"names of combining marks, UTF-8", CombiningNamesMap(true)},
        {"names of combining marks, Windows-1258", CombiningNamesMap(false)},
        {"100 000 tiny records and nodes", TinyRecordsMap()},
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
        EXPECT_LT(heap.Now(), kMemoryPerByte * bytes.size());
    }
}

TEST(ReaderBounds, APlaceFileOfCombiningMarksLoadsQuickly)
{
    TempDeviceRoot root;
    root.Write("marks.kvf", ("1,1\r\n\t28\r\n\t\t" + QByteArray("\xCC\x81").repeated(5000) + "\r\n\r\n").repeated(200));
    QElapsedTimer timer;
    timer.start();
    MapData map;
    EXPECT_EQ(LoadInfoFile(map, root.Path("marks.kvf")), 200);
    EXPECT_LT(timer.elapsed(), kTimeBoundMs);
}

}  // namespace
