// Opening maps and the three open-file dialogs.
#include "app/MapDlg.h"

#include "map/MapFileReader.h"
#include "platform/UiModal.h"
#include "platform/UiWaitCursor.h"

#include <QThread>

namespace {

// Runs the open-file dialog; the chosen path, or empty on Cancel.
QString BrowseFile(CMapDlg& dlg, const QString& extension, const QString& pattern)
{
    const QString chosen = Modal().OpenFileName(&dlg, extension, dlg.m_strOpenPath, pattern);
    if (chosen.isEmpty())
        return {};
    dlg.m_strOpenPath = chosen;
    dlg.Invalidate();
    return chosen;
}

}  // namespace

QString CMapDlg::BrowseMapFile()
{
    const QString chosen = BrowseFile(*this, QStringLiteral(".kvp"), QStringLiteral("*.kvp"));
    return chosen.isEmpty() ? m_strOpenPath : chosen;
}

QString CMapDlg::BrowseRoadFile()
{
    return BrowseFile(*this, QStringLiteral(".kvt"), QStringLiteral("*.kvt"));
}

QString CMapDlg::BrowseInfoFile()
{
    return BrowseFile(*this, QStringLiteral(".kvf"), QStringLiteral("*.kvf"));
}

void CMapDlg::OnOpenMap()
{
    const QString previous = m_strMapPath;
    m_strMapPath = BrowseMapFile();
    if (m_strMapPath.isEmpty() || !m_strMapPath.contains(QLatin1StringView(".kvp"))) {
        m_strMapPath = previous;
    } else if (m_strMapPath != previous) {
        WaitCursor wait;
        const bool loaded = LoadMapFile(*this, m_strMapPath, m_nMyPlaceCount);
        wait.Restore();
        QThread::msleep(1);
        if (loaded)
            InitViewAfterLoad();
    }
    Invalidate();
}

void CMapDlg::InitViewAfterLoad()
{
    FitViewToMap(*this, *this);
    EnableMapCommands();
    m_bMapLoaded = 1;
}
