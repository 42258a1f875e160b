// "Nạp đường" with a GPX file on the bundled Hanoi map: its track points
// become the road, drawn and fitted as a road file's; a bad file keeps the
// road on show and says why.
#include "ResourceIds.h"
#include "gps/GpsDisplay.h"
#include "gps/GpxFile.h"
#include "gps/RoadFile.h"
#include "support/DeviceRoot.h"
#include "support/MapWindow.h"
#include "support/ScriptedModal.h"
#include "view/Viewport.h"

#include <QGuiApplication>
#include <gtest/gtest.h>

namespace {

// Also notes whether the wait cursor was still up when a message showed.
class CursorModal : public ScriptedModal {
public:
    void MessageBox(QWidget* parent, const QString& text) override
    {
        waitCursorAtMessage = waitCursorAtMessage || QGuiApplication::overrideCursor();
        ScriptedModal::MessageBox(parent, text);
    }
    bool waitCursorAtMessage = false;
};

class GpxRoadTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        dlg = OpenMapWindow();
        modal.fileAnswers.push_back(QStringLiteral(KORVANE_SOURCE_DIR "/data/hanoi.kvp"));
        dlg->OnCommand(ID_OPEN_MAP, BN_CLICKED);
        ASSERT_EQ(dlg->m_bMapLoaded, 1);
        // A zigzag across part of the map, in GPS units as a receiver gives them.
        const MapPoint c{dlg->m_nCenterX, dlg->m_nCenterY};
        for (const MapPoint p :
             {MapPoint{c.x - 3000, c.y - 1000}, MapPoint{c.x - 1500, c.y + 800}, MapPoint{c.x, c.y - 600},
              MapPoint{c.x + 1400, c.y + 1200}, MapPoint{c.x + 2600, c.y - 200}})
            roadGps.push_back(MapToGps(p, *dlg));
    }
    void LoadRoad(const QString& path)
    {
        modal.fileAnswers.push_back(path);
        dlg->OnCommand(ID_LOAD_ROAD, BN_CLICKED);
        dlg->UpdateWindow();
    }
    struct View {
        double scale;
        int32_t x, y;
        std::vector<MapPoint> road;
        bool operator==(const View&) const = default;
    };
    View Now() const { return {dlg->m_dScale, dlg->m_nOriginX, dlg->m_nOriginY, dlg->m_pRoadPoints}; }

    TempDeviceRoot root;
    CursorModal modal;
    std::unique_ptr<CMapDlg> dlg;
    std::vector<MapPoint> roadGps;
};

TEST_F(GpxRoadTest, AGpxTrackIsDrawnInBrownAndFittedAsTheSameRoadFile)
{
    // A road file whose name holds ".gpx" before its own ".kvt" is a road file.
    ASSERT_TRUE(WriteRoadFile(root.Path("drive.gpx.kvt"), roadGps, int(roadGps.size())));
    root.Write("Drive.GPX", GpxBytes(roadGps));
    LoadRoad(root.Path("drive.gpx.kvt"));
    ASSERT_EQ(dlg->m_bRoadLoaded, 1);
    const View fromRoadFile = Now();
    EXPECT_TRUE(modal.lastFileFilter.startsWith(QStringLiteral("Đường đi (*.kvt *.gpx)")));
    EXPECT_EQ(modal.lastFileInitialPath, root.Path("My Documents"));

    // Somewhere else, without a road, then the GPX file.
    dlg->OnCommand(ID_TB_ZOOM_IN_L, BN_CLICKED);
    dlg->m_bRoadLoaded = 0;
    dlg->m_pRoadPoints.clear();
    ASSERT_NE(Now(), fromRoadFile);
    LoadRoad(root.Path("Drive.GPX"));
    EXPECT_TRUE(modal.messages.isEmpty()) << modal.messages.join('\n').toStdString();
    ASSERT_EQ(dlg->m_bRoadLoaded, 1);
    EXPECT_EQ(dlg->m_nRoadCount, int(roadGps.size()));
    EXPECT_EQ(Now(), fromRoadFile);
    for (const MapPoint p : dlg->m_pRoadPoints) {
        const QPoint s = MapToScreen(*dlg, p);
        EXPECT_TRUE(s.x() >= 0 && s.x() < dlg->m_nClientWidth && s.y() >= 0 && s.y() < dlg->m_nClientHeight);
    }
    for (int i = 1; i + 1 < dlg->m_nRoadCount; ++i) {
        const QPoint s = MapToScreen(*dlg, dlg->m_pRoadPoints[i]);
        EXPECT_EQ(PixelAt(dlg->WindowSurface(), s.x(), s.y()), Rgb(140, 98, 57)) << i;
    }
}

TEST_F(GpxRoadTest, ABadGpxFileKeepsTheRoadOnShowAndSaysWhy)
{
    root.Write("binary.gpx", QByteArray("\x00\x01\xff<gpx\x00", 8).repeated(100));
    root.Write("empty.gpx", QByteArray());
    root.Write("waypoints.gpx", "<gpx version=\"1.1\"><wpt lat=\"21\" lon=\"105\"/></gpx>");
    root.Write("moon.gpx", "<gpx version=\"1.1\"><trk><trkseg><trkpt lat=\"121\" lon=\"105\"/>"
                           "<trkpt lat=\"21\" lon=\"-205\"/></trkseg></trk></gpx>");
    const std::vector<std::pair<const char*, QString>> bad = {
        {"binary.gpx", QStringLiteral("Tệp không phải GPX hoặc bị hỏng: binary.gpx")},
        {"empty.gpx", QStringLiteral("Tệp không phải GPX hoặc bị hỏng: empty.gpx")},
        {"waypoints.gpx", QStringLiteral("Tệp GPX không có điểm nào: waypoints.gpx")},
        {"moon.gpx", QStringLiteral("Tệp GPX không có điểm nào: moon.gpx")},
        {"missing.gpx", QStringLiteral("Không mở được tệp: missing.gpx")},
    };
    // Without a road: none appears.
    LoadRoad(root.Path("binary.gpx"));
    EXPECT_EQ(dlg->m_bRoadLoaded, 0);
    EXPECT_EQ(dlg->m_nRoadCount, 0);
    ASSERT_EQ(modal.messages, QStringList{bad[0].second});

    root.Write("drive.gpx", GpxBytes(roadGps));
    LoadRoad(root.Path("drive.gpx"));
    ASSERT_EQ(dlg->m_bRoadLoaded, 1);
    const View shown = Now();
    const QImage picture = dlg->WindowSurface();
    for (const auto& [name, message] : bad) {
        modal.messages.clear();
        LoadRoad(root.Path(QString::fromLatin1(name)));
        EXPECT_EQ(modal.messages, QStringList{message});
        EXPECT_EQ(dlg->m_bRoadLoaded, 1);
        EXPECT_EQ(Now(), shown) << name;
        EXPECT_EQ(dlg->WindowSurface(), picture) << name;
    }
    EXPECT_FALSE(modal.waitCursorAtMessage);
    EXPECT_FALSE(QGuiApplication::overrideCursor());
    // A file that is neither a road file nor GPX is ignored, as before.
    modal.messages.clear();
    LoadRoad(root.Path("drive.txt"));
    EXPECT_TRUE(modal.messages.isEmpty());
    EXPECT_EQ(Now(), shown);
}

TEST_F(GpxRoadTest, ALongSavedTrackLoadsBackWholeAndAFileBeyondTheBoundIsNotDrawn)
{
    // Five and a half hours of driving at one position a second.
    std::vector<MapPoint> drive;
    for (int i = 0; i < 20000; ++i)
        drive.push_back({roadGps[0].x + i, roadGps[0].y - i / 2});
    ASSERT_TRUE(WriteRoadFile(root.Path("long.kvt"), drive, int(drive.size())));
    LoadRoad(root.Path("long.kvt"));
    EXPECT_TRUE(modal.messages.isEmpty());
    ASSERT_EQ(dlg->m_nRoadCount, 20000);
    EXPECT_EQ(dlg->m_pRoadPoints.back(), GpsToMap(drive.back().x, drive.back().y, *dlg));

    // More positions than a saved track holds, or more bytes: the user is
    // told and the road on show stays.
    const View shown = Now();
    root.Write("more.kvt", QByteArray("7,8;").repeated(kMaxRoadPoints + 1) + "\r\nend\r\n");
    root.Write("bytes.kvt", QByteArray(kMaxRoadFileBytes + 1, ' '));
    root.Write("more.gpx", GpxBytes(std::vector<MapPoint>(kMaxRoadPoints + 1, roadGps[0])));
    for (const char* name : {"more.kvt", "bytes.kvt", "more.gpx"}) {
        modal.messages.clear();
        LoadRoad(root.Path(QString::fromLatin1(name)));
        EXPECT_EQ(modal.messages, QStringList{QStringLiteral("Tệp đường quá lớn: ") + name});
        EXPECT_EQ(Now(), shown) << name;
    }
}

} // namespace
