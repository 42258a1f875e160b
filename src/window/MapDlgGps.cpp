// The GPS on the map: the set-up, which starts reception and, once a position
// has been seen, turns the display on; "Hiển thị GPS"; the one-second update
// pass that moves the position (snapped to the road when asked), keeps it in
// view, draws it and records the track; and "Chèn GPS".
#include "window/MapDlg.h"

#include "ResourceIds.h"
#include "gps/GpsDisplay.h"
#include "gps/Nmea.h"
#include "widgets/UiCommandBar.h"
#include "widgets/UiMapSurface.h"
#include "view/Overlays.h"
#include "view/ViewFit.h"
#include "view/Viewport.h"

namespace {

const QString kOffMapText = QStringLiteral("Vị trí GPS nằm ngoài bản đồ");

}  // namespace

void CMapDlg::OnGpsSetup()
{
    // Without a map, positions are placed by a calibration of their own.
    if (!m_bMapLoaded)
        UseDefaultGpsCalibration(*this);
    // The port and rate of the settings file are offered once; afterwards
    // the dialog shows what the user last chose, which exit then saves.
    if (m_bCfgRead == 1 && !m_bCfgPortOffered) {
        m_gpsSetupDlg.m_strPort = m_strCfgComType;
        m_gpsSetupDlg.m_strBaud = m_strCfgBitRate;
        m_bCfgPortOffered = true;
    }
    m_gpsSetupDlg.m_bFollowRoad = m_bGpsFollowRoad;
    m_gpsSetupDlg.m_bContinuous = m_bGpsContinuous;
    m_gpsSetupDlg.DoModal();
    m_bGpsFollowRoad = m_gpsSetupDlg.m_bFollowRoad;
    m_bGpsContinuous = m_gpsSetupDlg.m_bContinuous;
    if (m_gpsSetupDlg.m_bFixSeen)
        TurnGpsDisplayOn();
}

void CMapDlg::TurnGpsDisplayOn()
{
    m_bGpsTrackOn = m_gpsSetupDlg.m_bContinuous;
    m_pMainMenu->EnableCommand(ID_SHOW_GPS, true);
    m_pMainMenu->EnableCommand(ID_NAVIGATE, true);
    ShowGpsPosition(false);
    if (m_gpsSetupDlg.m_bContinuous == 1) {
        StartGpsUpdateThread();
        ShowControl(IDC_GPS_STATUS, true);
        m_pMainMenu->EnableCommand(ID_SAVE_ROAD, true);
    }
}

void CMapDlg::StartGpsAtLaunch(const QString& portText)
{
    if (!m_bMapLoaded)
        UseDefaultGpsCalibration(*this);
    CGpsSetupDlg& setup = m_gpsSetupDlg;
    setup.m_strPort = portText;
    setup.m_bContinuous = m_bGpsContinuous = 1;
    setup.m_bFollowRoad = m_bGpsFollowRoad = 1;
    if (!setup.StartReception(portText, setup.m_strBaud))
        return;
    // As if Start had been pressed and the dialog closed once a position
    // came: the display turns on with the first fix.
    connect(&m_launchTimer, &QTimer::timeout, this, [this] {
        if (LatestFix().state != FixState::Valid)
            return;
        m_launchTimer.stop();
        m_gpsSetupDlg.m_bFixSeen = 1;
        TurnGpsDisplayOn();
    });
    m_launchTimer.start(CGpsSetupDlg::kRefreshMs);
}

DriveRoute CMapDlg::RouteToDrive() const
{
    DriveRoute drive;
    const int last = std::min<int>(m_nRouteLast, static_cast<int>(m_routePoints.size()) - 1);
    if (m_bRouteShown)
        drive.points.assign(m_routePoints.rend() - (last + 1), m_routePoints.rend());
    drive.calibration.m_dGpsRotation = m_dGpsRotation;
    drive.calibration.m_dGpsUnitsPerMapUnit = m_dGpsUnitsPerMapUnit;
    drive.calibration.m_nGpsOriginX = m_nGpsOriginX;
    drive.calibration.m_nGpsOriginY = m_nGpsOriginY;
    drive.mapScale = m_dMapScale;
    return drive;
}

CMapDlg::Fix CMapDlg::LatestFix() const
{
    Fix fix;
    fix.line = m_gpsSetupDlg.LatestRmcLine();
    fix.latitude = NmeaParser::RmcLatitude(fix.line);
    fix.longitude = NmeaParser::RmcLongitude(fix.line);
    if (fix.latitude.isEmpty() || fix.longitude.isEmpty())
        return fix;
    // A receiver without a fix may repeat an old or a bogus position with
    // status "V": it places nothing.
    fix.state = NmeaParser::RmcField(fix.line, 2) == QLatin1String("V") ? FixState::Void : FixState::Valid;
    const GpsPosition gps = NmeaParser::RmcPosition(fix.line);
    fix.gps = MapPoint{gps.x, gps.y};
    fix.map = GpsToMap(gps.x, gps.y, *this);
    return fix;
}

void CMapDlg::CentreOnGps()
{
    m_nOriginX = TruncateToInt32(m_ptGps.x - (m_nClientWidth / 2) * (1.0 / m_dScale));
    m_nOriginY = TruncateToInt32(m_ptGps.y - (m_nClientHeight / 2) * (1.0 / m_dScale));
    UpdateVisibleWays();
    Invalidate();
}

void CMapDlg::OnShowGps()
{
    ShowGpsPosition(true);
}

void CMapDlg::ShowGpsPosition(bool evenOffMap)
{
    const Fix fix = LatestFix();
    if (fix.state == FixState::None) {
        m_bGpsValid = 0;
        return;
    }
    if (fix.state == FixState::Void)
        return;
    m_ptGps = fix.map;
    m_bGpsValid = 1;
    if (!evenOffMap && !IsOnMap(m_ptGps)) {
        SetControlText(IDC_GPS_STATUS, kOffMapText);
        ShowControl(IDC_GPS_STATUS, true);
        return;
    }
    m_dScale = m_dBaseScale * 6.0;
    CentreOnGps();
}

bool CMapDlg::IsOnMap(MapPoint p) const
{
    return !m_bMapLoaded || WithinMapExtent(*this, p);
}

void CMapDlg::StartGpsUpdateThread()
{
    // One pass at a time: a second start restarts the pass, never doubles it.
    m_gpsTimer.start(kGpsUpdateMs);
}

void CMapDlg::GpsUpdate()
{
    // The marker and the track stay where the last fix put them until the
    // source is back.
    if (m_gpsSetupDlg.IsSourceLost()) {
        SetControlText(IDC_GPS_STATUS, CGpsSetupDlg::kSourceLostText);
        return;
    }
    const Fix fix = LatestFix();
    const MapPoint prev = m_ptGps;
    if (fix.state == FixState::None) {
        m_bGpsValid = 0;
        return;
    }
    if (fix.state == FixState::Void)
        return;  // the marker and the track stay where the last fix put them
    // Off the map the view stays where it is: the map stays on the screen.
    const bool onMap = IsOnMap(fix.map);
    SetControlText(IDC_GPS_STATUS, onMap ? "Long:" + fix.longitude + "-Lat:" + fix.latitude : kOffMapText);
    m_ptGps = fix.map;
    bool snapped = false;
    if (m_bGpsFollowRoad)
        m_ptGps = SnapToRoad(*this, m_visibleWays, *this, m_ptGps, snapped);
    const QPoint before = MapToScreen(*this, prev);
    if (PointDistance(before, MapToScreen(*this, m_ptGps)) <= 3.0 && !snapped) {
        m_ptGps = prev;  // a move of 3 pixels or less is neither drawn nor kept
    } else {
        if (onMap && NeedsRecentring(MapToScreen(*this, m_ptGps), m_nClientWidth, m_nClientHeight))
            CentreOnGps();
        QPainter dc(&m_pClient->Surface());
        DrawGpsMarker(dc, MapToScreen(*this, m_ptGps));
        m_pClient->update();
        AppendTrack(m_ptGps, fix.gps, NmeaParser::RmcDateTime(fix.line));
    }
    if (m_bNavigating)
        NavigationStep();
}

void CMapDlg::OnInsertGpsPoint()
{
    m_gpsPointDlg.m_ptMap = NearestStreetPoint(m_ptDown.x(), m_ptDown.y());
    m_gpsPointDlg.m_pSerial = &m_gpsSetupDlg;
    m_gpsPointDlg.DoModal();
}
