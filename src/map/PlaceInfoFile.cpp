#include "map/PlaceInfoFile.h"

#include "map/MapFileReader.h"
#include "map/TextLines.h"
#include "base/DevicePath.h"
#include "base/TextCodec.h"
#include "base/Trace.h"

#include <QBuffer>
#include <QFile>
#include <QFileInfo>
#include <vector>

namespace {

// What a level-0 line of at least two characters opens: a record's point.
bool OpensRecord(const QString& line)
{
    return IsIndentLevel(line, 0) && line.size() >= 2;
}

MapPoint FirstPoint(const QString& line)
{
    std::vector<MapPoint> points;
    ParsePointList(line, points, 2);
    return points.empty() ? MapPoint{} : points.front();
}

// A record of the file as it stands: where its bytes start and end, and the
// point it is at.
struct StoredRecord {
    qsizetype begin = 0;
    qsizetype end = 0;
    MapPoint where;
};

// The records of a file, each running from its point line to the next point
// line (or the end of the file).
std::vector<StoredRecord> StoredRecords(const QByteArray& block)
{
    std::vector<StoredRecord> records;
    ForEachPlaceFileLine(block, [&](QByteArrayView bytes, qsizetype at) {
        const QString line = DecodeText(bytes);
        if (!OpensRecord(line))
            return;
        if (!records.empty())
            records.back().end = at;
        records.push_back({at, block.size(), FirstPoint(line)});
    });
    return records;
}

}  // namespace

bool PlaceFileTooLarge(const QString& path)
{
    return QFileInfo(NativePath(path)).size() > kMaxPlaceFileBytes;
}

QString PlaceFileTooLargeText(const QString& path)
{
    return QStringLiteral("Tệp địa danh quá lớn: %1").arg(path);
}

bool ReadPlaceFile(const QString& path, QByteArray& out)
{
    bool cut = false;
    if (!ReadFileBlock(path, kMaxPlaceFileBytes, out, &cut))
        return false;
    if (cut) {
        Trace("Place file %s is larger than %lld bytes: not read", qPrintable(path),
              static_cast<long long>(kMaxPlaceFileBytes));
        out.clear();
        return false;
    }
    return true;
}

void ForEachPlaceFileLine(QByteArrayView block, const std::function<void(QByteArrayView, qsizetype)>& f)
{
    qsizetype start = 0;
    for (qsizetype i = 0; i + 2 < block.size(); ++i) {
        if (block[i + 1] == '\r' && block[i + 2] == '\n') {
            // The line runs from its start up to and including byte i.
            f(start <= i ? block.sliced(start, i + 1 - start) : QByteArrayView(), start);
            start = i + 3;
        }
    }
}

int LoadInfoFile(MapData& map, const QString& path)
{
    QByteArray block;
    if (!ReadPlaceFile(path, block))
        return -1;
    return LoadInfoBytes(map, block);
}

int LoadInfoBytes(MapData& map, QByteArrayView block)
{
    int names = 0;
    ForEachPlaceFileLine(block, [&](QByteArrayView bytes, qsizetype) {
        const QString line = DecodeLine(bytes);
        if (OpensRecord(line)) {
            map.AppendPlace(QString(), FirstPoint(line), -1);
            return;
        }
        // Category and name lines belong to the last place in memory; before
        // any place there is none to give them to.
        const int last = map.m_nPlaceLast;
        if (last < 0)
            return;
        if (IsIndentLevel(line, 1)) {
            map.m_nPlaceCategory[last] = ToInt(QStringView(line).mid(1));
        } else if (IsIndentLevel(line, 2)) {
            map.m_strPlaceName[last] = line.mid(2);
            map.m_strPlaceInfo[last].clear();
            ++names;
        }
    });
    return names;
}

QByteArray PlaceRecordBytes(MapPoint where, int category, const QString& name)
{
    QByteArray bytes;
    QBuffer record(&bytes);
    record.open(QIODevice::WriteOnly);
    WriteTextLine(record, QStringLiteral("%1,%2").arg(where.x).arg(where.y));
    WriteTabs(record, 1);
    WriteTextLine(record, QString::number(category));
    WriteTabs(record, 2);
    WriteTextLine(record, OneLineText(name));
    WriteNewLine(record);
    return bytes;
}

bool AppendPlaceRecord(const QString& path, MapPoint where, int category, const QString& name)
{
    if (PlaceFileTooLarge(path)) {
        Trace("AppendPlaceRecord: %s is too large to be read: not written", qPrintable(path));
        return false;
    }
    const QString native = NativePath(path);
    MakeParentFolders(native);
    QFile file(native);
    const QByteArray record = PlaceRecordBytes(where, category, name);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Append) || file.write(record) != record.size()) {
        Trace("AppendPlaceRecord: cannot write %s", qPrintable(native));
        return false;
    }
    return true;
}

bool RewritePlaceRecord(const QString& path, MapPoint where, int category, const QString& name)
{
    QByteArray block;
    if (!ReadPlaceFile(path, block))
        return false;
    QByteArray rewritten;
    qsizetype kept = 0;
    bool changed = false;
    for (const StoredRecord& record : StoredRecords(block)) {
        if (record.where != where)
            continue;
        rewritten += block.mid(kept, record.begin - kept) + PlaceRecordBytes(where, category, name);
        kept = record.end;
        changed = true;
    }
    if (!changed)
        return true;
    rewritten += block.mid(kept);
    return WriteFileBlock(path, rewritten);
}

bool HasPlaceRecordAt(const QString& path, MapPoint where)
{
    QByteArray block;
    if (!ReadPlaceFile(path, block))
        return false;
    for (const StoredRecord& record : StoredRecords(block)) {
        if (record.where == where)
            return true;
    }
    return false;
}
