// The two real OpenStreetMap extracts of the test data imported: the maps pass the
// checker, read back with their Vietnamese names, put a receiver's position on
// the right corner, and route as far as an independent search over the same
// OpenStreetMap roads.
#include "ToolTestSupport.h"

#include "MapCheck.h"

#include "map/MapFileReader.h"
#include "route/ShortestPath.h"
#include "view/Viewport.h"

#include <QDir>

#include <gtest/gtest.h>

#include <osmium/geom/haversine.hpp>
#include <osmium/io/reader.hpp>
#include <osmium/io/xml_input.hpp>
#include <osmium/osm.hpp>

#include <cmath>
#include <cstring>
#include <map>
#include <queue>
#include <set>
#include <tuple>

namespace {

QString Q(const char* utf8)
{
    return QString::fromUtf8(utf8);
}

// The roads of an extract as a car sees them, read straight from the file:
// directed links with their great-circle lengths.
class OsmRoads {
public:
    explicit OsmRoads(const QString& path);
    // The node where streets of both names meet, 0 when there is none.
    int64_t Corner(const std::string& a, const std::string& b) const;
    double ShortestMetres(int64_t from, int64_t to) const;
    osmium::Location Where(int64_t node) const { return m_where.at(node); }

private:
    static bool ForCars(const osmium::TagList& tags);
    static int Direction(const osmium::TagList& tags);
    void AddWay(const osmium::Way& way);

    std::map<int64_t, osmium::Location> m_where;
    std::map<int64_t, std::vector<std::pair<int64_t, double>>> m_links;
    std::map<int64_t, std::set<std::string>> m_streets;
};

OsmRoads::OsmRoads(const QString& path)
{
    osmium::io::Reader reader(path.toStdString());
    while (osmium::memory::Buffer buffer = reader.read()) {
        for (const osmium::OSMObject& object : buffer.select<osmium::OSMObject>()) {
            if (object.type() == osmium::item_type::node) {
                const auto& node = static_cast<const osmium::Node&>(object);
                m_where[node.id()] = node.location();
            } else if (object.type() == osmium::item_type::way && ForCars(object.tags())) {
                AddWay(static_cast<const osmium::Way&>(object));
            }
        }
    }
    reader.close();
}

bool OsmRoads::ForCars(const osmium::TagList& tags)
{
    static const std::set<std::string> kinds = {"motorway",       "trunk",         "primary",      "secondary",
                                                "tertiary",       "motorway_link", "trunk_link",   "primary_link",
                                                "secondary_link", "tertiary_link", "unclassified", "residential",
                                                "living_street",  "road",          "service"};
    const char* highway = tags["highway"];
    if (!highway || !kinds.count(highway) || tags.has_tag("area", "yes"))
        return false;
    for (const char* key : {"motorcar", "motor_vehicle", "vehicle", "access"}) {
        if (const char* value = tags[key])
            return std::strcmp(value, "no") != 0 && std::strcmp(value, "private") != 0;
    }
    return true;
}

int OsmRoads::Direction(const osmium::TagList& tags)
{
    const char* oneway = tags.get_value_by_key("oneway", "");
    if (!std::strcmp(oneway, "yes") || !std::strcmp(oneway, "1") || !std::strcmp(oneway, "true"))
        return 1;
    if (!std::strcmp(oneway, "-1"))
        return -1;
    return tags.has_tag("junction", "roundabout") && !*oneway ? 1 : 0;
}

void OsmRoads::AddWay(const osmium::Way& way)
{
    const int direction = Direction(way.tags());
    const char* name = way.tags()["name"];
    const auto& refs = way.nodes();
    for (size_t i = 0; i < refs.size(); ++i) {
        if (name)
            m_streets[refs[i].ref()].insert(name);
        if (i + 1 == refs.size() || !m_where.count(refs[i].ref()) || !m_where.count(refs[i + 1].ref()))
            continue;
        const int64_t a = refs[i].ref(), b = refs[i + 1].ref();
        const double metres = osmium::geom::haversine::distance(m_where[a], m_where[b]);
        if (direction >= 0)
            m_links[a].push_back({b, metres});
        if (direction <= 0)
            m_links[b].push_back({a, metres});
    }
}

int64_t OsmRoads::Corner(const std::string& a, const std::string& b) const
{
    for (const auto& [node, names] : m_streets) {
        if (names.count(a) && names.count(b))
            return node;
    }
    return 0;
}

double OsmRoads::ShortestMetres(int64_t from, int64_t to) const
{
    std::map<int64_t, double> best = {{from, 0.0}};
    using Entry = std::pair<double, int64_t>;
    std::priority_queue<Entry, std::vector<Entry>, std::greater<>> queue;
    queue.push({0.0, from});
    while (!queue.empty()) {
        const auto [d, u] = queue.top();
        queue.pop();
        if (u == to)
            return d;
        if (d > best[u])
            continue;
        const auto links = m_links.find(u);
        if (links == m_links.end())
            continue;
        for (const auto& [v, metres] : links->second) {
            if (!best.count(v) || d + metres < best[v]) {
                best[v] = d + metres;
                queue.push({best[v], v});
            }
        }
    }
    return -1.0;
}

GeoPoint ToGeo(osmium::Location l)
{
    return {l.x(), l.y()};
}

// The map's road node where streets of both names meet.
int MapCorner(const MapData& map, const QString& a, const QString& b)
{
    for (int n = 1; n <= map.m_nNodeLast; ++n) {
        std::set<QString> names;
        for (int i = 0; i < 10 && map.m_pNodeWays[n][i] > 0; ++i)
            names.insert(map.m_strWayName[map.m_pNodeWays[n][i] - 1]);
        if (names.count(a) && names.count(b))
            return n;
    }
    return 0;
}

MapPoint NodePoint(const MapData& map, int node)
{
    return {map.m_pNodeCoords[node][0], map.m_pNodeCoords[node][1]};
}

struct Extract {
    const char* file;
    bool distorted; // drawn more than 5 % wider than the ground
    std::vector<const char*> streets;
    const char* lake;
    const char* park;
    std::vector<std::pair<const char*, int>> places;
};

void PrintTo(const Extract& extract, std::ostream* out)
{
    *out << extract.file;
}

class RealExtract : public ::testing::TestWithParam<Extract> {
protected:
    void SetUp() override
    {
        input = TestOsm(GetParam().file);
        output = dir.filePath(QStringLiteral("map.kvp"));
        const ToolRun run = RunTool({QStringLiteral("import"), input, QStringLiteral("-o"), output});
        ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();
        ASSERT_TRUE(LoadMapFile(map, output, 0));
    }
    QTemporaryDir dir;
    QString input, output;
    MapData map;
};

TEST_P(RealExtract, ImportsAndPassesTheChecker)
{
    const ToolRun check = RunTool({QStringLiteral("check"), output});
    EXPECT_EQ(check.exitCode, 0) << check.out.toStdString();
    EXPECT_TRUE(check.out.endsWith(QStringLiteral(": no problems\n"))) << check.out.toStdString();
    EXPECT_GT(map.m_nWayLast, 100);
    EXPECT_GT(map.m_nNodeLast, 500);
    const ToolRun info = RunTool({QStringLiteral("info"), output});
    EXPECT_EQ(info.out.contains(QStringLiteral("warning: the map is drawn")), GetParam().distorted)
        << info.out.toStdString();
}

// Extracts the project has never seen, as far as the importer can tell: the
// extract cut to its four quarters, to a box half beyond its east edge and to
// one wider than it. Every map made passes the checker, so every WAY record
// can be shown and every road node reached from every other.
TEST_P(RealExtract, AnyBoxCutFromItGivesAMapWithEveryStreetShownAndEveryNodeReachable)
{
    OsmData data;
    QString error;
    ASSERT_TRUE(ReadOsmFile(input, data, error)) << error.toStdString();
    ASSERT_TRUE(data.bounds);
    const GeoBox b = *data.bounds;
    const int32_t w = b.max.lonE7 - b.min.lonE7, h = b.max.latE7 - b.min.latE7;
    std::vector<GeoBox> boxes = {
        {{b.min.lonE7 + w / 2, b.min.latE7 + h / 4}, {b.max.lonE7 + w / 2, b.max.latE7 - h / 4}},
        {{b.min.lonE7 - w / 3, b.min.latE7 - h / 3}, {b.max.lonE7 + w / 3, b.max.latE7 + h / 3}},
    };
    for (int i = 0; i < 4; ++i) {
        const int32_t west = b.min.lonE7 + (i % 2) * w / 2, south = b.min.latE7 + (i / 2) * h / 2;
        boxes.push_back({{west, south}, {west + w / 2, south + h / 2}});
    }
    for (const GeoBox& box : boxes) {
        ImportOptions options;
        options.box = box;
        MapData built;
        QByteArray text;
        ImportReport report;
        ASSERT_TRUE(BuildMap(data, options, built, text, report, error)) << error.toStdString();
        const std::vector<MapProblem> problems = CheckMapText(text);
        EXPECT_TRUE(problems.empty()) << box.min.lonE7 << "," << box.min.latE7 << ": "
                                      << problems.front().message.toStdString();
        EXPECT_GT(built.m_nNodeLast, 20);
        for (int way = 0; way <= built.m_nWayLast; ++way)
            EXPECT_LE(LengthPerEndSpanOf(built, way), 3.0) << built.m_strWayName[way].toStdString();
    }
}

TEST_P(RealExtract, ReadsBackWithItsVietnameseNames)
{
    for (const char* street : GetParam().streets)
        EXPECT_FALSE(WaysNamed(map, Q(street)).empty()) << street;
    const auto names = [](const std::vector<QString>& list, int last) {
        return std::set<QString>(list.begin(), list.begin() + last + 1);
    };
    EXPECT_TRUE(names(map.m_strLakeName, map.m_nLakeLast).count(Q(GetParam().lake)));
    EXPECT_TRUE(names(map.m_strParkName, map.m_nParkLast).count(Q(GetParam().park)));
    for (const auto& [name, category] : GetParam().places) {
        bool found = false;
        for (int i = 0; i <= map.m_nPlaceLast; ++i)
            found = found || (map.m_strPlaceName[i] == Q(name) && map.m_nPlaceCategory[i] == category);
        EXPECT_TRUE(found) << name;
    }
}

TEST_P(RealExtract, EachStreetIsOneRunOfRecords)
{
    std::map<QString, std::pair<int, int>> runs; // first and last record of each name
    for (int i = 0; i <= map.m_nWayLast; ++i) {
        auto [it, added] = runs.try_emplace(map.m_strWayName[i], i, i);
        EXPECT_TRUE(added || it->second.second == i - 1) << map.m_strWayName[i].toStdString() << " at " << i;
        it->second.second = i;
    }
}

template <typename T> std::vector<T> Used(const std::vector<T>& list, int last)
{
    return {list.begin(), list.begin() + last + 1};
}

// Every record kind of a map with its point lists cut to the points in use.
void ExpectSameRecords(const std::vector<QString>& names1, const std::vector<std::vector<MapPoint>>& points1,
                       const std::vector<int>& last1, const std::vector<QString>& names2,
                       const std::vector<std::vector<MapPoint>>& points2, const std::vector<int>& last2, int last)
{
    EXPECT_EQ(Used(names1, last), Used(names2, last));
    EXPECT_EQ(Used(last1, last), Used(last2, last));
    for (int i = 0; i <= last; ++i)
        EXPECT_EQ(Used(points1[i], last1[i]), Used(points2[i], last2[i])) << "record " << i;
}

TEST_P(RealExtract, TheReaderLoadsExactlyWhatTheImporterMade)
{
    const Imported result = ImportFile(input, ImportOptions());
    ASSERT_TRUE(result.ok) << result.error.toStdString();
    const MapData& a = result.built;
    const MapData& b = result.loaded;
    EXPECT_EQ(std::tie(a.m_nCenterX, a.m_nCenterY, a.m_nResWidth, a.m_nResHeight, a.m_nGpsOriginX, a.m_nGpsOriginY),
              std::tie(b.m_nCenterX, b.m_nCenterY, b.m_nResWidth, b.m_nResHeight, b.m_nGpsOriginX, b.m_nGpsOriginY));
    EXPECT_EQ(std::tie(a.m_dMapScale, a.m_dResStep, a.m_dGpsRotation, a.m_dGpsUnitsPerMapUnit),
              std::tie(b.m_dMapScale, b.m_dResStep, b.m_dGpsRotation, b.m_dGpsUnitsPerMapUnit));
    ASSERT_EQ(std::tie(a.m_nDistrictLast, a.m_nWayLast, a.m_nBusLast, a.m_nRiverLast, a.m_nLakeLast, a.m_nParkLast,
                       a.m_nPlaceLast, a.m_nTextLast, a.m_nNodeLast),
              std::tie(b.m_nDistrictLast, b.m_nWayLast, b.m_nBusLast, b.m_nRiverLast, b.m_nLakeLast, b.m_nParkLast,
                       b.m_nPlaceLast, b.m_nTextLast, b.m_nNodeLast));
    ExpectSameRecords(a.m_strDistrictName, a.m_pDistrictPoints, a.m_nDistrictPointLast, b.m_strDistrictName,
                      b.m_pDistrictPoints, b.m_nDistrictPointLast, a.m_nDistrictLast);
    ExpectSameRecords(a.m_strWayName, a.m_pWayPoints, a.m_nWayPointLast, b.m_strWayName, b.m_pWayPoints,
                      b.m_nWayPointLast, a.m_nWayLast);
    EXPECT_EQ(Used(a.m_strWayDirection, a.m_nWayLast), Used(b.m_strWayDirection, b.m_nWayLast));
    EXPECT_EQ(Used(a.m_nWayWidth, a.m_nWayLast), Used(b.m_nWayWidth, b.m_nWayLast));
    ExpectSameRecords(a.m_strBusName, a.m_pBusPoints, a.m_nBusPointLast, b.m_strBusName, b.m_pBusPoints,
                      b.m_nBusPointLast, a.m_nBusLast);
    ExpectSameRecords(a.m_strLakeName, a.m_pLakePoints, a.m_nLakePointLast, b.m_strLakeName, b.m_pLakePoints,
                      b.m_nLakePointLast, a.m_nLakeLast);
    ExpectSameRecords(a.m_strParkName, a.m_pParkPoints, a.m_nParkPointLast, b.m_strParkName, b.m_pParkPoints,
                      b.m_nParkPointLast, a.m_nParkLast);
    EXPECT_EQ(Used(a.m_strPlaceName, a.m_nPlaceLast), Used(b.m_strPlaceName, b.m_nPlaceLast));
    EXPECT_EQ(Used(a.m_ptPlace, a.m_nPlaceLast), Used(b.m_ptPlace, b.m_nPlaceLast));
    EXPECT_EQ(Used(a.m_nPlaceCategory, a.m_nPlaceLast), Used(b.m_nPlaceCategory, b.m_nPlaceLast));
    EXPECT_EQ(Used(a.m_strPlaceInfo, a.m_nPlaceLast), Used(b.m_strPlaceInfo, b.m_nPlaceLast));
    EXPECT_EQ(Used(a.m_strText, a.m_nTextLast), Used(b.m_strText, b.m_nTextLast));
    EXPECT_EQ(Used(a.m_ptText, a.m_nTextLast), Used(b.m_ptText, b.m_nTextLast));
    EXPECT_EQ(Used(a.m_nTextSize, a.m_nTextLast), Used(b.m_nTextSize, b.m_nTextLast));
    EXPECT_EQ(Used(a.m_pNodeWays, a.m_nNodeLast), Used(b.m_pNodeWays, b.m_nNodeLast));
    EXPECT_EQ(Used(a.m_pNodeCoords, a.m_nNodeLast), Used(b.m_pNodeCoords, b.m_nNodeLast));
}

TEST_P(RealExtract, SameInputGivesTheSameBytes)
{
    const QString again = dir.filePath(QStringLiteral("again.kvp"));
    ASSERT_EQ(RunTool({QStringLiteral("import"), input, QStringLiteral("-o"), again}).exitCode, 0);
    EXPECT_EQ(ReadFile(again), ReadFile(output));
}

INSTANTIATE_TEST_SUITE_P(
    Tools, RealExtract,
    ::testing::Values(
        Extract{"hanoi_van_mieu.osm",
                true,
                {"Phố Quốc Tử Giám", "Phố Tôn Đức Thắng", "Đường Hoàng Diệu", "Phố Giảng Võ", "Phố Hào Nam"},
                "Hồ Văn",
                "Vườn Giám",
                {{"Bệnh viện Đa khoa Xanh Pôn", 1},
                 {"Nhà thờ Hàng Bột", 6},
                 {"Chợ Ngô Sĩ Liên", 14},
                 {"Chùa Cát Linh", 16},
                 {"Bưu Cục EMS Cát Linh", 18},
                 {"Sân vận động Hàng Đẫy", 19}}},
        Extract{"hcmc_district3.osm",
                false,
                {"Võ Thị Sáu", "Hai Bà Trưng", "Điện Biên Phủ", "Nam Kỳ Khởi Nghĩa", "Công trường Quốc tế"},
                "Hồ Con Rùa",
                "Công viên Lê Văn Tám",
                {{"Chợ Tân Định", 14}, {"Bưu Điện Tân Định", 18}, {"Nhà thờ Tân Định", 6}, {"Petrolimex", 26}}}),
    [](const auto& info) { return std::string(info.param.file).substr(0, 5); });

// The bundled maps are what scripts/import-demo.sh makes: the real
// extracts imported with the importer's defaults.
TEST(BundledMaps, AreTheImportsOfTheRealExtracts)
{
    for (const auto& [osm, kvp] :
         {std::pair{"hanoi_van_mieu.osm", "hanoi.kvp"}, std::pair{"hcmc_district3.osm", "hcmc_district3.kvp"}}) {
        const QString bundled = QDir(QStringLiteral(KORVANE_SOURCE_DIR)).filePath(QStringLiteral("data/") + kvp);
        QTemporaryDir dir;
        const QString fresh = dir.filePath(QLatin1String(kvp));
        ASSERT_EQ(RunTool({QStringLiteral("import"), TestOsm(osm), QStringLiteral("-o"), fresh}).exitCode, 0);
        EXPECT_TRUE(ReadFile(bundled) == ReadFile(fresh)) << kvp << ": run scripts/import-demo.sh";
        EXPECT_TRUE(CheckMapText(ReadFile(bundled)).empty()) << kvp;
    }
}

class HanoiMap : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        roads = new OsmRoads(TestOsm("hanoi_van_mieu.osm"));
        dir = new QTemporaryDir;
        mapPath = new QString(dir->filePath(QStringLiteral("hanoi.kvp")));
        ASSERT_EQ(
            RunTool({QStringLiteral("import"), TestOsm("hanoi_van_mieu.osm"), QStringLiteral("-o"), *mapPath}).exitCode,
            0);
    }
    static void TearDownTestSuite()
    {
        delete roads;
        delete mapPath;
        delete dir;
    }
    void SetUp() override { ASSERT_TRUE(LoadMapFile(map, *mapPath, 0)); }

    // The route between two corners given by their streets' names, as the map
    // finds it and as the OpenStreetMap roads give it.
    void ExpectRouteMatches(const char* a1, const char* a2, const char* b1, const char* b2);

    static inline QTemporaryDir* dir = nullptr;
    static inline OsmRoads* roads = nullptr;
    static inline QString* mapPath = nullptr;
    MapData map;
};

void HanoiMap::ExpectRouteMatches(const char* a1, const char* a2, const char* b1, const char* b2)
{
    const int64_t from = roads->Corner(a1, a2);
    const int64_t to = roads->Corner(b1, b2);
    ASSERT_TRUE(from && to);
    const double osmKm = roads->ShortestMetres(from, to) / 1000.0;
    ASSERT_GT(osmKm, 1.0) << "corners far apart";

    const int start = MapCorner(map, Q(a1), Q(a2));
    const int end = MapCorner(map, Q(b1), Q(b2));
    ASSERT_TRUE(start && end);
    const MapPoint s = NodePoint(map, start), e = NodePoint(map, end);
    RouteResult route;
    ASSERT_EQ(FindShortestRoute(map, AvoidState(), route, s, s, s, e, e, e, Q(a1), Q(b1)), 1);
    const double mapKm = route.m_dRouteLength * map.m_dMapScale * 0.000001;
    EXPECT_NEAR(mapKm, osmKm, 0.05 * osmKm) << a1 << " x " << a2 << " to " << b1 << " x " << b2;

    // Travel runs from the last element to the first; each leg between road
    // nodes is a link of the road graph in that direction, so it follows a
    // street and never against a one-way street.
    ASSERT_GE(route.m_nRouteLast, 3);
    for (int i = route.m_nRouteLast - 1; i >= 2; --i) {
        const int u = route.m_routeNodes[i], v = route.m_routeNodes[i - 1];
        const std::vector<int> next = NeighboursOf(map, u);
        EXPECT_NE(std::find(next.begin(), next.end(), v), next.end()) << "leg " << u << " -> " << v;
    }
    EXPECT_TRUE(route.m_strRouteText.startsWith(Q(a1))) << route.m_strRouteText.toStdString();
}

TEST_F(HanoiMap, RoutesAcrossTheMapAreAsLongAsOnTheOpenStreetMapRoads)
{
    ExpectRouteMatches("Phố Giảng Võ", "Phố Vũ Thạnh", "Phố Ngô Sĩ Liên", "Phố Quốc Tử Giám");
    ExpectRouteMatches("Phố Ngô Sĩ Liên", "Phố Quốc Tử Giám", "Phố Giảng Võ", "Phố Vũ Thạnh");
    ExpectRouteMatches("Phố Giang Văn Minh", "Ngõ Núi Trúc", "Phố Nguyễn Khuyến", "Phố Ngô Sĩ Liên");
}

// The command picks the street segments at the two points as taps would,
// so on a one-way street it may start or end through the segment's other
// node: its route is never shorter than the one between the two corners.
TEST_F(HanoiMap, TheRouteCommandPrintsALengthThatMatchesItsPoints)
{
    const MapPoint s = NodePoint(map, MapCorner(map, Q("Phố Giảng Võ"), Q("Phố Vũ Thạnh")));
    const MapPoint e = NodePoint(map, MapCorner(map, Q("Phố Ngô Sĩ Liên"), Q("Phố Quốc Tử Giám")));
    RouteResult corners;
    ASSERT_EQ(FindShortestRoute(map, AvoidState(), corners, s, s, s, e, e, e, QString(), QString()), 1);
    const ToolRun run =
        RunTool({QStringLiteral("route"), *mapPath, QStringLiteral("--from"), QStringLiteral("%1,%2").arg(s.x).arg(s.y),
                 QStringLiteral("--to"), QStringLiteral("%1,%2").arg(e.x).arg(e.y)});
    ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();
    const QStringList lines = run.out.split(QLatin1Char('\n'));
    ASSERT_GE(lines.size(), 3);
    ASSERT_TRUE(lines[0].startsWith(QStringLiteral("length: ")));
    const double printedKm = lines[0].split(QLatin1Char(' '))[1].toDouble();
    EXPECT_TRUE(lines[1].startsWith(Q("streets: Phố Giảng Võ"))) << lines[1].toStdString();
    std::vector<MapPoint> points;
    for (const QString& pair : lines[2].split(QLatin1Char(' '), Qt::SkipEmptyParts).mid(1)) {
        const QStringList xy = pair.split(QLatin1Char(','));
        points.push_back({xy[0].toInt(), xy[1].toInt()});
    }
    ASSERT_GE(points.size(), 3u);
    EXPECT_EQ(points.front(), s);
    EXPECT_EQ(points.back(), e);
    double units = 0.0;
    for (size_t i = 1; i < points.size(); ++i)
        units += PointDistance(points[i - 1], points[i]);
    EXPECT_NEAR(printedKm, units * map.m_dMapScale * 0.000001, 0.0015);
    EXPECT_GE(printedKm, corners.m_dRouteLength * map.m_dMapScale * 0.000001 - 0.0015);
    for (size_t i = 2; i + 1 < points.size(); ++i) {
        const std::vector<int> next = NeighboursOf(map, NodeAt(map, points[i - 1]));
        EXPECT_NE(std::find(next.begin(), next.end(), NodeAt(map, points[i])), next.end()) << "leg " << i;
    }
}

TEST_F(HanoiMap, AReceiverAtAStreetCornerLandsOnThatCorner)
{
    for (const auto& [a, b] : {std::pair{"Phố Quốc Tử Giám", "Phố Văn Miếu"}, std::pair{"Phố Cát Linh", "Phố Giảng Võ"},
                               std::pair{"Phố Nguyễn Thái Học", "Phố Trịnh Hoài Đức"}}) {
        const int64_t corner = roads->Corner(a, b);
        ASSERT_NE(corner, 0) << a << " x " << b;
        const MapPoint gps = RmcToMap(map, RmcAt(ToGeo(roads->Where(corner))));
        const int node = MapCorner(map, Q(a), Q(b));
        ASSERT_GT(node, 0) << a << " x " << b;
        EXPECT_LE(PointDistance(gps, NodePoint(map, node)), 2.0) << a << " x " << b << ": " << gps.x << "," << gps.y;
        EXPECT_EQ(MapPointOf(map, ToGeo(roads->Where(corner))), NodePoint(map, node));
    }
}

} // namespace
