#include "ToolTestSupport.h"

#include "map/MapFileReader.h"

#include <QDir>
#include <QFile>
#include <QProcess>

#include <cmath>

namespace {

constexpr double kCellDegrees = 0.0002;

std::string Escape(const std::string& text)
{
    std::string out;
    for (char c : text) {
        switch (c) {
        case '&':
            out += "&amp;";
            break;
        case '<':
            out += "&lt;";
            break;
        case '>':
            out += "&gt;";
            break;
        case '"':
            out += "&quot;";
            break;
        default:
            out += c;
        }
    }
    return out;
}

std::string TagXml(const Tags& tags)
{
    std::string xml;
    for (const auto& [k, v] : tags)
        xml += "  <tag k=\"" + Escape(k) + "\" v=\"" + Escape(v) + "\"/>\n";
    return xml;
}

} // namespace

OsmSketch::OsmSketch(std::vector<std::string> rows, double north, double west)
{
    for (size_t r = 0; r < rows.size(); ++r) {
        for (size_t c = 0; c < rows[r].size(); ++c) {
            if (std::isalnum(static_cast<unsigned char>(rows[r][c])))
                m_nodes.push_back({Id(rows[r][c]), north - r * kCellDegrees, west + c * kCellDegrees, {}});
        }
    }
}

OsmSketch& OsmSketch::Way(int64_t id, const std::string& letters, const Tags& tags)
{
    std::vector<int64_t> ids;
    for (char c : letters)
        ids.push_back(Id(c));
    return WayOfIds(id, ids, tags);
}

OsmSketch& OsmSketch::WayOfIds(int64_t id, const std::vector<int64_t>& nodes, const Tags& tags)
{
    m_ways += " <way id=\"" + std::to_string(id) + "\">\n";
    for (int64_t n : nodes)
        m_ways += "  <nd ref=\"" + std::to_string(n) + "\"/>\n";
    m_ways += TagXml(tags) + " </way>\n";
    return *this;
}

OsmSketch& OsmSketch::NodeTags(char letter, const Tags& tags)
{
    for (NodeRow& n : m_nodes) {
        if (n.id == Id(letter))
            n.tags.insert(n.tags.end(), tags.begin(), tags.end());
    }
    return *this;
}

OsmSketch& OsmSketch::Node(int64_t id, double lat, double lon, const Tags& tags)
{
    m_nodes.push_back({id, lat, lon, tags});
    return *this;
}

OsmSketch& OsmSketch::Relation(int64_t id, const std::vector<Member>& members, const Tags& tags)
{
    m_relations += " <relation id=\"" + std::to_string(id) + "\">\n";
    for (const Member& m : members) {
        const char* type = m.type == 'n' ? "node" : m.type == 'w' ? "way" : "relation";
        m_relations += std::string("  <member type=\"") + type + "\" ref=\"" + std::to_string(m.ref) + "\" role=\"" +
                       m.role + "\"/>\n";
    }
    m_relations += TagXml(tags) + " </relation>\n";
    return *this;
}

GeoPoint OsmSketch::Where(char letter) const
{
    for (const NodeRow& n : m_nodes) {
        if (n.id == Id(letter))
            return {static_cast<int32_t>(std::lround(n.lon * 1e7)), static_cast<int32_t>(std::lround(n.lat * 1e7))};
    }
    return {};
}

std::string OsmSketch::Xml() const
{
    std::string xml = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<osm version=\"0.6\" generator=\"sketch\">\n";
    char position[64];
    for (const NodeRow& n : m_nodes) {
        std::snprintf(position, sizeof position, "lat=\"%.7f\" lon=\"%.7f\"", n.lat, n.lon);
        xml += " <node id=\"" + std::to_string(n.id) + "\" " + position;
        xml += n.tags.empty() ? "/>\n" : ">\n" + TagXml(n.tags) + " </node>\n";
    }
    return xml + m_ways + m_relations + "</osm>\n";
}

ImportOptions NoSimplify()
{
    ImportOptions options;
    options.simplifyMetres = 0.0;
    return options;
}

Imported ImportXml(const std::string& xml, const ImportOptions& options)
{
    QTemporaryDir dir;
    return ImportFile(WriteFile(dir, QStringLiteral("in.osm"), QByteArray::fromStdString(xml)), options);
}

Imported ImportFile(const QString& osm, const ImportOptions& options)
{
    Imported result;
    QTemporaryDir dir;
    OsmData data;
    if (!ReadOsmFile(osm, data, result.error))
        return result;
    result.ok = BuildMap(data, options, result.built, result.text, result.report, result.error);
    if (result.ok)
        LoadMapFile(result.loaded, WriteFile(dir, QStringLiteral("out.kvp"), result.text), 0);
    return result;
}

ToolRun RunTool(const QStringList& args)
{
    QProcess process;
    process.start(QStringLiteral(KORVANE_TOOL), args);
    ToolRun run;
    if (!process.waitForFinished(120000))
        return run;
    run.exitCode = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
    run.out = QString::fromUtf8(process.readAllStandardOutput());
    run.err = QString::fromUtf8(process.readAllStandardError());
    return run;
}

QString WriteFile(const QTemporaryDir& dir, const QString& name, const QByteArray& bytes)
{
    const QString path = dir.filePath(name);
    QFile file(path);
    if (file.open(QIODevice::WriteOnly))
        file.write(bytes);
    return path;
}

QByteArray ReadFile(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

MapPoint MapPointOf(const MapData& map, GeoPoint where)
{
    // GPS units are 1/600000 degree; y is minus the latitude.
    const double gx = std::round(where.lonE7 * 0.06);
    const double gy = -std::round(where.latE7 * 0.06);
    const double s = map.m_dGpsUnitsPerMapUnit;
    return {static_cast<int32_t>(std::floor((gx - map.m_nGpsOriginX) / s)),
            static_cast<int32_t>(std::floor((gy - map.m_nGpsOriginY) / s))};
}

int NodeAt(const MapData& map, MapPoint p)
{
    for (int n = 1; n <= map.m_nNodeLast; ++n) {
        if (map.m_pNodeCoords[n][0] == p.x && map.m_pNodeCoords[n][1] == p.y)
            return n;
    }
    return 0;
}

std::vector<int> NeighboursOf(const MapData& map, int node)
{
    std::vector<int> out;
    for (int i = 2; i + 1 < kNodeListSize; i += 2) {
        if (map.m_pNodeCoords[node][i] > 0)
            out.push_back(map.m_pNodeCoords[node][i]);
    }
    return out;
}

std::vector<int> WaysNamed(const MapData& map, const QString& name)
{
    std::vector<int> out;
    for (int i = 0; i <= map.m_nWayLast; ++i) {
        if (map.m_strWayName[i] == name)
            out.push_back(i);
    }
    return out;
}

double LengthPerEndSpanOf(const MapData& map, int way)
{
    const auto& p = map.m_pWayPoints[way];
    const int last = map.m_nWayPointLast[way];
    double length = 0.0;
    for (int i = 1; i <= last; ++i)
        length += std::hypot(double(p[i].x) - p[i - 1].x, double(p[i].y) - p[i - 1].y);
    return length / std::hypot(double(p[last].x) - p[0].x, double(p[last].y) - p[0].y);
}

QString TestOsm(const char* name)
{
    return QDir(QStringLiteral(KORVANE_SOURCE_DIR)).filePath(QStringLiteral("tests/data/osm/") + QLatin1String(name));
}

std::string RmcAt(GeoPoint where)
{
    // Whole degrees, then the minutes with four decimals, zero-padded.
    const auto field = [](int32_t e7, int degreeDigits) {
        const double degrees = std::abs(e7) / 1e7;
        const int whole = static_cast<int>(degrees);
        char text[32];
        std::snprintf(text, sizeof text, "%0*d%07.4f", degreeDigits, whole, (degrees - whole) * 60.0);
        return std::string(text);
    };
    return "$GPRMC,081836,A," + field(where.latE7, 2) + (where.latE7 < 0 ? ",S," : ",N,") + field(where.lonE7, 3) +
           (where.lonE7 < 0 ? ",W," : ",E,") + "000.0,360.0,130998,011.3,E*62";
}

namespace {

int32_t FieldToUnits(const std::string& field, bool negate)
{
    std::string digits = field;
    digits.erase(digits.find('.'), 1);
    const int64_t v = std::stoll(digits) * (negate ? -1 : 1);
    return static_cast<int32_t>(v % 1000000 + (v / 1000000) * 600000);
}

MapPoint GpsToMap(const MapData& map, int32_t gx, int32_t gy)
{
    const double k = 1.0 / map.m_dGpsUnitsPerMapUnit;
    const double dx = (double(gx) - map.m_nGpsOriginX) * k;
    const double dy = (double(gy) - map.m_nGpsOriginY) * k;
    if (dx == 0.0 && dy == 0.0)
        return {0, 0}; // the origin itself, where the angle is undefined
    double a = std::atan(dy / dx);
    if (dx < 0)
        a += 2 * std::asin(1.0);
    a -= map.m_dGpsRotation;
    const double r = std::sqrt(dx * dx + dy * dy);
    return {static_cast<int32_t>(std::cos(a) * r), static_cast<int32_t>(std::sin(a) * r)};
}

} // namespace

MapPoint RmcToMap(const MapData& map, const std::string& rmc)
{
    const QStringList fields = QString::fromStdString(rmc).split(QLatin1Char(','));
    const int32_t x = FieldToUnits(fields[5].toStdString(), fields[6] == QLatin1String("W"));
    const int32_t y = FieldToUnits(fields[3].toStdString(), fields[4] == QLatin1String("N"));
    return GpsToMap(map, x, y);
}
