// The GPS on the map without a window: the calibration both ways, snapping to
// the road, when the view follows the position, the track's bound, road files
// and the position log.
#include "view/MapState.h"
#include "gps/GpsDisplay.h"
#include "gps/GpsPositionLog.h"
#include "gps/RoadFile.h"
#include "support/DeviceRoot.h"
#include "support/KillRewrite.h"
#include "support/MapBuilder.h"
#include "support/RoadTrack.h"

#include <gtest/gtest.h>

namespace {

TEST(GpsCalibration, PositionsToMapUnitsAndBack)
{
    MapData calibration;
    UseDefaultGpsCalibration(calibration);
    EXPECT_EQ(GpsToMap(63512148, -6512148, calibration), (MapPoint{-92990, 374240}));
    EXPECT_EQ(GpsToMap(65000000, -12500000, calibration), (MapPoint{0, 0}));  // the origin itself

    // A rotated calibration: a quarter turn.
    MapData turned = calibration;
    turned.m_dGpsRotation = 3.14159265358979 / 2;
    const MapPoint east = GpsToMap(65000000 + 16000, -12500000, turned);
    EXPECT_NEAR(east.x, 0, 1);
    EXPECT_NEAR(east.y, -1000, 1);
    for (const MapPoint p : {MapPoint{1234, -5678}, MapPoint{-92990, 374240}, MapPoint{0, 7}}) {
        for (const MapData& c : {calibration, turned}) {
            const MapPoint back = GpsToMap(MapToGps(p, c).x, MapToGps(p, c).y, c);
            EXPECT_NEAR(back.x, p.x, 1);
            EXPECT_NEAR(back.y, p.y, 1);
        }
    }
}

// An L of streets: Phố Huế east from (0, 0) to (1000, 0), Hàng Bài south
// from there to (1000, 1000), all on screen.
class SnapTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        map.Way(QStringLiteral("Phố Huế"), {{0, 0}, {1000, 0}});
        map.Way(QStringLiteral("Hàng Bài"), {{1000, 0}, {1000, 1000}});
        map.Finish();
        s.m_nOriginX = s.m_nOriginY = -100;
        s.m_dScale = 0.3;
        UpdateVisibleWays(s, s);
    }
    MapPoint Snap(MapPoint g)
    {
        snapped = false;
        return SnapToRoad(s, s.m_visibleWays, s, g, snapped);
    }

    MapState s;
    MapBuilder map{s, 2000, 2000};
    bool snapped = false;
};

TEST_F(SnapTest, AlongAStreetThenOntoTheJunctionThenTheCrossingStreet)
{
    // Along Phố Huế: each position the foot on its line, the segment kept.
    EXPECT_EQ(Snap({200, 30}), (MapPoint{200, 0}));
    EXPECT_EQ(Snap({500, -40}), (MapPoint{500, 0}));
    EXPECT_FALSE(snapped);
    const auto street = s.m_segSnap;
    EXPECT_EQ(street[0], (MapPoint{0, 0}));
    // Nearer Hàng Bài before the end of Phố Huë: the junction first …
    EXPECT_EQ(Snap({990, 300}), (MapPoint{1000, 0}));
    EXPECT_TRUE(snapped);
    EXPECT_EQ(s.m_segSnap, street);
    // … then onto the new street.
    EXPECT_EQ(Snap({980, 400}), (MapPoint{1000, 400}));
    EXPECT_FALSE(snapped);
    EXPECT_EQ(s.m_segSnap[1], (MapPoint{1000, 1000}));
}

TEST_F(SnapTest, NoStreetInReachLeavesThePositionAndTheSnapAsTheyWere)
{
    Snap({500, 20});
    const auto segment = s.m_segSnap;
    const MapPoint last = s.m_ptSnap;
    EXPECT_EQ(Snap({500, 700}), (MapPoint{500, 700}));  // 500 from both streets
    EXPECT_FALSE(snapped);
    EXPECT_EQ(s.m_segSnap, segment);
    EXPECT_EQ(s.m_ptSnap, last);
    s.m_visibleWays.clear();
    EXPECT_EQ(Snap({500, 20}), (MapPoint{500, 20}));
}

TEST(GpsView, ThePositionIsCentredNearAnEdgeAndAnywhereOutside)
{
    // 240 × 320: a quarter is 60 and 80 pixels.
    EXPECT_TRUE(NeedsRecentring({230, 160}, 240, 320));  // 10 from the right edge
    EXPECT_FALSE(NeedsRecentring({120, 160}, 240, 320));
    EXPECT_TRUE(NeedsRecentring({120, 79}, 240, 320));
    EXPECT_FALSE(NeedsRecentring({61, 81}, 240, 320));
    // Far outside, where the edge tests alone would not reach.
    for (const QPoint far : {QPoint(-500, 160), QPoint(2000, 160), QPoint(120, -9000), QPoint(120, 5000)})
        EXPECT_TRUE(NeedsRecentring(far, 240, 320)) << far.x() << "," << far.y();
}

TEST(GpsTrack, ADriveOfAnyLengthKeepsRecordingTheLatestDay)
{
    GpsDisplayState gps;
    for (int i = 0; i < kMaxTrackPositions + 500; ++i)
        gps.AppendTrack({i, i}, {i, -i});
    EXPECT_EQ(gps.m_nTrackCount, kMaxTrackPositions);
    EXPECT_EQ(gps.m_pTrackPoints.size(), size_t(kMaxTrackPositions));
    EXPECT_EQ(gps.m_pTrackPoints.front(), (MapPoint{500, 500}));
    EXPECT_EQ(gps.m_pTrackGps.back(), (MapPoint{kMaxTrackPositions + 499, -(kMaxTrackPositions + 499)}));
    gps.ClearTrack();
    EXPECT_EQ(gps.m_nTrackCount, 0);
}

TEST(RoadFile, TheBytesAndWhatIsReadBack)
{
    TempDeviceRoot root;
    const std::vector<MapPoint> track = {{63512148, -6512148}, {63512160, -6512150}, {-120, 7}};
    EXPECT_EQ(RoadFileBytes(track, 2), "63512148,-6512148;63512160,-6512150;\r\nend\r\n");
    EXPECT_EQ(RoadFileBytes(track, 1), "\r\nend\r\n");
    ASSERT_TRUE(WriteRoadFile(root.Path("road.kvt"), track, 3));
    EXPECT_EQ(ReadRoadFile(root.Path("road.kvt")), track);
    EXPECT_FALSE(ReadRoadFile(root.Path("missing.kvt")));

    // Only a line of at most 9 bytes holding "end" ends the scan; so does the
    // end of the data, without one; and no more points than a saved track
    // holds are taken, the rest reported.
    root.Write("late.kvt", "1,2;3,4;\r\nnot the end yet\r\n5,6;\r\nend\r\n7,8;");
    EXPECT_EQ(ReadRoadFile(root.Path("late.kvt")), (std::vector<MapPoint>{{1, 2}, {3, 4}, {5, 6}}));
    root.Write("open.kvt", "1,2;3,4;5");
    EXPECT_EQ(ReadRoadFile(root.Path("open.kvt")), (std::vector<MapPoint>{{1, 2}, {3, 4}}));
    bool tooLarge = true;
    root.Write("full.kvt", QByteArray("7,8;").repeated(kMaxRoadPoints) + "\r\nend\r\n");
    EXPECT_EQ(ReadRoadFile(root.Path("full.kvt"), kMaxRoadFileBytes, kMaxRoadPoints, &tooLarge)->size(),
              size_t(kMaxRoadPoints));
    EXPECT_FALSE(tooLarge);
    root.Write("long.kvt", QByteArray("7,8;").repeated(kMaxRoadPoints + 1) + "\r\nend\r\n");
    EXPECT_EQ(ReadRoadFile(root.Path("long.kvt"), kMaxRoadFileBytes, kMaxRoadPoints, &tooLarge)->size(),
              size_t(kMaxRoadPoints));
    EXPECT_TRUE(tooLarge);
}

TEST(RoadFile, ASaveKilledAtAnyMomentLeavesTheOldFileOrTheNewOneWhole)
{
    TempDeviceRoot root;
    const std::vector<MapPoint> shortTrack = RoadTrack(500);
    const std::vector<MapPoint> longTrack = RoadTrack(9000);
    const QByteArray shortBytes = RoadFileBytes(shortTrack, int(shortTrack.size()));
    const QByteArray longBytes = RoadFileBytes(longTrack, int(longTrack.size()));
    root.Write("road.kvt", shortBytes);
    const KilledRewrites run =
        KillRewrites(QStringLiteral("road"), root.Path("road.kvt"), {QStringLiteral("9000"), QStringLiteral("500")},
                     {shortBytes, longBytes}, 1000, 20000);
    EXPECT_EQ(run.rounds, 1000);
    EXPECT_EQ(run.torn, 0);
}

TEST(GpsPositionLog, LinesCarryTheMapPointThenFieldsFiveAndThree)
{
    TempDeviceRoot root;
    const QString fix = QStringLiteral("$GPRMC,081836,A,1051.2148,N,10551.2148,E,000.0,360.0,130998,011.3,E*7B");
    ASSERT_TRUE(AppendGpsPosition(QString::fromLatin1(kGpsPositionLog), {15230, 40112}, fix));
    ASSERT_TRUE(AppendGpsPosition(QString::fromLatin1(kGpsPositionLog), {-12, 40}, QString()));
    EXPECT_EQ(root.Read("GPSPosition.txt"), "15230,40112;10551.2148,1051.2148\r\n-12,40;,\r\n");
}

}  // namespace
