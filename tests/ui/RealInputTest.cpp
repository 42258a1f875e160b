// The map window on the bundled Hanoi map, driven through its real widgets
// with real input events: lists opened and chosen from with the mouse, text
// typed where the keyboard is, Enter and Escape, the wheel and the toolbar,
// resizing, and opening another map.
#include "ResourceIds.h"
#include "map/MapFileReader.h"
#include "widgets/UiComboBox.h"
#include "widgets/UiCommandBar.h"
#include "support/DeviceRoot.h"
#include "support/MapWindow.h"
#include "support/ScriptedModal.h"
#include "support/Widgets.h"

#include <QPushButton>
#include <algorithm>
#include <QToolButton>
#include <gtest/gtest.h>

namespace {

QString BundledMap(const char* name)
{
    return QStringLiteral(KORVANE_SOURCE_DIR "/data/") + QLatin1String(name);
}

class RealInputTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        dlg = OpenMapWindow();
        ASSERT_TRUE(Activate(dlg.get()));
        Open(BundledMap("hanoi.kvp"));
        ASSERT_EQ(dlg->m_bMapLoaded, 1);
    }
    void Open(const QString& path)
    {
        modal.fileAnswers.push_back(path);
        dlg->OnCommand(ID_OPEN_MAP, BN_CLICKED);
        dlg->UpdateWindow();
    }
    void ClickTool(int id)
    {
        QToolButton* button = dlg->MenuBar()->ToolbarButton(id);
        ASSERT_NE(button, nullptr) << id;
        QTest::mouseClick(button, Qt::LeftButton);
        Settle();
    }
    void ClickButton(int id)
    {
        QTest::mouseClick(static_cast<QPushButton*>(dlg->GetDlgItem(id)), Qt::LeftButton);
        Settle();
    }
    QStringList SelectedStreetNames() const
    {
        QStringList names;
        for (int k = 0; k < dlg->m_nSelectedWays; ++k)
            names << dlg->m_strWayName[dlg->m_selectedWays[k]];
        return names;
    }
    // A street of the map other than the given one, with points.
    QString FirstPoint(const QString& street, MapPoint& first, MapPoint& last) const
    {
        for (int i = 0; i <= dlg->m_nWayLast; ++i) {
            if (dlg->m_strWayName[i] == street) {
                first = dlg->m_pWayPoints[i][0];
                last = dlg->m_pWayPoints[i][dlg->m_nWayPointLast[i]];
                return street;
            }
        }
        return {};
    }
    // Painted now, the first selected way is red halfway along its first segment.
    bool FirstSelectedWayIsRed()
    {
        dlg->UpdateWindow();
        const int way = dlg->m_selectedWays[0];
        const QPoint a = MapToScreen(*dlg, dlg->m_pWayPoints[way][0]);
        const QPoint b = MapToScreen(*dlg, dlg->m_pWayPoints[way][1]);
        return PixelAt(dlg->WindowSurface(), (a.x() + b.x()) / 2, (a.y() + b.y()) / 2) == Rgb(255, 0, 0);
    }
    bool CentreOfMapOnScreen() const
    {
        return PointInClient(dlg->m_nClientWidth, dlg->m_nClientHeight, dlg->m_nCenterX, dlg->m_nCenterY,
                             dlg->m_nOriginX, dlg->m_nOriginY, dlg->m_dScale);
    }

    TempDeviceRoot root;
    ScriptedModal modal;
    std::unique_ptr<CMapDlg> dlg;
    const QString kStreet = QStringLiteral("Phố Văn Miếu");
};

TEST_F(RealInputTest, AStreetPickedFromTheListWithOneClickIsShown)
{
    ClickTool(ID_TB_FIND_STREET_L);
    CComboBox* streets = dlg->Combo(IDC_STREET);
    ASSERT_TRUE(streets->isVisible());
    ASSERT_TRUE(ChooseEntry(streets, kStreet));
    EXPECT_FALSE(ListOpen(streets));
    EXPECT_FALSE(streets->isVisible());
    ASSERT_GT(dlg->m_nSelectedWays, 0);
    EXPECT_EQ(SelectedStreetNames().removeDuplicates(), SelectedStreetNames().size() - 1);
    EXPECT_EQ(SelectedStreetNames().first(), kStreet);
    // Shown: the street is highlighted red on the window.
    EXPECT_TRUE(FirstSelectedWayIsRed());
}

TEST_F(RealInputTest, TypingGoesOnInTheEditFieldWhileTheListIsOpenAndEnterFindsTheStreet)
{
    ClickTool(ID_TB_FIND_STREET_L);
    CComboBox* streets = dlg->Combo(IDC_STREET);
    TypeText(QStringLiteral("Phố Văn"));
    EXPECT_TRUE(ListOpen(streets));  // the first letter opened it
    EXPECT_EQ(streets->GetWindowText(), QStringLiteral("Phố Văn"));
    // The open list shows the first street that begins with the text.
    EXPECT_EQ(streets->view()->currentIndex().data().toString(), kStreet);
    PressKey(Qt::Key_Return);
    EXPECT_FALSE(ListOpen(streets));
    // Enter took that entry as a click would.
    EXPECT_EQ(streets->GetWindowText(), kStreet);
    ASSERT_GT(dlg->m_nSelectedWays, 0);
    EXPECT_EQ(SelectedStreetNames().first(), kStreet);

    // A whole name typed in another letter case selects that street.
    ClickTool(ID_TB_FIND_STREET_L);
    EXPECT_TRUE(streets->GetWindowText().isEmpty());  // a new search starts empty
    TypeText(QStringLiteral("phố văn miếu"));
    PressKey(Qt::Key_Enter);
    ASSERT_GT(dlg->m_nSelectedWays, 0);
    EXPECT_EQ(SelectedStreetNames().first(), kStreet);
}

TEST_F(RealInputTest, TheOpenListNarrowsWithEachLetterAndWidensAgainWithBackspace)
{
    ClickTool(ID_TB_FIND_STREET_L);
    CComboBox* streets = dlg->Combo(IDC_STREET);
    const int whole = streets->GetCount();
    std::vector<int> shown;
    for (const QChar c : QStringLiteral("mieu van")) {
        TypeText(QString(c));
        ASSERT_TRUE(ListOpen(streets));
        shown.push_back(streets->view()->model()->rowCount());
    }
    EXPECT_EQ(streets->GetWindowText(), QStringLiteral("mieu van"));
    EXPECT_LT(shown.front(), whole);
    EXPECT_TRUE(std::is_sorted(shown.rbegin(), shown.rend())) << testing::PrintToString(shown);
    ASSERT_EQ(shown.back(), 1);
    EXPECT_EQ(streets->GetLBText(0), kStreet);
    // "mieu" alone lists "Phố Y Miếu" too; an emptied box the whole list.
    for (int i = 0; i < 4; ++i)
        PressKey(Qt::Key_Backspace);
    EXPECT_EQ(streets->GetWindowText(), QStringLiteral("mieu"));
    EXPECT_EQ(streets->GetCount(), shown[3]);
    EXPECT_EQ(streets->GetLBText(1), QStringLiteral("Phố Y Miếu"));
    for (int i = 0; i < 4; ++i)
        PressKey(Qt::Key_Backspace);
    EXPECT_TRUE(ListOpen(streets));
    EXPECT_EQ(streets->GetCount(), whole);
    // A click in the narrowed list chooses as in the whole one.
    TypeText(QStringLiteral("y mi"));
    ASSERT_TRUE(ClickEntry(streets, QStringLiteral("Phố Y Miếu")));
    EXPECT_EQ(SelectedStreetNames().first(), QStringLiteral("Phố Y Miếu"));
}

TEST_F(RealInputTest, EnterTakesTheFirstEntryOfTheNarrowedListOrSaysNothingWasFound)
{
    ClickTool(ID_TB_FIND_STREET_L);
    CComboBox* streets = dlg->Combo(IDC_STREET);
    TypeText(QStringLiteral("van mieu"));
    PressKey(Qt::Key_Return);
    EXPECT_FALSE(ListOpen(streets));
    ASSERT_GT(dlg->m_nSelectedWays, 0);
    EXPECT_EQ(SelectedStreetNames().first(), kStreet);
    EXPECT_TRUE(FirstSelectedWayIsRed());

    // A text that matches nothing says so and changes nothing else.
    ClickTool(ID_TB_FIND_STREET_L);
    TypeText(QStringLiteral("van mieux"));
    PressKey(Qt::Key_Return);
    EXPECT_EQ(dlg->ControlText(IDC_STATUS), QStringLiteral("Không tìm thấy “van mieux”"));
    EXPECT_TRUE(dlg->IsControlVisible(IDC_STATUS));
    EXPECT_EQ(streets->GetWindowText(), QStringLiteral("van mieux"));
    EXPECT_TRUE(streets->isVisible());
    EXPECT_EQ(dlg->m_bStreetPending, 1);
    EXPECT_EQ(SelectedStreetNames().first(), kStreet);
    // … with the list closed too.
    PressKey(Qt::Key_Escape);
    ASSERT_FALSE(ListOpen(streets));
    dlg->SetControlText(IDC_STATUS, QString());
    PressKey(Qt::Key_Return);
    EXPECT_EQ(dlg->ControlText(IDC_STATUS), QStringLiteral("Không tìm thấy “van mieux”"));
    EXPECT_EQ(dlg->m_bStreetPending, 1);
    // A street then taken from the list ends the message.
    ASSERT_TRUE(ChooseEntry(streets, QStringLiteral("Phố Y Miếu")));
    EXPECT_FALSE(dlg->IsControlVisible(IDC_STATUS));

    // The bus-route list: Enter takes the first route found.
    dlg->OnCommand(ID_FIND_BUS, BN_CLICKED);
    CComboBox* buses = dlg->Combo(IDC_STREET);
    ClickArrow(buses);
    TypeText(QStringLiteral("brt kim ma"));
    ASSERT_EQ(buses->GetCount(), 2);
    const QString first = buses->GetLBText(0);
    PressKey(Qt::Key_Enter);
    EXPECT_FALSE(ListOpen(buses));
    ASSERT_GT(dlg->m_nSelectedBus, 0);
    EXPECT_EQ(dlg->m_strBusName[dlg->m_selectedBus[1]], first);
}

TEST_F(RealInputTest, ThePlaceSearchAfterARoutePickTakesTheTypingInItsOwnList)
{
    ClickTool(ID_TB_ROUTE_L);
    dlg->OnCommand(ID_FIND_PLACE, BN_CLICKED);
    CComboBox* names = dlg->Combo(IDC_PLACE_NAME);
    TypeText(QStringLiteral("van m"));
    ASSERT_TRUE(ListOpen(names));
    EXPECT_FALSE(ListOpen(dlg->Combo(IDC_ROUTE_NAME)));
    EXPECT_TRUE(dlg->ControlText(IDC_ROUTE_NAME).isEmpty());
    ASSERT_EQ(names->GetCount(), 1);
    PressKey(Qt::Key_Return);
    EXPECT_EQ(names->GetWindowText(), QStringLiteral("Văn Miếu"));
    ClickButton(IDC_PLACE_OK);
    EXPECT_EQ(dlg->m_strSearchName, QStringLiteral("Văn Miếu"));
}

TEST_F(RealInputTest, ArrowKeysAndEnterChooseAnEntryEscapeChoosesNothing)
{
    ClickTool(ID_TB_FIND_STREET_L);
    CComboBox* streets = dlg->Combo(IDC_STREET);
    TypeText(QStringLiteral("P"));
    ASSERT_TRUE(ListOpen(streets));
    // Escape closes the list; nothing is chosen and the bar stays.
    PressKey(Qt::Key_Escape);
    EXPECT_FALSE(ListOpen(streets));
    EXPECT_EQ(dlg->m_nSelectedWays, 0);
    EXPECT_TRUE(streets->isVisible());
    EXPECT_FALSE(dlg->IsClosed());

    ClickArrow(streets);
    ASSERT_TRUE(ListOpen(streets));
    PressKey(Qt::Key_Down);
    PressKey(Qt::Key_Down);
    const QString moved = streets->view()->currentIndex().data().toString();
    PressKey(Qt::Key_Return);
    EXPECT_FALSE(ListOpen(streets));
    ASSERT_GT(dlg->m_nSelectedWays, 0);
    EXPECT_EQ(SelectedStreetNames().first().toLower(), moved.toLower());
}

TEST_F(RealInputTest, EscapeEndsTheModeInProgressAndNeverTheProgram)
{
    dlg->OnCommand(ID_SHORTEST_PATH, BN_CLICKED);
    ASSERT_TRUE(dlg->IsControlVisible(IDC_ROUTE_NAME));
    PressKey(Qt::Key_Escape);
    EXPECT_FALSE(dlg->IsControlVisible(IDC_ROUTE_NAME));
    EXPECT_EQ(dlg->m_bRoutePick, 0);
    dlg->OnCommand(ID_MEASURE, BN_CLICKED);
    ASSERT_EQ(dlg->m_bMeasureMode, 1);
    PressKey(Qt::Key_Escape);
    EXPECT_EQ(dlg->m_bMeasureMode, 0);
    EXPECT_FALSE(dlg->MenuBar()->IsMenuItemChecked(kUtilityMenuIndex, kMeasureItemPosition));
    // On the map with no mode, Escape does nothing.
    PressKey(Qt::Key_Escape);
    EXPECT_FALSE(dlg->IsClosed());
    EXPECT_TRUE(dlg->isVisible());
    EXPECT_FALSE(root.Exists("My Documents/korvane.cfg"));
}

TEST_F(RealInputTest, RouteEndsChosenByNameFromTheListGiveARoute)
{
    ClickTool(ID_TB_ROUTE_L);
    CComboBox* names = dlg->Combo(IDC_ROUTE_NAME);
    MapPoint firstA, lastA, firstB, lastB;
    const QString from = FirstPoint(kStreet, firstA, lastA);
    const QString to = FirstPoint(QStringLiteral("Phố Quốc Tử Giám"), firstB, lastB);
    ASSERT_FALSE(to.isEmpty());

    ASSERT_TRUE(ChooseEntry(names, from));
    dlg->UpdateWindow();
    EXPECT_EQ(dlg->m_ptFromTap, firstA);  // the street's first point
    EXPECT_EQ(names->GetWindowText(), from);
    ClickButton(IDC_ROUTE_OK);
    EXPECT_EQ(dlg->ControlText(IDC_FROM_TO_LABEL), QStringLiteral("Tới:"));

    ASSERT_TRUE(ChooseEntry(names, to));
    dlg->UpdateWindow();
    EXPECT_EQ(dlg->m_ptToTap, lastB);  // its last point
    ClickButton(IDC_ROUTE_OK);
    EXPECT_TRUE(modal.messages.isEmpty()) << modal.messages.join(' ').toStdString();
    ASSERT_EQ(dlg->m_bRouteShown, 1);
    EXPECT_EQ(dlg->m_routePoints.front(), lastB);
    EXPECT_EQ(dlg->m_routePoints[dlg->m_nRouteLast], firstA);
    EXPECT_TRUE(dlg->m_strRouteText.startsWith(from));
}

TEST_F(RealInputTest, AStreetChosenToAvoidIsHighlightedInOnePaint)
{
    dlg->OnCommand(ID_AVOID_ROUTE, BN_CLICKED);
    CComboBox* streets = dlg->Combo(IDC_AVOID_STREET);
    ASSERT_TRUE(ChooseEntry(streets, kStreet));
    dlg->UpdateWindow();
    // The view went to the street and that paint highlighted it.
    MapPoint first, last;
    FirstPoint(kStreet, first, last);
    const QPoint at = MapToScreen(*dlg, first);
    EXPECT_EQ(PixelAt(dlg->WindowSurface(), at.x(), at.y()), Rgb(255, 0, 0));
    EXPECT_EQ(dlg->m_nSelectedWays, 0);
    dlg->Invalidate();
    dlg->UpdateWindow();
    EXPECT_NE(PixelAt(dlg->WindowSurface(), at.x(), at.y()), Rgb(255, 0, 0));
}

TEST_F(RealInputTest, ASelectionDoesNotOutliveItsMap)
{
    dlg->OnCommand(ID_FIND_BUS, BN_CLICKED);
    CComboBox* buses = dlg->Combo(IDC_STREET);
    ASSERT_GT(buses->GetCount(), 0);
    ASSERT_TRUE(ChooseEntry(buses, buses->GetLBText(buses->GetCount() - 1)));
    ASSERT_GT(dlg->m_nSelectedBus, 0);
    dlg->OnCommand(ID_MARK, BN_CLICKED);
    ASSERT_EQ(dlg->m_nMarkLast, 0);

    Open(BundledMap("hcmc_district3.kvp"));
    EXPECT_EQ(dlg->m_strMapPath, BundledMap("hcmc_district3.kvp"));
    EXPECT_EQ(dlg->m_nSelectedBus, 0);
    EXPECT_EQ(dlg->m_nSelectedWays, 0);
    EXPECT_EQ(dlg->m_nMarkLast, -1);
    EXPECT_EQ(dlg->m_bRouteShown, 0);
    dlg->Invalidate();
    dlg->UpdateWindow();
    // No purple of a selected bus route anywhere on the new map.
    const QImage& window = dlg->WindowSurface();
    int purple = 0;
    for (int y = 0; y < window.height(); y += 2)
        for (int x = 0; x < window.width(); x += 2)
            purple += PixelAt(window, x, y) == Rgb(128, 9, 219);
    EXPECT_EQ(purple, 0);
}

TEST_F(RealInputTest, SixtyZoomOutsThenSixtyZoomInsBringTheMapBack)
{
    for (int i = 0; i < 60; ++i)
        ClickTool(ID_TB_ZOOM_OUT_L);
    EXPECT_GE(dlg->m_dScale, kMinZoomOfBase * dlg->m_dBaseScale * 0.999);
    EXPECT_TRUE(CentreOfMapOnScreen());
    for (int i = 0; i < 60; ++i)
        ClickTool(ID_TB_ZOOM_IN_L);
    EXPECT_LE(dlg->m_dScale, kMaxZoomOfBase * dlg->m_dBaseScale * 1.001);
    EXPECT_TRUE(CentreOfMapOnScreen());
    EXPECT_GT(dlg->m_nVisibleWays, 0);
}

TEST_F(RealInputTest, TheWheelZoomsAboutThePointerWithinTheSameLimits)
{
    QWidget* surface = dlg->childAt(100, 100);
    ASSERT_NE(surface, nullptr);
    const QPoint at(100, 150);
    const MapPoint under = ScreenToMap(*dlg, at);
    const double before = dlg->m_dScale;
    TurnWheel(surface, at, 1);
    EXPECT_DOUBLE_EQ(dlg->m_dScale, before * 1.5);
    EXPECT_LE(PointDistance(MapToScreen(*dlg, under), at), 2.0);
    TurnWheel(surface, at, -2);
    EXPECT_DOUBLE_EQ(dlg->m_dScale, before / 1.5);
    TurnWheel(surface, at, -100);
    EXPECT_NEAR(dlg->m_dScale, kMinZoomOfBase * dlg->m_dBaseScale, 1e-12);
}

TEST_F(RealInputTest, ResizingRebuildsTheVisibleWaysAndChoosesTheToolbar)
{
    const int wide = dlg->m_nVisibleWays;
    dlg->SetClientSize(240, 320);
    Settle();
    EXPECT_EQ(dlg->m_nClientWidth, 240);
    EXPECT_EQ(dlg->m_nDisplayFactor, 1);
    EXPECT_EQ(dlg->MenuBar()->ToolbarPictureSize(), QSize(16, 15));
    EXPECT_LT(dlg->m_nVisibleWays, wide);
    ClickTool(ID_TB_ZOOM_IN_S);  // the small set works
    dlg->SetClientSize(480, 640);
    Settle();
    EXPECT_EQ(dlg->MenuBar()->ToolbarPictureSize(), QSize(32, 32));
    EXPECT_EQ(dlg->m_nDisplayFactor, 2);
}

}  // namespace
