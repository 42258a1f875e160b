// The map window with a small city opened through "Mở bản đồ" from a map file
// in a temporary device root. The file's extent (6000 × 8000) and centre make
// the opening view one pixel per map unit with map point (2760, 3680) at the
// client's top left, so the junctions lie on round pixels:
//
//        x:  40       140       240            (map 2800, 2900, 3000)
//   y 120    n1 ─Hàm Nghi─ n2 ─Hàm Nghi─ n3
//            │Pasteur      │Nam Kỳ       │Hai Bà Trưng
//   y 220    n4 ─Lê Lợi─── n5 ─Hẻm 10%d── n6
//            │Pasteur      │Nam Kỳ       │Hai Bà Trưng
//   y 320    n7 ─Trần Hưng Đạo─ n8 ─────── n9
//
//   y 420                          n10 ─Cô Giang─ n11   (x 340, 440; not joined)
//
// Further ways: "Bờ Tây" along map x = 0 (record 0, no road nodes), and two
// far away: "Hai Bà" (a prefix of "Hai Bà Trưng") and one without a name.
// Three hospitals ("Bệnh viện"): "Chợ Rẫy" just below Hàm Nghi, and two
// places called "Từ Dũ".
#pragma once

#include "ResourceIds.h"
#include "widgets/UiComboBox.h"
#include "widgets/UiCommandBar.h"
#include "support/DeviceRoot.h"
#include "support/MapWindow.h"
#include "support/ScriptedModal.h"
#include "support/Widgets.h"

#include <gtest/gtest.h>

#include <QStringList>
#include <algorithm>

namespace routeui {

// Map points of the junctions, numbered as the file numbers the road nodes.
inline MapPoint Junction(int n)
{
    static const MapPoint kJunctions[] = {{},           {2800, 3800}, {2900, 3800}, {3000, 3800},
                                          {2800, 3900}, {2900, 3900}, {3000, 3900}, {2800, 4000},
                                          {2900, 4000}, {3000, 4000}, {3100, 4100}, {3200, 4100}};
    return kJunctions[n];
}

// The map file: CR LF lines, levels given by leading tabs.
inline QByteArray CityMapFile()
{
    // clang-format off
    const char* const lines[] = {
        "REALNUMDISTRICT 0", "REALNUMWAY 16", "REALNUMBUS 0", "REALNUMRIVER 0", "REALNUMLAKE 0", "REALNUMPARK 0",
        "REALNUMPLACE 4", "REALNUMTEXT 0",
        "/GPSINF", "\t0.0", "\t\t16.0", "\t\t\t65000000", "\t\t\t\t-12500000", "GPSINF/",
        "/RES", "\t6000x8000", "RES/", "/SCALE", "\t1000", "SCALE/", "/CENP", "\t3000,4000", "CENP/",
        "/DISTRICT", "DISTRICT/",
        "/WAY",
        "\tBờ Tây", "\t\t0,3800;0,4000", "\t\t\t0,1",                          // record 0
        "\tHàm Nghi", "\t\t2800,3800;2900,3800", "\t\t\t0,1",                  // 1: n1–n2
        "\tHàm Nghi", "\t\t2900,3800;3000,3800", "\t\t\t0,1",                  // 2: n2–n3
        "\tLê Lợi", "\t\t2800,3900;2900,3900", "\t\t\t0,1",                    // 3: n4–n5
        "\tHẻm 10%d", "\t\t2900,3900;3000,3900", "\t\t\t0,1",                  // 4: n5–n6
        "\tTrần Hưng Đạo", "\t\t2800,4000;2900,4000", "\t\t\t0,1",             // 5: n7–n8
        "\tTrần Hưng Đạo", "\t\t2900,4000;3000,4000", "\t\t\t0,1",             // 6: n8–n9
        "\tPasteur", "\t\t2800,3800;2800,3900", "\t\t\t0,1",                   // 7: n1–n4
        "\tPasteur", "\t\t2800,3900;2800,4000", "\t\t\t0,1",                   // 8: n4–n7
        "\tNam Kỳ", "\t\t2900,3800;2900,3900", "\t\t\t0,1",                    // 9: n2–n5
        "\tNam Kỳ", "\t\t2900,3900;2900,4000", "\t\t\t0,1",                    // 10: n5–n8
        "\tHai Bà Trưng", "\t\t3000,3800;3000,3900", "\t\t\t0,1",              // 11: n3–n6
        "\tHai Bà Trưng", "\t\t3000,3900;3000,4000", "\t\t\t0,1",              // 12: n6–n9
        "\tCô Giang", "\t\t3100,4100;3200,4100", "\t\t\t0,1",                  // 13: n10–n11
        "\tHai Bà", "\t\t5000,7000;5100,7000", "\t\t\t0,1",                    // 14
        "\t", "\t\t5000,7200;5100,7200", "\t\t\t0,1",                          // 15: no name
        "WAY/", "/BUS", "BUS/", "/RIVER", "RIVER/", "/LAKE", "LAKE/", "/PARK", "PARK/",
        "/PLACE",
        "\tChợ Rẫy", "\t\t2950,3810", "\t\t\t1", "\t\t\t\tBệnh viện lớn",
        "\tTừ Dũ", "\t\t2810,4050", "\t\t\t1", "\t\t\t\t",
        "\tTừ Dũ", "\t\t2820,4060", "\t\t\t1", "\t\t\t\t",
        "\tBến Thành", "\t\t2850,3950", "\t\t\t14", "\t\t\t\t",
        "PLACE/", "/TEXT", "TEXT/",
        "/POSITION",
        // ways (1-based); x, y, then neighbour and edge value pairs
        "\t2,8;2800,3800,2,100,4,100",
        "\t2,3,10;2900,3800,1,100,3,100,5,100",
        "\t3,12;3000,3800,2,100,6,100",
        "\t4,8,9;2800,3900,1,100,5,100,7,100",
        "\t4,5,10,11;2900,3900,2,100,4,100,6,100,8,100",
        "\t5,12,13;3000,3900,3,100,5,100,9,100",
        "\t6,9;2800,4000,4,100,8,100",
        "\t6,7,11;2900,4000,7,100,5,100,9,100",
        "\t7,13;3000,4000,8,100,6,100",
        "\t14;3100,4100,11,100",
        "\t14;3200,4100,10,100",
        "POSITION/",
    };
    // clang-format on
    QByteArray bytes;
    for (const char* line : lines)
        bytes += QByteArray(line) + "\r\n";
    return bytes;
}

class RouteUiTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        root.Write("maps/city.kvp", CityMapFile());
        dlg = OpenMapWindow();
        modal.fileAnswers.push_back(root.Path("maps/city.kvp"));
        dlg->OnCommand(ID_OPEN_MAP, BN_CLICKED);
        dlg->UpdateWindow();
        ASSERT_EQ(dlg->m_bMapLoaded, 1);
        ASSERT_EQ(dlg->m_nNodeLast, 11);
        ASSERT_DOUBLE_EQ(dlg->m_dScale, 1.0);
        ASSERT_EQ(dlg->m_nOriginX, 2760);
        ASSERT_EQ(dlg->m_nOriginY, 3680);
    }

    QPoint Screen(MapPoint p) const { return MapToScreen(*dlg, p); }
    QRgb Window(QPoint p) const { return PixelAt(dlg->WindowSurface(), p.x(), p.y()); }
    // A tap (pointer down and up at one pixel) on a map point.
    void Tap(MapPoint p)
    {
        const QPoint at = Screen(p);
        dlg->OnLButtonDown(0, at);
        dlg->OnLButtonUp(0, at);
    }
    void PressOk() { dlg->OnCommand(IDC_ROUTE_OK, BN_CLICKED); }
    // Picks a start and an end by tapping and confirms both.
    void RouteByTaps(MapPoint from, MapPoint to)
    {
        Tap(from);
        PressOk();
        Tap(to);
        PressOk();
    }
    // Chooses an entry of a combo box's list as a user does: a click on the
    // box's arrow, a click on the entry.
    void ChooseFromList(int id, const QString& text) { ASSERT_TRUE(ChooseEntry(dlg->Combo(id), text)) << text.toStdString(); }
    QStringList Entries(int id) const
    {
        QStringList entries;
        for (int i = 0; i < dlg->Combo(id)->GetCount(); ++i)
            entries << dlg->Combo(id)->GetLBText(i);
        return entries;
    }
    // Whether the route's walk goes through a junction: the points between
    // the end (element 0) and the start (the last element) are the nodes
    // passed.
    bool RoutePasses(int node) const
    {
        const auto& points = dlg->m_routePoints;
        const int last = std::min<int>(dlg->m_nRouteLast, static_cast<int>(points.size()) - 1);
        return last >= 2 &&
               std::find(points.begin() + 1, points.begin() + last, Junction(node)) != points.begin() + last;
    }

    TempDeviceRoot root;
    ScriptedModal modal;
    std::unique_ptr<CMapDlg> dlg;
};

}  // namespace routeui
