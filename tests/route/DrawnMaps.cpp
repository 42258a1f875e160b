#include "DrawnMaps.h"

#include <map>
#include <sstream>
#include <stdexcept>

namespace {

constexpr int kColumnWidth = 50;
constexpr int kLineHeight = 100;
constexpr int kMargin = 100;

bool IsJunction(char ch) { return ch >= 'A' && ch <= 'Z'; }

struct DrawnEdge {
    char from;
    char to;
    bool oneWay;
    bool named = false;
};

char At(const std::vector<std::string>& lines, size_t row, size_t col)
{
    return row < lines.size() && col < lines[row].size() ? lines[row][col] : ' ';
}

// Follows a run of road characters from a junction at (row, col) along
// (dRow, dCol); adds the edge when the run ends at another junction.
void TraceEdge(const std::vector<std::string>& lines, size_t row, size_t col, int dRow, int dCol,
               const std::string& road, char forward, char backward, std::vector<DrawnEdge>& edges)
{
    bool ahead = false;
    bool behind = false;
    size_t r = row + dRow;
    size_t c = col + dCol;
    for (; road.find(At(lines, r, c)) != std::string::npos; r += dRow, c += dCol) {
        ahead |= At(lines, r, c) == forward;
        behind |= At(lines, r, c) == backward;
    }
    const bool drawn = r != row + dRow || c != col + dCol;
    if (!drawn || !IsJunction(At(lines, r, c)))
        return;
    const char here = lines[row][col];
    const char there = At(lines, r, c);
    if (behind)
        edges.push_back({there, here, true});
    else
        edges.push_back({here, there, ahead});
}

DrawnEdge& FindEdge(std::vector<DrawnEdge>& edges, char p, char q)
{
    for (DrawnEdge& e : edges) {
        if ((e.from == p && e.to == q) || (e.from == q && e.to == p))
            return e;
    }
    throw std::invalid_argument(std::string("no drawn edge joins ") + p + " and " + q);
}

}  // namespace

int DrawnMap::Node(char letter) const
{
    const size_t i = letters.find(letter);
    if (i == std::string::npos)
        throw std::invalid_argument(std::string("no junction ") + letter);
    return static_cast<int>(i) + 1;
}

MapPoint DrawnMap::At(char letter) const { return roads.nodes[Node(letter) - 1]; }

char DrawnMap::Letter(int node) const
{
    return node >= 1 && node <= static_cast<int>(letters.size()) ? letters[node - 1] : '?';
}

std::string DrawnMap::Path(const RouteResult& route) const
{
    std::string path;
    for (int i = route.m_nRouteLast - 1; i >= 1; --i)
        path += Letter(route.m_routeNodes[i]);
    return path;
}

DrawnMap DrawMap(const std::string& drawing, const std::vector<Street>& streets)
{
    std::vector<std::string> lines;
    std::istringstream in(drawing);
    for (std::string line; std::getline(in, line);)
        lines.push_back(line);

    DrawnMap drawn;
    std::map<char, MapPoint> positions;
    std::vector<DrawnEdge> edges;
    for (size_t row = 0; row < lines.size(); ++row) {
        for (size_t col = 0; col < lines[row].size(); ++col) {
            if (!IsJunction(lines[row][col]))
                continue;
            if (!positions.emplace(lines[row][col], MapPoint{int(kMargin + col * kColumnWidth),
                                                             int(kMargin + row * kLineHeight)}).second)
                throw std::invalid_argument("a junction letter is drawn twice");
            TraceEdge(lines, row, col, 0, 1, "-<>", '>', '<', edges);
            TraceEdge(lines, row, col, 1, 0, "|v^", 'v', '^', edges);
        }
    }
    for (const auto& [letter, position] : positions) {
        drawn.letters += letter;
        drawn.roads.nodes.push_back(position);
    }
    // Named streets first, each as consecutive records, then the nameless edges.
    for (const Street& street : streets) {
        for (size_t i = 0; i + 1 < street.junctions.size(); ++i) {
            DrawnEdge& edge = FindEdge(edges, street.junctions[i], street.junctions[i + 1]);
            if (edge.named)
                throw std::invalid_argument("an edge is named twice");
            edge.named = true;
            drawn.roads.edges.push_back({drawn.Node(edge.from), drawn.Node(edge.to), edge.oneWay, street.name});
        }
    }
    for (const DrawnEdge& edge : edges) {
        if (!edge.named)
            drawn.roads.edges.push_back({drawn.Node(edge.from), drawn.Node(edge.to), edge.oneWay, QString()});
    }
    drawn.roads.map = BuildRoadMap(drawn.roads.nodes, drawn.roads.edges);
    return drawn;
}

RoutePlace PlaceOf(const DrawnMap& drawn, const std::string& where)
{
    const MapPoint first = drawn.At(where.front());
    const MapPoint second = drawn.At(where.back());
    return {PointBetween(first, second, 0.5), first, second};
}
