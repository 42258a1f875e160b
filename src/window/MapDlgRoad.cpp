// Road files: "Lưu đường" saves the recorded track as a road file or a GPX
// track and says its length and duration, "Nạp đường" loads a road
// (a road file or the points of a GPX file) and fits the view to it; the
// paint draws it in brown.
#include "window/MapDlg.h"

#include "gps/GpsDisplay.h"
#include "gps/GpxFile.h"
#include "gps/RoadFile.h"
#include "gps/TrackFigures.h"
#include "map/TextLines.h"
#include "ResourceIds.h"
#include "base/DevicePath.h"
#include "widgets/UiModal.h"
#include "widgets/UiWaitCursor.h"
#include "view/ViewFit.h"

#include <QFileInfo>
#include <QTimer>

namespace {

// What "Nạp đường" says when a GPX file gives no road.
QString GpxFailureText(GpxStatus status, const QString& path)
{
    const QString name = QFileInfo(path).fileName();
    switch (status) {
    case GpxStatus::CannotOpen:
        return QStringLiteral("Không mở được tệp: %1").arg(name);
    case GpxStatus::NotGpx:
        return QStringLiteral("Tệp không phải GPX hoặc bị hỏng: %1").arg(name);
    default:
        return QStringLiteral("Tệp GPX không có điểm nào: %1").arg(name);
    }
}

// A path names a GPX file when ".gpx" comes after any ".kvt" in it, so that
// "trip.gpx.kvt" stays a road file.
bool IsGpxPath(const QString& path)
{
    return path.lastIndexOf(QLatin1StringView(".gpx"), -1, Qt::CaseInsensitive) >
           path.lastIndexOf(QLatin1StringView(".kvt"), -1, Qt::CaseInsensitive);
}

}  // namespace

void CMapDlg::OnSaveRoad()
{
    const QString path = Modal().SaveFileName(
        this, QStringLiteral("kvt"), MyDocumentsFolder(), QStringLiteral("Tệp đường (*.kvt);;Tệp GPX (*.gpx)"),
        QStringLiteral("Lưu đường — ") + TrackFiguresText(FiguresOfTrack(m_pTrackGps, m_pTrackTimes)));
    if (path.isEmpty())
        return;
    // The GPS pass goes on while the dialog is open: the figures are those of
    // the track as written.
    if (WriteRoadFile(path)) {
        ShowSavedTrack(SavedTrackText(FiguresOfTrack(m_pTrackGps, m_pTrackTimes)));
    } else {
        Modal().MessageBox(this, QStringLiteral("Không lưu được tệp: %1").arg(QFileInfo(path).fileName()));
    }
    Invalidate();
}

void CMapDlg::ShowSavedTrack(const QString& text)
{
    ShowControl(IDC_STATUS, true);
    SetControlText(IDC_STATUS, text);
    // While the GPS line lies over the status line, the message goes on top
    // for a while and then leaves the position in view again.
    QWidget* status = GetDlgItem(IDC_STATUS);
    QWidget* gps = GetDlgItem(IDC_GPS_STATUS);
    status->raise();
    QTimer::singleShot(kSavedTrackMessageMs, status, [status, gps] { status->stackUnder(gps); });
}

bool CMapDlg::WriteRoadFile(const QString& path)
{
    // A GPX track carries the fix times; a road file only the positions.
    if (IsGpxPath(path))
        return WriteFileBlock(path, GpxBytes(m_pTrackGps, nullptr, m_pTrackTimes));
    return ::WriteRoadFile(path, m_pTrackGps, m_nTrackCount);
}

void CMapDlg::OnLoadRoad()
{
    if (!m_bMapLoaded)
        UseDefaultGpsCalibration(*this);
    const QString path = BrowseRoadFile();
    const bool gpx = IsGpxPath(path);
    if (!gpx && !ContainsExtension(path, ".kvt"))
        return;
    if (gpx ? ReadGpxRoad(path) : ReadRoadFile(path)) {
        m_bRoadLoaded = 1;
        Invalidate();
    }
}

bool CMapDlg::ReadRoadFile(const QString& path)
{
    WaitCursor wait;
    bool tooLarge = false;
    const std::optional<std::vector<MapPoint>> road = ::ReadRoadFile(path, kMaxRoadFileBytes, kMaxRoadPoints, &tooLarge);
    if (!road)
        return false;
    if (tooLarge) {
        wait.Restore();
        RefuseLargeRoad(path);
        return false;
    }
    ShowRoad(*road);
    return true;
}

bool CMapDlg::ReadGpxRoad(const QString& path)
{
    WaitCursor wait;
    const GpxTrack track = ReadGpxFile(path);
    if (track.status == GpxStatus::Read && (track.cut || track.dropped > 0)) {
        wait.Restore();
        RefuseLargeRoad(path);
        return false;
    }
    if (track.status == GpxStatus::Read) {
        ShowRoad(track.points);
        return true;
    }
    wait.Restore();  // the message is read with the normal cursor
    Modal().MessageBox(this, GpxFailureText(track.status, path));
    return false;
}

void CMapDlg::RefuseLargeRoad(const QString& path)
{
    // Part of a road would pass for all of it: nothing is drawn.
    Modal().MessageBox(this, QStringLiteral("Tệp đường quá lớn: %1").arg(QFileInfo(path).fileName()));
}

void CMapDlg::ShowRoad(const std::vector<MapPoint>& roadGps)
{
    m_pRoadPoints.clear();
    MapBox box;
    box.minX = box.minY = INT64_MAX;
    box.maxX = box.maxY = INT64_MIN;
    for (const MapPoint gps : roadGps) {
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
}
