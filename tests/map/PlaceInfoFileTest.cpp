// Place-information files: the record's bytes, what the reader takes from a
// file (and what it leaves), rewriting one record, and a rewrite killed at
// any moment.
#include "map/PlaceInfoFile.h"
#include "support/DeviceRoot.h"
#include "support/KillRewrite.h"

#include <gtest/gtest.h>

namespace {

QByteArray Record(const QByteArray& point, const QByteArray& category, const QByteArray& name)
{
    return point + "\r\n\t" + category + "\r\n\t\t" + name + "\r\n\r\n";
}

// A map with one place of its own.
MapData OnePlaceMap()
{
    MapData map;
    map.AppendPlace(QStringLiteral("Văn Miếu"), {500, 500}, 24);
    return map;
}

TEST(PlaceInfoFile, ARecordIsFourLinesWithTheNameInUtf8CutBetweenCharacters)
{
    EXPECT_EQ(PlaceRecordBytes({15230, 9870}, 28, QStringLiteral("Home 2")),
              QByteArray::fromHex("31353233302C393837300D0A0932380D0A0909486F6D6520320D0A0D0A"));
    EXPECT_EQ(PlaceRecordBytes({-12, 40}, -1, QStringLiteral("Nhà tôi")), Record("-12,40", "-1", "Nh\xc3\xa0 t\xc3\xb4i"));
    // 40 × "ố" is 120 bytes: the name stops at 99 bytes, after the 33rd.
    const QByteArray cut = PlaceRecordBytes({1, 1}, 12, QString(40, QChar(0x1ED1)));
    EXPECT_EQ(cut, Record("1,1", "12", QString(33, QChar(0x1ED1)).toUtf8()));
}

TEST(PlaceInfoFile, TheReaderTakesLinesEndedByCrLfAndCountsNames)
{
    TempDeviceRoot root;
    // A one-character point line is no place: its category and name go to
    // the place opened before it. The last name has no CR LF: not read.
    root.Write("places.kvf", Record("100,200", "28", "Nhà") + "5\r\n\t12\r\n\t\tKhách sạn\r\n\r\n" +
                                 Record("300,400", "3", "Ngân hàng") + "700,800\r\n\t14\r\n\t\tChợ");
    MapData map = OnePlaceMap();
    EXPECT_EQ(LoadInfoFile(map, root.Path("places.kvf")), 3);
    ASSERT_EQ(map.m_nPlaceLast, 3);
    EXPECT_EQ(map.m_ptPlace[1], (MapPoint{100, 200}));
    EXPECT_EQ(map.m_nPlaceCategory[1], 12);
    EXPECT_EQ(map.m_strPlaceName[1], QStringLiteral("Khách sạn"));
    EXPECT_EQ(map.m_strPlaceName[2], QStringLiteral("Ngân hàng"));
    EXPECT_EQ(map.m_ptPlace[3], (MapPoint{700, 800}));
    EXPECT_EQ(map.m_nPlaceCategory[3], 14);
    EXPECT_TRUE(map.m_strPlaceName[3].isEmpty());

    // Lines before the first point belong to the map's last place; a CR LF
    // at the very first byte ends no line.
    root.Write("stray.kvf", QByteArray("\t\tĐổi tên\r\n"));
    MapData stray = OnePlaceMap();
    EXPECT_EQ(LoadInfoFile(stray, root.Path("stray.kvf")), 1);
    EXPECT_EQ(stray.m_strPlaceName[0], QStringLiteral("Đổi tên"));
    MapData empty;
    EXPECT_EQ(LoadInfoFile(empty, root.Path("stray.kvf")), 0);  // no place to give the name to
    EXPECT_EQ(empty.m_nPlaceLast, -1);
    root.Write("first.kvf", QByteArray("\r\n\t\tX\r\n"));
    MapData first = OnePlaceMap();
    LoadInfoFile(first, root.Path("first.kvf"));
    EXPECT_EQ(first.m_nPlaceLast, 1);  // "\r\n\t\tX" is one level-0 line, opening a place

    EXPECT_EQ(LoadInfoFile(map, root.Path("missing.kvf")), -1);
}

TEST(PlaceInfoFile, EveryPlaceOfALongFileIsRead)
{
    // The file only grows: places far beyond its first 10000 bytes count.
    TempDeviceRoot root;
    QByteArray bytes;
    for (int i = 0; i < 2000; ++i)
        bytes += PlaceRecordBytes({i, i}, 28, QStringLiteral("Nhà số %1").arg(i));
    ASSERT_GT(bytes.size(), 50000);
    root.Write("many.kvf", bytes);
    MapData map = OnePlaceMap();
    EXPECT_EQ(LoadInfoFile(map, root.Path("many.kvf")), 2000);
    EXPECT_EQ(map.m_nPlaceLast, 2000);
    EXPECT_EQ(map.m_strPlaceName[2000], QStringLiteral("Nhà số 1999"));
}

TEST(PlaceInfoFile, RenamingARecordLeavesEveryOtherByteAsItWas)
{
    TempDeviceRoot root;
    const QByteArray before = Record("10,10", "12", "Khách sạn Sao") + Record("20,20", "28", "Nhà của bà ngoại ở quê") +
                              Record("30,30", "28", "Nhà riêng");
    root.Write("user.kvf", before);
    ASSERT_TRUE(RewritePlaceRecord(root.Path("user.kvf"), {20, 20}, 28, QStringLiteral("Nhà")));
    EXPECT_EQ(root.Read("user.kvf"),
              Record("10,10", "12", "Khách sạn Sao") + Record("20,20", "28", "Nhà") + Record("30,30", "28", "Nhà riêng"));
    EXPECT_FALSE(root.Read("user.kvf").contains("ngoại"));

    // No record at the point: the file is not touched.
    ASSERT_TRUE(RewritePlaceRecord(root.Path("user.kvf"), {99, 99}, 28, QStringLiteral("X")));
    EXPECT_EQ(root.Read("user.kvf").size(), before.size() - QByteArray(" của bà ngoại ở quê").size());
    EXPECT_FALSE(RewritePlaceRecord(root.Path("none.kvf"), {20, 20}, 28, QStringLiteral("X")));
    EXPECT_FALSE(root.Exists("none.kvf"));
}

TEST(PlaceInfoFile, ARewriteKilledAtAnyMomentLeavesTheOldFileOrTheNewOneWhole)
{
    TempDeviceRoot root;
    const QString shortName = QStringLiteral("Nhà");
    const QString longName = QStringLiteral("Nhà của bà ngoại ở quê, cạnh chợ");
    QByteArray others;
    for (int i = 0; i < 3000; ++i)
        others += PlaceRecordBytes({i + 2, i + 2}, 12, QStringLiteral("Khách sạn %1").arg(i));
    const QByteArray withShort = PlaceRecordBytes({1, 1}, 28, shortName) + others;
    const QByteArray withLong = PlaceRecordBytes({1, 1}, 28, longName) + others;
    root.Write("user.kvf", withShort);

    // A rewrite of this file takes a few milliseconds: kills up to 20 ms
    // after the start fall on every step of several rewrites.
    const KilledRewrites run = KillRewrites(QStringLiteral("places"), root.Path("user.kvf"), {longName, shortName},
                                            {withShort, withLong}, 1000, 20000);
    EXPECT_EQ(run.rounds, 1000);
    EXPECT_EQ(run.torn, 0);
}

}  // namespace
