// Guidance written as data: a small road map, a route on it, and the arrow
// and street name expected at each position along it.
#include "gps/Navigation.h"
#include "route/ShortestPath.h"
#include "support/MapBuilder.h"

#include <gtest/gtest.h>

namespace {

constexpr int kNothing = 0;

struct Expected {
    const char* where;
    MapPoint position;
    int code;  // kNothing: nothing is drawn
    const char* text;
};

// Builds a map of junctions joined by named streets, and a route through the
// junctions in travel order (stored from the destination back, as found).
class RouteOnMap {
public:
    RouteOnMap(std::vector<std::pair<char, MapPoint>> junctions, std::vector<std::pair<QString, std::string>> streets)
        : m_junctions(std::move(junctions))
    {
        for (const auto& [name, letters] : streets)
            m_map.Way(name, {At(letters[0]), At(letters[1])});
        for (size_t n = 0; n < m_junctions.size(); ++n) {
            std::vector<int> ways;
            for (size_t w = 0; w < streets.size(); ++w) {
                if (streets[w].second.find(m_junctions[n].first) != std::string::npos)
                    ways.push_back(int(w) + 1);
            }
            NodeList waysOf;
            waysOf.fill(-1);
            std::copy(ways.begin(), ways.end(), waysOf.begin());
            m_map.Node(int(n) + 1, m_junctions[n].second, {}, {});
            m_state.m_pNodeWays[n + 1] = waysOf;
        }
        m_map.Finish();
    }
    MapPoint At(char letter) const
    {
        for (const auto& [l, p] : m_junctions) {
            if (l == letter)
                return p;
        }
        return {};
    }
    int Node(char letter) const
    {
        for (size_t n = 0; n < m_junctions.size(); ++n) {
            if (m_junctions[n].first == letter)
                return int(n) + 1;
        }
        return 0;
    }
    RouteResult Route(const std::string& path) const
    {
        RouteResult route;
        for (auto it = path.rbegin(); it != path.rend(); ++it) {
            route.m_routePoints.push_back(At(*it));
            route.m_routeNodes.push_back(Node(*it));
        }
        route.m_nRouteLast = int(path.size()) - 1;
        return route;
    }
    void Expect(const RouteResult& route, const std::vector<Expected>& steps) const
    {
        for (const Expected& step : steps) {
            SCOPED_TRACE(step.where);
            const auto shown = GuidanceAt(m_state, route, QStringLiteral("Nhà"), QStringLiteral("Trường"), step.position);
            const std::optional<Guidance> expected =
                step.code == kNothing ? std::nullopt : std::optional(Guidance{step.code, QString::fromUtf8(step.text)});
            EXPECT_EQ(shown, expected);
        }
    }

private:
    std::vector<std::pair<char, MapPoint>> m_junctions;
    MapState m_state;
    MapBuilder m_map{m_state, 5000, 5000};
};

//   A-------B          East along Phố Huế, right into Hàng Bài (south),
//           |          left into Tràng Tiền (east).
//           C-------D
TEST(Guidance, RightAndLeftAtRightAnglesStraightBetweenAndTheEnds)
{
    const RouteOnMap map({{'A', {0, 0}}, {'B', {1000, 0}}, {'C', {1000, 1000}}, {'D', {2000, 1000}}},
                         {{QStringLiteral("Phố Huế"), "AB"}, {QStringLiteral("Hàng Bài"), "BC"},
                          {QStringLiteral("Tràng Tiền"), "CD"}});
    map.Expect(map.Route("ABCD"),
               {{"just after the start", {15, 5}, kStraightOn, "Nhà"},
                {"along the first street", {500, 30}, kStraightOn, "Phố Huế"},
                {"before turning south", {960, 10}, kTurnRight, "Hàng Bài"},
                {"along the street south", {1010, 500}, kStraightOn, "Hàng Bài"},
                {"before turning east", {990, 960}, kTurnLeft, "Tràng Tiền"},
                {"on the last street, short of the end", {1500, 1020}, kStraightOn, "Trường"},
                {"at the destination", {1970, 1000}, kNothing, ""},
                {"off the route by more than 100", {500, 160}, kNothing, ""},
                {"back within 100", {600, 90}, kStraightOn, "Phố Huế"}});
}

//   A-------B          North along Phố Huế, then back the way it came.
TEST(Guidance, ARouteThatDoublesBackIsATurnBack)
{
    const RouteOnMap map({{'A', {0, 1000}}, {'B', {0, 0}}, {'C', {0, 800}}},
                         {{QStringLiteral("Phố Huế"), "AB"}, {QStringLiteral("Ngõ Cụt"), "BC"}});
    map.Expect(map.Route("ABC"), {{"before the end of the street", {0, 30}, kTurnBack, "Ngõ Cụt"}});
}

// Turns measured in the guidance's own degrees (180 / 3.14 to the radian): a
// turn of 30 of them is a turn, one just under is straight on.
TEST(Guidance, ThirtyDegreesIsATurnJustUnderIsStraightOn)
{
    const auto turnAtB = [](MapPoint c) {
        const RouteOnMap map({{'A', {0, 0}}, {'B', {1000, 0}}, {'C', c}},
                             {{QStringLiteral("Phố Huế"), "AB"}, {QStringLiteral("Hàng Bài"), "BC"}});
        return GuidanceAt(MapState(), map.Route("ABC"), {}, {}, {970, 0});
    };
    // North-east at 30.0002 of them (atan(577/1000) × 180 / 3.14): a left turn.
    EXPECT_EQ(turnAtB({2000, -577})->code, kTurnLeft);
    // At 29.96 of them: straight on.
    EXPECT_EQ(turnAtB({2000, -576})->code, kStraightOn);
}

TEST(Bearing, CountsCounterClockwiseFromEastWithTheAxesExact)
{
    EXPECT_EQ(Bearing(0, 0, 10, 0), 0);
    EXPECT_EQ(Bearing(0, 0, 0, -10), 90);  // north: up on the map
    EXPECT_EQ(Bearing(0, 0, -10, 0), 180);
    EXPECT_EQ(Bearing(0, 0, 0, 10), 270);
    EXPECT_EQ(Bearing(5, 5, 5, 5), 0);
    EXPECT_DOUBLE_EQ(Bearing(0, 0, 10, -10), std::atan2(10.0, 10.0) * 180 / 3.14);
    EXPECT_DOUBLE_EQ(Bearing(0, 0, 10, 10), std::atan2(-10.0, 10.0) * 180 / 3.14 + 360);
}

}  // namespace
