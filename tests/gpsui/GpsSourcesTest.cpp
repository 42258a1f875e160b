// GPS without a serial cable, on the Hanoi map: gpsd (a real one, started by
// gpsfake) chosen in the set-up, a receiver log given on the command line,
// and a simulated drive along a route with navigation from start to end.
#include "ResourceIds.h"
#include "window/CommandLine.h"
#include "window/MapApp.h"
#include "gps/GpsDisplay.h"
#include "window/GpsSetupDlg.h"
#include "gps/GpsSources.h"
#include "gps/Navigation.h"
#include "gps/Nmea.h"
#include "widgets/UiComboBox.h"
#include "support/DeviceRoot.h"
#include "support/GpsFake.h"
#include "support/MapWindow.h"
#include "support/ScriptedModal.h"
#include "support/Widgets.h"

#include <QCheckBox>
#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>

namespace {

constexpr int kPatienceMs = 15000;
const QString kLogs = QStringLiteral(KORVANE_SOURCE_DIR "/tests/data/nmea/");

class GpsSourcesTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        root.Write("My Documents/korvane.cfg", "MapVer 1.2\r\nMapURL " KORVANE_SOURCE_DIR "/data/hanoi.kvp\r\n"
                                               "ComType COM8: Serial 8\r\nBitRate 4800\r\nURLInforFile \r\n"
                                               "NumMyPlace 0\r\nend\r\n\r\n");
    }
    void Open() { dlg = OpenMapWindow(); }
    // "Cấu hình GPS": a port text typed, Start, the first fix awaited, OK.
    void StartInSetup(const QString& portText, bool expectStart = true)
    {
        modal.dialogAnswers.push_back([=](QDialog& shown) {
            auto& setup = static_cast<CGpsSetupDlg&>(shown);
            setup.show();
            setup.m_cbPort->SetWindowText(portText);
            QTest::mouseClick(setup.m_btnStart, Qt::LeftButton);
            EXPECT_EQ(setup.m_bRunning, expectStart ? 1 : 0);
            if (expectStart) {
                EXPECT_TRUE(QTest::qWaitFor([&] { return setup.m_bFixSeen == 1; }, kPatienceMs));
            }
            setup.close();
            return setup.result();
        });
        dlg->OnCommand(ID_GPS_SETUP, BN_CLICKED);
    }
    // Passes of the update until the track has grown by n positions.
    bool TrackGrowsBy(int n)
    {
        const int from = dlg->m_nTrackCount;
        return QTest::qWaitFor([&] {
            dlg->GpsUpdate();
            return dlg->m_nTrackCount >= from + n;
        }, kPatienceMs);
    }

    TempDeviceRoot root;
    ScriptedModal modal;
    std::unique_ptr<CMapDlg> dlg;
};

TEST_F(GpsSourcesTest, GpsdServingAReceiverLogMovesThePositionAsAReceiverWould)
{
    GpsFake gpsfake({QStringLiteral("-q"), QStringLiteral("-c"), QStringLiteral("0.05")},
                    kLogs + QStringLiteral("humminbird-M37.log"));
    ASSERT_TRUE(gpsfake.Started()) << "gpsfake comes with scripts/install-deps.sh";
    const int port = gpsfake.Port();
    Open();
    modal.dialogAnswers.push_back([&](QDialog& shown) {
        auto& setup = static_cast<CGpsSetupDlg&>(shown);
        setup.show();
        EXPECT_GE(setup.m_cbPort->FindString(QStringLiteral("gpsd: localhost:2947")), 0);
        setup.m_cbPort->SetWindowText(QStringLiteral("gpsd: localhost:%1").arg(port));
        // gpsd takes a moment to come up: Start again until it answers.
        EXPECT_TRUE(QTest::qWaitFor([&] {
            QTest::mouseClick(setup.m_btnStart, Qt::LeftButton);
            return setup.m_bRunning == 1;
        }, kPatienceMs));
        EXPECT_TRUE(QTest::qWaitFor([&] { return setup.m_bFixSeen == 1; }, kPatienceMs));
        setup.close();
        return setup.result();
    });
    dlg->OnCommand(ID_GPS_SETUP, BN_CLICKED);
    EXPECT_EQ(dlg->m_bGpsValid, 1);
    EXPECT_TRUE(TrackGrowsBy(3));
    dlg->m_gpsSetupDlg.OnStop();
}

TEST_F(GpsSourcesTest, AReceiverLogOnTheCommandLineShowsThePositionAndTrackMoving)
{
    StartOptions options;
    options.gpsSource = kLogs + QStringLiteral("humminbird-M37.log");
    CMapApp app;
    dlg.reset(app.InitInstance(options));
    ASSERT_EQ(dlg->m_bMapLoaded, 1);
    // The display turns on with the first fix, the one-second pass moves it.
    ASSERT_TRUE(QTest::qWaitFor([&] { return dlg->m_bGpsValid == 1; }, kPatienceMs));
    EXPECT_TRUE(dlg->IsGpsUpdating());
    EXPECT_EQ(dlg->m_bGpsFollowRoad, 1);
    const int track = dlg->m_nTrackCount;
    EXPECT_TRUE(QTest::qWaitFor([&] { return dlg->m_nTrackCount >= track + 2; }, kPatienceMs));
    // The log was recorded far from Hanoi: the map stays on screen.
    EXPECT_EQ(dlg->ControlText(IDC_GPS_STATUS), QStringLiteral("Vị trí GPS nằm ngoài bản đồ"));
}

TEST_F(GpsSourcesTest, TheSimulatedDriveNeedsARouteAndALogIsChosenThroughItsEntry)
{
    Open();
    StartInSetup(kSimulationEntry, false);  // no route on show: nothing to drive
    EXPECT_EQ(dlg->m_gpsSetupDlg.m_bRunning, 0);

    // "Tệp NMEA…" opens the file dialog; the log chosen is the port.
    const QString log = kLogs + QStringLiteral("et-332.log");
    modal.fileAnswers.push_back(log);
    modal.dialogAnswers.push_back([&](QDialog& shown) {
        auto& setup = static_cast<CGpsSetupDlg&>(shown);
        setup.show();
        EXPECT_TRUE(ChooseEntry(setup.m_cbPort, kLogEntry));
        EXPECT_EQ(setup.m_cbPort->GetWindowText(), log);
        QTest::mouseClick(setup.m_btnStart, Qt::LeftButton);
        EXPECT_EQ(setup.m_bRunning, 1);
        setup.close();
        return setup.result();
    });
    dlg->OnCommand(ID_GPS_SETUP, BN_CLICKED);
    EXPECT_TRUE(QTest::qWaitFor([&] { return !dlg->m_gpsSetupDlg.LatestRmcLine().isEmpty(); }, kPatienceMs));
}

// A simulated drive that the test steps second by second, drained by the test
// itself rather than a reader thread.
struct SteppedDrive {
    double now = 0;
    SimulatedDrive* source = nullptr;
    void Second()
    {
        now += 1;
        source->ProcessEvent();
    }
};

TEST_F(GpsSourcesTest, ASimulatedDriveAcrossTheMapIsGuidedStreetByStreetToItsDestination)
{
    Open();
    // A route from a junction near one edge of the map to one near the other.
    const auto junction = [&](int n) { return MapPoint{dlg->m_pNodeCoords[n][0], dlg->m_pNodeCoords[n][1]}; };
    // (Within the map, away from the extract's cut edges.)
    const auto inside = [&](MapPoint p) {
        return p.x > dlg->m_nResWidth / 10 && p.x < dlg->m_nResWidth * 9 / 10 && p.y > dlg->m_nResHeight / 10 &&
               p.y < dlg->m_nResHeight * 9 / 10;
    };
    int west = 0, east = 0;
    for (int n = 1; n <= dlg->m_nNodeLast; ++n) {
        const MapPoint p = junction(n);
        if (!inside(p))
            continue;
        if (west == 0)
            west = east = n;
        if (p.x + p.y / 4 < junction(west).x + junction(west).y / 4)
            west = n;
        if (p.x - p.y / 4 > junction(east).x - junction(east).y / 4)
            east = n;
    }
    const auto pick = [&](MapPoint at) {
        dlg->m_dScale = 6 * dlg->m_dBaseScale;
        dlg->m_nOriginX = at.x - int(240 / dlg->m_dScale);
        dlg->m_nOriginY = at.y - int(320 / dlg->m_dScale);
        dlg->UpdateVisibleWays();
        dlg->OnLButtonDown(0, MapToScreen(*dlg, at));
        dlg->OnLButtonUp(0, MapToScreen(*dlg, at));
        dlg->OnCommand(IDC_ROUTE_OK, BN_CLICKED);
    };
    dlg->OnCommand(ID_SHORTEST_PATH, BN_CLICKED);
    pick(junction(west));
    pick(junction(east));
    ASSERT_EQ(dlg->m_bRouteShown, 1) << modal.messages.join(' ').toStdString();

    // "Mô phỏng theo lộ trình" at 30 km/h, then "Dẫn đường" to the same end.
    SteppedDrive drive;
    auto source = std::make_unique<SimulatedDrive>(dlg->RouteToDrive(), [&drive] { return drive.now; });
    drive.source = source.get();
    ASSERT_TRUE(source->Open(kSimulationEntry, 0));
    dlg->m_gpsSetupDlg.m_pSerial = std::move(source);
    drive.source->ProcessEvent();
    dlg->m_gpsSetupDlg.m_bFixSeen = 1;
    dlg->m_gpsSetupDlg.m_bContinuous = 1;
    dlg->TurnGpsDisplayOn();
    dlg->OnCommand(ID_NAVIGATE, BN_CLICKED);
    pick(junction(east));
    ASSERT_EQ(dlg->m_bRouteShown, 1);
    ASSERT_EQ(dlg->m_bNavigating, 1);
    const MapPoint destination = dlg->m_routePoints.front();

    QStringList shown;
    // Until the drive stands at its end (its speed 0).
    const auto standing = [&] { return NmeaParser::RmcField(dlg->m_gpsSetupDlg.LatestRmcLine(), 7) == "0.0"; };
    for (int second = 0; second < 3600 && !standing(); ++second) {
        drive.Second();
        dlg->GpsUpdate();
        if (dlg->m_nGuidanceCode > 0 && (shown.isEmpty() || shown.last() != dlg->m_strGuidanceText))
            shown << dlg->m_strGuidanceText;
    }
    // The destination is reached (moves of 3 pixels or less are not shown),
    // and the streets were named in the route's order: each street turned
    // into, and the street in use while no turn is near (one entered
    // straight on between two close turns may go unnamed).
    dlg->GpsUpdate();
    EXPECT_LE(PointDistance(MapToScreen(*dlg, dlg->m_ptGps), MapToScreen(*dlg, destination)), 3.0);
    const QStringList streets = dlg->m_strRouteText.split(u'-');
    int next = 0;
    int named = 0;
    for (const QString& name : shown) {
        if (name.isEmpty())
            continue;
        const int at = streets.indexOf(name, next);
        EXPECT_GE(at, 0) << name.toStdString() << " out of order in " << shown.join(" | ").toStdString();
        next = std::max(next, at);
        ++named;
    }
    EXPECT_GE(streets.size(), 4);
    EXPECT_GE(named, streets.size() - 2) << shown.join(" | ").toStdString();
}

}  // namespace
