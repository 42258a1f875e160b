// info on a track: the points of a road file (.kvt) or a GPX file, their
// length along the ground, the time from the first fix to the last where the
// file gives times, and the box they lie in.
#include "Commands.h"

#include "gps/GpxFile.h"
#include "gps/RoadFile.h"
#include "gps/TrackFigures.h"

#include <QFileInfo>

namespace {

QString Degrees(double value)
{
    return QString::number(value, 'f', 7);
}

QString Duration(const TrackFigures& f)
{
    if (!f.seconds)
        return QStringLiteral("unknown (the file holds no fix times)");
    const qint64 s = *f.seconds;
    return QStringLiteral("%1:%2:%3 (%4 to %5)")
        .arg(s / 3600)
        .arg(s / 60 % 60, 2, 10, QLatin1Char('0'))
        .arg(s % 60, 2, 10, QLatin1Char('0'))
        .arg(f.first.toUTC().toString(Qt::ISODate), f.last.toUTC().toString(Qt::ISODate));
}

} // namespace

bool IsTrackPath(const QString& path)
{
    const QString suffix = QFileInfo(path).suffix().toLower();
    return suffix == QLatin1String("kvt") || suffix == QLatin1String("gpx");
}

int DescribeTrack(const QString& path)
{
    const QFileInfo file(path);
    const bool gpx = file.suffix().toLower() == QLatin1String("gpx");
    std::vector<MapPoint> points;
    std::vector<QDateTime> times;
    if (gpx) {
        GpxTrack track =
            file.isFile() ? ReadGpxFile(file.absoluteFilePath(), kGpxBytes, kMaxTrackPositions) : GpxTrack{};
        if (track.status == GpxStatus::CannotOpen) {
            Err() << "korvane-tool info: cannot read " << path << "\n";
            return kExitFailed;
        }
        if (track.status == GpxStatus::NotGpx) {
            Err() << "korvane-tool info: " << path << " is not a GPX file: " << track.problem << "\n";
            return kExitFailed;
        }
        points = std::move(track.points);
        times = std::move(track.times);
    } else {
        auto road =
            file.isFile() ? ReadRoadFile(file.absoluteFilePath()) : std::nullopt;
        if (!road) {
            Err() << "korvane-tool info: cannot read " << path << "\n";
            return kExitFailed;
        }
        points = std::move(*road);
    }
    const TrackFigures f = FiguresOfTrack(points, times);
    QTextStream& out = Out();
    out << "track: " << path << " (" << (gpx ? "GPX" : "road file") << ", " << file.size() << " bytes)\n";
    out << "points: " << f.points << "\n";
    out << "length: " << QString::number(f.metres / 1000, 'f', 3) << " km\n";
    out << "duration: " << Duration(f) << "\n";
    if (f.points > 0)
        out << "bounds: south " << Degrees(f.south) << ", west " << Degrees(f.west) << ", north " << Degrees(f.north)
            << ", east " << Degrees(f.east) << " (degrees)\n";
    return kExitOk;
}
