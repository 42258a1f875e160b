#include "gps/Navigation.h"

#include "route/ShortestPath.h"
#include "map/Geometry.h"

#include <cmath>

namespace {

// 180 / 3.14, not 180 / π: the bearings the guidance has always compared.
constexpr double K = 57.324840764331206;

}  // namespace

int TurnCode(double t, double z)
{
    if (z > t) {
        const double a = z - t;
        if (a >= 30 && a <= 150)
            return kTurnLeft;
        if (a > 150 && a < 210)
            return kTurnBack;
        if (a >= 210 && a <= 330)
            return kTurnRight;
        return kStraightOn;
    }
    const double a = t - z;
    if (a >= 30 && a <= 150)
        return kTurnRight;
    if (a > 150 && a < 210)
        return kTurnBack;
    if (a > 210 && a < 330)
        return kTurnLeft;
    return kStraightOn;
}

double Bearing(int32_t x1, int32_t y1, int32_t x2, int32_t y2)
{
    const int64_t dx = int64_t(x2) - x1;
    const int64_t dy = int64_t(y1) - y2;  // north positive
    if (dy == 0)
        return dx < 0 ? 180 : 0;
    if (dx == 0)
        return dy > 0 ? 90 : 270;
    const double angle = std::atan2(double(dy), double(dx)) * K;
    return dy > 0 ? angle : angle + 360;
}

std::optional<Guidance> GuidanceAt(const MapData& map, const RouteResult& route, const QString& fromWay,
                                   const QString& toWay, MapPoint g)
{
    const std::vector<MapPoint>& pts = route.m_routePoints;
    const std::vector<int>& nodes = route.m_routeNodes;
    const int n = std::min({route.m_nRouteLast, int(pts.size()) - 1, int(nodes.size()) - 1});
    if (n < 1)
        return std::nullopt;
    // The nearest leg, leg i joining point i + 1 (behind) to point i (ahead);
    // on a tie the leg nearer the start.
    int best = 1000;
    int i = -1;
    for (int k = n; k >= 1; --k) {
        const double d = SegmentDistance(g.x, g.y, pts[k].x, pts[k].y, pts[k - 1].x, pts[k - 1].y);
        if (d < best) {
            best = static_cast<int>(d);
            i = k - 1;
        }
    }
    if (i < 0 || best > 100)
        return std::nullopt;
    QString name = EdgeStreetName(map, nodes[i], nodes[i + 1]);
    const MapPoint f = NearestPointOnSegment(g.x, g.y, pts[i + 1].x, pts[i + 1].y, pts[i].x, pts[i].y);
    if (PointDistance(f, pts[i + 1]) < 20.0 && i == n - 1)
        return Guidance{kStraightOn, fromWay};
    const double e = PointDistance(f, pts[i]);  // still to go on this leg
    if (i == 0) {
        if (e > 50.0)
            return Guidance{kStraightOn, toWay};
        if (e < 50.0)
            return std::nullopt;  // the destination is reached
    }
    const double t = Bearing(pts[i + 1], f);
    double z = 0;
    if (e < 50.0) {
        // A junction is close ahead: the turn onto the next street.
        z = Bearing(pts[i], pts[i - 1]);
        name = EdgeStreetName(map, nodes[i], nodes[i - 1]);
    } else if (e > 50.0) {
        z = Bearing(f, pts[i]);
    } else if (PointDistance(pts[i + 1], f) < 20.0) {
        return Guidance{kStraightOn, name};
    }
    return Guidance{TurnCode(t, z), name};
}
