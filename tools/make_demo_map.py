#!/usr/bin/env python3
"""Writes data/demo.kvp: the map of a small invented city for trying the program.

The city has a jittered grid of main streets cut by a river. Most blocks of the
grid are divided by local streets (densely in the centre, loosely in the
suburbs), the old quarter is a tight net of one-way lanes, and two diagonal
avenues, two lakes, two parks, bus routes, places of every category and text
labels complete it. Every point of every street is a road node, so a route can
start or end on any segment, and junctions are exactly shared points.

Usage: make_demo_map.py [output path]   (default: data/demo.kvp beside tools/)

The output is the same on every run: the only randomness comes from a
fixed-seed generator of this file's own, and positions inside blocks are
computed in exact fractions before they are rounded.
"""

import math
import os
import sys
import unicodedata
from fractions import Fraction

# ---- Map frame -------------------------------------------------------------

RES_W, RES_H = 24000, 16000
SCALE = 500                  # one map unit is 0.5 m
GPS_PER_UNIT = 2.8           # GPS units (1/10000 arc minute) per map unit near 21° N
CENTRE = (RES_W // 2, RES_H // 2)
CENTRE_LON, CENTRE_LAT = 105.84, 21.03
GPS_ORIGIN_X = round(CENTRE_LON * 600000 - CENTRE[0] * GPS_PER_UNIT)
GPS_ORIGIN_Y = round(-CENTRE_LAT * 600000 - CENTRE[1] * GPS_PER_UNIT)

# The main street grid: column x values and row y values before jitter. Rows 4
# and 5 are the riverside streets; they follow the river instead.
COLS = [1200, 3400, 5600, 7800, 10000, 12200, 14400, 16600, 18800, 21000, 22900]
ROWS = [1100, 3000, 5000, 7000, None, None, 13400, 15100]
RIVERSIDE = {4: -750, 5: 750}  # row -> offset from the river's centre line

# Limits of the map format.
MAX_FILE_BYTES = 450000
MAX_LINE_BYTES = 2998
MAX_WAY_POINTS = 70
MAX_DISTRICT_POINTS = 300
MAX_POLY_POINTS = 200
MAX_NODE_VALUES = 21
MAX_NEIGHBOURS = 9

TWO_WAY, ONE_WAY = "0", "1"


class Lcg:
    """A small linear congruential generator, so the city never depends on the
    random module's implementation."""

    def __init__(self, seed):
        self.state = seed

    def unit(self):
        self.state = (self.state * 6364136223846793005 + 1442695040888963407) % (1 << 64)
        return (self.state >> 11) / float(1 << 53)

    def between(self, low, high):
        return low + (high - low) * self.unit()


def nfc(text):
    return unicodedata.normalize("NFC", text)


def river_y(x):
    """The river's centre line, meandering between the riverside streets."""
    return 10250 + 450 * math.sin(x / 2600.0) + 200 * math.sin(x / 1100.0 + 1.0)


# ---- How the blocks of the grid are divided ------------------------------------
#
# Cell (i, j) is the block between grid columns i, i + 1 and rows j, j + 1. A
# divided cell (nx, ny) has local streets at the fractions 1/nx … and 1/ny … of
# its width and height; undivided cells hold lakes, parks, the river, the
# diagonal avenues, or fields.

DENSE, SUBURB, OLD_QUARTER = (4, 4), (2, 2), (5, 5)
CELLS = {}
for _i in range(3, 8):
    for _j in range(0, 4):
        CELLS[(_i, _j)] = DENSE
CELLS[(5, 2)] = OLD_QUARTER
del CELLS[(5, 3)]  # Hồ Gươm
for _cell in [(0, 0), (1, 0), (8, 0), (0, 1), (9, 1), (0, 2), (8, 2), (9, 2), (0, 3), (8, 3), (9, 3),
              (1, 5), (3, 5), (5, 5), (6, 5), (9, 5), (0, 6), (3, 6), (4, 6), (5, 6), (6, 6), (8, 6), (9, 6)]:
    CELLS[_cell] = SUBURB

# Names of the local streets, handed out in order; some lines get their own.
LOCAL_NAMES = [
    "Phố Lý Nam Đế", "Phố Trần Nhân Tông", "Phố Trần Quốc Toản", "Phố Trần Bình Trọng",
    "Phố Triệu Việt Vương", "Phố Bà Triệu", "Phố Hai Bà Trưng", "Phố Lê Lai", "Phố Lê Văn Hưu",
    "Phố Lê Ngọc Hân", "Phố Lê Đại Hành", "Phố Ngô Quyền", "Phố Ngô Thì Nhậm", "Phố Ngô Sĩ Liên",
    "Phố Đinh Lễ", "Phố Đinh Công Tráng", "Phố Nguyễn Thái Học", "Phố Nguyễn Biểu", "Phố Nguyễn Khuyến",
    "Phố Nguyễn Gia Thiều", "Phố Nguyễn Thiện Thuật", "Phố Nguyễn Hữu Huân", "Phố Nguyễn Siêu",
    "Phố Nguyễn Bỉnh Khiêm", "Phố Phan Bội Châu", "Phố Phan Huy Chú", "Phố Phan Chu Trinh",
    "Phố Phan Kế Bính", "Phố Hàn Thuyên", "Phố Hàm Long", "Phố Lò Đúc", "Phố Yết Kiêu", "Phố Quang Trung",
    "Phố Tô Hiến Thành", "Phố Tuệ Tĩnh", "Phố Thái Phiên", "Phố Thi Sách", "Phố Thợ Nhuộm", "Phố Hòa Mã",
    "Phố Mai Hắc Đế", "Phố Chu Văn An", "Phố Cao Bá Quát", "Phố Hoàng Văn Thụ", "Phố Hoàng Diệu",
    "Phố Điện Biên Phủ", "Phố Trần Quý Cáp", "Phố Nam Ngư", "Phố Cát Linh", "Phố Giảng Võ",
    "Phố Huỳnh Thúc Kháng", "Phố Ngọc Khánh", "Phố Liễu Giai", "Phố Văn Miếu", "Phố Quốc Tử Giám",
    "Phố Hào Nam", "Phố Nguyễn Thượng Hiền", "Phố Khâm Thiên", "Phố Đại La", "Phố Võ Thị Sáu",
    "Phố Thanh Nhàn", "Phố Lạc Trung", "Phố Kim Đồng", "Phố Tân Mai", "Phố Lĩnh Nam", "Phố Vĩnh Tuy",
    "Phố Phúc Tân", "Phố Vạn Kiếp", "Phố Đào Duy Từ", "Phố Lương Ngọc Quyến", "Phố Gia Ngư",
    "Phố Ấu Triệu", "Phố Nhà Chung", "Phố Lý Quốc Sư", "Phố Bảo Khánh", "Phố Lê Thái Tổ",
    "Phố Đội Cấn", "Phố Hàng Chuối", "Phố Hàng Vôi", "Phố Hàng Tre", "Phố Hàng Giấy",
]

# Local lines with a name (and travel direction) of their own, keyed by
# (orientation, row or column of the first cell, the line's fraction, first cell along the line).
# Horizontal one-way lines run east when "E", west when "W"; vertical ones south ("S") or north ("N").
LOCAL_OVERRIDES = {
    ("H", 3, Fraction(1, 2), 6): ("Tràng Tiền", 3, None),
    ("H", 2, Fraction(1, 5), 5): ("Phố Hàng Gai", 1, "E"),
    ("H", 2, Fraction(2, 5), 5): ("Phố Hàng Bạc", 1, "W"),
    ("H", 2, Fraction(3, 5), 5): ("Phố Hàng Buồm", 1, "E"),
    ("H", 2, Fraction(4, 5), 5): ("Phố Hàng Mành", 1, "W"),
    ("V", 5, Fraction(1, 5), 2): ("Phố Hàng Đào", 1, "S"),
    ("V", 5, Fraction(2, 5), 2): ("Phố Hàng Mã", 1, "N"),
    ("V", 5, Fraction(3, 5), 2): ("Phố Hàng Thiếc", 1, "S"),
    ("V", 5, Fraction(4, 5), 2): ("Phố Cầu Gỗ", 1, "N"),
}


# ---- Streets -----------------------------------------------------------------
#
# A record path is a list of items:
#   (i, j)                     the grid junction of column i and row j
#   ("at", i, j, fx, fy)       a point of cell (i, j) at exact fractions of its width and height
# A street is a list of records (one WAY record each); consecutive records share
# their end item.

class Street:
    def __init__(self, name, width, records, direction=TWO_WAY, main=False):
        self.name = nfc(name)
        self.width = width
        self.records = records
        self.direction = direction
        self.main = main  # a street of the main grid: bus routes keep to these


def split(path, *breaks):
    """Cuts a path into records at the given item positions (each break point
    ends one record and starts the next)."""
    cuts = [0, *breaks, len(path) - 1]
    return [path[a:b + 1] for a, b in zip(cuts, cuts[1:])]


def row(j, i0, i1):
    step = 1 if i1 >= i0 else -1
    return [(i, j) for i in range(i0, i1 + step, step)]


def col(i, j0, j1):
    step = 1 if j1 >= j0 else -1
    return [(i, j) for j in range(j0, j1 + step, step)]


def at(i, j, fx, fy):
    return ("at", i, j, Fraction(fx), Fraction(fy))


def main_streets():
    """The main grid, the diagonal avenues and a few lanes, in WAY record order."""
    s = []

    def add(name, width, records, direction=TWO_WAY):
        s.append(Street(name, width, records, direction, main=True))

    # Rows, west to east.
    add("Đường Âu Cơ", 3, split(row(0, 0, 10), 5))
    add("Phố Thụy Khuê", 2, [row(1, 0, 3)])
    add("Đường Hoàng Hoa Thám", 2, split(row(1, 3, 10), 4))
    add("Phố Văn Cao", 2, [row(2, 0, 1)])
    add("Đường Kim Mã", 3, split(row(2, 3, 10), 2, 4))
    add("Đường Hoàng Quốc Việt", 2, [row(3, 0, 3)])
    add("Phố Tràng Thi", 2, [row(3, 3, 5)])
    add("Phố Đinh Tiên Hoàng", 2, [row(3, 5, 6)])
    add("Phố Lý Thường Kiệt", 2, [row(3, 6, 10)])
    add("Đường Bạch Đằng", 4, split(row(4, 0, 10), *range(1, 10)))
    add("Đường Nguyễn Khoái", 3, split(row(5, 0, 10), 5))
    add("Đường Giải Phóng", 3, split(row(6, 0, 7), 4))
    add("Phố Vọng", 2, [row(6, 8, 10)])
    add("Đường Nguyễn Trãi", 3, split(row(7, 0, 10), 3, 7))
    # Columns, north to south (one-way streets in their travel direction).
    add("Đường Lạc Long Quân", 3, split(col(0, 0, 7), 4))
    add("Đường Bưởi", 2, [col(1, 0, 4)])
    add("Phố Vũ Trọng Phụng", 2, [col(1, 5, 7)])
    add("Phố Cửa Bắc", 2, [col(2, 0, 1)])
    add("Phố Ngọc Hà", 2, [col(2, 3, 4)])
    add("Phố Tôn Thất Tùng", 2, [col(2, 5, 7)])
    add("Đường Láng", 3, split(col(3, 0, 7), 4))
    add("Phố Quán Thánh", 2, [col(4, 4, 0)], ONE_WAY)
    add("Phố Chùa Bộc", 2, [col(4, 5, 7)])
    add("Phố Huế", 3, split(col(5, 0, 7), 2, 4))
    add("Phố Hàng Bài", 2, [col(6, 0, 4)], ONE_WAY)
    add("Phố Bạch Mai", 2, [col(6, 5, 7)])
    add("Đường Nguyễn Văn Cừ", 3, split(col(7, 0, 7), 4))
    add("Phố Nguyễn Du", 2, [col(8, 0, 4)])
    add("Phố Minh Khai", 2, [col(8, 5, 7)])
    add("Phố Lê Thánh Tông", 2, [col(9, 0, 2)])
    add("Phố Lãn Ông", 2, [col(9, 2, 4)])
    add("Phố Kim Ngưu", 2, [col(9, 5, 7)])
    add("Đường Ngọc Lâm", 3, split(col(10, 0, 7), 4))
    # Diagonal avenues through block corners.
    add("Đường Trường Chinh", 4, split([(4, 4), (3, 5), (2, 6), (1, 7)], 1))
    add("Đường Thanh Niên", 4, [[(8, 2), (9, 1), (10, 0)]])
    # Lanes in undivided blocks; the second one's name starts with a digit, so
    # the program keeps it nameless.
    add("Ngõ Thông Phong", 1, [[at(0, 5, Fraction(1, 2), 0), at(0, 5, Fraction(9, 20), Fraction(2, 5)),
                                at(0, 5, Fraction(3, 5), Fraction(7, 10))]])
    add("12 Ngõ Mai Hương", 1, [[at(8, 5, Fraction(1, 2), 0), at(8, 5, Fraction(1, 2), Fraction(2, 5)),
                                 at(8, 5, Fraction(3, 10), Fraction(7, 10))]])
    return s


# Grid segments drawn as curves where no local street meets them:
# (a, b) -> (points inside, bow in map units; + bows south or east, - north or west).
CURVES = {
    ((1, 1), (2, 1)): (3, 170), ((2, 1), (3, 1)): (3, 170),
    ((1, 3), (2, 3)): (3, -150), ((2, 3), (3, 3)): (3, -150),
    ((9, 0), (10, 0)): (3, 140), ((2, 7), (3, 7)): (3, -130),
}


class City:
    def __init__(self):
        self.rng = Lcg(20031987)
        self.junctions = {}
        for i, x in enumerate(COLS):
            for j, y in enumerate(ROWS):
                edge_col = i in (0, len(COLS) - 1)
                dx = 0 if edge_col else self.rng.between(-180, 180)
                if j in RIVERSIDE:
                    y = river_y(x + dx) + RIVERSIDE[j]
                elif j not in (0, len(ROWS) - 1):
                    y += self.rng.between(-180, 180)
                self.junctions[(i, j)] = (round(x + dx), round(y))
        self.streets = main_streets()
        self.streets += self.local_streets()
        self.inner = {}  # (a, b) -> points strictly between junctions a and b, from a to b
        self._shape_segments()

    # -- points inside blocks --

    def cell_point(self, i, j, fx, fy):
        """The point of cell (i, j) at fractions fx across and fy down, exact until rounded:
        a point on a block's edge is the same whichever neighbouring block asks for it."""
        (x00, y00), (x10, y10) = self.junctions[(i, j)], self.junctions[(i + 1, j)]
        (x01, y01), (x11, y11) = self.junctions[(i, j + 1)], self.junctions[(i + 1, j + 1)]
        fx, fy = Fraction(fx), Fraction(fy)

        def blend(a, b, c, d):
            return (1 - fy) * ((1 - fx) * a + fx * b) + fy * ((1 - fx) * c + fx * d)

        return (round(blend(x00, x10, x01, x11)), round(blend(y00, y10, y01, y11)))

    def point(self, item):
        if isinstance(item[0], int):
            return self.junctions[item]
        return self.cell_point(*item[1:])

    # -- local streets --

    def local_streets(self):
        """The lines dividing the blocks. A line runs on through neighbouring blocks
        divided at the same fraction, as one street of one WAY record per block."""
        lines = []
        for j in range(len(ROWS) - 1):
            for f, run in self._runs(lambda i: CELLS.get((i, j)), 1, range(len(COLS) - 1)):
                lines.append((("H", j, f, run[0]),
                              [[at(i, j, Fraction(k, CELLS[(i, j)][0]), f) for k in range(CELLS[(i, j)][0] + 1)]
                               for i in run]))
        for i in range(len(COLS) - 1):
            for f, run in self._runs(lambda j: CELLS.get((i, j)), 0, range(len(ROWS) - 1)):
                lines.append((("V", i, f, run[0]),
                              [[at(i, j, f, Fraction(k, CELLS[(i, j)][1])) for k in range(CELLS[(i, j)][1] + 1)]
                               for j in run]))
        names = iter(LOCAL_NAMES)
        streets = []
        for key, records in lines:
            name, width, heading = LOCAL_OVERRIDES.get(key, (None, 2 if len(records) > 1 else 1, None))
            direction = TWO_WAY
            if heading:
                direction = ONE_WAY
                if heading in ("W", "N"):
                    records = [list(reversed(r)) for r in reversed(records)]
            streets.append(Street(name or next(names), width, records, direction))
        return streets

    @staticmethod
    def _runs(division_of, axis, positions):
        """(fraction, consecutive positions) for every line across the given
        blocks; axis 1 takes the blocks' row fractions, axis 0 their column ones."""
        runs = []
        current = {}
        for p in list(positions) + [None]:
            division = division_of(p) if p is not None else None
            fractions = {Fraction(k, division[axis]) for k in range(1, division[axis])} if division else set()
            for f in sorted(set(current) - fractions):
                runs.append((f, current.pop(f)))
            for f in sorted(fractions):
                current.setdefault(f, []).append(p)
        return sorted(runs, key=lambda r: (r[1][0], r[0]))

    # -- main grid segments --

    def _meeting_fractions(self):
        """For each grid segment, the fractions along it (from its first junction)
        where local streets and lanes end on it."""
        result = {}
        for street in self.streets:
            for record in street.records:
                for item in record:
                    if item[0] != "at":
                        continue
                    _, i, j, fx, fy = item
                    if fy in (0, 1) and 0 < fx < 1:
                        result.setdefault(((i, j + fy), (i + 1, j + fy)), set()).add(fx)
                    if fx in (0, 1) and 0 < fy < 1:
                        result.setdefault(((i + fx, j), (i + fx, j + 1)), set()).add(fy)
        return result

    def _edge_point(self, key, f):
        """The point at fraction f along a grid segment, computed as its blocks compute it."""
        (i, j), (k, l) = key
        if j == l:
            return self.cell_point(i, j, f, 0) if j < len(ROWS) - 1 else self.cell_point(i, j - 1, f, 1)
        return self.cell_point(i, j, 0, f) if i < len(COLS) - 1 else self.cell_point(i - 1, j, 1, f)

    def _shape_segments(self):
        meeting = self._meeting_fractions()
        for street in self.streets:
            if not street.main:
                continue
            for record in street.records:
                for a, b in zip(record, record[1:]):
                    if isinstance(a[0], int) and isinstance(b[0], int):
                        key = (min(a, b), max(a, b))
                        if key in self.inner:
                            raise ValueError(f"segment {key} belongs to two streets")
                        self.inner[key] = self._segment_points(key, sorted(meeting.pop(key, ())))
        if meeting:
            raise ValueError(f"local streets end on missing grid segments: {sorted(meeting)}")

    def _segment_points(self, key, fractions):
        if fractions:
            return [self._edge_point(key, f) for f in fractions]
        a, b = (self.junctions[k] for k in key)
        diagonal = key[0][0] != key[1][0] and key[0][1] != key[1][1]
        if key[0][1] == key[1][1] and key[0][1] in RIVERSIDE:
            return [(round(x), round(river_y(x) + RIVERSIDE[key[0][1]]))
                    for x in (a[0] + (b[0] - a[0]) * t for t in (0.25, 0.5, 0.75))]
        if key in CURVES:
            return self._bowed(a, b, *CURVES[key])
        if diagonal or self.rng.unit() < 0.35:
            return self._bowed(a, b, 1, self.rng.between(80, 200) * (1 if self.rng.unit() < 0.5 else -1))
        return []

    @staticmethod
    def _bowed(a, b, count, bow):
        """count points between a and b, pushed sideways by up to bow units
        (positive: towards +y for a row segment, towards +x for a column one)."""
        length = math.dist(a, b)
        nx, ny = -(b[1] - a[1]) / length, (b[0] - a[0]) / length
        if nx + ny < 0:
            nx, ny = -nx, -ny
        points = []
        for k in range(1, count + 1):
            t = k / (count + 1)
            off = bow * math.sin(math.pi * t)
            points.append((round(a[0] + (b[0] - a[0]) * t + nx * off),
                           round(a[1] + (b[1] - a[1]) * t + ny * off)))
        return points

    def segment(self, a, b):
        """Points strictly between junctions a and b, in the direction a → b."""
        if (a, b) in self.inner:
            return self.inner[(a, b)]
        return list(reversed(self.inner[(b, a)]))

    def polyline(self, record):
        points = [self.point(record[0])]
        for a, b in zip(record, record[1:]):
            if isinstance(a[0], int) and isinstance(b[0], int):
                points.extend(self.segment(a, b))
            points.append(self.point(b))
        return points

    def ways(self):
        """(name, points, direction, width, main) per WAY record, in file order."""
        return [(street.name, self.polyline(record), street.direction, street.width, street.main)
                for street in self.streets for record in street.records]


# ---- Road graph ------------------------------------------------------------

def adjacency(ways):
    """point -> {next point: rounded length}, one-way streets only forwards."""
    graph = {}
    for _, points, direction, _, _ in ways:
        for p in points:
            graph.setdefault(p, {})
        for p, q in zip(points, points[1:]):
            length = round(math.dist(p, q))
            graph[p][q] = length
            if direction != ONE_WAY:
                graph[q][p] = length
    return graph


def road_nodes(ways):
    """The road nodes: every street point numbered from 1 in order of first use,
    with its WAY numbers (from 1) and its neighbours."""
    graph = adjacency(ways)
    number = {p: n for n, p in enumerate(graph, start=1)}
    way_lists = {p: [] for p in graph}
    for w, (_, points, _, _, _) in enumerate(ways, start=1):
        for p in points:
            if w not in way_lists[p]:
                way_lists[p].append(w)
    return [(p, way_lists[p], sorted((number[q], length) for q, length in graph[p].items())) for p in graph]


def shortest_path(graph, start, end):
    """Points of the shortest path from start to end (plain Dijkstra)."""
    dist = {start: 0}
    prev = {}
    todo = {start}
    while todo:
        u = min(todo, key=lambda p: (dist[p], p))
        todo.remove(u)
        if u == end:
            break
        for v, length in graph[u].items():
            if dist[u] + length < dist.get(v, math.inf):
                dist[v] = dist[u] + length
                prev[v] = u
                todo.add(v)
    if end not in dist:
        raise ValueError(f"no path from {start} to {end}")
    path = [end]
    while path[-1] != start:
        path.append(prev[path[-1]])
    return path[::-1]


# ---- Areas ---------------------------------------------------------------

def river():
    return [(x, round(river_y(x))) for x in range(0, RES_W + 1, 400)]


def river_water():
    """The river's water as a band either side of its centre line."""
    line = river()
    return [(x, y - 230) for x, y in line] + [(x, y + 230) for x, y in reversed(line)]


def wavy_border(rng, x, y0, y1, steps):
    """A district border from (x, y0) to (x, y1) that wanders a little sideways
    (the map's own edges stay straight)."""
    if x in (0, RES_W):
        return [(x, y0), (x, y1)]
    points = [(x, y0)]
    for k in range(1, steps):
        points.append((round(x + rng.between(-250, 250)), round(y0 + (y1 - y0) * k / steps)))
    points.append((x, y1))
    return points


def districts(city, rng):
    """Four districts north of the river and four south of it, sharing their
    borders exactly (the river parts north from south), then the old town."""
    bank = river()
    bank_y = dict(bank)
    north_x = [0, 6800, 12800, 18800, RES_W]
    south_x = [0, 6000, 13200, 18000, RES_W]
    north_names = ["Quận Bắc Sơn", "Quận Đông Đô", "Quận Đông Đô", "Quận Long Hải"]
    south_names = ["Quận Tây Giang", "Quận Nam Thành", "Quận Hồng Mai", "Huyện Đông Ngàn"]
    north_borders = [wavy_border(rng, x, 0, bank_y[x], 8) for x in north_x]
    south_borders = [wavy_border(rng, x, bank_y[x], RES_H, 6) for x in south_x]
    result = []
    for k, name in enumerate(north_names):
        left, right = north_borders[k], north_borders[k + 1]
        shore = [p for p in bank if left[-1][0] < p[0] < right[-1][0]]
        result.append((name, [left[0]] + right + shore[::-1] + [left[-1]] + left[-2:0:-1]))
    for k, name in enumerate(south_names):
        left, right = south_borders[k], south_borders[k + 1]
        shore = [p for p in bank if left[0][0] < p[0] < right[0][0]]
        result.append((name, [left[0]] + shore + right + [left[-1]] + left[-2:0:-1]))
    # The old town: the old quarter and Hồ Gươm, drawn over its neighbours.
    outline = [(4, 2, 0.8, 0.05), (5, 1, 0.5, 0.92), (6, 2, 0.1, 0.05), (6, 2, 0.15, 0.6), (6, 3, 0.12, 0.35),
               (6, 3, 0.08, 0.9), (5, 3, 0.5, 0.97), (4, 3, 0.92, 0.9), (4, 3, 0.85, 0.4), (4, 2, 0.9, 0.55)]
    result.append(("Ha Noi", [city.cell_point(i, j, Fraction(fx), Fraction(fy)) for i, j, fx, fy in outline]))
    return [(nfc(n), pts) for n, pts in result]


def blob(cx, cy, rx, ry, count, wobble):
    """A rounded outline around (cx, cy), slightly irregular like a shore."""
    points = []
    for k in range(count):
        a = 2 * math.pi * k / count
        r = 1 + wobble * (math.sin(3 * a + 0.7) + 0.6 * math.sin(5 * a + 2.1))
        points.append((round(cx + rx * r * math.cos(a)), round(cy + ry * r * math.sin(a))))
    return points


def lakes(city):
    def centre(i, j, fx, fy):
        return city.cell_point(i, j, Fraction(fx), Fraction(fy))

    return [
        ("Hồ Trúc Lâm", blob(*centre(1, 1, 1, 1), 1450, 1150, 40, 0.07)),
        ("Hồ Gươm", blob(*centre(5, 3, 0.5, 0.45), 420, 620, 24, 0.05)),
        ("Hồ Bán Nguyệt", blob(*centre(7, 5, 0.45, 0.95), 380, 260, 16, 0.06)),
        ("Sông Lam Giang", river_water()),
    ]


def rounded_box(x0, y0, x1, y1, r):
    """A rectangle with rounded corners, clockwise from its top-right corner."""
    points = []
    corners = [(x1 - r, y0 + r, -90), (x1 - r, y1 - r, 0), (x0 + r, y1 - r, 90), (x0 + r, y0 + r, 180)]
    for cx, cy, start in corners:
        for k in range(4):
            a = math.radians(start + 30 * k)
            points.append((round(cx + r * math.cos(a)), round(cy + r * math.sin(a))))
    return points


def parks(city):
    def inset_box(top_left, bottom_right, inset):
        """The largest box inside the blocks from top_left to bottom_right, shrunk by inset."""
        (i0, j0), (i1, j1) = top_left, bottom_right
        x0 = max(city.junctions[(i0, j)][0] for j in range(j0, j1 + 1))
        x1 = min(city.junctions[(i1, j)][0] for j in range(j0, j1 + 1))
        y0 = max(city.junctions[(i, j0)][1] for i in range(i0, i1 + 1))
        y1 = min(city.junctions[(i, j1)][1] for i in range(i0, i1 + 1))
        return rounded_box(x0 + inset, y0 + inset, x1 - inset, y1 - inset, 300)

    return [
        ("Công viên Hòa Bình", inset_box((7, 5), (8, 7), 350)),
        ("Công viên Hoa Sen", inset_box((4, 5), (5, 6), 350)),
    ]


def bus_routes(city, ways):
    """Bus routes follow the main streets node by node through their stops."""
    graph = adjacency([w for w in ways if w[4]])

    def through(*stops):
        points = [city.junctions[stops[0]]]
        for a, b in zip(stops, stops[1:]):
            points += shortest_path(graph, city.junctions[a], city.junctions[b])[1:]
        return points

    return [
        ("Tuyến 03: Bến xe Bắc - Bến xe Nam", through((5, 0), (5, 4), (7, 5), (7, 7))),
        ("Tuyến 18: Kim Mã - Ngọc Lâm", through((0, 3), (3, 3), (3, 2), (9, 2))),
        ("Tuyến 18: Kim Mã - Ngọc Lâm", through((9, 2), (10, 2), (10, 6), (8, 6))),
    ]


# ---- Places and labels ---------------------------------------------------------

# (category, name, block column, block row, fraction across, fraction down, information).
# Fractions put each place inside a small block, clear of the local streets.
PLACES = [
    (1, "Bệnh viện Đa khoa Trung tâm", 4, 1, 0.375, 0.375, "Số 40 Đường Hoàng Hoa Thám"),
    (1, "Bệnh viện Nhi Hoa Sen", 3, 6, 0.75, 0.25, "Số 8 Đường Giải Phóng"),
    (1, "Bệnh viện Ngọc Lâm", 9, 5, 0.75, 0.25, "Số 2 Phố Kim Ngưu"),
    (2, "Phòng vé Máy bay Sao Mai", 6, 2, 0.875, 0.125, "Số 15 Đường Kim Mã"),
    (3, "Ngân hàng Phương Đông", 5, 1, 0.375, 0.875, "Số 1 Phố Huế"),
    (3, "Ngân hàng Công Thương Hồng Hà", 8, 2, 0.25, 0.25, "Số 77 Phố Nguyễn Du"),
    (4, "Câu lạc bộ Thuyền buồm Trúc Lâm", 1, 2, 0.12, 0.2, "Bờ tây Hồ Trúc Lâm"),
    (5, "Bến xe Bắc", 5, 0, 0.125, 0.125, "Đầu tuyến 03"),
    (5, "Bến xe Nam", 7, 6, 0.12, 0.8, "Cuối tuyến 03"),
    (5, "Điểm dừng Kim Mã", 4, 2, 0.375, 0.125, "Tuyến 18"),
    (6, "Nhà thờ Giáo xứ Ngọc Lâm", 9, 3, 0.25, 0.25, "Số 5 Phố Lý Thường Kiệt"),
    (6, "Nhà thờ Cửa Bắc Mới", 2, 0, 0.25, 0.75, "Số 56 Phố Cửa Bắc"),
    (7, "Rạp chiếu phim Hoa Ban", 6, 1, 0.375, 0.625, "Số 19 Đường Hoàng Hoa Thám"),
    (7, "Rạp chiếu phim Tháng Tám", 3, 5, 0.25, 0.75, "Số 45 Đường Láng"),
    (8, "Câu lạc bộ Văn hóa Thanh Niên", 8, 1, 0.6, 0.8, "Đường Thanh Niên"),
    (9, "Ủy ban Nhân dân Quận Bắc Sơn", 0, 1, 0.25, 0.25, "Số 1 Đường Lạc Long Quân"),
    (9, "Ủy ban Nhân dân Quận Đông Đô", 4, 3, 0.375, 0.375, "Số 9 Phố Tràng Thi"),
    (9, "Ủy ban Nhân dân Quận Nam Thành", 3, 5, 0.75, 0.25, "Số 120 Đường Láng"),
    (10, "Xí nghiệp Dệt Lam Giang", 9, 6, 0.25, 0.75, "Khu công nghiệp Ngọc Lâm"),
    (10, "Nhà máy Cơ khí Đông Ngàn", 9, 6, 0.75, 0.75, "Số 300 Đường Nguyễn Trãi"),
    (11, "Nhà Triển lãm Mỹ thuật", 6, 0, 0.625, 0.625, "Số 29 Phố Hàng Bài"),
    (12, "Khách sạn Hoa Sữa", 5, 3, 0.1, 0.1, "Số 3 Phố Đinh Tiên Hoàng"),
    (12, "Khách sạn Bình Minh", 6, 3, 0.125, 0.375, "Số 11 Tràng Tiền"),
    (12, "Khách sạn Sông Lam", 8, 3, 0.75, 0.75, "Số 50 Đường Bạch Đằng"),
    (12, "Khách sạn Ánh Dương", 3, 2, 0.625, 0.625, "Số 21 Đường Kim Mã"),
    (12, "Khách sạn Ven Hồ", 0, 2, 0.75, 0.25, "Số 4 Phố Văn Cao"),
    (13, "Văn phòng Hợp tác Quốc tế", 7, 2, 0.375, 0.625, "Số 60 Phố Lý Thường Kiệt"),
    (14, "Chợ Cửa Nam Mới", 4, 2, 0.875, 0.875, "Phố Tràng Thi"),
    (14, "Chợ Ngọc Lâm", 9, 3, 0.75, 0.25, "Đường Ngọc Lâm"),
    (14, "Chợ Đêm Hàng Đào", 5, 2, 0.3, 0.1, "Phố Hàng Đào, tối thứ sáu đến chủ nhật"),
    (15, "Bảo tàng Lịch sử Thành phố", 6, 3, 0.625, 0.875, "Số 1 Tràng Tiền"),
    (15, "Bảo tàng Dân tộc học", 0, 3, 0.25, 0.75, "Đường Hoàng Quốc Việt"),
    (16, "Đền Thủy Tiên", 5, 3, 0.2, 0.25, "Bờ tây Hồ Gươm"),
    (16, "Chùa Linh Quang", 2, 5, 0.2, 0.3, "Phố Tôn Thất Tùng"),
    (16, "Chùa Trúc Lâm", 2, 2, 0.9, 0.9, "Bờ đông Hồ Trúc Lâm"),
    (17, "Bãi đỗ xe Tràng Tiền", 6, 3, 0.875, 0.375, "Tràng Tiền"),
    (17, "Bãi đỗ xe Giải Phóng", 5, 5, 0.25, 0.75, "Đường Giải Phóng"),
    (18, "Bưu điện Trung tâm", 5, 3, 0.9, 0.1, "Số 75 Phố Đinh Tiên Hoàng"),
    (18, "Bưu điện Kim Mã", 3, 1, 0.375, 0.875, "Số 2 Đường Kim Mã"),
    (19, "Sân vận động Lam Giang", 2, 6, 0.55, 0.4, "Phố Tôn Thất Tùng"),
    (20, "Siêu thị Hoa Sen", 4, 6, 0.75, 0.25, "Phố Chùa Bộc"),
    (20, "Siêu thị Phố Vọng", 8, 6, 0.75, 0.25, "Phố Vọng"),
    (21, "Bể bơi Thanh Niên", 9, 0, 0.3, 0.5, "Đường Thanh Niên"),
    (22, "Nhà hát Tràng Tiền", 6, 3, 0.375, 0.625, "Số 1 Tràng Tiền"),
    (23, "Công ty Du lịch Sông Lam", 6, 2, 0.125, 0.375, "Phố Hàng Bài"),
    (23, "Đại lý Du lịch Hoa Phượng", 4, 3, 0.625, 0.875, "Đường Bạch Đằng"),
    (24, "Tháp Bút Trúc Lâm", 2, 1, 0.4, 0.2, "Bờ bắc Hồ Trúc Lâm"),
    (24, "Cầu Thê Hoa", 5, 3, 0.62, 0.35, "Hồ Gươm"),
    (25, "Đại học Bách Khoa", 1, 5, 0.75, 0.75, "Đường Trường Chinh"),
    (25, "Đại học Kinh tế Lam Giang", 8, 0, 0.75, 0.25, "Đường Âu Cơ"),
    (26, "Trạm xăng Âu Cơ", 4, 0, 0.625, 0.125, "Đường Âu Cơ"),
    (26, "Trạm xăng Nguyễn Trãi", 1, 6, 0.35, 0.85, "Đường Nguyễn Trãi"),
    (26, "Trạm xăng Ngọc Lâm", 9, 2, 0.75, 0.75, "Đường Ngọc Lâm"),
    (26, "Trạm xăng Láng", 3, 4, 0.12, 0.8, "Đường Láng"),
    (27, "Ngân hàng Phương Đông", 5, 2, 0.1, 0.9, "Phố Huế"),
    (27, "Ngân hàng Phương Đông", 7, 3, 0.125, 0.125, "Phố Lý Thường Kiệt"),
    (27, "ATM Công Thương Hồng Hà", 5, 5, 0.75, 0.75, "Đường Giải Phóng"),
]

# (text, x, y, size): anchors are the labels' top-left corners.
LABELS = [
    ("QUẬN BẮC SƠN", 1500, 1500, 5),
    ("QUẬN ĐÔNG ĐÔ", 9000, 1400, 5),
    ("QUẬN LONG HẢI", 19200, 5600, 5),
    ("QUẬN TÂY GIANG", 1600, 13700, 5),
    ("QUẬN NAM THÀNH", 8000, 14000, 5),
    ("QUẬN HỒNG MAI", 13500, 14000, 4),
    ("HUYỆN ĐÔNG NGÀN", 19000, 14300, 5),
    ("Sông Lam Giang", 4200, 10000, 6),
    ("Khu Phố Cổ", 12500, 4400, 3),
    ("Bãi Giữa", 15500, 10500, 2),
    ("Làng Hoa Ngọc Hà", 4300, 8000, 3),
    ("Khu công nghiệp Ngọc Lâm", 19300, 13850, 2),
]


# ---- Writing -----------------------------------------------------------------

def point_list(points):
    return ";".join(f"{x},{y}" for x, y in points)


def map_lines():
    city = City()
    ways = city.ways()
    nodes = road_nodes(ways)
    sections = {
        "DISTRICT": [(name, [point_list(pts)]) for name, pts in districts(city, Lcg(19450902))],
        "WAY": [(name, [point_list(pts), f"{direction},{width}"]) for name, pts, direction, width, _ in ways],
        "BUS": [(nfc(name), [point_list(pts)]) for name, pts in bus_routes(city, ways)],
        "RIVER": [(nfc("Sông Lam Giang"), [point_list(river())])],
        "LAKE": [(nfc(name), [point_list(pts)]) for name, pts in lakes(city)],
        "PARK": [(nfc(name), [point_list(pts)]) for name, pts in parks(city)],
        "PLACE": [(nfc(name), [point_list([city.cell_point(i, j, Fraction(fx), Fraction(fy))]), str(code),
                               nfc(info)])
                  for code, name, i, j, fx, fy, info in PLACES],
        "TEXT": [(nfc(text), [f"{x},{y}", str(size)]) for text, x, y, size in LABELS],
    }
    lines = [f"REALNUM{kind} {len(records)}" for kind, records in sections.items()]
    lines += ["/GPSINF", "\t0.0", "\t\t" + str(GPS_PER_UNIT), "\t\t\t" + str(GPS_ORIGIN_X),
              "\t\t\t\t" + str(GPS_ORIGIN_Y), "GPSINF/",
              "/RES", f"\t{RES_W}x{RES_H}", "RES/",
              "/SCALE", f"\t{SCALE}", "SCALE/",
              "/CENP", f"\t{CENTRE[0]},{CENTRE[1]}", "CENP/"]
    for kind, records in sections.items():
        lines.append("/" + kind)
        for first, further in records:
            lines.append("\t" + first)
            lines += ["\t" * level + value for level, value in enumerate(further, start=2)]
        lines.append(kind + "/")
    lines.append("/POSITION")
    for (x, y), way_list, neighbours in nodes:
        values = [x, y] + [v for pair in neighbours for v in pair]
        lines.append("\t" + ",".join(map(str, way_list)) + ";" + ",".join(map(str, values)))
    lines.append("POSITION/")
    check_limits(sections, nodes, lines)
    return lines


def check_limits(sections, nodes, lines):
    """Refuses to write a map the program could not hold."""
    def count(record):
        return record[1][0].count(";") + 1

    problems = []
    limits = {"DISTRICT": MAX_DISTRICT_POINTS, "WAY": MAX_WAY_POINTS, "BUS": MAX_POLY_POINTS,
              "RIVER": MAX_POLY_POINTS, "LAKE": MAX_POLY_POINTS, "PARK": MAX_POLY_POINTS}
    for kind, limit in limits.items():
        problems += [f"{kind} {r[0]} has {count(r)} points" for r in sections[kind] if count(r) > limit]
    for n, (_, way_list, neighbours) in enumerate(nodes, start=1):
        if len(neighbours) > MAX_NEIGHBOURS or len(way_list) > MAX_NODE_VALUES:
            problems.append(f"node {n} has too many neighbours or streets")
    if len(nodes) + 1 >= 4 * (len(sections["WAY"]) - 1):
        problems.append(f"{len(nodes)} nodes do not fit {len(sections['WAY'])} WAY records")
    problems += [f"line too long: {line[:40]}" for line in lines if len(line.encode()) > MAX_LINE_BYTES]
    if problems:
        raise ValueError("; ".join(problems))


def main():
    here = os.path.dirname(os.path.abspath(__file__))
    path = sys.argv[1] if len(sys.argv) > 1 else os.path.join(here, "..", "data", "demo.kvp")
    data = "".join(line + "\r\n" for line in map_lines()).encode("utf-8")
    if len(data) > MAX_FILE_BYTES:
        raise ValueError(f"the map has {len(data)} bytes, more than {MAX_FILE_BYTES}")
    with open(path, "wb") as out:
        out.write(data)


if __name__ == "__main__":
    main()
