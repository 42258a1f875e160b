// Any bytes as a small OpenStreetMap XML extract: the importer reads it or
// refuses it with a message, and a map it builds is one the program reads
// as written, within every limit of the format.
#include "FuzzCheck.h"
#include "Importer.h"
#include "MapCheck.h"

#include "map/MapFileReader.h"

#include <QFile>
#include <QTemporaryDir>
#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    // The reader takes files: one temporary file, rewritten for each input.
    static const QTemporaryDir dir;
    static const QString path = dir.filePath(QStringLiteral("in.osm"));
    QFile file(path);
    FUZZ_REQUIRE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    FUZZ_REQUIRE(file.write(reinterpret_cast<const char*>(data), qint64(size)) == qint64(size));
    file.close();

    OsmData osm;
    QString error;
    if (!ReadOsmFile(path, osm, error)) {
        FUZZ_REQUIRE(!error.isEmpty());
        return 0;
    }
    MapData built;
    QByteArray text;
    ImportReport report;
    if (!BuildMap(osm, ImportOptions(), built, text, report, error)) {
        FUZZ_REQUIRE(!error.isEmpty());
        return 0;
    }
    FUZZ_REQUIRE(text.size() <= kMaxMapFileBytes);
    FUZZ_REQUIRE(CheckMapText(text).empty());
    MapData loaded;
    ReadMapBytes(loaded, text, 0);
    FUZZ_REQUIRE(loaded.m_nWayLast == built.m_nWayLast && loaded.m_nNodeLast == built.m_nNodeLast);
    return 0;
}
