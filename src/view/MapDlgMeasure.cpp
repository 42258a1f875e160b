// Distance measuring: a mode in which a drag draws a rubber-band line and the
// status line shows its straight-line length in kilometres.
#include "app/MapDlg.h"

#include "ResourceIds.h"
#include "platform/UiCommandBar.h"

void CMapDlg::OnMeasureDistance()
{
    m_bRoutePick = 0;
    m_bAvoidPick = 0;
    m_bStreetPicked = 0;
    if (m_bMeasureMode == 1) {
        m_bMeasureMode = 0;
        ShowControl(IDC_STATUS, false);
        MenuBar()->CheckMenuItemByPosition(kUtilityMenuIndex, kMeasureItemPosition, false);
        return;
    }
    m_bMeasureMode = 1;
    m_bRouteShown = 0;
    for (int id : {IDC_FROM_TO_LABEL, IDC_ROUTE_NAME, IDC_ROUTE_OK, IDC_ROUTE_TYPE})
        ShowControl(id, false);
    ShowControl(IDC_STATUS, true);
    SetControlText(IDC_STATUS, QStringLiteral("Độ dài là :"));
    MenuBar()->CheckMenuItemByPosition(kUtilityMenuIndex, kMeasureItemPosition, true);
}
