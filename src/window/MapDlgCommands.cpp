// The message table of the map window: every menu, toolbar and control
// notification reaches its handler through OnCommand; the keyboard is
// pre-translated for the top bar.
#include "window/MapDlg.h"

#include "ResourceIds.h"
#include "widgets/UiComboBox.h"

#include <array>

namespace {

struct MessageRow {
    int id;
    int code;
    void (CMapDlg::*handler)();
};

// In table order. Both IDs of a toolbar pair (small and large set) reach the
// same handler.
const MessageRow kMessageTable[] = {
    {ID_OPEN_MAP, BN_CLICKED, &CMapDlg::OnOpenMap},
    {ID_TB_ZOOM_IN_S, BN_CLICKED, &CMapDlg::OnZoomIn},
    {ID_TB_ZOOM_IN_L, BN_CLICKED, &CMapDlg::OnZoomIn},
    {ID_TB_ZOOM_OUT_S, BN_CLICKED, &CMapDlg::OnZoomOut},
    {ID_TB_ZOOM_OUT_L, BN_CLICKED, &CMapDlg::OnZoomOut},
    {ID_FILTER_PLACES, BN_CLICKED, &CMapDlg::OnFilterPlaces},
    {ID_FIND_STREET, BN_CLICKED, &CMapDlg::OnFindStreet},
    {ID_MEASURE, BN_CLICKED, &CMapDlg::OnMeasureDistance},
    {IDC_ROUTE_OK, BN_CLICKED, &CMapDlg::OnRouteOk},
    {ID_SHORTEST_PATH, BN_CLICKED, &CMapDlg::OnShortestPath},
    {IDC_PLACE_NAME, CBN_DROPDOWN, &CMapDlg::OnPlaceNameDropDown},
    {ID_FIND_PLACE, BN_CLICKED, &CMapDlg::OnFindPlace},
    {IDC_PLACE_OK, BN_CLICKED, &CMapDlg::OnSearchPlace},
    {ID_INFO, BN_CLICKED, &CMapDlg::OnInfo},
    {IDC_ROUTE_NAME, CBN_DROPDOWN, &CMapDlg::OnRouteNameDropDown},
    {IDC_ROUTE_NAME, CBN_CLOSEUP, &CMapDlg::OnRouteNameCloseUp},
    {IDC_STREET, CBN_CLOSEUP, &CMapDlg::OnStreetCloseUp},
    {IDC_ROUTE_TYPE, CBN_CLOSEUP, &CMapDlg::OnRouteTypeCloseUp},
    {ID_EXIT, BN_CLICKED, &CMapDlg::OnExit},
    {ID_INSERT_PLACE, BN_CLICKED, &CMapDlg::OnInsertPlace},
    {ID_EDIT_PLACE, BN_CLICKED, &CMapDlg::OnEditPlace},
    {ID_GPS_SETUP, BN_CLICKED, &CMapDlg::OnGpsSetup},
    {ID_INSERT_GPS, BN_CLICKED, &CMapDlg::OnInsertGpsPoint},
    {ID_SHOW_GPS, BN_CLICKED, &CMapDlg::OnShowGps},
    {ID_NAVIGATE, BN_CLICKED, &CMapDlg::OnNavigate},
    {ID_VOICE_GUIDANCE, BN_CLICKED, &CMapDlg::OnVoiceGuidance},
    {ID_TB_FIND_STREET_S, BN_CLICKED, &CMapDlg::OnToolFindStreet},
    {ID_TB_FIND_STREET_L, BN_CLICKED, &CMapDlg::OnToolFindStreet},
    {ID_TB_ROUTE_S, BN_CLICKED, &CMapDlg::OnToolShortestPath},
    {ID_TB_ROUTE_L, BN_CLICKED, &CMapDlg::OnToolShortestPath},
    {ID_TB_CLEAR_S, BN_CLICKED, &CMapDlg::OnClearSearch},
    {ID_TB_CLEAR_L, BN_CLICKED, &CMapDlg::OnClearSearch},
    {IDC_PLACE_TYPE, CBN_CLOSEUP, &CMapDlg::OnPlaceTypeCloseUp},
    {ID_SAVE_ROAD, BN_CLICKED, &CMapDlg::OnSaveRoad},
    {ID_LOAD_ROAD, BN_CLICKED, &CMapDlg::OnLoadRoad},
    {ID_CLOSE_MAP, BN_CLICKED, &CMapDlg::OnCloseMap},
    {ID_REFRESH, BN_CLICKED, &CMapDlg::OnRefresh},
    {ID_AVOID_ROUTE, BN_CLICKED, &CMapDlg::OnAvoidRoute},
    {IDC_AVOID_STREET, CBN_CLOSEUP, &CMapDlg::OnAvoidStreetCloseUp},
    {ID_LOAD_INFO, BN_CLICKED, &CMapDlg::OnLoadInfo},
    {ID_FIND_BUS, BN_CLICKED, &CMapDlg::OnFindBusRoute},
    {ID_MARK, BN_CLICKED, &CMapDlg::OnMark},
};

bool IsLetterOrDigit(int key)
{
    return (key >= 'A' && key <= 'Z') || (key >= '0' && key <= '9');
}


}  // namespace

void CMapDlg::OnCommand(int id, int code)
{
    if (code == CBN_CLOSEUP && m_bNothingFoundShown) {
        m_bNothingFoundShown = false;
        ShowControl(IDC_STATUS, false);
    }
    for (const MessageRow& row : kMessageTable) {
        if (row.id == id && row.code == code) {
            (this->*row.handler)();
            return;
        }
    }
}

bool CMapDlg::PreTranslateMessage(int key)
{
    // A route pick left behind by another search has no list on show.
    const bool routeList = m_bRoutePick && IsControlVisible(IDC_ROUTE_NAME);
    if (IsLetterOrDigit(key) && !m_bListOpened) {
        // The first letter typed opens the list of the mode in progress.
        int list = 0;
        if (m_bStreetPending)
            list = IDC_STREET;
        else if (routeList)
            list = IDC_ROUTE_NAME;
        else if (m_bSearchResult && IsControlVisible(IDC_PLACE_NAME))
            list = IDC_PLACE_NAME;
        if (list != 0) {
            Combo(list)->ShowDropDown(true);
            m_bListOpened = 1;
        }
    }
    if (key != Qt::Key_Return && key != Qt::Key_Enter)
        return false;
    // Enter completes the search with what the user typed.
    UpdateData(true);
    if (m_bStreetPending)
        OnRouteOk();
    if (routeList && NamesStreets(m_strFromToType)) {
        const QString street = TypedStreetName(IDC_ROUTE_NAME, m_strFromToName);
        if (street.isEmpty() && !m_strFromToName.isEmpty()) {
            ShowNothingFound(m_strFromToName);
            return true;
        }
        Combo(IDC_ROUTE_NAME)->ShowDropDown(false);
        SelectStreet(street);
    }
    return true;
}

QString CMapDlg::TypedStreetName(int list, const QString& typed) const
{
    if (typed.isEmpty())
        return typed;
    for (int i = 0; i <= m_nWayLast; ++i) {
        if (m_strWayName[i].compare(typed, Qt::CaseInsensitive) == 0)
            return typed;
    }
    // Not a whole name: the street the narrowed list shows first.
    return Combo(list)->BestMatch(typed);
}

void CMapDlg::ShowNothingFound(const QString& typed)
{
    ShowControl(IDC_STATUS, true);
    SetControlText(IDC_STATUS, QStringLiteral("Không tìm thấy “%1”").arg(typed));
    m_bNothingFoundShown = true;
}
