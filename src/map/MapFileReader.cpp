#include "map/MapFileReader.h"

#include "map/TextLines.h"
#include "base/TextCodec.h"
#include "base/Trace.h"

#include <algorithm>
#include <array>

namespace {

// Kinds in file order; the index into the tables below.
enum Kind { District, Way, Bus, River, Lake, Park, Place, Text, Position, KindCount };

constexpr std::array<const char*, KindCount> kTag = {"DISTRICT", "WAY",   "BUS",  "RIVER",   "LAKE",
                                                     "PARK",     "PLACE", "TEXT", "POSITION"};
constexpr std::array<const char*, 8> kCountKey = {
    "REALNUMDISTRICT ", "REALNUMWAY ", "REALNUMBUS ",   "REALNUMRIVER ",
    "REALNUMLAKE ",     "REALNUMPARK ", "REALNUMPLACE ", "REALNUMTEXT "};

// Largest declared count the reader honours: five digits is all the count
// lines can carry.
constexpr int kMaxDeclared = 99999;
constexpr int kMaxUserPlaces = 100000;

int* LastIndexOf(MapData& m, int kind)
{
    switch (kind) {
    case District: return &m.m_nDistrictLast;
    case Way: return &m.m_nWayLast;
    case Bus: return &m.m_nBusLast;
    case River: return &m.m_nRiverLast;
    case Lake: return &m.m_nLakeLast;
    case Park: return &m.m_nParkLast;
    case Place: return &m.m_nPlaceLast;
    case Text: return &m.m_nTextLast;
    default: return &m.m_nNodeLast;
    }
}

// The named polyline kinds share one shape.
struct PolyArrays {
    std::vector<QString>* names;
    std::vector<std::vector<MapPoint>>* points;
    std::vector<int>* pointLast;
};

PolyArrays PolyOf(MapData& m, int kind)
{
    switch (kind) {
    case District: return {&m.m_strDistrictName, &m.m_pDistrictPoints, &m.m_nDistrictPointLast};
    case Way: return {&m.m_strWayName, &m.m_pWayPoints, &m.m_nWayPointLast};
    case Bus: return {&m.m_strBusName, &m.m_pBusPoints, &m.m_nBusPointLast};
    case River: return {&m.m_strRiverName, &m.m_pRiverPoints, &m.m_nRiverPointLast};
    case Lake: return {&m.m_strLakeName, &m.m_pLakePoints, &m.m_nLakePointLast};
    default: return {&m.m_strParkName, &m.m_pParkPoints, &m.m_nParkPointLast};
    }
}

// Gives a kind's arrays room for n records. The arrays grow as records come,
// so a file that declares many records but holds few takes little memory.
void GrowRecords(MapData& m, int kind, size_t n)
{
    const auto grow = [n](auto&... arrays) { (arrays.resize(std::max(arrays.size(), n)), ...); };
    switch (kind) {
    case Place: grow(m.m_strPlaceName, m.m_ptPlace, m.m_nPlaceCategory, m.m_strPlaceInfo); break;
    case Text: grow(m.m_strText, m.m_ptText, m.m_nTextSize); break;
    case Way: grow(m.m_strWayDirection, m.m_nWayWidth); [[fallthrough]];
    default: {
        PolyArrays a = PolyOf(m, kind);
        const size_t before = a.pointLast->size();
        grow(*a.names, *a.points, *a.pointLast);
        std::fill(a.pointLast->begin() + before, a.pointLast->end(), -1);
    }
    }
}

// Gives back the room the arrays took while they grew: a loaded map keeps
// what its file holds and no more.
void FitRecords(MapData& m)
{
    const auto fit = [](auto&... arrays) { (arrays.shrink_to_fit(), ...); };
    fit(m.m_strDistrictName, m.m_pDistrictPoints, m.m_nDistrictPointLast);
    fit(m.m_strWayName, m.m_pWayPoints, m.m_nWayPointLast, m.m_strWayDirection, m.m_nWayWidth);
    fit(m.m_strBusName, m.m_pBusPoints, m.m_nBusPointLast);
    fit(m.m_strRiverName, m.m_pRiverPoints, m.m_nRiverPointLast);
    fit(m.m_strLakeName, m.m_pLakePoints, m.m_nLakePointLast);
    fit(m.m_strParkName, m.m_pParkPoints, m.m_nParkPointLast);
    fit(m.m_strPlaceName, m.m_ptPlace, m.m_nPlaceCategory, m.m_strPlaceInfo);
    fit(m.m_strText, m.m_ptText, m.m_nTextSize);
    fit(m.m_pNodeWays, m.m_pNodeCoords);
}

// Empties every kind; the declared counts become the kinds' record limits:
// the count + 2, for PLACE the count, the user places and 30 more.
std::array<int, KindCount> StartRecords(MapData& m, int myPlaceCount)
{
    std::array<int, KindCount> limits{};
    for (int kind = District; kind <= Text; ++kind) {
        int& last = *LastIndexOf(m, kind);
        limits[kind] = kind == Place ? std::clamp(last, 0, kMaxDeclared) + std::clamp(myPlaceCount, 0, kMaxUserPlaces) +
                                           kSparePlaces
                                     : std::clamp(last, -2, kMaxDeclared) + 2;
        last = -1;
    }
    m.m_strDistrictName.clear(), m.m_pDistrictPoints.clear(), m.m_nDistrictPointLast.clear();
    m.m_strWayName.clear(), m.m_pWayPoints.clear(), m.m_nWayPointLast.clear();
    m.m_strWayDirection.clear(), m.m_nWayWidth.clear();
    m.m_strBusName.clear(), m.m_pBusPoints.clear(), m.m_nBusPointLast.clear();
    m.m_strRiverName.clear(), m.m_pRiverPoints.clear(), m.m_nRiverPointLast.clear();
    m.m_strLakeName.clear(), m.m_pLakePoints.clear(), m.m_nLakePointLast.clear();
    m.m_strParkName.clear(), m.m_pParkPoints.clear(), m.m_nParkPointLast.clear();
    m.m_strPlaceName.clear(), m.m_ptPlace.clear(), m.m_nPlaceCategory.clear(), m.m_strPlaceInfo.clear();
    m.m_strText.clear(), m.m_ptText.clear(), m.m_nTextSize.clear();
    m.m_pNodeWays.clear();
    m.m_pNodeCoords.clear();
    return limits;
}

QStringView Before(QStringView text, qsizetype at) { return at < 0 ? text : text.first(at); }
QStringView Prefix(QStringView text, qsizetype n) { return text.first(std::min(n, text.size())); }
QStringView After(QStringView text, qsizetype at) { return at < 0 ? QStringView() : text.sliced(at + 1); }

class Reader {
public:
    Reader(MapData& map, int myPlaceCount) : m(map), m_myPlaceCount(myPlaceCount) {}
    void Run(QByteArrayView block);

private:
    void HeaderLine(const QString& line);
    bool Section(int kind, LineScanner& lines);
    void RecordLine(int kind, const QString& line);
    void Level1(int kind, QStringView value);
    void PolyPoints(int kind, QStringView value);
    void NodeLine(QStringView value);
    void GrowNodeTables(size_t count);
    void Drop(const char* what, int kind);

    MapData& m;
    int m_myPlaceCount;
    int m_lineNumber = 0;
    int m_record = -1;  // record the level 2..4 lines belong to, −1 for none
    bool m_inGpsInf = false, m_inRes = false, m_inScale = false, m_inCenp = false;
    bool m_headerDone = false;
    int m_nodeLimit = 0;  // node slots the WAY records allow
    std::array<int, KindCount> m_limit{};  // records each kind may hold
};

void Reader::Drop(const char* what, int kind)
{
    Trace("LoadMapFile: line %d: %s of %s dropped (beyond the map's limits)", m_lineNumber, what, kTag[kind]);
}

void Reader::HeaderLine(const QString& line)
{
    for (int k = 0; k < 8; ++k) {
        const QLatin1StringView key(kCountKey[k]);
        if (line.contains(key))
            *LastIndexOf(m, k) = ToInt(Prefix(QStringView(line).sliced(std::min(line.size(), key.size())), 5));
    }
    const auto value = [&](int level) { return QStringView(line).sliced(level); };
    if (line.contains(QLatin1StringView("/GPSINF"))) {
        m_inGpsInf = true;
    } else if (line.contains(QLatin1StringView("GPSINF/"))) {
        m_inGpsInf = false;
    } else if (m_inGpsInf) {
        if (IsIndentLevel(line, 1))
            m.m_dGpsRotation = ToReal(Prefix(value(1), 30));
        else if (IsIndentLevel(line, 2))
            m.m_dGpsUnitsPerMapUnit = ToReal(Prefix(value(2), 30));
        else if (IsIndentLevel(line, 3))
            m.m_nGpsOriginX = ToInt(Prefix(value(3), 30));
        else if (IsIndentLevel(line, 4))
            m.m_nGpsOriginY = ToInt(Prefix(value(4), 30));
    }
    if (line.contains(QLatin1StringView("/RES"))) {
        m_inRes = true;
    } else if (line.contains(QLatin1StringView("RES/"))) {
        m_inRes = false;
    } else if (m_inRes && IsIndentLevel(line, 1)) {
        const QStringView v = value(1);
        const qsizetype x = v.indexOf('x');
        m.m_nResWidth = ToInt(Prefix(Before(v, x), 5));
        m.m_nResHeight = ToInt(Prefix(After(v, x), 5));
    }
    if (line.contains(QLatin1StringView("/SCALE"))) {
        m_inScale = true;
    } else if (line.contains(QLatin1StringView("SCALE/"))) {
        m_inScale = false;
    } else if (m_inScale && IsIndentLevel(line, 1)) {
        m.m_dMapScale = ToReal(Prefix(value(1), 7));
    }
    if (line.contains(QLatin1StringView("/CENP"))) {
        m_inCenp = true;
        m.m_nCenterX = 0;
        m.m_nCenterY = 0;
    } else if (line.contains(QLatin1StringView("CENP/"))) {
        m_inCenp = false;
        m_headerDone = true;
    } else if (m_inCenp && IsIndentLevel(line, 1)) {
        const QStringView v = value(1);
        const qsizetype comma = v.size() > 1 ? v.indexOf(',', 1) : -1;
        m.m_nCenterX = ToInt(Before(v, comma));
        m.m_nCenterY = ToInt(After(v, comma));
    }
}

void Reader::Level1(int kind, QStringView value)
{
    int& last = *LastIndexOf(m, kind);
    if (kind == Position) {
        NodeLine(value);
        return;
    }
    if (last + 1 >= m_limit[kind]) {
        Drop("a record", kind);
        m_record = -1;
        return;
    }
    m_record = ++last;
    GrowRecords(m, kind, last + 1);
    QString text = value.toString();
    switch (kind) {
    case Way:
        if (!text.isEmpty() && text[0] >= '0' && text[0] <= '9')
            text.clear();
        m.m_strWayName[m_record] = text;
        break;
    case Place: m.m_strPlaceName[m_record] = text; break;
    case Text: m.m_strText[m_record] = text; break;
    default: (*PolyOf(m, kind).names)[m_record] = text; break;
    }
}

void Reader::PolyPoints(int kind, QStringView value)
{
    const int limit = kind == Way ? kMaxWayPoints : kind == District ? kMaxDistrictPoints : kMaxPolyPoints;
    std::vector<MapPoint> points;
    int dropped = 0;
    const int last = ParsePointList(value, points, limit, &dropped);
    if (dropped > 0)
        Drop("points", kind);
    // A record holds the points read and no more: memory follows the file's
    // size, not its count of records.
    points.shrink_to_fit();
    PolyArrays a = PolyOf(m, kind);
    (*a.points)[m_record] = std::move(points);
    (*a.pointLast)[m_record] = last;
}

void Reader::NodeLine(QStringView value)
{
    const int node = m.m_nNodeLast + 1;
    // Nodes and the spare slot after the last one must lie inside the table.
    if (node + 1 >= m_nodeLimit) {
        Drop("a road node", Position);
        return;
    }
    if (node + 1 >= m.NodeCapacity())
        GrowNodeTables(std::min<size_t>(std::max<size_t>(2 * m.NodeCapacity(), 64), m_nodeLimit));
    const qsizetype semi = value.indexOf(';');
    int dropped = 0;
    m.m_pNodeWays[node] = ParseIntList(Before(value, semi), &dropped);
    m.m_pNodeCoords[node] = ParseIntList(After(value, semi), &dropped);
    if (dropped > 0)
        Drop("values beyond 21 in a node list", Position);
    m.m_nNodeLast = node;
}

void Reader::RecordLine(int kind, const QString& line)
{
    if (IsIndentLevel(line, 1)) {
        Level1(kind, QStringView(line).sliced(1));
        return;
    }
    if (m_record < 0 || kind == Position)
        return;
    for (int level = 2; level <= 4; ++level) {
        if (!IsIndentLevel(line, level))
            continue;
        const QStringView value = QStringView(line).sliced(level);
        if (level == 2) {
            if (kind == Place || kind == Text) {
                std::vector<MapPoint> points;
                ParsePointList(value, points, 2);
                (kind == Place ? m.m_ptPlace : m.m_ptText)[m_record] = points.front();
            } else {
                PolyPoints(kind, value);
            }
        } else if (level == 3) {
            if (kind == Way) {
                const qsizetype comma = value.size() > 1 ? value.indexOf(',', 1) : -1;
                m.m_strWayDirection[m_record] = Before(value, comma).toString();
                m.m_nWayWidth[m_record] = ToInt(After(value, comma));
            } else if (kind == Place) {
                m.m_nPlaceCategory[m_record] = ToInt(value);
            } else if (kind == Text) {
                m.m_nTextSize[m_record] = ToInt(value);
            }
        } else if (kind == Place) {
            m.m_strPlaceInfo[m_record] = value.toString();
        }
    }
}

QString LineText(QByteArrayView bytes)
{
    // Every line after the header passes through a 3000-byte line buffer.
    if (bytes.size() > kMaxMapLineBytes) {
        Trace("LoadMapFile: a line of %lld bytes cut to %d", static_cast<long long>(bytes.size()), kMaxMapLineBytes);
        // Cut between UTF-8 characters (at most three bytes back): a line cut
        // inside one would no longer read as UTF-8 and its whole text would change.
        qsizetype cut = kMaxMapLineBytes;
        while (cut > kMaxMapLineBytes - 3 && (static_cast<unsigned char>(bytes[cut]) & 0xC0) == 0x80)
            --cut;
        bytes = bytes.first(cut);
    }
    return DecodeLine(bytes);
}

bool Reader::Section(int kind, LineScanner& lines)
{
    const QString open = QLatin1Char('/') + QLatin1StringView(kTag[kind]);
    const QString close = QLatin1StringView(kTag[kind]) + QLatin1Char('/');
    bool isOpen = false;
    m_record = -1;
    QByteArrayView bytes;
    while (lines.Next(bytes)) {
        m_lineNumber = lines.LineNumber();
        const QString line = LineText(bytes);
        if (line.contains(close))
            return true;
        if (line.contains(open)) {
            isOpen = true;
            // Room for four nodes a WAY record but one; the tables grow as
            // the nodes come.
            if (kind == Position && m.m_nWayLast > 0)
                m_nodeLimit = m.m_nWayLast * 4;
        } else if (isOpen) {
            RecordLine(kind, line);
        }
    }
    return false;
}

void Reader::Run(QByteArrayView block)
{
    LineScanner lines(block);
    QByteArrayView bytes;
    while (!m_headerDone && lines.Next(bytes)) {
        m_lineNumber = lines.LineNumber();
        HeaderLine(DecodeText(bytes));
    }
    m_limit = StartRecords(m, m_myPlaceCount);
    for (int kind = District; kind < KindCount; ++kind) {
        if (!Section(kind, lines))
            break;
    }
    // Room for the user places a place-information file adds after the load.
    GrowRecords(m, Place, m.m_nPlaceLast + 1 + std::clamp(m_myPlaceCount, 0, kMaxUserPlaces) + kSparePlaces);
    // The tables keep slot 0, the nodes and the spare slot after them.
    if (m_nodeLimit > 0)
        GrowNodeTables(m.m_nNodeLast + 2);
    FitRecords(m);
}

void Reader::GrowNodeTables(size_t count)
{
    NodeList unused;
    unused.fill(-1);
    m.m_pNodeWays.resize(count, unused);
    m.m_pNodeCoords.resize(count, unused);
}

}  // namespace

int ParsePointList(QStringView text, std::vector<MapPoint>& out, int capacity, int* dropped)
{
    out.clear();
    int extra = 0;
    // The list is read as if one ";" followed it.
    const QString list = text.toString() + QLatin1Char(';');
    QStringView rest(list);
    while (!rest.isEmpty()) {
        // A pair without its "," has no x; its number is the y.
        const qsizetype comma = rest.indexOf(',');
        const QStringView x = comma < 0 ? QStringView() : rest.first(comma);
        rest = comma < 0 ? rest : rest.sliced(comma + 1);
        const qsizetype semi = rest.indexOf(';');
        const QStringView y = Before(rest, semi);
        rest = semi < 0 ? QStringView() : rest.sliced(semi + 1);
        if (static_cast<int>(out.size()) < capacity)
            out.push_back({ToInt(x), ToInt(y)});
        else
            ++extra;
    }
    if (dropped)
        *dropped = extra;
    return static_cast<int>(out.size()) - 1;
}

NodeList ParseIntList(QStringView text, int* dropped)
{
    NodeList values;
    values.fill(-1);
    int count = 0;
    const QString list = text.toString() + QLatin1Char(',');
    QStringView rest(list);
    while (!rest.isEmpty()) {
        const qsizetype comma = rest.indexOf(',');
        if (count < kNodeListSize)
            values[count] = ToInt(Before(rest, comma));
        else if (dropped)
            ++*dropped;
        ++count;
        rest = comma < 0 ? QStringView() : rest.sliced(comma + 1);
    }
    return values;
}

void ComputeResStep(MapData& map)
{
    map.m_dResStep = static_cast<double>((int64_t(map.m_nResWidth) + map.m_nResHeight) / 200);
}

void ReadMapBytes(MapData& map, QByteArrayView block, int myPlaceCount)
{
    map.m_nNodeLast = 0;
    Reader(map, myPlaceCount).Run(block);
    ComputeResStep(map);
}

bool LoadMapFile(MapData& map, const QString& path, int myPlaceCount)
{
    QByteArray block;
    bool cut = false;
    if (!ReadFileBlock(path, kMaxMapFileBytes, block, &cut)) {
        map.m_nNodeLast = 0;
        ComputeResStep(map);
        return false;
    }
    if (cut)
        Trace("LoadMapFile: %s is longer than %lld bytes; the rest is not read", qPrintable(path),
              static_cast<long long>(kMaxMapFileBytes));
    ReadMapBytes(map, block, myPlaceCount);
    return true;
}
