// Handlers whose concern is still being built; each moves to its own file.
#include "app/MapDlg.h"

void CMapDlg::OnLButtonDown(int, QPoint) {}
void CMapDlg::OnMouseMove(int, QPoint) {}
void CMapDlg::OnLButtonUp(int, QPoint) {}
void CMapDlg::OnMeasureDistance() {}
void CMapDlg::HideTopBar() {}
void CMapDlg::OnFindPlace() {}
void CMapDlg::OnPlaceNameDropDown() {}
void CMapDlg::OnPlaceTypeCloseUp() {}
void CMapDlg::OnSearchPlace() {}
void CMapDlg::OnFindStreet() {}
void CMapDlg::OnToolFindStreet() {}
void CMapDlg::OnFindBusRoute() {}
void CMapDlg::OnStreetCloseUp() {}
void CMapDlg::SelectStreet(const QString&) {}
void CMapDlg::SelectBusRoute(const QString&) {}
void CMapDlg::OnClearSearch() {}
