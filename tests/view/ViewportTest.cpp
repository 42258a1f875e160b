// The transforms between map units and pixels, the geometry helpers of hit
// tests and snapping, the clipping tests, the visible-way list and zoom.
#include "view/Viewport.h"

#include <QRandomGenerator>
#include <cmath>
#include <gtest/gtest.h>

namespace {

constexpr int W = 480, H = 640;

bool Visible(int32_t ax, int32_t ay, int32_t bx, int32_t by, int32_t ox = 0, int32_t oy = 0, double scale = 1.0)
{
    return SegmentInClient(W, H, ax, ay, bx, by, ox, oy, scale);
}

TEST(Transforms, MapToScreenTruncatesTowardZero)
{
    EXPECT_EQ(MapToScreen(101, 203, 100, 200, 0.5), QPoint(0, 1));
    EXPECT_EQ(MapToScreen(99, 199, 100, 200, 0.5), QPoint(0, 0));
    EXPECT_EQ(MapToScreen(97, 195, 100, 200, 0.5), QPoint(-1, -2));
    EXPECT_EQ(MapToScreen(1300, 1000, 1000, 1000, 1.6), QPoint(480, 0));
}

TEST(Transforms, ScreenToMapMultipliesByTheReciprocalAndTruncates)
{
    EXPECT_EQ(ScreenToMap(0, 1, 100, 200, 0.5), (MapPoint{100, 202}));
    EXPECT_EQ(ScreenToMap(1, 2, 100, 200, 3.0), (MapPoint{100, 200}));
    EXPECT_EQ(ScreenToMap(-1, -1, 0, 0, 3.0), (MapPoint{0, 0}));
    EXPECT_EQ(ScreenToMap(-3, 7, -10, 10, 0.25), (MapPoint{-22, 38}));
    // Both directions truncate, so a round trip need not come back.
    const MapPoint m = ScreenToMap(1, 1, 0, 0, 3.0);
    EXPECT_EQ(MapToScreen(m.x, m.y, 0, 0, 3.0), QPoint(0, 0));
}

TEST(Transforms, DisplayFactorChangesAbove320Pixels)
{
    EXPECT_EQ(DisplayFactorFor(240), 1);
    EXPECT_EQ(DisplayFactorFor(320), 1);
    EXPECT_EQ(DisplayFactorFor(321), 2);
    EXPECT_EQ(DisplayFactorFor(480), 2);
}

TEST(Geometry, PointInClientIsStrictOnEveryEdge)
{
    EXPECT_TRUE(PointInClient(W, H, 1, 1, 0, 0, 1.0));
    EXPECT_TRUE(PointInClient(W, H, 479, 639, 0, 0, 1.0));
    EXPECT_FALSE(PointInClient(W, H, 0, 100, 0, 0, 1.0));
    EXPECT_FALSE(PointInClient(W, H, 100, 0, 0, 0, 1.0));
    EXPECT_FALSE(PointInClient(W, H, 480, 100, 0, 0, 1.0));
    EXPECT_FALSE(PointInClient(W, H, 100, 640, 0, 0, 1.0));
    // Pixels are not truncated here: half a pixel inside is inside.
    EXPECT_TRUE(PointInClient(W, H, 101, 201, 100, 200, 0.5));
    EXPECT_FALSE(PointInClient(W, H, 100, 250, 100, 200, 0.5));
    EXPECT_FALSE(PointInClient(W, H, 1060, 250, 100, 200, 0.5));  // X = 480
}

TEST(Geometry, VerticalAndHorizontalSegments)
{
    EXPECT_TRUE(Visible(100, -10, 100, 650));  // across the whole height, both ends outside
    EXPECT_TRUE(Visible(100, 650, 100, -10));
    EXPECT_FALSE(Visible(100, -50, 100, 0));  // ends exactly on the top edge
    EXPECT_FALSE(Visible(100, 640, 100, 700));
    EXPECT_FALSE(Visible(100, -10, 100, 640));  // reaches the bottom edge only
    EXPECT_FALSE(Visible(0, -10, 0, 700));      // along the left edge
    EXPECT_FALSE(Visible(480, -10, 480, 700));  // along the right edge
    EXPECT_FALSE(Visible(500, -10, 500, 700));
    EXPECT_TRUE(Visible(-10, 300, 500, 300));
    EXPECT_TRUE(Visible(500, 300, -10, 300));
    EXPECT_FALSE(Visible(-10, 0, 500, 0));  // along the top edge
    EXPECT_FALSE(Visible(-10, 640, 500, 640));
    EXPECT_FALSE(Visible(-10, 300, 0, 300));
    EXPECT_TRUE(Visible(100, 100, 100, 100));  // a single point inside
    EXPECT_FALSE(Visible(-5, 100, -5, 100));
}

TEST(Geometry, DiagonalSegmentsCrossingEachEdge)
{
    EXPECT_TRUE(Visible(-20, 100, 100, -20));   // cuts the top-left corner: top edge
    EXPECT_TRUE(Visible(-20, 600, 60, 680));    // left and bottom: bottom edge
    EXPECT_TRUE(Visible(-10, 300, 490, 310));   // left to right: left edge
    EXPECT_TRUE(Visible(240, 0, 520, 100));     // from a point of the top edge out through the right edge
    EXPECT_TRUE(Visible(-40, 300, 100, 0));     // from outside to a point of the top edge through the left edge
    EXPECT_TRUE(Visible(-20, 50, 50, -20));     // a small corner cut
    EXPECT_FALSE(Visible(-20, 10, 10, -20));    // passes outside the corner
    EXPECT_FALSE(Visible(-10, 10, 10, -10));    // touches the corner only
    EXPECT_FALSE(Visible(500, 10, 600, 300));   // beside the client area
    EXPECT_FALSE(Visible(470, -30, 530, 30));   // passes outside the top-right corner
    EXPECT_TRUE(Visible(440, -30, 530, 60));    // cuts the top-right corner
    EXPECT_TRUE(Visible(50, 50, 5000, -3000));  // one end inside
    // The same segment through another view.
    EXPECT_TRUE(Visible(980, 1200, 1100, 1080, 1000, 1100, 1.0));
    EXPECT_FALSE(Visible(980, 1200, 1100, 1080, 2000, 1100, 1.0));
}

TEST(Geometry, ProjectOnLineGivesTheFootWithoutRangeTest)
{
    EXPECT_EQ(ProjectOnLine(9, 3, 5, 0, 5, 10), (MapPoint{5, 3}));
    EXPECT_EQ(ProjectOnLine(9, 30, 5, 0, 5, 10), (MapPoint{5, 30}));  // beyond B
    EXPECT_EQ(ProjectOnLine(9, 3, 5, 7, 5, 7), (MapPoint{5, 7}));     // A = B
    EXPECT_EQ(ProjectOnLine(-4, 9, 0, 2, 10, 2), (MapPoint{-4, 2}));
    EXPECT_EQ(ProjectOnLine(10, 0, 0, 0, 10, 10), (MapPoint{5, 5}));
    EXPECT_EQ(ProjectOnLine(0, 5, 0, 0, 4, 2), (MapPoint{2, 1}));
    EXPECT_EQ(ProjectOnLine(30, 10, 0, 0, 10, 10), (MapPoint{20, 20}));
    EXPECT_EQ(ProjectOnSegment(30, 10, 0, 0, 10, 10), (MapPoint{0, 0}));  // outside: no foot
    EXPECT_EQ(ProjectOnSegment(10, 0, 0, 0, 10, 10), (MapPoint{5, 5}));
}

TEST(Geometry, SegmentDistanceAndNearestPoint)
{
    EXPECT_DOUBLE_EQ(SegmentDistance(5, 7, 0, 0, 10, 0), 7.0);
    EXPECT_DOUBLE_EQ(SegmentDistance(13, 4, 0, 0, 10, 0), 5.0);  // past B: the distance to B
    EXPECT_DOUBLE_EQ(SegmentDistance(-3, -4, 0, 0, 10, 0), 5.0);
    EXPECT_EQ(NearestPointOnSegment(5, 7, 0, 0, 10, 0), (MapPoint{5, 0}));
    EXPECT_EQ(NearestPointOnSegment(13, 4, 0, 0, 10, 0), (MapPoint{10, 0}));
    EXPECT_EQ(NearestPointOnSegment(-3, 4, 0, 0, 10, 0), (MapPoint{0, 0}));
    EXPECT_EQ(NearestPointOnSegment(1, 1, 0, 0, 0, 0), (MapPoint{0, 0}));
}

TEST(Geometry, NearestPointTakesBOnATie)
{
    // P is as far from A as from B (both squares are equal integers), and the
    // foot computed on this steep line falls one unit outside the segment's box.
    const int32_t ax = -272713543, ay = -479849447, bx = -272713541, by = 371932261;
    const int32_t px = -1550386104, py = -53958590;
    const MapPoint foot = ProjectOnLine(px, py, ax, ay, bx, by);
    ASSERT_FALSE(InBoundingBox(foot.x, foot.y, ax, ay, bx, by));
    ASSERT_EQ(PointDistance(px, py, ax, ay), PointDistance(px, py, bx, by));
    EXPECT_EQ(NearestPointOnSegment(px, py, ax, ay, bx, by), (MapPoint{bx, by}));
    EXPECT_EQ(NearestPointOnSegment(px, py, bx, by, ax, ay), (MapPoint{ax, ay}));
}

// The formulas as written for 32-bit integers, exact while the coordinates
// stay within ±16000.
double PlainDistance(int32_t x1, int32_t y1, int32_t x2, int32_t y2)
{
    const int32_t sum = (x1 - x2) * (x1 - x2) + (y1 - y2) * (y1 - y2);
    return std::sqrt(static_cast<double>(sum));
}
bool PlainInBox(int32_t px, int32_t py, int32_t ax, int32_t ay, int32_t bx, int32_t by)
{
    return (px - ax) * (px - bx) <= 0 && (py - ay) * (py - by) <= 0;
}
MapPoint PlainFoot(int32_t px, int32_t py, int32_t ax, int32_t ay, int32_t bx, int32_t by)
{
    if (ax == bx)
        return ay == by ? MapPoint{ax, ay} : MapPoint{ax, py};
    if (ay == by)
        return {px, ay};
    const double m = double(ay - by) / double(ax - bx);
    const double c = double(ax * by - ay * bx) / double(ax - bx);
    const double t = px / m + py;
    const double fy = (c + t * m * m) / (m * m + 1.0);
    const double fx = (t - fy) * m;
    return {static_cast<int32_t>(fx), static_cast<int32_t>(fy)};
}

TEST(Geometry, SameResultsAsThe32BitFormulasWhereTheyAreExact)
{
    QRandomGenerator random(1977);
    const auto value = [&] { return random.bounded(-16000, 16001); };
    for (int round = 0; round < 20000; ++round) {
        const int32_t px = value(), py = value(), ax = value(), ay = value();
        // Every tenth segment is vertical or horizontal.
        const int32_t bx = round % 10 == 0 ? ax : value(), by = round % 10 == 5 ? ay : value();
        ASSERT_EQ(PointDistance(px, py, ax, ay), PlainDistance(px, py, ax, ay)) << round;
        ASSERT_EQ(InBoundingBox(px, py, ax, ay, bx, by), PlainInBox(px, py, ax, ay, bx, by)) << round;
        ASSERT_EQ(ProjectOnLine(px, py, ax, ay, bx, by), PlainFoot(px, py, ax, ay, bx, by)) << round;
    }
}

TEST(Geometry, CoordinatesUpToTwoBillionDoNotOverflow)
{
    constexpr int32_t G = 2000000000;
    EXPECT_DOUBLE_EQ(PointDistance(-G, 0, G, 0), 4e9);
    EXPECT_NEAR(PointDistance(-G, -G, G, G), 4e9 * std::sqrt(2.0), 1.0);
    EXPECT_DOUBLE_EQ(PointDistance(INT32_MIN, INT32_MIN, INT32_MAX, INT32_MIN), 4294967295.0);
    EXPECT_TRUE(InBoundingBox(0, 0, -G, -G, G, G));
    EXPECT_TRUE(InBoundingBox(G, -G, -G, -G, G, G));
    EXPECT_FALSE(InBoundingBox(G, G, -G, -G, G - 1, G));
    EXPECT_EQ(ProjectOnLine(G, -G, -G, -G, G, G), (MapPoint{0, 0}));
    EXPECT_EQ(ProjectOnLine(0, G, -G, 0, G, 0), (MapPoint{0, 0}));
    EXPECT_NEAR(SegmentDistance(G, -G, -G, -G, G, G), 2e9 * std::sqrt(2.0), 1.0);
    EXPECT_NEAR(SegmentDistance(-G, G, G - 10, -G, G, -G), std::hypot(4e9 - 10, 4e9), 1.0);
    EXPECT_EQ(NearestPointOnSegment(-G, G, G - 10, -G, G, -G), (MapPoint{G - 10, -G}));
    EXPECT_EQ(MapToScreen(G, -G, -G, G, 0.25), QPoint(1000000000, -1000000000));
    EXPECT_EQ(ScreenToMap(1000000000, -1000000000, -G, G, 0.25), (MapPoint{G, -G}));
    EXPECT_TRUE(PointInClient(W, H, -G + 5, G - 5, -G, G - 10, 1.0));
    EXPECT_FALSE(PointInClient(W, H, G, G, -G, -G, 1.0));
    EXPECT_TRUE(Visible(-G, 300, G, 300));
    EXPECT_TRUE(Visible(-G, -G, G, G));
    EXPECT_FALSE(Visible(G, -G, G, G));
    EXPECT_TRUE(Visible(-G, 100, G, 100, -G, -G, 1e-9));  // a long road seen from far away
}

// A map with the given ways, each a polyline.
MapData WaysMap(const std::vector<std::vector<MapPoint>>& ways)
{
    MapData map;
    for (const auto& points : ways) {
        map.m_strWayName.push_back(QStringLiteral("Phố"));
        std::vector<MapPoint> stored = points;
        stored.resize(kMaxWayPoints);
        map.m_pWayPoints.push_back(stored);
        map.m_nWayPointLast.push_back(static_cast<int>(points.size()) - 1);
        map.m_strWayDirection.push_back(QString());
        map.m_nWayWidth.push_back(1);
    }
    map.m_nWayLast = static_cast<int>(ways.size()) - 1;
    return map;
}

std::vector<int> VisibleWays(const MapData& map, double scale = 1.0, int32_t ox = 0, int32_t oy = 0)
{
    ViewState view;
    view.m_dScale = scale;
    view.m_nOriginX = ox;
    view.m_nOriginY = oy;
    UpdateVisibleWays(map, view);
    EXPECT_EQ(view.m_nVisibleWays, static_cast<int>(view.m_visibleWays.size()));
    return view.m_visibleWays;
}

TEST(VisibleWays, ASingleWayCrossingTheClientIsListed)
{
    EXPECT_EQ(VisibleWays(WaysMap({{{-100, 300}, {600, 300}}})), std::vector<int>{0});
    EXPECT_TRUE(VisibleWays(WaysMap({{{-100, 700}, {600, 700}}})).empty());
    EXPECT_TRUE(VisibleWays(MapData()).empty());
}

TEST(VisibleWays, AscendingEachOnceTestedSegmentBySegment)
{
    const MapData map = WaysMap({
        {{-100, -100}, {-50, -100}, {-50, 100}, {100, 100}, {200, 200}},  // the third segment enters
        {{900, 900}, {1000, 900}},                                        // far away
        {{-10, 320}, {490, 320}, {490, 330}},                             // crosses through, out and back
        {{50, 50}, {60, 50}},                                             // short but its ends are 10 apart
        {{100, 100}, {300, 300}},
    });
    EXPECT_EQ(VisibleWays(map), (std::vector<int>{0, 2, 4}));
    // Closer in, the third way runs below the client and the fourth is long enough.
    EXPECT_EQ(VisibleWays(map, 2.5), (std::vector<int>{0, 3, 4}));
}

TEST(VisibleWays, WaysWhoseEndsLieWithin20PixelsAreNeverListed)
{
    const MapData loops = WaysMap({
        {{-100, 300}, {600, 300}, {600, 400}, {-100, 300}},  // closed loop across the whole client
        {{100, 100}, {120, 100}},                            // ends exactly 20 pixels apart
        {{100, 200}, {121, 200}},
        {{100, 300}, {400, 300}, {400, 310}, {110, 310}},  // long, but its ends are 14 apart
    });
    EXPECT_EQ(VisibleWays(loops), std::vector<int>{2});
    // At scale 2 the rule reads 10 map units.
    EXPECT_EQ(VisibleWays(WaysMap({{{100, 100}, {110, 100}}, {{100, 200}, {111, 200}}}), 2.0), std::vector<int>{1});
}

TEST(VisibleWays, AWayWithoutPointsIsSkipped)
{
    MapData map = WaysMap({{{-100, 300}, {600, 300}}, {{-100, 310}, {600, 310}}});
    map.m_nWayPointLast[0] = -1;
    EXPECT_EQ(VisibleWays(map), std::vector<int>{1});
}

TEST(Zoom, TheMapPointUnderThePixelLandsOnTheClientCentre)
{
    const MapData map = WaysMap({{{0, 0}, {5000, 5000}}});
    ViewState view;
    view.m_nOriginX = 1000;
    view.m_nOriginY = 2000;
    view.m_dScale = 0.3;
    const double wx = 100 / 0.3 + 1000, wy = 50 / 0.3 + 2000;
    ZoomAt(map, view, 100, 50, 1.5, true);
    EXPECT_DOUBLE_EQ(view.m_dScale, 0.3 * 1.5);
    const QPoint centre = MapToScreen(int32_t(wx), int32_t(wy), view.m_nOriginX, view.m_nOriginY, view.m_dScale);
    EXPECT_NEAR(centre.x(), W / 2, 1);
    EXPECT_NEAR(centre.y(), H / 2, 1);
    EXPECT_EQ(view.m_visibleWays, std::vector<int>{0});

    // Zooming out about the top-left pixel brings the old origin to the centre.
    const int32_t ox = view.m_nOriginX, oy = view.m_nOriginY;
    ZoomAt(map, view, 0, 0, 1.5, false);
    EXPECT_DOUBLE_EQ(view.m_dScale, 0.3);
    const QPoint old = MapToScreen(ox, oy, view.m_nOriginX, view.m_nOriginY, view.m_dScale);
    EXPECT_NEAR(old.x(), W / 2, 1);
    EXPECT_NEAR(old.y(), H / 2, 1);
}

TEST(Zoom, InThenOutComesBackToTheSameCentreAndScale)
{
    const MapData map;
    for (double s : {0.3, 0.0487, 2.0, 17.5}) {
        ViewState view;
        view.m_nOriginX = 12345;
        view.m_nOriginY = -6789;
        view.m_dScale = s;
        view.m_dBaseScale = s / 5;  // as after a load
        const double cx = (W / 2) / s + view.m_nOriginX, cy = (H / 2) / s + view.m_nOriginY;
        ZoomAt(map, view, W / 2, H / 2, 1.5, true);
        ZoomAt(map, view, W / 2, H / 2, 1.5, false);
        EXPECT_EQ(view.m_dScale, s * 1.5 / 1.5) << s;
        EXPECT_NEAR((W / 2) / view.m_dScale + view.m_nOriginX, cx, 3.0) << s;
        EXPECT_NEAR((H / 2) / view.m_dScale + view.m_nOriginY, cy, 3.0) << s;
    }
}

TEST(FitView, FitsTheExtentAndCentresTheCentrePoint)
{
    MapData map = WaysMap({{{1400, 900}, {1600, 1100}}});
    map.m_nResWidth = 3000;
    map.m_nResHeight = 2000;
    map.m_nCenterX = 1500;
    map.m_nCenterY = 1000;
    ViewState view;
    FitViewToMap(map, view);
    EXPECT_DOUBLE_EQ(view.m_dBaseScale, 2.5 * std::min(480.0 / 3000, 640.0 / 2000));
    EXPECT_DOUBLE_EQ(view.m_dScale, 5 * view.m_dBaseScale);
    const QPoint centre = MapToScreen(1500, 1000, view.m_nOriginX, view.m_nOriginY, view.m_dScale);
    EXPECT_NEAR(centre.x(), W / 2, 1);
    EXPECT_NEAR(centre.y(), H / 2, 1);
    EXPECT_EQ(view.m_nDragOriginX, view.m_nOriginX);
    EXPECT_EQ(view.m_nDragOriginY, view.m_nOriginY);
    EXPECT_EQ(view.m_visibleWays, std::vector<int>{0});
}

}  // namespace
