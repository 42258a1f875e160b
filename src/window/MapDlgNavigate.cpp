// Navigation: "Dẫn đường" makes the street at the position the start of a
// route and asks for the destination; each update pass then shows an arrow
// and a street name for where the position is on the route.
#include "window/MapDlg.h"

#include "ResourceIds.h"
#include "gps/Navigation.h"
#include "gps/Nmea.h"
#include "base/Trace.h"
#include "widgets/UiCommandBar.h"
#include "widgets/UiMapSurface.h"
#include "route/ShortestPath.h"
#include "view/Overlays.h"

namespace {

const QColor kGuidanceColour(255, 0, 0);

// Where an arrow's tip and its text go, by code, in a window w wide; small
// is true for display factor 1.
struct GuidancePlace {
    QPoint arrow;
    QPoint text;
};

GuidancePlace PlaceOf(int code, int w, int textLength, bool small)
{
    const int f = small ? 1 : 0;
    const int right = w - 13 * textLength;
    switch (code) {
    case kTurnLeft: return {{0, small ? 12 : 24}, {0, small ? 24 : 48}};
    case kStraightOn: return {{w - 72 + 36 * f, 30}, {right, 0}};
    case kTurnRight: return {{w, small ? 12 : 24}, {right, small ? 24 : 48}};
    default: return {{w - 72 + 36 * f, small ? 48 : 96}, {right, small ? 48 : 96}};
    }
}

// The distance on the line below the street's name: at the left edge under
// a left turn's, right-aligned as the name is otherwise.
void DrawDistance(QPainter& dc, int width, QPoint name, int code, const QString& distance)
{
    const int x = code == kTurnLeft ? 0 : width - 13 * static_cast<int>(distance.size());
    DrawTextAt(dc, x, name.y() + dc.fontMetrics().height(), distance);
}

}  // namespace

void CMapDlg::OnNavigate()
{
    m_strToWay.clear();
    m_strFromWay.clear();
    m_gpsTimer.stop();
    m_ptNavPrev = MapPoint{};
    m_bGpsFollowRoad = 1;
    m_bNavigating = 1;
    m_driveGuide = DriveGuide{};
    m_navClock.start();
    m_strNavStatus.clear();
    const Fix fix = LatestFix();
    if (fix.state == FixState::None)
        return;
    // The street nearest to the position is the route's start.
    const int way = PickNearestWay(MapToScreen(*this, fix.map), m_bPickFrom != 0, m_ptFromTap, m_segFrom[0],
                                   m_segFrom[1]);
    if (way >= 0)
        m_strFromWay = m_strFromToName = m_strWayName[way];
    HideTopBar();
    for (int id : {IDC_FROM_TO_LABEL, IDC_ROUTE_NAME, IDC_ROUTE_OK, IDC_ROUTE_TYPE})
        ShowControl(id, true);
    m_bListOpened = 0;
    m_bPickFrom = 1;
    UpdateData(false);
    SetMeasureMode(0);
    m_bStreetPending = m_bBusPending = 0;
    m_bRoutePick = 1;
    SetControlText(IDC_ROUTE_TYPE, QStringLiteral("Đường"));
    // With the start picked, OK moves on to asking for the destination; the
    // route found then restarts the update pass.
    OnRouteOk();
}

void CMapDlg::NavigationStep()
{
    const int last = std::min<int>(m_nRouteLast, static_cast<int>(m_routeNodes.size()) - 1);
    if (last < 1)
        return;
    const double knots = NmeaParser::RmcField(m_gpsSetupDlg.LatestRmcLine(), 7).toDouble();
    const GuidancePass pass =
        m_driveGuide.Step(*this, *this, m_strFromWay, m_strToWay, m_ptGps, knots, m_navClock.elapsed());
    Speak(pass.spoken);
    if (pass.reroute) {
        RerouteFromHere();
        return;
    }
    if (pass.arrived) {
        ShowArrival();
        return;
    }
    SetNavigationStatus(pass.status);
    if (m_ptNavPrev.x == 0) {
        // The first step: straight on, along the route's first street (the
        // start's street when the first piece has no name of its own).
        m_ptNavPrev = m_ptGps;
        const QString first = EdgeStreetName(*this, m_routeNodes[last], m_routeNodes[last - 1]);
        DrawGuidance(kStraightOn, first.isEmpty() ? m_strFromWay : first, pass.distance);
        return;
    }
    if (pass.arrow)
        DrawGuidance(pass.arrow->code, pass.arrow->text, pass.distance);
    m_ptNavPrev = m_ptGps;
}

void CMapDlg::RerouteFromHere()
{
    if (!RouteFromHere(*this, *this, *this, *this, m_visibleWays, m_ptGps)) {
        Trace("Re-route from (%d, %d): no route found", m_ptGps.x, m_ptGps.y);
        m_driveGuide.RerouteFailed();
        SetNavigationStatus(QStringLiteral("Không tìm được đường mới"));
        return;
    }
    Trace("Re-route from (%d, %d): %d points, %.0f map units", m_ptGps.x, m_ptGps.y, m_nRouteLast + 1,
          m_dRouteLength);
    m_driveGuide.NewRoute();
    m_ptNavPrev = MapPoint{};
    Invalidate();
}

void CMapDlg::ShowArrival()
{
    // Guidance ends; the update pass goes on moving the position and
    // recording the track.
    m_bNavigating = 0;
    const QString arrived = QStringLiteral("Đã đến nơi");
    SetNavigationStatus(arrived);
    DrawGuidance(0, arrived);
}

void CMapDlg::SetNavigationStatus(const QString& text)
{
    m_strNavStatus = text;
    SetControlText(IDC_STATUS, text);
    ShowControl(IDC_STATUS, true);
}

void CMapDlg::Speak(const QStringList& sentences)
{
    if (!m_pVoice || !m_bVoiceGuidance || !m_strVoiceUnavailable.isEmpty())
        return;
    for (const QString& sentence : sentences)
        m_pVoice->Say(sentence);
}

void CMapDlg::SetVoice(GuidanceVoice* voice)
{
    m_pVoice = voice;
}

void CMapDlg::OnVoiceGuidance()
{
    m_bVoiceGuidance = !m_bVoiceGuidance;
    ShowVoiceCommand();
}

void CMapDlg::VoiceUnavailable(const QString& reason)
{
    Trace("Spoken guidance unavailable: %s", qUtf8Printable(reason));
    m_strVoiceUnavailable = reason;
    ShowVoiceCommand();
}

void CMapDlg::ShowVoiceCommand()
{
    QAction* command = m_pMainMenu->FindCommand(ID_VOICE_GUIDANCE);
    command->setCheckable(true);
    command->setChecked(m_bVoiceGuidance && m_strVoiceUnavailable.isEmpty());
    command->setEnabled(m_strVoiceUnavailable.isEmpty());
    command->setStatusTip(m_strVoiceUnavailable);
}

void CMapDlg::DrawGuidance(int code, const QString& text, const QString& distance)
{
    m_nGuidanceCode = code;
    m_strGuidanceText = text;
    // The clean map first: earlier arrows and markers go.
    RestoreFromBackBuffer();
    QPainter dc(&m_pClient->Surface());
    DrawTrack(dc, *this, *this);
    DrawGpsMarker(dc, MapToScreen(*this, m_ptGps));
    if (code >= kTurnLeft && code <= kTurnBack) {
        const bool small = m_nDisplayFactor == 1;
        const GuidancePlace place = PlaceOf(code, m_nClientWidth, static_cast<int>(text.size()), small);
        DrawTurnArrow(dc, place.arrow.x(), place.arrow.y(), code, small ? 3 : 6, kGuidanceColour);
        dc.setFont(DefaultFont(m_nDisplayFactor));
        dc.setPen(Qt::black);
        DrawTextAt(dc, place.text.x(), place.text.y(), text);
        DrawDistance(dc, m_nClientWidth, place.text, code, distance);
    } else if (!text.isEmpty()) {
        // No arrow: the text alone where the street of straight on goes.
        dc.setFont(DefaultFont(m_nDisplayFactor));
        dc.setPen(Qt::black);
        DrawTextAt(dc, m_nClientWidth - 13 * static_cast<int>(text.size()), 0, text);
    }
    m_pClient->update();
}
