// The stylus on the map: panning, taps that name streets and places,
// tap-and-hold, and distance measuring.
#include "UiFixture.h"

#include <QRegularExpression>

namespace {

using PointerTest = UiTest;

const QRgb kBand = Rgb(6, 8, 17);
const QRgb kBackground = Rgb(251, 208, 146);
const QRgb kLabel = Rgb(200, 250, 150);

TEST_F(PointerTest, DragPansOverTheDarkBandAndCommitsAtPointerUp)
{
    dlg->OnLButtonDown(0, {200, 300});
    dlg->OnMouseMove(0, {260, 330});
    // During the drag the view origin follows, the picture is shifted over the band.
    EXPECT_EQ(dlg->m_nOriginX, -60);
    EXPECT_EQ(dlg->m_nOriginY, -30);
    EXPECT_EQ(Window(10, 10), kBand);
    EXPECT_EQ(Window(260, 130), Rgb(255, 255, 255));  // the street of y = 100, moved by (60, 30)
    const int visibleBefore = dlg->m_nVisibleWays;
    dlg->OnLButtonUp(0, {260, 330});
    EXPECT_EQ(dlg->m_nDragOriginX, -60);
    EXPECT_EQ(dlg->m_nDragOriginY, -30);
    EXPECT_EQ(dlg->m_bDragged, 0);
    EXPECT_EQ(dlg->m_nVisibleWays, visibleBefore);
    dlg->UpdateWindow();
    EXPECT_EQ(Window(10, 10), kBackground);  // redrawn from the map, no band left
}

TEST_F(PointerTest, SmallDragIsATapAndAReturnedDragLeavesTheView)
{
    dlg->OnLButtonDown(0, {100, 300});
    dlg->OnMouseMove(0, {102, 302});
    EXPECT_EQ(dlg->m_bDragged, 0);
    dlg->OnLButtonUp(0, {102, 302});
    EXPECT_EQ(dlg->m_nOriginX, 0);

    dlg->OnLButtonDown(0, {100, 300});
    dlg->OnMouseMove(0, {150, 300});
    dlg->OnMouseMove(0, {101, 300});  // back within the threshold: the last offset is committed
    dlg->OnLButtonUp(0, {101, 300});
    EXPECT_EQ(dlg->m_nOriginX, -1);
    EXPECT_EQ(dlg->m_nOriginY, 0);
}

TEST_F(PointerTest, MovesWithoutCaptureDoNothing)
{
    dlg->OnMouseMove(0, {300, 300});
    dlg->OnLButtonUp(0, {300, 300});
    EXPECT_EQ(dlg->m_nOriginX, 0);
    EXPECT_EQ(dlg->m_bDragged, 0);
}

TEST_F(PointerTest, TapOnAStreetHighlightsItAndLabelsIt)
{
    Tap({300, 103});
    EXPECT_EQ(Window(50, 100), Rgb(255, 130, 0));  // the whole way in the highlight pen
    // The label " Phố Huế " (9 characters of 12 pixels) ends 5 pixels right of
    // the hit point (300, 100), with a red callout below-left of it.
    EXPECT_EQ(Window(295, 106), Rgb(255, 0, 0));
    EXPECT_GT(CountColour(QRect(300 - 108 + 5, 105, 100, 15), kLabel), 300);
    EXPECT_EQ(CountColour(QRect(305, 105, 60, 15), kLabel), 0);
    // The next tap elsewhere restores the clean map first.
    Tap({450, 600});
    EXPECT_EQ(Window(300, 100), Rgb(255, 255, 255));
}

TEST_F(PointerTest, LabelThatWouldLeaveTheWindowGoesRight)
{
    Tap({20, 102});
    // Quadrant 1 callout right of the anchor, the text starting at x + 5.
    EXPECT_GT(CountColour(QRect(19, 99, 7, 6), Rgb(255, 0, 0)), 5);
    EXPECT_GT(CountColour(QRect(25, 105, 100, 15), kLabel), 300);
}

TEST_F(PointerTest, TapOnAPlaceShowsItsLabelAndSquare)
{
    Tap({302, 301});
    EXPECT_EQ(Window(310, 300), Rgb(255, 0, 0));  // square of side 20 around (300, 300)
    // "Bệnh viện_Bạch Mai": 18 characters of 12 pixels left of the place, 12 below.
    EXPECT_GT(CountColour(QRect(300 - 216, 312, 150, 15), kLabel), 300);
    // Filtered out: no label, no square.
    dlg->m_showCategory[0] = 0;
    Tap({302, 301});
    EXPECT_NE(Window(310, 300), Rgb(255, 0, 0));
    EXPECT_EQ(CountColour(QRect(300 - 216, 312, 150, 15), kLabel), 0);
}

TEST_F(PointerTest, TapAndHoldOpensTheContextMenuAndKeepsItsPoint)
{
    modal.menuAnswers.push_back(0);
    dlg->m_bHoldGesture = true;
    dlg->OnLButtonDown(0, {123, 456});
    dlg->m_bHoldGesture = false;
    EXPECT_TRUE(modal.menuAnswers.empty());  // the popup was shown
    EXPECT_EQ(dlg->m_ptDown, QPoint(123, 456));
    // No capture was taken: the pointer-up that follows does nothing.
    dlg->OnLButtonUp(0, {123, 456});
    EXPECT_EQ(dlg->m_nOriginX, 0);
}

TEST_F(PointerTest, MarkChosenFromTheContextMenuShowsAtTheNextPaint)
{
    modal.menuAnswers.push_back(ID_MARK);
    dlg->m_bHoldGesture = true;
    dlg->OnLButtonDown(0, {250, 400});
    dlg->m_bHoldGesture = false;
    EXPECT_EQ(dlg->m_nMarkLast, 0);
    EXPECT_EQ(dlg->m_marks[0], (MapPoint{250, 400}));
    Repaint();
    EXPECT_EQ(Window(255, 380), Rgb(255, 0, 0));
}

TEST_F(PointerTest, MeasuringShowsTheStraightLineDistanceAndNeverPans)
{
    dlg->OnCommand(ID_MEASURE, BN_CLICKED);
    EXPECT_EQ(dlg->m_bMeasureMode, 1);
    EXPECT_TRUE(dlg->IsControlVisible(IDC_STATUS));
    EXPECT_EQ(dlg->ControlText(IDC_STATUS), QStringLiteral("Độ dài là :"));
    EXPECT_TRUE(dlg->MenuBar()->IsMenuItemChecked(1, 0));

    const QRgb before = Window(150, 200);
    dlg->OnLButtonDown(0, {0, 0});
    dlg->OnMouseMove(0, {300, 400});
    // 500 map units at SCALE 1000 is 0.5 km.
    EXPECT_EQ(dlg->ControlText(IDC_STATUS), QStringLiteral("Độ dài là :0.500 Km"));
    EXPECT_NE(Window(150, 200), before);  // the rubber band
    dlg->OnMouseMove(0, {3, 4});
    EXPECT_EQ(dlg->ControlText(IDC_STATUS), QStringLiteral("Độ dài là :0.005 Km"));
    EXPECT_EQ(Window(150, 200), before);  // the old band was erased
    dlg->OnLButtonUp(0, {3, 4});
    EXPECT_EQ(dlg->m_nOriginX, 0);
    EXPECT_EQ(dlg->m_nOriginY, 0);
    EXPECT_EQ(dlg->m_ptRubberEnd, QPoint());
    EXPECT_EQ(dlg->ControlText(IDC_STATUS), QStringLiteral("Độ dài là :0.005 Km"));

    dlg->OnCommand(ID_MEASURE, BN_CLICKED);
    EXPECT_EQ(dlg->m_bMeasureMode, 0);
    EXPECT_FALSE(dlg->IsControlVisible(IDC_STATUS));
    EXPECT_FALSE(dlg->MenuBar()->IsMenuItemChecked(1, 0));
}

TEST_F(PointerTest, MeasuredDistanceUsesTruncatedMapPoints)
{
    SetView(0, 0, 2.5, 0.5);
    dlg->OnCommand(ID_MEASURE, BN_CLICKED);
    dlg->OnLButtonDown(0, {0, 0});
    dlg->OnMouseMove(0, {11, 0});  // 4.4 map units, truncated to 4
    EXPECT_EQ(dlg->ControlText(IDC_STATUS), QStringLiteral("Độ dài là :0.004 Km"));
    dlg->OnMouseMove(0, {12, 0});  // 4.8 → 4: the same
    EXPECT_EQ(dlg->ControlText(IDC_STATUS), QStringLiteral("Độ dài là :0.004 Km"));
    dlg->OnMouseMove(0, {0, 0});
    EXPECT_EQ(dlg->ControlText(IDC_STATUS), QStringLiteral("Độ dài là :0.000 Km"));
}

TEST_F(PointerTest, TapsWhileMeasuringMakeALineWhoseWholeLengthIsShown)
{
    dlg->OnCommand(ID_MEASURE, BN_CLICKED);
    const QRgb band = Rgb(0, 0, 150);
    // Legs of 300 and 400 map units, and a shaky third tap 2 pixels off: 0.700 km at SCALE 1000.
    Tap({100, 100});
    EXPECT_EQ(dlg->ControlText(IDC_STATUS), QStringLiteral("Độ dài là :0.000 Km"));
    Tap({400, 100});
    dlg->OnLButtonDown(0, {400, 500});
    dlg->OnMouseMove(0, {402, 500});
    dlg->OnLButtonUp(0, {402, 500});
    EXPECT_EQ(dlg->ControlText(IDC_STATUS), QStringLiteral("Độ dài là :0.700 Km"));
    dlg->UpdateWindow();
    EXPECT_EQ(Window(250, 100), band);
    EXPECT_EQ(Window(400, 300), band);

    // A drag measures its own leg and leaves the line as it is.
    Drag({0, 600}, {300, 200});
    EXPECT_EQ(dlg->ControlText(IDC_STATUS), QStringLiteral("Độ dài là :0.500 Km"));
    Tap({100, 500});
    EXPECT_EQ(dlg->ControlText(IDC_STATUS), QStringLiteral("Độ dài là :1.000 Km"));

    // Clear ends the line; a new tap starts another.
    dlg->OnCommand(ID_TB_CLEAR_L, BN_CLICKED);
    dlg->UpdateWindow();
    EXPECT_EQ(dlg->m_measureLine.size(), 0u);
    EXPECT_NE(Window(250, 100), band);
    dlg->OnCommand(ID_MEASURE, BN_CLICKED);
    Tap({100, 100});
    Tap({100, 400});
    EXPECT_EQ(dlg->ControlText(IDC_STATUS), QStringLiteral("Độ dài là :0.300 Km"));
    // Leaving the mode ends it too.
    dlg->OnCommand(ID_MEASURE, BN_CLICKED);
    dlg->UpdateWindow();
    EXPECT_NE(Window(100, 250), band);
}

}  // namespace
