#include "Geometry.h"

#include "view/Viewport.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <map>
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

QString DegreesText(double latitude, double longitude)
{
    return QStringLiteral("%1 %2 %3 %4")
        .arg(std::abs(latitude), 0, 'f', 5)
        .arg(latitude < 0.0 ? QLatin1Char('S') : QLatin1Char('N'))
        .arg(std::abs(longitude), 0, 'f', 5)
        .arg(longitude < 0.0 ? QLatin1Char('W') : QLatin1Char('E'));
}

// The inverse of the GPS-to-map conversion: GPS x is the longitude, GPS y
// minus the latitude.
void MapPointToDegrees(const MapData& map, double x, double y, double& latitude, double& longitude)
{
    const double r = map.m_dGpsRotation;
    const double s = map.m_dGpsUnitsPerMapUnit;
    const double gx = map.m_nGpsOriginX + s * (x * std::cos(r) - y * std::sin(r));
    const double gy = map.m_nGpsOriginY + s * (x * std::sin(r) + y * std::cos(r));
    longitude = gx / kGpsUnitsPerDegree;
    latitude = -gy / kGpsUnitsPerDegree;
}

Distortion DistortionOf(const MapData& map)
{
    Distortion d;
    double longitude = 0.0;
    MapPointToDegrees(map, map.m_nResWidth / 2.0, map.m_nResHeight / 2.0, d.latitude, longitude);
    const double cosine = std::cos(d.latitude * std::numbers::pi / 180.0);
    const double northSouthMetres = map.m_dGpsUnitsPerMapUnit * MetresPerGpsUnit();
    const double readMetres = map.m_dMapScale / 1000.0;
    d.widening = 1.0 / cosine - 1.0;
    d.northSouth = readMetres / northSouthMetres - 1.0;
    d.eastWest = readMetres / (northSouthMetres * cosine) - 1.0;
    return d;
}

QString DistortionText(const Distortion& d)
{
    const auto percent = [](double share) { return QString::number(std::abs(share) * 100.0, 'f', 1) + " %"; };
    const auto reads = [&](double share) {
        return percent(share) + (share >= 0.0 ? QStringLiteral(" long") : QStringLiteral(" short"));
    };
    return QStringLiteral("east-west/north-south distortion: at %1° %2 the map is drawn %3 wider than the ground; "
                          "distances read %4 east-west and %5 north-south")
        .arg(std::abs(d.latitude), 0, 'f', 2)
        .arg(d.latitude < 0.0 ? QLatin1Char('S') : QLatin1Char('N'))
        .arg(percent(d.widening), reads(d.eastWest), reads(d.northSouth));
}

QString DistortionWarning(const Distortion& d)
{
    constexpr double kWarnAbove = 0.05;
    if (d.widening <= kWarnAbove)
        return {};
    return QStringLiteral("the map is drawn %1 % wider east-west than the ground, more than %2 %: the map file "
                          "has one scale for both directions, so shapes are stretched and distances are off by "
                          "direction")
        .arg(d.widening * 100.0, 0, 'f', 1)
        .arg(kWarnAbove * 100.0);
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

double LengthPerEndSpan(const Polyline& line)
{
    double length = 0.0;
    for (size_t i = 1; i < line.size(); ++i)
        length += std::hypot(double(line[i].x) - line[i - 1].x, double(line[i].y) - line[i - 1].y);
    const double span =
        line.empty() ? 0.0 : std::hypot(double(line.back().x) - line[0].x, double(line.back().y) - line[0].y);
    return span > 0.0 ? length / span : std::numeric_limits<double>::infinity();
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

std::pair<Polyline, Polyline> HalveRing(const Polyline& ring)
{
    MapPoint low = ring[0], high = ring[0];
    for (const MapPoint& p : ring) {
        low = {std::min(low.x, p.x), std::min(low.y, p.y)};
        high = {std::max(high.x, p.x), std::max(high.y, p.y)};
    }
    const int axis = high.x - low.x >= high.y - low.y ? 0 : 1;
    if (std::max(high.x - low.x, high.y - low.y) < 2)
        return {};
    const double middle = axis == 0 ? low.x + (high.x - low.x) / 2 : low.y + (high.y - low.y) / 2;
    return {ClipRingToEdge(ring, {axis, middle, true}), ClipRingToEdge(ring, {axis, middle, false})};
}

std::vector<std::vector<int64_t>> JoinInDirection(std::vector<std::vector<int64_t>> pieces)
{
    std::erase_if(pieces, [](const auto& p) { return p.size() < 2; });
    std::map<int64_t, size_t> starts;
    for (size_t i = 0; i < pieces.size(); ++i)
        starts.emplace(pieces[i].front(), i);
    std::vector<char> used(pieces.size(), 0);
    std::vector<std::vector<int64_t>> out;
    // Start from pieces that nothing leads into, then whatever is left (rings).
    std::vector<char> continued(pieces.size(), 0);
    for (const auto& p : pieces) {
        const auto it = starts.find(p.back());
        if (it != starts.end())
            continued[it->second] = 1;
    }
    for (int pass = 0; pass < 2; ++pass) {
        for (size_t i = 0; i < pieces.size(); ++i) {
            if (used[i] || (pass == 0 && continued[i]))
                continue;
            used[i] = 1;
            std::vector<int64_t> line = pieces[i];
            for (auto it = starts.find(line.back());
                 line.front() != line.back() && it != starts.end() && !used[it->second];
                 it = starts.find(line.back())) {
                used[it->second] = 1;
                line.insert(line.end(), pieces[it->second].begin() + 1, pieces[it->second].end());
            }
            out.push_back(std::move(line));
        }
    }
    return out;
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
