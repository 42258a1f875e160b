// Guidance a driver follows, written as drives: a small road map, a route
// found on it, and at each position the next turn and its distance, what is
// left, the sentences spoken, arrival, and leaving the route.
#include "gps/DriveGuide.h"
#include "route/RoadMaps.h"
#include "route/RouteState.h"
#include "route/ShortestPath.h"

#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <numeric>

namespace {

//   A(1)------B(2)           East along Phố Huế, right into Hàng Bài,
//             |              left into Tràng Tiền. One map unit is half a
//   E(5)------C(3)----D(4)   metre: the junctions are 1000, 500 and 500 m
//   |                        apart. E and F give a way round by Lý Thái Tổ.
//   F(6)------G(7)
class DriveOnMap : public ::testing::Test {
protected:
    DriveOnMap()
        : map(BuildRoadMap({{0, 0}, {2000, 0}, {2000, 1000}, {3000, 1000}, {0, 1000}, {0, 2000}, {2000, 2000}},
                           {{1, 2, false, QStringLiteral("Phố Huế")},
                            {2, 3, false, QStringLiteral("Hàng Bài")},
                            {3, 4, false, QStringLiteral("Tràng Tiền")},
                            {5, 3, false, QStringLiteral("Hai Bà Trưng")},
                            {1, 5, false, QStringLiteral("Lý Thái Tổ")},
                            {5, 6, false, QStringLiteral("Lý Thái Tổ")},
                            {6, 7, false, QStringLiteral("Lê Duẩn")}}))
    {
        map.m_dMapScale = 500;
        pick.m_ptToTap = {2900, 1000};
        pick.m_segTo = {MapPoint{2000, 1000}, MapPoint{3000, 1000}};
        pick.m_strToWay = QStringLiteral("Trường");
        EXPECT_EQ(FindShortestRoute(map, avoid, route, {100, 0}, {0, 0}, {2000, 0}, pick.m_ptToTap, pick.m_segTo[0],
                                    pick.m_segTo[1], QStringLiteral("Nhà"), pick.m_strToWay),
                  1);
    }
    GuidancePass Step(MapPoint g, double knots = 0, qint64 nowMs = 0)
    {
        return guide.Step(map, route, QStringLiteral("Nhà"), pick.m_strToWay, g, knots, nowMs);
    }
    std::vector<int> AllWays() const
    {
        std::vector<int> ways(map.m_nWayLast + 1);
        std::iota(ways.begin(), ways.end(), 0);
        return ways;
    }

    MapData map;
    AvoidState avoid;
    RouteResult route;
    RoutePickState pick;
    DriveGuide guide;
};

struct Expected {
    const char* where;
    MapPoint position;
    double knots;
    int code; // 0: no arrow
    const char* street;
    const char* distance;
    const char* status;
    QStringList spoken;
};

TEST_F(DriveOnMap, TheNextTurnFrom300MetresWhatIsLeftAndTheSentencesOnceEach)
{
    const double kmh30 = 30 / 1.852;
    const Expected drive[] = {
        {"at the start, too slow for its own speed",
         {100, 0},
         1.0,
         kStraightOn,
         "Nhà",
         "950 m",
         "Còn 1,9 km · 4 phút",
         {}},
        {"along the first street", {1020, 10}, kmh30, kStraightOn, "Phố Huế", "490 m", "Còn 1,4 km · 3 phút", {}},
        {"301 m before the turn", {1398, 0}, kmh30, kStraightOn, "Phố Huế", "300 m", "Còn 1,3 km · 3 phút", {}},
        {"250 m before it",
         {1500, 0},
         kmh30,
         kTurnRight,
         "Hàng Bài",
         "250 m",
         "Còn 1,2 km · 3 phút",
         {"Sau 250 mét, rẽ phải vào Hàng Bài"}},
        {"190 m before it", {1620, 0}, kmh30, kTurnRight, "Hàng Bài", "190 m", "Còn 1,1 km · 3 phút", {}},
        {"40 m before it",
         {1920, 0},
         kmh30,
         kTurnRight,
         "Hàng Bài",
         "40 m",
         "Còn 990 m · 2 phút",
         {"Rẽ phải vào Hàng Bài"}},
        {"30 m before it", {1940, 0}, kmh30, kTurnRight, "Hàng Bài", "30 m", "Còn 980 m · 2 phút", {}},
        {"halfway down Hàng Bài at 60 km/h",
         {2000, 500},
         2 * kmh30,
         kTurnLeft,
         "Tràng Tiền",
         "250 m",
         "Còn 700 m · 1 phút",
         {"Sau 250 mét, rẽ trái vào Tràng Tiền"}},
        {"at the second turn",
         {2000, 960},
         kmh30,
         kTurnLeft,
         "Tràng Tiền",
         "20 m",
         "Còn 470 m · 1 phút",
         {"Rẽ trái vào Tràng Tiền"}},
        {"on the last street", {2500, 1000}, kmh30, kStraightOn, "Trường", "200 m", "Còn 200 m · 1 phút", {}},
        {"30 m short of the end", {2840, 1000}, kmh30, kStraightOn, "Trường", "30 m", "Còn 30 m · 1 phút", {}},
        {"20 m short of it", {2860, 1000}, kmh30, 0, "", "", "Đã đến nơi", {"Đã đến nơi"}},
        {"10 m short of it", {2880, 1000}, kmh30, 0, "", "", "Đã đến nơi", {}},
    };
    for (const Expected& e : drive) {
        SCOPED_TRACE(e.where);
        const GuidancePass pass = Step(e.position, e.knots);
        const std::optional<Guidance> arrow =
            e.code ? std::optional(Guidance{e.code, QString::fromUtf8(e.street)}) : std::nullopt;
        EXPECT_EQ(pass.arrow, arrow);
        EXPECT_EQ(pass.distance, QString::fromUtf8(e.distance));
        EXPECT_EQ(pass.status, QString::fromUtf8(e.status));
        EXPECT_EQ(pass.spoken, e.spoken);
        EXPECT_EQ(pass.arrived, e.code == 0);
        EXPECT_FALSE(pass.reroute);
    }
}

TEST(DriveTexts, DistancesWithADecimalCommaAndTurnSentences)
{
    EXPECT_EQ(DistanceText(4), QStringLiteral("0 m"));
    EXPECT_EQ(DistanceText(146), QStringLiteral("150 m"));
    EXPECT_EQ(DistanceText(994), QStringLiteral("990 m"));
    EXPECT_EQ(DistanceText(996), QStringLiteral("1,0 km"));
    EXPECT_EQ(DistanceText(12345), QStringLiteral("12,3 km"));
    EXPECT_EQ(TurnSentence(kTurnLeft, QStringLiteral("Phố Huế"), 190),
              QStringLiteral("Sau 200 mét, rẽ trái vào Phố Huế"));
    EXPECT_EQ(TurnSentence(kTurnRight, QStringLiteral("Phố Huế"), std::nullopt), QStringLiteral("Rẽ phải vào Phố Huế"));
    EXPECT_EQ(TurnSentence(kTurnRight, QString(), std::nullopt), QStringLiteral("Rẽ phải"));
    EXPECT_EQ(TurnSentence(kTurnBack, QStringLiteral("Phố Huế"), std::nullopt), QStringLiteral("Quay đầu"));
    EXPECT_EQ(TurnSentence(kTurnBack, QStringLiteral("Phố Huế"), 280), QStringLiteral("Sau 300 mét, quay đầu"));
}

// The driver goes straight on at B instead of turning: three fixes more than
// 40 m off every leg call for a search, and the new route from there names
// the streets of the way round.
TEST_F(DriveOnMap, LeavingTheRouteSearchesFromTheNearestStreetAtMostEveryTenSeconds)
{
    // Past B to the west of it, on Lý Thái Tổ going south from A: 50 m off.
    const MapPoint off[] = {{0, 200}, {0, 300}, {0, 400}};
    const QStringList expectedCalls[] = {{}, {}, {"Đang tìm đường mới"}};
    for (int k = 0; k < 3; ++k) {
        const GuidancePass pass = Step(off[k], 0, 1000 * k);
        EXPECT_EQ(pass.reroute, k == 2) << k;
        EXPECT_EQ(pass.spoken, expectedCalls[k]) << k;
    }
    ASSERT_TRUE(RouteFromHere(map, avoid, route, pick, AllWays(), {10, 420}));
    guide.NewRoute();
    EXPECT_EQ(route.m_routePoints[route.m_nRouteLast], (MapPoint{0, 420}));
    EXPECT_EQ(pick.m_strFromWay, QStringLiteral("Lý Thái Tổ"));
    const GuidancePass next = Step({0, 600}, 0, 3000);
    ASSERT_TRUE(next.arrow);
    EXPECT_EQ(*next.arrow, (Guidance{kTurnLeft, QStringLiteral("Hai Bà Trưng")}));
    EXPECT_EQ(next.distance, QStringLiteral("200 m"));
    EXPECT_FALSE(next.reroute);

    // Wandering on and on: one search at most every 10 s, and the status
    // line says when none found a route.
    std::vector<qint64> searches;
    for (qint64 ms = 4000; ms <= 30000; ms += 1000) {
        if (Step({5000, 5000}, 0, ms).reroute) {
            searches.push_back(ms);
            guide.RerouteFailed();
        }
    }
    EXPECT_EQ(searches, (std::vector<qint64>{12000, 22000}));
    EXPECT_EQ(Step({5000, 5000}, 0, 30500).status, QStringLiteral("Không tìm được đường mới"));
    EXPECT_TRUE(Step({0, 1000}, 0, 31000).status.startsWith(QStringLiteral("Còn ")));
}

TEST_F(DriveOnMap, NoStreetToStartFromOrNoRouteKeepsTheOldRoute)
{
    const RouteResult before = route;
    EXPECT_FALSE(RouteFromHere(map, avoid, route, pick, {}, {10, 420}));
    // Lê Duẩn is reached only through E and F: with E avoided nothing leads on.
    avoid.m_bAvoidActive = 1;
    avoid.ToggleNode(5);
    EXPECT_FALSE(RouteFromHere(map, avoid, route, pick, AllWays(), {1000, 2010}));
    EXPECT_EQ(route.m_routePoints, before.m_routePoints);
    EXPECT_EQ(pick.m_strFromWay, QString());
}

} // namespace

namespace {

// The voice the speech service speaks guidance with: espeak-ng's Vietnamese
// turns a sentence into sound, so a missing voice fails here, not on a drive.
TEST(VietnameseVoice, ASentenceBecomesAWaveFile)
{
    QTemporaryDir dir;
    const QString wav = dir.filePath(QStringLiteral("turn.wav"));
    QProcess espeak;
    espeak.setStandardInputFile(QProcess::nullDevice());
    espeak.start(QStringLiteral("espeak-ng"), {QStringLiteral("-v"), QStringLiteral("vi"), QStringLiteral("-w"), wav,
                                               TurnSentence(kTurnRight, QStringLiteral("Phố Huế"), std::nullopt)});
    ASSERT_TRUE(espeak.waitForFinished(30000)) << espeak.errorString().toStdString();
    EXPECT_EQ(espeak.exitCode(), 0) << espeak.readAllStandardError().toStdString();
    QFile sound(wav);
    ASSERT_TRUE(sound.open(QIODevice::ReadOnly));
    const QByteArray bytes = sound.readAll();
    EXPECT_TRUE(bytes.startsWith("RIFF"));
    EXPECT_GT(bytes.size(), 44 + 8000); // more than its header: about a second of sound
}

} // namespace
