// The rules of the map file format, one group at a time, through real files.
#include "MapChecks.h"
#include "support/MapFileText.h"

#include "map/MapFileReader.h"
#include "map/TextLines.h"

#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

NodeList NodeListOf(std::initializer_list<int32_t> values)
{
    NodeList list;
    list.fill(-1);
    std::copy(values.begin(), values.end(), list.begin());
    return list;
}

std::vector<MapPoint> Points(const std::vector<MapPoint>& stored, int last)
{
    return {stored.begin(), stored.begin() + last + 1};
}

TEST(MapHeader, ReadsCountsExtentScaleCentreAndGpsValues)
{
    MapFileText file;
    file.res = "24576x16384";
    file.scale = "2.95";
    file.cenp = "12288,8192";
    file.gpsinf[0] = "0.25";
    file.gpsinf[1] = "15.5";
    file.gpsinf[2] = "64000000";
    file.gpsinf[3] = "-12400000";
    file.Declare(kWay, 120).Declare(kPlace, 40);
    for (int i = 0; i < 125; ++i)
        file.Add(kWay, {"Phố", "1,1;2,2"});
    const MapData map = LoadedMap(file.Bytes());

    EXPECT_EQ(map.m_nResWidth, 24576);
    EXPECT_EQ(map.m_nResHeight, 16384);
    EXPECT_DOUBLE_EQ(map.m_dMapScale, 2.95);
    EXPECT_EQ(map.m_nCenterX, 12288);
    EXPECT_EQ(map.m_nCenterY, 8192);
    EXPECT_DOUBLE_EQ(map.m_dGpsRotation, 0.25);
    EXPECT_DOUBLE_EQ(map.m_dGpsUnitsPerMapUnit, 15.5);
    EXPECT_EQ(map.m_nGpsOriginX, 64000000);
    EXPECT_EQ(map.m_nGpsOriginY, -12400000);
    // REALNUMWAY 120 declares 120 records: 122 are kept.
    EXPECT_EQ(map.m_nWayLast, 121);
    EXPECT_EQ(map.m_nWayWidth.size(), 122u);
    EXPECT_DOUBLE_EQ(map.m_dResStep, (24576 + 16384) / 200);
}

TEST(MapHeader, CountLinesReadTheFirstFiveCharactersOfTheirValue)
{
    MapFileText file;
    for (int i = 0; i < 12350; ++i)
        file.Add(kWay, {"Phố", "1,1;2,2"});
    for (int i = 0; i < 12; ++i)
        file.Add(kText, {"Nhãn", "3,3", "2"}).Add(kBus, {"Tuyến", "1,1;2,2"});
    QByteArray bytes = file.Bytes();
    const QByteArray counts = MapLine(0, "REALNUMWAY 123456") + MapLine(0, "REALNUMTEXT 7.9") + MapLine(0, "  REALNUMBUS 3");
    bytes.replace(0, bytes.indexOf("/GPSINF"), counts);
    const MapData map = LoadedMap(bytes);
    // 12345, 7 and, records beyond the count + 2 dropped.
    EXPECT_EQ(map.m_nWayLast, 12346);
    EXPECT_EQ(map.m_nTextLast, 8);
    // The keyword is found anywhere, but its length is cut from the line's
    // start: "  REALNUMBUS 3" leaves "S 3", which reads as 0.
    EXPECT_EQ(map.m_nBusLast, 1);
}

TEST(MapHeader, ResSplitsAtTheFirstXAndCenpAtTheFirstCommaFromTheSecondCharacter)
{
    MapFileText file;
    file.res = "3000x2000";
    file.cenp = ",-40,75";
    MapData map = LoadedMap(file.Bytes());
    EXPECT_EQ(map.m_nResWidth, 3000);
    EXPECT_EQ(map.m_nResHeight, 2000);
    EXPECT_DOUBLE_EQ(map.m_dResStep, 25.0);
    // The comma at the first character is not looked at: x reads ",-40" as 0.
    EXPECT_EQ(map.m_nCenterX, 0);
    EXPECT_EQ(map.m_nCenterY, 75);

    file.res = "1234567x8";
    file.cenp = "-1500,1000";
    map = LoadedMap(file.Bytes());
    EXPECT_EQ(map.m_nResWidth, 12345);
    EXPECT_EQ(map.m_nResHeight, 8);
    EXPECT_EQ(map.m_nCenterX, -1500);
    EXPECT_EQ(map.m_nCenterY, 1000);

    file.res = "640";  // no "x": no height
    map = LoadedMap(file.Bytes());
    EXPECT_EQ(map.m_nResWidth, 640);
    EXPECT_EQ(map.m_nResHeight, 0);
}

TEST(MapHeader, NothingAfterTheCenpCloseLineIsHeader)
{
    MapData map;
    map.m_dMapScale = 7.25;
    const QByteArray bytes = MapLine(0, "REALNUMWAY 2") + MapLine(0, "/CENP") + MapLine(1, "1500,1000") +
                             MapLine(0, "CENP/") + MapLine(0, "/SCALE") + MapLine(1, "2.95") + MapLine(0, "SCALE/") +
                             MapLine(0, "REALNUMWAY 50") + MapLine(0, "/DISTRICT") + MapLine(0, "DISTRICT/") +
                             MapLine(0, "/WAY") + QByteArray(MapLine(1, "Phố") + MapLine(2, "1,1;2,2")).repeated(6) +
                             MapLine(0, "WAY/");
    ASSERT_TRUE(LoadMapBytes(map, bytes));
    EXPECT_DOUBLE_EQ(map.m_dMapScale, 7.25);
    EXPECT_EQ(map.m_nWayLast, 3);  // REALNUMWAY 2: four records kept
    EXPECT_EQ(map.m_nCenterX, 1500);
}

TEST(MapHeader, BlockValuesNeedTheirLevelAndTheirBlock)
{
    const QByteArray bytes = MapLine(1, "9999x9999") +  // outside the RES block
                             MapLine(0, "/RES") + MapLine(2, "1x1") + MapLine(1, "300x200") + MapLine(0, "RES/") +
                             MapLine(0, "/SCALE") + MapLine(1, "1.123456789") + MapLine(0, "SCALE/") +
                             MapLine(0, "/CENP") + MapLine(5, "7,7") + MapLine(1, "10,20") + MapLine(0, "CENP/");
    const MapData map = LoadedMap(bytes);
    EXPECT_EQ(map.m_nResWidth, 300);
    EXPECT_EQ(map.m_nResHeight, 200);
    EXPECT_DOUBLE_EQ(map.m_dMapScale, 1.12345);  // the first seven characters
    EXPECT_EQ(map.m_nCenterX, 10);
    EXPECT_EQ(map.m_nCenterY, 20);
}

TEST(MapSections, AllPresentAndEmptyLoadEveryKindEmpty)
{
    MapData map;
    ASSERT_TRUE(LoadMapBytes(map, MapFileText().Bytes()));
    EXPECT_EQ(map.m_nDistrictLast, -1);
    EXPECT_EQ(map.m_nWayLast, -1);
    EXPECT_EQ(map.m_nBusLast, -1);
    EXPECT_EQ(map.m_nRiverLast, -1);
    EXPECT_EQ(map.m_nLakeLast, -1);
    EXPECT_EQ(map.m_nParkLast, -1);
    EXPECT_EQ(map.m_nPlaceLast, -1);
    EXPECT_EQ(map.m_nTextLast, -1);
    EXPECT_EQ(map.m_nNodeLast, 0);
    ExpectConsistent(map);
}

TEST(MapSections, EveryKindIsReadWithItsFields)
{
    MapFileText file;
    file.Add(kDistrict, {"Hoàn Kiếm", "100,200;150,260;180,300"})
        .Add(kWay, {"Phố Huế", "1200,3400;1260,3420", "1,2"})
        .Add(kWay, {"Hàng Bài", "1260,3420;1300,3500;1350,3510", "0,3"})
        .Add(kBus, {"Tuyến 09", "1,2;3,4"})
        .Add(kRiver, {"Sông Tô Lịch", "5,6;7,8;9,10"})
        .Add(kLake, {"Hồ Tây", "0,0;100,0;100,100"})
        .Add(kPark, {"Công viên Lênin", "10,10;20,10;20,20;10,20"})
        .Add(kPlace, {"Nhà hát Lớn", "1250,3410", "12", "Số 1 Tràng Tiền"})
        .Add(kText, {"Quận Ba Đình", "400,500", "4"})
        .Add(kPosition, {"1,2;1260,3420,2,140,5,96"})
        .Add(kPosition, {"2;1350,3510"});
    const MapData map = LoadedMap(file.Bytes());

    ASSERT_EQ(map.m_nDistrictLast, 0);
    EXPECT_EQ(map.m_strDistrictName[0], QStringLiteral("Hoàn Kiếm"));
    EXPECT_EQ(Points(map.m_pDistrictPoints[0], map.m_nDistrictPointLast[0]),
              (std::vector<MapPoint>{{100, 200}, {150, 260}, {180, 300}}));
    ASSERT_EQ(map.m_nWayLast, 1);
    EXPECT_EQ(map.m_strWayName[0], QStringLiteral("Phố Huế"));
    EXPECT_EQ(map.m_nWayPointLast[0], 1);
    EXPECT_EQ(map.m_pWayPoints[1][2], (MapPoint{1350, 3510}));
    EXPECT_EQ(map.m_strWayDirection[0], QStringLiteral("1"));
    EXPECT_EQ(map.m_nWayWidth[0], 2);
    EXPECT_EQ(map.m_strWayDirection[1], QStringLiteral("0"));
    EXPECT_EQ(map.m_nWayWidth[1], 3);
    ASSERT_EQ(map.m_nBusLast, 0);
    EXPECT_EQ(map.m_strBusName[0], QStringLiteral("Tuyến 09"));
    ASSERT_EQ(map.m_nRiverLast, 0);
    EXPECT_EQ(map.m_nRiverPointLast[0], 2);
    ASSERT_EQ(map.m_nLakeLast, 0);
    EXPECT_EQ(map.m_strLakeName[0], QStringLiteral("Hồ Tây"));
    ASSERT_EQ(map.m_nParkLast, 0);
    EXPECT_EQ(map.m_nParkPointLast[0], 3);
    ASSERT_EQ(map.m_nPlaceLast, 0);
    EXPECT_EQ(map.m_strPlaceName[0], QStringLiteral("Nhà hát Lớn"));
    EXPECT_EQ(map.m_ptPlace[0], (MapPoint{1250, 3410}));
    EXPECT_EQ(map.m_nPlaceCategory[0], 12);
    EXPECT_EQ(map.m_strPlaceInfo[0], QStringLiteral("Số 1 Tràng Tiền"));
    ASSERT_EQ(map.m_nTextLast, 0);
    EXPECT_EQ(map.m_strText[0], QStringLiteral("Quận Ba Đình"));
    EXPECT_EQ(map.m_ptText[0], (MapPoint{400, 500}));
    EXPECT_EQ(map.m_nTextSize[0], 4);
    ASSERT_EQ(map.m_nNodeLast, 2);
    EXPECT_EQ(map.m_pNodeWays[1], NodeListOf({1, 2}));
    EXPECT_EQ(map.m_pNodeCoords[1], NodeListOf({1260, 3420, 2, 140, 5, 96}));
    EXPECT_EQ(map.m_pNodeCoords[2], NodeListOf({1350, 3510}));
    ExpectConsistent(map);
}

TEST(MapSections, TagsAreFoundAnywhereInALine)
{
    const QByteArray bytes = MapFileText().Header() + MapLine(0, "/DISTRICT") + MapLine(0, "DISTRICT/") +
                             MapLine(0, "-- begin /WAY here") + MapLine(1, "Lý Thái Tổ") + MapLine(2, "1,1;9,9") +
                             MapLine(0, "the end of WAY/ section") + MapLine(0, "x/BUSx") + MapLine(0, "BUS/ ") +
                             MapLine(0, "/RIVER") + MapLine(0, "RIVER/") + MapLine(0, "/LAKE") + MapLine(0, "LAKE/") +
                             MapLine(0, "/PARK") + MapLine(0, "PARK/") + MapLine(0, "/PLACE") + MapLine(0, "PLACE/") +
                             MapLine(0, "/TEXT") + MapLine(1, "Nhãn") + MapLine(0, "TEXT/") +
                             MapLine(0, "/POSITION") + MapLine(0, "POSITION/");
    const MapData map = LoadedMap(bytes);
    ASSERT_EQ(map.m_nWayLast, 0);
    EXPECT_EQ(map.m_strWayName[0], QStringLiteral("Lý Thái Tổ"));
    EXPECT_EQ(map.m_nTextLast, 0);
}

TEST(MapSections, LinesBetweenSectionsAndBeforeTheOpenTagAreIgnored)
{
    MapFileText file;
    file.Declare(kWay, 3).Declare(kBus, 3);
    const QByteArray between = MapLine(1, "Stray name") + MapLine(2, "1,2;3,4") + MapLine(0, "comment");
    QByteArray bytes = file.Header();
    for (int kind = kDistrict; kind < kMapKindCount; ++kind)
        bytes += between + file.Section(MapKind(kind));
    const MapData map = LoadedMap(bytes);
    EXPECT_EQ(map.m_nDistrictLast, -1);
    EXPECT_EQ(map.m_nWayLast, -1);
    EXPECT_EQ(map.m_nBusLast, -1);
    EXPECT_EQ(map.m_nTextLast, -1);
    EXPECT_EQ(map.m_nNodeLast, 0);
}

TEST(MapSections, LevelsDecideTheRoleOfEachLine)
{
    MapFileText file;
    file.Declare(kWay, 3).Declare(kPlace, 2);
    const QByteArray ways = MapLine(2, "5,5;6,6") +                  // before any record: belongs to none
                            MapLine(1, "Tràng Tiền") + MapLine(5, "9,9;9,9") + MapLine(2, "1,2;3,4") +
                            MapLine(4, "ignored") + MapLine(3, "99,4") + MapLine(0, "text at level 0") +
                            MapLine(1, "Hai Bà Trưng");  // a record with no point line
    file.AddRaw(kWay, ways);
    file.AddRaw(kPlace, MapLine(1, "Chợ Đồng Xuân") + MapLine(3, "7") + MapLine(2, "30,40;50,60"));
    const MapData map = LoadedMap(file.Bytes());
    ASSERT_EQ(map.m_nWayLast, 1);
    EXPECT_EQ(Points(map.m_pWayPoints[0], map.m_nWayPointLast[0]), (std::vector<MapPoint>{{1, 2}, {3, 4}}));
    EXPECT_EQ(map.m_strWayDirection[0], QStringLiteral("99"));
    EXPECT_EQ(map.m_nWayWidth[0], 4);
    EXPECT_EQ(map.m_strWayName[1], QStringLiteral("Hai Bà Trưng"));
    EXPECT_EQ(map.m_nWayPointLast[1], -1);
    ASSERT_EQ(map.m_nPlaceLast, 0);
    EXPECT_EQ(map.m_ptPlace[0], (MapPoint{30, 40}));  // the first point of the list
    EXPECT_EQ(map.m_nPlaceCategory[0], 7);
    ExpectConsistent(map);
}

TEST(MapSections, ASecondPointLineReplacesTheFirstAndASecondNameStartsARecord)
{
    MapFileText file;
    file.Declare(kDistrict, 2).Declare(kWay, 2).Declare(kLake, 2);
    file.AddRaw(kDistrict, MapLine(1, "Ba Đình") + MapLine(2, "1,1;2,2;3,3") + MapLine(2, "7,7;8,8"));
    file.AddRaw(kWay, MapLine(1, "Phố Một") + MapLine(2, "1,1;2,2") + MapLine(2, "4,4;5,5;6,6") + MapLine(1, "Phố Hai"));
    file.AddRaw(kLake, MapLine(1, "Hồ") + MapLine(2, "1,1;2,2;3,3;4,4;5,5;6,6;7,7;8,8;9,9;10,10;11,11") +
                           MapLine(2, "1,1;2,2"));
    const MapData map = LoadedMap(file.Bytes());
    ASSERT_EQ(map.m_nDistrictLast, 0);
    EXPECT_EQ(Points(map.m_pDistrictPoints[0], map.m_nDistrictPointLast[0]), (std::vector<MapPoint>{{7, 7}, {8, 8}}));
    ASSERT_EQ(map.m_nWayLast, 1);
    EXPECT_EQ(map.m_nWayPointLast[0], 2);
    EXPECT_EQ(map.m_pWayPoints[0][2], (MapPoint{6, 6}));
    EXPECT_EQ(map.m_strWayName[1], QStringLiteral("Phố Hai"));
    EXPECT_EQ(map.m_nWayPointLast[1], -1);
    ASSERT_EQ(map.m_nLakeLast, 0);
    EXPECT_EQ(map.m_nLakePointLast[0], 1);
}

TEST(MapSections, PointListsWithATrailingSeparatorOrNoPoints)
{
    MapFileText file;
    file.Add(kWay, {"Hai điểm", "10,20;30,40"})
        .Add(kWay, {"Ba điểm", "10,20;30,40;"})
        .Add(kWay, {"Không điểm", ""})
        .Add(kWay, {"Một số", "10,20;30"})
        .Add(kBus, {"Tuyến", ";"});
    const MapData map = LoadedMap(file.Bytes());
    ASSERT_EQ(map.m_nWayLast, 3);
    EXPECT_EQ(map.m_nWayPointLast[0], 1);
    EXPECT_EQ(Points(map.m_pWayPoints[1], map.m_nWayPointLast[1]),
              (std::vector<MapPoint>{{10, 20}, {30, 40}, {0, 0}}));
    EXPECT_EQ(Points(map.m_pWayPoints[2], map.m_nWayPointLast[2]), (std::vector<MapPoint>{{0, 0}}));
    // A pair without its "," has no x: the number is its y.
    EXPECT_EQ(Points(map.m_pWayPoints[3], map.m_nWayPointLast[3]), (std::vector<MapPoint>{{10, 20}, {0, 30}}));
    EXPECT_EQ(Points(map.m_pBusPoints[0], map.m_nBusPointLast[0]), (std::vector<MapPoint>{{0, 0}, {0, 0}}));
}

TEST(ParsePointList, ReadsPairsAndReportsWhatDidNotFit)
{
    std::vector<MapPoint> out{{9, 9}};
    EXPECT_EQ(ParsePointList(u"-5,7; 8 ,x9", out, 10), 1);
    EXPECT_EQ(out, (std::vector<MapPoint>{{-5, 7}, {8, 0}}));
    int dropped = 0;
    EXPECT_EQ(ParsePointList(u"1,1;2,2;3,3;4,4", out, 2, &dropped), 1);
    EXPECT_EQ(out.size(), 2u);
    EXPECT_EQ(dropped, 2);
}

TEST(MapSections, WayNamesBeginningWithADigitAreStoredEmpty)
{
    MapFileText file;
    file.Add(kWay, {"12", "0,0;1,1"})
        .Add(kWay, {"3 Tháng 2", "0,0;1,1"})
        .Add(kWay, {"Đường 30/4", "0,0;1,1"})
        .Add(kWay, {"", "0,0;1,1"})
        .Add(kBus, {"12", "0,0;1,1"});
    const MapData map = LoadedMap(file.Bytes());
    ASSERT_EQ(map.m_nWayLast, 3);
    EXPECT_TRUE(map.m_strWayName[0].isEmpty());
    EXPECT_TRUE(map.m_strWayName[1].isEmpty());
    EXPECT_EQ(map.m_strWayName[2], QStringLiteral("Đường 30/4"));
    EXPECT_TRUE(map.m_strWayName[3].isEmpty());
    EXPECT_EQ(map.m_strBusName[0], QStringLiteral("12"));  // only WAY names
}

TEST(MapSections, DirectionAndWidthSplitAtTheFirstCommaFromTheSecondCharacter)
{
    MapFileText file;
    file.Add(kWay, {"a", "0,0;1,1", "99,3"})
        .Add(kWay, {"b", "0,0;1,1", ",5,6"})
        .Add(kWay, {"c", "0,0;1,1", "1"})
        .Add(kWay, {"d", "0,0;1,1", "-1,2,7"})
        .Add(kWay, {"e", "0,0;1,1", ","});
    const MapData map = LoadedMap(file.Bytes());
    ASSERT_EQ(map.m_nWayLast, 4);
    EXPECT_EQ(map.m_strWayDirection[0], QStringLiteral("99"));
    EXPECT_EQ(map.m_nWayWidth[0], 3);
    EXPECT_EQ(map.m_strWayDirection[1], QStringLiteral(",5"));
    EXPECT_EQ(map.m_nWayWidth[1], 6);
    EXPECT_EQ(map.m_strWayDirection[2], QStringLiteral("1"));
    EXPECT_EQ(map.m_nWayWidth[2], 0);
    EXPECT_EQ(map.m_strWayDirection[3], QStringLiteral("-1"));
    EXPECT_EQ(map.m_nWayWidth[3], 2);
    EXPECT_EQ(map.m_strWayDirection[4], QStringLiteral(","));
    EXPECT_EQ(map.m_nWayWidth[4], 0);
}

TEST(MapSections, ARecordHoldsThePointsReadAndNoMore)
{
    // Memory follows what the file holds: no record keeps room it does not use.
    const auto list = [](int points) {
        QByteArray text;
        for (int i = 0; i < points; ++i)
            text += (i ? ";" : "") + MapPointText(i, 2 * i);
        return text;
    };
    MapFileText file;
    for (int points : {5, 11, 200})
        file.Add(kBus, {"Tuyến", list(points)});
    file.Add(kDistrict, {"Quận", list(3)}).Add(kWay, {"Phố", list(2)});
    const MapData map = LoadedMap(file.Bytes());
    ASSERT_EQ(map.m_nBusLast, 2);
    EXPECT_EQ(map.m_pBusPoints[0].size(), 5u);
    EXPECT_EQ(map.m_pBusPoints[1].size(), 11u);
    EXPECT_EQ(map.m_pBusPoints[2].size(), 200u);
    EXPECT_EQ(map.m_pBusPoints[2][199], (MapPoint{199, 398}));
    EXPECT_EQ(map.m_pDistrictPoints[0].size(), 3u);
    EXPECT_EQ(map.m_pWayPoints[0].size(), 2u);
}

TEST(MapNodes, WayAndCoordinateListsEndInMinusOnes)
{
    MapFileText file;
    for (int i = 0; i < 8; ++i)
        file.Add(kWay, {"Phố", "0,0;1,1"});
    file.AddRaw(kPosition, MapLine(1, "4;100,200") + MapLine(1, "3,7;5120,8800,2,140,5,96") + MapLine(1, ";") +
                               MapLine(1, "6") + MapLine(2, "9;9,9"));
    const MapData map = LoadedMap(file.Bytes());
    ASSERT_EQ(map.m_nNodeLast, 4);
    // Slot 0, the nodes and the spare slot after them.
    EXPECT_EQ(map.NodeCapacity(), 4 + 2);
    EXPECT_EQ(map.m_pNodeWays[1], NodeListOf({4}));
    EXPECT_EQ(map.m_pNodeCoords[1], NodeListOf({100, 200}));
    EXPECT_EQ(map.m_pNodeWays[2], NodeListOf({3, 7}));
    EXPECT_EQ(map.m_pNodeCoords[2], NodeListOf({5120, 8800, 2, 140, 5, 96}));
    // Empty lists read as a single 0.
    EXPECT_EQ(map.m_pNodeWays[3], NodeListOf({0}));
    EXPECT_EQ(map.m_pNodeCoords[3], NodeListOf({0}));
    // No ";": the whole value is the way list and the coordinates an empty list.
    EXPECT_EQ(map.m_pNodeWays[4], NodeListOf({6}));
    EXPECT_EQ(map.m_pNodeCoords[4], NodeListOf({0}));
}

TEST(ParseIntList, TwentyOneValuesAtMost)
{
    EXPECT_EQ(ParseIntList(u"3,7"), NodeListOf({3, 7}));
    EXPECT_EQ(ParseIntList(u"3,,7"), NodeListOf({3, 0, 7}));
    EXPECT_EQ(ParseIntList(u"1,2,"), NodeListOf({1, 2, 0}));
    QString many;
    for (int i = 1; i <= 25; ++i)
        many += (i > 1 ? "," : "") + QString::number(i * 10);
    int dropped = 0;
    const NodeList list = ParseIntList(many, &dropped);
    EXPECT_EQ(list[20], 210);
    EXPECT_EQ(list[0], 10);
    EXPECT_EQ(dropped, 4);
}

TEST(ComputeResStep, IntegerDivisionOfTheExtentSum)
{
    MapData map;
    map.m_nResWidth = 3000;
    map.m_nResHeight = 2000;
    ComputeResStep(map);
    EXPECT_EQ(map.m_dResStep, 25.0);
    map.m_nResWidth = 399;
    map.m_nResHeight = 0;
    ComputeResStep(map);
    EXPECT_EQ(map.m_dResStep, 1.0);
    map.m_nResWidth = -399;
    ComputeResStep(map);
    EXPECT_EQ(map.m_dResStep, -1.0);  // toward zero
}

TEST(MapText, Windows1258AndUtf8NamesReadAsTheSameComposedText)
{
    // "Hồ Tây" in the Vietnamese code page (base letter + combining tone mark),
    // and "Nguyễn" likewise, next to their UTF-8 forms.
    const QByteArray cp1258Lake = "H\xf4\xcc T\xe2y";
    const QByteArray cp1258Street = "Nguy\xea\xde" "n Du";
    MapFileText file;
    file.Add(kLake, {cp1258Lake, "0,0;5,5;9,0"})
        .Add(kLake, {"Hồ Tây", "0,0;5,5;9,0"})
        .Add(kWay, {cp1258Street, "0,0;1,1"})
        .Add(kWay, {"Nguyễn Du", "0,0;1,1"})
        .Add(kWay, {"Nguye\xcc\x82\xcc\x83n Du", "0,0;1,1"});  // UTF-8, decomposed
    const MapData map = LoadedMap(file.Bytes());
    ASSERT_EQ(map.m_nLakeLast, 1);
    EXPECT_EQ(map.m_strLakeName[0], QStringLiteral("Hồ Tây"));
    EXPECT_EQ(map.m_strLakeName[0], map.m_strLakeName[1]);
    EXPECT_EQ(map.m_strLakeName[0].size(), 6);
    ASSERT_EQ(map.m_nWayLast, 2);
    EXPECT_EQ(map.m_strWayName[0], QStringLiteral("Nguyễn Du"));
    EXPECT_EQ(map.m_strWayName[1], map.m_strWayName[0]);
    EXPECT_EQ(map.m_strWayName[2], map.m_strWayName[0]);
}

TEST(LoadMapFile, AnUnopenableFileChangesNothingButTheNodeCount)
{
    MapFileText file;
    file.Add(kWay, {"Phố Huế", "1,1;2,2"}).Add(kWay, {"Hàng Bài", "2,2;3,3"}).Add(kPosition, {"1,2;2,2"});
    MapData map = LoadedMap(file.Bytes());
    ASSERT_EQ(map.m_nNodeLast, 1);
    const MapData before = map;

    QTemporaryDir dir;
    EXPECT_FALSE(LoadMapFile(map, dir.filePath("missing.kvp"), 0));
    EXPECT_EQ(map.m_nNodeLast, 0);
    EXPECT_FALSE(LoadMapFile(map, dir.path(), 0));  // a folder is no map
    EXPECT_EQ(map.m_nWayLast, before.m_nWayLast);
    EXPECT_EQ(map.m_strWayName, before.m_strWayName);
    EXPECT_EQ(map.m_pWayPoints, before.m_pWayPoints);
    EXPECT_EQ(map.m_pNodeWays, before.m_pNodeWays);
    EXPECT_EQ(map.m_nResWidth, before.m_nResWidth);
    EXPECT_EQ(map.m_nCenterX, before.m_nCenterX);
    EXPECT_EQ(map.m_dResStep, before.m_dResStep);
}

TEST(LoadMapFile, ANewLoadReplacesTheWholePreviousMap)
{
    MapFileText big;
    for (int i = 0; i < 5; ++i)
        big.Add(kWay, {"Phố " + QByteArray::number(i), "1,1;2,2"}).Add(kPlace, {"Chợ", "1,1", "3"});
    big.Add(kPosition, {"1;1,1"});
    MapData map = LoadedMap(big.Bytes());
    ASSERT_EQ(map.m_nWayLast, 4);

    MapFileText small;
    small.Add(kWay, {"Phố Mới", "5,5;6,6"});
    ASSERT_TRUE(LoadMapBytes(map, small.Bytes()));
    EXPECT_EQ(map.m_nWayLast, 0);
    EXPECT_EQ(map.m_strWayName.size(), 1u);
    EXPECT_EQ(map.m_nPlaceLast, -1);
    EXPECT_EQ(map.m_nNodeLast, 0);
    EXPECT_EQ(map.NodeCapacity(), 0);
    ExpectConsistent(map);
}

// Counts declared in a map file's header.
std::array<int, 8> DeclaredCounts(const QByteArray& bytes)
{
    std::array<int, 8> counts{};
    for (int kind = kDistrict; kind <= kText; ++kind) {
        const QByteArray key = "REALNUM" + QByteArray(kMapTags[kind]) + " ";
        const qsizetype at = bytes.indexOf(key);
        counts[kind] = at < 0 ? -1 : ToInt(QString::fromLatin1(bytes.mid(at + key.size(), 5)));
    }
    return counts;
}

void ExpectHeaderCountsRead(const QString& path)
{
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray bytes = file.read(kMaxMapFileBytes);
    const std::array<int, 8> declared = DeclaredCounts(bytes);
    MapData map;
    ASSERT_TRUE(LoadMapFile(map, path, 0));
    const int read[8] = {map.m_nDistrictLast, map.m_nWayLast,  map.m_nBusLast,   map.m_nRiverLast,
                         map.m_nLakeLast,     map.m_nParkLast, map.m_nPlaceLast, map.m_nTextLast};
    for (int kind = kDistrict; kind <= kText; ++kind)
        EXPECT_EQ(read[kind] + 1, declared[kind]) << kMapTags[kind];
    EXPECT_GT(map.m_nWayLast, 0);
    EXPECT_GT(map.m_nNodeLast, 0);
    EXPECT_GT(map.m_nResWidth, 0);
    EXPECT_GT(map.m_nResHeight, 0);
    EXPECT_GT(map.m_dMapScale, 0.0);
    ExpectConsistent(map);
    // Every node refers to existing WAY records.
    for (int n = 1; n <= map.m_nNodeLast; ++n) {
        for (int w : map.m_pNodeWays[n]) {
            if (w == -1)
                break;
            EXPECT_GE(w, 1) << "node " << n;
            EXPECT_LE(w, map.m_nWayLast + 1) << "node " << n;
        }
    }
}

TEST(BundledMaps, LoadWithTheCountsTheirHeadersDeclare)
{
    const QDir data(QStringLiteral(KORVANE_SOURCE_DIR "/data"));
    const QStringList maps = data.entryList({QStringLiteral("*.kvp")}, QDir::Files);
    if (maps.isEmpty())
        GTEST_SKIP() << "no bundled map in data/ yet";
    for (const QString& name : maps) {
        SCOPED_TRACE(name.toStdString());
        ExpectHeaderCountsRead(data.filePath(name));
    }
}

TEST(GeneratedMaps, ACityGridLoadsWithTheCountsItDeclares)
{
    QTemporaryFile file;
    ASSERT_TRUE(file.open());
    file.write(CityGrid(12, 9).Bytes());
    file.close();
    ExpectHeaderCountsRead(file.fileName());
}

}  // namespace
