#include "MapWriter.h"

#include "base/TextCodec.h"

#include <cmath>

namespace {

class TextOut {
public:
    // One line: level tabs, then the text, then CR LF.
    void Line(int level, const QByteArray& text)
    {
        m_bytes.append(QByteArray(level, '\t'));
        m_bytes.append(text);
        m_bytes.append("\r\n");
    }
    void Name(int level, const QString& text) { Line(level, EncodeText(text)); }
    QByteArray Take() { return std::move(m_bytes); }

private:
    QByteArray m_bytes;
};

QByteArray Number(int value)
{
    return QByteArray::number(value);
}

// A real that reads back the same: whole values keep one decimal.
QByteArray Real(double value)
{
    return value == std::trunc(value) ? QByteArray::number(value, 'f', 1) : QByteArray::number(value, 'g', 17);
}

QByteArray Pair(MapPoint p)
{
    return Number(p.x) + ',' + Number(p.y);
}

QByteArray PointList(const std::vector<MapPoint>& points, int last)
{
    QByteArray text;
    for (int i = 0; i <= last; ++i) {
        if (i > 0)
            text.append(';');
        text.append(Pair(points[i]));
    }
    return text;
}

// The values of a node list up to its last one that is not −1.
QByteArray IntList(const NodeList& values)
{
    int count = kNodeListSize;
    while (count > 0 && values[count - 1] == -1)
        --count;
    QByteArray text;
    for (int i = 0; i < count; ++i) {
        if (i > 0)
            text.append(',');
        text.append(Number(values[i]));
    }
    return text;
}

void PolySection(TextOut& out, const char* tag, int last, const std::vector<QString>& names,
                 const std::vector<std::vector<MapPoint>>& points, const std::vector<int>& pointLast)
{
    out.Line(0, QByteArray("/") + tag);
    for (int i = 0; i <= last; ++i) {
        out.Name(1, names[i]);
        out.Line(2, PointList(points[i], pointLast[i]));
    }
    out.Line(0, QByteArray(tag) + '/');
}

void Header(TextOut& out, const MapData& m)
{
    out.Line(0, "REALNUMDISTRICT " + Number(m.m_nDistrictLast + 1));
    out.Line(0, "REALNUMWAY " + Number(m.m_nWayLast + 1));
    out.Line(0, "REALNUMBUS " + Number(m.m_nBusLast + 1));
    out.Line(0, "REALNUMRIVER " + Number(m.m_nRiverLast + 1));
    out.Line(0, "REALNUMLAKE " + Number(m.m_nLakeLast + 1));
    out.Line(0, "REALNUMPARK " + Number(m.m_nParkLast + 1));
    out.Line(0, "REALNUMPLACE " + Number(m.m_nPlaceLast + 1));
    out.Line(0, "REALNUMTEXT " + Number(m.m_nTextLast + 1));
    out.Line(0, "/GPSINF");
    out.Line(1, Real(m.m_dGpsRotation));
    out.Line(2, Real(m.m_dGpsUnitsPerMapUnit));
    out.Line(3, Number(m.m_nGpsOriginX));
    out.Line(4, Number(m.m_nGpsOriginY));
    out.Line(0, "GPSINF/");
    out.Line(0, "/RES");
    out.Line(1, Number(m.m_nResWidth) + 'x' + Number(m.m_nResHeight));
    out.Line(0, "RES/");
    out.Line(0, "/SCALE");
    out.Line(1, ScaleText(m.m_dMapScale));
    out.Line(0, "SCALE/");
    out.Line(0, "/CENP");
    out.Line(1, Number(m.m_nCenterX) + ',' + Number(m.m_nCenterY));
    out.Line(0, "CENP/");
}

} // namespace

QByteArray ScaleText(double scale)
{
    // Seven characters: as many decimals as the whole part leaves room for.
    const int whole = scale >= 1.0 ? static_cast<int>(std::floor(std::log10(scale))) + 1 : 1;
    return QByteArray::number(scale, 'f', std::max(0, 6 - whole));
}

QByteArray WriteMapText(const MapData& m)
{
    TextOut out;
    Header(out, m);
    PolySection(out, "DISTRICT", m.m_nDistrictLast, m.m_strDistrictName, m.m_pDistrictPoints, m.m_nDistrictPointLast);

    out.Line(0, "/WAY");
    for (int i = 0; i <= m.m_nWayLast; ++i) {
        out.Name(1, m.m_strWayName[i]);
        out.Line(2, PointList(m.m_pWayPoints[i], m.m_nWayPointLast[i]));
        out.Line(3, EncodeText(m.m_strWayDirection[i]) + ',' + Number(m.m_nWayWidth[i]));
    }
    out.Line(0, "WAY/");

    PolySection(out, "BUS", m.m_nBusLast, m.m_strBusName, m.m_pBusPoints, m.m_nBusPointLast);
    PolySection(out, "RIVER", m.m_nRiverLast, m.m_strRiverName, m.m_pRiverPoints, m.m_nRiverPointLast);
    PolySection(out, "LAKE", m.m_nLakeLast, m.m_strLakeName, m.m_pLakePoints, m.m_nLakePointLast);
    PolySection(out, "PARK", m.m_nParkLast, m.m_strParkName, m.m_pParkPoints, m.m_nParkPointLast);

    out.Line(0, "/PLACE");
    for (int i = 0; i <= m.m_nPlaceLast; ++i) {
        out.Name(1, m.m_strPlaceName[i]);
        out.Line(2, Pair(m.m_ptPlace[i]));
        out.Line(3, Number(m.m_nPlaceCategory[i]));
        if (!m.m_strPlaceInfo[i].isEmpty())
            out.Name(4, m.m_strPlaceInfo[i]);
    }
    out.Line(0, "PLACE/");

    out.Line(0, "/TEXT");
    for (int i = 0; i <= m.m_nTextLast; ++i) {
        out.Name(1, m.m_strText[i]);
        out.Line(2, Pair(m.m_ptText[i]));
        out.Line(3, Number(m.m_nTextSize[i]));
    }
    out.Line(0, "TEXT/");

    out.Line(0, "/POSITION");
    for (int n = 1; n <= m.m_nNodeLast; ++n)
        out.Line(1, IntList(m.m_pNodeWays[n]) + ';' + IntList(m.m_pNodeCoords[n]));
    out.Line(0, "POSITION/");
    return out.Take();
}
