// Finding places, labels, streets and bus routes: what the top bar shows and
// where the view goes.
#include "UiFixture.h"

namespace {

class SearchTest : public UiTest {
protected:
    void Build(MapBuilder& map) override
    {
        UiTest::Build(map);
        map.Place("Petrolimex 5", {1500, 1500}, 26);
        map.Place("Khách sạn Sao", {600, 700}, 12);
        map.Place("Khách sạn Mây", {900, 1100}, 12);
        map.Text("Ga Hà Nội", {0, 800}, 3);
        map.Text("Văn Miếu", {800, 900}, 3);
        map.Way("Đường Thẳng", {{100, 1200}, {900, 1200}});   // all points share one y
        map.Way("Ngõ Trống", {});                              // no points
        map.Bus("Tuyến 09", {{100, 100}, {500, 300}, {900, 900}});
    }
    void SearchFor(const QString& type, const QString& name)
    {
        dlg->OnCommand(ID_FIND_PLACE, BN_CLICKED);
        dlg->SetControlText(IDC_PLACE_TYPE, type);
        dlg->SetControlText(IDC_PLACE_NAME, name);
        dlg->OnCommand(IDC_PLACE_OK, BN_CLICKED);
    }
    MapPoint Centre() const { return ScreenToMap(*dlg, QPoint(240, 320)); }
    bool OnScreen(MapPoint p) const
    {
        return PointInClient(480, 640, p.x, p.y, dlg->m_nOriginX, dlg->m_nOriginY, dlg->m_dScale);
    }
};

TEST_F(SearchTest, FindPlaceModeShowsItsControls)
{
    dlg->OnCommand(ID_FIND_PLACE, BN_CLICKED);
    for (int id : {IDC_PLACE_NAME, IDC_PLACE_OK, IDC_PLACE_TYPE, IDC_PLACE_NAME_CAPTION, IDC_PLACE_TYPE_CAPTION})
        EXPECT_TRUE(dlg->IsControlVisible(id)) << id;
    EXPECT_FALSE(dlg->IsControlVisible(IDC_STREET));
    EXPECT_EQ(dlg->ControlText(IDC_PLACE_TYPE), QStringLiteral("Địa danh"));
    EXPECT_EQ(dlg->ControlText(IDC_PLACE_TYPE_CAPTION), QStringLiteral("Loại địa danh"));
    EXPECT_EQ(dlg->ControlText(IDC_PLACE_NAME_CAPTION), QStringLiteral("Tên địa danh"));
    EXPECT_EQ(dlg->m_bSearchResult, 1);
    // Choosing a type puts "Tất cả" into the name box.
    dlg->OnCommand(IDC_PLACE_TYPE, CBN_CLOSEUP);
    EXPECT_EQ(dlg->ControlText(IDC_PLACE_NAME), QStringLiteral("Tất cả"));
}

TEST_F(SearchTest, AllPlacesOfACategoryFitWithMargins)
{
    SearchFor(QStringLiteral("Khách sạn"), QStringLiteral("Tất cả"));
    // Box 300 × 400 plus margins 40 and 60: scale = min(480/340, 640/460).
    EXPECT_DOUBLE_EQ(dlg->m_dScale, std::min(480.0 / 340, 640.0 / 460));
    EXPECT_EQ(dlg->m_nOriginX, 750 - int(240 / dlg->m_dScale));
    EXPECT_EQ(dlg->m_nOriginY, 900 - int(320 / dlg->m_dScale));
    EXPECT_TRUE(OnScreen({600, 700}));
    EXPECT_TRUE(OnScreen({900, 1100}));
    EXPECT_EQ(dlg->m_nFoundCategory, 12);
}

TEST_F(SearchTest, SinglePlaceIsCentredAtEightTimesTheBaseScale)
{
    SearchFor(QStringLiteral("Bệnh viện"), QStringLiteral("Tất cả"));
    EXPECT_DOUBLE_EQ(dlg->m_dScale, 8 * dlg->m_dBaseScale);
    const MapPoint c = Centre();
    EXPECT_NEAR(c.x, 300, 1);
    EXPECT_NEAR(c.y, 300, 1);

    SearchFor(QStringLiteral("Khách sạn"), QStringLiteral("Khách sạn Sao"));
    EXPECT_NEAR(Centre().x, 600, 1);
    EXPECT_NEAR(Centre().y, 700, 1);
    EXPECT_EQ(dlg->m_strFoundLabel, QStringLiteral("Khách sạn_Khách sạn Sao"));
    // The next paint writes the label at the centre with a red square, once.
    dlg->UpdateWindow();
    EXPECT_EQ(Window(240 + 10, 320), Rgb(255, 0, 0));
    EXPECT_EQ(dlg->m_bSearchResult, 0);
}

TEST_F(SearchTest, PetrolStationShowsTheMapAtTheBaseScaleWithEveryStationMarked)
{
    SearchFor(QStringLiteral("Trạm xăng"), QStringLiteral("Petrolimex 5"));
    // Centred on the map's centre point (1000, 1000), as after loading, on
    // this map as on any other.
    EXPECT_DOUBLE_EQ(dlg->m_dScale, dlg->m_dBaseScale);
    EXPECT_NEAR(Centre().x, 1000, 3);
    EXPECT_NEAR(Centre().y, 1000, 3);
    EXPECT_EQ(dlg->m_bPetrolResult, 1);
}

TEST_F(SearchTest, AtmsOfOneNameAreAllKeptInView)
{
    SearchFor(QStringLiteral("ATM"), QStringLiteral("Vietcombank"));
    EXPECT_EQ(dlg->m_bAtmResult, 1);
    EXPECT_TRUE(OnScreen({100, 400}));
    EXPECT_TRUE(OnScreen({350, 550}));
    // The bank of the same name (another category) did not widen the box.
    EXPECT_DOUBLE_EQ(dlg->m_dScale, std::min(480.0 / (250 + 40), 640.0 / (150 + 60)));
}

TEST_F(SearchTest, NoMatchLeavesTheViewButMarksASearch)
{
    SearchFor(QStringLiteral("Chợ"), QStringLiteral("Không có"));
    EXPECT_EQ(dlg->m_nOriginX, 0);
    EXPECT_EQ(dlg->m_nOriginY, 0);
    EXPECT_DOUBLE_EQ(dlg->m_dScale, 1.0);
    EXPECT_EQ(dlg->m_bSearchResult, 1);
    for (int id : {IDC_PLACE_NAME, IDC_PLACE_TYPE, IDC_PLACE_OK})
        EXPECT_FALSE(dlg->IsControlVisible(id));
}

TEST_F(SearchTest, LabelSearchPutsTheLabelAThirdAcross)
{
    SearchFor(QStringLiteral("Địa danh"), QStringLiteral("Văn Miếu"));
    EXPECT_DOUBLE_EQ(dlg->m_dScale, 4 * dlg->m_dBaseScale);
    EXPECT_EQ(dlg->m_nOriginX, 800 - int(160 / dlg->m_dScale));
    EXPECT_EQ(dlg->m_nOriginY, 900 - int(320 / dlg->m_dScale));
    // A label on x = 0 does not move the view.
    SetView(5, 5, 1.0, 1.0 / 3);
    SearchFor(QStringLiteral("Địa danh"), QStringLiteral("Ga Hà Nội"));
    EXPECT_EQ(dlg->m_nOriginX, 5);
    EXPECT_DOUBLE_EQ(dlg->m_dScale, 1.0);
}

TEST_F(SearchTest, NameListDropsNamesAnEntryAlreadyBeginsWith)
{
    dlg->AppendPlace(QStringLiteral("Hotel Central"), {10, 10}, 12);
    dlg->AppendPlace(QStringLiteral("Hotel"), {20, 20}, 12);
    dlg->AppendPlace(QString(), {30, 30}, 12);
    dlg->OnCommand(ID_FIND_PLACE, BN_CLICKED);
    dlg->SetControlText(IDC_PLACE_TYPE, QStringLiteral("Khách sạn"));
    dlg->OnCommand(IDC_PLACE_NAME, CBN_DROPDOWN);
    CComboBox* names = dlg->Combo(IDC_PLACE_NAME);
    ASSERT_EQ(names->GetCount(), 4);
    EXPECT_EQ(names->GetLBText(0), QStringLiteral("Tất cả"));
    EXPECT_EQ(names->FindString(QStringLiteral("Hotel")), 1);
    EXPECT_EQ(names->GetLBText(1), QStringLiteral("Hotel Central"));
    // With no category chosen, the list holds every map label.
    dlg->SetControlText(IDC_PLACE_TYPE, QStringLiteral("Địa danh"));
    dlg->OnCommand(IDC_PLACE_NAME, CBN_DROPDOWN);
    EXPECT_EQ(names->GetCount(), dlg->m_nTextLast + 1);
}

TEST_F(SearchTest, StreetListShowsARunOfRecordsOnce)
{
    dlg->OnCommand(ID_FIND_STREET, BN_CLICKED);
    EXPECT_TRUE(dlg->IsControlVisible(IDC_STREET));
    EXPECT_EQ(dlg->ControlText(IDC_STREET_CAPTION), QStringLiteral("Tên đường"));
    CComboBox* list = dlg->Combo(IDC_STREET);
    QStringList names;
    for (int i = 0; i < list->GetCount(); ++i)
        names << list->GetLBText(i);
    EXPECT_EQ(names.count(QStringLiteral("Phố Huế")), 1);
    EXPECT_TRUE(names.contains(QStringLiteral("Hàng Bài")));
    EXPECT_FALSE(names.contains(QString()));
}

TEST_F(SearchTest, ChoosingAStreetSelectsEveryRecordIgnoringCase)
{
    dlg->OnCommand(ID_FIND_STREET, BN_CLICKED);
    dlg->SelectStreet(QStringLiteral("PHỐ HUẾ"));
    ASSERT_EQ(dlg->m_nSelectedWays, 2);
    EXPECT_EQ(dlg->m_selectedWays[0], 0);
    EXPECT_EQ(dlg->m_selectedWays[1], 1);
    // Half the fitting scale, centred across, a quarter of the height below the top.
    const double scale = 480.0 / 470 / 2;
    EXPECT_DOUBLE_EQ(dlg->m_dScale, scale);
    EXPECT_EQ(dlg->m_nOriginY, 100 - int(160 / scale));
    EXPECT_EQ(dlg->m_nOriginX, 0 - int((480 - 470 * scale) / scale / 2));
}

TEST_F(SearchTest, AStraightStreetIsFoundAndOnlyAStreetWithoutPointsOrNameLeavesTheView)
{
    // All points share one y: the width sets the scale.
    dlg->SelectStreet(QStringLiteral("Đường Thẳng"));
    EXPECT_DOUBLE_EQ(dlg->m_dScale, 480.0 / 800 / 2);
    EXPECT_TRUE(OnScreen({100, 1200}));
    EXPECT_TRUE(OnScreen({899, 1200}));
    EXPECT_EQ(dlg->m_nSelectedWays, 1);

    SetView(0, 0, 1.0, 1.0 / 3);
    dlg->SelectStreet(QStringLiteral("Ngõ Trống"));
    EXPECT_EQ(dlg->m_nOriginX, 0);
    EXPECT_EQ(dlg->m_nOriginY, 0);
    EXPECT_DOUBLE_EQ(dlg->m_dScale, 1.0);
    EXPECT_EQ(dlg->m_nSelectedWays, 1);  // the record without points is still selected

    // An empty name selects nothing, not every nameless record.
    MapBuilder more(*dlg, 2000, 2000);
    more.Way(QString(), {{10, 10}, {20, 20}});
    dlg->m_bRoutePick = 1;
    dlg->SelectStreet(QString());
    EXPECT_EQ(dlg->m_nSelectedWays, 1);
    EXPECT_EQ(dlg->m_bStreetPicked, 0);
    EXPECT_DOUBLE_EQ(dlg->m_dScale, 1.0);
}

TEST_F(SearchTest, AStreetOfManyRecordsKeepsEveryRecordSelected)
{
    MapBuilder more(*dlg, 2000, 2000);
    for (int k = 0; k < 12; ++k)
        more.Way(QStringLiteral("Đường Dài"), {{k * 100, 1900}, {k * 100 + 100, 1950}});
    dlg->SelectStreet(QStringLiteral("Đường Dài"));
    EXPECT_EQ(dlg->m_nSelectedWays, 12);
    Repaint();
    // The last record is highlighted too.
    const QPoint p = MapToScreen(*dlg, MapPoint{1150, 1925});
    EXPECT_EQ(Window(p.x(), p.y()), Rgb(255, 0, 0));
}

TEST_F(SearchTest, BusRouteIsFittedAndDrawnPurple)
{
    dlg->OnCommand(ID_FIND_BUS, BN_CLICKED);
    CComboBox* list = dlg->Combo(IDC_STREET);
    ASSERT_EQ(list->GetCount(), 1);
    list->setCurrentIndex(0);
    dlg->OnCommand(IDC_STREET, CBN_CLOSEUP);
    EXPECT_EQ(dlg->m_nSelectedBus, 1);
    EXPECT_EQ(dlg->m_bBusPending, 0);
    EXPECT_DOUBLE_EQ(dlg->m_dScale, std::min(480.0 / 800, 640.0 / 800));
    Repaint();
    const QPoint mid = MapToScreen(*dlg, MapPoint{700, 600});
    EXPECT_EQ(Window(mid.x(), mid.y()), Rgb(128, 9, 219));
}

TEST_F(SearchTest, ClearRestoresThePlainMap)
{
    SearchFor(QStringLiteral("ATM"), QStringLiteral("Vietcombank"));
    dlg->SelectStreet(QStringLiteral("Phố Huế"));
    dlg->m_nMarkLast = 3;
    dlg->OnCommand(ID_TB_CLEAR_L, BN_CLICKED);
    EXPECT_EQ(dlg->m_bSearchResult, 0);
    EXPECT_EQ(dlg->m_nSelectedWays, 0);
    EXPECT_EQ(dlg->m_bAtmResult, 0);
    EXPECT_EQ(dlg->m_nFoundCategory, -1);
    EXPECT_EQ(dlg->m_nMarkLast, -1);
    EXPECT_EQ(dlg->m_bPickFrom, 1);
}

}  // namespace
