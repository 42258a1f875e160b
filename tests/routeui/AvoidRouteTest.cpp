// The avoid mode and what it does to later routes: the list of streets to
// avoid, a tapped junction that routes go around until the toolbar's route
// button starts afresh, and a search that finds nothing.
#include "RouteUiFixture.h"

#include <QSet>

namespace routeui {
namespace {

using AvoidRouteTest = RouteUiTest;

const QRgb kRed = Rgb(255, 0, 0);

TEST_F(AvoidRouteTest, StreetListSkipsTheFirstRecordEmptyNamesAndNamesAlreadyBegunByAnEntry)
{
    dlg->OnCommand(ID_AVOID_ROUTE, BN_CLICKED);
    for (int id : {IDC_AVOID_STREET, IDC_AVOID_CAPTION, IDC_ROUTE_OK})
        EXPECT_TRUE(dlg->IsControlVisible(id)) << id;
    EXPECT_FALSE(dlg->IsControlVisible(IDC_ROUTE_NAME));
    EXPECT_EQ(dlg->m_bAvoidPick, 1);
    EXPECT_EQ(dlg->m_bAvoidActive, 1);

    const QStringList streets = Entries(IDC_AVOID_STREET);
    EXPECT_EQ(streets.size(), 8);
    // "Bờ Tây" is record 0; "Hai Bà" begins "Hai Bà Trưng", listed before it.
    const QSet<QString> expected = {QStringLiteral("Hàm Nghi"),     QStringLiteral("Lê Lợi"),
                                    QStringLiteral("Hẻm 10%d"),     QStringLiteral("Trần Hưng Đạo"),
                                    QStringLiteral("Pasteur"),      QStringLiteral("Nam Kỳ"),
                                    QStringLiteral("Hai Bà Trưng"), QStringLiteral("Cô Giang")};
    EXPECT_EQ(QSet<QString>(streets.begin(), streets.end()), expected);
}

TEST_F(AvoidRouteTest, StreetChosenToAvoidIsHighlightedInOnePaintOnly)
{
    dlg->OnCommand(ID_AVOID_ROUTE, BN_CLICKED);
    ChooseFromList(IDC_AVOID_STREET, QStringLiteral("Nam Kỳ"));
    dlg->UpdateWindow();
    const QPoint onNamKy = Screen({2900, 3950});
    EXPECT_EQ(Window(onNamKy), kRed);
    EXPECT_EQ(dlg->m_bHighlightOnce, 0);
    EXPECT_EQ(dlg->m_nSelectedWays, 0);
    dlg->Invalidate();
    dlg->UpdateWindow();
    EXPECT_NE(Window(onNamKy), kRed);
    // Choosing it did not end the avoid mode.
    EXPECT_EQ(dlg->m_bAvoidPick, 1);
}

TEST_F(AvoidRouteTest, AvoidedJunctionIsRoutedAroundUntilTheToolbarButtonStartsAfresh)
{
    const MapPoint from{2830, 3900}, to{2970, 3900};
    dlg->OnCommand(ID_AVOID_ROUTE, BN_CLICKED);
    Tap(Junction(5));
    ASSERT_EQ(dlg->NodesInUse(), 1);
    EXPECT_EQ(dlg->m_avoidNodes[1], 5);

    PressOk();
    EXPECT_EQ(dlg->m_bAvoidPick, 0);
    EXPECT_EQ(dlg->m_bAvoidActive, 1);
    EXPECT_EQ(dlg->m_bRoutePick, 1);
    EXPECT_EQ(dlg->m_bPickFrom, 1);
    EXPECT_TRUE(dlg->IsControlVisible(IDC_ROUTE_NAME));
    EXPECT_FALSE(dlg->IsControlVisible(IDC_AVOID_STREET));

    // Both ends lie on streets that meet at the avoided junction: the route
    // leaves the start westwards and reaches the end from the east.
    RouteByTaps(from, to);
    ASSERT_EQ(dlg->m_bRouteShown, 1);
    EXPECT_FALSE(RoutePasses(5));
    EXPECT_TRUE(RoutePasses(4));
    EXPECT_TRUE(RoutePasses(6));
    EXPECT_EQ(dlg->m_bAvoidActive, 1);
    // The junction is marked with a black ring on the drawn route's map.
    dlg->UpdateWindow();
    EXPECT_EQ(Window(Screen(Junction(5)) + QPoint(5, 0)), Rgb(0, 0, 0));

    // The menu command keeps the list in force.
    dlg->OnCommand(ID_SHORTEST_PATH, BN_CLICKED);
    EXPECT_EQ(dlg->m_bAvoidActive, 1);
    RouteByTaps(from, to);
    ASSERT_EQ(dlg->m_bRouteShown, 1);
    EXPECT_FALSE(RoutePasses(5));

    // The toolbar button drops it.
    dlg->OnCommand(ID_TB_ROUTE_L, BN_CLICKED);
    EXPECT_EQ(dlg->m_bAvoidActive, 0);
    EXPECT_EQ(dlg->m_bRoutePick, 1);
    RouteByTaps(from, to);
    ASSERT_EQ(dlg->m_bRouteShown, 1);
    EXPECT_TRUE(RoutePasses(5));
    EXPECT_EQ(dlg->m_nRouteLast, 2);
}

TEST_F(AvoidRouteTest, AvoidModeEnteredDuringARoutePickTakesTheTaps)
{
    dlg->OnCommand(ID_SHORTEST_PATH, BN_CLICKED);
    dlg->OnCommand(ID_AVOID_ROUTE, BN_CLICKED);
    EXPECT_EQ(dlg->m_bRoutePick, 0);
    Tap(Junction(2));
    EXPECT_EQ(dlg->m_ptFromTap, MapPoint{});
    ASSERT_EQ(dlg->NodesInUse(), 1);
    EXPECT_EQ(dlg->m_avoidNodes[1], 2);
    // A second tap on it takes it off the list again.
    Tap(Junction(2));
    EXPECT_EQ(dlg->NodesInUse(), 0);
}

TEST_F(AvoidRouteTest, ToolbarButtonEndsTheAvoidMarking)
{
    dlg->OnCommand(ID_AVOID_ROUTE, BN_CLICKED);
    dlg->OnCommand(ID_TB_ROUTE_S, BN_CLICKED);
    EXPECT_EQ(dlg->m_bAvoidPick, 0);
    EXPECT_EQ(dlg->m_bAvoidActive, 0);
    EXPECT_EQ(dlg->m_bRoutePick, 1);
    EXPECT_FALSE(dlg->IsControlVisible(IDC_AVOID_STREET));
}

TEST_F(AvoidRouteTest, RouteToAStreetNotJoinedToTheRoadsFailsWithAMessageAndClearsTheRouteState)
{
    dlg->OnCommand(ID_AVOID_ROUTE, BN_CLICKED);
    PressOk();
    ASSERT_EQ(dlg->m_bAvoidActive, 1);
    RouteByTaps({2830, 3900}, {3150, 4100});
    EXPECT_EQ(dlg->m_strToWay, QStringLiteral("Cô Giang"));
    EXPECT_EQ(modal.messages, QStringList{QStringLiteral("Không tồn tại đường đi hợp lệ")});
    EXPECT_EQ(dlg->m_bRouteShown, 0);
    EXPECT_EQ(dlg->m_bAvoidActive, 0);
    EXPECT_EQ(dlg->m_bAvoidPick, 0);
    EXPECT_EQ(dlg->m_bRoutePick, 0);
    EXPECT_FALSE(dlg->IsControlVisible(IDC_ROUTE_NAME));
    // No route is drawn and no length is shown.
    dlg->Invalidate();
    dlg->UpdateWindow();
    EXPECT_TRUE(dlg->m_strTicker.isEmpty());
    EXPECT_FALSE(dlg->IsControlVisible(IDC_STATUS));
}

}  // namespace
}  // namespace routeui
