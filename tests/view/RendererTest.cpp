// The base map as drawn into the off-screen image: colours at known pixels,
// street widths, one-way arrows and labels.
#include "view/MapState.h"
#include "view/Overlays.h"
#include "view/Renderer.h"
#include "view/Viewport.h"

#include <QFontMetrics>
#include <cmath>
#include <gtest/gtest.h>

namespace {

QRgb Rgb(int r, int g, int b)
{
    return qRgb(r, g, b) & 0xFFFFFF;
}
QRgb PixelOf(const QImage& image, int x, int y)
{
    return image.pixel(x, y) & 0xFFFFFF;
}

const QRgb kBackground = Rgb(251, 208, 146);
const QRgb kRed = Rgb(255, 0, 0);
const QRgb kWhite = Rgb(255, 255, 255);

// A map state drawn at one pixel per map unit from origin (0, 0) unless a
// test changes the view.
struct Scene : MapState {
    Scene()
    {
        m_strMapPath = QStringLiteral("/maps/scene.kvp");
        m_nClientWidth = 480;
        m_nClientHeight = 640;
        m_nDisplayFactor = 2;
    }

    static std::vector<MapPoint> Rect(int x1, int y1, int x2, int y2)
    {
        return {{x1, y1}, {x2, y1}, {x2, y2}, {x1, y2}};
    }
    void District(const QString& name, const std::vector<MapPoint>& points, int last = -2)
    {
        m_strDistrictName.push_back(name);
        m_pDistrictPoints.push_back(points);
        m_nDistrictPointLast.push_back(last == -2 ? static_cast<int>(points.size()) - 1 : last);
        ++m_nDistrictLast;
    }
    void Lake(const std::vector<MapPoint>& points, const QString& name = QString())
    {
        m_strLakeName.push_back(name);
        m_pLakePoints.push_back(points);
        m_nLakePointLast.push_back(static_cast<int>(points.size()) - 1);
        ++m_nLakeLast;
    }
    void Park(const std::vector<MapPoint>& points, const QString& name = QString())
    {
        m_strParkName.push_back(name);
        m_pParkPoints.push_back(points);
        m_nParkPointLast.push_back(static_cast<int>(points.size()) - 1);
        ++m_nParkLast;
    }
    void River(const std::vector<MapPoint>& points)
    {
        m_strRiverName.push_back(QString());
        m_pRiverPoints.push_back(points);
        m_nRiverPointLast.push_back(static_cast<int>(points.size()) - 1);
        ++m_nRiverLast;
    }
    void Way(const std::vector<MapPoint>& points, const QString& direction = QString(), int width = 1)
    {
        m_strWayName.push_back(QStringLiteral("Phố"));
        std::vector<MapPoint> stored = points;
        stored.resize(kMaxWayPoints);
        m_pWayPoints.push_back(stored);
        m_nWayPointLast.push_back(static_cast<int>(points.size()) - 1);
        m_strWayDirection.push_back(direction);
        m_nWayWidth.push_back(width);
        ++m_nWayLast;
    }
    void Label(const QString& text, MapPoint at, int size)
    {
        m_strText.push_back(text);
        m_ptText.push_back(at);
        m_nTextSize.push_back(size);
        ++m_nTextLast;
    }
    QImage Draw()
    {
        UpdateVisibleWays(*this, *this);
        return RenderMapImage(*this);
    }
};

int CountPixels(const QImage& image, QRgb colour, QRect area = {})
{
    if (area.isNull())
        area = image.rect();
    int count = 0;
    for (int y = area.top(); y <= area.bottom(); ++y) {
        for (int x = area.left(); x <= area.right(); ++x)
            count += PixelOf(image, x, y) == colour;
    }
    return count;
}

// Rows of a column that hold the colour.
int ThicknessAt(const QImage& image, int x, QRgb colour)
{
    int rows = 0;
    for (int y = 0; y < image.height(); ++y)
        rows += PixelOf(image, x, y) == colour;
    return rows;
}

// Pixels that are neither background nor white: text, arrows, outlines.
int InkPixels(const QImage& image, QRect area)
{
    int count = 0;
    for (int y = area.top(); y <= area.bottom(); ++y) {
        for (int x = area.left(); x <= area.right(); ++x) {
            const QRgb c = PixelOf(image, x, y);
            count += c != kBackground && c != kWhite;
        }
    }
    return count;
}

TEST(Renderer, ImageHasTheClientSizeAndTheBackgroundColour)
{
    Scene scene;
    const QImage image = scene.Draw();
    EXPECT_EQ(image.size(), QSize(480, 640));
    EXPECT_EQ(PixelOf(image, 0, 0), kBackground);
    EXPECT_EQ(PixelOf(image, 479, 639), kBackground);
    EXPECT_EQ(CountPixels(image, kBackground), 480 * 640);
}

TEST(Renderer, DistrictsTakeTheBrushOfTheFirstOfTheirRun)
{
    Scene scene;
    const QStringList names = {"Ba Đình", "Ba Đình", "Hoàn Kiếm", "Đống Đa", "Đống Đa", "Ha Noi", "Ha Noi", "Tây Hồ",
                               "Long Biên"};
    for (int i = 0; i < names.size(); ++i)
        scene.District(names[i], Scene::Rect(10 + 50 * i, 10, 50 + 50 * i, 60));
    const QImage image = scene.Draw();
    const auto at = [&](int i) { return PixelOf(image, 30 + 50 * i, 35); };
    EXPECT_EQ(at(0), Rgb(255, 170, 70));   // district 0: brush 0
    EXPECT_EQ(at(1), Rgb(255, 170, 70));   // same name: same brush
    EXPECT_EQ(at(2), Rgb(255, 255, 0));    // brush 2
    EXPECT_EQ(at(3), Rgb(255, 3, 242));    // brush 3
    EXPECT_EQ(at(4), Rgb(255, 3, 242));    // shares district 3's name and brush
    EXPECT_EQ(at(5), kRed);                // "Ha Noi" after another name
    EXPECT_EQ(at(6), kRed);
    EXPECT_EQ(at(7), Rgb(18, 222, 137));   // brush 7
    EXPECT_EQ(at(8), Rgb(255, 170, 70));   // brush 8 mod 8 = 0
    // No outline: the pixel just inside the border has the fill colour too.
    EXPECT_EQ(PixelOf(image, 11, 11), Rgb(255, 170, 70));
}

TEST(Renderer, AFirstDistrictNamedHaNoiUsesBrushZero)
{
    Scene scene;
    scene.District(QStringLiteral("Ha Noi"), Scene::Rect(10, 10, 100, 100));
    scene.District(QStringLiteral("Ha Noi"), Scene::Rect(110, 10, 200, 100));
    const QImage image = scene.Draw();
    EXPECT_EQ(PixelOf(image, 50, 50), Rgb(255, 170, 70));
    EXPECT_EQ(PixelOf(image, 150, 50), Rgb(255, 170, 70));
}

TEST(Renderer, APolygonOfOnePointDrawsNothing)
{
    Scene scene;
    // The stored array holds a whole square, but only its first point counts.
    scene.District(QStringLiteral("Một điểm"), Scene::Rect(10, 10, 300, 300), 0);
    scene.Lake({{20, 20}});
    scene.Park({{30, 30}});
    const QImage image = scene.Draw();
    EXPECT_EQ(CountPixels(image, kBackground), 480 * 640);
}

TEST(Renderer, LakesParksAndRivers)
{
    Scene scene;
    scene.Lake(Scene::Rect(20, 300, 120, 400));
    scene.Park(Scene::Rect(200, 300, 300, 400));
    scene.River({{20, 500}, {400, 500}});
    const QImage image = scene.Draw();
    EXPECT_EQ(PixelOf(image, 70, 350), Rgb(6, 87, 172));
    EXPECT_EQ(PixelOf(image, 250, 350), Rgb(108, 222, 104));
    EXPECT_EQ(PixelOf(image, 250, 300), Rgb(67, 79, 91));  // the park's outline
    EXPECT_EQ(PixelOf(image, 21, 350), Rgb(6, 87, 172));   // the lake has none
    EXPECT_EQ(PixelOf(image, 350, 500), Rgb(67, 79, 91));
    EXPECT_EQ(ThicknessAt(image, 350, Rgb(67, 79, 91)), 1);
}

TEST(Renderer, StreetsAreWhiteAndWidenWithTheirClassAbove1point5TimesTheBaseScale)
{
    Scene scene;
    scene.m_dBaseScale = 1.0;
    scene.Way({{-10, 320}, {500, 320}}, QString(), 5);
    scene.Way({{240, -10}, {240, 700}}, QString(), 1);
    // Base width: trunc(2 / 1 × 1.5 × 0.35) = 1 for every street.
    scene.m_dScale = 1.5;
    QImage image = scene.Draw();
    EXPECT_EQ(PixelOf(image, 100, 480), kWhite);
    EXPECT_EQ(ThicknessAt(image, 100, kWhite), 1);
    // Just above, each street takes base width × its class.
    scene.m_dScale = 1.51;
    image = scene.Draw();
    EXPECT_EQ(ThicknessAt(image, 100, kWhite), 5);
    // At 5 × base the base width is trunc(3.5) = 3, and 15 for class 5.
    scene.m_dScale = 5.0;
    scene.m_nOriginY = 320 - 64;
    image = scene.Draw();
    EXPECT_EQ(PixelOf(image, 30, 320), kWhite);
    EXPECT_EQ(ThicknessAt(image, 30, kWhite), 15);
}

TEST(Renderer, StreetsAreDrawnFromTheVisibleListOnly)
{
    Scene scene;
    scene.Way({{-10, 320}, {500, 320}});
    UpdateVisibleWays(scene, scene);
    scene.m_visibleWays.clear();
    scene.m_nVisibleWays = 0;
    const QImage image = RenderMapImage(scene);
    EXPECT_EQ(CountPixels(image, kWhite), 0);
}

// One-way streets drawn from (100, 300) at 5 × a base scale of 0.2: one map
// unit is one pixel.
struct ArrowScene : Scene {
    explicit ArrowScene(int length, const QString& code = QStringLiteral("1"))
    {
        m_dBaseScale = 0.2;
        m_dScale = 5.0 * m_dBaseScale;
        Way({{100, 300}, {100 + length, 300}}, code);
    }
};

// Columns that hold a red pixel.
std::vector<int> RedColumns(const QImage& image)
{
    std::vector<int> columns;
    for (int x = 0; x < image.width(); ++x) {
        for (int y = 0; y < image.height(); ++y) {
            if (PixelOf(image, x, y) == kRed) {
                columns.push_back(x);
                break;
            }
        }
    }
    return columns;
}

TEST(Renderer, OneWayArrowsStartAt32Pixels)
{
    EXPECT_TRUE(RedColumns(ArrowScene(31).Draw()).empty());
    const std::vector<int> one = RedColumns(ArrowScene(32).Draw());
    ASSERT_FALSE(one.empty());
    // One arrowhead, its tip 21 pixels from the first point, its wings 9 back.
    EXPECT_EQ(one.back(), 121);
    EXPECT_EQ(one.front(), 112);
    const QImage image = ArrowScene(32).Draw();
    EXPECT_EQ(PixelOf(image, 121, 300), kRed);
}

TEST(Renderer, ArrowTipsFollowEvery25Pixels)
{
    const QImage image = ArrowScene(100).Draw();
    // Tips at 21, 46 and 71 pixels; at 96 there is no room left.
    for (int tip : {121, 146, 171})
        EXPECT_EQ(PixelOf(image, tip, 300), kRed) << tip;
    const std::vector<int> columns = RedColumns(image);
    EXPECT_EQ(columns.back(), 171);
    EXPECT_EQ(CountPixels(image, kRed, QRect(172, 0, 308, 640)), 0);
    // Reversed, the arrowheads point the other way: tips at 79, 54, 29 from the left.
    Scene reversed;
    reversed.m_dBaseScale = 0.2;
    reversed.m_dScale = 1.0;
    reversed.Way({{200, 300}, {100, 300}}, QStringLiteral("1"));
    EXPECT_EQ(RedColumns(reversed.Draw()).front(), 129);
}

TEST(Renderer, StreetArrowsFromExactlyFiveTimesTheBaseScale)
{
    ArrowScene below(60);
    below.m_dScale = std::nextafter(5.0 * below.m_dBaseScale, 0.0);
    EXPECT_TRUE(RedColumns(below.Draw()).empty());
    ArrowScene exactly(60);
    EXPECT_FALSE(RedColumns(exactly.Draw()).empty());
    ArrowScene otherCode(60, QStringLiteral("2"));
    EXPECT_TRUE(RedColumns(otherCode.Draw()).empty());
}

TEST(Renderer, BusRouteArrowsAppearAtEveryScale)
{
    Scene scene;
    scene.m_dBaseScale = 1.0;
    scene.m_dScale = 1.0;
    QImage image(480, 640, QImage::Format_RGB32);
    image.fill(kBackground);
    QPainter dc(&image);
    dc.setPen(QPen(Qt::black, 0));
    DrawWaySegment(dc, scene, {100, 300}, {160, 300}, QStringLiteral("99"));
    dc.end();
    EXPECT_EQ(PixelOf(image, 121, 300), kRed);
    EXPECT_EQ(PixelOf(image, 130, 300), Rgb(0, 0, 0));
}

TEST(Renderer, LabelsNeedAHeightAboveOnePixelAndAnAnchorInsideTheClient)
{
    const QRect area(200, 300, 200, 60);
    Scene big;
    big.m_dBaseScale = 0.5;
    big.m_dScale = 0.5;
    big.Label(QStringLiteral("Quận Ba Đình"), {400, 600}, 10);  // 30 pixels high at (200, 300)
    EXPECT_GT(InkPixels(big.Draw(), area), 100);

    Scene tiny;
    tiny.m_dBaseScale = 0.5;
    tiny.m_dScale = 0.45;  // trunc(1 / 0.5 × 0.45) = 0: height 0
    tiny.Label(QStringLiteral("Quận Ba Đình"), {445, 667}, 1);
    EXPECT_EQ(InkPixels(tiny.Draw(), QRect(0, 0, 480, 640)), 0);

    for (const MapPoint anchor : {MapPoint{0, 300}, MapPoint{200, 0}, MapPoint{480, 300}, MapPoint{200, 640}}) {
        Scene border;
        border.Label(QStringLiteral("Quận Ba Đình"), anchor, 20);
        EXPECT_EQ(InkPixels(border.Draw(), QRect(0, 0, 480, 640)), 0) << anchor.x << "," << anchor.y;
    }
}

TEST(Renderer, VietnameseLabelsAreDrawnWithTheirDiacritics)
{
    QFont font(QStringLiteral("Arial"));
    font.setPixelSize(30);
    font.setWeight(QFont::ExtraBold);
    const QFontMetrics metrics(font);
    for (char16_t c : {u'ệ', u'ư', u'Đ', u'ồ', u'ạ'})
        EXPECT_TRUE(metrics.inFont(QChar(c))) << int(c);

    const auto inkOf = [](const QString& text) {
        Scene scene;
        scene.Label(text, {100, 100}, 10);
        return InkPixels(scene.Draw(), QRect(90, 90, 120, 60));
    };
    const int plain = inkOf(QStringLiteral("e"));
    const int marked = inkOf(QStringLiteral("ệ"));
    EXPECT_GT(plain, 20);
    // The circumflex and the dot below add ink; a missing glyph box would not
    // match the plain letter's shape plus marks.
    EXPECT_GT(marked, plain + 10);
    EXPECT_NE(inkOf(QStringLiteral("ư")), inkOf(QStringLiteral("u")));
}

TEST(Renderer, ExtremeValuesFromAMapFileDrawWithoutHarm)
{
    // Values a damaged map file can hold: the reader keeps them within 32 bits.
    Scene scene;
    scene.m_dBaseScale = 0.05;
    scene.m_dScale = 0.25;
    scene.District(QStringLiteral("Xa"), {{INT32_MIN, INT32_MIN}, {INT32_MAX, 0}, {0, INT32_MAX}});
    scene.Lake({{-2000000000, 5}, {2000000000, 5}, {0, 2000000000}});
    scene.River({{INT32_MIN, 100}, {INT32_MAX, 100}});
    scene.Way({{-10, 320}, {2000, 320}}, QString(), -3);
    scene.Label(QStringLiteral("Lớn"), {400, 400}, INT32_MAX);
    scene.Label(QStringLiteral("Nhỏ"), {400, 800}, -5);
    const QImage image = scene.Draw();
    EXPECT_EQ(image.size(), QSize(480, 640));
    // The huge polygons are still filled where they cover the window.
    EXPECT_EQ(PixelOf(image, 240, 0), Rgb(255, 170, 70));
    EXPECT_EQ(PixelOf(image, 470, 630), Rgb(6, 87, 172));
}

TEST(Renderer, ParkAndLakeNamesAtADeepZoomDrawWithoutOverflow)
{
    // Their anchors land at the edge of the pixel range.
    Scene scene;
    scene.m_dBaseScale = 0.05;
    scene.m_dScale = 5e5;
    scene.Park({{0, 0}, {10000, 0}, {10000, 10000}, {0, 10000}}, QStringLiteral("Vườn Giám"));
    scene.Lake({{-10000, 5000}, {0, -10000}, {10000, 5000}, {0, 10000}}, QStringLiteral("Hồ Văn"));
    EXPECT_EQ(scene.Draw().size(), QSize(480, 640));
}

TEST(Renderer, LabelHeightsAreWholeCharacterCells)
{
    // The map gives a label's height as the whole cell, ascent and descent,
    // which is more than the em size of the same number.
    for (int h : {9, 30, 90}) {
        const QFont font = CellHeightFont(QStringLiteral("Arial"), h, QFont::ExtraBold);
        EXPECT_NEAR(QFontMetrics(font).height(), h, 1) << h;
        QFont em(QStringLiteral("Arial"));
        em.setPixelSize(h);
        EXPECT_GT(QFontMetrics(em).height(), h + (h >= 30 ? 1 : 0)) << h;
    }
}

TEST(Renderer, AHugeStreetWidthClassIsNoOverflow)
{
    Scene scene;
    scene.m_dBaseScale = 0.05;
    scene.m_dScale = 0.25;
    scene.Way({{-10, 320}, {2000, 320}}, QString(), INT32_MAX);
    scene.Way({{-10, 400}, {2000, 400}}, QString(), INT32_MIN);
    const QImage image = scene.Draw();
    EXPECT_EQ(PixelOf(image, 240, 80), kWhite);
    EXPECT_EQ(PixelOf(image, 240, 100), kWhite);
}

TEST(Renderer, AHugeNegativeLabelSizeDrawsNothingWithoutOverflow)
{
    Scene scene;
    scene.m_dBaseScale = 0.05;
    scene.m_dScale = 0.25;
    scene.Label(QStringLiteral("Âm"), {400, 800}, INT32_MIN);
    EXPECT_EQ(InkPixels(scene.Draw(), QRect(0, 0, 480, 640)), 0);
}

TEST(Renderer, AOneWayStreetLongerThanThe32BitPixelRangeStillShowsItsArrows)
{
    Scene scene;
    scene.m_dBaseScale = 0.001;
    scene.m_dScale = 600.0;
    scene.Way({{-4000000, 1}, {4000000, 1}}, QStringLiteral("1"));
    const QImage image = scene.Draw();
    EXPECT_EQ(PixelOf(image, 240, 600), kWhite);
    EXPECT_GT(CountPixels(image, kRed), 0);
}

}  // namespace
