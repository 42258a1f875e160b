// korvane-tool gpx and kvt as a user runs them: a saved track exported as GPX
// that the GPX 1.1 schema accepts and gpsbabel reads with the same points,
// back to a road file, and bad input.
#include "ToolTestSupport.h"
#include "support/Programs.h"

#include "gps/GpxFile.h"
#include "gps/RoadFile.h"

#include <QDir>
#include <QFileInfo>
#include <QXmlStreamReader>

#include <gtest/gtest.h>

#include <cmath>

namespace {

struct Degrees {
    double lat, lon;
};

// Every <trkpt> of a GPX file as another program wrote it.
std::vector<Degrees> TrackPointsOf(const QByteArray& gpx)
{
    std::vector<Degrees> points;
    QXmlStreamReader xml(gpx);
    while (!xml.atEnd()) {
        if (xml.readNext() == QXmlStreamReader::StartElement && xml.name() == QLatin1StringView("trkpt"))
            points.push_back({xml.attributes().value("lat").toDouble(), xml.attributes().value("lon").toDouble()});
    }
    return points;
}

class GpxTool : public ::testing::Test {
protected:
    void SetUp() override
    {
        // A drive through Hanoi as "Lưu đường" saves it, one position a
        // second, then a few places in the other hemispheres.
        for (int i = 0; i < 600; ++i)
            track.push_back({63512148 + 37 * i + (i % 7) * 3, -12617100 + 23 * i - (i % 5) * 11});
        track.insert(track.end(), {{-25947000, 13741800}, {90725580, 20321280}, {-44445000, -24442800}, {0, 0}});
        road = dir.filePath(QStringLiteral("drive.kvt"));
        ASSERT_TRUE(WriteRoadFile(road, track, int(track.size())));
        gpx = dir.filePath(QStringLiteral("drive.gpx"));
    }
    ToolRun Export() { return RunTool({QStringLiteral("gpx"), road, QStringLiteral("-o"), gpx}); }

    QTemporaryDir dir;
    std::vector<MapPoint> track;
    QString road, gpx;
};

TEST_F(GpxTool, ASavedTrackComesBackThroughGpsbabelWithTheSamePoints)
{
    const ToolRun exported = Export();
    ASSERT_EQ(exported.exitCode, 0) << exported.err.toStdString();
    EXPECT_TRUE(exported.out.contains(QStringLiteral("wrote %1 (%2 points)").arg(gpx).arg(track.size())))
        << exported.out.toStdString();

    ASSERT_FALSE(Installed("gpsbabel").isEmpty()) << "gpsbabel is needed: scripts/install-deps.sh installs it";
    const QString out = dir.filePath(QStringLiteral("babel.gpx"));
    QString said;
    ASSERT_EQ(RunProgram(QStringLiteral("gpsbabel"),
                         {QStringLiteral("-i"), QStringLiteral("gpx"), QStringLiteral("-f"), gpx, QStringLiteral("-o"),
                          QStringLiteral("gpx"), QStringLiteral("-F"), out},
                         &said),
              0)
        << said.toStdString();
    const std::vector<Degrees> babel = TrackPointsOf(ReadFile(out));
    ASSERT_EQ(babel.size(), track.size());
    double worst = 0.0;
    for (size_t i = 0; i < track.size(); ++i) {
        worst = std::max(
            {worst, std::abs(babel[i].lon - track[i].x / 600000.0), std::abs(babel[i].lat + track[i].y / 600000.0)});
    }
    EXPECT_LE(worst, 1e-6);

    // And back to a road file: every position as it was saved.
    const QString back = dir.filePath(QStringLiteral("back.kvt"));
    const ToolRun imported = RunTool({QStringLiteral("kvt"), out, QStringLiteral("-o"), back});
    ASSERT_EQ(imported.exitCode, 0) << imported.err.toStdString();
    const std::optional<std::vector<MapPoint>> again = ReadRoadFile(back);
    ASSERT_TRUE(again);
    ASSERT_EQ(again->size(), track.size());
    for (size_t i = 0; i < track.size(); ++i) {
        EXPECT_LE(std::abs((*again)[i].x - track[i].x), 1) << i;
        EXPECT_LE(std::abs((*again)[i].y - track[i].y), 1) << i;
    }
}

TEST_F(GpxTool, TheWrittenTrackValidatesAgainstTheGpx11Schema)
{
    const QString schema = QStringLiteral(KORVANE_SOURCE_DIR "/tests/data/gpx/gpx.xsd");
    ASSERT_EQ(Export().exitCode, 0);
    ASSERT_FALSE(Installed("xmllint").isEmpty()) << "xmllint is needed: scripts/install-deps.sh installs it";
    if (!QFileInfo::exists(schema))
        GTEST_SKIP() << "the published GPX 1.1 schema is not in tests/data/gpx/gpx.xsd yet";
    QString said;
    EXPECT_EQ(RunProgram(QStringLiteral("xmllint"),
                         {QStringLiteral("--noout"), QStringLiteral("--schema"), schema, gpx}, &said),
              0)
        << said.toStdString();
    // The schema is strict enough to turn away a point off the earth.
    const QString wrong =
        WriteFile(dir, QStringLiteral("wrong.gpx"), ReadFile(gpx).replace("lat=\"21.0285000\"", "lat=\"91.0000000\""));
    const QByteArray changed = ReadFile(wrong);
    ASSERT_NE(changed, ReadFile(gpx));
    EXPECT_NE(
        RunProgram(QStringLiteral("xmllint"), {QStringLiteral("--noout"), QStringLiteral("--schema"), schema, wrong}),
        0);
}

// The track points of a GPX file with the text of their <time>, if any.
struct TimedPoint {
    double lat, lon;
    QString time;
};

std::vector<TimedPoint> TimedPointsOf(const QByteArray& gpx)
{
    std::vector<TimedPoint> points;
    QXmlStreamReader xml(gpx);
    while (!xml.atEnd()) {
        if (xml.readNext() != QXmlStreamReader::StartElement)
            continue;
        if (xml.name() == QLatin1StringView("trkpt"))
            points.push_back({xml.attributes().value("lat").toDouble(), xml.attributes().value("lon").toDouble(), {}});
        else if (xml.name() == QLatin1StringView("time") && !points.empty())
            points.back().time = xml.readElementText();
    }
    return points;
}

TEST_F(GpxTool, AReceiverLogGivesEveryFixTheWindowTakesInOrderWithItsTime)
{
    const QByteArray log =
        "$GPGGA,083559.00,4717.11437,N,00833.91522,E,1,08,1.01,499.6,M,48.0,M,,*58\r\n"
        "$GNRMC,083559.00,A,4717.11437,N,00833.91522,E,0.004,77.52,091202,,,A*49\r\n"
        "$GPRMC,083600.00,V,4717.11437,N,00833.91522,E,,,091202,,,N*43\r\n"
        "\x13\x37 noise \xff\xfe\n" +
        QByteArray("\xb5\x62\x01\x07\0\0\x24\0", 8) +
        "$GLRMC,083601.50,A,3351.0947,S,15112.3201,E,12.5,90.0,091202,,,A\r\n"
        "$GPRMC,083602,A,2037.7279,N,08704.0848,W\r\n"
        "$PGRMC,083602.00,A,2037.7279,N,08704.0848,W,,,091202,,,A\r\n"
        "$GPRMC,083604.00,A,1051.2148,N,10551.2148,E,0.0,0.0,091202,,,A*00\r\n"
        "$GARMC,083603.00,A,2037.72791,N,08704.08482,W,0.0,0.0,,,,A*52";  // no date, no line end
    const QString input = WriteFile(dir, QStringLiteral("drive.nmea"), log);
    const ToolRun run = RunTool({QStringLiteral("gpx"), input, QStringLiteral("-o"), gpx});
    ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();
    EXPECT_TRUE(run.out.contains(QStringLiteral("(3 points)"))) << run.out.toStdString();

    // Decoded by hand from the degrees and minutes the sentences give.
    const std::vector<TimedPoint> expected = {
        {47 + 17.11437 / 60, 8 + 33.91522 / 60, QStringLiteral("2002-12-09T08:35:59Z")},
        {-(33 + 51.0947 / 60), 151 + 12.3201 / 60, QStringLiteral("2002-12-09T08:36:01.500Z")},
        {20 + 37.72791 / 60, -(87 + 4.08482 / 60), QString()},
    };
    const std::vector<TimedPoint> written = TimedPointsOf(ReadFile(gpx));
    ASSERT_EQ(written.size(), expected.size());
    for (size_t i = 0; i < expected.size(); ++i) {
        const double metresPerDegree = 111320;
        const double north = (written[i].lat - expected[i].lat) * metresPerDegree;
        const double east =
            (written[i].lon - expected[i].lon) * metresPerDegree * std::cos(expected[i].lat * M_PI / 180);
        EXPECT_LE(std::hypot(north, east), 0.25) << i;
        EXPECT_EQ(written[i].time, expected[i].time) << i;
    }

    const QString schema = QStringLiteral(KORVANE_SOURCE_DIR "/tests/data/gpx/gpx.xsd");
    if (QFileInfo::exists(schema) && !Installed("xmllint").isEmpty()) {
        QString said;
        EXPECT_EQ(RunProgram(QStringLiteral("xmllint"),
                             {QStringLiteral("--noout"), QStringLiteral("--schema"), schema, gpx}, &said),
                  0)
            << said.toStdString();
    }

    // A log without any fix of status A writes nothing.
    const QString earlier = WriteFile(dir, QStringLiteral("earlier.gpx"), "an earlier file");
    const ToolRun none = RunTool({QStringLiteral("gpx"),
                                  WriteFile(dir, QStringLiteral("void.nmea"),
                                            "$GPRMC,083600.00,V,4717.11437,N,00833.91522,E,,,091202,,,N*43\r\n"),
                                  QStringLiteral("-o"), earlier});
    EXPECT_EQ(none.exitCode, 1);
    EXPECT_TRUE(none.err.contains(QStringLiteral("holds no fix with status A"))) << none.err.toStdString();
    EXPECT_EQ(ReadFile(earlier), QByteArray("an earlier file"));
}

TEST_F(GpxTool, BadInputFailsWithAMessageAndLeavesTheOutputAlone)
{
    for (const char* command : {"gpx", "kvt"}) {
        const ToolRun help = RunTool({QLatin1String(command), QStringLiteral("--help")});
        EXPECT_EQ(help.exitCode, 0) << command;
        EXPECT_TRUE(help.out.contains(QStringLiteral("-o, --output <file>"))) << help.out.toStdString();
        const ToolRun noOutput = RunTool({QLatin1String(command), road});
        EXPECT_EQ(noOutput.exitCode, 2) << command;
        EXPECT_TRUE(noOutput.err.contains(QStringLiteral("give -o FILE"))) << noOutput.err.toStdString();
    }
    EXPECT_TRUE(RunTool({QStringLiteral("--help")}).out.contains(QStringLiteral("kvt     write the track points")));

    const QString earlier = WriteFile(dir, QStringLiteral("earlier"), "an earlier file");
    const auto fails = [&](const char* command, const QString& input, const char* message) {
        const ToolRun run = RunTool({QLatin1String(command), input, QStringLiteral("-o"), earlier});
        EXPECT_EQ(run.exitCode, 1) << input.toStdString();
        EXPECT_TRUE(run.err.contains(QLatin1String(message))) << run.err.toStdString();
        EXPECT_EQ(ReadFile(earlier), QByteArray("an earlier file"));
    };
    fails("gpx", dir.filePath(QStringLiteral("none.kvt")), "cannot read");
    fails("gpx", WriteFile(dir, QStringLiteral("empty.kvt"), "\r\nend\r\n"), "holds no position on the earth");
    fails("gpx", WriteFile(dir, QStringLiteral("far.kvt"), "0,-60000000;200000000,0;\r\nend\r\n"),
          "holds no position on the earth");
    fails("kvt", dir.filePath(QStringLiteral("none.gpx")), "cannot read");
    fails("kvt", WriteFile(dir, QStringLiteral("empty.gpx"), ""), "is not a GPX file");
    fails("kvt", road, "is not a GPX file: line 1");
    fails("kvt", WriteFile(dir, QStringLiteral("kml.gpx"), "<kml/>"), "the document is <kml>, not <gpx>");
    fails("kvt", WriteFile(dir, QStringLiteral("wpt.gpx"), "<gpx><wpt lat=\"1\" lon=\"1\"/></gpx>"),
          "holds no track or route point");
    fails("kvt",
          WriteFile(dir, QStringLiteral("one.gpx"),
                    "<gpx><trk><trkseg><trkpt lat=\"1\" lon=\"1\"/></trkseg></trk></gpx>"),
          "holds a single point");
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files).size(), 8) << "no temporary file left behind";

    // Points off the earth are left out with a warning; the rest are written.
    const ToolRun some = RunTool(
        {QStringLiteral("kvt"),
         WriteFile(dir, QStringLiteral("some.gpx"),
                   "<gpx><trk><trkseg><trkpt lat=\"1\" lon=\"2\"/><trkpt lat=\"99\" lon=\"2\"/><trkpt lat=\"3\" "
                   "lon=\"4\"/></trkseg></trk>garbage"),
         QStringLiteral("-o"), earlier});
    EXPECT_EQ(some.exitCode, 0) << some.err.toStdString();
    EXPECT_TRUE(some.err.contains(QStringLiteral("warning: 1 point outside"))) << some.err.toStdString();
    EXPECT_TRUE(some.err.contains(QStringLiteral("warning: reading stopped at line 1"))) << some.err.toStdString();
    EXPECT_EQ(ReadFile(earlier), QByteArray("1200000,-600000;2400000,-1800000;\r\nend\r\n"));
    const ToolRun far =
        RunTool({QStringLiteral("gpx"), WriteFile(dir, QStringLiteral("half.kvt"), "0,-60000000;1,2;\r\nend\r\n"),
                 QStringLiteral("-o"), earlier});
    EXPECT_EQ(far.exitCode, 0);
    EXPECT_TRUE(far.err.contains(QStringLiteral("warning: 1 point outside"))) << far.err.toStdString();
    EXPECT_EQ(ParseGpx(ReadFile(earlier)).points, (std::vector<MapPoint>{{1, 2}}));
}

TEST_F(GpxTool, InfoGivesATracksFiguresAndRefusesWhatIsNoTrack)
{
    // The saved road: its points, no times, and the box of all of them,
    // Sydney to New York and Hanoi.
    const ToolRun run = RunTool({QStringLiteral("info"), road});
    ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();
    EXPECT_TRUE(run.out.contains(QStringLiteral("points: 604\n"))) << run.out.toStdString();
    EXPECT_TRUE(run.out.contains(QStringLiteral("duration: unknown"))) << run.out.toStdString();
    EXPECT_TRUE(run.out.contains(QStringLiteral("bounds: south -33.8688000, west -74.0750000, north 40.7380000, "
                                                "east 151.2093000")))
        << run.out.toStdString();
    const ToolRun broken = RunTool({QStringLiteral("info"), WriteFile(dir, QStringLiteral("kml.gpx"), "<kml/>")});
    EXPECT_EQ(broken.exitCode, 1);
    EXPECT_TRUE(broken.err.contains(QStringLiteral("is not a GPX file"))) << broken.err.toStdString();
    EXPECT_EQ(RunTool({QStringLiteral("info"), dir.filePath(QStringLiteral("none.kvt"))}).exitCode, 1);
}

} // namespace
