#include "MapCheck.h"

#include "Geometry.h"
#include "StrongParts.h"

#include "map/MapFileReader.h"
#include "map/TextLines.h"
#include "base/TextCodec.h"

#include <QStringList>

#include <algorithm>
#include <array>
#include <cmath>
#include <set>

namespace {

enum Kind { District, Way, Bus, River, Lake, Park, Place, Text, Position, KindCount };

constexpr std::array<const char*, KindCount> kTag = {"DISTRICT", "WAY",   "BUS",  "RIVER",   "LAKE",
                                                     "PARK",     "PLACE", "TEXT", "POSITION"};
constexpr std::array<int, Position> kPointLimit = {
    kMaxDistrictPoints, kMaxWayPoints, kMaxPolyPoints, kMaxPolyPoints, kMaxPolyPoints, kMaxPolyPoints, 1, 1};
// Levels that carry something in each kind's records (level 1 always does).
constexpr std::array<int, KindCount> kLastLevel = {2, 3, 2, 2, 2, 2, 4, 3, 1};

// How many characters of a header value the reader looks at.
constexpr int kCountChars = 5;
constexpr int kResChars = 5;
constexpr int kScaleChars = 7;
constexpr int kMaxListed = 10;
// A WAY record whose length is more than this many times the distance between
// its ends is listed by the map view only once it is drawn over 240 pixels
// long, the whole width of a handheld's window: in practice never.
constexpr double kMaxLengthPerEndSpan = 12.0;

QString Latin(const char* text)
{
    return QString::fromLatin1(text);
}

struct Node {
    int line = 0;
    NodeList ways{};
    NodeList coords{};
};

class MapChecker {
public:
    explicit MapChecker(QByteArrayView text) : m_text(text) {}
    std::vector<MapProblem> Run();

private:
    void Problem(int line, const QString& message) { m_problems.push_back({line, message}); }
    void Ignored(int line, const QString& why) { Problem(line, QStringLiteral("ignored by the reader: ") + why); }

    void Header(LineScanner& lines);
    void CountLine(int line, const QString& text, int kind);
    bool HeaderBlockLine(int line, const QString& text);
    void HeaderEnd(int line);
    bool Section(int kind, LineScanner& lines);
    void RecordLine(int kind, int line, const QString& text);
    void Level1(int kind, int line, QStringView value);
    void PointLine(int kind, int line, QStringView value);
    void ValueLine(int kind, int level, int line, QStringView value);
    void CheckGraph();
    void CheckWayPointsAreNodes(const std::set<std::pair<int, int>>& nodePoints);
    void CheckWaysShown();
    void CheckReachable();
    void ListNodes(const std::vector<int>& nodes, const QString& what);

    QByteArrayView m_text;
    std::vector<MapProblem> m_problems;

    // Header state.
    std::array<int, 8> m_declared{};
    std::array<bool, 8> m_countSeen{};
    std::array<bool, 4> m_gpsSeen{};
    bool m_resSeen = false, m_scaleSeen = false, m_cenpSeen = false;
    QString m_block; // the header block open, empty outside

    // Section state.
    std::array<int, KindCount> m_records{};
    bool m_hasRecord = false;
    std::array<bool, 5> m_levelSeen{};
    std::vector<std::vector<MapPoint>> m_wayPoints;
    std::vector<QString> m_wayNames;
    std::vector<int> m_wayLines;
    std::vector<Node> m_nodes; // node n at n − 1
};

void MapChecker::CountLine(int line, const QString& text, int kind)
{
    const QString key = Latin(kTag[kind]);
    const QString keyword = QStringLiteral("REALNUM") + key + QLatin1Char(' ');
    if (!text.startsWith(keyword)) {
        Problem(line, QStringLiteral("the count line must begin with \"%1\"").arg(keyword));
        return;
    }
    const QStringView value = QStringView(text).sliced(keyword.size());
    m_declared[kind] = ToInt(value.first(std::min<qsizetype>(value.size(), kCountChars)));
    m_countSeen[kind] = true;
    if (value.trimmed().size() > kCountChars)
        Problem(line, QStringLiteral("the reader reads five characters of the count: %1 is read as %2")
                          .arg(value.trimmed())
                          .arg(m_declared[kind]));
    if (m_declared[kind] < 0)
        Problem(line, QStringLiteral("negative count %1").arg(m_declared[kind]));
}

// The GPSINF, RES, SCALE and CENP blocks; true when the line means something.
bool MapChecker::HeaderBlockLine(int line, const QString& text)
{
    for (const char* tag : {"GPSINF", "RES", "SCALE", "CENP"}) {
        if (text.contains(QLatin1Char('/') + Latin(tag))) {
            m_block = Latin(tag);
            return true;
        }
        if (text.contains(Latin(tag) + QLatin1Char('/'))) {
            if (m_block != Latin(tag))
                Problem(line, QStringLiteral("%1/ without /%1").arg(Latin(tag)));
            m_block.clear();
            return true;
        }
    }
    if (m_block == QLatin1String("GPSINF")) {
        for (int level = 1; level <= 4; ++level) {
            if (IsIndentLevel(text, level)) {
                m_gpsSeen[level - 1] = true;
                return true;
            }
        }
        return false;
    }
    if (m_block.isEmpty() || !IsIndentLevel(text, 1))
        return false;
    const QStringView value = QStringView(text).sliced(1);
    if (m_block == QLatin1String("RES")) {
        m_resSeen = true;
        const qsizetype x = value.indexOf(QLatin1Char('x'));
        const QStringView width = x < 0 ? value : value.first(x);
        const QStringView height = x < 0 ? QStringView() : value.sliced(x + 1);
        if (x < 0 || width.trimmed().size() > kResChars || height.trimmed().size() > kResChars || ToInt(width) <= 0 ||
            ToInt(height) <= 0)
            Problem(line, QStringLiteral("RES must be width x height, each 1 to 99999: %1").arg(value));
    } else if (m_block == QLatin1String("SCALE")) {
        m_scaleSeen = true;
        if (value.trimmed().size() > kScaleChars)
            Problem(line, QStringLiteral("the reader reads seven characters of SCALE: %1 is read as %2")
                              .arg(value)
                              .arg(ToReal(value.first(kScaleChars))));
        if (ToReal(value.first(std::min<qsizetype>(value.size(), kScaleChars))) <= 0.0)
            Problem(line, QStringLiteral("SCALE must be above 0: %1").arg(value));
    } else {
        m_cenpSeen = true;
    }
    return true;
}

void MapChecker::HeaderEnd(int line)
{
    for (int kind = 0; kind < 8; ++kind) {
        if (!m_countSeen[kind])
            Problem(line, QStringLiteral("the header has no REALNUM%1 line").arg(Latin(kTag[kind])));
    }
    if (std::count(m_gpsSeen.begin(), m_gpsSeen.end(), true) < 4)
        Problem(line, QStringLiteral("GPSINF lacks some of its four values: GPS positions will be misplaced"));
    if (!m_resSeen)
        Problem(line, QStringLiteral("the header has no RES value"));
    if (!m_scaleSeen)
        Problem(line, QStringLiteral("the header has no SCALE value"));
    if (!m_cenpSeen)
        Problem(line, QStringLiteral("the header has no CENP value"));
}

void MapChecker::Header(LineScanner& lines)
{
    QByteArrayView bytes;
    while (lines.Next(bytes)) {
        const int line = lines.LineNumber();
        const QString text = DecodeLine(bytes);
        if (text.contains(QLatin1String("CENP/"))) {
            HeaderBlockLine(line, text);
            HeaderEnd(line);
            return;
        }
        bool meaningful = false;
        for (int kind = 0; kind < 8; ++kind) {
            if (text.contains(QStringLiteral("REALNUM%1 ").arg(Latin(kTag[kind])))) {
                CountLine(line, text, kind);
                meaningful = true;
            }
        }
        if (!HeaderBlockLine(line, text) && !meaningful)
            Ignored(line, QStringLiteral("not a header item"));
    }
    Problem(0, QStringLiteral("no CENP/ line: the reader takes the whole file for the header"));
}

void MapChecker::Level1(int kind, int line, QStringView value)
{
    const int index = m_records[kind]++;
    m_hasRecord = true;
    m_levelSeen.fill(false);
    if (kind == Position) {
        const int node = index + 1;
        const int tableSlots = 4 * (m_records[Way] - 1);
        if (m_records[Way] < 2)
            Problem(
                line,
                QStringLiteral("road node %1, but a map with fewer than two WAY records has no node table").arg(node));
        else if (node + 1 >= tableSlots)
            Problem(line, QStringLiteral("road node %1 does not fit the node table: %2 nodes need %3 WAY records, "
                                         "the map has %4")
                              .arg(node)
                              .arg(node)
                              .arg((node + 1) / 4 + 2)
                              .arg(m_records[Way]));
        const qsizetype semi = value.indexOf(QLatin1Char(';'));
        int dropped = 0;
        Node n{line, ParseIntList(semi < 0 ? value : value.first(semi), &dropped),
               ParseIntList(semi < 0 ? QStringView() : value.sliced(semi + 1), &dropped)};
        if (semi < 0)
            Problem(line,
                    QStringLiteral("road node %1 has no \";\" between its WAY numbers and coordinates").arg(node));
        if (dropped > 0)
            Problem(line,
                    QStringLiteral("road node %1 has %2 values beyond the 21 a list holds").arg(node).arg(dropped));
        m_nodes.push_back(n);
        return;
    }
    if (index >= m_declared[kind])
        Problem(line, QStringLiteral("%1 record %2 is beyond the declared count %3%4")
                          .arg(Latin(kTag[kind]))
                          .arg(index + 1)
                          .arg(m_declared[kind])
                          .arg(index >= m_declared[kind] + (kind == Place ? kSparePlaces : 2)
                                   ? QStringLiteral(": the reader drops it")
                                   : QString()));
    if (kind == Way) {
        if (!value.isEmpty() && value[0].isDigit())
            Problem(line, QStringLiteral("a WAY name that begins with a digit is read as no name: %1").arg(value));
        m_wayPoints.emplace_back();
        m_wayNames.push_back(value.toString());
        m_wayLines.push_back(line);
    }
}

void MapChecker::PointLine(int kind, int line, QStringView value)
{
    std::vector<MapPoint> points;
    int dropped = 0;
    const int last = ParsePointList(value, points, kPointLimit[kind], &dropped);
    if (dropped > 0)
        Problem(line, QStringLiteral("%1 record with %2 points; the limit is %3")
                          .arg(Latin(kTag[kind]))
                          .arg(last + 1 + dropped)
                          .arg(kPointLimit[kind]));
    if (value.endsWith(QLatin1Char(';')))
        Problem(line, QStringLiteral("a \";\" after the last point adds a point (0,0)"));
    if (kind == Way)
        m_wayPoints.back() = points;
}

void MapChecker::ValueLine(int kind, int level, int line, QStringView value)
{
    if (kind == Place && level == 3 && (ToInt(value) < 1 || ToInt(value) > 28))
        Problem(line, QStringLiteral("place category %1 is not one of 1 to 28").arg(value));
    if (kind == Text && level == 3 && ToInt(value) <= 0)
        Problem(line, QStringLiteral("label size %1 is not above 0").arg(value));
    if (kind == Way && level == 3 && value.indexOf(QLatin1Char(','), 1) < 0)
        Problem(line, QStringLiteral("the WAY direction and width must be separated by \",\": %1").arg(value));
}

void MapChecker::RecordLine(int kind, int line, const QString& text)
{
    int level = 0;
    while (level <= 4 && !IsIndentLevel(text, level))
        ++level;
    if (level == 0 || level > 4) {
        Ignored(line, level == 0 ? QStringLiteral("no tab at the start of a record line")
                                 : QStringLiteral("five or more tabs"));
        return;
    }
    const QStringView value = QStringView(text).sliced(level);
    if (level == 1) {
        Level1(kind, line, value);
        return;
    }
    if (level > kLastLevel[kind]) {
        Ignored(line, QStringLiteral("%1 records have no level-%2 line").arg(Latin(kTag[kind])).arg(level));
        return;
    }
    if (!m_hasRecord) {
        Ignored(line, QStringLiteral("a level-%1 line before the section's first record").arg(level));
        return;
    }
    if (m_levelSeen[level])
        Problem(line, QStringLiteral("a second level-%1 line replaces the record's first").arg(level));
    m_levelSeen[level] = true;
    if (level == 2)
        PointLine(kind, line, value);
    else
        ValueLine(kind, level, line, value);
}

bool MapChecker::Section(int kind, LineScanner& lines)
{
    const QString open = QLatin1Char('/') + Latin(kTag[kind]);
    const QString close = Latin(kTag[kind]) + QLatin1Char('/');
    bool isOpen = false;
    m_hasRecord = false;
    QByteArrayView bytes;
    while (lines.Next(bytes)) {
        const int line = lines.LineNumber();
        if (bytes.size() > kMaxMapLineBytes)
            Problem(line, QStringLiteral("a line of %1 bytes: the reader cuts it at %2, %3 bytes too many")
                              .arg(bytes.size())
                              .arg(kMaxMapLineBytes)
                              .arg(bytes.size() - kMaxMapLineBytes));
        const QString text = DecodeLine(bytes.first(std::min<qsizetype>(bytes.size(), kMaxMapLineBytes)));
        if (text.contains(close)) {
            if (!isOpen)
                Problem(line, QStringLiteral("%1 without %2").arg(close, open));
            return true;
        }
        if (text.contains(open))
            isOpen = true;
        else if (isOpen)
            RecordLine(kind, line, text);
        else
            Ignored(line, QStringLiteral("outside any section (%1 expected)").arg(open));
    }
    Problem(0, QStringLiteral("the file ends before %1: the reader stops there").arg(close));
    return false;
}

void MapChecker::CheckWayPointsAreNodes(const std::set<std::pair<int, int>>& nodePoints)
{
    if (m_nodes.empty())
        return;
    for (size_t w = 0; w < m_wayPoints.size(); ++w) {
        const auto& points = m_wayPoints[w];
        const auto missing = std::count_if(points.begin(), points.end(), [&](MapPoint p) {
            return !nodePoints.count({p.x, p.y});
        });
        if (missing > 0)
            Problem(m_wayLines[w], QStringLiteral("%1 of the %2 points of WAY record %3 are no road node: a route "
                                                  "cannot start or end on the segments there")
                                       .arg(missing)
                                       .arg(points.size())
                                       .arg(w + 1));
    }
}

// The map view leaves out every way whose ends lie within 20 pixels of each
// other, so a closed or nearly closed record is never seen nor tapped.
void MapChecker::CheckWaysShown()
{
    for (size_t w = 0; w < m_wayPoints.size(); ++w) {
        const auto& points = m_wayPoints[w];
        const double ratio = LengthPerEndSpan(points);
        if (ratio <= kMaxLengthPerEndSpan)
            continue;
        const QString way = QStringLiteral("WAY record %1 (%2)")
                                .arg(w + 1)
                                .arg(m_wayNames[w].isEmpty() ? QStringLiteral("no name") : m_wayNames[w]);
        if (std::isinf(ratio))
            Problem(m_wayLines[w], way + QStringLiteral(" begins and ends at the same point: the map view never "
                                                        "shows it"));
        else
            Problem(m_wayLines[w], way + QStringLiteral(" is %1 times as long as the distance between its ends: the "
                                                        "map view shows it only when it is drawn over %2 pixels long")
                                             .arg(ratio, 0, 'f', 1)
                                             .arg(std::lround(20.0 * ratio)));
    }
}

// One problem for a group of road nodes: how many, the first few, and the
// streets they lie on.
void MapChecker::ListNodes(const std::vector<int>& nodes, const QString& what)
{
    if (nodes.empty())
        return;
    QStringList numbers, streets;
    int moreStreets = 0;
    for (int n : nodes) {
        if (numbers.size() < kMaxListed)
            numbers << QString::number(n);
        for (int i = 0; i < kNodeListSize && m_nodes[n - 1].ways[i] != -1; ++i) {
            const int w = m_nodes[n - 1].ways[i];
            if (w < 1 || w > static_cast<int>(m_wayNames.size()) || m_wayNames[w - 1].isEmpty() ||
                streets.contains(m_wayNames[w - 1]))
                continue;
            if (streets.size() < kMaxListed)
                streets << m_wayNames[w - 1];
            else
                ++moreStreets;
        }
    }
    if (static_cast<qsizetype>(nodes.size()) > numbers.size())
        numbers << QStringLiteral("and %1 more").arg(nodes.size() - numbers.size());
    if (moreStreets > 0)
        streets << QStringLiteral("and %1 more").arg(moreStreets);
    const bool one = nodes.size() == 1;
    Problem(m_nodes[nodes.front() - 1].line,
            QStringLiteral("%1 road %2 %3: %4 %5; streets: %6")
                .arg(nodes.size())
                .arg(one ? QStringLiteral("node") : QStringLiteral("nodes"), what,
                     one ? QStringLiteral("node") : QStringLiteral("nodes"), numbers.join(QLatin1String(", ")),
                     streets.isEmpty() ? QStringLiteral("none named") : streets.join(QLatin1String(", "))));
}

// Along one-way streets a node may be reachable yet have no way out, or the
// other way round: a route can run between two nodes only when both lie in
// the same strongly connected part. Every node outside the largest part is
// listed, by what it lacks.
void MapChecker::CheckReachable()
{
    const int count = static_cast<int>(m_nodes.size());
    if (count == 0)
        return;
    std::vector<std::vector<int>> links(count);
    for (int n = 1; n <= count; ++n) {
        const NodeList& c = m_nodes[n - 1].coords;
        for (int i = 2; i + 1 < kNodeListSize; i += 2) {
            if (c[i] > 0 && c[i] <= count)
                links[n - 1].push_back(c[i] - 1);
        }
    }
    const StrongParts parts = FindStrongParts(links);
    const int main =
        static_cast<int>(std::find(parts.part.begin(), parts.part.end(), parts.largest) - parts.part.begin());
    const std::vector<char> fromMain = ReachableFrom(links, main);
    const std::vector<char> toMain = ReachableFrom(Reversed(links), main);
    std::vector<int> noWayOut, noWayIn, neither;
    for (int n = 0; n < count; ++n) {
        if (parts.part[n] == parts.largest)
            continue;
        (fromMain[n] ? noWayOut : toMain[n] ? noWayIn : neither).push_back(n + 1);
    }
    ListNodes(noWayOut, QStringLiteral("can be reached but not left along one-way streets, so no route starts "
                                       "there"));
    ListNodes(noWayIn, QStringLiteral("can be left but not reached along one-way streets, so no route ends there"));
    ListNodes(neither, QStringLiteral("can neither reach the main road network nor be reached from it, so no route "
                                      "runs there"));
}

void MapChecker::CheckGraph()
{
    const int ways = static_cast<int>(m_wayPoints.size());
    const int count = static_cast<int>(m_nodes.size());
    if (count == 0 && ways > 0)
        Problem(0, QStringLiteral("the map has streets but no road nodes: no route can be found"));
    std::set<std::pair<int, int>> nodePoints;
    for (int n = 1; n <= count; ++n) {
        const Node& node = m_nodes[n - 1];
        const MapPoint at{node.coords[0], node.coords[1]};
        nodePoints.insert({at.x, at.y});
        bool onItsWays = false;
        for (int i = 0; i < kNodeListSize && node.ways[i] != -1; ++i) {
            const int w = node.ways[i];
            if (w < 1 || w > ways) {
                Problem(node.line,
                        QStringLiteral("road node %1 names WAY record %2, which does not exist").arg(n).arg(w));
                continue;
            }
            const auto& points = m_wayPoints[w - 1];
            onItsWays = onItsWays || std::find(points.begin(), points.end(), at) != points.end();
        }
        if (!onItsWays)
            Problem(node.line, QStringLiteral("road node %1 at %2,%3 is no point of the WAY records it names")
                                   .arg(n)
                                   .arg(at.x)
                                   .arg(at.y));
        for (int i = 2; i < kNodeListSize; i += 2) {
            const int neighbour = node.coords[i];
            if (neighbour > count)
                Problem(node.line,
                        QStringLiteral("road node %1 links to node %2, which does not exist").arg(n).arg(neighbour));
            if (neighbour > 0 && (i + 1 >= kNodeListSize || node.coords[i + 1] == -1))
                Problem(node.line,
                        QStringLiteral("road node %1 links to node %2 without an edge value").arg(n).arg(neighbour));
        }
    }
    CheckWayPointsAreNodes(nodePoints);
    CheckWaysShown();
    CheckReachable();
}

std::vector<MapProblem> MapChecker::Run()
{
    QByteArrayView read = m_text;
    if (m_text.size() > kMaxMapFileBytes) {
        Problem(0, QStringLiteral("the file is %1 bytes, %2 more than the %3 the reader reads")
                       .arg(m_text.size())
                       .arg(m_text.size() - kMaxMapFileBytes)
                       .arg(kMaxMapFileBytes));
        read = m_text.first(kMaxMapFileBytes);
    }
    LineScanner lines(read);
    Header(lines);
    for (int kind = District; kind < KindCount; ++kind) {
        if (!Section(kind, lines))
            break;
    }
    CheckGraph();
    QByteArrayView rest;
    while (lines.Next(rest))
        Ignored(lines.LineNumber(), QStringLiteral("after POSITION/, where the reader stops"));
    const qsizetype lastEnd = read.lastIndexOf(QByteArrayView("\r\n"));
    const qsizetype tail = read.size() - (lastEnd < 0 ? 0 : lastEnd + 2);
    if (tail > 0 && read.size() == m_text.size())
        Ignored(0, QStringLiteral("the last %1 bytes do not end with CR LF").arg(tail));
    std::stable_sort(m_problems.begin(), m_problems.end(),
                     [](const MapProblem& a, const MapProblem& b) { return a.line < b.line; });
    return m_problems;
}

} // namespace

std::vector<MapProblem> CheckMapText(QByteArrayView text)
{
    return MapChecker(text).Run();
}
