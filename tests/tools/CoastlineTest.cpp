// The sea from natural=coastline: OpenStreetMap draws the land on the left
// of a coastline. Small hand-drawn coasts, each in a box given by its
// north-west corner W and south-east corner E; digits are probe points, each
// known to lie on land or in the water, and looked up in the map as the
// program's renderer draws it.
#include "ToolTestSupport.h"

#include "MapCheck.h"

#include "view/MapState.h"
#include "view/Renderer.h"
#include "view/Viewport.h"

#include <QImage>

#include <gtest/gtest.h>

namespace {

QString Q(const char* utf8)
{
    return QString::fromUtf8(utf8);
}

// The map as the program's renderer draws it, whole, in a window of 480 ×
// 640 pixels.
class Drawing {
public:
    explicit Drawing(const MapData& map)
    {
        static_cast<MapData&>(m_state) = map;
        m_state.m_strMapPath = QStringLiteral("coast.kvp");
        FitViewToMap(m_state, m_state);
        m_state.m_dScale = m_state.m_dBaseScale * 0.4;
        m_state.m_nOriginX = m_state.m_nOriginY = 0;
        UpdateVisibleWays(m_state, m_state);
        m_state.m_bMapLoaded = 1;
        m_image = RenderMapImage(m_state);
    }
    bool IsWater(MapPoint p) const { return m_image.pixelColor(MapToScreen(m_state, p)) == kLakeColour; }

private:
    MapState m_state;
    QImage m_image;
};

struct Coast {
    const char* what;
    std::vector<std::string> rows;
    std::vector<std::string> coastlines; // node letters in OpenStreetMap's order
    const char* water;                   // probes in the sea
    const char* land;                    // probes on land
};

void PrintTo(const Coast& coast, std::ostream* out)
{
    *out << coast.what;
}

class CoastSketch : public ::testing::TestWithParam<Coast> {
protected:
    void SetUp() override
    {
        sketch = OsmSketch(GetParam().rows);
        sketch.Way(1, "xuyz", {{"highway", "residential"}, {"name", "Phố Ven Biển"}});
        int64_t id = 10;
        for (const std::string& coast : GetParam().coastlines)
            sketch.Way(id++, coast, {{"natural", "coastline"}});
        ImportOptions options = NoSimplify();
        options.box = GeoBox{{sketch.Where('W').lonE7, sketch.Where('E').latE7},
                             {sketch.Where('E').lonE7, sketch.Where('W').latE7}};
        map = ImportXml(sketch.Xml(), options);
        ASSERT_TRUE(map.ok) << map.error.toStdString();
    }
    MapPoint At(char probe) const { return MapPointOf(map.loaded, sketch.Where(probe)); }
    OsmSketch sketch{{}};
    Imported map;
};

TEST_P(CoastSketch, TheSeaIsDrawnAsWaterAndTheLandStaysLand)
{
    EXPECT_TRUE(CheckMapText(map.text).empty());
    const Drawing drawing(map.loaded);
    const auto water = [&](char probe) { return drawing.IsWater(At(probe)); };
    for (const char* probe = GetParam().water; *probe; ++probe)
        EXPECT_TRUE(water(*probe)) << GetParam().what << ": probe " << *probe;
    for (const char* probe = GetParam().land; *probe; ++probe)
        EXPECT_FALSE(water(*probe)) << GetParam().what << ": probe " << *probe;
    for (int l = 0; l <= map.loaded.m_nLakeLast; ++l)
        EXPECT_TRUE(map.loaded.m_strLakeName[l].isEmpty());
    EXPECT_TRUE(map.report.notes.join(QLatin1Char(' ')).contains(Q("hold the sea, made from the coastline")));
}

// The bay, a U open to the north, with an island in it; the same coast drawn
// the other way round is a peninsula, land within the U and sea around it.
const std::vector<std::string> kBay = {
    "       q               p       ", "  W                            ", "         3                     ",
    "           i-------j           ", "    4      |   1   |      5    ", "           l-------k           ",
    "                               ", "               2               ", "                               ",
    "       s---------------r       ", "                               ", "               6               ",
    "   x-------u-------y-------z  E",
};

// A coast that crosses the box's south edge twice: it comes in from the
// west, dips below the box and leaves to the east, the land to its north.
// The sea fills the two corners it cuts off.
const std::vector<std::string> kTwice = {
    "  W                            ", "   x-------u-------y-------z   ", "                               ",
    "a                             d", "                               ", "               4               ",
    "                               ", "   1           3           2   ", "                            E  ",
    "                               ", "                               ", "        b             c        ",
};

// An island alone in the box: the water lies all around it.
const std::vector<std::string> kIsland = {
    "  W                            ", "   x-------u-------y-------z   ", "                               ",
    "           i-------j           ", "    2      |   1   |      3    ", "           l-------k           ",
    "                            E  ",
};

INSTANTIATE_TEST_SUITE_P(Tools, CoastSketch,
                         ::testing::Values(Coast{"bay", kBay, {"prsq", "ilkji"}, "23", "1456"},
                                           Coast{"peninsula", kBay, {"qsrp"}, "456", "123"},
                                           Coast{"twice", kTwice, {"abcd"}, "12", "34"},
                                           Coast{"island", kIsland, {"ilkji"}, "23", "1"}),
                         [](const auto& info) { return std::string(info.param.what); });

} // namespace
