// The user's own places: inserting a place where the context menu was
// opened, editing the place under it, and the point of a street there.
#include "window/MapDlg.h"

#include "view/Picking.h"

void CMapDlg::OnInsertPlace()
{
    CPlaceEditDlg& dialog = m_placeEditDlg;
    dialog.m_ptWhere = ScreenToMap(*this, m_ptDown);
    dialog.m_bSaved = dialog.m_bWroteUserFile = dialog.m_bEditMode = 0;
    dialog.m_strUserFile = m_strInfoFilePath;
    dialog.DoModal();
    if (!dialog.m_bSaved)
        return;
    // The point the dialog wrote: the view may have moved while it was open.
    AppendPlace(dialog.m_strResultName, dialog.m_ptWhere, dialog.m_nCategory);
    m_strInfoFilePath = dialog.m_strUserFile;
    if (dialog.m_bWroteUserFile)
        ++m_nMyPlaceCount;
    // The new place shows at once.
    Invalidate();
}

void CMapDlg::OnEditPlace()
{
    const int place = FindPlaceAt(m_ptDown.x(), m_ptDown.y());
    if (place < 0)
        return;
    CPlaceEditDlg& dialog = m_placeEditDlg;
    dialog.m_ptWhere = m_ptPlace[place];
    dialog.m_strInitCategory = CategoryCaption(m_nPlaceCategory[place]);
    dialog.m_strResultName = m_strPlaceName[place].size() > 1 ? m_strPlaceName[place] : QStringLiteral("unknown");
    dialog.m_strName = dialog.m_strResultName;
    dialog.m_strCategory = dialog.m_strInitCategory;
    dialog.m_bSaved = 0;
    dialog.m_strUserFile = m_strInfoFilePath;
    dialog.m_bEditMode = 1;
    dialog.DoModal();
    dialog.m_bEditMode = 0;
    if (!dialog.m_bSaved)
        return;
    m_strInfoFilePath = dialog.m_strUserFile;
    m_nPlaceCategory[place] = dialog.m_nCategory;
    m_strPlaceName[place] = dialog.m_strResultName;
    Invalidate();
}

int CMapDlg::FindPlaceAt(int x, int y) const
{
    return ::FindPlaceAt(*this, QPoint(x, y));
}

MapPoint CMapDlg::NearestStreetPoint(int x, int y) const
{
    return ::NearestStreetPoint(*this, QPoint(x, y));
}
