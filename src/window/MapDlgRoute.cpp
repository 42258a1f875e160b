// The route commands of the map window: the shortest-path mode, in which the
// user picks a start and an end (a street or a place from the top bar's
// lists, or a tap on the map) and confirms each with OK; the avoid mode, in
// which taps mark the road nodes and segments that later routes must not use;
// and the map marks of the context menu.
#include "window/MapDlg.h"

#include "ResourceIds.h"
#include "places/NameLists.h"
#include "widgets/UiComboBox.h"
#include "widgets/UiCommandBar.h"
#include "widgets/UiModal.h"
#include "view/ViewFit.h"

#include <algorithm>
#include <cmath>

namespace {

// Margins around a fitted route, in pixels: left and right, top and bottom.
constexpr int kRouteMarginX = 30;
constexpr int kRouteMarginY = 40;



// The first place of the category captioned type that is called name, or −1.
int FindPlace(const MapData& map, const QString& type, const QString& name)
{
    for (int i = 0; i <= map.m_nPlaceLast; ++i) {
        if (CategoryCaption(map.m_nPlaceCategory[i]) == type && map.m_strPlaceName[i] == name)
            return i;
    }
    return -1;
}

// Fits the view to the route's points with margins, centred across the axis
// that does not limit the scale. The box starts at 100000 (minimum) and 0
// (maximum) as the street fit does. A route box of no extent at all (or a
// client smaller than the margins) has no finite positive scale; the view is
// then left as it is.
void FitViewToRoute(MapState& s)
{
    MapBox box;
    const int last = std::min(s.m_nRouteLast, static_cast<int>(s.m_routePoints.size()) - 1);
    for (int i = 0; i <= last; ++i)
        box.Add(s.m_routePoints[i]);
    const double sx = (s.m_nClientWidth - 2 * kRouteMarginX) / box.Width();
    const double sy = (s.m_nClientHeight - 2 * kRouteMarginY) / box.Height();
    const double scale = std::min(sx, sy);
    if (!(scale > 0) || std::isinf(scale))
        return;
    s.m_dScale = scale;
    s.m_nOriginX = TruncateToInt32(box.minX - TruncateToInt32(kRouteMarginX / scale));
    s.m_nOriginY = TruncateToInt32(box.minY - TruncateToInt32(kRouteMarginY / scale));
    CentreAcross(s, box, scale, scale == sx);
    UpdateVisibleWays(s, s);
}

// OK with a start picked: the bar now asks for the end.
void ConfirmRouteStart(CMapDlg& dlg)
{
    dlg.m_strFromWay = dlg.m_strFromToName;
    dlg.m_strFromToName.clear();
    dlg.SetControlText(IDC_ROUTE_NAME, QString());
    dlg.SetControlText(IDC_FROM_TO_LABEL, QStringLiteral("Tới:"));
    dlg.m_bPickFrom = 0;
    dlg.GetDlgItem(IDC_ROUTE_NAME)->setFocus();
    dlg.m_bListOpened = 0;
}

// OK with an end picked: the bar closes and the route is searched and shown.
void ConfirmRouteEnd(CMapDlg& dlg)
{
    dlg.m_strToWay = dlg.m_strFromToName;
    dlg.m_bPickFrom = 1;
    dlg.SetControlText(IDC_FROM_TO_LABEL, QStringLiteral("Từ :"));
    for (int id : {IDC_FROM_TO_LABEL, IDC_ROUTE_NAME, IDC_PLACE_TYPE, IDC_ROUTE_OK, IDC_ROUTE_TYPE})
        dlg.ShowControl(id, false);
    // The mode ends before the list closes, so that its close-up picks nothing.
    dlg.m_bRoutePick = 0;
    dlg.Combo(IDC_ROUTE_NAME)->ShowDropDown(false);
    const int found =
        FindShortestRoute(dlg, dlg, dlg, dlg.m_ptFromTap, dlg.m_segFrom[0], dlg.m_segFrom[1], dlg.m_ptToTap,
                          dlg.m_segTo[0], dlg.m_segTo[1], dlg.m_strFromWay, dlg.m_strToWay);
    if (found) {
        FitViewToRoute(dlg);
        dlg.m_nSelectedWays = 0;
        dlg.Invalidate();
        // Navigating: the update pass starts again, now with a route to follow.
        if (dlg.m_bNavigating)
            dlg.StartGpsUpdateThread();
        return;
    }
    dlg.m_bAvoidPick = 0;
    dlg.m_bRouteShown = 0;
    dlg.m_bAvoidActive = 0;
    Modal().MessageBox(&dlg, QStringLiteral("Không tồn tại đường đi hợp lệ"));
}

}  // namespace

void CMapDlg::OnShortestPath()
{
    HideTopBar();
    for (int id : {IDC_FROM_TO_LABEL, IDC_ROUTE_NAME, IDC_ROUTE_OK, IDC_ROUTE_TYPE})
        ShowControl(id, true);
    m_bPickFrom = 1;
    m_ptFromTap = m_ptToTap = MapPoint{};
    UpdateData(false);
    SetMeasureMode(0);
    m_bStreetPending = 0;
    m_bRoutePick = 1;
    m_bBusPending = 0;
    m_strFromToType = QStringLiteral("Đường");
    SetControlText(IDC_ROUTE_TYPE, m_strFromToType);
    CComboBox* names = Combo(IDC_ROUTE_NAME);
    names->ResetContent();
    if (m_bRouteShown)
        m_routePoints = {};
    m_bRouteShown = 0;
    m_nSelectedWays = 0;
    Invalidate();
    names->setFocus();
    m_bListOpened = 0;
    SetControlText(IDC_FROM_TO_LABEL, QStringLiteral("Từ :"));
    FillStreetNames(names);
}

void CMapDlg::OnToolShortestPath()
{
    // The toolbar button starts afresh; the menu command keeps the avoid lists.
    if (m_bMapLoaded)
        m_bAvoidActive = 0;
    m_bAvoidPick = 0;
    OnShortestPath();
}

void CMapDlg::OnRouteTypeCloseUp()
{
    GetDlgItem(IDC_ROUTE_NAME)->setFocus();
    m_bListOpened = 0;
}

void CMapDlg::OnRouteNameDropDown()
{
    UpdateData(true);
    CComboBox* names = Combo(IDC_ROUTE_NAME);
    names->ResetList();
    if (NamesStreets(m_strFromToType)) {
        FillStreetNames(names);
        return;
    }
    for (int i = 0; i <= m_nPlaceLast; ++i) {
        if (CategoryCaption(m_nPlaceCategory[i]) == m_strFromToType && !m_strPlaceName[i].isEmpty())
            names->AddString(m_strPlaceName[i]);
    }
}

void CMapDlg::OnRouteNameCloseUp()
{
    CComboBox* names = Combo(IDC_ROUTE_NAME);
    const int selected = names->GetCurSel();
    if (selected < 0)
        return;
    const QString name = names->GetLBText(selected);
    const QString type = ControlText(IDC_ROUTE_TYPE);
    if (m_bRoutePick == 1 && NamesStreets(type)) {
        // The next paint turns the street into the picked start or end.
        SelectStreet(name);
        return;
    }
    const int place = FindPlace(*this, type, name);
    if (place < 0)
        return;
    CentreOn(m_ptPlace[place], 8 * m_dBaseScale, 2);
    UpdateVisibleWays();
    Invalidate();
    // The place is snapped to the road as a tap on it would be.
    const bool start = m_bPickFrom == 1;
    PickNearestWay(MapToScreen(*this, m_ptPlace[place]), start, start ? m_ptFromTap : m_ptToTap,
                   start ? m_segFrom[0] : m_segTo[0], start ? m_segFrom[1] : m_segTo[1]);
}

void CMapDlg::OnRouteOk()
{
    UpdateData(true);
    if (m_bAvoidPick == 1) {
        // The marking is done; the user now picks the ends with the lists in force.
        OnShortestPath();
        m_bAvoidPick = 0;
    }
    if (m_bRoutePick == 1) {
        // A point at x = 0 counts as not picked.
        if (m_bPickFrom == 1 && m_ptFromTap.x != 0)
            ConfirmRouteStart(*this);
        else if (m_ptToTap.x != 0)
            ConfirmRouteEnd(*this);
    }
    if (m_bStreetPending) {
        // Enter in the street search: the typed name is selected. The flag is
        // cleared before the list closes, so that its close-up selects nothing more.
        const QString street = TypedStreetName(IDC_STREET, m_strStreetText);
        if (street.isEmpty() && !m_strStreetText.isEmpty()) {
            ShowNothingFound(m_strStreetText);
            return;
        }
        SelectStreet(street);
        for (int id : {IDC_STREET_CAPTION, IDC_STREET, IDC_ROUTE_OK})
            ShowControl(id, false);
        m_bStreetPending = 0;
        Combo(IDC_STREET)->ShowDropDown(false);
    }
}

void CMapDlg::OnAvoidRoute()
{
    HideTopBar();
    for (int id : {IDC_AVOID_STREET, IDC_AVOID_CAPTION, IDC_ROUTE_OK})
        ShowControl(id, true);
    // An unfinished shortest-path mode ends here; its pick would take the taps.
    m_bRoutePick = 0;
    m_bAvoidPick = 1;
    m_bAvoidActive = 1;
    AvoidState::Reset();
    CComboBox* streets = Combo(IDC_AVOID_STREET);
    streets->ResetContent();
    for (const QString& name : ListedNames(NameRange(m_strWayName, 1, m_nWayLast)))
        streets->AddString(name);
}

void CMapDlg::OnAvoidStreetCloseUp()
{
    CComboBox* streets = Combo(IDC_AVOID_STREET);
    const int selected = streets->GetCurSel();
    if (selected < 0)
        return;
    // The street is highlighted in the next paint only.
    m_bHighlightOnce = 1;
    SelectStreet(streets->GetLBText(selected));
}

void CMapDlg::OnMark()
{
    if (m_nMarkLast >= kMaxMarkLast)
        return;
    ++m_nMarkLast;
    m_marks[m_nMarkLast] = ScreenToMap(*this, m_ptDown);
    // The new flag shows at once.
    Invalidate();
}
