// The settings file as a file: a rewrite killed at any moment leaves the old
// file or the new one, each with the longer old tail it keeps.
#include "map/Settings.h"
#include "support/DeviceRoot.h"
#include "support/KillRewrite.h"

#include <gtest/gtest.h>

namespace {

QByteArray SettingsNaming(const QString& map)
{
    return SettingsFileBytes(map, QStringLiteral("COM8: Serial 8"), QStringLiteral("4800"), {}, 0);
}

TEST(SettingsFile, ARewriteKilledAtAnyMomentLeavesTheOldFileOrTheNewOneWhole)
{
    TempDeviceRoot root;
    const QByteArray old = SettingsNaming(QStringLiteral("/bản đồ/một đường dẫn dài hơn nhiều/thành phố cũ.kvp"));
    root.Write("korvane.cfg", old);
    // Two paths of one length: either new file keeps the same old tail.
    const QString hanoi = QStringLiteral("/maps/hanoi.kvp");
    const QString dalat = QStringLiteral("/maps/dalat.kvp");
    const QByteArray withHanoi = SettingsNaming(hanoi);
    const QByteArray withDalat = SettingsNaming(dalat);
    ASSERT_LT(withHanoi.size(), old.size());
    const QList<QByteArray> whole = {old, withHanoi + old.mid(withHanoi.size()),
                                     withDalat + old.mid(withDalat.size())};

    // A rewrite takes a few milliseconds (most of it waiting for the disk):
    // kills up to 10 ms after the start fall on every step of several.
    const KilledRewrites run =
        KillRewrites(QStringLiteral("settings"), root.Path("korvane.cfg"), {hanoi, dalat}, whole, 1000, 10000);
    EXPECT_EQ(run.rounds, 1000);
    EXPECT_EQ(run.torn, 0);
}

TEST(SettingsFile, AValueWithLineBreaksOrTabsStaysOnItsOwnLine)
{
    const QString map = QStringLiteral("/maps/hanoi.kvp");
    const QByteArray bytes = SettingsFileBytes(map, QStringLiteral("COM1:\r\n\x01Serial 1"), QStringLiteral("4800\t"),
                                               QStringLiteral("/a\nb.kvf"), 3);
    EXPECT_EQ(bytes.count("\r\n"), 9);  // eight lines and an empty one
    SettingsValues values;
    ReadSettingsBytes(bytes, values);
    EXPECT_EQ(values.mapUrl, map);
    EXPECT_EQ(values.comType, QStringLiteral("COM1: Serial 1"));
    EXPECT_EQ(values.bitRate, QStringLiteral("4800 "));
    EXPECT_EQ(values.infoFilePath, QStringLiteral("/a b.kvf"));
    EXPECT_EQ(values.myPlaceCount, 3);
}

}  // namespace
