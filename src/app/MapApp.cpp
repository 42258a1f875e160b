#include "app/MapApp.h"

#include "app/MapDlg.h"

CMapDlg* CMapApp::InitInstance()
{
    auto* dlg = new CMapDlg;
    dlg->show();
    dlg->OnInitDialog();
    return dlg;
}
