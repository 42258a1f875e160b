// Reading OpenStreetMap files through libosmium. The rest of the importer sees
// only the plain structures of OsmData.h.
#include "OsmData.h"

#include <QFile>

#include <osmium/io/any_compression.hpp>
#include <osmium/io/pbf_input.hpp>
#include <osmium/io/reader.hpp>
#include <osmium/io/xml_input.hpp>
#include <osmium/osm.hpp>

#include <algorithm>
#include <exception>

std::string_view OsmTags::Get(std::string_view key) const
{
    for (const auto& [k, v] : items) {
        if (k == key)
            return v;
    }
    return {};
}

bool OsmTags::Has(std::string_view key) const
{
    return std::any_of(items.begin(), items.end(), [&](const auto& item) { return item.first == key; });
}

namespace {

template <typename T> const T* FindById(const std::vector<T>& list, int64_t id)
{
    const auto it = std::lower_bound(list.begin(), list.end(), id, [](const T& a, int64_t b) { return a.id < b; });
    return it != list.end() && it->id == id ? &*it : nullptr;
}

// Sorted by id; of objects given twice the first one is kept.
template <typename T> void SortById(std::vector<T>& list)
{
    std::stable_sort(list.begin(), list.end(), [](const T& a, const T& b) { return a.id < b.id; });
    list.erase(std::unique(list.begin(), list.end(), [](const T& a, const T& b) { return a.id == b.id; }), list.end());
}

OsmTags TagsOf(const osmium::OSMObject& object)
{
    OsmTags tags;
    for (const osmium::Tag& tag : object.tags())
        tags.items.emplace_back(tag.key(), tag.value());
    return tags;
}

GeoPoint ToGeo(const osmium::Location& location)
{
    return {location.x(), location.y()};
}

// The format from the file name when it tells, else from the first byte: XML
// starts with '<' (after blanks), anything else is taken for PBF.
osmium::io::File OpenAs(const QString& path)
{
    const std::string name = QFile::encodeName(path).toStdString();
    osmium::io::File byName(name);
    if (byName.format() != osmium::io::file_format::unknown)
        return byName;
    QFile file(path);
    char first = 0;
    if (file.open(QIODevice::ReadOnly)) {
        while (file.getChar(&first) && (first == ' ' || first == '\t' || first == '\r' || first == '\n')) {
        }
    }
    return osmium::io::File(name, first == '<' ? "osm" : "pbf");
}

class Collector {
public:
    explicit Collector(OsmData& data) : m_data(data) {}
    // False with a message when a node has no usable position.
    bool Add(const osmium::OSMObject& object, QString& error);

private:
    OsmData& m_data;
};

bool Collector::Add(const osmium::OSMObject& object, QString& error)
{
    if (!object.visible())
        return true;
    switch (object.type()) {
    case osmium::item_type::node: {
        const auto& node = static_cast<const osmium::Node&>(object);
        if (!node.location().valid()) {
            error =
                QStringLiteral("node %1 has no valid position (latitude -90..90, longitude -180..180)").arg(node.id());
            return false;
        }
        m_data.nodes.push_back({node.id(), ToGeo(node.location()), TagsOf(node)});
        break;
    }
    case osmium::item_type::way: {
        const auto& way = static_cast<const osmium::Way&>(object);
        OsmWay copy{way.id(), {}, TagsOf(way)};
        for (const osmium::NodeRef& ref : way.nodes())
            copy.nodes.push_back(ref.ref());
        m_data.ways.push_back(std::move(copy));
        break;
    }
    case osmium::item_type::relation: {
        const auto& relation = static_cast<const osmium::Relation&>(object);
        OsmRelation copy{relation.id(), {}, TagsOf(relation)};
        for (const osmium::RelationMember& member : relation.members())
            copy.members.push_back({osmium::item_type_to_char(member.type()), member.ref(), member.role()});
        m_data.relations.push_back(std::move(copy));
        break;
    }
    default:
        break;
    }
    return true;
}

} // namespace

const OsmNode* OsmData::FindNode(int64_t id) const
{
    return FindById(nodes, id);
}

const OsmWay* OsmData::FindWay(int64_t id) const
{
    return FindById(ways, id);
}

bool ReadOsmFile(const QString& path, OsmData& data, QString& error)
{
    data = OsmData();
    if (!QFile::exists(path)) {
        error = QStringLiteral("%1: no such file").arg(path);
        return false;
    }
    try {
        osmium::io::Reader reader(OpenAs(path), osmium::osm_entity_bits::nwr);
        const osmium::Box box = reader.header().box();
        if (box.valid())
            data.bounds = GeoBox{ToGeo(box.bottom_left()), ToGeo(box.top_right())};
        Collector collector(data);
        while (osmium::memory::Buffer buffer = reader.read()) {
            for (const osmium::OSMObject& object : buffer.select<osmium::OSMObject>()) {
                if (!collector.Add(object, error)) {
                    error = QStringLiteral("%1: %2").arg(path, error);
                    reader.close();
                    return false;
                }
            }
        }
        reader.close();
    } catch (const std::exception& e) {
        error = QStringLiteral("%1 is not readable OpenStreetMap data: %2").arg(path, QString::fromUtf8(e.what()));
        return false;
    }
    SortById(data.nodes);
    SortById(data.ways);
    SortById(data.relations);
    return true;
}
