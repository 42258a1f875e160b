// Road files: "Lưu đường" saves the recorded track, "Nạp đường" loads a road
// and fits the view to it; the paint draws it in brown.
#include "app/MapDlg.h"

#include "gps/GpsDisplay.h"
#include "gps/RoadFile.h"
#include "platform/DevicePath.h"
#include "platform/UiModal.h"
#include "platform/UiWaitCursor.h"
#include "view/ViewFit.h"

void CMapDlg::OnSaveRoad()
{
    const QString path = Modal().SaveFileName(this, QStringLiteral("kvt"), m_strOpenPath, QString());
    if (path.isEmpty())
        return;
    WriteRoadFile(path);
    Invalidate();
}

void CMapDlg::WriteRoadFile(const QString& path)
{
    ::WriteRoadFile(path, m_pTrackGps, m_nTrackCount);
}

void CMapDlg::OnLoadRoad()
{
    if (!m_bMapLoaded)
        UseDefaultGpsCalibration(*this);
    const QString path = BrowseRoadFile();
    if (!ContainsExtension(path, ".kvt"))
        return;
    WaitCursor wait;
    if (ReadRoadFile(path)) {
        m_bRoadLoaded = 1;
        Invalidate();
    }
}

bool CMapDlg::ReadRoadFile(const QString& path)
{
    const std::optional<std::vector<MapPoint>> road = ::ReadRoadFile(path);
    if (!road)
        return false;
    m_pRoadPoints.clear();
    MapBox box;
    box.minX = box.minY = INT64_MAX;
    box.maxX = box.maxY = INT64_MIN;
    for (const MapPoint gps : *road) {
        m_pRoadPoints.push_back(GpsToMap(gps.x, gps.y, *this));
        box.Add(m_pRoadPoints.back());
    }
    m_nRoadCount = static_cast<int>(m_pRoadPoints.size());
    // The view fits the points read; a file without any leaves it alone.
    if (m_nRoadCount > 0) {
        const double sx = m_nClientWidth / (box.Width() + 20);
        const double sy = m_nClientHeight / (box.Height() + 20);
        m_dScale = sx < sy ? sx : sy;
        m_nOriginX = TruncateToInt32((box.maxX + box.minX) / 2 - TruncateToInt32((m_nClientWidth / 2) * (1.0 / m_dScale)));
        m_nOriginY = TruncateToInt32((box.maxY + box.minY) / 2 - TruncateToInt32((m_nClientHeight / 2) * (1.0 / m_dScale)));
        UpdateVisibleWays();
    }
    return true;
}
