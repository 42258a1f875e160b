// The handheld's files under the device root: which paths are the device's,
// where they lie on this machine, and the root itself.
#include "base/DevicePath.h"

#include "map/TextLines.h"
#include "support/DeviceRoot.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

TEST(DevicePath, ProgramPathsAreTheDevicesDialogPathsAreNative)
{
    EXPECT_TRUE(IsDevicePath(QStringLiteral("\\My Documents\\korvane.cfg")));
    EXPECT_TRUE(IsDevicePath(QStringLiteral("/My Documents/korvane.cfg")));
    EXPECT_TRUE(IsDevicePath(QStringLiteral("/My Documents/MyKorvaneInf.kvf")));
    EXPECT_TRUE(IsDevicePath(QStringLiteral("/UpdateMap.txt")));
    EXPECT_TRUE(IsDevicePath(QStringLiteral("/GPSPosition.txt")));
    EXPECT_FALSE(IsDevicePath(QStringLiteral("/home/an/maps/hanoi.kvp")));
    EXPECT_FALSE(IsDevicePath(QStringLiteral("/tmp/My Documents/x.kvp")));
    EXPECT_FALSE(IsDevicePath(QStringLiteral("hanoi.kvp")));
    EXPECT_FALSE(IsDevicePath(QString()));
}

TEST(DevicePath, BothSpellingsNameOneFileUnderTheRoot)
{
    TempDeviceRoot root;
    const QString expected = root.Path("My Documents/korvane.cfg");
    EXPECT_EQ(NativePath(QStringLiteral("\\My Documents\\korvane.cfg")), expected);
    EXPECT_EQ(NativePath(QStringLiteral("/My Documents/korvane.cfg")), expected);
    EXPECT_EQ(NativePath(QStringLiteral("/UpdateMap.txt")), root.Path("UpdateMap.txt"));
    EXPECT_EQ(NativePath(QStringLiteral("/home/an/maps/hanoi.kvp")), QStringLiteral("/home/an/maps/hanoi.kvp"));
    EXPECT_EQ(NativePath(QStringLiteral("maps/hanoi.kvp")), QStringLiteral("maps/hanoi.kvp"));

    // Written under one spelling, read under the other.
    root.Write("My Documents/korvane.cfg", "MapVer 1.2\r\n");
    QByteArray block;
    ASSERT_TRUE(ReadFileBlock(QStringLiteral("\\My Documents\\korvane.cfg"), 100, block));
    EXPECT_EQ(block, "MapVer 1.2\r\n");
}

TEST(DevicePath, MissingFoldersAreCreatedForAFileAboutToBeWritten)
{
    TempDeviceRoot root;
    const QString native = NativePath(QStringLiteral("/My Documents/korvane.cfg"));
    ASSERT_FALSE(QDir(root.Path("My Documents")).exists());
    MakeParentFolders(native);
    EXPECT_TRUE(QDir(root.Path("My Documents")).exists());
}

TEST(DevicePath, TheRootFallsBackToTheUsersDataFolder)
{
    TempDeviceRoot root;
    EXPECT_EQ(DeviceRoot(), root.Path("").chopped(1));
    QTemporaryDir data;
    const QByteArray previousData = qgetenv("XDG_DATA_HOME");
    qunsetenv("KORVANE_ROOT");
    qputenv("XDG_DATA_HOME", data.path().toUtf8());
    EXPECT_EQ(DeviceRoot(), data.path() + "/korvane");
    EXPECT_EQ(NativePath(QStringLiteral("/UpdateMap.txt")), data.path() + "/korvane/UpdateMap.txt");
    if (previousData.isEmpty())
        qunsetenv("XDG_DATA_HOME");
    else
        qputenv("XDG_DATA_HOME", previousData);
}

}  // namespace
