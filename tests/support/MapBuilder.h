// Builds a map in memory for tests: records are appended kind by kind with
// the arrays sized as the reader sizes them.
#pragma once

#include "view/MapState.h"
#include "map/MapFileReader.h"

#include <initializer_list>

class MapBuilder {
public:
    explicit MapBuilder(MapState& s, int width = 10000, int height = 10000) : m(s)
    {
        m.m_nResWidth = width;
        m.m_nResHeight = height;
        m.m_nCenterX = width / 2;
        m.m_nCenterY = height / 2;
        m.m_dMapScale = 1000;
        m.m_strMapPath = QStringLiteral("built-in-test.kvp");
    }

    int Way(const QString& name, std::initializer_list<MapPoint> points, const QString& direction = "0",
            int width = 1)
    {
        const int i = ++m.m_nWayLast;
        m.m_strWayName.push_back(name);
        std::vector<MapPoint> p(points);
        const int last = static_cast<int>(p.size()) - 1;
        p.resize(std::max<size_t>(p.size(), kMaxWayPoints));
        m.m_pWayPoints.push_back(p);
        m.m_nWayPointLast.push_back(last);
        m.m_strWayDirection.push_back(direction);
        m.m_nWayWidth.push_back(width);
        return i;
    }
    int Bus(const QString& name, std::initializer_list<MapPoint> points)
    {
        const int i = ++m.m_nBusLast;
        m.m_strBusName.push_back(name);
        m.m_pBusPoints.emplace_back(points);
        m.m_nBusPointLast.push_back(static_cast<int>(points.size()) - 1);
        return i;
    }
    int Place(const QString& name, MapPoint where, int category)
    {
        return m.AppendPlace(name, where, category);
    }
    int Text(const QString& text, MapPoint where, int size)
    {
        const int i = ++m.m_nTextLast;
        m.m_strText.push_back(text);
        m.m_ptText.push_back(where);
        m.m_nTextSize.push_back(size);
        return i;
    }
    // Road node n at p with its ways (1-based WAY numbers) and neighbours.
    void Node(int n, MapPoint p, std::initializer_list<int> ways, std::initializer_list<int> neighbours)
    {
        EnsureNodes(n);
        NodeList w;
        w.fill(-1);
        int k = 0;
        for (int way : ways)
            w[k++] = way;
        NodeList c;
        c.fill(-1);
        c[0] = p.x;
        c[1] = p.y;
        k = 2;
        for (int v : neighbours) {
            c[k++] = v;
            c[k++] = 1;
        }
        m.m_pNodeWays[n] = w;
        m.m_pNodeCoords[n] = c;
        m.m_nNodeLast = std::max(m.m_nNodeLast, n);
    }
    void Finish() { ComputeResStep(m); }

private:
    void EnsureNodes(int n)
    {
        NodeList empty;
        empty.fill(-1);
        const size_t needed = std::max<size_t>(n + 2, 4 * std::max(m.m_nWayLast, 1));
        if (m.m_pNodeCoords.size() < needed) {
            m.m_pNodeCoords.resize(needed, empty);
            m.m_pNodeWays.resize(needed, empty);
        }
    }
    MapState& m;
};
