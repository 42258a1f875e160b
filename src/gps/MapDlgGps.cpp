// The map window's GPS commands: the set-up, which starts reception and,
// once a position has been seen, turns the GPS display on.
#include "app/MapDlg.h"

#include "ResourceIds.h"
#include "gps/Nmea.h"
#include "platform/UiCommandBar.h"

void CMapDlg::OnGpsSetup()
{
    if (!m_bMapLoaded) {
        // Without a map, positions are placed by a calibration of their own.
        m_dGpsRotation = 0.0;
        m_dGpsUnitsPerMapUnit = 16.0;
        m_nGpsOriginX = 65000000;
        m_nGpsOriginY = -12500000;
    }
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
    if (!m_gpsSetupDlg.m_bFixSeen)
        return;
    m_bGpsTrackOn = m_gpsSetupDlg.m_bContinuous;
    m_pMainMenu->EnableCommand(ID_SHOW_GPS, true);
    m_pMainMenu->EnableCommand(ID_NAVIGATE, true);
    OnShowGps();
    if (m_gpsSetupDlg.m_bContinuous == 1) {
        StartGpsUpdateThread();
        ShowControl(IDC_GPS_STATUS, true);
        m_pMainMenu->EnableCommand(ID_SAVE_ROAD, true);
    }
}

// Centring the view on the position needs the map calibration of the GPS
// display, which comes with it; until then only a missing position is known.
void CMapDlg::OnShowGps()
{
    const QString line = m_gpsSetupDlg.LatestRmcLine();
    if (NmeaParser::RmcLatitude(line).isEmpty() || NmeaParser::RmcLongitude(line).isEmpty())
        m_bGpsValid = 0;
}

// The one-second update pass comes with the GPS display; each start begins a
// new, empty track.
void CMapDlg::StartGpsUpdateThread()
{
    m_pTrackPoints.clear();
    m_pTrackGps.clear();
    m_nTrackCount = 0;
}
