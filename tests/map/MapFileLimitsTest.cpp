// Files beyond the format's limits and damaged files: the reader keeps what
// fits, drops the rest, and never reads or writes outside its arrays.
#include "MapChecks.h"
#include "support/MapFileText.h"

#include "map/MapFileReader.h"
#include "view/Viewport.h"

#include <QRandomGenerator>
#include <QTemporaryFile>
#include <gtest/gtest.h>
#include <limits>

namespace {

QByteArray PointList(int points)
{
    QByteArray text;
    for (int i = 0; i < points; ++i)
        text += (i ? ";" : "") + MapPointText(i, i + 1);
    return text;
}

// Each record of a polyline kind beyond its declared count + 2 is dropped,
// together with the lines that follow it.
TEST(MapLimits, RecordsBeyondTheDeclaredCountPlusTwoAreDropped)
{
    for (MapKind kind : {kDistrict, kWay, kBus, kRiver, kLake, kPark, kText}) {
        SCOPED_TRACE(kMapTags[kind]);
        MapFileText file;
        file.Declare(kind, 3);
        for (int i = 0; i < 8; ++i)
            file.Add(kind, {"Tên " + QByteArray::number(i), MapPointText(i, 10 * i) + ";" + MapPointText(i, 11 * i)});
        const MapData map = LoadedMap(file.Bytes());
        ExpectConsistent(map);
        switch (kind) {
        case kWay:
            ASSERT_EQ(map.m_nWayLast, 4);
            EXPECT_EQ(map.m_strWayName[4], QStringLiteral("Tên 4"));
            EXPECT_EQ(map.m_pWayPoints[4][1], (MapPoint{4, 44}));
            break;
        case kText:
            ASSERT_EQ(map.m_nTextLast, 4);
            EXPECT_EQ(map.m_strText[4], QStringLiteral("Tên 4"));
            EXPECT_EQ(map.m_ptText[4], (MapPoint{4, 40}));
            break;
        case kDistrict:
            ASSERT_EQ(map.m_nDistrictLast, 4);
            EXPECT_EQ(map.m_pDistrictPoints[4][1], (MapPoint{4, 44}));
            break;
        default: {
            const int last = kind == kBus ? map.m_nBusLast : kind == kRiver ? map.m_nRiverLast
                             : kind == kLake ? map.m_nLakeLast : map.m_nParkLast;
            EXPECT_EQ(last, 4);
        }
        }
    }
}

TEST(MapLimits, PlacesHaveRoomForTheDeclaredTheUsersAndThirtyMore)
{
    MapFileText file;
    file.Declare(kPlace, 1);
    for (int i = 0; i < 40; ++i)
        file.Add(kPlace, {"Quán " + QByteArray::number(i), MapPointText(i, i), "5"});
    MapData map = LoadedMap(file.Bytes(), 2);
    ExpectConsistent(map);
    EXPECT_EQ(map.m_nPlaceLast, 1 + 2 + 30 - 1);
    EXPECT_EQ(map.m_strPlaceName[32], QStringLiteral("Quán 32"));

    // An absurd number of user places neither crashes nor empties the map.
    ASSERT_TRUE(LoadMapBytes(map, file.Bytes(), std::numeric_limits<int>::max()));
    ExpectConsistent(map);
    EXPECT_EQ(map.m_nPlaceLast, 39);
    ASSERT_TRUE(LoadMapBytes(map, file.Bytes(), -50));
    EXPECT_EQ(map.m_nPlaceLast, 30);
}

TEST(MapLimits, NegativeOrHugeDeclaredCountsAreSafe)
{
    MapFileText file;
    file.Declare(kWay, -7).Declare(kText, 99999);
    file.Add(kWay, {"Phố", "1,1;2,2"}).Add(kText, {"Nhãn", "3,3", "2"});
    const MapData map = LoadedMap(file.Bytes());
    ExpectConsistent(map);
    EXPECT_EQ(map.m_nWayLast, -1);  // no room at all
    EXPECT_EQ(map.m_nTextLast, 0);
    // The arrays follow the records read, not the count declared.
    EXPECT_EQ(map.m_strText.size(), 1u);
}

TEST(MapLimits, PointsBeyondEachKindsLimitAreDroppedTheRestKept)
{
    struct Case {
        MapKind kind;
        int limit;
    };
    for (const Case& c : {Case{kWay, 70}, Case{kDistrict, 300}, Case{kBus, 200}, Case{kRiver, 200},
                          Case{kLake, 200}, Case{kPark, 200}}) {
        SCOPED_TRACE(kMapTags[c.kind]);
        MapFileText file;
        file.Add(c.kind, {"Dài", PointList(c.limit + 5)}).Add(c.kind, {"Ngắn", PointList(3)});
        const MapData map = LoadedMap(file.Bytes());
        ExpectConsistent(map);
        const std::vector<MapPoint>* points = nullptr;
        const std::vector<int>* pointLast = nullptr;
        switch (c.kind) {
        case kWay: points = &map.m_pWayPoints[0], pointLast = &map.m_nWayPointLast; break;
        case kDistrict: points = &map.m_pDistrictPoints[0], pointLast = &map.m_nDistrictPointLast; break;
        case kBus: points = &map.m_pBusPoints[0], pointLast = &map.m_nBusPointLast; break;
        case kRiver: points = &map.m_pRiverPoints[0], pointLast = &map.m_nRiverPointLast; break;
        case kLake: points = &map.m_pLakePoints[0], pointLast = &map.m_nLakePointLast; break;
        default: points = &map.m_pParkPoints[0], pointLast = &map.m_nParkPointLast; break;
        }
        ASSERT_EQ((*pointLast)[0], c.limit - 1);
        for (int i = 0; i < c.limit; ++i)
            ASSERT_EQ((*points)[i], (MapPoint{i, i + 1})) << i;
        EXPECT_EQ((*pointLast)[1], 2);  // the next record is untouched
    }
}

TEST(MapLimits, NodeListsKeepTwentyOneValues)
{
    MapFileText file;
    file.Add(kWay, {"a", "0,0;1,1"}).Add(kWay, {"b", "1,1;2,2"});
    QByteArray ways, coords = "7,8";
    for (int i = 1; i <= 30; ++i) {
        ways += (i > 1 ? "," : "") + QByteArray::number(i);
        coords += "," + QByteArray::number(100 + i);
    }
    file.Add(kPosition, {ways + ";" + coords});
    const MapData map = LoadedMap(file.Bytes());
    ASSERT_EQ(map.m_nNodeLast, 1);
    EXPECT_EQ(map.m_pNodeWays[1][0], 1);
    EXPECT_EQ(map.m_pNodeWays[1][20], 21);
    EXPECT_EQ(map.m_pNodeCoords[1][0], 7);
    EXPECT_EQ(map.m_pNodeCoords[1][20], 119);
}

TEST(MapLimits, NodesBeyondTheTableAreDroppedTheFirstOnesKept)
{
    MapFileText file;
    file.Add(kWay, {"a", "0,0;1,1"}).Add(kWay, {"b", "1,1;2,2"});  // 4 × 1 slots: nodes 1 and 2, spare 3
    for (int n = 1; n <= 6; ++n)
        file.Add(kPosition, {"1;" + MapPointText(n, 10 * n)});
    const MapData map = LoadedMap(file.Bytes());
    ExpectConsistent(map);
    ASSERT_EQ(map.m_nNodeLast, 2);
    EXPECT_EQ(map.m_pNodeCoords[2][1], 20);
    EXPECT_EQ(map.NodeCapacity(), 4);
}

TEST(MapLimits, APositionSectionNeedsTwoWayRecords)
{
    for (int ways : {0, 1}) {
        SCOPED_TRACE(ways);
        MapFileText file;
        for (int i = 0; i < ways; ++i)
            file.Add(kWay, {"Phố", "0,0;1,1"});
        file.Add(kPosition, {"1;5,5"}).Add(kPosition, {"1;6,6"});
        const MapData map = LoadedMap(file.Bytes());
        ExpectConsistent(map);
        EXPECT_EQ(map.m_nNodeLast, 0);
        EXPECT_EQ(map.NodeCapacity(), 0);
    }
}

TEST(MapLimits, LinesAreCutAt2998Bytes)
{
    // "\t\t" + 400 × "1000,2000;": 299 whole pairs fit, then "1000,2".
    QByteArray longList;
    for (int i = 0; i < 400; ++i)
        longList += "1000,2000;";
    longList.chop(1);
    const QByteArray longName(5000, 'n');
    MapFileText file;
    file.Add(kDistrict, {longName, longList}).Add(kDistrict, {"Tây Hồ", "1,1;2,2"});
    const MapData map = LoadedMap(file.Bytes());
    ExpectConsistent(map);
    ASSERT_EQ(map.m_nDistrictLast, 1);
    EXPECT_EQ(map.m_strDistrictName[0], QString(2997, QLatin1Char('n')));
    ASSERT_EQ(map.m_nDistrictPointLast[0], 299);
    EXPECT_EQ(map.m_pDistrictPoints[0][298], (MapPoint{1000, 2000}));
    EXPECT_EQ(map.m_pDistrictPoints[0][299], (MapPoint{1000, 2}));
    EXPECT_EQ(map.m_strDistrictName[1], QStringLiteral("Tây Hồ"));
}

TEST(MapLimits, ALongVietnameseLineIsCutBetweenCharacters)
{
    // 1500 × "ư" (two bytes each) after one tab: the cut at 2998 bytes would
    // fall inside a character.
    const QString name(1500, QChar(0x01B0));
    MapFileText file;
    file.Add(kWay, {name.toUtf8(), "0,0;1,1"});
    const MapData map = LoadedMap(file.Bytes());
    ASSERT_EQ(map.m_nWayLast, 0);
    EXPECT_EQ(map.m_strWayName[0], QString(1498, QChar(0x01B0)));
}

TEST(MapLimits, OnlyTheFirst450000BytesAreRead)
{
    MapFileText file;
    file.Declare(kWay, 30000);
    QByteArray bytes = file.Header() + file.Section(kDistrict) + MapLine(0, "/WAY");
    QList<qsizetype> nameLineEnds;  // where each record's name line ends
    for (int i = 0; bytes.size() < kMaxMapFileBytes + 2000; ++i) {
        bytes += MapLine(1, "P" + QByteArray::number(i));
        nameLineEnds << bytes.size();
        bytes += MapLine(2, MapPointText(i, 0) + ";" + MapPointText(i, 5));
    }
    bytes += MapLine(0, "WAY/");
    for (int kind = kBus; kind < kMapKindCount; ++kind)
        bytes += file.Section(MapKind(kind));
    qsizetype expected = 0;
    while (nameLineEnds[expected] <= kMaxMapFileBytes)
        ++expected;

    const MapData map = LoadedMap(bytes);
    ExpectConsistent(map);
    ASSERT_EQ(map.m_nWayLast + 1, expected);
    const int last = map.m_nWayLast;
    EXPECT_EQ(map.m_strWayName[last], "P" + QString::number(last));
    EXPECT_EQ(map.m_pWayPoints[last - 1][1], (MapPoint{last - 1, 5}));
    EXPECT_LE(map.m_nWayPointLast[last], 1);
}

TEST(MapLimits, EmptyTruncatedAndBinaryFilesLoadWithoutHarm)
{
    MapData map;
    ASSERT_TRUE(LoadMapBytes(map, QByteArray()));
    ExpectConsistent(map);
    EXPECT_EQ(map.m_nWayLast, -1);
    EXPECT_EQ(map.m_nNodeLast, 0);

    const QByteArray city = CityGrid(4, 3).Bytes();
    for (qsizetype cut = 0; cut < city.size(); cut += 37) {
        SCOPED_TRACE(cut);
        ASSERT_TRUE(LoadMapBytes(map, city.first(cut)));
        ExpectConsistent(map);
    }

    QRandomGenerator random(20240611);
    for (int round = 0; round < 200; ++round) {
        SCOPED_TRACE(round);
        QByteArray noise(random.bounded(1, 6000), Qt::Uninitialized);
        for (char& c : noise)
            c = static_cast<char>(random.bounded(256));
        // Sprinkle line ends and tabs so that some noise reaches the sections.
        for (int k = 0; k < noise.size() / 20; ++k)
            noise.insert(random.bounded(noise.size()), k % 2 ? "\r\n" : "\r\n\t");
        ASSERT_TRUE(LoadMapBytes(map, noise));
        ExpectConsistent(map);
    }
}

// Changes a valid map the way damage or a careless editor would.
QByteArray Mutated(const QByteArray& valid, QRandomGenerator& random)
{
    static const QByteArray kTokens[] = {"\r\n", "\t", ",", ";", "x", "-", "9999999999", "/WAY", "WAY/",
                                         "/POSITION", "POSITION/", "CENP/", "/DISTRICT", "\r\n\t\t", "\xc3",
                                         "\xe1\xbb\x87", "0", "REALNUMWAY 2"};
    QByteArray bytes = valid;
    const int edits = random.bounded(1, 12);
    for (int e = 0; e < edits && !bytes.isEmpty(); ++e) {
        const qsizetype at = random.bounded(bytes.size());
        switch (random.bounded(5)) {
        case 0: bytes[at] = static_cast<char>(random.bounded(256)); break;
        case 1: bytes.insert(at, kTokens[random.bounded(int(std::size(kTokens)))]); break;
        case 2: bytes.remove(at, random.bounded(1, 200)); break;
        case 3: bytes.insert(at, bytes.mid(random.bounded(bytes.size()), random.bounded(1, 400))); break;
        default: bytes.truncate(at); break;
        }
    }
    return bytes;
}

TEST(MapFuzz, MutatedMapsKeepEveryIndexInsideItsArrays)
{
    const QByteArray valid = CityGrid(5, 4).Bytes();
    QRandomGenerator random(4242);
    MapData map;
    ViewState view;
    for (int round = 0; round < 3000; ++round) {
        SCOPED_TRACE(round);
        ASSERT_TRUE(LoadMapBytes(map, Mutated(valid, random), round % 7));
        ExpectConsistent(map);
        if (HasFatalFailure())
            return;
        // The view walks the loaded ways at once.
        FitViewToMap(map, view);
        for (int i : view.m_visibleWays)
            ASSERT_LE(i, map.m_nWayLast);
    }
}

}  // namespace
