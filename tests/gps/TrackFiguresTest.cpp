// A track's fix times, from the receiver's sentence to a GPX file and back,
// and the figures the program and korvane-tool give for a track.
#include "gps/TrackFigures.h"
#include "gps/GpxFile.h"
#include "gps/Nmea.h"

#include <gtest/gtest.h>

namespace {

TEST(TrackTimes, TheReceiversTimeAndDateAreTheFixTime)
{
    const QString line = QStringLiteral("$GPRMC,235959.50,A,2101.7900,N,10550.2100,E,0.0,0.0,311299,,,A*00");
    EXPECT_EQ(NmeaParser::RmcDateTime(line), QDateTime(QDate(1999, 12, 31), QTime(23, 59, 59, 500), Qt::UTC));
    const QByteArray sent = NmeaParser::RmcSentence({63512148, -12617100}, 8 * 3600 + 5);
    EXPECT_EQ(NmeaParser::RmcDateTime(QString::fromLatin1(sent)), QDateTime(QDate(2024, 1, 1), QTime(8, 0, 5), Qt::UTC));
    // No date, no time, or a day that does not exist: no fix time.
    for (const char* bad :
         {"$GPRMC,120000,A,2101.79,N,10550.21,E,0,0,,,", "$GPRMC,,A,2101.79,N,10550.21,E,0,0,010124,,",
          "$GPRMC,120000,A,2101.79,N,10550.21,E,0,0,310224,,", "$GPRMC,126000,A,1,N,1,E,0,0,010124,,"})
        EXPECT_FALSE(NmeaParser::RmcDateTime(QString::fromLatin1(bad)).isValid()) << bad;
}

TEST(TrackTimes, AGpxTrackKeepsTheTimesOfItsPoints)
{
    const std::vector<MapPoint> track = {{63512148, -12617100}, {63512248, -12617000}, {63512348, -12616900}};
    const QDateTime start(QDate(2024, 5, 1), QTime(8, 0), Qt::UTC);
    const std::vector<QDateTime> times = {start, QDateTime(), start.addMSecs(2500)};
    const QByteArray bytes = GpxBytes(track, nullptr, times);
    EXPECT_TRUE(bytes.contains("<time>2024-05-01T08:00:02.500Z</time>")) << bytes.toStdString();
    const GpxTrack read = ParseGpx(bytes);
    ASSERT_EQ(read.status, GpxStatus::Read);
    EXPECT_EQ(read.points, track);
    EXPECT_EQ(read.times, times);

    // Only a point's own <time> counts: not the document's, not an extension's.
    const GpxTrack other = ParseGpx(
        "<gpx xmlns='http://www.topografix.com/GPX/1/1' xmlns:x='urn:x'><metadata><time>2020-01-01T00:00:00Z</time>"
        "</metadata><trk><trkseg><trkpt lat='1' lon='2'><extensions><x:time>2021-01-01T00:00:00Z</x:time>"
        "</extensions></trkpt><trkpt lat='91' lon='2'><time>2022-01-01T00:00:00Z</time></trkpt>"
        "<trkpt lat='3' lon='4'><ele>5</ele><time>2023-01-01T00:00:09Z</time></trkpt></trkseg></trk></gpx>");
    ASSERT_EQ(other.points.size(), 2u);
    ASSERT_EQ(other.times.size(), 2u);
    EXPECT_FALSE(other.times[0].isValid());
    EXPECT_EQ(other.times[1], QDateTime(QDate(2023, 1, 1), QTime(0, 0, 9), Qt::UTC));
}

TEST(TrackFigures, LengthDurationBoxAndWhatTheStatusLineSays)
{
    // One degree of latitude north, then one of longitude east at 60° N
    // (half as long): 111.195 km and 55.6 km on a sphere of 6371.0088 km.
    const int d = kGpsUnitsPerDegree;
    const std::vector<MapPoint> track = {{0, -59 * d}, {0, -60 * d}, {d, -60 * d}};
    const QDateTime start(QDate(2024, 5, 1), QTime(8, 0), Qt::UTC);
    TrackFigures f = FiguresOfTrack(track, {start, QDateTime(), start.addSecs(725)});
    EXPECT_EQ(f.points, 3);
    EXPECT_NEAR(f.metres, 111195.08 + 55596.6, 60);
    ASSERT_TRUE(f.seconds);
    EXPECT_EQ(*f.seconds, 725);
    EXPECT_DOUBLE_EQ(f.south, 59);
    EXPECT_DOUBLE_EQ(f.north, 60);
    EXPECT_DOUBLE_EQ(f.west, 0);
    EXPECT_DOUBLE_EQ(f.east, 1);
    EXPECT_EQ(SavedTrackText(f), QStringLiteral("Đã lưu 166,8 km, 12 phút"));
    f.seconds = 3900;
    EXPECT_EQ(SavedTrackText(f), QStringLiteral("Đã lưu 166,8 km, 1 giờ 5 phút"));
    f.seconds = 45;
    EXPECT_EQ(SavedTrackText(f), QStringLiteral("Đã lưu 166,8 km, 45 giây"));
    // Without times there is no duration to tell.
    EXPECT_EQ(SavedTrackText(FiguresOfTrack(track)), QStringLiteral("Đã lưu 166,8 km"));
    EXPECT_EQ(FiguresOfTrack({}).metres, 0);
}

} // namespace
