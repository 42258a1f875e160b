// The place filter command and the reset of the map window's state.
#include "app/MapDlg.h"

#include "ResourceIds.h"
#include "platform/UiComboBox.h"

void CMapDlg::OnFilterPlaces()
{
    m_filterDlg.DoModal();
}

void CMapDlg::ResetMapState()
{
    m_nMarkLast = -1;
    m_strInfoFilePath.clear();

    m_bMeasureMode = m_bMapLoaded = m_bRoutePick = m_bHighlightOnce = m_bAvoidPick = 0;
    m_bStreetPending = m_bAvoidActive = m_nSelectedBus = m_bRouteShown = m_bStreetPicked = 0;
    m_bSearchResult = m_bGpsTrackOn = m_bGpsValid = m_bGpsFollowRoad = m_bRoadLoaded = 0;
    m_nMyPlaceCount = m_bPetrolResult = m_bAtmResult = m_bNavigating = m_nSelectedWays = m_bPenDown = 0;
    m_ptRubberEnd = QPoint();
    m_ptFromTap = m_ptToTap = m_ptGps = MapPoint{};

    m_bPickFrom = m_bGpsContinuous = m_bCfgPending = 1;

    m_nFoundCategory = -1;
    m_segSnap = {MapPoint{1, 2}, MapPoint{2, 3}};
    m_ptSnap = MapPoint{0, 1};

    m_dcBack = QImage();

    m_nOriginX = m_nOriginY = 0;
    m_dScale = 1.0;
    m_nDragDX = m_nDragDY = m_nDragOriginX = m_nDragOriginY = 0;
    m_strMapPath.clear();
    m_strOpenPath.clear();

    m_showCategory.fill(1);

    CComboBox* type = Combo(IDC_PLACE_TYPE);
    CComboBox* routeType = Combo(IDC_ROUTE_TYPE);
    type->ResetContent();
    routeType->ResetContent();
    for (int code = 1; code <= kCategoryCount; ++code) {
        m_categoryNames[code - 1] = CategoryCaption(code);
        type->AddString(m_categoryNames[code - 1]);
        routeType->AddString(m_categoryNames[code - 1]);
    }
    routeType->InsertString(0, QStringLiteral("Đường"));
    setWindowIcon(QIcon(QStringLiteral(":/icons/app.png")));
}
