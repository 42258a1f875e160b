// From geographic positions to map units, and the shaping of lines and areas
// to what a map file holds: clipping to the map's box, simplifying to a
// point limit, joining ring pieces.
#pragma once

#include "OsmData.h"

#include "map/MapData.h"

#include <QString>

#include <cstdint>
#include <utility>
#include <vector>

using Polyline = std::vector<MapPoint>;

// GPS units are ten-thousandths of an arc minute: x = longitude, y = minus
// latitude (north up on a map whose y grows downwards).
int32_t GpsX(GeoPoint p);
int32_t GpsY(GeoPoint p);

// Ground length of one GPS unit of latitude, in metres, on a sphere of the
// Earth's mean radius.
double MetresPerGpsUnit();

// A position in degrees with its hemispheres, "20.46000 S 54.60000 W".
QString DegreesText(double latitude, double longitude);

// The geographic position of a map point through the map's calibration.
void MapPointToDegrees(const MapData& map, double x, double y, double& latitude, double& longitude);

// The format has one GPS-units-per-map-unit value for longitude and latitude
// alike, while a degree of longitude is only cos(latitude) as long on the
// ground: the map is drawn wider than the ground, and one SCALE cannot be
// right both ways.
struct Distortion {
    double latitude = 0.0;   // of the map's centre, degrees
    double widening = 0.0;   // how much wider the map is drawn than the ground: 0.071 is 7.1 %
    double eastWest = 0.0;   // how much a distance along x reads long (above 0) or short
    double northSouth = 0.0; // the same along y
};
Distortion DistortionOf(const MapData& map);
QString DistortionText(const Distortion& distortion);
// A warning when the map is drawn more than 5 % wider than the ground, else
// nothing.
QString DistortionWarning(const Distortion& distortion);

// Largest width or height a map can have: the reader takes five digits.
inline constexpr int32_t kMaxMapExtent = 99999;

// The map's frame: GPS origin at the box's north-west corner, one GPS-units-
// per-map-unit value for both axes, the extent (RES) and SCALE.
struct Calibration {
    int32_t originX = 0;
    int32_t originY = 0;
    int unitsPerMapUnit = 1;
    int32_t width = 0;
    int32_t height = 0;
    // Metres × 1000 per map unit (distance × scale × 0.000001 = km), exact
    // along the diagonal; see docs/importer.md.
    double scale = 0.0;
    double centreLatitude = 0.0;

    MapPoint ToMap(GeoPoint p) const; // outside the box the point lies outside 0..width−1, 0..height−1
    bool Inside(MapPoint p) const { return p.x >= 0 && p.y >= 0 && p.x < width && p.y < height; }
};

// The finest calibration (whole GPS units per map unit, at least one) whose
// extent fits kMaxMapExtent.
Calibration CalibrationFor(const GeoBox& box);

// The runs of a polyline inside the calibration's box; a segment that crosses
// the edge is cut there.
std::vector<Polyline> ClipPolyline(const Polyline& line, const Calibration& frame);

// A ring cut to the box (empty when nothing of it is inside).
Polyline ClipRing(const Polyline& ring, const Calibration& frame);

// Drops repeated consecutive points.
void RemoveRepeats(Polyline& line);

// Douglas-Peucker: keeps both ends and every point farther than tolerance
// (map units) from the simplified line.
Polyline SimplifyLine(const Polyline& line, double tolerance);

// A ring (first point not repeated at the end) simplified the same way.
Polyline SimplifyRing(const Polyline& ring, double tolerance);

// Where to cut a line of `points` points into the fewest consecutive pieces
// of at most maxPoints points, of even length: the index of the first point,
// each cut (a point both pieces share) and the last point.
std::vector<size_t> EvenCuts(size_t points, int maxPoints);

// A line's length along its points divided by the distance between its two
// ends; infinite when the ends coincide. The map view leaves out a way whose
// ends lie within 20 pixels of each other, so a WAY record is shown only once
// it is drawn more than 20 times this many pixels long.
double LengthPerEndSpan(const Polyline& line);

// Area-weighted centre of a ring; the mean of its points when it has no area.
MapPoint RingCentre(const Polyline& ring);

// Cuts a ring in two across the middle of its longer side. For an even-odd
// fill, as the map's areas are drawn, the halves together cover what the
// ring covered. Both are empty when the ring spans less than two map units.
std::pair<Polyline, Polyline> HalveRing(const Polyline& ring);

// Joins node-id sequences where one ends and the next begins, keeping each
// one's direction; a joined sequence that closes ends there.
std::vector<std::vector<int64_t>> JoinInDirection(std::vector<std::vector<int64_t>> pieces);

// Joins node-id sequences end to end into closed rings. Pieces that do not
// close are counted in *open.
std::vector<std::vector<int64_t>> JoinRings(std::vector<std::vector<int64_t>> pieces, int* open);
