// Following the GPS on the bundled Hanoi map: a receiver (a pseudo-terminal)
// started in the set-up, the position moving with its track and snapped to
// the street, navigation along a route found on the map, road files, the
// position log, void fixes and the receivers' own logs.
#include "ResourceIds.h"
#include "gps/GpsDisplay.h"
#include "window/GpsSetupDlg.h"
#include "gps/Navigation.h"
#include "gps/Nmea.h"
#include "gps/RoadFile.h"
#include "widgets/UiComboBox.h"
#include "widgets/UiCommandBar.h"
#include "support/DeviceRoot.h"
#include "support/MapWindow.h"
#include "support/PseudoTerminal.h"
#include "support/Programs.h"
#include "support/ScriptedModal.h"
#include "support/TraceCapture.h"
#include "support/Widgets.h"

#include <QCheckBox>
#include <cmath>
#include <optional>
#include <QDir>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpression>
#include <QTest>
#include <gtest/gtest.h>

namespace {

constexpr int kPatienceMs = 3000;

// Bytes handed over by the test, through the same line collection as a
// receiver's.
class BytesSource : public GpsSource {
public:
    bool Open(const QString&, uint32_t) override { return true; }
    void ProcessEvent() override {}
    void Close() override {}
};
const QColor kRoadBrown(140, 98, 57);

class GpsFollowTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        dlg = OpenMapWindow();
        modal.fileAnswers.push_back(QStringLiteral(KORVANE_SOURCE_DIR "/data/hanoi.kvp"));
        dlg->OnCommand(ID_OPEN_MAP, BN_CLICKED);
        ASSERT_EQ(dlg->m_bMapLoaded, 1);
    }
    // A position of the map as the receiver sends it.
    QByteArray RmcAt(MapPoint p)
    {
        const MapPoint gps = MapToGps(p, *dlg);
        return NmeaParser::RmcSentence({gps.x, gps.y}, ++m_second);
    }
    // Sends a sentence and waits until the reader has it.
    bool Send(const QByteArray& rmc)
    {
        receiver.Send(rmc + "\r\n");
        return QTest::qWaitFor([&] { return dlg->m_gpsSetupDlg.LatestRmcLine() == QString::fromLatin1(rmc); },
                               kPatienceMs);
    }
    // "Cấu hình GPS": the receiver's path typed, Start, a first fix, both
    // boxes ticked, OK.
    void StartReception(MapPoint first)
    {
        modal.dialogAnswers.push_back([this, first](QDialog& shown) {
            auto& setup = static_cast<CGpsSetupDlg&>(shown);
            setup.show();
            setup.m_cbPort->SetWindowText(receiver.Path());
            QTest::mouseClick(setup.m_btnStart, Qt::LeftButton);
            EXPECT_TRUE(Send(RmcAt(first)));
            EXPECT_TRUE(QTest::qWaitFor([&] { return setup.m_btnFollowRoad->isEnabled(); }, kPatienceMs));
            QTest::mouseClick(setup.m_btnFollowRoad, Qt::LeftButton);
            EXPECT_TRUE(setup.m_btnContinuous->isChecked());
            setup.close();  // the caption's close button is OK
            return setup.result();
        });
        dlg->OnCommand(ID_GPS_SETUP, BN_CLICKED);
    }
    MapPoint Junction(int n) const { return {dlg->m_pNodeCoords[n][0], dlg->m_pNodeCoords[n][1]}; }
    // Reception at the junction nearest the map's centre, then "Dẫn đường" to
    // the junction on screen farthest from it (tapped, then OK).
    void NavigateAcrossTheMap()
    {
        const MapPoint centre{dlg->m_nCenterX, dlg->m_nCenterY};
        int start = 1;
        for (int n = 1; n <= dlg->m_nNodeLast; ++n) {
            if (PointDistance(Junction(n), centre) < PointDistance(Junction(start), centre))
                start = n;
        }
        const MapPoint from = Junction(start);
        StartReception(from);
        // Far enough to cross several streets.
        for (int i = 0; i < 4; ++i)
            dlg->OnCommand(ID_TB_ZOOM_OUT_L, BN_CLICKED);
        MapPoint to = from;
        for (int n = 1; n <= dlg->m_nNodeLast; ++n) {
            const QPoint p = MapToScreen(*dlg, Junction(n));
            const bool inside = p.x() > 40 && p.x() < dlg->m_nClientWidth - 40 && p.y() > 60 &&
                                p.y() < dlg->m_nClientHeight - 60;
            if (inside && PointDistance(Junction(n), from) > PointDistance(to, from))
                to = Junction(n);
        }
        ASSERT_GT(PointDistance(to, from), 100);
        ASSERT_EQ(dlg->m_bGpsValid, 1);
        EXPECT_TRUE(dlg->IsGpsUpdating());
        EXPECT_EQ(dlg->m_ptGps, GpsToMap(MapToGps(from, *dlg).x, MapToGps(from, *dlg).y, *dlg));

        dlg->OnCommand(ID_NAVIGATE, BN_CLICKED);
        ASSERT_EQ(dlg->m_bNavigating, 1);
        ASSERT_EQ(dlg->ControlText(IDC_FROM_TO_LABEL), QStringLiteral("Tới:"));
        EXPECT_FALSE(dlg->IsGpsUpdating());
        const QPoint tap = MapToScreen(*dlg, to);
        dlg->OnLButtonDown(0, tap);
        dlg->OnLButtonUp(0, tap);
        dlg->OnCommand(IDC_ROUTE_OK, BN_CLICKED);
        ASSERT_EQ(dlg->m_bRouteShown, 1) << modal.messages.join(' ').toStdString();
        EXPECT_TRUE(dlg->IsGpsUpdating());  // the route restarted the pass
        dlg->UpdateWindow();
    }
    // A pass of the update, as the one-second timer runs it.
    void Pass(MapPoint at)
    {
        ASSERT_TRUE(Send(RmcAt(at)));
        dlg->GpsUpdate();
    }
    QRgb Pixel(QPoint p) const { return PixelAt(dlg->WindowSurface(), p.x(), p.y()); }

    TempDeviceRoot root;
    ScriptedModal modal;
    PseudoTerminal receiver;
    std::unique_ptr<CMapDlg> dlg;
    int m_second = 8 * 3600;
};

// Distance from p to the route's polyline, in map units.
double DistanceToRoute(const CMapDlg& dlg, MapPoint p)
{
    double best = 1e12;
    for (int i = 0; i < dlg.m_nRouteLast; ++i) {
        const MapPoint a = dlg.m_routePoints[i], b = dlg.m_routePoints[i + 1];
        best = std::min(best, SegmentDistance(p.x, p.y, a.x, a.y, b.x, b.y));
    }
    return best;
}

TEST_F(GpsFollowTest, ADriveAlongARouteIsSnappedRecordedAndGuidedStreetByStreet)
{
    ASSERT_NO_FATAL_FAILURE(NavigateAcrossTheMap());

    // Drive it from start to end: on every leg a fix halfway and one 30 map
    // units before its end (within 50 of the junction), 5 units beside it.
    QStringList shown;
    QList<int> codes;
    const int track = dlg->m_nTrackCount;
    for (int i = dlg->m_nRouteLast; i > 0; --i) {
        const MapPoint a = dlg->m_routePoints[i], b = dlg->m_routePoints[i - 1];
        const double length = PointDistance(a, b);
        for (const double before : {length / 2, 30.0}) {
            if (before > length)
                continue;
            const double f = 1 - before / length;
            Pass({a.x + int((b.x - a.x) * f) + 4, a.y + int((b.y - a.y) * f) + 3});
            // Snapped onto the route's streets (or, by a junction, onto the
            // line of the crossing street right beside it).
            EXPECT_LE(DistanceToRoute(*dlg, dlg->m_ptGps), 12.0);
            if (shown.isEmpty() || shown.last() != dlg->m_strGuidanceText || codes.last() != dlg->m_nGuidanceCode) {
                shown << dlg->m_strGuidanceText;
                codes << dlg->m_nGuidanceCode;
            }
        }
    }
    EXPECT_GT(dlg->m_nTrackCount, track + 10);
    // The streets named in the order of the route's text, each turn onto the
    // next street with a turn arrow.
    const QStringList streets = dlg->m_strRouteText.split(u'-');
    int next = 0;
    for (int k = 0; k < shown.size(); ++k) {
        const int at = streets.indexOf(shown[k], next);
        if (at < 0)
            continue;
        EXPECT_GE(at, next) << shown[k].toStdString();
        next = at;
    }
    EXPECT_GE(next, streets.size() - 2) << shown.join(" | ").toStdString();
    EXPECT_GE(streets.size(), 4);
    EXPECT_TRUE(codes.contains(kTurnLeft) || codes.contains(kTurnRight) || streets.size() <= 3);

    // Saved and loaded back as a road, drawn in brown.
    const QString road = root.Path("drive.kvt");
    modal.fileAnswers.push_back(road);
    dlg->OnCommand(ID_SAVE_ROAD, BN_CLICKED);
    EXPECT_EQ(root.Read("drive.kvt"), RoadFileBytes(dlg->m_pTrackGps, dlg->m_nTrackCount));
    modal.fileAnswers.push_back(road);
    dlg->OnCommand(ID_LOAD_ROAD, BN_CLICKED);
    ASSERT_EQ(dlg->m_bRoadLoaded, 1);
    EXPECT_EQ(dlg->m_nRoadCount, std::min(dlg->m_nTrackCount, kMaxRoadPoints));
    dlg->m_bGpsTrackOn = 0;  // the track is drawn over the road it was saved as
    dlg->Invalidate();
    dlg->UpdateWindow();
    const QPoint middle = MapToScreen(*dlg, dlg->m_pRoadPoints[dlg->m_nRoadCount / 2]);
    EXPECT_EQ(Pixel(middle), (kRoadBrown.rgb() & 0xFFFFFF));
}

// Where the program hands its sentences to speech.
struct HeardSentences : GuidanceVoice {
    QStringList said;
    void Say(const QString& sentence) override { said << sentence; }
};

// The driver goes the wrong way at the route's first junction: within three
// passes a new route starts where the car is, the guidance names its streets,
// and driving it to the end brings "Đã đến nơi", said once.
TEST_F(GpsFollowTest, LeavingTheRouteGetsANewOneFromThePositionDrivenToTheEnd)
{
    HeardSentences voice;
    dlg->SetVoice(&voice);
    ASSERT_NO_FATAL_FAILURE(NavigateAcrossTheMap());
    Pass(dlg->m_routePoints[dlg->m_nRouteLast]);
    EXPECT_TRUE(dlg->ControlText(IDC_STATUS).startsWith(QStringLiteral("Còn "))) << dlg->ControlText(IDC_STATUS).toStdString();

    // From the route's first junction towards the nearest junction of the
    // map more than 400 map units (72 m) off every leg, in steps of about
    // 11 m, each position snapped to the street it is on. Passes count from
    // the first position more than 40 m (222 map units) off the route.
    const MapPoint first = dlg->m_routePoints[dlg->m_nRouteLast - 1];
    std::optional<MapPoint> away;
    for (int n = 1; n <= dlg->m_nNodeLast; ++n) {
        if (DistanceToRoute(*dlg, Junction(n)) > 400 &&
            (!away || PointDistance(Junction(n), first) < PointDistance(*away, first)))
            away = Junction(n);
    }
    ASSERT_TRUE(away);
    TraceCapture trace;
    const int legs = dlg->m_nRouteLast;
    const int steps = std::max(1, int(PointDistance(first, *away) / 60));
    int passes = 0;
    for (int k = 1; k <= steps + 3 && trace.Count(QStringLiteral("Re-route")) == 0; ++k) {
        const int at = std::min(k, steps);
        Pass({first.x + (away->x - first.x) * at / steps, first.y + (away->y - first.y) * at / steps});
        const bool off = DistanceToRoute(*dlg, dlg->m_ptGps) > 222 || trace.Count(QStringLiteral("Re-route")) > 0;
        passes = off ? passes + 1 : 0;
    }
    EXPECT_LE(passes, 3);
    EXPECT_EQ(trace.Count(QStringLiteral("Re-route")), 1);
    EXPECT_EQ(voice.said, QStringList{QStringLiteral("Đang tìm đường mới")});
    EXPECT_LT(PointDistance(dlg->m_routePoints[dlg->m_nRouteLast], dlg->m_ptGps), 50.0);
    EXPECT_NE(dlg->m_nRouteLast, legs);

    // The new route, driven: on every leg a fix halfway and one 30 map units
    // before its end, then the destination.
    QStringList shown;
    for (int i = dlg->m_nRouteLast; i > 0; --i) {
        const MapPoint a = dlg->m_routePoints[i], b = dlg->m_routePoints[i - 1];
        const double length = PointDistance(a, b);
        for (const double before : {length / 2, 30.0}) {
            if (before > length || dlg->m_bNavigating == 0)
                continue;
            const double f = 1 - before / length;
            Pass({a.x + int((b.x - a.x) * f), a.y + int((b.y - a.y) * f)});
            if (shown.isEmpty() || shown.last() != dlg->m_strGuidanceText)
                shown << dlg->m_strGuidanceText;
        }
    }
    Pass(dlg->m_routePoints[0]);
    // The streets of the new route, from its first on; pieces without a name
    // show none.
    const QStringList streets = dlg->m_strRouteText.split(u'-');
    for (const QString& name : shown) {
        EXPECT_TRUE(name.isEmpty() || streets.contains(name) || name == QStringLiteral("Đã đến nơi"))
            << name.toStdString() << " not in " << dlg->m_strRouteText.toStdString();
    }
    EXPECT_GE(shown.size() - shown.count(QString()), 4) << shown.join(" | ").toStdString();
    EXPECT_EQ(dlg->ControlText(IDC_STATUS), QStringLiteral("Đã đến nơi"));
    EXPECT_EQ(dlg->m_bNavigating, 0);
    EXPECT_EQ(voice.said.count(QStringLiteral("Đã đến nơi")), 1);
    EXPECT_EQ(voice.said.last(), QStringLiteral("Đã đến nơi"));
    EXPECT_EQ(trace.Count(QStringLiteral("Re-route")), 1);
    // Each sentence once: no turn is called twice in a row.
    for (int k = 1; k < voice.said.size(); ++k)
        EXPECT_NE(voice.said[k], voice.said[k - 1]);
    // The track goes on recording.
    const int track = dlg->m_nTrackCount;
    Pass({dlg->m_routePoints[0].x + 300, dlg->m_routePoints[0].y});
    EXPECT_EQ(dlg->m_nTrackCount, track + 1);
    dlg->SetVoice(nullptr);
}

TEST_F(GpsFollowTest, SmallMovesAndVoidFixesMoveNothingAFarPositionIsCentred)
{
    const MapPoint start{dlg->m_nCenterX, dlg->m_nCenterY};
    StartReception(start);
    ASSERT_EQ(dlg->m_bGpsValid, 1);
    dlg->m_bGpsFollowRoad = 0;
    const int track = dlg->m_nTrackCount;
    // Under 3 pixels: neither drawn nor recorded.
    Pass({start.x + 1, start.y});
    EXPECT_EQ(dlg->m_nTrackCount, track);
    EXPECT_EQ(dlg->m_ptGps, GpsToMap(MapToGps(start, *dlg).x, MapToGps(start, *dlg).y, *dlg));

    // A receiver without a fix repeating a position with "V": nothing moves,
    // the status text stays.
    const QString status = dlg->ControlText(IDC_GPS_STATUS);
    QByteArray voidFix = RmcAt({start.x + 3000, start.y});
    voidFix.replace(",A,", ",V,");
    voidFix.chop(3);  // its checksum no longer holds; a receiver's would
    ASSERT_TRUE(Send(voidFix));
    dlg->GpsUpdate();
    EXPECT_EQ(dlg->m_nTrackCount, track);
    EXPECT_EQ(dlg->ControlText(IDC_GPS_STATUS), status);
    EXPECT_EQ(dlg->m_bGpsValid, 1);

    // Far beyond the window, on the map: the view follows, the marker is on
    // screen, the status line gives the longitude as "Long".
    const QByteArray far = RmcAt({start.x + 3000, start.y - 2500});
    ASSERT_TRUE(Send(far));
    dlg->GpsUpdate();
    const QPoint marker = MapToScreen(*dlg, dlg->m_ptGps);
    EXPECT_TRUE(marker.x() > 0 && marker.x() < dlg->m_nClientWidth && marker.y() > 0 &&
                marker.y() < dlg->m_nClientHeight);
    EXPECT_EQ(dlg->m_nTrackCount, track + 1);
    const QString farLine = QString::fromLatin1(far);
    EXPECT_EQ(dlg->ControlText(IDC_GPS_STATUS),
              "Long:" + NmeaParser::RmcLongitude(farLine) + "-Lat:" + NmeaParser::RmcLatitude(farLine));

    // Off the map: the map stays on screen and the status line says why;
    // "Hiển thị GPS" still goes there when asked.
    const int32_t originX = dlg->m_nOriginX, originY = dlg->m_nOriginY;
    Pass({start.x + 20000, start.y - 15000});
    EXPECT_EQ(dlg->m_nOriginX, originX);
    EXPECT_EQ(dlg->m_nOriginY, originY);
    EXPECT_EQ(dlg->ControlText(IDC_GPS_STATUS), QStringLiteral("Vị trí GPS nằm ngoài bản đồ"));
    dlg->OnCommand(ID_SHOW_GPS, BN_CLICKED);
    const QPoint centred = MapToScreen(*dlg, dlg->m_ptGps) - QPoint(dlg->m_nClientWidth / 2, dlg->m_nClientHeight / 2);
    EXPECT_LE(centred.manhattanLength(), 2);  // within the rounding of the origin

    // "Chèn GPS" at a held point: the street point and the fields, appended.
    dlg->m_ptDown = MapToScreen(*dlg, start);
    modal.dialogAnswers.push_back([](QDialog& shown) {
        auto& point = static_cast<CGpsPointDlg&>(shown);
        QTest::mouseClick(point.m_btnReceive, Qt::LeftButton);
        EXPECT_FALSE(point.m_edField3->text().isEmpty());
        EXPECT_EQ(point.windowTitle(), QStringLiteral("Vị trí GPS"));
        EXPECT_EQ(point.m_edField5->text(), NmeaParser::RmcLongitude(point.m_pSerial->LatestRmcLine()));
        EXPECT_EQ(LabelAbove(point.m_edField5), QStringLiteral("Kinh độ"));
        EXPECT_EQ(LabelAbove(point.m_edField3), QStringLiteral("Vĩ độ"));
        QTest::mouseClick(point.m_btnWrite, Qt::LeftButton);
        QTest::mouseClick(point.m_btnWrite, Qt::LeftButton);
        return QDialog::Accepted;
    });
    dlg->OnCommand(ID_INSERT_GPS, BN_CLICKED);
    const QList<QByteArray> lines = root.Read("GPSPosition.txt").split('\n');
    ASSERT_EQ(lines.size(), 3);  // two lines and what follows the last line end
    const MapPoint street = dlg->m_gpsPointDlg.m_ptMap;
    EXPECT_TRUE(lines[0].startsWith(QByteArray::number(street.x) + ',' + QByteArray::number(street.y) + ';'));
    EXPECT_EQ(lines[0], lines[1]);
}

TEST_F(GpsFollowTest, ARoadIsFittedToItsOwnPointsAndAFileWithoutAnyLeavesTheView)
{
    // A road north-west of the map's corner: all its map points are negative.
    const MapPoint a = MapToGps({-2000, -2000}, *dlg), b = MapToGps({-1000, -1500}, *dlg);
    root.Write("west.kvt", RoadFileBytes({a, b}, 2));
    modal.fileAnswers.push_back(root.Path("west.kvt"));
    dlg->OnCommand(ID_LOAD_ROAD, BN_CLICKED);
    ASSERT_EQ(dlg->m_nRoadCount, 2);
    EXPECT_NEAR(dlg->m_dScale, std::min(480.0 / 1020, 640.0 / 520), 0.01);
    const MapPoint centre = ScreenToMap(*dlg, QPoint(240, 320));
    EXPECT_NEAR(centre.x, -1500, 3);
    EXPECT_NEAR(centre.y, -1750, 3);

    const double scale = dlg->m_dScale;
    root.Write("empty.kvt", "\r\nend\r\n");
    modal.fileAnswers.push_back(root.Path("empty.kvt"));
    dlg->OnCommand(ID_LOAD_ROAD, BN_CLICKED);
    EXPECT_EQ(dlg->m_nRoadCount, 0);
    EXPECT_EQ(dlg->m_dScale, scale);
}

TEST_F(GpsFollowTest, TheReceiversOwnLogsDrawWithoutHarmAndLeaveTheMapOnScreen)
{
    // The logs are read straight into the line collection, as a receiver's
    // bytes would arrive.
    StartReception({dlg->m_nCenterX, dlg->m_nCenterY});
    dlg->m_gpsSetupDlg.OnStop();
    auto* source = new BytesSource;
    dlg->m_gpsSetupDlg.m_pSerial.reset(source);
    int onMap = 0, offMap = 0;
    for (const QString& log : QDir(QStringLiteral(KORVANE_SOURCE_DIR "/tests/data/nmea")).entryList({"*.log"})) {
        SCOPED_TRACE(log.toStdString());
        QFile file(QStringLiteral(KORVANE_SOURCE_DIR "/tests/data/nmea/") + log);
        ASSERT_TRUE(file.open(QIODevice::ReadOnly));
        for (QByteArray line : file.readAll().split('\n')) {
            line = line.trimmed();
            if (!NmeaParser::IsRmcSentence(QString::fromLatin1(line)) || NmeaParser::ChecksumIsWrong(line))
                continue;
            source->ProcessBytes(line + "\r\n");
            const int32_t originX = dlg->m_nOriginX, originY = dlg->m_nOriginY;
            dlg->GpsUpdate();
            const QString status = dlg->ControlText(IDC_GPS_STATUS);
            if (status.startsWith(QStringLiteral("Long:"))) {
                // On the map, the last position is in view.
                ++onMap;
                const QPoint at = MapToScreen(*dlg, dlg->m_ptGps);
                EXPECT_TRUE(at.x() >= 0 && at.x() <= dlg->m_nClientWidth && at.y() >= 0 && at.y() <= dlg->m_nClientHeight);
            } else if (status == QStringLiteral("Vị trí GPS nằm ngoài bản đồ")) {
                // Off it, the view stays on the map.
                ++offMap;
                EXPECT_EQ(dlg->m_nOriginX, originX);
                EXPECT_EQ(dlg->m_nOriginY, originY);
            }
        }
        dlg->UpdateWindow();
    }
    EXPECT_GT(onMap + offMap, 100);
    EXPECT_GT(offMap, 0);
}

TEST_F(GpsFollowTest, TheTrackIsTheWholeDriveFromStartToStart)
{
    const MapPoint start{dlg->m_nCenterX, dlg->m_nCenterY};
    StartReception(start);
    dlg->m_bGpsFollowRoad = 0;
    for (int i = 1; i <= 5; ++i)
        Pass({start.x + 40 * i, start.y});
    const int drive = dlg->m_nTrackCount;
    ASSERT_GE(drive, 5);
    // The set-up looked at and closed (OK, then Escape), a route found: the
    // drive goes on being one track.
    modal.dialogAnswers.push_back([](QDialog& shown) {
        shown.show();
        shown.close();  // the caption's close button: OK
        return shown.result();
    });
    dlg->OnCommand(ID_GPS_SETUP, BN_CLICKED);
    modal.dialogAnswers.push_back([](QDialog& shown) {
        shown.show();
        QTest::keyClick(&shown, Qt::Key_Escape);
        return shown.result();
    });
    dlg->OnCommand(ID_GPS_SETUP, BN_CLICKED);
    dlg->StartGpsUpdateThread();  // as a route found while navigating does
    Pass({start.x + 400, start.y + 40});
    EXPECT_EQ(dlg->m_nTrackCount, drive + 1);
    modal.fileAnswers.push_back(root.Path("drive.kvt"));
    dlg->OnCommand(ID_SAVE_ROAD, BN_CLICKED);
    EXPECT_EQ(ReadRoadFile(root.Path("drive.kvt"))->size(), size_t(drive + 1));

    // Stop, then Start: a new drive.
    dlg->m_gpsSetupDlg.OnStop();
    StartReception(start);
    EXPECT_LE(dlg->m_nTrackCount, 1);
}

TEST_F(GpsFollowTest, AnUnpluggedReceiverIsShownLostAndStopStillEndsReception)
{
    StartReception({dlg->m_nCenterX, dlg->m_nCenterY});
    ASSERT_TRUE(dlg->IsGpsUpdating());
    receiver.Unplug();
    ASSERT_TRUE(QTest::qWaitFor([&] { return dlg->m_gpsSetupDlg.IsSourceLost(); }, kPatienceMs));
    dlg->GpsUpdate();
    EXPECT_EQ(dlg->ControlText(IDC_GPS_STATUS), QStringLiteral("Mất tín hiệu GPS"));
    EXPECT_TRUE(dlg->IsControlVisible(IDC_GPS_STATUS));
    // The set-up says it too, and Stop ends reception.
    modal.dialogAnswers.push_back([](QDialog& shown) {
        auto& setup = static_cast<CGpsSetupDlg&>(shown);
        setup.show();
        EXPECT_TRUE(QTest::qWaitFor([&] { return setup.m_edSentence->text() == "Mất tín hiệu GPS"; }, kPatienceMs));
        QTest::mouseClick(setup.m_btnStop, Qt::LeftButton);
        setup.close();
        return setup.result();
    });
    dlg->OnCommand(ID_GPS_SETUP, BN_CLICKED);
    EXPECT_EQ(dlg->m_gpsSetupDlg.m_bRunning, 0);
    EXPECT_FALSE(dlg->m_gpsSetupDlg.IsSourceLost());
}

TEST_F(GpsFollowTest, ADriveSavedAsGpxKeepsItsFixTimesAndSaysItsLengthAndDuration)
{
    const MapPoint from{dlg->m_nCenterX, dlg->m_nCenterY};
    StartReception(from);
    dlg->m_bGpsFollowRoad = 0;  // the positions as sent
    // A minute's drive due east, one fix a second, 100 map units apart.
    for (int i = 1; i <= 61; ++i)
        Pass({from.x + 100 * i, from.y});
    ASSERT_EQ(dlg->m_nTrackCount, 61);
    ASSERT_TRUE(dlg->MenuBar()->IsCommandEnabled(ID_SAVE_ROAD));

    const QString gpx = root.Path("My Documents/drive.gpx");
    modal.fileAnswers.push_back(gpx);
    dlg->OnCommand(ID_SAVE_ROAD, BN_CLICKED);
    EXPECT_EQ(modal.lastFileInitialPath, root.Path("My Documents"));
    EXPECT_EQ(modal.lastFileFilter, QStringLiteral("Tệp đường (*.kvt);;Tệp GPX (*.gpx)"));
    EXPECT_EQ(modal.lastFileCaption, QStringLiteral("Lưu đường — ") + dlg->ControlText(IDC_STATUS).mid(7));
    // 6000 map units at the map's SCALE, to within the map's own distortion
    // between its grid and the ground.
    const QString said = dlg->ControlText(IDC_STATUS);
    EXPECT_TRUE(dlg->IsControlVisible(IDC_STATUS));
    const QRegularExpressionMatch figures =
        QRegularExpression(QStringLiteral("^Đã lưu (\\d+),(\\d) km, 1 phút$")).match(said);
    ASSERT_TRUE(figures.hasMatch()) << said.toStdString();
    const double km = figures.captured(1).toDouble() + figures.captured(2).toDouble() / 10;
    EXPECT_NEAR(km, 6000 * dlg->m_dMapScale * 1e-6, 0.1 * 6000 * dlg->m_dMapScale * 1e-6);
    // Shown over the GPS line, which comes back on top after a while.
    ASSERT_TRUE(dlg->IsControlVisible(IDC_GPS_STATUS));
    const auto onTop = [&](int id) {
        const QWidget* control = dlg->GetDlgItem(id);
        return control->parentWidget()->childAt(control->geometry().center()) == control;
    };
    EXPECT_TRUE(onTop(IDC_STATUS));
    EXPECT_TRUE(QTest::qWaitFor([&] { return onTop(IDC_GPS_STATUS); }, CMapDlg::kSavedTrackMessageMs + kPatienceMs));

    // A GPX 1.1 document the published schema accepts, with a time for each fix.
    const QByteArray bytes = root.Read("My Documents/drive.gpx");
    // The start's fix came at 08:00:01; the drive's at 08:00:02 to 08:01:02.
    EXPECT_EQ(bytes.count("<time>2024-01-01T08:00:"), 58) << bytes.left(600).toStdString();
    EXPECT_TRUE(bytes.contains("<time>2024-01-01T08:01:02Z</time>"));
    const QString schema = QStringLiteral(KORVANE_SOURCE_DIR "/tests/data/gpx/gpx.xsd");
    ASSERT_FALSE(Installed("xmllint").isEmpty()) << "xmllint is needed: scripts/install-deps.sh installs it";
    QString lint;
    EXPECT_EQ(RunProgram(QStringLiteral("xmllint"),
                         {QStringLiteral("--noout"), QStringLiteral("--schema"), schema, gpx}, &lint),
              0)
        << lint.toStdString();
    // A file that cannot be written says so.
    root.Write("blocker", "a file, not a folder");
    modal.fileAnswers.push_back(root.Path("blocker/drive.gpx"));
    dlg->OnCommand(ID_SAVE_ROAD, BN_CLICKED);
    EXPECT_EQ(modal.messages, QStringList({QStringLiteral("Không lưu được tệp: drive.gpx")}));
#ifdef KORVANE_TOOL
    // korvane-tool reads it back as the road it was, and gives its figures.
    const QString back = root.Path("back.kvt");
    QString toolSaid;
    ASSERT_EQ(
        RunProgram(QStringLiteral(KORVANE_TOOL), {QStringLiteral("kvt"), gpx, QStringLiteral("-o"), back}, &toolSaid),
        0)
        << toolSaid.toStdString();
    EXPECT_EQ(root.Read("back.kvt"), RoadFileBytes(dlg->m_pTrackGps, dlg->m_nTrackCount));
    ASSERT_EQ(RunProgram(QStringLiteral(KORVANE_TOOL), {QStringLiteral("info"), gpx}, &toolSaid), 0);
    EXPECT_TRUE(toolSaid.contains(QStringLiteral("points: 61\n"))) << toolSaid.toStdString();
    EXPECT_TRUE(toolSaid.contains(QStringLiteral("duration: 0:01:00 (2024-01-01T08:00:02Z to 2024-01-01T08:01:02Z)")))
        << toolSaid.toStdString();
    EXPECT_TRUE(toolSaid.contains(QStringLiteral("length: %1").arg(figures.captured(1))));
#endif
}

}  // namespace
