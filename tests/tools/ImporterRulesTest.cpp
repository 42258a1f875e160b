// The importer's rules on small hand-drawn extracts: one-way streets,
// pieces, junctions, categories, lakes, bus routes, limits.
#include "ToolTestSupport.h"

#include "MapCheck.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <set>

namespace {

const Tags kResidential = {{"highway", "residential"}};

Tags Street(const std::string& name, std::initializer_list<std::pair<std::string, std::string>> more = {})
{
    Tags tags = {{"highway", "residential"}, {"name", name}};
    tags.insert(tags.end(), more.begin(), more.end());
    return tags;
}

QString Q(const char* utf8)
{
    return QString::fromUtf8(utf8);
}

std::vector<MapPoint> WayPoints(const MapData& map, int way)
{
    return {map.m_pWayPoints[way].begin(), map.m_pWayPoints[way].begin() + map.m_nWayPointLast[way] + 1};
}

bool Links(const MapData& map, int from, int to)
{
    const std::vector<int> n = NeighboursOf(map, from);
    return std::find(n.begin(), n.end(), to) != n.end();
}

// Every way point is a road node, every node lies on the ways it names, and
// the node table holds every node and the spare slot after them.
void ExpectSoundGraph(const MapData& map)
{
    ASSERT_GE(map.m_nWayLast, 1);
    EXPECT_LT(map.m_nNodeLast + 1, 4 * map.m_nWayLast);
    for (int w = 0; w <= map.m_nWayLast; ++w) {
        for (const MapPoint& p : WayPoints(map, w)) {
            const int node = NodeAt(map, p);
            ASSERT_GT(node, 0) << "way " << w << " point " << p.x << "," << p.y;
            const auto& ways = map.m_pNodeWays[node];
            EXPECT_NE(std::find(ways.begin(), ways.end(), w + 1), ways.end()) << "node " << node << " way " << w;
        }
    }
}

class OneWaySketch : public ::testing::Test {
protected:
    // a→b→c one way as drawn; d–e–f mapped against travel (oneway=-1), so
    // driven f→e→d; a–d and c–f both ways: a one-way ring every node of
    // which can reach every other.
    OsmSketch sketch{{
        "a---b---c",
        "|       |",
        "d---e---f",
    }};
    void SetUp() override
    {
        sketch.Way(1, "abc", Street("Phố Một Chiều", {{"oneway", "yes"}}))
            .Way(2, "def", Street("Phố Ngược Chiều", {{"oneway", "-1"}}))
            .Way(3, "ad", Street("Phố Hai Chiều"))
            .Way(4, "cf", Street("Phố Nối"));
        map = ImportXml(sketch.Xml());
        ASSERT_TRUE(map.ok) << map.error.toStdString();
    }
    int Node(char letter) { return NodeAt(map.loaded, MapPointOf(map.loaded, sketch.Where(letter))); }
    Imported map;
};

TEST_F(OneWaySketch, OneWayStreetsRunInTheirDirectionOfTravel)
{
    const MapData& m = map.loaded;
    const std::vector<int> forward = WaysNamed(m, Q("Phố Một Chiều"));
    const std::vector<int> reversed = WaysNamed(m, Q("Phố Ngược Chiều"));
    const std::vector<int> both = WaysNamed(m, Q("Phố Hai Chiều"));
    ASSERT_FALSE(forward.empty());
    ASSERT_FALSE(reversed.empty());
    ASSERT_FALSE(both.empty());
    EXPECT_EQ(m.m_strWayDirection[forward.front()], QLatin1String("1"));
    EXPECT_EQ(m.m_strWayDirection[reversed.front()], QLatin1String("1"));
    EXPECT_EQ(m.m_strWayDirection[both.front()], QLatin1String("0"));
    // The reversed street's points run f → e → d, the way one may drive.
    EXPECT_EQ(WayPoints(m, reversed.front()).front(), MapPointOf(m, sketch.Where('f')));
    EXPECT_EQ(WayPoints(m, reversed.back()).back(), MapPointOf(m, sketch.Where('d')));
    EXPECT_EQ(WayPoints(m, forward.front()).front(), MapPointOf(m, sketch.Where('a')));
}

TEST_F(OneWaySketch, AdjacencyFollowsTheDirectionOfTravel)
{
    const MapData& m = map.loaded;
    ExpectSoundGraph(m);
    EXPECT_EQ(m.m_nNodeLast, 6);
    EXPECT_TRUE(Links(m, Node('a'), Node('b')));
    EXPECT_FALSE(Links(m, Node('b'), Node('a')));
    EXPECT_TRUE(Links(m, Node('b'), Node('c')));
    EXPECT_FALSE(Links(m, Node('c'), Node('b')));
    EXPECT_TRUE(Links(m, Node('f'), Node('e')));
    EXPECT_FALSE(Links(m, Node('e'), Node('f')));
    EXPECT_TRUE(Links(m, Node('e'), Node('d')));
    EXPECT_FALSE(Links(m, Node('d'), Node('e')));
    EXPECT_TRUE(Links(m, Node('a'), Node('d')));
    EXPECT_TRUE(Links(m, Node('d'), Node('a')));
    // Edge values are the map distance between the two nodes.
    const auto& coords = m.m_pNodeCoords[Node('a')];
    for (int i = 2; coords[i] > 0; i += 2) {
        const MapPoint other{m.m_pNodeCoords[coords[i]][0], m.m_pNodeCoords[coords[i]][1]};
        const MapPoint self{coords[0], coords[1]};
        EXPECT_NEAR(coords[i + 1], std::hypot(double(other.x - self.x), double(other.y - self.y)), 0.5);
    }
}

TEST(ImporterRules, JunctionIsOneNodeSharedByBothStreets)
{
    OsmSketch sketch({
        "    a    ",
        "    |    ",
        "b---c---d",
        "    |    ",
        "    e    ",
    });
    sketch.Way(1, "ace", Street("Phố Dọc")).Way(2, "bcd", Street("Phố Ngang"));
    const Imported map = ImportXml(sketch.Xml());
    ASSERT_TRUE(map.ok) << map.error.toStdString();
    const MapData& m = map.loaded;
    ExpectSoundGraph(m);
    EXPECT_EQ(m.m_nNodeLast, 5);
    const MapPoint corner = MapPointOf(m, sketch.Where('c'));
    const int c = NodeAt(m, corner);
    ASSERT_GT(c, 0);
    std::set<QString> names;
    for (int i = 0; i < 10 && m.m_pNodeWays[c][i] > 0; ++i)
        names.insert(m.m_strWayName[m.m_pNodeWays[c][i] - 1]);
    EXPECT_EQ(names, (std::set<QString>{Q("Phố Dọc"), Q("Phố Ngang")}));
    std::vector<int> around = NeighboursOf(m, c);
    std::sort(around.begin(), around.end());
    std::vector<int> expected;
    for (char letter : {'a', 'b', 'd', 'e'})
        expected.push_back(NodeAt(m, MapPointOf(m, sketch.Where(letter))));
    std::sort(expected.begin(), expected.end());
    EXPECT_EQ(around, expected);
}

TEST(ImporterRules, LongStreetIsCutIntoConsecutivePiecesOfAtMostSeventyPoints)
{
    // A street of 150 points with a one-segment side street at each point:
    // every point is a junction, and the side streets give the node table
    // room, so only the 70-point limit cuts the long street.
    OsmSketch sketch({});
    std::vector<int64_t> street;
    for (int i = 0; i < 150; ++i) {
        sketch.Node(100000 + i, 21.03, 105.83 + i * 0.0001).Node(200000 + i, 21.0302, 105.83 + i * 0.0001);
        street.push_back(100000 + i);
        sketch.WayOfIds(10 + i, {100000 + i, 200000 + i}, Street("Ngõ " + std::to_string(i)));
    }
    sketch.WayOfIds(1, street, Street("Phố Dài"));
    const Imported map = ImportXml(sketch.Xml());
    ASSERT_TRUE(map.ok) << map.error.toStdString();
    const MapData& m = map.loaded;
    ExpectSoundGraph(m);
    const std::vector<int> pieces = WaysNamed(m, Q("Phố Dài"));
    ASSERT_EQ(pieces.size(), 3u);
    std::vector<MapPoint> joined;
    for (size_t k = 0; k < pieces.size(); ++k) {
        EXPECT_EQ(pieces[k], pieces.front() + static_cast<int>(k)) << "pieces of one street are consecutive";
        const std::vector<MapPoint> points = WayPoints(m, pieces[k]);
        EXPECT_LE(points.size(), 70u);
        if (!joined.empty()) {
            EXPECT_EQ(points.front(), joined.back()) << "each piece starts where the last one ended";
        }
        joined.insert(joined.end(), points.begin() + (joined.empty() ? 0 : 1), points.end());
    }
    ASSERT_EQ(joined.size(), 150u);
    for (int i = 0; i < 150; ++i)
        EXPECT_EQ(joined[i], MapPointOf(m, {1058300000 + i * 1000, 210300000}));
}

TEST(ImporterRules, PiecesAreCutShortEnoughForTheNodeTable)
{
    // One street of 200 points alone: 200 nodes need 52 WAY records.
    OsmSketch sketch({});
    std::vector<int64_t> street;
    for (int i = 0; i < 200; ++i) {
        sketch.Node(100000 + i, 21.03 + (i % 2) * 0.0001, 105.83 + i * 0.0001);
        street.push_back(100000 + i);
    }
    sketch.WayOfIds(1, street, Street("Phố Răng Cưa"));
    const Imported map = ImportXml(sketch.Xml());
    ASSERT_TRUE(map.ok) << map.error.toStdString();
    ExpectSoundGraph(map.loaded);
    EXPECT_EQ(map.loaded.m_nNodeLast, 200);
    EXPECT_EQ(map.loaded.m_nWayLast + 1, 52);
    EXPECT_TRUE(CheckMapText(map.text).empty());
}

TEST(ImporterRules, SimplifyingKeepsJunctionsAndDropsPointsOnAStraightLine)
{
    OsmSketch sketch({
        "a-b-c-d-e",
        "    |    ",
        "    f    ",
    });
    sketch.Way(1, "abcde", Street("Phố Thẳng")).Way(2, "cf", Street("Ngõ Cụt"));
    ImportOptions options;
    options.simplifyMetres = 1.0;
    const Imported map = ImportXml(sketch.Xml(), options);
    ASSERT_TRUE(map.ok) << map.error.toStdString();
    const MapData& m = map.loaded;
    EXPECT_EQ(m.m_nNodeLast, 4); // a, c, e and f; b and d lie on the line
    for (char kept : {'a', 'c', 'e', 'f'})
        EXPECT_GT(NodeAt(m, MapPointOf(m, sketch.Where(kept))), 0) << kept;
    EXPECT_EQ(NodeAt(m, MapPointOf(m, sketch.Where('b'))), 0);
}

TEST(ImporterRules, NamesKeepTheirDiacriticsAndSurviveTheReader)
{
    OsmSketch sketch({"a---b---c---d"});
    sketch.Way(1, "ab", Street("3 Tháng 2"))
        .Way(2, "bc", Street("Đường Hoàng Diệu"))
        .Way(3, "cd", Street("Phố PARK/WAY/ Lạ"));
    const Imported map = ImportXml(sketch.Xml());
    ASSERT_TRUE(map.ok) << map.error.toStdString();
    const MapData& m = map.loaded;
    // A name that begins with a digit would be read as no name.
    EXPECT_FALSE(WaysNamed(m, Q("Đường 3 Tháng 2")).empty());
    EXPECT_FALSE(WaysNamed(m, Q("Đường Hoàng Diệu")).empty());
    // A tag inside a name would close the section early; it is broken up.
    EXPECT_FALSE(WaysNamed(m, Q("Phố PARK / WAY / Lạ")).empty());
    EXPECT_EQ(m.m_nWayLast, map.built.m_nWayLast);
    EXPECT_EQ(m.m_nNodeLast, 4);
}

TEST(ImporterRules, PlacesGetTheirCategoryFromOneTable)
{
    OsmSketch sketch({
        "a-------b",
        "|cdefghi|",
        "|jklmnop|",
        "|qrs    |",
        "t-------u",
    });
    sketch.Way(1, "abut", Street("Phố Vòng")).Way(2, "ta", Street("Phố Vòng"));
    struct Case {
        char node;
        Tags tags;
        int category;
    };
    const std::vector<Case> cases = {
        {'c', {{"amenity", "hospital"}, {"name", "Bệnh viện Xanh Pôn"}}, 1},
        {'d', {{"amenity", "bank"}, {"name", "Vietcombank"}}, 3},
        {'e', {{"highway", "bus_stop"}, {"name", "Văn Miếu"}}, 5},
        {'f', {{"amenity", "place_of_worship"}, {"religion", "christian"}, {"name", "Nhà thờ Hàng Bột"}}, 6},
        {'g', {{"amenity", "cinema"}, {"name", "Rạp Tháng Tám"}}, 7},
        {'h', {{"amenity", "townhall"}, {"name", "UBND Phường"}}, 9},
        {'i', {{"tourism", "hotel"}, {"name", "Khách sạn Hà Nội"}}, 12},
        {'j', {{"amenity", "marketplace"}, {"name", "Chợ Ngô Sĩ Liên"}}, 14},
        {'k', {{"tourism", "museum"}, {"name", "Bảo tàng Mỹ thuật"}}, 15},
        {'l', {{"amenity", "place_of_worship"}, {"religion", "buddhist"}, {"name", "Chùa Cát Linh"}}, 16},
        {'m', {{"amenity", "post_office"}, {"name", "Bưu Cục EMS Cát Linh"}}, 18},
        {'n', {{"shop", "supermarket"}, {"name", "Siêu thị Hapro"}}, 20},
        {'o', {{"amenity", "university"}, {"name", "Đại học Mỹ thuật"}}, 25},
        {'p', {{"amenity", "fuel"}, {"name", "Petrolimex"}}, 26},
        {'q', {{"amenity", "atm"}, {"operator", "BIDV"}}, 27},
        {'r', {{"amenity", "restaurant"}, {"name", "Quán Ăn"}}, 0},
        {'s', {{"amenity", "atm"}}, 27},
    };
    for (const Case& c : cases)
        sketch.NodeTags(c.node, c.tags);
    const Imported map = ImportXml(sketch.Xml());
    ASSERT_TRUE(map.ok) << map.error.toStdString();
    const MapData& m = map.loaded;
    EXPECT_EQ(m.m_nPlaceLast + 1, static_cast<int>(cases.size()) - 1); // the restaurant has no category
    for (const Case& c : cases) {
        const MapPoint at = MapPointOf(m, sketch.Where(c.node));
        int found = 0;
        for (int i = 0; i <= m.m_nPlaceLast; ++i) {
            if (m.m_ptPlace[i] == at)
                found = m.m_nPlaceCategory[i];
        }
        EXPECT_EQ(found, c.category) << c.node;
    }
    // Names: the place's own, else its operator, else the category's caption.
    const auto nameAt = [&](char node) {
        for (int i = 0; i <= m.m_nPlaceLast; ++i) {
            if (m.m_ptPlace[i] == MapPointOf(m, sketch.Where(node)))
                return m.m_strPlaceName[i];
        }
        return QString();
    };
    EXPECT_EQ(nameAt('l'), Q("Chùa Cát Linh"));
    EXPECT_EQ(nameAt('q'), Q("BIDV"));
    EXPECT_EQ(nameAt('s'), Q("ATM"));
}

TEST(ImporterRules, LeavingOutSmallPlacesDropsBusStopsAtmsAndNamelessPlaces)
{
    OsmSketch sketch({
        "a-----b",
        "|cdef |",
        "g-----h",
    });
    sketch.Way(1, "abhga", Street("Phố Vòng"))
        .NodeTags('c', {{"highway", "bus_stop"}, {"name", "Điểm dừng"}})
        .NodeTags('d', {{"amenity", "atm"}, {"name", "ATM Techcombank"}})
        .NodeTags('e', {{"amenity", "bank"}})
        .NodeTags('f', {{"amenity", "bank"}, {"name", "Ngân hàng Á Châu"}});
    ImportOptions options = NoSimplify();
    options.leaveOut = LeaveSmallPlaces;
    const Imported map = ImportXml(sketch.Xml(), options);
    ASSERT_TRUE(map.ok) << map.error.toStdString();
    ASSERT_EQ(map.loaded.m_nPlaceLast, 0);
    EXPECT_EQ(map.loaded.m_strPlaceName[0], Q("Ngân hàng Á Châu"));
}

TEST(ImporterRules, LakesComeFromWaterAreasAndMultipolygonOuterRings)
{
    // Lake 1: a multipolygon whose outer ring is two ways (one drawn
    // backwards) with an island; lake 2: a closed way; lake 3: a multipolygon
    // one of whose outer ways is not in the file.
    OsmSketch sketch({
        "a---------------b",
        "| c---d  k---l  |",
        "| | gh|  |   |  |",
        "| | ji|  n---m  |",
        "| f---e         |",
        "|  p---q        |",
        "|  s---r        |",
        "t---------------u",
    });
    sketch.Way(1, "abut", Street("Phố Quanh Hồ"))
        .Way(2, "ta", Street("Phố Quanh Hồ"))
        .Way(10, "cde", {})
        .Way(11, "cfe", {})
        .Way(12, "ghijg", {})
        .Relation(100, {{'w', 10, "outer"}, {'w', 11, "outer"}, {'w', 12, "inner"}},
                  {{"type", "multipolygon"}, {"natural", "water"}, {"name", "Hồ Văn"}})
        .Way(13, "klmnk", {{"natural", "water"}, {"name", "Hồ Linh Quang"}})
        .Way(14, "pqr", {})
        .Relation(101, {{'w', 14, "outer"}, {'w', 99, "outer"}}, {{"type", "multipolygon"}, {"natural", "water"}});
    const Imported map = ImportXml(sketch.Xml());
    ASSERT_TRUE(map.ok) << map.error.toStdString();
    const MapData& m = map.loaded;
    ASSERT_EQ(m.m_nLakeLast, 1);
    const int van = m.m_strLakeName[0] == Q("Hồ Văn") ? 0 : 1;
    EXPECT_EQ(m.m_strLakeName[1 - van], Q("Hồ Linh Quang"));
    // The outer ring c d e f, without the island.
    std::set<std::pair<int, int>> ring;
    for (int i = 0; i <= m.m_nLakePointLast[van]; ++i)
        ring.insert({m.m_pLakePoints[van][i].x, m.m_pLakePoints[van][i].y});
    std::set<std::pair<int, int>> expected;
    for (char c : {'c', 'd', 'e', 'f'}) {
        const MapPoint p = MapPointOf(m, sketch.Where(c));
        expected.insert({p.x, p.y});
    }
    EXPECT_EQ(ring, expected);
    EXPECT_TRUE(map.report.notes.join(' ').contains(Q("relation members are missing")));
}

TEST(ImporterRules, BusRoutesJoinTheirMembersAndSkipMissingOnes)
{
    // Members in route order: ab, (way 99, not in the file), cd, then ed
    // mapped against the route's direction.
    OsmSketch sketch({
        "a---b---c---d---e",
        "|               |",
        "f---------------g",
    });
    sketch.Way(1, "ab", Street("Phố Tàu"))
        .Way(2, "bc", Street("Phố Tàu"))
        .Way(3, "cd", Street("Phố Tàu"))
        .Way(4, "ed", Street("Phố Tàu"))
        .Way(5, "afge", Street("Phố Vòng"))
        .Relation(200, {{'n', OsmSketch::Id('a'), "stop"}, {'w', 1, ""}, {'w', 99, ""}, {'w', 3, ""}, {'w', 4, ""}},
                  {{"type", "route"}, {"route", "bus"}, {"ref", "18"}, {"name", "Kim Mã - Long Biên"}});
    const Imported map = ImportXml(sketch.Xml());
    ASSERT_TRUE(map.ok) << map.error.toStdString();
    const MapData& m = map.loaded;
    ASSERT_EQ(m.m_nBusLast, 1);
    EXPECT_EQ(m.m_strBusName[0], Q("18: Kim Mã - Long Biên"));
    EXPECT_EQ(m.m_strBusName[1], m.m_strBusName[0]);
    const auto at = [&](char c) { return MapPointOf(m, sketch.Where(c)); };
    EXPECT_EQ(std::vector<MapPoint>(m.m_pBusPoints[0].begin(), m.m_pBusPoints[0].begin() + m.m_nBusPointLast[0] + 1),
              (std::vector<MapPoint>{at('a'), at('b')}));
    EXPECT_EQ(std::vector<MapPoint>(m.m_pBusPoints[1].begin(), m.m_pBusPoints[1].begin() + m.m_nBusPointLast[1] + 1),
              (std::vector<MapPoint>{at('c'), at('d'), at('e')}));
    EXPECT_TRUE(map.report.notes.join(' ').contains(Q("1 relation members are missing")));
}

TEST(ImporterRules, LongRiversBecomeConsecutiveRecordsOfAtMostTwoHundredPoints)
{
    OsmSketch sketch({
        "a-------b",
        "|       |",
        "c-------d",
    });
    sketch.Way(1, "abdca", Street("Phố Ven Sông"));
    std::vector<int64_t> river;
    for (int i = 0; i < 250; ++i) {
        sketch.Node(100000 + i, 21.0299 - (i % 2) * 0.00001, 105.8301 + i * 0.000005);
        river.push_back(100000 + i);
    }
    sketch.WayOfIds(2, river, {{"waterway", "river"}, {"name", "Sông Tô Lịch"}});
    const Imported map = ImportXml(sketch.Xml());
    ASSERT_TRUE(map.ok) << map.error.toStdString();
    const MapData& m = map.loaded;
    ASSERT_EQ(m.m_nRiverLast, 1);
    EXPECT_EQ(m.m_strRiverName[0], Q("Sông Tô Lịch"));
    EXPECT_EQ(m.m_strRiverName[1], Q("Sông Tô Lịch"));
    EXPECT_EQ(m.m_nRiverPointLast[0] + 1 + m.m_nRiverPointLast[1] + 1, 251); // the cut point is in both
    EXPECT_LE(m.m_nRiverPointLast[0] + 1, 200);
    EXPECT_EQ(m.m_pRiverPoints[0][m.m_nRiverPointLast[0]], m.m_pRiverPoints[1][0]);
}

TEST(ImporterRules, DistrictsAndLabels)
{
    // Two residential areas, one commercial area and a ward whose boundary
    // relation closes; a quarter's name as a label.
    OsmSketch sketch({
        "a---------------b",
        "|c--d e--f g--h |",
        "||  | |  | |  | |",
        "|j--i m--l p--o |",
        "|      q        |",
        "r---------------s",
    });
    sketch.Way(1, "abs", Street("Phố Quanh"))
        .Way(2, "sra", Street("Phố Quanh"))
        .Way(10, "cdijc", {{"landuse", "residential"}})
        .Way(11, "eflme", {{"landuse", "commercial"}, {"name", "Tràng Tiền Plaza"}})
        .Way(12, "ghopg", {{"landuse", "residential"}})
        .Way(13, "abs", {})
        .Way(14, "sra", {})
        .Relation(
            300, {{'w', 13, "outer"}, {'w', 14, "outer"}},
            {{"type", "boundary"}, {"boundary", "administrative"}, {"admin_level", "8"}, {"name", "Phường Văn Miếu"}})
        .NodeTags('q', {{"place", "quarter"}, {"name", "Văn Chương"}});
    const Imported map = ImportXml(sketch.Xml());
    ASSERT_TRUE(map.ok) << map.error.toStdString();
    const MapData& m = map.loaded;
    // The ward first, then land use by kind, so each kind is one run and
    // keeps one colour.
    EXPECT_EQ(std::vector<QString>(m.m_strDistrictName.begin(), m.m_strDistrictName.begin() + m.m_nDistrictLast + 1),
              (std::vector<QString>{Q("Phường Văn Miếu"), Q("Khu dân cư"), Q("Khu dân cư"), Q("Khu thương mại")}));
    ASSERT_EQ(m.m_nTextLast, 0);
    EXPECT_EQ(m.m_strText[0], Q("Văn Chương"));
    EXPECT_EQ(m.m_ptText[0], MapPointOf(m, sketch.Where('q')));
    EXPECT_EQ(m.m_nTextSize[0], 2);
}

TEST(ImporterRules, StreetsCutOffFromTheNetworkAreLeftOut)
{
    OsmSketch sketch({
        "a---b   e---f",
        "|   |        ",
        "c---d        ",
    });
    sketch.Way(1, "abdca", Street("Phố Chính")).Way(2, "ef", Street("Phố Lẻ"));
    const Imported map = ImportXml(sketch.Xml());
    ASSERT_TRUE(map.ok) << map.error.toStdString();
    EXPECT_TRUE(WaysNamed(map.loaded, Q("Phố Lẻ")).empty());
    EXPECT_TRUE(map.report.notes.join(' ').contains(Q("Phố Lẻ")));
    EXPECT_TRUE(CheckMapText(map.text).empty());
}

TEST(ImporterRules, ABoxCutsStreetsAtItsEdgeAndLeavesOutWhatLiesBeyond)
{
    OsmSketch sketch({
        "a-------b-------c",
        "|  p    |     q |",
        "d-------e-------f",
    });
    sketch.Way(1, "abc", Street("Phố Trên"))
        .Way(2, "def", Street("Phố Dưới"))
        .Way(3, "ad", Street("Phố Tây"))
        .Way(4, "be", Street("Phố Giữa"))
        .NodeTags('p', {{"amenity", "bank"}, {"name", "Ngân hàng Trong"}})
        .NodeTags('q', {{"amenity", "bank"}, {"name", "Ngân hàng Ngoài"}});
    ImportOptions options = NoSimplify();
    // West edge at a, east edge halfway between b and c.
    options.box = GeoBox{{sketch.Where('a').lonE7, sketch.Where('d').latE7},
                         {(sketch.Where('b').lonE7 + sketch.Where('c').lonE7) / 2, sketch.Where('a').latE7}};
    const Imported map = ImportXml(sketch.Xml(), options);
    ASSERT_TRUE(map.ok) << map.error.toStdString();
    const MapData& m = map.loaded;
    ASSERT_EQ(m.m_nPlaceLast, 0);
    EXPECT_EQ(m.m_strPlaceName[0], Q("Ngân hàng Trong"));
    // The streets that crossed the edge now end on it.
    const std::vector<int> upper = WaysNamed(m, Q("Phố Trên"));
    ASSERT_FALSE(upper.empty());
    const MapPoint end = WayPoints(m, upper.back()).back();
    EXPECT_EQ(end.x, m.m_nResWidth - 1);
    EXPECT_EQ(end.y, 0);
    for (int w = 0; w <= m.m_nWayLast; ++w) {
        for (const MapPoint& p : WayPoints(m, w)) {
            EXPECT_GE(p.x, 0);
            EXPECT_LT(p.x, m.m_nResWidth);
        }
    }
    EXPECT_TRUE(CheckMapText(map.text).empty());
    EXPECT_TRUE(map.report.notes.join(' ').contains(Q("cut at its edge")));
}

TEST(ImporterRules, NoMoreThanNineNeighboursPerNode)
{
    // Ten streets leave one square: the link to the tenth must go, and with
    // it the street, since no route could reach its end any more.
    OsmSketch sketch({
        "a   b   c   d",
        "             ",
        "e     x     f",
        "             ",
        "g   h   i   j",
    });
    int64_t id = 1;
    for (char spoke : std::string("abcdefghij"))
        sketch.Way(id++, std::string("x") + spoke, Street(std::string("Phố ") + spoke));
    const Imported map = ImportXml(sketch.Xml());
    ASSERT_TRUE(map.ok) << map.error.toStdString();
    const int centre = NodeAt(map.loaded, MapPointOf(map.loaded, sketch.Where('x')));
    EXPECT_EQ(NeighboursOf(map.loaded, centre).size(), 9u);
    EXPECT_EQ(map.loaded.m_nNodeLast, 10);
    EXPECT_TRUE(WaysNamed(map.loaded, Q("Phố j")).empty());
    EXPECT_TRUE(map.report.notes.join(' ').contains(Q("1 of the 11 road nodes (9.1 %) were left out")))
        << map.report.notes.join(' ').toStdString();
    EXPECT_TRUE(map.report.notes.join(' ').contains(Q("in part: Phố j")));
    EXPECT_TRUE(CheckMapText(map.text).empty());
}

// Many nameless ATMs: more bytes than a map file may hold, until they are
// left out.
class OverfullSketch : public ::testing::Test {
protected:
    void SetUp() override
    {
        OsmSketch sketch({
            "a---------b",
            "|         |",
            "c---------d",
        });
        sketch.Way(1, "abdca", Street("Phố Đông Đúc"));
        for (int i = 0; i < 20000; ++i)
            sketch.Node(100000 + i, 21.0299 - (i % 100) * 0.000003, 105.8301 + (i / 100) * 0.000008,
                        {{"amenity", "atm"}});
        xml = sketch.Xml();
    }
    std::string xml;
};

TEST_F(OverfullSketch, SaysWhichLimitIsBrokenAndByHowMuch)
{
    const Imported map = ImportXml(xml);
    ASSERT_FALSE(map.ok);
    EXPECT_TRUE(map.error.contains(Q("more than the 450000"))) << map.error.toStdString();
    EXPECT_TRUE(map.error.contains(Q("--leave-out"))) << map.error.toStdString();
}

TEST_F(OverfullSketch, FitsWhenSmallPlacesAreLeftOut)
{
    ImportOptions options = NoSimplify();
    options.leaveOut = LeaveSmallPlaces;
    const Imported byHand = ImportXml(xml, options);
    ASSERT_TRUE(byHand.ok) << byHand.error.toStdString();
    EXPECT_EQ(byHand.loaded.m_nPlaceLast, -1);

    options.leaveOut = 0;
    options.fit = true;
    const Imported fitted = ImportXml(xml, options);
    ASSERT_TRUE(fitted.ok) << fitted.error.toStdString();
    EXPECT_EQ(fitted.report.leftOut, static_cast<unsigned>(LeaveSmallPlaces));
    EXPECT_TRUE(fitted.report.notes.join(' ').contains(Q("left out to fit: small-places")));
    EXPECT_EQ(fitted.text, byHand.text);
}

TEST(ImporterRules, LeaveOutNamesAreParsed)
{
    unsigned bits = 0;
    QString error;
    EXPECT_TRUE(ParseLeaveOut(Q("service,bus"), bits, error));
    EXPECT_EQ(bits, unsigned(LeaveService | LeaveBus));
    EXPECT_FALSE(ParseLeaveOut(Q("footpaths"), bits, error));
    EXPECT_TRUE(error.contains(Q("footpaths")));
}

TEST(ImporterRules, BoxesAndPointsAreDegreesInEveryHemisphere)
{
    GeoBox box;
    GeoPoint point;
    QString error;
    ASSERT_TRUE(ParseBox(Q("-54.63,-20.47,-54.61,-20.45"), box, error));
    EXPECT_EQ(box.min.lonE7, -546300000);
    EXPECT_EQ(box.max.latE7, -204500000);
    ASSERT_TRUE(ParseLonLat(Q("-54.62, -20.46"), point, error));
    EXPECT_EQ(point.lonE7, -546200000);
    EXPECT_EQ(point.latE7, -204600000);
    // Qt reads "nan" and "inf" as numbers; they are no position.
    EXPECT_FALSE(ParseBox(Q("nan,21,106,22"), box, error));
    EXPECT_FALSE(ParseLonLat(Q("105.83,inf"), point, error));
    EXPECT_FALSE(ParseLonLat(Q("181,21"), point, error));
}

} // namespace
