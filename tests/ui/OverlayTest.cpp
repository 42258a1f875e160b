// What the drawing pass puts over the base map: place icons and their sizes,
// search results, marks, flags, turn arrows, the GPS position and the ticker.
#include "UiFixture.h"

#include "view/Overlays.h"

namespace {

using OverlayTest = UiTest;

// Icons are drawn on their own coloured background: the hospital icon's
// frame is not the map's background.
bool IconAt(const CMapDlg& dlg, QPoint p)
{
    return PixelAt(dlg.WindowSurface(), p.x(), p.y()) != Rgb(251, 208, 146);
}

TEST_F(OverlayTest, PlaceIconsFromExactlyThreeTimesTheBaseScale)
{
    EXPECT_TRUE(IconAt(*dlg, {300, 300}));
    SetView(0, 0, 1.0, 1.0 / 2.999);
    EXPECT_FALSE(IconAt(*dlg, {300, 300}));
}

TEST_F(OverlayTest, FilteredCategoriesAreNotDrawnButHomesAlwaysAre)
{
    dlg->AppendPlace(QStringLiteral("Nhà tôi"), {400, 450}, kHomeCategory);
    dlg->m_showCategory[0] = 0;
    Repaint();
    EXPECT_FALSE(IconAt(*dlg, {300, 300}));
    EXPECT_TRUE(IconAt(*dlg, {400, 450}));
}

TEST_F(OverlayTest, PlaceOnTheClientBorderIsNotDrawn)
{
    dlg->AppendPlace(QStringLiteral("Góc"), {0, 200}, 12);
    Repaint();
    EXPECT_FALSE(IconAt(*dlg, {2, 200}));
}

TEST_F(OverlayTest, IconSizeFollowsDisplayFactorAndScale)
{
    ViewState v;
    v.m_dBaseScale = 1;
    v.m_nDisplayFactor = 1;
    for (auto [scale, size] : {std::pair{7.99, 12}, {8.0, 18}, {15.9, 18}, {16.0, 24}}) {
        v.m_dScale = scale;
        EXPECT_EQ(PlaceIconSize(v), size) << scale;
    }
    v.m_nDisplayFactor = 2;
    for (auto [scale, size] : {std::pair{3.0, 18}, {7.99, 18}, {8.0, 24}}) {
        v.m_dScale = scale;
        EXPECT_EQ(PlaceIconSize(v), size) << scale;
    }
}

TEST_F(OverlayTest, AllPlacesOfTheFoundCategoryAreMarkedAtAnyScale)
{
    SetView(0, 0, 1.0, 1.0);  // below three times the base scale: no ordinary icons
    dlg->m_bSearchResult = 1;
    dlg->m_strSearchName = QStringLiteral("Tất cả");
    dlg->m_nFoundCategory = 27;
    Repaint();
    // A black square of side 20 around each ATM, none around the bank.
    EXPECT_EQ(Window(110, 400), Rgb(0, 0, 0));
    EXPECT_EQ(Window(360, 550), Rgb(0, 0, 0));
    EXPECT_NE(Window(60, 50), Rgb(0, 0, 0));
}

TEST_F(OverlayTest, MarksAreRedFlags)
{
    dlg->m_nMarkLast = 0;
    dlg->m_marks[0] = MapPoint{250, 400};
    Repaint();
    EXPECT_EQ(Window(255, 380), Rgb(255, 0, 0));      // the cloth
    EXPECT_EQ(Window(250, 390), Rgb(93, 34, 42));     // the pole
}

TEST_F(OverlayTest, GpsPositionIsAnOrangeDot)
{
    dlg->m_bGpsValid = 1;
    dlg->m_ptGps = MapPoint{420, 420};
    Repaint();
    EXPECT_EQ(Window(420, 420), Rgb(255, 127, 0));
}

TEST_F(OverlayTest, RouteIsRedWithItsFlagsAndStartsTheTicker)
{
    dlg->m_bRouteShown = 1;
    dlg->m_routePoints = {{470, 160}, {400, 100}, {200, 100}, {100, 100}};
    dlg->m_nRouteLast = 3;
    dlg->m_ptFromTap = {100, 100};
    dlg->m_ptToTap = {470, 160};
    dlg->m_segFrom = {MapPoint{0, 100}, MapPoint{200, 100}};
    dlg->m_segTo = {MapPoint{470, 160}, MapPoint{470, 160}};
    dlg->m_dRouteLength = 2500;
    dlg->m_strRouteText = QStringLiteral("A-Phố 100% Huế-B");
    Repaint();
    EXPECT_EQ(Window(300, 100), Rgb(255, 0, 0));
    EXPECT_EQ(Window(105, 80), Rgb(255, 255, 0));  // start flag cloth
    EXPECT_EQ(Window(475, 140), Rgb(255, 0, 0));   // end flag cloth
    EXPECT_TRUE(dlg->IsControlVisible(IDC_STATUS));
    EXPECT_EQ(dlg->m_strTicker, QString(14, ' ') + QStringLiteral("Độ dài :2.500 KmA-Phố 100% Huế-B"));
}

TEST_F(OverlayTest, TickerScrollsOneCharacterPerTickAndRepeats)
{
    dlg->m_bRouteShown = 1;
    dlg->ShowStatusText(QStringLiteral("0123456789"));
    QStringList shown;
    for (int tick = 0; tick < 26; ++tick) {
        dlg->OnTimer(ID_TICKER_TIMER);
        shown << dlg->ControlText(IDC_STATUS);
    }
    EXPECT_EQ(shown[0].size(), 24);
    EXPECT_EQ(shown[1].size(), 23);
    EXPECT_EQ(shown[23], QStringLiteral("9"));
    EXPECT_EQ(shown[24].size(), 24);
    // Without a route on show the ticks change nothing.
    dlg->m_bRouteShown = 0;
    dlg->OnTimer(ID_TICKER_TIMER);
    EXPECT_EQ(dlg->ControlText(IDC_STATUS), shown[25]);
}

TEST(TurnArrow, TemplatesPointTheirWay)
{
    QImage image(200, 200, QImage::Format_RGB32);
    for (auto [direction, inside] : {std::pair{1, QPoint(110, 100)}, {2, QPoint(100, 110)},
                                     {3, QPoint(90, 100)}, {4, QPoint(100, 90)}}) {
        image.fill(Qt::white);
        QPainter dc(&image);
        DrawTurnArrow(dc, 100, 100, direction, 2, QColor(0, 128, 0));
        dc.end();
        // The body lies behind the tip, in the arrow's direction.
        EXPECT_EQ(image.pixel(inside) & 0xFFFFFF, Rgb(0, 128, 0)) << direction;
        const QPoint ahead = QPoint(200, 200) - inside;
        EXPECT_EQ(image.pixel(ahead) & 0xFFFFFF, Rgb(255, 255, 255)) << direction;
    }
    // Any other direction draws nothing.
    image.fill(Qt::white);
    QPainter dc(&image);
    DrawTurnArrow(dc, 100, 100, 5, 2, Qt::black);
    EXPECT_EQ(image.pixel(110, 100) & 0xFFFFFF, Rgb(255, 255, 255));
}

}  // namespace
