#include "gps/RoadFile.h"

#include "map/TextLines.h"

namespace {

int ToIntBytes(QByteArrayView text)
{
    return ToInt(QString::fromLatin1(text.data(), text.size()));
}

// "x,y": the text before the first comma and the text after it.
MapPoint PairOf(QByteArrayView pair)
{
    const qsizetype comma = pair.indexOf(',');
    if (comma < 0)
        return {ToIntBytes(pair), 0};
    return {ToIntBytes(pair.first(comma)), ToIntBytes(pair.sliced(comma + 1))};
}

}  // namespace

QByteArray RoadFileBytes(const std::vector<MapPoint>& trackGps, int count)
{
    QByteArray bytes;
    count = std::min<int>(count, static_cast<int>(trackGps.size()));
    if (count > 1) {
        for (int i = 0; i < count; ++i)
            bytes += QByteArray::number(trackGps[i].x) + ',' + QByteArray::number(trackGps[i].y) + ';';
    }
    return bytes + "\r\nend\r\n";
}

bool WriteRoadFile(const QString& path, const std::vector<MapPoint>& trackGps, int count)
{
    return WriteFileBlock(path, RoadFileBytes(trackGps, count));
}

std::vector<MapPoint> ParseRoadBytes(QByteArrayView buf, int maxPoints)
{
    std::vector<MapPoint> points;
    const qsizetype n = buf.size();
    qsizetype a = 0;
    // The byte after p decides: a CR LF ends a line, a ";" ends a pair.
    for (qsizetype p = 0; p + 1 < n; ++p) {
        if (p + 2 < n && buf[p + 1] == '\r' && buf[p + 2] == '\n') {
            const QByteArrayView line = a <= p ? buf.sliced(a, p + 1 - a) : QByteArrayView();
            if (line.size() <= 9 && line.contains("end"))
                break;
            a = p + 3;
        } else if (buf[p + 1] == ';') {
            if (points.size() < size_t(maxPoints))
                points.push_back(PairOf(a <= p ? buf.sliced(a, p + 1 - a) : QByteArrayView()));
            a = p + 2;
            ++p;
        }
    }
    return points;
}

std::optional<std::vector<MapPoint>> ReadRoadFile(const QString& path, qint64 maxBytes, int maxPoints, bool* tooLarge)
{
    QByteArray buf;
    bool cut = false;
    if (!ReadFileBlock(path, maxBytes, buf, &cut))
        return std::nullopt;
    // One point more than taken tells whether the file holds more.
    std::vector<MapPoint> points = ParseRoadBytes(buf, maxPoints + 1);
    if (tooLarge)
        *tooLarge = cut || points.size() > size_t(maxPoints);
    if (points.size() > size_t(maxPoints))
        points.pop_back();
    return points;
}
