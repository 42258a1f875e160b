#include "ToolTestSupport.h"

#include "map/MapFileReader.h"

#include <QDir>
#include <QFile>
#include <QProcess>

#include <cmath>

namespace {

constexpr double kCellDegrees = 0.0002;
constexpr double kNorth = 21.03;
constexpr double kWest = 105.83;

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

OsmSketch::OsmSketch(std::vector<std::string> rows)
{
    for (size_t r = 0; r < rows.size(); ++r) {
        for (size_t c = 0; c < rows[r].size(); ++c) {
            if (std::isalnum(static_cast<unsigned char>(rows[r][c])))
                m_nodes.push_back({Id(rows[r][c]), kNorth - r * kCellDegrees, kWest + c * kCellDegrees, {}});
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

QString SharedOsm(const char* name)
{
    return QDir(QStringLiteral(KORVANE_SHARED_DATA)).filePath(QStringLiteral("osm/") + QLatin1String(name));
}
