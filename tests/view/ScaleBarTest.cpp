// The scale bar: the round length chosen for a scale, and the bar drawn on
// the bundled maps read against the map itself.
#include "view/ScaleBar.h"
#include "map/MapFileReader.h"
#include "view/MapState.h"
#include "view/Renderer.h"
#include "view/Viewport.h"

#include <QFile>
#include <cmath>
#include <gtest/gtest.h>

namespace {

TEST(ScaleBar, TheLongestRoundLengthThatFits)
{
    struct Case {
        double metresPerPixel;
        int maxPixels;
        double metres;
        int pixels;
        const char* label;
    };
    for (const Case c :
         {Case{1, 120, 100, 100, "100 m"}, Case{3, 120, 200, 67, "200 m"}, Case{0.4, 120, 20, 50, "20 m"},
          Case{100, 120, 10000, 100, "10 km"}, Case{9, 120, 1000, 111, "1 km"}, Case{41.7, 60, 2000, 48, "2 km"}}) {
        const ScaleBar bar = ChooseScaleBar(c.metresPerPixel, c.maxPixels);
        EXPECT_EQ(bar.metres, c.metres) << c.metresPerPixel;
        EXPECT_EQ(bar.pixels, c.pixels) << c.metresPerPixel;
        EXPECT_EQ(bar.label, QString::fromUtf8(c.label)) << c.metresPerPixel;
    }
    // Less than a metre across the room, or no scale at all: no bar.
    EXPECT_EQ(ChooseScaleBar(0.005, 120).pixels, 0);
    EXPECT_EQ(ChooseScaleBar(std::nan(""), 120).pixels, 0);
    EXPECT_EQ(ChooseScaleBar(0, 120).pixels, 0);
}

// The longest run of black pixels that starts near the left edge in a row of
// the lower half, within the left half, as (row, first column, length).
struct BlackRun {
    int row = -1, left = 0, length = 0;
};
BlackRun LongestBlackRun(const QImage& image)
{
    BlackRun best;
    for (int y = image.height() / 2; y < image.height(); ++y) {
        int start = -1;
        for (int x = 0; x <= image.width() / 2; ++x) {
            const bool black = x < image.width() / 2 && (image.pixel(x, y) & 0xFFFFFF) == 0;
            if (black && start < 0)
                start = x;
            if (!black && start >= 0) {
                if (start < 16 && x - start > best.length)
                    best = {y, start, x - start};
                start = -1;
            }
        }
    }
    return best;
}

// Text is smoothed: its strokes are dark rather than black.
int DarkPixelsIn(const QImage& image, const QRect& area)
{
    int n = 0;
    for (int y = std::max(area.top(), 0); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            n += qGray(image.pixel(x, y)) < 80;
    return n;
}

TEST(ScaleBar, ReadsTrueAgainstTheBundledMaps)
{
    for (const char* name : {"hanoi.kvp", "hcmc_district3.kvp"}) {
        const QString path = QStringLiteral(KORVANE_SOURCE_DIR "/data/") + QLatin1StringView(name);
        MapState s;
        ASSERT_TRUE(LoadMapFile(s, path, 0)) << name;
        s.m_strMapPath = path;
        for (const auto& [width, height] : {std::pair{480, 640}, std::pair{240, 320}}) {
            s.m_nClientWidth = width;
            s.m_nClientHeight = height;
            s.m_nDisplayFactor = DisplayFactorFor(width);
            FitViewToMap(s, s);
            for (const double zoom : {0.4, 1.0, 5.0, 30.0}) {
                s.m_dScale = s.m_dBaseScale * zoom;
                UpdateVisibleWays(s, s);
                const QImage image = RenderMapImage(s);
                const ScaleBar bar = ChooseScaleBar(MetresPerPixel(s), width / 4);
                ASSERT_GT(bar.pixels, 0) << name << " zoom " << zoom;
                // The drawn bar, read on the map: as long as its label says,
                // to within the pen's ends.
                const BlackRun run = LongestBlackRun(image);
                const MapPoint a = ScreenToMap(s, QPoint(run.left, run.row));
                const MapPoint b = ScreenToMap(s, QPoint(run.left + run.length, run.row));
                const double onMap = std::hypot(double(b.x) - a.x, double(b.y) - a.y) * s.m_dMapScale * 0.001;
                const double label = bar.label.section(u' ', 0, 0).toDouble() *
                                     (bar.label.endsWith(QLatin1StringView(" km")) ? 1000 : 1);
                const double slack = (s.m_nDisplayFactor + 2) * MetresPerPixel(s);
                EXPECT_NEAR(onMap, label, slack)
                    << name << " " << width << " zoom " << zoom << " " << qPrintable(bar.label);
                // A round length a quarter of the window wide at most, and
                // more than a tenth of it; its label is drawn above it.
                EXPECT_LE(run.length, width / 4 + s.m_nDisplayFactor + 1);
                EXPECT_GT(run.length, width / 10);
                const int f = s.m_nDisplayFactor;
                EXPECT_GT(DarkPixelsIn(image, QRect(run.left, run.row - 14 * f, run.length, 9 * f)), 10 * f)
                    << "no label above the bar";
                // Above the status lines, which start at 143 of 158 template units.
                EXPECT_LT(run.row, height * 143 / 158);
            }
        }
    }
}

TEST(ScaleBar, NotDrawnWithoutAMap)
{
    MapState s;
    s.m_nClientWidth = 480;
    s.m_nClientHeight = 640;
    s.m_nDisplayFactor = 2;
    s.m_dMapScale = 1000;
    EXPECT_LT(LongestBlackRun(RenderMapImage(s)).length, 20);
}

} // namespace
