#include "gps/GpxFile.h"

#include "map/TextLines.h"
#include "base/Trace.h"

#include <QXmlStreamReader>
#include <QXmlStreamWriter>
#include <cmath>

namespace {

const QString kGpxNamespace = QStringLiteral("http://www.topografix.com/GPX/1/1");
const QString kSchemaInstance = QStringLiteral("http://www.w3.org/2001/XMLSchema-instance");

constexpr int64_t kMaxLatitudeUnits = 90LL * kGpsUnitsPerDegree;
constexpr int64_t kMaxLongitudeUnits = 180LL * kGpsUnitsPerDegree;

QString DegreesText(int64_t units)
{
    return QString::number(static_cast<double>(units) / kGpsUnitsPerDegree, 'f', 7);
}

// A lat or lon attribute in degrees; NaN when it is missing or no number.
double Degrees(const QXmlStreamAttributes& attributes, QLatin1StringView name)
{
    bool ok = false;
    const double value = attributes.value(name).toDouble(&ok);
    return ok ? value : std::nan("");
}

bool IsPoint(QStringView name)
{
    return name == QLatin1StringView("trkpt") || name == QLatin1StringView("rtept");
}

// False for NaN and the infinities too.
bool OnTheEarth(double latitude, double longitude)
{
    return latitude >= -90.0 && latitude <= 90.0 && longitude >= -180.0 && longitude <= 180.0;
}

MapPoint ToGpsUnits(double latitude, double longitude)
{
    return {static_cast<int32_t>(std::lround(longitude * kGpsUnitsPerDegree)),
            static_cast<int32_t>(-std::lround(latitude * kGpsUnitsPerDegree))};
}

// xsd:dateTime in UTC, with milliseconds only when there are any.
QString TimeText(const QDateTime& time)
{
    const QDateTime utc = time.toUTC();
    return utc.toString(utc.time().msec() ? Qt::ISODateWithMs : Qt::ISODate);
}

QString ProblemAt(const QXmlStreamReader& xml, const QString& what)
{
    return QStringLiteral("line %1, column %2: %3").arg(xml.lineNumber()).arg(xml.columnNumber()).arg(what);
}

} // namespace

QByteArray GpxBytes(const std::vector<MapPoint>& positionsGps, int* skipped, const std::vector<QDateTime>& times)
{
    QByteArray bytes;
    QXmlStreamWriter xml(&bytes);
    xml.setAutoFormatting(true);
    xml.writeStartDocument();
    xml.writeDefaultNamespace(kGpxNamespace);
    xml.writeNamespace(kSchemaInstance, QStringLiteral("xsi"));
    xml.writeStartElement(kGpxNamespace, QStringLiteral("gpx"));
    xml.writeAttribute(QStringLiteral("version"), QStringLiteral("1.1"));
    xml.writeAttribute(QStringLiteral("creator"), QStringLiteral("Korvane"));
    xml.writeAttribute(kSchemaInstance, QStringLiteral("schemaLocation"),
                       kGpxNamespace + QStringLiteral(" http://www.topografix.com/GPX/1/1/gpx.xsd"));
    xml.writeStartElement(kGpxNamespace, QStringLiteral("trk"));
    xml.writeStartElement(kGpxNamespace, QStringLiteral("trkseg"));
    int left = 0;
    for (size_t i = 0; i < positionsGps.size(); ++i) {
        const MapPoint p = positionsGps[i];
        const int64_t latitude = -static_cast<int64_t>(p.y);
        int64_t longitude = p.x;
        if (std::abs(latitude) > kMaxLatitudeUnits || std::abs(longitude) > kMaxLongitudeUnits) {
            ++left;
            continue;
        }
        if (longitude == kMaxLongitudeUnits)
            longitude = -longitude;
        const QDateTime time = i < times.size() ? times[i] : QDateTime();
        if (time.isValid())
            xml.writeStartElement(kGpxNamespace, QStringLiteral("trkpt"));
        else
            xml.writeEmptyElement(kGpxNamespace, QStringLiteral("trkpt"));
        xml.writeAttribute(QStringLiteral("lat"), DegreesText(latitude));
        xml.writeAttribute(QStringLiteral("lon"), DegreesText(longitude));
        if (time.isValid()) {
            xml.writeTextElement(kGpxNamespace, QStringLiteral("time"), TimeText(time));
            xml.writeEndElement();
        }
    }
    xml.writeEndDocument();
    if (skipped)
        *skipped = left;
    return bytes;
}

GpxTrack ParseGpx(const QByteArray& bytes, int maxPoints)
{
    GpxTrack track;
    std::vector<MapPoint> routePoints;
    std::vector<QDateTime> routeTimes;
    int droppedTrack = 0, droppedRoute = 0;
    QXmlStreamReader xml(bytes);
    QString gpxNamespace;
    bool inGpx = false;
    // The time of the point last taken, while its element is open.
    QDateTime* openTime = nullptr;
    while (!xml.atEnd()) {
        const QXmlStreamReader::TokenType token = xml.readNext();
        if (token == QXmlStreamReader::EndElement && IsPoint(xml.name()))
            openTime = nullptr;
        if (token != QXmlStreamReader::StartElement)
            continue;
        if (!inGpx) {
            if (xml.name() != QLatin1StringView("gpx")) {
                track.status = GpxStatus::NotGpx;
                track.problem = ProblemAt(xml, QStringLiteral("the document is <%1>, not <gpx>").arg(xml.name()));
                return track;
            }
            inGpx = true;
            gpxNamespace = xml.namespaceUri().toString();
            continue;
        }
        // Elements of other namespaces (extensions) never count as points.
        if (xml.namespaceUri() != gpxNamespace)
            continue;
        if (openTime && xml.name() == QLatin1StringView("time")) {
            *openTime = QDateTime::fromString(xml.readElementText().trimmed(), Qt::ISODateWithMs);
            continue;
        }
        if (!IsPoint(xml.name()))
            continue;
        openTime = nullptr;
        const bool trackPoint = xml.name() == QLatin1StringView("trkpt");
        const double latitude = Degrees(xml.attributes(), QLatin1StringView("lat"));
        const double longitude = Degrees(xml.attributes(), QLatin1StringView("lon"));
        if (!OnTheEarth(latitude, longitude)) {
            ++track.skipped;
            continue;
        }
        std::vector<MapPoint>& points = trackPoint ? track.points : routePoints;
        std::vector<QDateTime>& times = trackPoint ? track.times : routeTimes;
        if (points.size() < size_t(maxPoints)) {
            points.push_back(ToGpsUnits(latitude, longitude));
            openTime = &times.emplace_back();
        } else {
            ++(trackPoint ? droppedTrack : droppedRoute);
        }
    }
    track.dropped = droppedTrack;
    if (track.points.empty() && droppedTrack == 0) {
        track.points = std::move(routePoints);
        track.times = std::move(routeTimes);
        track.dropped = droppedRoute;
    }
    if (xml.hasError())
        track.problem = ProblemAt(xml, xml.errorString());
    if (!inGpx || (xml.hasError() && track.points.empty()))
        track.status = GpxStatus::NotGpx;
    else
        track.status = track.points.empty() ? GpxStatus::NoPoints : GpxStatus::Read;
    return track;
}

GpxTrack ReadGpxFile(const QString& path, qint64 maxBytes, int maxPoints)
{
    QByteArray bytes;
    bool cut = false;
    if (!ReadFileBlock(path, maxBytes, bytes, &cut)) {
        Trace("ReadGpxFile: cannot open %s", qPrintable(path));
        return {};
    }
    if (cut)
        Trace("ReadGpxFile: %s is longer than %lld bytes; only its start is read", qPrintable(path), maxBytes);
    GpxTrack track = ParseGpx(bytes, maxPoints);
    track.cut = cut;
    if (!track.problem.isEmpty())
        Trace("ReadGpxFile: %s: %s", qPrintable(path), qPrintable(track.problem));
    if (track.skipped > 0)
        Trace("ReadGpxFile: %s: %d points outside -90..90 / -180..180 or without lat and lon left out",
              qPrintable(path), track.skipped);
    if (track.dropped > 0)
        Trace("ReadGpxFile: %s: %d points beyond the first %d left out", qPrintable(path), track.dropped, maxPoints);
    if (track.status == GpxStatus::NoPoints)
        Trace("ReadGpxFile: %s holds no track or route point", qPrintable(path));
    return track;
}
