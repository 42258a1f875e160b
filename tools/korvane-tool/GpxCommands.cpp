// gpx and kvt: a road file or a receiver log as a GPX 1.1 track, and the
// points of a GPX file as a road file. Both take all that a track saved by
// "Lưu đường" can hold.
#include "Commands.h"

#include "gps/GpsState.h"
#include "gps/GpxFile.h"
#include "gps/LogFixes.h"
#include "gps/RoadFile.h"
#include "map/TextLines.h"

#include <QFile>
#include <QFileInfo>

#include <optional>

namespace {

// Sets up "korvane-tool COMMAND INPUT -o OUTPUT"; false (with the exit status
// in exitCode) when the command should not run.
bool ParseConversion(QCommandLineParser& parser, const QStringList& args, const QString& command,
                     const QString& description, const QString& input, const QString& output, QString& from,
                     QString& to, int& exitCode)
{
    parser.setApplicationDescription(description);
    parser.addPositionalArgument(QStringLiteral("input"), input);
    const QCommandLineOption outputOption({QStringLiteral("o"), QStringLiteral("output")}, output,
                                          QStringLiteral("file"));
    parser.addOption(outputOption);
    if (!ParseCommand(parser, args, command, 1, exitCode))
        return false;
    if (!parser.isSet(outputOption)) {
        Err() << "korvane-tool " << command << ": no file to write: give -o FILE\n";
        exitCode = kExitUsage;
        return false;
    }
    from = parser.positionalArguments().constFirst();
    to = parser.value(outputOption);
    return true;
}

// The positions to write, and their times when they come from a log.
struct Track {
    std::vector<MapPoint> positions; // GPS units
    std::vector<QDateTime> times;
    bool fromLog = false;
    bool tooLarge = false;  // a road file past the bounds, of which the first positions are taken
};

// The fixes of a receiver log, or the positions of a road file; none when the
// file cannot be read.
std::optional<Track> ReadTrack(const QString& path)
{
    QFile file(path);
    if (!QFileInfo(path).isFile() || !file.open(QIODevice::ReadOnly))
        return std::nullopt;
    Track track;
    track.fromLog = LooksLikeReceiverLog(file.peek(64 * 1024));
    if (track.fromLog) {
        for (const LogFix& fix : LogFixes(file)) {
            track.positions.push_back({fix.position.x, fix.position.y});
            track.times.push_back(fix.time);
        }
        return track;
    }
    std::optional<std::vector<MapPoint>> road =
        ReadRoadFile(QFileInfo(path).absoluteFilePath(), kMaxRoadFileBytes, kMaxRoadPoints, &track.tooLarge);
    if (!road)
        return std::nullopt;
    track.positions = std::move(*road);
    return track;
}

QString Points(qsizetype n)
{
    return QStringLiteral("%1 point%2").arg(n).arg(n == 1 ? "" : "s");
}

} // namespace

int RunGpx(const QStringList& args)
{
    QCommandLineParser parser;
    QString input, gpx;
    int exitCode = kExitOk;
    if (!ParseConversion(
            parser, args, QStringLiteral("gpx"),
            QStringLiteral("Writes a road file (a track saved by \"Lưu đường\") or a receiver's NMEA log as a GPX "
                           "1.1 track: one <trkpt> for each position, WGS84 latitude and longitude in decimal degrees "
                           "with 7 decimals. Of a log, every fix the map window would take, status \"A\" only, in "
                           "order, with its date and time where the sentence gives both. Positions outside "
                           "-90..90 / -180..180 are left out with a warning. Reads up to %1 positions of a road file.")
                .arg(kMaxTrackPositions),
            QStringLiteral("The road file (.kvt) or the receiver log (NMEA sentences, any name)."),
            QStringLiteral("The GPX file to write."), input, gpx, exitCode))
        return exitCode;

    const std::optional<Track> track = ReadTrack(input);
    if (!track) {
        Err() << "korvane-tool gpx: cannot read " << input << "\n";
        return kExitFailed;
    }
    const std::vector<MapPoint>& positions = track->positions;
    if (track->fromLog && positions.empty()) {
        Err() << "korvane-tool gpx: " << input << " holds no fix with status A; nothing written\n";
        return kExitFailed;
    }
    int skipped = 0;
    const QByteArray bytes = GpxBytes(positions, &skipped, track->times);
    if (positions.size() == size_t(skipped)) {
        Err() << "korvane-tool gpx: " << input << " holds no position on the earth; nothing written\n";
        return kExitFailed;
    }
    if (skipped > 0)
        Err() << "korvane-tool gpx: warning: " << Points(skipped) << " outside -90..90 / -180..180 left out\n";
    if (track->tooLarge)
        Err() << "korvane-tool gpx: warning: only the first " << kMaxTrackPositions << " positions are taken\n";
    if (!WriteFileBlock(QFileInfo(gpx).absoluteFilePath(), bytes)) {
        Err() << "korvane-tool gpx: cannot write " << gpx << "\n";
        return kExitFailed;
    }
    Out() << "wrote " << gpx << " (" << Points(positions.size() - skipped) << ")\n";
    return kExitOk;
}

int RunKvt(const QStringList& args)
{
    QCommandLineParser parser;
    QString gpx, road;
    int exitCode = kExitOk;
    if (!ParseConversion(parser, args, QStringLiteral("kvt"),
                         QStringLiteral("Writes the points of a GPX file as a road file that \"Nạp đường\" shows: "
                                        "every track point (<trkpt>) of every track and segment in order, or, in a "
                                        "file without any, every route point (<rtept>); waypoints are left out. "
                                        "Points outside -90..90 / -180..180 are left out with a warning. Takes up "
                                        "to %1 points, as many as a road file holds.")
                             .arg(kMaxRoadPoints),
                         QStringLiteral("The GPX file (.gpx)."), QStringLiteral("The road file to write (.kvt)."), gpx,
                         road, exitCode))
        return exitCode;

    const GpxTrack track = QFileInfo(gpx).isFile()
                               ? ReadGpxFile(QFileInfo(gpx).absoluteFilePath(), kGpxBytes, kMaxTrackPositions)
                               : GpxTrack{};
    QTextStream& err = Err();
    if (track.status == GpxStatus::CannotOpen) {
        err << "korvane-tool kvt: cannot read " << gpx << "\n";
        return kExitFailed;
    }
    if (track.status == GpxStatus::NotGpx) {
        err << "korvane-tool kvt: " << gpx << " is not a GPX file: " << track.problem << "\n";
        return kExitFailed;
    }
    if (track.skipped > 0)
        err << "korvane-tool kvt: warning: " << Points(track.skipped)
            << " outside -90..90 / -180..180 or without lat and lon left out\n";
    if (track.status == GpxStatus::NoPoints) {
        err << "korvane-tool kvt: " << gpx << " holds no track or route point; nothing written\n";
        return kExitFailed;
    }
    if (!track.problem.isEmpty())
        err << "korvane-tool kvt: warning: reading stopped at " << track.problem << "; the points before are kept\n";
    if (QFileInfo(gpx).size() > kGpxBytes)
        err << "korvane-tool kvt: warning: only the first " << kGpxBytes << " bytes are read\n";
    if (track.dropped > 0)
        err << "korvane-tool kvt: warning: " << Points(track.dropped) << " beyond the first " << kMaxTrackPositions
            << " left out\n";
    const int count = static_cast<int>(track.points.size());
    // A road file of fewer than two positions holds none.
    if (count < 2) {
        err << "korvane-tool kvt: " << gpx << " holds a single point; a road needs two; nothing written\n";
        return kExitFailed;
    }
    if (!WriteRoadFile(QFileInfo(road).absoluteFilePath(), track.points, count)) {
        err << "korvane-tool kvt: cannot write " << road << "\n";
        return kExitFailed;
    }
    Out() << "wrote " << road << " (" << Points(count) << ")\n";
    return kExitOk;
}
