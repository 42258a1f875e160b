// What a track amounts to: its points, its length along the ground, how long
// it took when the fix times are known, and the box it lies in.
#pragma once

#include "map/MapData.h"

#include <QDateTime>
#include <QString>
#include <optional>
#include <vector>

struct TrackFigures {
    int points = 0;
    double metres = 0;             // along the track, on a sphere of the Earth's mean radius
    std::optional<qint64> seconds; // from the first to the last fix time, when two are known, rounded
    QDateTime first, last;         // those two times
    // The bounding box in degrees; meaningful when points > 0.
    double south = 0, west = 0, north = 0, east = 0;
};

// The figures of a track in GPS units with its times (invalid or missing
// where the receiver gave none).
TrackFigures FiguresOfTrack(const std::vector<MapPoint>& trackGps, const std::vector<QDateTime>& times = {});

// "4,2 km" and "12 phút" as the status line says them: a decimal comma, and
// seconds, minutes or hours and minutes as the duration asks.
QString KilometresText(double metres);
QString DurationText(qint64 seconds);

// "4,2 km, 12 phút", the duration left out when the track has no times.
QString TrackFiguresText(const TrackFigures& figures);

// What the status line says after "Lưu đường": "Đã lưu 4,2 km, 12 phút".
QString SavedTrackText(const TrackFigures& figures);
