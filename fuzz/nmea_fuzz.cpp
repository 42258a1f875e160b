// Any bytes from a receiver: the line collection and the field conversion stay
// inside their buffers, finish, and keep their rules; as a recorded log, the
// bytes are cut into fixes that hold every byte once, due in order.
#include "FuzzCheck.h"
#include "gps/Nmea.h"
#include "gps/NmeaLogSource.h"
#include "gps/SerialComm.h"

#include <QBuffer>
#include <cmath>
#include <cstddef>
#include <cstdint>

using namespace NmeaParser;

namespace {

void CheckLogEpochs(QByteArray log)
{
    QBuffer device(&log);
    device.open(QIODevice::ReadOnly);
    LogEpochReader reader(device);
    LogEpochReader::Epoch epoch;
    QByteArray joined;
    double due = 0;
    while (reader.Next(epoch)) {
        FUZZ_REQUIRE(std::isfinite(epoch.due) && epoch.due >= due);
        FUZZ_REQUIRE(epoch.bytes.size() <= LogEpochReader::kMostBytes);
        due = epoch.due;
        joined += epoch.bytes;
    }
    FUZZ_REQUIRE(joined == log);
}

void CheckFields(const QString& line)
{
    for (const QString& field : {RmcLatitude(line), RmcLongitude(line), line})
        FUZZ_REQUIRE(FieldToUnits(field, true) == -FieldToUnits(field, false));
    const GpsPosition position = RmcPosition(line);
    FUZZ_REQUIRE(position.x != INT32_MIN && position.y != INT32_MIN);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    CSerialComm source;
    QString last;
    for (size_t i = 0; i < size; ++i) {
        source.ProcessChar(data[i]);
        const QString line = source.LatestLine();
        if (line == last)
            continue;
        last = line;
        FUZZ_REQUIRE(line.size() <= GpsSource::kLineBytes);
        CheckFields(line);
        const QString rmc = source.LatestRmcLine();
        FUZZ_REQUIRE(rmc.isEmpty() || IsRmcSentence(rmc));
    }
    // The blocks a drain reads give the same lines as single bytes.
    const QByteArrayView bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    CSerialComm blocks;
    blocks.ProcessBytes(bytes.first(bytes.size() / 2));
    blocks.ProcessBytes(bytes.sliced(bytes.size() / 2));
    FUZZ_REQUIRE(blocks.LatestLine() == source.LatestLine() && blocks.LatestRmcLine() == source.LatestRmcLine());
    CheckFields(QString::fromLatin1(bytes));
    ChecksumIsWrong(bytes);
    CheckLogEpochs(bytes.toByteArray());
    return 0;
}
