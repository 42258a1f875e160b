#include "map/Geometry.h"

#include <algorithm>
#include <climits>
#include <cmath>
#include <cstdlib>

int32_t TruncateToInt32(double v)
{
    if (!(v > double(INT32_MIN)))
        return INT32_MIN;
    if (!(v < double(INT32_MAX)))
        return INT32_MAX;
    return static_cast<int32_t>(v);
}

double PointDistance(int32_t x1, int32_t y1, int32_t x2, int32_t y2)
{
    // A difference of two 32-bit values needs 33 bits and its square 64 bits
    // unsigned; the sum of two squares is formed in 128 bits so that it stays
    // exact and equal distances stay equal.
    const uint64_t dx = static_cast<uint64_t>(std::abs(int64_t(x1) - x2));
    const uint64_t dy = static_cast<uint64_t>(std::abs(int64_t(y1) - y2));
    const unsigned __int128 sum = static_cast<unsigned __int128>(dx * dx) + dy * dy;
    return std::sqrt(static_cast<double>(sum));
}

bool InBoundingBox(int32_t px, int32_t py, int32_t ax, int32_t ay, int32_t bx, int32_t by)
{
    const auto between = [](int64_t p, int64_t a, int64_t b) {
        // The sign of (p − a)(p − b) without forming a product that could overflow.
        return (p >= a && p <= b) || (p <= a && p >= b);
    };
    return between(px, ax, bx) && between(py, ay, by);
}

MapPoint ProjectOnLine(int32_t px, int32_t py, int32_t ax, int32_t ay, int32_t bx, int32_t by)
{
    if (ax == bx)
        return ay == by ? MapPoint{ax, ay} : MapPoint{ax, py};
    if (ay == by)
        return {px, ay};
    const double dx = double(int64_t(ax) - bx);
    const double m = double(int64_t(ay) - by) / dx;
    const double c = double(int64_t(ax) * by - int64_t(ay) * bx) / dx;
    const double t = px / m + py;
    const double fy = (c + t * m * m) / (m * m + 1.0);
    const double fx = (t - fy) * m;
    return {TruncateToInt32(fx), TruncateToInt32(fy)};
}

MapPoint ProjectOnSegment(int32_t px, int32_t py, int32_t ax, int32_t ay, int32_t bx, int32_t by)
{
    const MapPoint foot = ProjectOnLine(px, py, ax, ay, bx, by);
    return InBoundingBox(foot.x, foot.y, ax, ay, bx, by) ? foot : MapPoint{0, 0};
}

double SegmentDistance(int32_t px, int32_t py, int32_t ax, int32_t ay, int32_t bx, int32_t by)
{
    const MapPoint foot = ProjectOnLine(px, py, ax, ay, bx, by);
    if (InBoundingBox(foot.x, foot.y, ax, ay, bx, by))
        return PointDistance(px, py, foot.x, foot.y);
    return std::min(PointDistance(px, py, ax, ay), PointDistance(px, py, bx, by));
}

MapPoint NearestPointOnSegment(int32_t px, int32_t py, int32_t ax, int32_t ay, int32_t bx, int32_t by)
{
    const MapPoint foot = ProjectOnLine(px, py, ax, ay, bx, by);
    if (InBoundingBox(foot.x, foot.y, ax, ay, bx, by))
        return foot;
    return PointDistance(px, py, ax, ay) < PointDistance(px, py, bx, by) ? MapPoint{ax, ay} : MapPoint{bx, by};
}
