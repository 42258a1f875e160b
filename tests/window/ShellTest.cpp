// The window shell: menus, toolbar sets, caption, the shell's own commands and
// opening maps through the file dialog.
#include "AppWindow.h"

#include <QMenu>
#include <QToolButton>

namespace {

using Shell = AppTest;

// A menu as text: one row per entry, "id caption" (greyed marked), "---" for
// a separator, a submenu's rows indented under its title.
QStringList MenuRows(const QMenu& menu, const QString& indent = {})
{
    QStringList rows;
    for (const QAction* action : menu.actions()) {
        if (action->isSeparator()) {
            rows << indent + "---";
        } else if (action->menu()) {
            rows << indent + action->text() + " >";
            rows << MenuRows(*action->menu(), indent + "  ");
        } else {
            rows << indent + QString::number(action->data().toInt()) + " " + action->text() +
                        (action->isEnabled() ? "" : " (greyed)");
        }
    }
    return rows;
}

TEST_F(Shell, MenuBarEntriesCaptionsAndInitialStates)
{
    auto dlg = OpenMapWindow();
    const QList<QMenu*> menus = dlg->MenuBar()->findChildren<QMenu*>(Qt::FindDirectChildrenOnly);
    ASSERT_EQ(menus.size(), 2);
    EXPECT_EQ(menus[0]->title(), QStringLiteral("Hệ thống"));
    EXPECT_EQ(MenuRows(*menus[0]), QStringList({
                                       "32774 Mở bản đồ",
                                       "32860 Nạp thông tin",
                                       "---",
                                       "GPS >",
                                       "  32835 Cấu hình GPS",
                                       "  32852 Lưu đường (greyed)",
                                       "  32853 Nạp đường",
                                       "  32870 Hướng dẫn bằng giọng nói",
                                       "---",
                                       "32778 Lọc địa danh (greyed)",
                                       "---",
                                       "32780 Thông tin",
                                       "32857 Đóng bản đồ",
                                       "32781 Thoát",
                                   }));
    EXPECT_EQ(menus[1]->title(), QStringLiteral("Tiện ích"));
    EXPECT_EQ(MenuRows(*menus[1]), QStringList({
                                       "32787 Đo cự ly (greyed)",
                                       "---",
                                       "Tìm kiếm >",
                                       "  32825 Tìm địa danh (greyed)",
                                       "  32792 Tìm đường (greyed)",
                                       "  ---",
                                       "  32864 Tìm tuyến  xe Buýt (greyed)",
                                       "  ---",
                                       "  32794 Tìm đường đi ngắn (greyed)",
                                       "  32859 Tìm đường tránh (greyed)",
                                       "---",
                                       "32837 Hiển thị GPS (greyed)",
                                       "32861 Dẫn đường (greyed)",
                                       "---",
                                       "32858 Làm tươi (greyed)",
                                   }));
}

TEST_F(Shell, TheTitleNamesTheMapInUse)
{
    const QString map = WriteCity("maps/hanoi.kvp");
    auto dlg = OpenMapWindow();
    EXPECT_EQ(dlg->windowTitle(), QStringLiteral("Korvane"));
    modal.fileAnswers = {map};
    dlg->OnCommand(ID_OPEN_MAP, BN_CLICKED);
    EXPECT_EQ(dlg->windowTitle(), QStringLiteral("hanoi.kvp — Korvane"));
    // A file that is no map leaves the title as the map in use leaves it.
    root.Write("maps/broken.kvp", "no map here\r\n");
    modal.fileAnswers = {root.Path("maps/broken.kvp")};
    dlg->OnCommand(ID_OPEN_MAP, BN_CLICKED);
    EXPECT_EQ(dlg->windowTitle(), QStringLiteral("hanoi.kvp — Korvane"));
    dlg->OnCommand(ID_CLOSE_MAP, BN_CLICKED);
    EXPECT_EQ(dlg->windowTitle(), QStringLiteral("Korvane"));
}

// The dark pixels of the window surface, as the box around them.
QRect DarkArea(const QImage& image)
{
    QRect box;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (qGray(image.pixel(x, y)) < 96)
                box |= QRect(x, y, 1, 1);
    return box;
}

TEST_F(Shell, AWindowWithoutAMapSaysHowToOpenOne)
{
    const QString map = WriteCity("maps/city.kvp");
    for (const auto& [width, height] : {std::pair{480, 640}, std::pair{240, 320}}) {
        auto dlg = OpenMapWindow(width, height);
        // The first start and after "Đóng bản đồ": one line of text across
        // the middle, centred, inside the window however narrow.
        for (const bool closed : {false, true}) {
            if (closed) {
                modal.fileAnswers = {map};
                dlg->OnCommand(ID_OPEN_MAP, BN_CLICKED);
                dlg->UpdateWindow();
                dlg->OnCommand(ID_CLOSE_MAP, BN_CLICKED);
                dlg->UpdateWindow();
            }
            const QRect text = DarkArea(dlg->WindowSurface());
            ASSERT_FALSE(text.isEmpty()) << width << (closed ? " closed" : " first start");
            EXPECT_LE(text.height(), 24) << "one line";
            EXPECT_NEAR(text.center().y(), height / 2, 4);
            EXPECT_NEAR(text.left(), width - 1 - text.right(), 3);
            EXPECT_GT(text.left(), 0);
            EXPECT_GT(text.width(), width / 2);
        }
    }
}

TEST_F(Shell, ToolbarButtonsAndMenusNameThemselvesWhenHovered)
{
    const QStringList names = {"Phóng to", "Thu nhỏ", "Xóa", "Tìm đường phố", "Tìm đường đi ngắn"};
    for (const int width : {480, 240}) {
        auto dlg = OpenMapWindow(width, width * 4 / 3);
        const std::vector<int> ids = dlg->MenuBar()->ToolbarIds();
        ASSERT_EQ(ids.size(), 5u);
        for (size_t i = 0; i < ids.size(); ++i)
            EXPECT_EQ(dlg->MenuBar()->ToolbarButton(ids[i])->toolTip(), names[int(i)]) << width;
        for (const QToolButton* button : dlg->MenuBar()->findChildren<QToolButton*>()) {
            if (button->menu()) {
                EXPECT_FALSE(button->toolTip().isEmpty()) << qPrintable(button->text());
            }
        }
    }
}

TEST_F(Shell, NarrowWindowsGetTheSmallToolbarAndDisplayFactorOne)
{
    auto small = OpenMapWindow(240, 320);
    EXPECT_EQ(small->m_nClientWidth, 240);
    EXPECT_EQ(small->m_nClientHeight, 320);
    EXPECT_EQ(small->m_nDisplayFactor, 1);
    EXPECT_EQ(small->MenuBar()->ToolbarIds(), (std::vector<int>{32838, 32839, 32842, 32844, 32846}));
    EXPECT_EQ(small->MenuBar()->ToolbarPictureSize(), QSize(16, 15));
    // The menus and the small toolbar fit: the window stays 240 wide once
    // its layout has settled.
    QTest::qWait(20);
    EXPECT_EQ(small->width(), 240);
    EXPECT_EQ(small->m_nClientWidth, 240);

    auto large = OpenMapWindow(480, 640);
    EXPECT_EQ(large->m_nDisplayFactor, 2);
    EXPECT_EQ(large->MenuBar()->ToolbarIds(), (std::vector<int>{32840, 32841, 32843, 32845, 32848}));
    EXPECT_EQ(large->MenuBar()->ToolbarPictureSize(), QSize(32, 32));

    // The set is chosen below 251 pixels; the factor below 321.
    EXPECT_EQ(OpenMapWindow(250, 320)->MenuBar()->ToolbarPictureSize(), QSize(16, 15));
    auto at251 = OpenMapWindow(251, 320);
    EXPECT_EQ(at251->MenuBar()->ToolbarPictureSize(), QSize(32, 32));
    EXPECT_EQ(at251->m_nDisplayFactor, 1);
    at251->SetClientSize(320, 400);
    EXPECT_EQ(at251->m_nDisplayFactor, 1);
    at251->SetClientSize(321, 400);
    EXPECT_EQ(at251->m_nDisplayFactor, 2);
    EXPECT_EQ(at251->m_nClientWidth, 321);
    EXPECT_EQ(at251->m_nClientHeight, 400);
}

TEST_F(Shell, BothToolbarSetsZoomAlike)
{
    const QString map = WriteCity("maps/city.kvp");
    WriteSettings(ExpectedSettings(map));
    auto a = OpenMapWindow();
    auto b = OpenMapWindow();
    ASSERT_EQ(a->m_bMapLoaded, 1);
    const double start = a->m_dScale;
    a->OnCommand(ID_TB_ZOOM_IN_S, BN_CLICKED);
    b->OnCommand(ID_TB_ZOOM_IN_L, BN_CLICKED);
    EXPECT_EQ(a->m_dScale, start * 1.5);
    EXPECT_EQ(a->m_dScale, b->m_dScale);
    EXPECT_EQ(a->m_nOriginX, b->m_nOriginX);
    EXPECT_EQ(a->m_nOriginY, b->m_nOriginY);
    EXPECT_EQ(a->m_visibleWays, b->m_visibleWays);
    a->OnCommand(ID_TB_ZOOM_OUT_S, BN_CLICKED);
    b->OnCommand(ID_TB_ZOOM_OUT_L, BN_CLICKED);
    EXPECT_EQ(a->m_dScale, start * 1.5 / 1.5);
    EXPECT_EQ(a->m_nOriginX, b->m_nOriginX);
    EXPECT_EQ(a->m_nOriginY, b->m_nOriginY);
    // A zoom repaints: the centre crossing stays white at every step.
    a->UpdateWindow();
    EXPECT_EQ(PixelAt(a->WindowSurface(), 240, 320), Rgb(255, 255, 255));
}

TEST_F(Shell, RefreshWithoutAMapDoesNothing)
{
    auto dlg = OpenMapWindow();
    const QImage before = dlg->WindowSurface().copy();
    dlg->OnCommand(ID_REFRESH, BN_CLICKED);
    dlg->UpdateWindow();
    EXPECT_EQ(dlg->WindowSurface(), before);
    EXPECT_EQ(dlg->m_bMapLoaded, 0);
    EXPECT_EQ(dlg->m_dScale, 1.0);
    EXPECT_EQ(dlg->m_nOriginX, 0);
}

TEST_F(Shell, CloseMapBeforeAnyMapEnablesTheMapCommands)
{
    auto dlg = OpenMapWindow();
    dlg->OnCommand(ID_CLOSE_MAP, BN_CLICKED);
    EXPECT_EQ(dlg->m_bMapLoaded, 0);
    ExpectCommands(*dlg, kMapCommands, true);
    ExpectCommands(*dlg, kGpsCommands, false);
    // They then work on an empty map.
    dlg->OnCommand(ID_TB_ZOOM_IN_L, BN_CLICKED);
    EXPECT_EQ(dlg->m_dScale, 1.5);
    EXPECT_EQ(dlg->m_nVisibleWays, 0);
}

TEST_F(Shell, OpenMapLoadsTheChosenFileAndFitsTheView)
{
    const QString map = WriteCity("maps/city.kvp");
    auto dlg = OpenMapWindow();
    modal.fileAnswers = {map};
    dlg->OnCommand(ID_OPEN_MAP, BN_CLICKED);
    // Without a map in use and none installed, maps are looked for among the user's files.
    EXPECT_EQ(modal.lastFileFilter, QStringLiteral("Bản đồ (*.kvp)"));
    EXPECT_EQ(modal.lastFileInitialPath, root.Path("My Documents"));
    ASSERT_EQ(dlg->m_bMapLoaded, 1);
    EXPECT_EQ(dlg->m_strMapPath, map);
    EXPECT_EQ(dlg->m_strOpenPath, map);
    EXPECT_DOUBLE_EQ(dlg->m_dBaseScale, 2.5 * std::min(480.0 / 600, 640.0 / 400));
    EXPECT_DOUBLE_EQ(dlg->m_dScale, 5 * dlg->m_dBaseScale);
    ExpectCommands(*dlg, kMapCommands, true);
    dlg->UpdateWindow();
    EXPECT_EQ(PixelAt(dlg->WindowSurface(), 240, 320), Rgb(255, 255, 255));

    // The next dialog opens at the map in use; Cancel returns it and nothing reloads.
    dlg->OnCommand(ID_OPEN_MAP, BN_CLICKED);
    EXPECT_EQ(modal.lastFileInitialPath, map);
    EXPECT_EQ(dlg->m_strMapPath, map);
    EXPECT_EQ(dlg->m_bMapLoaded, 1);
}

TEST_F(Shell, OpenMapTakesKvpInEitherLetterCase)
{
    const QString capital = WriteCity("maps/CITY.KVP", 3, 3);
    auto dlg = OpenMapWindow();
    modal.fileAnswers = {capital};
    dlg->OnCommand(ID_OPEN_MAP, BN_CLICKED);
    EXPECT_EQ(dlg->m_strMapPath, capital);
    EXPECT_EQ(dlg->m_bMapLoaded, 1);
    EXPECT_EQ(dlg->m_nWayLast, 4 * 3 + 4 * 3 - 1);

    // Another kind of file is no map to open, and the user is told.
    const QString other = WriteCity("maps/city.txt");
    modal.fileAnswers = {other};
    dlg->OnCommand(ID_OPEN_MAP, BN_CLICKED);
    EXPECT_EQ(dlg->m_strMapPath, capital);
    EXPECT_EQ(modal.messages, QStringList{QStringLiteral("Tệp này không phải là bản đồ:\n") + other});
}

TEST_F(Shell, ChoosingTheMapAlreadyLoadedReadsNothing)
{
    const QString map = WriteCity("maps/city.kvp");
    auto dlg = OpenMapWindow();
    modal.fileAnswers = {map};
    dlg->OnCommand(ID_OPEN_MAP, BN_CLICKED);
    const int ways = dlg->m_nWayLast;
    dlg->OnCommand(ID_TB_ZOOM_IN_L, BN_CLICKED);
    const double zoomed = dlg->m_dScale;

    WriteCity("maps/city.kvp", 2, 2);  // the file changes on disk
    modal.fileAnswers = {map};
    dlg->OnCommand(ID_OPEN_MAP, BN_CLICKED);
    EXPECT_EQ(dlg->m_nWayLast, ways);
    EXPECT_EQ(dlg->m_dScale, zoomed);

    // Another path is read.
    const QString other = WriteCity("maps/other.kvp", 2, 2);
    modal.fileAnswers = {other};
    dlg->OnCommand(ID_OPEN_MAP, BN_CLICKED);
    EXPECT_EQ(dlg->m_nWayLast, 3 * 2 + 3 * 2 - 1);
    EXPECT_EQ(dlg->m_strMapPath, other);
}

TEST_F(Shell, AFileThatIsNoMapIsRefusedAndTheMapInUseStays)
{
    const QString map = WriteCity("maps/city.kvp");
    auto dlg = OpenMapWindow();
    modal.fileAnswers = {map};
    dlg->OnCommand(ID_OPEN_MAP, BN_CLICKED);
    const int ways = dlg->m_nWayLast, nodes = dlg->m_nNodeLast;
    const double scale = dlg->m_dScale;

    root.Write("maps/notes.kvp", "Hẹn gặp lúc 9 giờ\r\n");
    root.Write("maps/empty.kvp", "");
    root.Write("maps/binary.kvp", QByteArray("\x00\xff\xfe\x01/WAY\r\n\x80", 10));
    root.Write("maps/README.md", "# Bản đồ\n");
    const QStringList refused = {root.Path("maps/notes.kvp"), root.Path("maps/empty.kvp"),
                                 root.Path("maps/binary.kvp"), root.Path("maps/missing.kvp"),
                                 root.Path("maps/README.md")};
    for (const QString& path : refused) {
        modal.fileAnswers = {path};
        dlg->OnCommand(ID_OPEN_MAP, BN_CLICKED);
        EXPECT_EQ(dlg->m_strMapPath, map) << path.toStdString();
        EXPECT_EQ(dlg->m_nWayLast, ways);
        EXPECT_EQ(dlg->m_nNodeLast, nodes);
        EXPECT_EQ(dlg->m_dScale, scale);
    }
    // Each refusal says so, in Vietnamese, naming the file.
    ASSERT_EQ(modal.messages.size(), refused.size());
    EXPECT_TRUE(modal.messages[0].startsWith(QStringLiteral("Tệp này không phải là bản đồ")));
    EXPECT_TRUE(modal.messages[3].startsWith(QStringLiteral("Không mở được tệp bản đồ")));
    EXPECT_TRUE(modal.messages[3].endsWith(refused[3]));
    // Another extension is no excuse for silence.
    EXPECT_EQ(modal.messages[4], QStringLiteral("Tệp này không phải là bản đồ:\n") + refused[4]);
    dlg->OnCommand(ID_EXIT, BN_CLICKED);
    EXPECT_EQ(CfgBytes(), ExpectedSettings(map));
}

}  // namespace
