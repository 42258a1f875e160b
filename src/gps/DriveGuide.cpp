#include "gps/DriveGuide.h"

#include "gps/GpsDisplay.h"
#include "map/Geometry.h"
#include "route/RouteState.h"
#include "route/ShortestPath.h"

#include <cmath>
#include <limits>
#include <vector>

namespace {

// The last index both route arrays hold.
int LastPoint(const RouteResult& route)
{
    return std::min({route.m_nRouteLast, int(route.m_routePoints.size()) - 1, int(route.m_routeNodes.size()) - 1});
}

// The route left from each point to the destination, in map units.
std::vector<double> LeftFrom(const std::vector<MapPoint>& pts, int last)
{
    std::vector<double> left(last + 1, 0.0);
    for (int k = 1; k <= last; ++k)
        left[k] = left[k - 1] + PointDistance(pts[k], pts[k - 1]);
    return left;
}

// The turn at route point j: from the direction it is reached in to the
// direction it is left in, each taken from the nearest point apart from it
// (a route may hold a point twice).
int TurnAt(const std::vector<MapPoint>& pts, int j, int last)
{
    int behind = j + 1, ahead = j - 1;
    while (behind < last && pts[behind] == pts[j])
        ++behind;
    while (ahead > 0 && pts[ahead] == pts[j])
        --ahead;
    if (pts[behind] == pts[j] || pts[ahead] == pts[j])
        return kStraightOn;
    return TurnCode(Bearing(pts[behind], pts[j]), Bearing(pts[j], pts[ahead]));
}

QString Decimal(double value)
{
    return QString::number(value, 'f', 1).replace(QLatin1Char('.'), QLatin1Char(','));
}

} // namespace

double MetresPerMapUnit(const MapData& map)
{
    return map.m_dMapScale * 0.001;
}

QString DistanceText(double metres)
{
    const double tens = std::round(metres / 10) * 10;
    if (tens < 1000)
        return QStringLiteral("%1 m").arg(static_cast<int>(tens));
    return Decimal(metres / 1000) + QStringLiteral(" km");
}

std::optional<RouteProgress> ProgressOnRoute(const RouteResult& route, MapPoint g)
{
    const std::vector<MapPoint>& pts = route.m_routePoints;
    const int last = LastPoint(route);
    if (last < 1)
        return std::nullopt;
    RouteProgress at;
    at.offRoute = -1;
    for (int k = last; k >= 1; --k) {
        const double d = SegmentDistance(g.x, g.y, pts[k].x, pts[k].y, pts[k - 1].x, pts[k - 1].y);
        if (at.offRoute < 0 || d < at.offRoute) {
            at.offRoute = d;
            at.leg = k - 1;
        }
    }
    const int i = at.leg;
    at.foot = NearestPointOnSegment(g.x, g.y, pts[i + 1].x, pts[i + 1].y, pts[i].x, pts[i].y);
    at.remaining = PointDistance(at.foot, pts[i]) + LeftFrom(pts, i)[i];
    return at;
}

std::optional<NextTurn> NextTurnAhead(const MapData& map, const RouteResult& route, const RouteProgress& at)
{
    const std::vector<MapPoint>& pts = route.m_routePoints;
    const int last = LastPoint(route);
    if (at.leg < 1)
        return std::nullopt; // on the last leg nothing turns any more
    const std::vector<double> left = LeftFrom(pts, at.leg);
    const double toLegEnd = PointDistance(at.foot, pts[at.leg]);
    for (int j = at.leg; j >= 1; --j) {
        const int code = TurnAt(pts, j, last);
        if (code == kStraightOn)
            continue;
        const QString street = EdgeStreetName(map, route.m_routeNodes[j], route.m_routeNodes[j - 1]);
        return NextTurn{j, code, street, toLegEnd + left[at.leg] - left[j]};
    }
    return std::nullopt;
}

QString TurnSentence(int code, const QString& street, std::optional<double> metresBefore)
{
    QString turn;
    if (code == kTurnBack)
        turn = QStringLiteral("quay đầu");
    else
        turn = code == kTurnLeft ? QStringLiteral("rẽ trái") : QStringLiteral("rẽ phải");
    if (code != kTurnBack && !street.isEmpty())
        turn += QStringLiteral(" vào ") + street;
    if (metresBefore) {
        const int fifties = static_cast<int>(std::lround(*metresBefore / 50) * 50);
        return QStringLiteral("Sau %1 mét, ").arg(fifties) + turn;
    }
    return turn.left(1).toUpper() + turn.mid(1);
}

QString RemainingText(double metres, double knots)
{
    double kmh = knots * 1.852;
    if (kmh < DriveGuide::kSlowestKmh)
        kmh = DriveGuide::kAssumedKmh;
    const int minutes = static_cast<int>(std::ceil(metres / 1000 / kmh * 60));
    return QStringLiteral("Còn %1 · %2 phút").arg(DistanceText(metres)).arg(minutes);
}

void DriveGuide::NewRoute()
{
    m_nOffRouteFixes = 0;
    m_bSearchFailed = false;
    m_bArrived = false;
    m_nEarlyCalled = m_nTurnCalled = -1;
}

void DriveGuide::RerouteFailed()
{
    m_bSearchFailed = true;
}

bool DriveGuide::RerouteDue(bool offRoute, qint64 nowMs)
{
    m_nOffRouteFixes = offRoute ? m_nOffRouteFixes + 1 : 0;
    if (m_nOffRouteFixes < kOffRouteFixes)
        return false;
    if (m_lastSearchMs && nowMs - *m_lastSearchMs < kRerouteIntervalMs)
        return false;
    m_lastSearchMs = nowMs;
    return true;
}

void DriveGuide::CallTurn(const NextTurn& turn, double metres, QStringList& spoken)
{
    if (metres < kTurnCallMetres) {
        if (m_nTurnCalled != turn.point)
            spoken << TurnSentence(turn.code, turn.street, std::nullopt);
        m_nTurnCalled = turn.point;
    } else if (metres > kEarlyCallMetres && metres <= kTurnShownMetres) {
        if (m_nEarlyCalled != turn.point)
            spoken << TurnSentence(turn.code, turn.street, metres);
        m_nEarlyCalled = turn.point;
    }
}

GuidancePass DriveGuide::Step(const MapData& map, const RouteResult& route, const QString& fromWay,
                              const QString& toWay, MapPoint g, double knots, qint64 nowMs)
{
    GuidancePass pass;
    const std::optional<RouteProgress> at = ProgressOnRoute(route, g);
    if (!at)
        return pass;
    const double metresPerUnit = MetresPerMapUnit(map);
    const bool offRoute = at->offRoute * metresPerUnit > kOffRouteMetres;
    if (RerouteDue(offRoute, nowMs)) {
        pass.reroute = true;
        pass.spoken << QStringLiteral("Đang tìm đường mới");
        return pass;
    }
    const double remaining = at->remaining * metresPerUnit;
    if (!offRoute && remaining < kArrivalMetres) {
        pass.arrived = true;
        pass.status = QStringLiteral("Đã đến nơi");
        if (!m_bArrived)
            pass.spoken << pass.status;
        m_bArrived = true;
        return pass;
    }
    if (!offRoute)
        m_bSearchFailed = false;
    pass.status = m_bSearchFailed ? QStringLiteral("Không tìm được đường mới") : RemainingText(remaining, knots);
    if (offRoute)
        return pass; // the last arrow stays until the route is found again
    const std::optional<NextTurn> turn = NextTurnAhead(map, route, *at);
    const double toTurn = turn ? turn->distance * metresPerUnit : remaining;
    pass.distance = DistanceText(toTurn);
    if (turn && toTurn <= kTurnShownMetres) {
        pass.arrow = Guidance{turn->code, turn->street};
        CallTurn(*turn, toTurn, pass.spoken);
        return pass;
    }
    // Farther from the turn: straight on, named as the arrows name the street
    // in use, also where they would draw nothing.
    pass.arrow = GuidanceAt(map, route, fromWay, toWay, g);
    if (!pass.arrow || pass.arrow->code != kStraightOn)
        pass.arrow =
            Guidance{kStraightOn, EdgeStreetName(map, route.m_routeNodes[at->leg], route.m_routeNodes[at->leg + 1])};
    return pass;
}

bool RouteFromHere(MapData& map, const AvoidState& avoid, RouteResult& route, RoutePickState& pick,
                   const std::vector<int>& ways, MapPoint g)
{
    WaySegment street = NearestWaySegment(map, ways, g, std::numeric_limits<int>::max());
    if (street.way < 0)
        return false;
    KeepTravelEnd(map, street.way, true, street.a, street.b);
    const MapPoint start = NearestPointOnSegment(g.x, g.y, street.a.x, street.a.y, street.b.x, street.b.y);
    const QString name = map.m_strWayName[street.way];
    if (!FindShortestRoute(map, avoid, route, start, street.a, street.b, pick.m_ptToTap, pick.m_segTo[0],
                           pick.m_segTo[1], name, pick.m_strToWay))
        return false;
    pick.m_ptFromTap = start;
    pick.m_segFrom = {street.a, street.b};
    pick.m_strFromWay = name;
    return true;
}
