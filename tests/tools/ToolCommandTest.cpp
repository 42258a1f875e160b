// korvane-tool as a user runs it: bad input, check, info, render and route.
#include "ToolTestSupport.h"

#include "MapCheck.h"

#include "map/MapFileReader.h"
#include "view/Viewport.h"

#include <QFileInfo>
#include <QImage>
#include <QRegularExpression>

#include <gtest/gtest.h>

#include <cmath>

#include <osmium/io/pbf_output.hpp>
#include <osmium/io/reader.hpp>
#include <osmium/io/writer.hpp>
#include <osmium/io/xml_input.hpp>

namespace {

QString Q(const char* utf8)
{
    return QString::fromUtf8(utf8);
}

// a→b→c may only be driven eastwards; the other three sides both ways, with
// a nameless lake inside the square. Its north-west corner a lies at
// 21.03 N 105.83 E unless given.
OsmSketch Square(double north = 21.03, double west = 105.83)
{
    OsmSketch sketch(
        {
            "a-------b-------c",
            "|               |",
            "|   k-------l   |",
            "|   |       |   |",
            "|   n-------m   |",
            "|               |",
            "d-------e-------f",
        },
        north, west);
    sketch.Way(1, "abc", {{"highway", "residential"}, {"name", "Phố Một Chiều"}, {"oneway", "yes"}})
        .Way(2, "def", {{"highway", "residential"}, {"name", "Phố Dưới"}})
        .Way(3, "ad", {{"highway", "residential"}, {"name", "Phố Tây"}})
        .Way(4, "cf", {{"highway", "residential"}, {"name", "Phố Đông"}})
        .Way(5, "klmnk", {{"natural", "water"}});
    return sketch;
}

class ToolCommand : public ::testing::Test {
protected:
    void SetUp() override
    {
        osm = WriteFile(dir, QStringLiteral("square.osm"), QByteArray::fromStdString(sketch.Xml()));
        map = dir.filePath(QStringLiteral("square.kvp"));
        const ToolRun run = RunTool({QStringLiteral("import"), osm, QStringLiteral("-o"), map});
        ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();
        ASSERT_TRUE(LoadMapFile(loaded, map, 0));
    }
    QString At(char letter) const
    {
        const MapPoint p = MapPointOf(loaded, sketch.Where(letter));
        return QStringLiteral("%1,%2").arg(p.x).arg(p.y);
    }
    // The length a route command printed, in kilometres.
    static double RouteLength(const ToolRun& run)
    {
        const auto match = QRegularExpression(QStringLiteral("length: ([0-9.]+) km")).match(run.out);
        return match.hasMatch() ? match.captured(1).toDouble() : -1.0;
    }
    QTemporaryDir dir;
    OsmSketch sketch = Square();
    QString osm, map;
    MapData loaded;
};

TEST_F(ToolCommand, ImportWritesTheSameBytesEveryTime)
{
    const QString again = dir.filePath(QStringLiteral("again.kvp"));
    ASSERT_EQ(RunTool({QStringLiteral("import"), osm, QStringLiteral("-o"), again}).exitCode, 0);
    EXPECT_EQ(ReadFile(again), ReadFile(map));
    EXPECT_FALSE(ReadFile(map).isEmpty());
}

TEST_F(ToolCommand, PbfExtractGivesTheSameMapAsXml)
{
    const QString pbf = dir.filePath(QStringLiteral("square.osm.pbf"));
    osmium::io::Reader reader(osm.toStdString());
    osmium::io::Writer writer(pbf.toStdString());
    while (osmium::memory::Buffer buffer = reader.read())
        writer(std::move(buffer));
    writer.close();
    reader.close();
    const QString fromPbf = dir.filePath(QStringLiteral("pbf.kvp"));
    const ToolRun run = RunTool({QStringLiteral("import"), pbf, QStringLiteral("-o"), fromPbf});
    ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();
    EXPECT_EQ(ReadFile(fromPbf), ReadFile(map));
}

TEST_F(ToolCommand, RouteFollowsTheStreetsAndRespectsTheOneWayStreet)
{
    // Two rows down the west and the east street.
    const auto onSide = [&](char top) {
        const GeoPoint p = sketch.Where(top);
        const MapPoint m = MapPointOf(loaded, {p.lonE7, p.latE7 - 4000});
        return QStringLiteral("%1,%2").arg(m.x).arg(m.y);
    };
    const ToolRun east = RunTool(
        {QStringLiteral("route"), map, QStringLiteral("--from"), onSide('a'), QStringLiteral("--to"), onSide('c')});
    ASSERT_EQ(east.exitCode, 0) << east.err.toStdString();
    EXPECT_TRUE(east.out.contains(Q("Phố Tây-Phố Một Chiều-Phố Đông"))) << east.out.toStdString();
    // Westwards the one-way street is closed: round by d and f.
    const ToolRun west = RunTool(
        {QStringLiteral("route"), map, QStringLiteral("--from"), onSide('c'), QStringLiteral("--to"), onSide('a')});
    ASSERT_EQ(west.exitCode, 0) << west.err.toStdString();
    EXPECT_TRUE(west.out.contains(Q("Phố Đông-Phố Dưới-Phố Tây"))) << west.out.toStdString();
    for (char corner : {'f', 'd'})
        EXPECT_TRUE(west.out.contains(QStringLiteral(" %1 ").arg(At(corner)))) << corner << west.out.toStdString();
    // Two cells up, 16 across and two down eastwards; four down, 16 across
    // and four up westwards. A cell is 0.0002°, shorter to the east by the
    // cosine of the latitude.
    const double northKm = 0.0002 * 111.195;
    const double eastKm = northKm * std::cos(21.03 * M_PI / 180.0);
    EXPECT_NEAR(RouteLength(east), 4 * northKm + 16 * eastKm, 0.04 * (4 * northKm + 16 * eastKm));
    EXPECT_NEAR(RouteLength(west), 8 * northKm + 16 * eastKm, 0.04 * (8 * northKm + 16 * eastKm));
}

TEST_F(ToolCommand, InfoDescribesExtentScaleAndCalibration)
{
    const ToolRun run = RunTool({QStringLiteral("info"), map});
    ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();
    EXPECT_TRUE(run.out.contains(QStringLiteral("4 WAY records, 4 street names"))) << run.out.toStdString();
    EXPECT_TRUE(run.out.contains(QStringLiteral("1 GPS units per map unit"))) << run.out.toStdString();
    // The street square spans 21.0288..21.03 N, 105.83..105.8332 E.
    EXPECT_TRUE(run.out.contains(QStringLiteral("north-west 21.03000 N 105.83000 E"))) << run.out.toStdString();
    EXPECT_TRUE(run.out.contains(QStringLiteral("lakes 1"))) << run.out.toStdString();
    // At 21° N a degree of longitude is 0.934 of one of latitude on the
    // ground; one SCALE, the geometric mean, errs by 3.5 % either way.
    EXPECT_TRUE(run.out.contains(Q("distortion: at 21.03° N the map is drawn 7.1 % wider than the ground; distances "
                                   "read 3.5 % long east-west and 3.4 % short north-south")))
        << run.out.toStdString();
    EXPECT_TRUE(run.out.contains(QStringLiteral("warning: the map is drawn 7.1 % wider east-west than the ground, "
                                                "more than 5 %")))
        << run.out.toStdString();
}

// Campo Grande lies south of the equator and west of Greenwich: GPS x is
// negative there and GPS y (minus the latitude) positive.
TEST(ToolHemispheres, ASouthernWesternMapNamesItsHemispheresAndPlacesAReceiverRight)
{
    QTemporaryDir dir;
    const OsmSketch sketch = Square(-20.46, -54.62);
    const QString osm = WriteFile(dir, QStringLiteral("campo.osm"), QByteArray::fromStdString(sketch.Xml()));
    const QString kvp = dir.filePath(QStringLiteral("campo.kvp"));
    const ToolRun import = RunTool({QStringLiteral("import"), osm, QStringLiteral("-o"), kvp});
    ASSERT_EQ(import.exitCode, 0) << import.err.toStdString();
    EXPECT_TRUE(import.err.contains(QStringLiteral("warning: the map is drawn 6.7 % wider")))
        << import.err.toStdString();

    const ToolRun info = RunTool({QStringLiteral("info"), kvp});
    EXPECT_TRUE(info.out.contains(QStringLiteral("area: north-west 20.46000 S 54.62000 W, south-east 20.46120 S "
                                                 "54.61680 W")))
        << info.out.toStdString();
    EXPECT_TRUE(info.out.contains(Q("distortion: at 20.46° S"))) << info.out.toStdString();

    MapData map;
    ASSERT_TRUE(LoadMapFile(map, kvp, 0));
    EXPECT_LT(map.m_nGpsOriginX, 0);
    EXPECT_GT(map.m_nGpsOriginY, 0);
    for (char corner : std::string("acdf")) {
        const std::string rmc = RmcAt(sketch.Where(corner));
        EXPECT_NE(rmc.find(",S,"), std::string::npos) << rmc;
        EXPECT_NE(rmc.find(",W,"), std::string::npos) << rmc;
        const MapPoint node = MapPointOf(map, sketch.Where(corner));
        ASSERT_GT(NodeAt(map, node), 0) << corner;
        const MapPoint gps = RmcToMap(map, rmc);
        EXPECT_LE(PointDistance(gps, node), 2.0) << corner << ": " << rmc << " at " << gps.x << "," << gps.y;
    }
}

TEST_F(ToolCommand, RenderDrawsTheMapWithTheProgramsRenderer)
{
    const QString png = dir.filePath(QStringLiteral("square.png"));
    const MapPoint lake = MapPointOf(loaded, {(sketch.Where('k').lonE7 + sketch.Where('m').lonE7) / 2,
                                              (sketch.Where('k').latE7 + sketch.Where('m').latE7) / 2});
    const ToolRun run =
        RunTool({QStringLiteral("render"), map, QStringLiteral("-o"), png, QStringLiteral("--size"),
                 QStringLiteral("300x200"), QStringLiteral("--center"), QStringLiteral("%1,%2").arg(lake.x).arg(lake.y),
                 QStringLiteral("--zoom"), QStringLiteral("1")});
    ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();
    const QImage image(png);
    ASSERT_EQ(image.size(), QSize(300, 200));
    EXPECT_EQ(image.pixelColor(150, 100), QColor(6, 87, 172)); // the lake, at the centre
    EXPECT_EQ(image.pixelColor(2, 2), QColor(251, 208, 146));  // the background, outside the streets
}

TEST_F(ToolCommand, CheckPassesTheImportAndListsFaultsWithLineNumbers)
{
    const ToolRun clean = RunTool({QStringLiteral("check"), map});
    EXPECT_EQ(clean.exitCode, 0) << clean.out.toStdString();
    EXPECT_TRUE(clean.out.contains(QStringLiteral("no problems")));

    QByteArray broken = ReadFile(map);
    broken.replace("/WAY\r\n", "/WAY\r\n\t\t\t\t\tfive tabs\r\n");
    const int line = QByteArray(broken.left(broken.indexOf("five tabs"))).count('\n') + 1;
    const QString path = WriteFile(dir, QStringLiteral("broken.kvp"), broken);
    const ToolRun run = RunTool({QStringLiteral("check"), path});
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_TRUE(run.out.contains(QStringLiteral("%1:%2: ignored by the reader").arg(path).arg(line)))
        << run.out.toStdString();
}

// The street, bus-route and place lists of the bundled maps searched as the
// program's lists do, one name a line for scripts.
TEST(ToolFind, PrintsTheMatchingNamesBestFirstOneALine)
{
    const auto bundled = [](const char* name) {
        return QStringLiteral(KORVANE_SOURCE_DIR "/data/") + QLatin1String(name);
    };
    const auto find = [](const QStringList& args) {
        const ToolRun run = RunTool(QStringList{QStringLiteral("find")} + args);
        EXPECT_EQ(run.exitCode, 0) << run.err.toStdString();
        return run.out;
    };
    EXPECT_EQ(find({bundled("hanoi.kvp"), QStringLiteral("mieu")}), QStringLiteral("Phố Văn Miếu\nPhố Y Miếu\n"));
    EXPECT_EQ(find({bundled("hcmc_district3.kvp"), QStringLiteral("DINH cong")}),
              QStringLiteral("Ðinh Công Tráng\nHẻm 37 Đinh Công Tráng\n"));
    EXPECT_EQ(find({bundled("hanoi.kvp"), QStringLiteral("brt kim"), QStringLiteral("--bus")}),
              QStringLiteral("BRT01: Bến xe Yên Nghĩa - Kim Mã\nBRT01: Kim Mã - Bến xe Yên Nghĩa\n"));
    EXPECT_EQ(find({bundled("hanoi.kvp"), QStringLiteral("khue van"), QStringLiteral("--places")}),
              QStringLiteral("Khuê Văn Các\n"));
    EXPECT_EQ(find({bundled("hanoi.kvp"), QStringLiteral("xyz")}), QString());
    EXPECT_EQ(RunTool({QStringLiteral("find"), bundled("hanoi.kvp"), QStringLiteral("a"), QStringLiteral("--bus"),
                       QStringLiteral("--places")})
                  .exitCode,
              2);
}

TEST_F(ToolCommand, WrongArgumentsExitWithTwoAndHelpDescribesEachCommand)
{
    EXPECT_EQ(RunTool({QStringLiteral("import"), osm}).exitCode, 2); // no -o
    EXPECT_EQ(RunTool({QStringLiteral("route"), map, QStringLiteral("--from"), QStringLiteral("1")}).exitCode, 2);
    EXPECT_EQ(RunTool({QStringLiteral("frobnicate")}).exitCode, 2);
    for (const char* command : {"import", "check", "info", "render", "route", "find"}) {
        const ToolRun help = RunTool({QLatin1String(command), QStringLiteral("--help")});
        EXPECT_EQ(help.exitCode, 0) << command;
        EXPECT_TRUE(help.out.contains(QStringLiteral("Usage:"))) << command;
    }
    const ToolRun version = RunTool({QStringLiteral("--version")});
    EXPECT_EQ(version.exitCode, 0);
    EXPECT_TRUE(version.out.startsWith(QStringLiteral("korvane-tool ")) && version.out.at(13).isDigit())
        << version.out.toStdString();
}

// Input that is no usable extract: a message, exit status 1, and no map file
// (an earlier one is left as it was).
class BadInput : public ::testing::TestWithParam<std::pair<const char*, const char*>> {};

TEST_P(BadInput, FailsCleanlyWithoutWritingAMap)
{
    QTemporaryDir dir;
    const auto [content, message] = GetParam();
    const QString input = WriteFile(dir, QStringLiteral("input.osm"), QByteArray(content));
    const QString output = dir.filePath(QStringLiteral("out.kvp"));
    ToolRun run = RunTool({QStringLiteral("import"), input, QStringLiteral("-o"), output});
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_TRUE(run.err.contains(QLatin1String(message))) << run.err.toStdString();
    EXPECT_FALSE(QFileInfo::exists(output));

    WriteFile(dir, QStringLiteral("out.kvp"), "an earlier map");
    run = RunTool({QStringLiteral("import"), input, QStringLiteral("-o"), output});
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_EQ(ReadFile(output), QByteArray("an earlier map"));
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files).size(), 2) << "no temporary file left behind";
}

INSTANTIATE_TEST_SUITE_P(
    ImportTool, BadInput,
    ::testing::Values(std::make_pair("", "no element found"),
                      std::make_pair("<osm version=\"0.6\"><node id=\"1\" lat=\"21.03\" lon=\"105.83\"/><way id=\"2\">",
                                     "not readable OpenStreetMap data"),
                      std::make_pair("This is a shopping list, not a map.", "syntax error"),
                      std::make_pair("<html><body>Not found</body></html>", "Unknown top-level element"),
                      std::make_pair("<osm version=\"0.6\"><node id=\"1\" lat=\"21.03\" lon=\"105.83\">"
                                     "<tag k=\"amenity\" v=\"atm\"/></node></osm>",
                                     "no streets for cars"),
                      std::make_pair("<osm version=\"0.6\"><node id=\"1\" lat=\"95.0\" lon=\"105.83\"/></osm>",
                                     "node 1 has no valid position")));

TEST(ImportTool, MissingInputFileIsReported)
{
    QTemporaryDir dir;
    const ToolRun run = RunTool({QStringLiteral("import"), dir.filePath(QStringLiteral("none.osm")),
                                 QStringLiteral("-o"), dir.filePath(QStringLiteral("out.kvp"))});
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_TRUE(run.err.contains(QStringLiteral("no such file"))) << run.err.toStdString();
}

} // namespace
