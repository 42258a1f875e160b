// Any bytes from a receiver: the line collection and the field conversion stay
// inside their buffers, finish, and keep their rules.
#include "gps/Nmea.h"
#include "gps/SerialComm.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>

using namespace NmeaParser;

namespace {

void Require(bool rule)
{
    if (!rule)
        std::abort();
}

void CheckFields(const QString& line)
{
    for (const QString& field : {RmcLatitude(line), RmcLongitude(line), line})
        Require(FieldToUnits(field, true) == -FieldToUnits(field, false));
    const GpsPosition position = RmcPosition(line);
    Require(position.x != INT32_MIN && position.y != INT32_MIN);
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
        Require(line.size() <= GpsSource::kLineBytes);
        CheckFields(line);
        const QString rmc = source.LatestRmcLine();
        Require(rmc.isEmpty() || IsRmcSentence(rmc));
    }
    // The blocks a drain reads give the same lines as single bytes.
    const QByteArrayView bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    CSerialComm blocks;
    blocks.ProcessBytes(bytes.first(bytes.size() / 2));
    blocks.ProcessBytes(bytes.sliced(bytes.size() / 2));
    Require(blocks.LatestLine() == source.LatestLine() && blocks.LatestRmcLine() == source.LatestRmcLine());
    CheckFields(QString::fromLatin1(bytes));
    ChecksumIsWrong(bytes);
    return 0;
}
