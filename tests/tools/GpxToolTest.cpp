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
