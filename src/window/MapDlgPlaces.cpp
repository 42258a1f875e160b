// The place filter command and the reset of the map window's state.
#include "window/MapDlg.h"

#include "ResourceIds.h"
#include "widgets/UiComboBox.h"

void CMapDlg::OnFilterPlaces()
{
    m_filterDlg.DoModal();
    // The map shows the new filter at once.
    Invalidate();
}

void CMapDlg::ResetMapState()
{
    // Selections, results, route picks and marks, avoid lists, the route and
    // the road snap all refer to the map's records. The user's place file and
    // its count are kept apart from any map: they stay.
    ForgetMapRecords();
    m_nGuidanceCode = -1;
    m_strGuidanceText.clear();
    m_strNavStatus.clear();

    SetMeasureMode(0);
    m_bMapLoaded = m_bGpsTrackOn = m_bGpsValid = m_bGpsFollowRoad = m_bRoadLoaded = 0;
    m_bNavigating = m_bPenDown = 0;
    m_ptRubberEnd = QPoint();
    m_ptGps = MapPoint{};
    m_bGpsContinuous = m_bCfgPending = 1;

    m_dcBack = QImage();

    m_nOriginX = m_nOriginY = 0;
    m_dScale = 1.0;
    m_nDragDX = m_nDragDY = m_nDragOriginX = m_nDragOriginY = 0;
    m_strMapPath.clear();
    m_strOpenPath.clear();
    ShowMapNameInTitle();

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
