// Opening maps and the three open-file dialogs.
#include "window/MapDlg.h"

#include "map/MapFileReader.h"
#include "map/PlaceInfoFile.h"
#include "base/DevicePath.h"
#include "base/Trace.h"
#include "window/CommandLine.h"
#include "widgets/UiModal.h"
#include "widgets/UiWaitCursor.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QThread>

namespace {

// Runs the open-file dialog in a folder; the chosen path, or empty on Cancel.
QString BrowseFile(CMapDlg& dlg, const QString& folder, const QString& extension, const QString& filter)
{
    const QString chosen = Modal().OpenFileName(&dlg, extension, folder, filter);
    if (chosen.isEmpty())
        return {};
    dlg.m_strOpenPath = chosen;
    dlg.Invalidate();
    return chosen;
}

}  // namespace

QString CMapDlg::BrowseMapFile()
{
    // Maps are found beside the map in use, else among those installed.
    const QString installed = InstalledMapsFolder(QCoreApplication::applicationDirPath());
    const QString folder = !m_strMapPath.isEmpty()        ? m_strMapPath
                           : QFileInfo::exists(installed) ? installed
                                                          : MyDocumentsFolder();
    return BrowseFile(*this, folder, QStringLiteral(".kvp"), QStringLiteral("Bản đồ (*.kvp)"));
}

QString CMapDlg::BrowseRoadFile()
{
    // Road files first; GPX tracks load as roads too.
    return BrowseFile(*this, MyDocumentsFolder(), QStringLiteral(".kvt"),
                      QStringLiteral("Đường đi (*.kvt *.gpx);;Tệp đường (*.kvt);;Tệp GPX (*.gpx)"));
}

QString CMapDlg::BrowseInfoFile()
{
    return BrowseFile(*this, MyDocumentsFolder(), QStringLiteral(".kvf"), QStringLiteral("Tệp địa danh (*.kvf)"));
}

CMapDlg::MapLoad CMapDlg::ReplaceMap(const QString& path)
{
    // Read aside first: a file that is no map leaves the map in use whole.
    MapData read;
    if (!LoadMapFile(read, path, m_nMyPlaceCount))
        return MapLoad::CannotOpen;
    if (!read.HasRecords()) {
        Trace("LoadMapFile: %s holds no map records", qPrintable(path));
        return MapLoad::NotAMap;
    }
    static_cast<MapData&>(*this) = std::move(read);
    ForgetMapRecords();
    HideTopBar();
    return MapLoad::Loaded;
}

void CMapDlg::OnOpenMap()
{
    // A file without the map extension, or one that holds no map, is refused
    // with a message, and the map in use stays.
    const QString chosen = BrowseMapFile();
    if (!chosen.isEmpty() && chosen != m_strMapPath) {
        WaitCursor wait;
        const MapLoad load = ContainsExtension(chosen, ".kvp") ? ReplaceMap(chosen) : MapLoad::NotAMap;
        wait.Restore();
        QThread::msleep(1);
        if (load == MapLoad::Loaded) {
            m_strMapPath = chosen;
            // The user's own places are kept apart from any map: they show on this one too.
            if (!m_strInfoFilePath.isEmpty())
                LoadInfoFile(m_strInfoFilePath);
            InitViewAfterLoad();
        } else {
            Modal().MessageBox(this, load == MapLoad::CannotOpen
                                         ? QStringLiteral("Không mở được tệp bản đồ:\n%1").arg(chosen)
                                         : QStringLiteral("Tệp này không phải là bản đồ:\n%1").arg(chosen));
        }
    }
    Invalidate();
}

void CMapDlg::InitViewAfterLoad()
{
    FitViewToMap(*this, *this);
    EnableMapCommands();
    m_bMapLoaded = 1;
    ShowMapNameInTitle();
}

void CMapDlg::LoadInfoFile(const QString& path)
{
    m_nMyPlaceCount = std::max(::LoadInfoFile(*this, path), 0);
    if (PlaceFileTooLarge(path))
        Modal().MessageBox(this, PlaceFileTooLargeText(path));
}

void CMapDlg::OnLoadInfo()
{
    // Cancelled, or not a place file: the user's place file stays the same.
    const QString path = BrowseInfoFile();
    if (path.isEmpty() || !ContainsExtension(path, ".kvf"))
        return;
    m_strInfoFilePath = path;
    LoadInfoFile(path);
    Invalidate();
}
