// GPX tracks without a window: positions written as degrees and read back to
// the unit, what a reader takes from other programs' files, and bad files.
#include "gps/GpxFile.h"
#include "support/DeviceRoot.h"
#include "support/TraceCapture.h"

#include <QRandomGenerator>
#include <gtest/gtest.h>

namespace {

QByteArray Gpx(const QByteArray& body, const QByteArray& ns = "http://www.topografix.com/GPX/1/1")
{
    return "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<gpx xmlns=\"" + ns + "\" version=\"1.1\" creator=\"test\">" +
           body + "</gpx>\n";
}

QByteArray Trkpt(const char* lat, const char* lon)
{
    return QByteArray("<trkpt lat=\"") + lat + "\" lon=\"" + lon + "\"/>";
}

TEST(GpxFile, PositionsBecomeDegreesInTheirHemispheresAndReadBackToTheUnit)
{
    // Hanoi (north, east), Rio de Janeiro (south, west), the crossing of the
    // equator and the prime meridian and a unit either side of it, the poles
    // and the date line.
    const std::vector<MapPoint> road = {{63512148, -6512148},   {-25947000, 13741800}, {0, 0}, {1, -1}, {-1, 1},
                                        {107999999, -54000000}, {-108000000, 54000000}};
    int skipped = -1;
    const QByteArray gpx = GpxBytes(road, &skipped);
    EXPECT_EQ(skipped, 0);
    EXPECT_TRUE(gpx.contains("<gpx xmlns=\"http://www.topografix.com/GPX/1/1\"")) << gpx.toStdString();
    EXPECT_TRUE(gpx.contains("version=\"1.1\""));
    for (const char* point :
         {"<trkpt lat=\"10.8535800\" lon=\"105.8535800\"/>", "<trkpt lat=\"-22.9030000\" lon=\"-43.2450000\"/>",
          "<trkpt lat=\"0.0000000\" lon=\"0.0000000\"/>", "<trkpt lat=\"0.0000017\" lon=\"0.0000017\"/>",
          "<trkpt lat=\"-0.0000017\" lon=\"-0.0000017\"/>", "<trkpt lat=\"90.0000000\" lon=\"179.9999983\"/>",
          "<trkpt lat=\"-90.0000000\" lon=\"-180.0000000\"/>"})
        EXPECT_TRUE(gpx.contains(point)) << point << "\n" << gpx.toStdString();
    const GpxTrack back = ParseGpx(gpx);
    EXPECT_EQ(back.status, GpxStatus::Read);
    EXPECT_EQ(back.points, road);
    EXPECT_TRUE(back.problem.isEmpty()) << back.problem.toStdString();

    // Every position on the earth comes back as it was.
    std::vector<MapPoint> many;
    QRandomGenerator random(14);
    for (int i = 0; i < 20000; ++i)
        many.push_back({random.bounded(-108000000, 108000000), random.bounded(-54000000, 54000001)});
    EXPECT_EQ(ParseGpx(GpxBytes(many), 20000).points, many);

    // Off the earth: left out. Longitude 180 is the meridian of -180.
    const std::vector<MapPoint> odd = {{108000000, 0}, {108000001, 0}, {0, -54000001}, {5, INT32_MIN}, {INT32_MIN, 5}};
    const GpxTrack kept = ParseGpx(GpxBytes(odd, &skipped));
    EXPECT_EQ(skipped, 4);
    EXPECT_EQ(kept.points, (std::vector<MapPoint>{{-108000000, 0}}));
}

TEST(GpxFile, TrackPointsOfEveryTrackAndSegmentRoutePointsOnlyWithoutThem)
{
    // As other programs write them: metadata, waypoints, a route, two tracks
    // (one of two segments) with heights and times, and extensions that use
    // the point's own element name in another namespace.
    const QByteArray rich =
        Gpx("<metadata><name>Hồ Gươm</name></metadata>"
            "<wpt lat=\"1\" lon=\"1\"><name>Nhà</name></wpt>"
            "<rte><rtept lat=\"2\" lon=\"2\"/></rte>"
            "<trk><name>sáng</name><trkseg>" +
            Trkpt("21.0285", "105.8542") +
            "<trkpt lat=\" 21.0000008 \" lon=\"105.0000009\"><ele>12.5</ele>"
            "<time>2024-05-01T08:00:00Z</time><extensions><x:trkpt xmlns:x=\"urn:other\" lat=\"3\" lon=\"3\"/>"
            "</extensions></trkpt></trkseg><trkseg>" +
            Trkpt("-0.0000009", "-0.0000008") + "</trkseg></trk><trk><trkseg>" + Trkpt("-33.8688", "151.2093") +
            "</trkseg></trk>");
    GpxTrack track = ParseGpx(rich);
    ASSERT_EQ(track.status, GpxStatus::Read) << track.problem.toStdString();
    // Rounded to the nearest unit: 0.0000008° is 0.48 of a unit, 0.0000009° 0.54.
    EXPECT_EQ(track.points,
              (std::vector<MapPoint>{{63512520, -12617100}, {63000001, -12600000}, {0, 1}, {90725580, 20321280}}));

    // A planned route without tracks; waypoints alone are no line.
    track = ParseGpx(Gpx("<wpt lat=\"1\" lon=\"1\"/><rte><rtept lat=\"10\" lon=\"20\"/><rtept lat=\"11\" "
                         "lon=\"21\"/></rte>"));
    EXPECT_EQ(track.points, (std::vector<MapPoint>{{12000000, -6000000}, {12600000, -6600000}}));
    EXPECT_EQ(ParseGpx(Gpx("<wpt lat=\"1\" lon=\"1\"/>")).status, GpxStatus::NoPoints);

    // GPX 1.0 and a document without a namespace read alike.
    for (const QByteArray& ns : {QByteArray("http://www.topografix.com/GPX/1/0"), QByteArray()}) {
        track = ParseGpx(Gpx("<trk><trkseg>" + Trkpt("1.5", "2.5") + "</trkseg></trk>", ns));
        EXPECT_EQ(track.points, (std::vector<MapPoint>{{1500000, -900000}})) << ns.toStdString();
    }

    // At most the points asked for; the rest are counted.
    QByteArray five;
    for (int i = 0; i < 5; ++i)
        five += Trkpt("1", QByteArray::number(i).constData());
    track = ParseGpx(Gpx("<trk><trkseg>" + five + "</trkseg></trk>"), 3);
    EXPECT_EQ(track.points.size(), 3u);
    EXPECT_EQ(track.dropped, 2);
}

TEST(GpxFile, PointsOffTheEarthAreLeftOutAndBrokenFilesGiveNoRoad)
{
    const QByteArray edges = Trkpt("90", "-180") + Trkpt("-90", "180");
    const QByteArray off = Trkpt("90.0000001", "0") + Trkpt("-91", "0") + Trkpt("0", "180.5") + Trkpt("nan", "0") +
                           Trkpt("0", "inf") + Trkpt("abc", "1") + "<trkpt lon=\"1\"/>" + Trkpt("1e400", "1");
    GpxTrack track = ParseGpx(Gpx("<trk><trkseg>" + off + edges + "</trkseg></trk>"));
    EXPECT_EQ(track.status, GpxStatus::Read);
    EXPECT_EQ(track.skipped, 8);
    EXPECT_EQ(track.points, (std::vector<MapPoint>{{-108000000, -54000000}, {108000000, 54000000}}));
    track = ParseGpx(Gpx("<trk><trkseg>" + off + "</trkseg></trk>"));
    EXPECT_EQ(track.status, GpxStatus::NoPoints);
    EXPECT_TRUE(track.points.empty());

    // No XML, no GPX, or broken before any point.
    QByteArray binary;
    QRandomGenerator random(7);
    for (int i = 0; i < 4096; ++i)
        binary += char(random.bounded(256));
    const QByteArray billionLaughs =
        "<?xml version=\"1.0\"?><!DOCTYPE gpx [<!ENTITY a \"aaaaaaaaaa\"><!ENTITY b \"&a;&a;&a;&a;&a;&a;&a;&a;&a;&a;\">"
        "<!ENTITY c \"&b;&b;&b;&b;&b;&b;&b;&b;&b;&b;\"><!ENTITY d \"&c;&c;&c;&c;&c;&c;&c;&c;&c;&c;\">"
        "<!ENTITY e \"&d;&d;&d;&d;&d;&d;&d;&d;&d;&d;\"><!ENTITY f \"&e;&e;&e;&e;&e;&e;&e;&e;&e;&e;\">"
        "<!ENTITY g \"&f;&f;&f;&f;&f;&f;&f;&f;&f;&f;\"><!ENTITY h \"&g;&g;&g;&g;&g;&g;&g;&g;&g;&g;\">]>"
        "<gpx><trk><name>&h;</name></trk></gpx>";
    for (const QByteArray& bad : {QByteArray(), binary, QByteArray("63512148,-6512148;\r\nend\r\n"),
                                  QByteArray("<kml><trkpt lat=\"1\" lon=\"1\"/></kml>"),
                                  QByteArray("<gpx><trk><trkseg><trkpt lat=\"1\" lon=\"1\"</trkseg>"), billionLaughs}) {
        track = ParseGpx(bad);
        EXPECT_EQ(track.status, GpxStatus::NotGpx) << bad.left(60).toStdString();
        EXPECT_TRUE(track.points.empty());
        EXPECT_FALSE(track.problem.isEmpty());
    }
    EXPECT_EQ(ParseGpx(Gpx("")).status, GpxStatus::NoPoints);

    // A file cut anywhere (a logger that lost power) keeps the points that
    // came before the cut, never one more.
    const QByteArray whole =
        Gpx("<trk><trkseg>" + Trkpt("1", "2") + Trkpt("3", "4") + Trkpt("5", "6") + "</trkseg></trk>");
    const std::vector<MapPoint> all = ParseGpx(whole).points;
    ASSERT_EQ(all.size(), 3u);
    for (qsizetype n = 0; n < whole.size(); ++n) {
        const GpxTrack cut = ParseGpx(whole.left(n));
        ASSERT_LE(cut.points.size(), all.size());
        EXPECT_TRUE(std::equal(cut.points.begin(), cut.points.end(), all.begin())) << n;
        EXPECT_EQ(cut.status == GpxStatus::Read, !cut.points.empty()) << n;
    }
}

TEST(GpxFile, AFileIsReadUpToItsBoundWithATraceLineForWhatIsLeftOut)
{
    TempDeviceRoot root;
    TraceCapture trace;
    EXPECT_EQ(ReadGpxFile(root.Path("missing.gpx")).status, GpxStatus::CannotOpen);
    EXPECT_EQ(trace.Count(QStringLiteral("cannot open")), 1);

    const QByteArray gpx = GpxBytes({{1, 2}, {3, 4}, {5, 6}, {7, 8}});
    root.Write("track.gpx", gpx);
    EXPECT_EQ(ReadGpxFile(root.Path("track.gpx")).points.size(), 4u);
    EXPECT_TRUE(trace.Lines().filter(QStringLiteral("track.gpx")).isEmpty()) << trace.Lines().join('\n').toStdString();

    // Cut at the bound, just after the second point.
    const qsizetype bound = gpx.indexOf("<trkpt", gpx.indexOf("<trkpt", gpx.indexOf("<trkpt") + 1) + 1);
    const GpxTrack start = ReadGpxFile(root.Path("track.gpx"), bound);
    EXPECT_EQ(start.points, (std::vector<MapPoint>{{1, 2}, {3, 4}}));
    EXPECT_EQ(trace.Count(QStringLiteral("is longer than %1 bytes").arg(bound)), 1);
    EXPECT_EQ(trace.Count(QStringLiteral("Premature end of document")), 1);

    root.Write("off.gpx", Gpx("<trk><trkseg>" + Trkpt("95", "1") + Trkpt("1", "1") + "</trkseg></trk>"));
    EXPECT_EQ(ReadGpxFile(root.Path("off.gpx"), kMaxGpxFileBytes, 0).dropped, 1);
    EXPECT_EQ(trace.Count(QStringLiteral("1 points outside -90..90 / -180..180")), 1);
    EXPECT_EQ(trace.Count(QStringLiteral("beyond the first 0 left out")), 1);
}

} // namespace
