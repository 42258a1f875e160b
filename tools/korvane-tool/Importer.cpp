#include "Importer.h"

#include "Coastline.h"
#include "Geometry.h"
#include "ImportRules.h"
#include "MapCheck.h"
#include "MapWriter.h"
#include "RoadNetwork.h"

#include "map/MapFileReader.h"
#include "map/TextLines.h"
#include "places/Categories.h"
#include "base/TextCodec.h"

#include <QSaveFile>

#include <algorithm>
#include <array>
#include <cmath>
#include <numbers>
#include <tuple>

namespace {

constexpr int kMaxNameBytes = 200;
// Room for the tabs of a point line within the reader's line limit.
constexpr qsizetype kMaxPointListBytes = kMaxMapLineBytes - 4;

struct LeaveOutName {
    unsigned bit;
    const char* name;
};

// Also the order in which --fit leaves features out: the least missed first.
constexpr std::array<LeaveOutName, 4> kLeaveOutNames = {
    {{LeaveSmallPlaces, "small-places"}, {LeaveService, "service"}, {LeaveBus, "bus"}, {LeaveDistricts, "districts"}}};

constexpr const char* kSectionTags[] = {"DISTRICT", "WAY", "BUS", "RIVER", "LAKE", "PARK", "PLACE", "TEXT", "POSITION"};

QString FromUtf8(std::string_view text)
{
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

// Text as a record line can hold it: no control characters (a tab or line end
// would break the record) and no section tag (a line holding "WAY/" closes the
// WAY section wherever the tag stands).
QString SafeText(const QString& raw)
{
    QString text = raw.normalized(QString::NormalizationForm_C);
    for (QChar& c : text) {
        if (c.category() == QChar::Other_Control)
            c = QLatin1Char(' ');
    }
    text = text.simplified();
    for (const char* tag : kSectionTags) {
        const QString word = QString::fromLatin1(tag);
        text.replace(word + QLatin1Char('/'), word + QLatin1String(" /"));
        text.replace(QLatin1Char('/') + word, QLatin1String("/ ") + word);
    }
    return QString::fromUtf8(EncodeTextLimited(text, kMaxNameBytes));
}

// The reader stores a street name that begins with a digit as no name, so
// such a name gets the word for street in front ("3 Tháng 2" is kept as
// "Đường 3 Tháng 2").
QString StreetName(const OsmTags& tags)
{
    const QString name = SafeText(FromUtf8(tags.Get("name")));
    if (!name.isEmpty() && name[0] >= QLatin1Char('0') && name[0] <= QLatin1Char('9'))
        return QStringLiteral("Đường ") + name;
    return name;
}

QString BusName(const OsmTags& tags)
{
    const QString ref = SafeText(FromUtf8(tags.Get("ref")));
    const QString name = SafeText(FromUtf8(tags.Get("name")));
    if (ref.isEmpty() || name.isEmpty())
        return ref.isEmpty() ? name : ref;
    return ref + QLatin1String(": ") + name;
}

QString PlaceInfo(const OsmTags& tags)
{
    const QString address =
        FromUtf8(tags.Get("addr:housenumber")) + QLatin1Char(' ') + FromUtf8(tags.Get("addr:street"));
    return SafeText(address);
}

qsizetype PointListBytes(const Polyline& points)
{
    qsizetype bytes = 0;
    for (const MapPoint& p : points)
        bytes += QByteArray::number(p.x).size() + QByteArray::number(p.y).size() + 2;
    return bytes;
}

// Simplifies a ring until it fits its point limit and one line.
Polyline FitRing(const Polyline& ring, double tolerance, int maxPoints)
{
    Polyline fitted = SimplifyRing(ring, tolerance);
    for (double t = std::max(tolerance, 1.0);
         static_cast<int>(fitted.size()) > maxPoints || PointListBytes(fitted) > kMaxPointListBytes; t *= 2.0)
        fitted = SimplifyRing(ring, t);
    return fitted;
}

// Water areas that fit LAKE records: a ring with too many points is halved
// until each part holds them.
std::vector<Polyline> FitWater(const Polyline& ring, double tolerance)
{
    const Polyline simplified = SimplifyRing(ring, tolerance);
    if (simplified.size() <= size_t(kMaxPolyPoints) && PointListBytes(simplified) <= kMaxPointListBytes)
        return {simplified};
    const auto [low, high] = HalveRing(ring);
    if (low.empty() && high.empty())
        return {FitRing(ring, tolerance, kMaxPolyPoints)};
    std::vector<Polyline> parts;
    for (const Polyline* half : {&low, &high}) {
        if (half->size() >= 3) {
            for (Polyline& part : FitWater(*half, tolerance))
                parts.push_back(std::move(part));
        }
    }
    return parts;
}

// Cuts a line into consecutive pieces of at most maxPoints points that share
// their ends.
std::vector<Polyline> SplitLine(const Polyline& line, int maxPoints)
{
    const std::vector<size_t> cuts = EvenCuts(line.size(), maxPoints);
    std::vector<Polyline> out;
    for (size_t k = 0; k + 1 < cuts.size(); ++k)
        out.emplace_back(line.begin() + cuts[k], line.begin() + cuts[k + 1] + 1);
    return out;
}

void AddPoly(std::vector<QString>& names, std::vector<std::vector<MapPoint>>& points, std::vector<int>& pointLast,
             int& last, const QString& name, const Polyline& line)
{
    names.push_back(name);
    points.push_back(line);
    pointLast.push_back(static_cast<int>(line.size()) - 1);
    last = static_cast<int>(names.size()) - 1;
}

struct Area {
    int group = 0; // drawing order: coarser districts first
    QString name;
    int64_t id = 0;
    Polyline ring;
};

// One import at one set of left-out features.
class MapBuilder {
public:
    MapBuilder(const OsmData& data, const ImportOptions& options, unsigned leaveOut, MapData& map)
        : m_data(data), m_options(options), m_leaveOut(leaveOut), m(map)
    {
    }
    bool Run(QString& error);
    const GeoBox& Box() const { return m_box; }
    QStringList Notes() const;
    QStringList Warnings() const;
    QStringList Summary(qsizetype bytes) const;

private:
    bool ChooseFrame(QString& error);
    std::vector<Polyline> Runs(const std::vector<int64_t>& ids);
    std::vector<Polyline> Lines(const std::vector<int64_t>& ids);
    std::optional<Polyline> Ring(const std::vector<int64_t>& ids);
    std::optional<MapPoint> PointOf(const std::vector<int64_t>& ids);
    bool Roads(QString& error);
    void Sea();
    void Areas();
    void AddArea(AreaKind kind, const OsmTags& tags, int64_t id, const Polyline& ring);
    void AreaRelation(const OsmRelation& relation, AreaKind kind);
    void StoreAreas();
    void Rivers();
    void BusRoutes();
    void BusRoute(const OsmRelation& relation);
    void Places();
    void AddPlace(const OsmTags& tags, MapPoint at);
    void Texts();
    void Header();
    bool Leaves(unsigned bit) const { return (m_leaveOut & bit) != 0; }

    const OsmData& m_data;
    const ImportOptions& m_options;
    unsigned m_leaveOut;
    MapData& m;
    GeoBox m_box;
    Calibration m_frame;
    double m_tolerance = 0.0;
    std::vector<Area> m_districts, m_lakes, m_parks;
    struct PlaceRecord {
        int category;
        QString name;
        MapPoint at;
        QString info;
    };
    std::vector<PlaceRecord> m_places;
    RoadNetworkStats m_roadStats;
    int m_missingNodes = 0;   // node references to nodes not in the file
    int m_missingMembers = 0; // relation members not in the file
    int m_openRings = 0;      // areas whose outline does not close
    int m_seaAreas = 0;       // water areas made from coastlines
    int m_looseCoastEnds = 0; // coastline ends inside the box
    int m_cut = 0;            // lines and areas cut at the box's edge
    int m_outside = 0;        // places and labels outside the box
};

bool MapBuilder::ChooseFrame(QString& error)
{
    GeoBox box;
    if (m_options.box) {
        box = *m_options.box;
    } else if (m_options.boxFromBounds) {
        if (!m_data.bounds) {
            error = QStringLiteral("the input names no bounds; give the box as west,south,east,north");
            return false;
        }
        box = *m_data.bounds;
    } else {
        // The extent of the streets the map will hold.
        bool any = false;
        for (const OsmWay& way : m_data.ways) {
            const RoadClass* road = CarRoadClass(way.tags);
            if (!road || (road->kind == RoadKind::Service && Leaves(LeaveService)))
                continue;
            for (int64_t id : way.nodes) {
                const OsmNode* node = m_data.FindNode(id);
                if (!node)
                    continue;
                const GeoPoint p = node->where;
                box = any ? GeoBox{{std::min(box.min.lonE7, p.lonE7), std::min(box.min.latE7, p.latE7)},
                                   {std::max(box.max.lonE7, p.lonE7), std::max(box.max.latE7, p.latE7)}}
                          : GeoBox{p, p};
                any = true;
            }
        }
        if (!any) {
            error = QStringLiteral("the input holds no streets for cars (highway=primary, residential, service ...)");
            return false;
        }
    }
    if (box.min.lonE7 > box.max.lonE7 || box.min.latE7 > box.max.latE7) {
        error = QStringLiteral("the map's box is empty: its west edge must lie west of its east edge and its south "
                               "edge south of its north edge");
        return false;
    }
    m_box = box;
    m_frame = CalibrationFor(box);
    // A negative tolerance keeps even the points exactly on a straight line.
    m_tolerance = m_options.simplifyMetres > 0.0
                      ? m_options.simplifyMetres / (MetresPerGpsUnit() * m_frame.unitsPerMapUnit)
                      : -1.0;
    return true;
}

// A way in map units, cut where a node is missing from the input.
std::vector<Polyline> MapBuilder::Runs(const std::vector<int64_t>& ids)
{
    std::vector<Polyline> runs(1);
    for (int64_t id : ids) {
        if (const OsmNode* node = m_data.FindNode(id)) {
            runs.back().push_back(m_frame.ToMap(node->where));
        } else {
            ++m_missingNodes;
            runs.emplace_back();
        }
    }
    std::erase_if(runs, [](const Polyline& run) { return run.size() < 2; });
    return runs;
}

// The parts of a way inside the box, in map units; a missing node or the
// box's edge cuts it.
std::vector<Polyline> MapBuilder::Lines(const std::vector<int64_t>& ids)
{
    std::vector<Polyline> lines;
    bool cut = false;
    for (const Polyline& run : Runs(ids)) {
        cut = cut || !std::all_of(run.begin(), run.end(), [&](MapPoint p) { return m_frame.Inside(p); });
        for (Polyline& line : ClipPolyline(run, m_frame))
            lines.push_back(std::move(line));
    }
    if (cut && !lines.empty())
        ++m_cut;
    return lines;
}

// A closed outline in map units, cut to the box; none when a node is missing
// or nothing of it is inside.
std::optional<Polyline> MapBuilder::Ring(const std::vector<int64_t>& ids)
{
    Polyline ring;
    for (size_t i = 0; i + 1 < ids.size(); ++i) {
        const OsmNode* node = m_data.FindNode(ids[i]);
        if (!node) {
            ++m_missingNodes;
            return std::nullopt;
        }
        ring.push_back(m_frame.ToMap(node->where));
    }
    const bool inside = std::all_of(ring.begin(), ring.end(), [&](MapPoint p) { return m_frame.Inside(p); });
    Polyline clipped = ClipRing(ring, m_frame);
    if (clipped.empty())
        return std::nullopt;
    if (!inside)
        ++m_cut;
    return clipped;
}

// Where a feature mapped as a way stands: the centre of its outline.
std::optional<MapPoint> MapBuilder::PointOf(const std::vector<int64_t>& ids)
{
    Polyline points;
    for (int64_t id : ids) {
        if (const OsmNode* node = m_data.FindNode(id))
            points.push_back(m_frame.ToMap(node->where));
    }
    if (points.size() > 1 && points.front() == points.back())
        points.pop_back();
    if (points.empty())
        return std::nullopt;
    return RingCentre(points);
}

bool MapBuilder::Roads(QString& error)
{
    std::vector<RoadLine> roads;
    for (const OsmWay& way : m_data.ways) {
        const RoadClass* road = CarRoadClass(way.tags);
        if (!road || (road->kind == RoadKind::Service && Leaves(LeaveService)))
            continue;
        const int oneway = OnewayOf(way.tags);
        for (Polyline& line : Lines(way.nodes)) {
            if (oneway < 0)
                std::reverse(line.begin(), line.end());
            roads.push_back({StreetName(way.tags), road->width, oneway != 0, std::move(line)});
        }
    }
    return BuildRoadNetwork(std::move(roads), m_tolerance, m, m_roadStats, error);
}

void MapBuilder::AddArea(AreaKind kind, const OsmTags& tags, int64_t id, const Polyline& ring)
{
    switch (kind) {
    case AreaKind::Lake:
        m_lakes.push_back({0, SafeText(FromUtf8(tags.Get("name"))), id, ring});
        break;
    case AreaKind::Park:
        m_parks.push_back({0, SafeText(FromUtf8(tags.Get("name"))), id, ring});
        break;
    case AreaKind::Admin:
        if (!Leaves(LeaveDistricts))
            m_districts.push_back({ToInt(FromUtf8(tags.Get("admin_level"))), SafeText(DistrictNameOf(tags)), id, ring});
        break;
    case AreaKind::Landuse:
        // Above every administrative level, so land use is drawn over them.
        if (!Leaves(LeaveDistricts))
            m_districts.push_back({100, SafeText(DistrictNameOf(tags)), id, ring});
        break;
    case AreaKind::None:
        break;
    }
}

// The outer rings of a multipolygon or boundary relation; inner rings
// (islands) have no place in a map record.
void MapBuilder::AreaRelation(const OsmRelation& relation, AreaKind kind)
{
    std::vector<std::vector<int64_t>> pieces;
    for (const OsmMember& member : relation.members) {
        if (member.type != 'w' || (member.role != "outer" && !member.role.empty()))
            continue;
        if (const OsmWay* way = m_data.FindWay(member.ref))
            pieces.push_back(way->nodes);
        else
            ++m_missingMembers;
    }
    int open = 0;
    for (const auto& ids : JoinRings(std::move(pieces), &open)) {
        if (const auto ring = Ring(ids))
            AddArea(kind, relation.tags, relation.id, *ring);
    }
    m_openRings += open;
}

// The sea, as the first LAKE records, so lakes and rivers are drawn over it.
void MapBuilder::Sea()
{
    std::vector<std::vector<int64_t>> pieces;
    for (const OsmWay& way : m_data.ways) {
        if (IsCoastline(way.tags))
            pieces.push_back(way.nodes);
    }
    std::vector<Polyline> coastlines;
    for (const auto& ids : JoinInDirection(std::move(pieces))) {
        for (Polyline& run : Runs(ids))
            coastlines.push_back(std::move(run));
    }
    const SeaAreas sea = SeaFromCoastlines(coastlines, m_frame.width - 1, m_frame.height - 1);
    m_looseCoastEnds = sea.looseEnds;
    for (const Polyline& ring : sea.rings) {
        for (const Polyline& part : FitWater(ring, m_tolerance)) {
            AddPoly(m.m_strLakeName, m.m_pLakePoints, m.m_nLakePointLast, m.m_nLakeLast, QString(), part);
            ++m_seaAreas;
        }
    }
}

void MapBuilder::Areas()
{
    for (const OsmWay& way : m_data.ways) {
        const AreaKind kind = AreaKindOf(way.tags);
        if (kind == AreaKind::None || way.nodes.size() < 4 || way.nodes.front() != way.nodes.back())
            continue;
        if (const auto ring = Ring(way.nodes))
            AddArea(kind, way.tags, way.id, *ring);
    }
    for (const OsmRelation& relation : m_data.relations) {
        const std::string_view type = relation.tags.Get("type");
        const AreaKind kind = AreaKindOf(relation.tags);
        if (kind != AreaKind::None && (type == "multipolygon" || type == "boundary"))
            AreaRelation(relation, kind);
    }
    StoreAreas();
}

void MapBuilder::StoreAreas()
{
    // Districts from the coarsest level to land use; equal names stay
    // together so each keeps one colour.
    std::stable_sort(m_districts.begin(), m_districts.end(), [](const Area& a, const Area& b) {
        return std::tie(a.group, a.name, a.id) < std::tie(b.group, b.name, b.id);
    });
    for (const Area& a : m_districts)
        AddPoly(m.m_strDistrictName, m.m_pDistrictPoints, m.m_nDistrictPointLast, m.m_nDistrictLast, a.name,
                FitRing(a.ring, m_tolerance, kMaxDistrictPoints));
    for (const Area& a : m_lakes)
        AddPoly(m.m_strLakeName, m.m_pLakePoints, m.m_nLakePointLast, m.m_nLakeLast, a.name,
                FitRing(a.ring, m_tolerance, kMaxPolyPoints));
    for (const Area& a : m_parks)
        AddPoly(m.m_strParkName, m.m_pParkPoints, m.m_nParkPointLast, m.m_nParkLast, a.name,
                FitRing(a.ring, m_tolerance, kMaxPolyPoints));
}

void MapBuilder::Rivers()
{
    for (const OsmWay& way : m_data.ways) {
        if (!IsRiverLine(way.tags))
            continue;
        const QString name = SafeText(FromUtf8(way.tags.Get("name")));
        for (const Polyline& line : Lines(way.nodes)) {
            for (const Polyline& piece : SplitLine(SimplifyLine(line, m_tolerance), kMaxPolyPoints))
                AddPoly(m.m_strRiverName, m.m_pRiverPoints, m.m_nRiverPointLast, m.m_nRiverLast, name, piece);
        }
    }
}

// A bus route as runs of its member ways, each way turned to continue the
// previous one; a missing member or a gap starts a new run.
void MapBuilder::BusRoute(const OsmRelation& relation)
{
    std::vector<std::vector<int64_t>> runs;
    bool runIsOneWay = false; // a run of one way may still be turned round
    bool afterGap = true;
    for (const OsmMember& member : relation.members) {
        if (member.type != 'w' || member.role.find("platform") != std::string::npos)
            continue;
        const OsmWay* way = m_data.FindWay(member.ref);
        if (!way) {
            ++m_missingMembers;
            afterGap = true;
            continue;
        }
        std::vector<int64_t> ids = way->nodes;
        if (ids.size() < 2)
            continue;
        std::vector<int64_t>* run = afterGap ? nullptr : &runs.back();
        if (run && runIsOneWay && (run->front() == ids.front() || run->front() == ids.back()))
            std::reverse(run->begin(), run->end());
        if (run && run->back() == ids.back())
            std::reverse(ids.begin(), ids.end());
        if (run && run->back() == ids.front()) {
            run->insert(run->end(), ids.begin() + 1, ids.end());
            runIsOneWay = false;
        } else {
            runs.push_back(std::move(ids));
            runIsOneWay = true;
        }
        afterGap = false;
    }
    const QString name = BusName(relation.tags);
    for (const auto& run : runs) {
        for (const Polyline& line : Lines(run)) {
            for (const Polyline& piece : SplitLine(SimplifyLine(line, m_tolerance), kMaxPolyPoints))
                AddPoly(m.m_strBusName, m.m_pBusPoints, m.m_nBusPointLast, m.m_nBusLast, name, piece);
        }
    }
}

void MapBuilder::BusRoutes()
{
    if (Leaves(LeaveBus))
        return;
    for (const OsmRelation& relation : m_data.relations) {
        if (relation.tags.Get("type") == "route" && relation.tags.Get("route") == "bus")
            BusRoute(relation);
    }
}

void MapBuilder::AddPlace(const OsmTags& tags, MapPoint at)
{
    const int category = PlaceCategoryOf(tags);
    if (category == 0)
        return;
    if (!m_frame.Inside(at)) {
        ++m_outside;
        return;
    }
    const bool named = !tags.Get("name").empty();
    if (Leaves(LeaveSmallPlaces) && (!named || IsSmallPlaceCategory(category)))
        return;
    QString name;
    for (const char* key : {"name", "brand", "operator"}) {
        if (name.isEmpty())
            name = SafeText(FromUtf8(tags.Get(key)));
    }
    if (name.isEmpty())
        name = CategoryCaption(category);
    m_places.push_back({category, name, at, PlaceInfo(tags)});
}

void MapBuilder::Places()
{
    for (const OsmNode& node : m_data.nodes) {
        if (!node.tags.items.empty())
            AddPlace(node.tags, m_frame.ToMap(node.where));
    }
    for (const OsmWay& way : m_data.ways) {
        if (PlaceCategoryOf(way.tags) == 0)
            continue;
        if (const auto at = PointOf(way.nodes))
            AddPlace(way.tags, *at);
    }
    std::stable_sort(m_places.begin(), m_places.end(), [](const PlaceRecord& a, const PlaceRecord& b) {
        return std::tie(a.category, a.name) < std::tie(b.category, b.name);
    });
    for (const PlaceRecord& p : m_places) {
        m.m_strPlaceName.push_back(p.name);
        m.m_ptPlace.push_back(p.at);
        m.m_nPlaceCategory.push_back(p.category);
        m.m_strPlaceInfo.push_back(p.info);
    }
    m.m_nPlaceLast = static_cast<int>(m_places.size()) - 1;
}

void MapBuilder::Texts()
{
    const auto add = [&](const OsmTags& tags, std::optional<MapPoint> at) {
        const int size = TextSizeOf(tags);
        if (size == 0 || !at)
            return;
        if (!m_frame.Inside(*at)) {
            ++m_outside;
            return;
        }
        m.m_strText.push_back(SafeText(FromUtf8(tags.Get("name"))));
        m.m_ptText.push_back(*at);
        m.m_nTextSize.push_back(size);
        m.m_nTextLast = static_cast<int>(m.m_strText.size()) - 1;
    };
    for (const OsmNode& node : m_data.nodes)
        add(node.tags, m_frame.ToMap(node.where));
    for (const OsmWay& way : m_data.ways) {
        if (TextSizeOf(way.tags) > 0)
            add(way.tags, PointOf(way.nodes));
    }
}

void MapBuilder::Header()
{
    m.m_dGpsRotation = 0.0;
    m.m_dGpsUnitsPerMapUnit = m_frame.unitsPerMapUnit;
    m.m_nGpsOriginX = m_frame.originX;
    m.m_nGpsOriginY = m_frame.originY;
    m.m_nResWidth = m_frame.width;
    m.m_nResHeight = m_frame.height;
    // What the reader will make of the written value.
    m.m_dMapScale = ToReal(QString::fromLatin1(ScaleText(m_frame.scale)));
    m.m_nCenterX = m_frame.width / 2;
    m.m_nCenterY = m_frame.height / 2;
    ComputeResStep(m);
}

bool MapBuilder::Run(QString& error)
{
    m = MapData();
    if (!ChooseFrame(error) || !Roads(error))
        return false;
    Sea();
    Areas();
    Rivers();
    BusRoutes();
    Places();
    Texts();
    Header();
    return true;
}

QStringList MapBuilder::Notes() const
{
    QStringList notes;
    const auto note = [&](int count, const QString& text) {
        if (count > 0)
            notes << text.arg(count);
    };
    note(m_missingNodes, QStringLiteral("%1 node references point to nodes missing from the input; the ways were cut "
                                        "there"));
    note(m_missingMembers, QStringLiteral("%1 relation members are missing from the input and were skipped"));
    note(m_openRings, QStringLiteral("%1 area outlines do not close in the input and were left out"));
    if (m_roadStats.leftOutPoints > 0)
        notes << QStringLiteral("%1 of the %2 road nodes (%3 %) were left out, since no route could both reach and "
                                "leave them (one-way pieces cut off at the box's edge, streets joined to the rest "
                                "only outside the box)%4")
                     .arg(m_roadStats.leftOutPoints)
                     .arg(m_roadStats.roadPoints)
                     .arg(100.0 * m_roadStats.leftOutPoints / m_roadStats.roadPoints, 0, 'f', 1)
                     .arg(m_roadStats.leftOutNames.isEmpty()
                              ? QString()
                              : QStringLiteral("; streets left out in whole or in part: ") +
                                    m_roadStats.leftOutNames.join(QLatin1String(", ")));
    note(m_roadStats.droppedNeighbours, QStringLiteral("%1 road links beyond nine at one node were dropped"));
    note(m_cut, QStringLiteral("%1 lines and areas reach beyond the map's box and were cut at its edge"));
    note(m_seaAreas, QStringLiteral("%1 LAKE records hold the sea, made from the coastline"));
    note(m_looseCoastEnds, QStringLiteral("%1 coastline ends lie inside the map's box (the rest is not in the input) "
                                          "and were led straight to the box's nearest edge"));
    note(m_outside, QStringLiteral("%1 places and labels outside the map's box were left out"));
    return notes;
}

QStringList MapBuilder::Warnings() const
{
    const QString distortion = DistortionWarning(DistortionOf(m));
    return distortion.isEmpty() ? QStringList() : QStringList{distortion};
}

QStringList MapBuilder::Summary(qsizetype bytes) const
{
    const double kmPerUnit = m.m_dMapScale * 0.000001;
    const int streets = NameRuns(m.m_strWayName, m.m_nWayLast);
    return {
        QStringLiteral("streets: %1 named, %2 WAY records, %3 road nodes")
            .arg(streets)
            .arg(m.m_nWayLast + 1)
            .arg(m.m_nNodeLast),
        QStringLiteral("districts %1, bus records %2, rivers %3, lakes %4, parks %5, places %6, labels %7")
            .arg(m.m_nDistrictLast + 1)
            .arg(m.m_nBusLast + 1)
            .arg(m.m_nRiverLast + 1)
            .arg(m.m_nLakeLast + 1)
            .arg(m.m_nParkLast + 1)
            .arg(m.m_nPlaceLast + 1)
            .arg(m.m_nTextLast + 1),
        QStringLiteral("extent %1 x %2 map units (about %3 x %4 km), %5 GPS units per map unit")
            .arg(m.m_nResWidth)
            .arg(m.m_nResHeight)
            .arg(m.m_nResWidth * kmPerUnit, 0, 'f', 2)
            .arg(m.m_nResHeight * kmPerUnit, 0, 'f', 2)
            .arg(m_frame.unitsPerMapUnit),
        DistortionText(DistortionOf(m)),
        QStringLiteral("size: %1 bytes of the %2 a map file may hold").arg(bytes).arg(kMaxMapFileBytes),
    };
}

// One build of the map, for one area and one set of left-out features.
struct Attempt {
    bool built = false;
    QString error; // why nothing could be built
    GeoBox box;    // the area
    QByteArray text;
    std::vector<MapProblem> problems;
    QStringList notes, warnings, summary;

    bool Fits() const { return built && problems.empty(); }
};

Attempt Build(const OsmData& data, const ImportOptions& options, unsigned leaveOut, MapData& map)
{
    Attempt a;
    MapBuilder builder(data, options, leaveOut, map);
    a.built = builder.Run(a.error);
    if (!a.built)
        return a;
    a.box = builder.Box();
    a.text = WriteMapText(map);
    a.problems = CheckMapText(a.text);
    a.notes = builder.Notes();
    a.warnings = builder.Warnings();
    a.summary = builder.Summary(a.text.size());
    return a;
}

GeoPoint Centre(const GeoBox& box)
{
    return {static_cast<int32_t>((int64_t(box.min.lonE7) + box.max.lonE7) / 2),
            static_cast<int32_t>((int64_t(box.min.latE7) + box.max.latE7) / 2)};
}

// The part of whole around centre that spans `share` of its width and height
// (less where it would reach beyond whole).
GeoBox ShrunkBox(const GeoBox& whole, GeoPoint centre, double share)
{
    const double halfWidth = share * (double(whole.max.lonE7) - whole.min.lonE7) / 2.0;
    const double halfHeight = share * (double(whole.max.latE7) - whole.min.latE7) / 2.0;
    const auto at = [](double e7) { return static_cast<int32_t>(std::lround(e7)); };
    return {{std::max(whole.min.lonE7, at(centre.lonE7 - halfWidth)),
             std::max(whole.min.latE7, at(centre.latE7 - halfHeight))},
            {std::min(whole.max.lonE7, at(centre.lonE7 + halfWidth)),
             std::min(whole.max.latE7, at(centre.latE7 + halfHeight))}};
}

// The share of the width and height that brings a map of `bytes` bytes under
// the limit, with a tenth to spare: the bytes grow about with the area.
double ShareToFit(qsizetype bytes)
{
    return std::sqrt(0.9 * double(kMaxMapFileBytes) / double(std::max<qsizetype>(bytes, 1)));
}

// A box as --box takes it: west,south,east,north.
QString BoxDegrees(const GeoBox& box)
{
    return QStringLiteral("%1,%2,%3,%4")
        .arg(box.min.lonE7 / 1e7, 0, 'f', 5)
        .arg(box.min.latE7 / 1e7, 0, 'f', 5)
        .arg(box.max.lonE7 / 1e7, 0, 'f', 5)
        .arg(box.max.latE7 / 1e7, 0, 'f', 5);
}

// Width by height on the ground, "3.10 x 2.75 km".
QString BoxSize(const GeoBox& box)
{
    const double kmPerDegree = MetresPerGpsUnit() * 600.0;
    const double latitude = (box.min.latE7 + double(box.max.latE7)) / 2e7;
    const double width =
        (double(box.max.lonE7) - box.min.lonE7) / 1e7 * kmPerDegree * std::cos(latitude * std::numbers::pi / 180.0);
    const double height = (double(box.max.latE7) - box.min.latE7) / 1e7 * kmPerDegree;
    return QStringLiteral("%1 x %2 km").arg(width, 0, 'f', 2).arg(height, 0, 'f', 2);
}

// The first thing that keeps a map from fitting, and how far it is over.
QString Cause(const Attempt& a)
{
    if (a.text.size() > kMaxMapFileBytes)
        return QStringLiteral("the map would be %1 bytes, %2 (%3 %) more than the %4 a map file may hold")
            .arg(a.text.size())
            .arg(a.text.size() - kMaxMapFileBytes)
            .arg(100.0 * (a.text.size() - kMaxMapFileBytes) / kMaxMapFileBytes, 0, 'f', 0)
            .arg(kMaxMapFileBytes);
    const MapProblem& p = a.problems.front();
    return p.line > 0 ? QStringLiteral("line %1 of the map: %2").arg(p.line).arg(p.message) : p.message;
}

QString TooBigMessage(const Attempt& a)
{
    QString message = QStringLiteral("the map does not fit: ") + Cause(a);
    if (a.text.size() > kMaxMapFileBytes) {
        const GeoBox smaller = ShrunkBox(a.box, Centre(a.box), ShareToFit(a.text.size()));
        message += QStringLiteral(". An area of about %1 around the middle would fit: --box %2")
                       .arg(BoxSize(smaller), BoxDegrees(smaller));
    }
    return message + QStringLiteral(". Or leave out minor features with --leave-out small-places,service,bus,"
                                    "districts, or let --fit leave them out and then shrink the area");
}

} // namespace

int NameRuns(const std::vector<QString>& names, int last)
{
    int runs = 0;
    for (int i = 0; i <= last; ++i)
        runs += !names[i].isEmpty() && (i == 0 || names[i] != names[i - 1]);
    return runs;
}

bool ParseLeaveOut(const QString& list, unsigned& bits, QString& error)
{
    for (const QString& item : list.split(QLatin1Char(','), Qt::SkipEmptyParts)) {
        const auto it = std::find_if(kLeaveOutNames.begin(), kLeaveOutNames.end(),
                                     [&](const LeaveOutName& n) { return item.trimmed() == QLatin1String(n.name); });
        if (it == kLeaveOutNames.end()) {
            error =
                QStringLiteral("unknown feature to leave out: %1 (small-places, service, bus, districts)").arg(item);
            return false;
        }
        bits |= it->bit;
    }
    return true;
}

QString LeaveOutText(unsigned bits)
{
    QStringList names;
    for (const LeaveOutName& n : kLeaveOutNames) {
        if (bits & n.bit)
            names << QLatin1String(n.name);
    }
    return names.join(QLatin1Char(','));
}

namespace {

// `count` comma-separated numbers ("nan" and "inf" are no degrees).
bool ParseNumbers(const QString& text, qsizetype count, std::array<double, 4>& v)
{
    const QStringList parts = text.split(QLatin1Char(','));
    bool ok = parts.size() == count;
    for (qsizetype i = 0; ok && i < count; ++i) {
        v[i] = parts[i].trimmed().toDouble(&ok);
        ok = ok && std::isfinite(v[i]);
    }
    return ok;
}

int32_t E7(double degrees)
{
    return static_cast<int32_t>(std::lround(degrees * 1e7));
}

} // namespace

bool ParseBox(const QString& text, GeoBox& box, QString& error)
{
    std::array<double, 4> v{};
    if (!ParseNumbers(text, 4, v) || v[0] < -180 || v[2] > 180 || v[1] < -90 || v[3] > 90 || v[0] >= v[2] ||
        v[1] >= v[3]) {
        error = QStringLiteral("the box must be west,south,east,north in degrees, west < east and south < north: %1")
                    .arg(text);
        return false;
    }
    box = {{E7(v[0]), E7(v[1])}, {E7(v[2]), E7(v[3])}};
    return true;
}

bool ParseLonLat(const QString& text, GeoPoint& point, QString& error)
{
    std::array<double, 4> v{};
    if (!ParseNumbers(text, 2, v) || v[0] < -180 || v[0] > 180 || v[1] < -90 || v[1] > 90) {
        error =
            QStringLiteral("the point must be longitude,latitude in degrees (west and south below 0): %1").arg(text);
        return false;
    }
    point = {E7(v[0]), E7(v[1])};
    return true;
}

namespace {

// Shrinks the area around its centre until the map fits, by halving the
// range between the largest share of the width and height found to fit and
// the smallest found too big. `a` is the build of the whole area, and becomes
// the build of the area kept; kept says which area that is.
bool ShrinkToFit(const OsmData& data, const ImportOptions& options, unsigned leaveOut, Attempt& a, MapData& map,
                 QString& kept, QString& error)
{
    const GeoBox whole = a.box;
    const GeoPoint centre = options.center.value_or(Centre(whole));
    if (!whole.Contains(centre)) {
        error = QStringLiteral("the centre given with --center lies outside the map's area %1").arg(BoxDegrees(whole));
        return false;
    }
    std::optional<Attempt> best;
    MapData bestMap;
    double tooBig = 1.0, fits = 0.0, tooSmall = 0.0;
    double share = std::min(0.9, ShareToFit(a.text.size()));
    for (int round = 0; round < 20; ++round) {
        ImportOptions inner = options;
        inner.box = ShrunkBox(whole, centre, share);
        inner.boxFromBounds = false;
        Attempt attempt = Build(data, inner, leaveOut, map);
        if (attempt.Fits()) {
            fits = share;
            bestMap = map;
            best = std::move(attempt);
        } else if (attempt.built) {
            tooBig = share;
        } else {
            tooSmall = share; // no street network left around the centre
        }
        if (best && tooBig - fits < 0.05 * tooBig)
            break;
        share = best || tooSmall > 0.0 ? (std::max(fits, tooSmall) + tooBig) / 2.0
                                       : share * std::min(0.9, ShareToFit(attempt.text.size()));
    }
    if (!best) {
        error = QStringLiteral("no area around %1 fits: ").arg(DegreesText(centre.latE7 / 1e7, centre.lonE7 / 1e7)) +
                Cause(a);
        return false;
    }
    map = std::move(bestMap);
    kept = QStringLiteral("the whole area (%1) does not fit even with minor features left out; kept %2 around %3: "
                          "--box %4")
               .arg(BoxSize(whole), BoxSize(best->box), DegreesText(centre.latE7 / 1e7, centre.lonE7 / 1e7),
                    BoxDegrees(best->box));
    a = std::move(*best);
    return true;
}

} // namespace

bool BuildMap(const OsmData& data, const ImportOptions& options, MapData& map, QByteArray& text, ImportReport& report,
              QString& error)
{
    unsigned leaveOut = options.leaveOut;
    Attempt a = Build(data, options, leaveOut, map);
    for (const LeaveOutName& step : kLeaveOutNames) {
        if (!a.built || a.Fits() || !options.fit)
            break;
        if (leaveOut & step.bit)
            continue;
        leaveOut |= step.bit;
        a = Build(data, options, leaveOut, map);
    }
    if (!a.built) {
        error = a.error;
        return false;
    }
    if (!a.Fits() && !options.fit) {
        error = TooBigMessage(a);
        return false;
    }
    QString kept;
    if (!a.Fits() && !ShrinkToFit(data, options, leaveOut, a, map, kept, error))
        return false;
    text = a.text;
    report.notes = a.notes;
    if (leaveOut != options.leaveOut)
        report.notes << QStringLiteral("left out to fit: %1").arg(LeaveOutText(leaveOut & ~options.leaveOut));
    if (!kept.isEmpty())
        report.notes << kept;
    report.warnings = a.warnings;
    report.summary = a.summary;
    report.leftOut = leaveOut;
    report.box = a.box;
    return true;
}

bool ImportOsmFile(const QString& input, const QString& output, const ImportOptions& options, ImportReport& report,
                   QString& error)
{
    OsmData data;
    if (!ReadOsmFile(input, data, error))
        return false;
    MapData map;
    QByteArray text;
    if (!BuildMap(data, options, map, text, report, error))
        return false;
    QSaveFile file(output);
    if (!file.open(QIODevice::WriteOnly) || file.write(text) != text.size() || !file.commit()) {
        error = QStringLiteral("cannot write %1: %2").arg(output, file.errorString());
        return false;
    }
    return true;
}
