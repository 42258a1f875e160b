// The shortest-path mode as a user drives it: ends picked by tapping, from the
// street list or from a place category, confirmed with OK; the route drawn,
// fitted and its length scrolled on the status line; the keyboard; the marks.
#include "RouteUiFixture.h"

#include <QAbstractItemView>

namespace routeui {
namespace {

using RouteModeTest = RouteUiTest;

const QRgb kRed = Rgb(255, 0, 0);
const QRgb kYellow = Rgb(255, 255, 0);

// A pixel inside the cloth of a flag whose pole stands at p.
QPoint FlagCloth(QPoint p)
{
    return p + QPoint(5, -21);
}

TEST_F(RouteModeTest, TappedEndsAreConfirmedWithOkAndTheRouteIsFittedDrawnAndTicked)
{
    dlg->OnCommand(ID_SHORTEST_PATH, BN_CLICKED);
    for (int id : {IDC_FROM_TO_LABEL, IDC_ROUTE_NAME, IDC_ROUTE_OK, IDC_ROUTE_TYPE})
        EXPECT_TRUE(dlg->IsControlVisible(id)) << id;
    EXPECT_EQ(dlg->ControlText(IDC_FROM_TO_LABEL), QStringLiteral("Từ :"));
    EXPECT_EQ(dlg->ControlText(IDC_ROUTE_TYPE), QStringLiteral("Đường"));

    const MapPoint from{2830, 3900}, to{2970, 3900};
    Tap(from);
    EXPECT_EQ(dlg->m_ptFromTap, from);
    EXPECT_EQ(dlg->m_segFrom[0], Junction(4));
    EXPECT_EQ(dlg->m_segFrom[1], Junction(5));
    EXPECT_EQ(dlg->ControlText(IDC_ROUTE_NAME), QStringLiteral("Lê Lợi"));
    EXPECT_EQ(Window(FlagCloth(Screen(from))), kYellow);

    PressOk();
    EXPECT_EQ(dlg->m_bPickFrom, 0);
    EXPECT_EQ(dlg->m_strFromWay, QStringLiteral("Lê Lợi"));
    EXPECT_EQ(dlg->ControlText(IDC_FROM_TO_LABEL), QStringLiteral("Tới:"));
    EXPECT_EQ(dlg->ControlText(IDC_ROUTE_NAME), QString());
    EXPECT_EQ(dlg->m_bRouteShown, 0);

    Tap(to);
    EXPECT_EQ(dlg->m_ptToTap, to);
    EXPECT_EQ(dlg->m_segTo[0], Junction(5));
    EXPECT_EQ(dlg->m_segTo[1], Junction(6));
    EXPECT_EQ(Window(FlagCloth(Screen(to))), kRed);

    PressOk();
    ASSERT_EQ(dlg->m_bRouteShown, 1);
    EXPECT_EQ(dlg->m_bRoutePick, 0);
    EXPECT_EQ(dlg->m_bPickFrom, 1);
    EXPECT_EQ(dlg->ControlText(IDC_FROM_TO_LABEL), QStringLiteral("Từ :"));
    for (int id : {IDC_FROM_TO_LABEL, IDC_ROUTE_NAME, IDC_ROUTE_OK, IDC_ROUTE_TYPE})
        EXPECT_FALSE(dlg->IsControlVisible(id)) << id;
    EXPECT_EQ(dlg->m_strRouteText, QStringLiteral("Lê Lợi-Hẻm 10%d"));
    EXPECT_TRUE(modal.messages.isEmpty());

    // The route spans 140 × 0 map units: the width limits the scale,
    // (480 − 60) / 140 = 3, and the route is centred top to bottom.
    EXPECT_DOUBLE_EQ(dlg->m_dScale, 3.0);
    EXPECT_EQ(dlg->m_nOriginX, 2830 - 10);
    EXPECT_EQ(dlg->m_nOriginY, 3900 - 213 / 2);

    dlg->UpdateWindow();
    EXPECT_EQ(Screen(Junction(5)), QPoint(240, 318));
    for (int x : {60, 200, 300, 420})
        EXPECT_EQ(Window(QPoint(x, 318)), kRed) << x;
    EXPECT_EQ(Window(FlagCloth(Screen(from))), kYellow);
    EXPECT_EQ(Window(FlagCloth(Screen(to))), kRed);

    // 140 map units at SCALE 1000; the "%d" of the street name is shown as it is.
    const QString ticker = QString(14, QLatin1Char(' ')) + QStringLiteral("Độ dài :0.140 KmLê Lợi-Hẻm 10%d");
    EXPECT_TRUE(dlg->IsControlVisible(IDC_STATUS));
    dlg->OnTimer(ID_TICKER_TIMER);
    EXPECT_EQ(dlg->ControlText(IDC_STATUS), ticker);
    dlg->OnTimer(ID_TICKER_TIMER);
    dlg->OnTimer(ID_TICKER_TIMER);
    EXPECT_EQ(dlg->ControlText(IDC_STATUS), ticker.mid(2));

    // Entering the mode again ends the route on show: its points are let go
    // and the ticker stands still.
    dlg->OnCommand(ID_SHORTEST_PATH, BN_CLICKED);
    EXPECT_EQ(dlg->m_bRouteShown, 0);
    EXPECT_TRUE(dlg->m_routePoints.empty());
    EXPECT_EQ(dlg->m_ptFromTap, MapPoint{});
    dlg->OnTimer(ID_TICKER_TIMER);
    EXPECT_EQ(dlg->ControlText(IDC_STATUS), ticker.mid(2));
    dlg->UpdateWindow();
    EXPECT_NE(Window(QPoint(200, 318)), kRed);
}

TEST_F(RouteModeTest, OkConfirmsNoStartBeforeOneIsPickedNorAStartAtXZero)
{
    dlg->OnCommand(ID_SHORTEST_PATH, BN_CLICKED);
    PressOk();
    EXPECT_EQ(dlg->m_bPickFrom, 1);
    EXPECT_EQ(dlg->m_bRoutePick, 1);
    EXPECT_EQ(dlg->ControlText(IDC_FROM_TO_LABEL), QStringLiteral("Từ :"));

    // The view moved over the street along map x = 0 (as a pan leaves it).
    dlg->m_nOriginX = -100;
    dlg->UpdateVisibleWays();
    dlg->Invalidate();
    dlg->UpdateWindow();
    Tap({0, 3900});
    ASSERT_EQ(dlg->m_ptFromTap, (MapPoint{0, 3900}));
    EXPECT_EQ(dlg->ControlText(IDC_ROUTE_NAME), QStringLiteral("Bờ Tây"));
    PressOk();
    EXPECT_EQ(dlg->m_bPickFrom, 1);
    EXPECT_EQ(dlg->ControlText(IDC_FROM_TO_LABEL), QStringLiteral("Từ :"));
    EXPECT_EQ(dlg->ControlText(IDC_ROUTE_NAME), QStringLiteral("Bờ Tây"));

    // Back on the city, a start picked there is confirmed.
    dlg->m_nOriginX = 2760;
    dlg->UpdateVisibleWays();
    Tap({2830, 3900});
    PressOk();
    EXPECT_EQ(dlg->m_bPickFrom, 0);
    EXPECT_EQ(dlg->m_strFromWay, QStringLiteral("Lê Lợi"));
    EXPECT_EQ(dlg->ControlText(IDC_FROM_TO_LABEL), QStringLiteral("Tới:"));
}

TEST_F(RouteModeTest, StreetsFromTheListGiveTheirFirstPointAsStartAndLastPointAsEnd)
{
    dlg->OnCommand(ID_SHORTEST_PATH, BN_CLICKED);
    // Consecutive records of one street appear once; the first record
    // always, later ones only with a name; no prefix filtering here.
    const QStringList streets = Entries(IDC_ROUTE_NAME);
    EXPECT_EQ(streets.size(), 10);
    EXPECT_EQ(streets.count(QStringLiteral("Hàm Nghi")), 1);
    EXPECT_TRUE(streets.contains(QStringLiteral("Bờ Tây")));
    EXPECT_TRUE(streets.contains(QStringLiteral("Hai Bà")));
    EXPECT_FALSE(streets.contains(QString()));

    ChooseFromList(IDC_ROUTE_NAME, QStringLiteral("Pasteur"));
    dlg->UpdateWindow();
    EXPECT_EQ(dlg->m_bStreetPicked, 0);
    EXPECT_EQ(dlg->m_ptFromTap, Junction(1));
    EXPECT_EQ(dlg->m_segFrom[0], Junction(1));
    EXPECT_EQ(dlg->m_segFrom[1], Junction(1));
    EXPECT_EQ(dlg->ControlText(IDC_ROUTE_NAME), QStringLiteral("Pasteur"));
    EXPECT_EQ(Window(FlagCloth(Screen(Junction(1)))), kYellow);
    PressOk();
    ASSERT_EQ(dlg->m_bPickFrom, 0);
    EXPECT_EQ(dlg->m_strFromWay, QStringLiteral("Pasteur"));

    // "Hai Bà Trưng" is two records; the end is the last point of the first.
    ChooseFromList(IDC_ROUTE_NAME, QStringLiteral("Hai Bà Trưng"));
    dlg->UpdateWindow();
    EXPECT_EQ(dlg->m_ptToTap, Junction(6));
    EXPECT_EQ(dlg->m_segTo[0], Junction(6));
    EXPECT_EQ(dlg->m_segTo[1], Junction(6));
    EXPECT_EQ(dlg->m_ptFromTap, Junction(1));
    EXPECT_EQ(Window(FlagCloth(Screen(Junction(6)))), kRed);

    PressOk();
    ASSERT_EQ(dlg->m_bRouteShown, 1);
    EXPECT_EQ(dlg->m_routePoints.front(), Junction(6));
    EXPECT_EQ(dlg->m_routePoints[dlg->m_nRouteLast], Junction(1));
    EXPECT_TRUE(dlg->m_strRouteText.startsWith(QStringLiteral("Pasteur-")));
    EXPECT_TRUE(dlg->m_strRouteText.endsWith(QStringLiteral("-Hai Bà Trưng")));
    // The chosen streets' highlight gives way to the route.
    EXPECT_EQ(dlg->m_nSelectedWays, 0);
}

TEST_F(RouteModeTest, PlaceChosenAsEndIsZoomedToAndSnappedToTheNearestStreet)
{
    dlg->OnCommand(ID_SHORTEST_PATH, BN_CLICKED);
    Tap({2830, 3900});
    PressOk();

    ChooseFromList(IDC_ROUTE_TYPE, QStringLiteral("Bệnh viện"));
    // The names of the category's places in the map's order, without
    // removing repeated names.
    dlg->Combo(IDC_ROUTE_NAME)->showPopup();
    const QStringList hospitals = Entries(IDC_ROUTE_NAME);
    EXPECT_EQ(hospitals, (QStringList{QStringLiteral("Chợ Rẫy"), QStringLiteral("Từ Dũ"), QStringLiteral("Từ Dũ")}));
    dlg->Combo(IDC_ROUTE_NAME)->hidePopup();

    ChooseFromList(IDC_ROUTE_NAME, QStringLiteral("Chợ Rẫy"));
    // 8 × the base scale, with the hospital at (2950, 3810) in the middle.
    EXPECT_DOUBLE_EQ(dlg->m_dScale, 8 * dlg->m_dBaseScale);
    EXPECT_NEAR(dlg->m_nOriginX, 2950 - 150, 1);
    EXPECT_NEAR(dlg->m_nOriginY, 3810 - 200, 1);
    // Snapped onto Hàm Nghi, 10 map units above it.
    EXPECT_NEAR(dlg->m_ptToTap.x, 2950, 1);
    EXPECT_NEAR(dlg->m_ptToTap.y, 3800, 1);
    EXPECT_EQ(dlg->m_segTo[0], Junction(2));
    EXPECT_EQ(dlg->m_segTo[1], Junction(3));
    EXPECT_EQ(dlg->m_ptFromTap, (MapPoint{2830, 3900}));
    dlg->UpdateWindow();
    EXPECT_EQ(Window(FlagCloth(Screen(dlg->m_ptToTap))), kRed);

    PressOk();
    ASSERT_EQ(dlg->m_bRouteShown, 1);
    EXPECT_EQ(dlg->m_strToWay, QStringLiteral("Chợ Rẫy"));
    EXPECT_TRUE(dlg->m_strRouteText.endsWith(QStringLiteral("-Chợ Rẫy")));
    EXPECT_EQ(dlg->m_routePoints.front(), dlg->m_ptToTap);
}

TEST_F(RouteModeTest, LettersOpenTheNameListOnceUntilTheTypeOrTheModeIsChosenAgain)
{
    dlg->OnCommand(ID_SHORTEST_PATH, BN_CLICKED);
    CComboBox* names = dlg->Combo(IDC_ROUTE_NAME);
    names->ResetContent();
    EXPECT_FALSE(dlg->PreTranslateMessage('A'));
    EXPECT_EQ(dlg->m_bListOpened, 1);
    EXPECT_TRUE(names->view()->isVisible());
    EXPECT_EQ(names->GetCount(), 10);  // the drop-down filled it again
    names->hidePopup();

    names->ResetContent();
    dlg->PreTranslateMessage('B');
    dlg->PreTranslateMessage('7');
    EXPECT_FALSE(names->view()->isVisible());
    EXPECT_EQ(names->GetCount(), 0);

    // Choosing the type lets the next letter open the list again.
    ChooseFromList(IDC_ROUTE_TYPE, QStringLiteral("Đường"));
    EXPECT_EQ(dlg->m_bListOpened, 0);
    dlg->PreTranslateMessage('C');
    EXPECT_EQ(names->GetCount(), 10);
    names->hidePopup();

    dlg->OnCommand(ID_SHORTEST_PATH, BN_CLICKED);
    EXPECT_EQ(dlg->m_bListOpened, 0);
}

TEST_F(RouteModeTest, EnterSelectsTheTypedStreetOnlyWhileTheTypeNamesStreets)
{
    dlg->OnCommand(ID_SHORTEST_PATH, BN_CLICKED);
    CComboBox* names = dlg->Combo(IDC_ROUTE_NAME);
    // Typed in another letter case, then the list opened with its arrow.
    dlg->SetControlText(IDC_ROUTE_NAME, QStringLiteral("lê lợi"));
    names->showPopup();
    EXPECT_TRUE(dlg->PreTranslateMessage(Qt::Key_Return));
    EXPECT_FALSE(names->view()->isVisible());
    ASSERT_EQ(dlg->m_nSelectedWays, 1);
    EXPECT_EQ(dlg->m_selectedWays[0], 3);
    dlg->UpdateWindow();
    EXPECT_EQ(dlg->m_ptFromTap, Junction(4));  // the street's first point

    // With a place type Enter selects nothing.
    dlg->OnCommand(ID_SHORTEST_PATH, BN_CLICKED);
    dlg->SetControlText(IDC_ROUTE_TYPE, QStringLiteral("Bệnh viện"));
    dlg->SetControlText(IDC_ROUTE_NAME, QStringLiteral("Lê Lợi"));
    names->showPopup();
    names->hidePopup();
    EXPECT_TRUE(dlg->PreTranslateMessage(Qt::Key_Enter));
    EXPECT_EQ(dlg->m_nSelectedWays, 0);
    EXPECT_EQ(dlg->m_bStreetPicked, 0);
}

TEST_F(RouteModeTest, EnterCompletesAPendingStreetSearchWithTheTypedName)
{
    dlg->OnCommand(ID_FIND_STREET, BN_CLICKED);
    dlg->SetControlText(IDC_STREET, QStringLiteral("nam kỳ"));
    EXPECT_TRUE(dlg->PreTranslateMessage(Qt::Key_Return));
    EXPECT_EQ(dlg->m_bStreetPending, 0);
    EXPECT_EQ(dlg->m_selectedWays, (std::vector<int>{9, 10}));
    EXPECT_FALSE(dlg->IsControlVisible(IDC_STREET));
    EXPECT_FALSE(dlg->IsControlVisible(IDC_STREET_CAPTION));
    // A further Enter has no search to complete.
    dlg->SetControlText(IDC_STREET, QStringLiteral("Pasteur"));
    dlg->PreTranslateMessage(Qt::Key_Return);
    EXPECT_EQ(dlg->m_selectedWays, (std::vector<int>{9, 10}));
}

TEST_F(RouteModeTest, TheEleventhMarkIsStoredAndTheTwelfthIgnored)
{
    QList<QPoint> held;
    for (int i = 0; i < 12; ++i)
        held << QPoint(20 + 35 * i, 500);
    for (QPoint p : held) {
        modal.menuAnswers.push_back(ID_MARK);
        dlg->m_bHoldGesture = true;
        dlg->OnLButtonDown(0, p);
        dlg->m_bHoldGesture = false;
        dlg->OnLButtonUp(0, p);
    }
    EXPECT_TRUE(modal.menuAnswers.empty());
    ASSERT_EQ(dlg->m_nMarkLast, 10);
    for (int i = 0; i <= 10; ++i)
        EXPECT_EQ(dlg->m_marks[i], ScreenToMap(*dlg, held[i])) << i;

    // The paint after a tap-and-hold only puts the clean map back; the next
    // full paint draws a red flag on each of the eleven marks.
    dlg->Invalidate();
    dlg->UpdateWindow();
    dlg->Invalidate();
    dlg->UpdateWindow();
    for (int i = 0; i <= 10; ++i)
        EXPECT_EQ(Window(FlagCloth(held[i])), kRed) << i;
    EXPECT_NE(Window(FlagCloth(held[11])), kRed);
}

}  // namespace
}  // namespace routeui
