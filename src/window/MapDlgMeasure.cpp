// Distance measuring: a mode in which a drag draws a rubber-band line and the
// status line shows its straight-line length in kilometres, and each tap adds
// a point to a line of legs whose whole length the status line shows.
#include "window/MapDlg.h"

#include "ResourceIds.h"
#include "widgets/UiCommandBar.h"
#include "view/MeasureLine.h"

void CMapDlg::SetMeasureMode(int on)
{
    m_bMeasureMode = on;
    MenuBar()->CheckMenuItemByPosition(kUtilityMenuIndex, kMeasureItemPosition, on == 1);
    // Leaving the mode ends the tapped line, and the map shows it no more.
    if (!on && !m_measureLine.empty()) {
        m_measureLine.clear();
        Invalidate();
    }
}

void CMapDlg::OnMeasureDistance()
{
    m_bRoutePick = 0;
    m_bAvoidPick = 0;
    m_bStreetPicked = 0;
    if (m_bMeasureMode == 1) {
        SetMeasureMode(0);
        ShowControl(IDC_STATUS, false);
        return;
    }
    SetMeasureMode(1);
    m_bRouteShown = 0;
    for (int id : {IDC_FROM_TO_LABEL, IDC_ROUTE_NAME, IDC_ROUTE_OK, IDC_ROUTE_TYPE})
        ShowControl(id, false);
    ShowControl(IDC_STATUS, true);
    SetControlText(IDC_STATUS, QStringLiteral("Độ dài là :"));
}

void CMapDlg::ShowMeasuredDistance(QPoint to)
{
    SetControlText(IDC_STATUS, QString());
    const MapPoint a = ScreenToMap(*this, m_ptDown);
    const MapPoint b = ScreenToMap(*this, to);
    SetControlText(IDC_STATUS, MeasuredLengthText(MeasureLineKm({a, b}, m_dMapScale)));
}

void CMapDlg::AddMeasurePoint(QPoint tap)
{
    m_measureLine.push_back(ScreenToMap(*this, tap));
    SetControlText(IDC_STATUS, MeasuredLengthText(MeasureLineKm(m_measureLine, m_dMapScale)));
    Invalidate();
}
