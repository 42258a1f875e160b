// The line of spoken guidance in the settings file: written before "end",
// read back as written, and a file without it leaves guidance spoken.
#include "map/Settings.h"

#include <QList>
#include <gtest/gtest.h>

namespace {

const QString kMap = QStringLiteral("\\My Documents\\hà nội.kvp");

SettingsValues Read(const QByteArray& bytes)
{
    SettingsValues values;
    ReadSettingsBytes(bytes, values);
    return values;
}

TEST(SettingsVoice, TheLineGoesBeforeEndAndReadsBackAsWritten)
{
    const QByteArray off = SettingsFileBytes(kMap, QStringLiteral("COM8: Serial 8"), QStringLiteral("4800"),
                                             QStringLiteral("\\My Documents\\MyKorvaneInf.kvf"), 3, false);
    const QByteArray on = SettingsFileBytes(kMap, QStringLiteral("COM8: Serial 8"), QStringLiteral("4800"),
                                            QStringLiteral("\\My Documents\\MyKorvaneInf.kvf"), 3, true);
    // The six value lines keep their bytes; the new line sits before "end".
    const QList<QByteArray> lines = off.split('\n');
    ASSERT_EQ(lines.size(), 10);
    EXPECT_EQ(lines[5], "NumMyPlace 3\r");
    EXPECT_EQ(lines[6], "VoiceGuide 0\r");
    EXPECT_EQ(lines[7], "end\r");
    EXPECT_EQ(on.split('\n')[6], "VoiceGuide 1\r");

    const SettingsValues read = Read(off);
    EXPECT_EQ(read.mapUrl, kMap);
    EXPECT_EQ(read.comType, QStringLiteral("COM8: Serial 8"));
    EXPECT_EQ(read.bitRate, QStringLiteral("4800"));
    EXPECT_EQ(read.infoFilePath, QStringLiteral("\\My Documents\\MyKorvaneInf.kvf"));
    EXPECT_EQ(read.myPlaceCount, 3);
    EXPECT_EQ(read.voiceGuidance, false);
    EXPECT_EQ(Read(on).voiceGuidance, true);
}

TEST(SettingsVoice, AFileWithoutTheLineSaysNothingAndTheOtherValuesStand)
{
    QByteArray old = SettingsFileBytes(kMap, QStringLiteral("COM1:"), QStringLiteral("9600"), {}, 2, false);
    old.replace("VoiceGuide 0\r\n", "");
    const SettingsValues read = Read(old);
    EXPECT_FALSE(read.voiceGuidance.has_value());
    EXPECT_EQ(read.mapUrl, kMap);
    EXPECT_EQ(read.comType, QStringLiteral("COM1:"));
    EXPECT_EQ(read.myPlaceCount, 2);
}

} // namespace
