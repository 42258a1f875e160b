#include "gps/TrackFigures.h"

#include "gps/GpxFile.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace {

constexpr double kEarthRadiusMetres = 6371008.8;

double Radians(int32_t gpsUnits)
{
    return gpsUnits / double(kGpsUnitsPerDegree) * std::numbers::pi / 180;
}

// The great-circle distance between two positions (haversine).
double GroundMetres(MapPoint a, MapPoint b)
{
    // GPS y is minus the latitude.
    const double lat1 = -Radians(a.y), lat2 = -Radians(b.y);
    const double dLat = lat2 - lat1, dLon = Radians(b.x) - Radians(a.x);
    const double h =
        std::pow(std::sin(dLat / 2), 2) + std::cos(lat1) * std::cos(lat2) * std::pow(std::sin(dLon / 2), 2);
    return 2 * kEarthRadiusMetres * std::asin(std::sqrt(std::min(h, 1.0)));
}

} // namespace

TrackFigures FiguresOfTrack(const std::vector<MapPoint>& trackGps, const std::vector<QDateTime>& times)
{
    TrackFigures f;
    f.points = static_cast<int>(trackGps.size());
    if (trackGps.empty())
        return f;
    int32_t minX = trackGps[0].x, maxX = minX, minY = trackGps[0].y, maxY = minY;
    for (size_t i = 0; i < trackGps.size(); ++i) {
        const MapPoint p = trackGps[i];
        minX = std::min(minX, p.x), maxX = std::max(maxX, p.x);
        minY = std::min(minY, p.y), maxY = std::max(maxY, p.y);
        if (i > 0)
            f.metres += GroundMetres(trackGps[i - 1], p);
    }
    const double degree = kGpsUnitsPerDegree;
    f.west = minX / degree, f.east = maxX / degree;
    f.north = -minY / degree, f.south = -maxY / degree;
    for (const QDateTime& t : times) {
        if (!t.isValid())
            continue;
        if (!f.first.isValid())
            f.first = t;
        f.last = t;
    }
    if (f.first.isValid() && f.first != f.last)
        f.seconds = (f.first.msecsTo(f.last) + 500) / 1000;
    return f;
}

QString KilometresText(double metres)
{
    return QString::number(metres / 1000, 'f', 1).replace(u'.', u',') + QStringLiteral(" km");
}

QString DurationText(qint64 seconds)
{
    if (seconds < 60)
        return QStringLiteral("%1 giây").arg(seconds);
    const qint64 minutes = (seconds + 30) / 60;
    if (minutes < 60)
        return QStringLiteral("%1 phút").arg(minutes);
    return QStringLiteral("%1 giờ %2 phút").arg(minutes / 60).arg(minutes % 60);
}

QString TrackFiguresText(const TrackFigures& figures)
{
    QString text = KilometresText(figures.metres);
    if (figures.seconds)
        text += QStringLiteral(", ") + DurationText(*figures.seconds);
    return text;
}

QString SavedTrackText(const TrackFigures& figures)
{
    return QStringLiteral("Đã lưu ") + TrackFiguresText(figures);
}
