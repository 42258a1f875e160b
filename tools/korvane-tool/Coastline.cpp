#include "Coastline.h"

#include "view/Viewport.h"

#include <algorithm>
#include <cmath>
#include <utility>

namespace {

double Cross(double ax, double ay, double bx, double by)
{
    return ax * by - ay * bx;
}

// The box 0..right × 0..bottom and positions along its edge, counted
// clockwise on the screen (y grows downwards) from the top-left corner.
struct Box {
    int32_t right;
    int32_t bottom;

    bool Contains(MapPoint p) const { return p.x >= 0 && p.y >= 0 && p.x <= right && p.y <= bottom; }
    bool OnEdge(MapPoint p) const { return Contains(p) && (p.x == 0 || p.y == 0 || p.x == right || p.y == bottom); }
    int64_t Perimeter() const { return 2 * (int64_t(right) + bottom); }
    MapPoint Corner(int k) const
    {
        const MapPoint corners[4] = {{0, 0}, {right, 0}, {right, bottom}, {0, bottom}};
        return corners[k];
    }
    int64_t Along(MapPoint p) const
    {
        if (p.y == 0)
            return p.x;
        if (p.x == right)
            return int64_t(right) + p.y;
        if (p.y == bottom)
            return int64_t(right) + bottom + (right - p.x);
        return 2 * int64_t(right) + bottom + (bottom - p.y);
    }
    // How far along the edge, clockwise, from position `from` to point p.
    int64_t Ahead(int64_t from, MapPoint p) const
    {
        const int64_t d = (Along(p) - from) % Perimeter();
        return d < 0 ? d + Perimeter() : d;
    }
    MapPoint NearestEdgePoint(MapPoint p) const
    {
        const int32_t x = std::clamp(p.x, 0, right), y = std::clamp(p.y, 0, bottom);
        const int32_t gaps[4] = {x, right - x, y, bottom - y};
        switch (std::min_element(gaps, gaps + 4) - gaps) {
        case 0:
            return {0, y};
        case 1:
            return {right, y};
        case 2:
            return {x, 0};
        default:
            return {x, bottom};
        }
    }
};

// Twice the area of a ring, positive when it runs clockwise on the screen.
double SignedArea(const Polyline& ring)
{
    double sum = 0.0;
    for (size_t i = 0; i < ring.size(); ++i) {
        const MapPoint a = ring[i], b = ring[(i + 1) % ring.size()];
        sum += Cross(a.x, a.y, b.x, b.y);
    }
    return sum;
}

// Even-odd rule, as the map's areas are filled.
bool InsideRing(const Polyline& ring, MapPoint p)
{
    bool inside = false;
    for (size_t i = 0, j = ring.size() - 1; i < ring.size(); j = i++) {
        const MapPoint a = ring[i], b = ring[j];
        if ((a.y > p.y) != (b.y > p.y) && p.x < double(b.x - a.x) * (double(p.y) - a.y) / (double(b.y) - a.y) + a.x)
            inside = !inside;
    }
    return inside;
}

// Whether p lies on the water side, the right, of the nearest coastline.
// Nearest to a corner of a coastline, p lies on the outside of the bend:
// on the water when the coastline turns left there.
bool OnWaterSide(const std::vector<Polyline>& lines, MapPoint p)
{
    double best = -1.0;
    bool water = false;
    for (const Polyline& line : lines) {
        const size_t n = line.size();
        const bool closed = n > 2 && line.front() == line.back();
        for (size_t i = 0; i + 1 < n; ++i) {
            const MapPoint a = line[i], b = line[i + 1];
            const double dx = double(b.x) - a.x, dy = double(b.y) - a.y;
            const double t =
                std::clamp(((double(p.x) - a.x) * dx + (double(p.y) - a.y) * dy) / (dx * dx + dy * dy), 0.0, 1.0);
            const double d = std::hypot(a.x + t * dx - p.x, a.y + t * dy - p.y);
            if (best >= 0.0 && d >= best)
                continue;
            best = d;
            water = Cross(dx, dy, double(p.x) - a.x, double(p.y) - a.y) > 0.0;
            // The corner at the nearer end, when the line goes on there.
            const size_t v = t > 0.5 ? i + 1 : i;
            const bool hasBefore = v > 0 || closed, hasAfter = v + 1 < n || closed;
            if ((t <= 0.0 || t >= 1.0) && hasBefore && hasAfter) {
                const MapPoint before = line[v > 0 ? v - 1 : n - 2], at = line[v], after = line[v + 1 < n ? v + 1 : 1];
                const double turn = Cross(double(at.x) - before.x, double(at.y) - before.y, double(after.x) - at.x,
                                          double(after.y) - at.y);
                if (turn != 0.0)
                    water = turn < 0.0;
            }
        }
    }
    return water;
}

// Joins a hole into ring: from the ring's point nearest to the hole's first
// point round the hole and back.
void AddHole(Polyline& ring, const Polyline& hole)
{
    size_t nearest = 0;
    for (size_t i = 1; i < ring.size(); ++i) {
        if (PointDistance(ring[i], hole[0]) < PointDistance(ring[nearest], hole[0]))
            nearest = i;
    }
    Polyline loop = hole;
    loop.push_back(hole[0]);
    loop.push_back(ring[nearest]);
    ring.insert(ring.begin() + nearest + 1, loop.begin(), loop.end());
}

// A closed line that leaves the box, turned to start outside it, so that
// clipping cuts it into runs from edge to edge.
Polyline StartOutside(const Polyline& closed, const Box& box)
{
    const auto out = std::find_if(closed.begin(), closed.end(), [&](MapPoint p) { return !box.Contains(p); });
    Polyline line(out, closed.end() - 1);
    line.insert(line.end(), closed.begin(), out + 1);
    return line;
}

// The water enclosed by runs from edge to edge and the edge itself: after
// each run, go clockwise along the edge (the water on the right) to the
// nearest start of a run, until the outline closes.
std::vector<Polyline> WaterAlongTheEdge(const std::vector<Polyline>& runs, const Box& box)
{
    std::vector<Polyline> rings;
    std::vector<char> used(runs.size(), 0);
    for (size_t first = 0; first < runs.size(); ++first) {
        if (used[first])
            continue;
        Polyline ring;
        for (size_t k = first;;) {
            used[k] = 1;
            ring.insert(ring.end(), runs[k].begin(), runs[k].end());
            const int64_t exit = box.Along(runs[k].back());
            size_t next = first;
            int64_t gap = box.Ahead(exit, runs[first].front());
            for (size_t j = 0; j < runs.size(); ++j) {
                const int64_t d = box.Ahead(exit, runs[j].front());
                if (d < gap && (!used[j] || j == first)) {
                    gap = d;
                    next = j;
                }
            }
            std::vector<std::pair<int64_t, MapPoint>> corners;
            for (int c = 0; c < 4; ++c) {
                const int64_t d = box.Ahead(exit, box.Corner(c));
                if (d > 0 && d < gap)
                    corners.emplace_back(d, box.Corner(c));
            }
            std::sort(corners.begin(), corners.end(), [](const auto& a, const auto& b) { return a.first < b.first; });
            for (const auto& corner : corners)
                ring.push_back(corner.second);
            if (next == first)
                break;
            k = next;
        }
        RemoveRepeats(ring);
        while (ring.size() > 1 && ring.front() == ring.back())
            ring.pop_back();
        if (ring.size() >= 3)
            rings.push_back(std::move(ring));
    }
    return rings;
}

} // namespace

SeaAreas SeaFromCoastlines(const std::vector<Polyline>& coastlines, int32_t right, int32_t bottom)
{
    SeaAreas sea;
    const Box box{right, bottom};
    if (box.Perimeter() == 0)
        return sea;
    Calibration frame;
    frame.width = right + 1;
    frame.height = bottom + 1;
    std::vector<Polyline> lines;
    for (Polyline line : coastlines) {
        RemoveRepeats(line);
        if (line.size() >= 2)
            lines.push_back(std::move(line));
    }
    std::vector<Polyline> runs, loops;
    for (Polyline line : lines) {
        const bool closed = line.size() > 3 && line.front() == line.back();
        if (closed && std::all_of(line.begin(), line.end(), [&](MapPoint p) { return box.Contains(p); })) {
            line.pop_back();
            loops.push_back(std::move(line));
            continue;
        }
        for (Polyline& run : ClipPolyline(closed ? StartOutside(line, box) : line, frame)) {
            // A coastline that ends inside the box (the rest is missing from
            // the extract) is led to the nearest edge.
            if (!box.OnEdge(run.front())) {
                run.insert(run.begin(), box.NearestEdgePoint(run.front()));
                ++sea.looseEnds;
            }
            if (!box.OnEdge(run.back())) {
                run.push_back(box.NearestEdgePoint(run.back()));
                ++sea.looseEnds;
            }
            runs.push_back(std::move(run));
        }
    }
    std::vector<Polyline>& water = sea.rings;
    water = WaterAlongTheEdge(runs, box);
    // With no coastline across the box, its corner (outside every loop) tells
    // whether the land or the water lies around the loops.
    if (runs.empty() && !lines.empty() && OnWaterSide(lines, {0, 0}))
        water.push_back({box.Corner(0), box.Corner(1), box.Corner(2), box.Corner(3)});
    // Larger loops first, so that an island is cut out of the water around
    // it before the islands and lagoons within it are placed.
    std::stable_sort(loops.begin(), loops.end(), [](const Polyline& a, const Polyline& b) {
        return std::abs(SignedArea(a)) > std::abs(SignedArea(b));
    });
    for (const Polyline& loop : loops) {
        if (SignedArea(loop) > 0.0) {
            water.push_back(loop); // clockwise: water within, land around
            continue;
        }
        const auto around =
            std::find_if(water.begin(), water.end(), [&](const Polyline& ring) { return InsideRing(ring, loop[0]); });
        if (around != water.end())
            AddHole(*around, loop);
    }
    return sea;
}
