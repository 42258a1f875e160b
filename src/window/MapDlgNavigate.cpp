// Navigation: "Dẫn đường" makes the street at the position the start of a
// route and asks for the destination; each update pass then shows an arrow
// and a street name for where the position is on the route.
#include "window/MapDlg.h"

#include "ResourceIds.h"
#include "gps/Navigation.h"
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

}  // namespace

void CMapDlg::OnNavigate()
{
    m_strToWay.clear();
    m_strFromWay.clear();
    m_gpsTimer.stop();
    m_ptNavPrev = MapPoint{};
    m_bGpsFollowRoad = 1;
    m_bNavigating = 1;
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
    if (m_ptNavPrev.x == 0) {
        // The first step: straight on, along the route's first street.
        m_ptNavPrev = m_ptGps;
        DrawGuidance(kStraightOn, EdgeStreetName(*this, m_routeNodes[last], m_routeNodes[last - 1]));
        return;
    }
    GuidanceStep(m_ptGps);
    m_ptNavPrev = m_ptGps;
}

void CMapDlg::GuidanceStep(MapPoint position)
{
    if (const auto guidance = GuidanceAt(*this, *this, m_strFromWay, m_strToWay, position))
        DrawGuidance(guidance->code, guidance->text);
}

void CMapDlg::DrawGuidance(int code, const QString& text)
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
    }
    m_pClient->update();
}
