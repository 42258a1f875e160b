#include "Geometry.h"

#include "view/Viewport.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace {

constexpr double kEarthRadiusMetres = 6371008.8;
constexpr int64_t kGpsUnitsPerDegree = 600000;

// a / b rounded to the nearest integer, halves away from zero (b > 0).
int64_t RoundDiv(int64_t a, int64_t b)
{
    return a >= 0 ? (a + b / 2) / b : -((-a + b / 2) / b);
}

// a / b rounded down (b > 0).
int64_t FloorDiv(int64_t a, int64_t b)
{
    return a >= 0 ? a / b : -((-a + b - 1) / b);
}

MapPoint Lerp(MapPoint a, MapPoint b, double t)
{
    return {static_cast<int32_t>(std::lround(a.x + (b.x - a.x) * t)),
            static_cast<int32_t>(std::lround(a.y + (b.y - a.y) * t))};
}

// Liang-Barsky: narrows [t0, t1] to the part of a→b inside 0..xMax, 0..yMax.
bool ClipSegment(MapPoint a, MapPoint b, double xMax, double yMax, double& t0, double& t1)
{
    const double dx = double(b.x) - a.x;
    const double dy = double(b.y) - a.y;
    const double p[4] = {-dx, dx, -dy, dy};
    const double q[4] = {double(a.x), xMax - a.x, double(a.y), yMax - a.y};
    for (int k = 0; k < 4; ++k) {
        if (p[k] == 0.0) {
            if (q[k] < 0.0)
                return false;
            continue;
        }
        const double r = q[k] / p[k];
        if (p[k] < 0.0) {
            if (r > t1)
                return false;
            t0 = std::max(t0, r);
        } else {
            if (r < t0)
                return false;
            t1 = std::min(t1, r);
        }
    }
    return true;
}

// One edge of the box for Sutherland-Hodgman: inside test and crossing point.
struct ClipEdge {
    int axis;     // 0 = x, 1 = y
    double limit; // the edge's coordinate
    bool keepBelow;

    double Coord(MapPoint p) const { return axis == 0 ? p.x : p.y; }
    bool Inside(MapPoint p) const { return keepBelow ? Coord(p) <= limit : Coord(p) >= limit; }
    MapPoint Cross(MapPoint a, MapPoint b) const
    {
        const double t = (limit - Coord(a)) / (Coord(b) - Coord(a));
        MapPoint p = Lerp(a, b, t);
        (axis == 0 ? p.x : p.y) = static_cast<int32_t>(limit);
        return p;
    }
};

Polyline ClipRingToEdge(const Polyline& ring, const ClipEdge& edge)
{
    Polyline out;
    for (size_t i = 0; i < ring.size(); ++i) {
        const MapPoint a = ring[i];
        const MapPoint b = ring[(i + 1) % ring.size()];
        if (edge.Inside(a)) {
            out.push_back(a);
            if (!edge.Inside(b))
                out.push_back(edge.Cross(a, b));
        } else if (edge.Inside(b)) {
            out.push_back(edge.Cross(a, b));
        }
    }
    return out;
}

void KeepFarPoints(const Polyline& line, size_t first, size_t last, double tolerance, std::vector<char>& keep)
{
    std::vector<std::pair<size_t, size_t>> stack = {{first, last}};
    while (!stack.empty()) {
        const auto [a, b] = stack.back();
        stack.pop_back();
        double worst = -1.0;
        size_t at = a;
        for (size_t i = a + 1; i < b; ++i) {
            const double d = SegmentDistance(line[i].x, line[i].y, line[a].x, line[a].y, line[b].x, line[b].y);
            if (d > worst) {
                worst = d;
                at = i;
            }
        }
        if (worst > tolerance) {
            keep[at] = 1;
            stack.push_back({a, at});
            stack.push_back({at, b});
        }
    }
}

} // namespace

int32_t GpsX(GeoPoint p)
{
    return static_cast<int32_t>(RoundDiv(int64_t(p.lonE7) * 6, 100));
}

int32_t GpsY(GeoPoint p)
{
    return static_cast<int32_t>(-RoundDiv(int64_t(p.latE7) * 6, 100));
}

double MetresPerGpsUnit()
{
    return std::numbers::pi * kEarthRadiusMetres / 180.0 / kGpsUnitsPerDegree;
}

MapPoint Calibration::ToMap(GeoPoint p) const
{
    return {static_cast<int32_t>(FloorDiv(int64_t(GpsX(p)) - originX, unitsPerMapUnit)),
            static_cast<int32_t>(FloorDiv(int64_t(GpsY(p)) - originY, unitsPerMapUnit))};
}

Calibration CalibrationFor(const GeoBox& box)
{
    Calibration c;
    c.originX = GpsX(box.min);
    c.originY = GpsY(box.max);
    const int64_t spanX = int64_t(GpsX(box.max)) - c.originX;
    const int64_t spanY = int64_t(GpsY(box.min)) - c.originY;
    const int64_t span = std::max<int64_t>({spanX, spanY, 0});
    // The extent is span / S + 1 map units.
    c.unitsPerMapUnit = static_cast<int>(std::max<int64_t>(1, (span + kMaxMapExtent - 2) / (kMaxMapExtent - 1)));
    c.width = static_cast<int32_t>(spanX / c.unitsPerMapUnit + 1);
    c.height = static_cast<int32_t>(spanY / c.unitsPerMapUnit + 1);
    c.centreLatitude = (box.min.latE7 + double(box.max.latE7)) / 2.0 * 1e-7;
    // A map unit is S GPS units of latitude to the south but only cos(lat)
    // times that ground length to the east. The geometric mean of the two
    // errs by the same factor either way: at most ±3.5 % at 21° N.
    const double northSouth = c.unitsPerMapUnit * MetresPerGpsUnit();
    const double eastWest = northSouth * std::cos(c.centreLatitude * std::numbers::pi / 180.0);
    c.scale = std::sqrt(northSouth * eastWest) * 1000.0;
    return c;
}

std::vector<Polyline> ClipPolyline(const Polyline& line, const Calibration& frame)
{
    std::vector<Polyline> runs;
    Polyline current;
    const auto flush = [&] {
        RemoveRepeats(current);
        if (current.size() >= 2)
            runs.push_back(std::move(current));
        current.clear();
    };
    for (size_t i = 0; i + 1 < line.size(); ++i) {
        double t0 = 0.0, t1 = 1.0;
        if (!ClipSegment(line[i], line[i + 1], frame.width - 1, frame.height - 1, t0, t1)) {
            flush();
            continue;
        }
        const MapPoint from = t0 > 0.0 ? Lerp(line[i], line[i + 1], t0) : line[i];
        if (current.empty() || t0 > 0.0) {
            flush();
            current.push_back(from);
        }
        current.push_back(t1 < 1.0 ? Lerp(line[i], line[i + 1], t1) : line[i + 1]);
        if (t1 < 1.0)
            flush();
    }
    flush();
    return runs;
}

Polyline ClipRing(const Polyline& ring, const Calibration& frame)
{
    const ClipEdge edges[4] = {
        {0, 0.0, false}, {0, double(frame.width - 1), true}, {1, 0.0, false}, {1, double(frame.height - 1), true}};
    Polyline out = ring;
    for (const ClipEdge& edge : edges) {
        if (out.empty())
            break;
        out = ClipRingToEdge(out, edge);
    }
    RemoveRepeats(out);
    while (out.size() > 1 && out.front() == out.back())
        out.pop_back();
    return out.size() >= 3 ? out : Polyline();
}

void RemoveRepeats(Polyline& line)
{
    line.erase(std::unique(line.begin(), line.end()), line.end());
}

Polyline SimplifyLine(const Polyline& line, double tolerance)
{
    if (line.size() <= 2)
        return line;
    std::vector<char> keep(line.size(), 0);
    keep.front() = keep.back() = 1;
    KeepFarPoints(line, 0, line.size() - 1, tolerance, keep);
    Polyline out;
    for (size_t i = 0; i < line.size(); ++i) {
        if (keep[i])
            out.push_back(line[i]);
    }
    return out;
}

Polyline SimplifyRing(const Polyline& ring, double tolerance)
{
    if (ring.size() <= 3)
        return ring;
    // Split at the point farthest from the first; both halves keep their ends.
    size_t far = 1;
    for (size_t i = 1; i < ring.size(); ++i) {
        if (PointDistance(ring[0], ring[i]) > PointDistance(ring[0], ring[far]))
            far = i;
    }
    Polyline closed = ring;
    closed.push_back(ring.front());
    std::vector<char> keep(closed.size(), 0);
    keep[0] = keep[far] = keep.back() = 1;
    KeepFarPoints(closed, 0, far, tolerance, keep);
    KeepFarPoints(closed, far, closed.size() - 1, tolerance, keep);
    Polyline out;
    for (size_t i = 0; i + 1 < closed.size(); ++i) {
        if (keep[i])
            out.push_back(closed[i]);
    }
    return out;
}

std::vector<size_t> EvenCuts(size_t points, int maxPoints)
{
    const size_t last = points - 1;
    const size_t pieces = std::max<size_t>(1, (last + maxPoints - 2) / (maxPoints - 1));
    std::vector<size_t> cuts;
    for (size_t k = 0; k <= pieces; ++k)
        cuts.push_back(k * last / pieces);
    return cuts;
}

MapPoint RingCentre(const Polyline& ring)
{
    if (ring.empty())
        return {};
    double area = 0.0, cx = 0.0, cy = 0.0, sx = 0.0, sy = 0.0;
    for (size_t i = 0; i < ring.size(); ++i) {
        const MapPoint a = ring[i];
        const MapPoint b = ring[(i + 1) % ring.size()];
        const double cross = double(a.x) * b.y - double(b.x) * a.y;
        area += cross;
        cx += (double(a.x) + b.x) * cross;
        cy += (double(a.y) + b.y) * cross;
        sx += a.x;
        sy += a.y;
    }
    if (std::abs(area) < 1.0)
        return {static_cast<int32_t>(std::lround(sx / ring.size())),
                static_cast<int32_t>(std::lround(sy / ring.size()))};
    return {static_cast<int32_t>(std::lround(cx / (3.0 * area))), static_cast<int32_t>(std::lround(cy / (3.0 * area)))};
}

std::vector<std::vector<int64_t>> JoinRings(std::vector<std::vector<int64_t>> pieces, int* open)
{
    std::vector<std::vector<int64_t>> rings;
    int unclosed = 0;
    std::erase_if(pieces, [](const auto& p) { return p.size() < 2; });
    while (!pieces.empty()) {
        std::vector<int64_t> ring = std::move(pieces.front());
        pieces.erase(pieces.begin());
        while (ring.front() != ring.back()) {
            const auto next = std::find_if(pieces.begin(), pieces.end(), [&](const auto& p) {
                return p.front() == ring.back() || p.back() == ring.back();
            });
            if (next == pieces.end())
                break;
            if (next->front() != ring.back())
                std::reverse(next->begin(), next->end());
            ring.insert(ring.end(), next->begin() + 1, next->end());
            pieces.erase(next);
        }
        if (ring.front() == ring.back() && ring.size() >= 4)
            rings.push_back(std::move(ring));
        else
            ++unclosed;
    }
    if (open)
        *open = unclosed;
    return rings;
}
