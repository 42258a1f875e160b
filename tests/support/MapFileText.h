// Map files written as bytes for tests and benchmarks: a header with the
// declared counts and the GPSINF, RES, SCALE and CENP blocks, then the nine
// sections in file order, every line ended by CR LF and its level given by
// leading tabs. CityGrid makes a whole street grid of a chosen size.
#pragma once

#include <QByteArray>
#include <QList>
#include <algorithm>
#include <array>
#include <optional>

enum MapKind { kDistrict, kWay, kBus, kRiver, kLake, kPark, kPlace, kText, kPosition, kMapKindCount };

inline constexpr std::array<const char*, kMapKindCount> kMapTags = {
    "DISTRICT", "WAY", "BUS", "RIVER", "LAKE", "PARK", "PLACE", "TEXT", "POSITION"};

// One line: n tabs, the text, CR LF.
inline QByteArray MapLine(int tabs, const QByteArray& text)
{
    return QByteArray(tabs, '\t') + text + "\r\n";
}

class MapFileText {
public:
    QByteArray res = "3000x2000";
    QByteArray scale = "2.95";
    QByteArray cenp = "1500,1000";
    QByteArray gpsinf[4] = {"0.0", "16.0", "65000000", "-12500000"};

    // A record: its lines from level 1 on (name, points, …).
    MapFileText& Add(MapKind kind, const QList<QByteArray>& lines)
    {
        m_records[kind].append(lines);
        return *this;
    }
    // A record as raw lines, levels written by the caller.
    MapFileText& AddRaw(MapKind kind, const QByteArray& lines)
    {
        m_raw[kind] += lines;
        return *this;
    }
    // Declares another count than the number of records added.
    MapFileText& Declare(MapKind kind, int count)
    {
        m_declared[kind] = count;
        return *this;
    }
    int Records(MapKind kind) const { return static_cast<int>(m_records[kind].size()); }

    QByteArray Header() const
    {
        QByteArray bytes;
        for (int kind = kDistrict; kind <= kText; ++kind) {
            const int count = m_declared[kind].value_or(Records(MapKind(kind)));
            bytes += MapLine(0, "REALNUM" + QByteArray(kMapTags[kind]) + " " + QByteArray::number(count));
        }
        bytes += MapLine(0, "/GPSINF");
        for (int level = 1; level <= 4; ++level)
            bytes += MapLine(level, gpsinf[level - 1]);
        bytes += MapLine(0, "GPSINF/") + MapLine(0, "/RES") + MapLine(1, res) + MapLine(0, "RES/");
        bytes += MapLine(0, "/SCALE") + MapLine(1, scale) + MapLine(0, "SCALE/");
        bytes += MapLine(0, "/CENP") + MapLine(1, cenp) + MapLine(0, "CENP/");
        return bytes;
    }

    QByteArray Section(MapKind kind) const
    {
        QByteArray bytes = MapLine(0, "/" + QByteArray(kMapTags[kind]));
        for (const QList<QByteArray>& record : m_records[kind]) {
            for (int i = 0; i < record.size(); ++i)
                bytes += MapLine(i + 1, record[i]);
        }
        bytes += m_raw[kind];
        return bytes + MapLine(0, QByteArray(kMapTags[kind]) + "/");
    }

    QByteArray Bytes() const
    {
        QByteArray bytes = Header();
        for (int kind = kDistrict; kind < kMapKindCount; ++kind)
            bytes += Section(MapKind(kind));
        return bytes;
    }

private:
    std::array<QList<QList<QByteArray>>, kMapKindCount> m_records;
    std::array<QByteArray, kMapKindCount> m_raw;
    std::array<std::optional<int>, kMapKindCount> m_declared;
};

inline QByteArray MapPointText(int x, int y)
{
    return QByteArray::number(x) + "," + QByteArray::number(y);
}

// A city of columns × rows blocks, 100 map units each: one WAY per block side
// (even rows and columns one-way), a node at every crossing with its
// neighbours, a district per 4 × 4 blocks, a lake, a park, a river along the
// top, a bus route along the first street, a place and a label per block.
inline MapFileText CityGrid(int columns, int rows)
{
    constexpr int kBlock = 100;
    MapFileText map;
    map.res = QByteArray::number(columns * kBlock) + "x" + QByteArray::number(rows * kBlock);
    map.cenp = MapPointText(columns * kBlock / 2, rows * kBlock / 2);
    const auto node = [&](int c, int r) { return r * (columns + 1) + c + 1; };
    // Ways of each crossing, 1-based, gathered while the ways are written.
    QList<QList<int>> nodeWays((columns + 1) * (rows + 1) + 1);
    const auto addWay = [&](int c1, int r1, int c2, int r2, bool oneWay) {
        const int number = map.Records(kWay) + 1;
        QByteArray points;
        for (int step = 0; step <= 4; ++step) {
            const int x = (c1 * (4 - step) + c2 * step) * kBlock / 4, y = (r1 * (4 - step) + r2 * step) * kBlock / 4;
            points += (step ? ";" : "") + MapPointText(x, y);
        }
        const QByteArray name = (c1 == c2 ? "Phố Dọc " : "Đường Ngang ") + QByteArray::number(c1 == c2 ? c1 : r1);
        map.Add(kWay, {name, points, oneWay ? "1,2" : "0,1"});
        nodeWays[node(c1, r1)].append(number);
        nodeWays[node(c2, r2)].append(number);
    };
    for (int r = 0; r <= rows; ++r) {
        for (int c = 0; c < columns; ++c)
            addWay(c, r, c + 1, r, r % 2 == 0);
    }
    for (int c = 0; c <= columns; ++c) {
        for (int r = 0; r < rows; ++r)
            addWay(c, r, c, r + 1, c % 2 == 0);
    }
    for (int r = 0; r <= rows; ++r) {
        for (int c = 0; c <= columns; ++c) {
            QByteArray ways;
            for (int w : nodeWays[node(c, r)])
                ways += (ways.isEmpty() ? "" : ",") + QByteArray::number(w);
            QByteArray coords = MapPointText(c * kBlock, r * kBlock);
            const int neighbours[4][2] = {{c - 1, r}, {c + 1, r}, {c, r - 1}, {c, r + 1}};
            for (const auto& n : neighbours) {
                if (n[0] >= 0 && n[0] <= columns && n[1] >= 0 && n[1] <= rows)
                    coords += "," + QByteArray::number(node(n[0], n[1])) + "," + QByteArray::number(kBlock);
            }
            map.Add(kPosition, {ways + ";" + coords});
        }
    }
    for (int r = 0; r < rows; r += 4) {
        for (int c = 0; c < columns; c += 4) {
            const int x1 = c * kBlock, y1 = r * kBlock;
            const int x2 = std::min(c + 4, columns) * kBlock, y2 = std::min(r + 4, rows) * kBlock;
            map.Add(kDistrict, {"Quận " + QByteArray::number(map.Records(kDistrict) + 1),
                                MapPointText(x1, y1) + ";" + MapPointText(x2, y1) + ";" + MapPointText(x2, y2) +
                                    ";" + MapPointText(x1, y2)});
        }
    }
    const QByteArray square = MapPointText(130, 130) + ";" + MapPointText(170, 130) + ";" + MapPointText(170, 170) +
                              ";" + MapPointText(130, 170);
    map.Add(kLake, {"Hồ Gươm", square});
    map.Add(kPark, {"Công viên Thống Nhất", MapPointText(230, 130) + ";" + MapPointText(270, 130) + ";" +
                                                MapPointText(270, 170) + ";" + MapPointText(230, 170)});
    map.Add(kRiver, {"Sông Hồng", MapPointText(0, 10) + ";" + MapPointText(columns * kBlock, 10)});
    map.Add(kBus, {"Tuyến 01", MapPointText(0, 0) + ";" + MapPointText(columns * kBlock, 0)});
    for (int r = 0; r < rows; ++r) {
        for (int c = 0; c < columns; ++c) {
            const int x = c * kBlock + kBlock / 2, y = r * kBlock + kBlock / 2;
            map.Add(kPlace, {"Nhà hàng " + QByteArray::number(r * columns + c), MapPointText(x, y),
                             QByteArray::number(1 + (r + c) % 28), "Số " + QByteArray::number(c)});
            if ((r + c) % 3 == 0)
                map.Add(kText, {"Phường " + QByteArray::number(r), MapPointText(x - 20, y + 20), "3"});
        }
    }
    return map;
}

// The largest square street grid whose file stays within maxBytes.
inline QByteArray CityGridBytes(qsizetype maxBytes)
{
    QByteArray best;
    for (int size = 2;; ++size) {
        QByteArray bytes = CityGrid(size, size).Bytes();
        if (bytes.size() > maxBytes)
            return best;
        best = std::move(bytes);
    }
}
