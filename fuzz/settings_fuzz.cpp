// Any bytes as a settings file: the reader finishes, and what it takes stays
// within the bytes it was given.
#include "FuzzCheck.h"
#include "map/Settings.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QByteArrayView bytes(reinterpret_cast<const char*>(data), qsizetype(std::min<size_t>(size, kMaxSettingsBytes)));
    SettingsValues values;
    ReadSettingsBytes(bytes, values);
    // No value is longer than the line it came from.
    for (const auto& value : {values.mapUrl, values.comType, values.bitRate, values.infoFilePath})
        FUZZ_REQUIRE(!value || value->size() <= bytes.size());
    // Values are taken only after an accepted version line.
    FUZZ_REQUIRE(!values.mapUrl || bytes.contains("MapVer"));
    return 0;
}
