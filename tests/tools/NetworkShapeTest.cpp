// What the map view and the route search need of the streets the importer
// writes: no WAY record that folds back on itself (the view never lists a way
// whose ends lie within 20 pixels of each other), every road node reachable
// from every other, and a map that fits whatever the size of the extract.
#include "ToolTestSupport.h"

#include "MapCheck.h"

#include "view/Viewport.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

namespace {

QString Q(const char* utf8)
{
    return QString::fromUtf8(utf8);
}

Tags Street(const std::string& name, std::initializer_list<std::pair<std::string, std::string>> more = {})
{
    Tags tags = {{"highway", "residential"}, {"name", name}};
    tags.insert(tags.end(), more.begin(), more.end());
    return tags;
}

std::vector<MapPoint> WayPoints(const MapData& map, int way)
{
    return {map.m_pWayPoints[way].begin(), map.m_pWayPoints[way].begin() + map.m_nWayPointLast[way] + 1};
}

bool Contains(const std::vector<MapPoint>& points, MapPoint p)
{
    return std::find(points.begin(), points.end(), p) != points.end();
}

// A roundabout mapped as one closed way with four streets leaving it, and a
// divided street whose one-way carriageways of one name part at f at a sharp
// angle: every record is listed by the map view, the roundabout as two
// records or more, each carriageway on its own (joined at f they would make
// one line, k-i-f-g-h, not folded enough to be cut again).
TEST(ImporterNetwork, RoundaboutsAndBothCarriagewaysAreShown)
{
    OsmSketch sketch({
        "        a               h    ",
        "                             ",
        "                   g         ",
        "        n                    ",
        "  b   w   e   f              ",
        "        s                    ",
        "                   i         ",
        "                             ",
        "        c               k    ",
    });
    sketch.Way(1, "nwsen", {{"highway", "tertiary"}, {"junction", "roundabout"}, {"name", "Vòng xoay"}})
        .Way(2, "an", Street("Phố Bắc"))
        .Way(3, "bw", Street("Phố Tây"))
        .Way(4, "sc", Street("Phố Nam"))
        .Way(5, "ef", Street("Phố Đông"))
        .Way(6, "fgh", Street("Phố Đôi", {{"oneway", "yes"}}))
        .Way(7, "kif", Street("Phố Đôi", {{"oneway", "yes"}}))
        .Way(8, "hk", Street("Phố Nối"));
    const Imported map = ImportXml(sketch.Xml());
    ASSERT_TRUE(map.ok) << map.error.toStdString();
    const MapData& m = map.loaded;
    const auto at = [&](char letter) { return MapPointOf(m, sketch.Where(letter)); };
    EXPECT_TRUE(CheckMapText(map.text).empty());
    for (int w = 0; w <= m.m_nWayLast; ++w)
        EXPECT_LE(LengthPerEndSpanOf(m, w), 3.0) << m.m_strWayName[w].toStdString();
    const std::vector<int> ring = WaysNamed(m, Q("Vòng xoay"));
    EXPECT_GE(ring.size(), 2u);
    for (char corner : std::string("nwse")) {
        EXPECT_TRUE(std::any_of(ring.begin(), ring.end(), [&](int w) { return Contains(WayPoints(m, w), at(corner)); }))
            << corner;
    }
    int carriageways = 0;
    for (int w : WaysNamed(m, Q("Phố Đôi"))) {
        carriageways += m.m_strWayDirection[w] == QLatin1String("1");
        EXPECT_FALSE(Contains(WayPoints(m, w), at('g')) && Contains(WayPoints(m, w), at('i')));
    }
    EXPECT_EQ(carriageways, 2);

    // The whole sketch, about 580 m across, in a window 480 pixels wide.
    ViewState view;
    view.m_dScale =
        0.9 * std::min(double(view.m_nClientWidth) / m.m_nResWidth, double(view.m_nClientHeight) / m.m_nResHeight);
    view.m_nOriginX = view.m_nOriginY = -10;
    UpdateVisibleWays(m, view);
    EXPECT_EQ(view.m_nVisibleWays, m.m_nWayLast + 1);
}

TEST(ImporterNetwork, OneWayPiecesNoRouteCanLeaveOrEnterAreLeftOut)
{
    // A grid of two-way streets; "Phố Ra" leads one way out to a dead end,
    // "Phố Vào" one way in from a dead end.
    OsmSketch sketch({
        "a-------b-------c-------d",
        "|       |       |        ",
        "e-------f-------g-------h",
    });
    sketch.Way(1, "abc", Street("Phố Bắc"))
        .Way(2, "efg", Street("Phố Nam"))
        .Way(3, "ae", Street("Phố Tây"))
        .Way(4, "bf", Street("Phố Giữa"))
        .Way(5, "cg", Street("Phố Đông"))
        .Way(6, "cd", Street("Phố Ra", {{"oneway", "yes"}}))
        .Way(7, "hg", Street("Phố Vào", {{"oneway", "yes"}}));
    const Imported map = ImportXml(sketch.Xml());
    ASSERT_TRUE(map.ok) << map.error.toStdString();
    const MapData& m = map.loaded;
    EXPECT_EQ(m.m_nNodeLast, 6);
    EXPECT_TRUE(WaysNamed(m, Q("Phố Ra")).empty());
    EXPECT_TRUE(WaysNamed(m, Q("Phố Vào")).empty());
    EXPECT_EQ(NodeAt(m, MapPointOf(m, sketch.Where('d'))), 0);
    const QString notes = map.report.notes.join(QLatin1Char(' '));
    EXPECT_TRUE(notes.contains(Q("2 of the 8 road nodes (25.0 %) were left out"))) << notes.toStdString();
    EXPECT_TRUE(notes.contains(Q("Phố Ra")) && notes.contains(Q("Phố Vào"))) << notes.toStdString();
    EXPECT_TRUE(CheckMapText(map.text).empty());
}

// Named banks at every corner of a grid of streets: far more than a map
// file holds, and nothing minor to leave out.
std::string CrowdedGrid(int size)
{
    OsmSketch sketch({});
    const auto id = [size](int row, int col) { return int64_t(1 + row * size + col); };
    for (int row = 0; row < size; ++row) {
        for (int col = 0; col < size; ++col)
            sketch.Node(id(row, col), 21.05 - row * 0.0005, 105.80 + col * 0.0005,
                        {{"amenity", "bank"}, {"name", "Ngân hàng " + std::to_string(row * size + col)}});
    }
    for (int k = 0; k < size; ++k) {
        std::vector<int64_t> across, down;
        for (int j = 0; j < size; ++j) {
            across.push_back(id(k, j));
            down.push_back(id(j, k));
        }
        sketch.WayOfIds(1 + k, across, Street("Phố Ngang " + std::to_string(k)));
        sketch.WayOfIds(1 + size + k, down, Street("Phố Dọc " + std::to_string(k)));
    }
    return sketch.Xml();
}

TEST(ImporterFit, AnExtractTooLargeFitsAroundItsMiddleOrAGivenCentre)
{
    const std::string xml = CrowdedGrid(80);
    const Imported whole = ImportXml(xml);
    ASSERT_FALSE(whole.ok);
    // One line, the cause first, then a box that would fit.
    EXPECT_TRUE(whole.error.startsWith(Q("the map does not fit: the map would be "))) << whole.error.toStdString();
    EXPECT_TRUE(whole.error.contains(Q("more than the 450000 a map file may hold. An area of about ")));
    EXPECT_TRUE(whole.error.contains(Q(" km around the middle would fit: --box 105.8")));
    EXPECT_FALSE(whole.error.contains(QLatin1Char('\n')));

    ImportOptions options = NoSimplify();
    options.fit = true;
    const Imported middle = ImportXml(xml, options);
    ASSERT_TRUE(middle.ok) << middle.error.toStdString();
    EXPECT_TRUE(CheckMapText(middle.text).empty());
    EXPECT_GT(middle.text.size(), 0.8 * 450000) << "kept nearly as much as fits";
    // The grid spans 105.80..105.8395 E, 21.0105..21.05 N.
    const GeoBox kept = middle.report.box;
    EXPECT_NEAR((kept.min.lonE7 + kept.max.lonE7) / 2e7, 105.81975, 0.0002);
    EXPECT_NEAR((kept.min.latE7 + kept.max.latE7) / 2e7, 21.03025, 0.0002);
    EXPECT_LT(kept.max.lonE7 - kept.min.lonE7, 0.9 * 395000);
    const QString notes = middle.report.notes.join(QLatin1Char(' '));
    EXPECT_TRUE(notes.contains(QStringLiteral(" km around 21.03025 N 105.81975 E: --box %1,%2,")
                                   .arg(kept.min.lonE7 / 1e7, 0, 'f', 5)
                                   .arg(kept.min.latE7 / 1e7, 0, 'f', 5)))
        << notes.toStdString();

    // Around the north-west part of the grid.
    options.center = GeoPoint{1058050000, 210450000};
    const Imported corner = ImportXml(xml, options);
    ASSERT_TRUE(corner.ok) << corner.error.toStdString();
    EXPECT_TRUE(CheckMapText(corner.text).empty());
    EXPECT_TRUE(corner.report.box.Contains(*options.center));
    EXPECT_GE(corner.report.box.min.lonE7, 1058000000);
    EXPECT_LE(corner.report.box.max.latE7, 210500000);
    EXPECT_LT(corner.report.box.max.lonE7, kept.max.lonE7);
}

} // namespace
