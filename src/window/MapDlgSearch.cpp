// The top bar's search modes: finding a place by category and name, a map
// label by name, a street or a bus route by name. A search moves and zooms
// the view to what it found and leaves result fields for the renderer.
#include "window/MapDlg.h"

#include "ResourceIds.h"
#include "places/NameLists.h"
#include "widgets/UiComboBox.h"
#include "widgets/UiCommandBar.h"
#include "view/Picking.h"
#include "view/ViewFit.h"

#include <algorithm>

namespace {

constexpr int kTopBarIds[] = {IDC_PLACE_TYPE, IDC_PLACE_NAME,    IDC_PLACE_OK, IDC_PLACE_TYPE_CAPTION,
                              IDC_PLACE_NAME_CAPTION, IDC_STREET_CAPTION, IDC_STREET, IDC_FROM_TO_LABEL,
                              IDC_ROUTE_TYPE, IDC_ROUTE_NAME,    IDC_ROUTE_OK, IDC_AVOID_CAPTION,
                              IDC_AVOID_STREET, IDC_STATUS,      IDC_GPS_STATUS};

// The label-search type: no category chosen.
bool NamesLabels(const QString& type)
{
    return type == QLatin1StringView("Place") || type == QStringLiteral("Địa danh");
}


}  // namespace

void CMapDlg::HideTopBar()
{
    for (int id : kTopBarIds)
        ShowControl(id, false);
    // The keyboard returns to the map; a mode that shows its bar takes it back.
    setFocus();
}

void CMapDlg::CloseTopBar()
{
    HideTopBar();
    m_bStreetPending = m_bBusPending = 0;
    m_bRoutePick = m_bAvoidPick = 0;
    m_bPickFrom = 1;
    Invalidate();
}

void CMapDlg::OnFindPlace()
{
    m_bRouteShown = 0;
    SetMeasureMode(0);
    m_bSearchResult = 1;
    m_bListOpened = 0;
    HideTopBar();
    for (int id : {IDC_PLACE_NAME, IDC_PLACE_OK, IDC_PLACE_TYPE, IDC_PLACE_NAME_CAPTION, IDC_PLACE_TYPE_CAPTION})
        ShowControl(id, true);
    GetDlgItem(IDC_PLACE_NAME)->setFocus();
    SetControlText(IDC_PLACE_TYPE, QStringLiteral("Địa danh"));
}

void CMapDlg::OnPlaceNameDropDown()
{
    UpdateData(true);
    CComboBox* names = Combo(IDC_PLACE_NAME);
    names->ResetList();
    if (NamesLabels(m_strTypeText)) {
        for (int i = 0; i <= m_nTextLast; ++i)
            names->AddString(m_strText[i]);
        return;
    }
    QStringList ofType;
    for (int i = 0; i <= m_nPlaceLast; ++i) {
        if (CategoryCaption(m_nPlaceCategory[i]) == m_strTypeText)
            ofType.append(m_strPlaceName[i]);
    }
    for (const QString& name : ListedNames(ofType))
        names->AddString(name);
    names->InsertString(0, QStringLiteral("Tất cả"));
}

void CMapDlg::OnPlaceTypeCloseUp()
{
    SetControlText(IDC_PLACE_NAME, QStringLiteral("Tất cả"));
}

void CMapDlg::CentreOn(MapPoint p, double scale, int widthDivisor)
{
    m_dScale = scale;
    m_nOriginX = p.x - TruncateToInt32((m_nClientWidth / widthDivisor) * (1 / scale));
    m_nOriginY = p.y - TruncateToInt32((m_nClientHeight / 2) * (1 / scale));
}

void CMapDlg::OnSearchPlace()
{
    UpdateData(true);
    HideTopBar();
    m_bPetrolResult = m_bAtmResult = 0;
    m_bSearchResult = 1;
    m_strSearchName = m_strNameText;
    m_nFoundCategory = -1;
    if (NamesLabels(m_strTypeText))
        SearchLabel();
    else
        SearchPlace();
    UpdateVisibleWays();
    Invalidate();
}

void CMapDlg::SearchPlace()
{
    const int code = CategoryCodeOf(m_strTypeText);
    if (code > 0)
        m_nFoundCategory = code;
    const bool all = IsAllNames(m_strNameText);
    MapBox box;
    int count = 0;
    MapPoint first;
    const auto countIn = [&](MapPoint p) {
        box.Add(p);
        if (++count == 1)
            first = p;
    };
    for (int i = 0; i <= m_nPlaceLast; ++i) {
        if (CategoryCaption(m_nPlaceCategory[i]) != m_strTypeText)
            continue;
        if (all) {
            countIn(m_ptPlace[i]);
        } else if (m_strPlaceName[i] == m_strNameText) {
            if (m_nPlaceCategory[i] == kPetrolCategory) {
                // Every station is marked: the view goes to the base scale,
                // centred on the map's centre as after loading.
                CentreOn(MapPoint{m_nCenterX, m_nCenterY}, m_dBaseScale, 2);
                m_bPetrolResult = 1;
                break;
            }
            if (m_nPlaceCategory[i] == kAtmCategory) {
                m_bAtmResult = 1;
                countIn(m_ptPlace[i]);
                continue;
            }
            CentreOn(m_ptPlace[i], 8 * m_dBaseScale, 2);
            m_strFoundLabel = PlaceLabel(m_nPlaceCategory[i], m_strPlaceName[i]);
            break;
        }
    }
    if (count >= 2 && (all || m_bAtmResult)) {
        const double sx = m_nClientWidth / double(box.maxX - box.minX + 40);
        const double sy = m_nClientHeight / double(box.maxY - box.minY + 60);
        const double scale = std::min(sx, sy);
        CentreOn(MapPoint{TruncateToInt32((box.minX + box.maxX) / 2), TruncateToInt32((box.minY + box.maxY) / 2)}, scale, 2);
    } else if (count == 1) {
        CentreOn(first, 8 * m_dBaseScale, 2);
    }
}

void CMapDlg::SearchLabel()
{
    MapPoint at;
    for (int i = 0; i <= m_nTextLast; ++i) {
        if (m_strText[i] == m_strNameText)
            at = m_ptText[i];
    }
    // A label on either axis at 0 does not move the view.
    if (at.x != 0 && at.y != 0)
        CentreOn(at, 4 * m_dBaseScale, 3);
}

void CMapDlg::EnterNameSearch(bool streets)
{
    HideTopBar();
    m_bStreetPending = streets ? 1 : 0;
    m_bBusPending = streets ? 0 : 1;
    m_bAvoidPick = m_bRoutePick = m_bRouteShown = m_bAvoidActive = 0;
    ShowControl(IDC_STREET_CAPTION, true);
    ShowControl(IDC_STREET, true);
    GetDlgItem(IDC_STREET)->setFocus();
    m_bListOpened = 0;
    Combo(IDC_STREET)->ResetContent();
}

void CMapDlg::OnFindStreet()
{
    EnterNameSearch(true);
    FillStreetNames(Combo(IDC_STREET));
}

void CMapDlg::FillStreetNames(CComboBox* list)
{
    for (const QString& name : StreetListNames(m_strWayName, m_nWayLast))
        list->AddString(name);
}

void CMapDlg::OnToolFindStreet()
{
    if (m_bMapLoaded)
        OnFindStreet();
}

void CMapDlg::OnFindBusRoute()
{
    EnterNameSearch(false);
    CComboBox* list = Combo(IDC_STREET);
    for (const QString& name : ListedNames(NameRange(m_strBusName, 0, m_nBusLast)))
        list->AddString(name);
}

void CMapDlg::OnStreetCloseUp()
{
    CComboBox* list = Combo(IDC_STREET);
    const int selected = list->GetCurSel();
    if (selected < 0)
        return;
    for (int id : {IDC_STREET_CAPTION, IDC_STREET, IDC_ROUTE_OK})
        ShowControl(id, false);
    const QString name = list->GetLBText(selected);
    if (m_bStreetPending) {
        SelectStreet(name);
        m_bStreetPending = 0;
    } else if (m_bBusPending) {
        SelectBusRoute(name);
        m_bBusPending = 0;
    }
}

void CMapDlg::SelectStreet(const QString& name)
{
    // Nameless records are no street to select.
    if (name.isEmpty())
        return;
    m_nSelectedWays = 0;
    m_selectedWays.clear();
    MapBox box;
    for (int i = 0; i <= m_nWayLast; ++i) {
        if (m_strWayName[i].compare(name, Qt::CaseInsensitive) != 0)
            continue;
        m_selectedWays.push_back(i);
        for (int j = 0; j <= m_nWayPointLast[i]; ++j)
            box.Add(m_pWayPoints[i][j]);
    }
    m_nSelectedWays = static_cast<int>(m_selectedWays.size());
    // A straight street has an infinite scale on one axis: the other one fits.
    if (box.HasExtent()) {
        const double sx = m_nClientWidth / double(box.maxX - box.minX);
        const double sy = m_nClientHeight / double(box.maxY - box.minY);
        const double scale = std::min(sx, sy) / 2;
        m_dScale = scale;
        m_nOriginY = TruncateToInt32(box.minY - TruncateToInt32((m_nClientHeight / 4) / scale));
        CentreAcross(*this, box, scale, false);
    }
    UpdateVisibleWays();
    Invalidate();
    if (m_bRoutePick == 1)
        m_bStreetPicked = 1;
}

void CMapDlg::SelectBusRoute(const QString& name)
{
    if (name.isEmpty())
        return;
    m_nSelectedBus = 0;
    m_selectedBus.assign(1, 0);  // from element 1
    MapBox box;
    for (int i = 0; i <= m_nBusLast; ++i) {
        if (m_strBusName[i].compare(name, Qt::CaseInsensitive) != 0)
            continue;
        m_selectedBus.push_back(i);
        for (int j = 0; j <= m_nBusPointLast[i]; ++j)
            box.Add(m_pBusPoints[i][j]);
    }
    m_nSelectedBus = static_cast<int>(m_selectedBus.size()) - 1;
    if (box.HasExtent()) {
        const double sx = m_nClientWidth / double(box.maxX - box.minX);
        const double sy = m_nClientHeight / double(box.maxY - box.minY);
        const double scale = std::min(sx, sy);
        const int32_t t = TruncateToInt32(scale);
        m_dScale = scale;
        m_nOriginX = TruncateToInt32(box.minX - t);
        m_nOriginY = TruncateToInt32(box.minY - t);
        CentreAcross(*this, box, scale, scale == sx);
    }
    UpdateVisibleWays();
    Invalidate();
}

void CMapDlg::OnClearSearch()
{
    if (m_bMapLoaded) {
        m_nMarkLast = -1;
        m_nGuidanceCode = -1;
        m_strGuidanceText.clear();
        m_strNavStatus.clear();
        HideTopBar();
        m_bNavigating = 0;
        SetMeasureMode(0);
        m_bRoutePick = m_bAvoidActive = m_bStreetPending = m_bAvoidPick = m_nSelectedWays = 0;
        m_bSearchResult = m_bRouteShown = m_nSelectedBus = 0;
        m_bPickFrom = 1;
        m_strTicker.clear();
        m_bGpsValid = m_bAtmResult = m_bPetrolResult = m_bRoadLoaded = m_bGpsTrackOn = 0;
        m_nFoundCategory = -1;
        Invalidate();
    }
    RestoreFromBackBuffer();
}
