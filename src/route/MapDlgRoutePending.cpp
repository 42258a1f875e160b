// Route command handlers still being built; they move to MapDlgRoute.cpp.
#include "app/MapDlg.h"

void CMapDlg::OnShortestPath() {}
void CMapDlg::OnToolShortestPath() {}
void CMapDlg::OnRouteTypeCloseUp() {}
void CMapDlg::OnRouteNameDropDown() {}
void CMapDlg::OnRouteNameCloseUp() {}
void CMapDlg::OnRouteOk() {}
void CMapDlg::OnAvoidRoute() {}
void CMapDlg::OnAvoidStreetCloseUp() {}
void CMapDlg::OnMark() {}
