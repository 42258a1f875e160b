// Files made to be as hard as possible for the readers within their size
// limits: long runs of combining marks (costly to compose), and as many tiny
// records as the bytes allow. Shared by the bound tests and the benchmarks.
#pragma once

#include "MapFileText.h"

#include "map/Settings.h"
#include "map/MapFileReader.h"
#include "map/PlaceInfoFile.h"

#include <QByteArray>

// Lines of combining acute accents without base letters, in UTF-8 (two bytes
// each) or in Windows-1258 (one byte each), filling the map file's limit.
inline QByteArray CombiningMarkLines(bool utf8, int marksPerLine)
{
    const QByteArray mark = utf8 ? QByteArray("\xCC\x81") : QByteArray("\xEC");
    const QByteArray line = mark.repeated(marksPerLine) + "\r\n";
    return line.repeated(int(kMaxMapFileBytes / line.size()));
}

// A map whose header is nothing but such lines.
inline QByteArray CombiningHeaderMap(bool utf8)
{
    return CombiningMarkLines(utf8, 4000).left(kMaxMapFileBytes);
}

// A map whose WAY names are such lines, as long as a line may be.
inline QByteArray CombiningNamesMap(bool utf8)
{
    MapFileText file;
    file.Declare(kWay, 99999);
    QByteArray bytes = file.Header() + "/DISTRICT\r\nDISTRICT/\r\n/WAY\r\n";
    const QByteArray mark = utf8 ? QByteArray("\xCC\x81") : QByteArray("\xEC");
    const QByteArray name = "\t" + mark.repeated(kMaxMapLineBytes / mark.size() - 1) + "\r\n";
    while (bytes.size() + name.size() < kMaxMapFileBytes - 16)
        bytes += name;
    return bytes + "WAY/\r\n";
}

// As many WAY records as fit, each a bare name line, and as many road nodes.
inline QByteArray TinyRecordsMap()
{
    MapFileText file;
    file.Declare(kWay, 99999);
    QByteArray bytes = file.Header() + "/DISTRICT\r\nDISTRICT/\r\n/WAY\r\n" + QByteArray("\t\r\n").repeated(100000) +
                       "WAY/\r\n/BUS\r\nBUS/\r\n/RIVER\r\nRIVER/\r\n/LAKE\r\nLAKE/\r\n/PARK\r\nPARK/\r\n/PLACE\r\nPLACE/\r\n"
                       "/TEXT\r\nTEXT/\r\n/POSITION\r\n";
    const QByteArray node = "\t;\r\n";
    while (bytes.size() + node.size() < kMaxMapFileBytes - 16)
        bytes += node;
    return bytes + "POSITION/\r\n";
}

// The most road nodes per byte: each WAY record, a bare name line, allows
// four nodes, each a line of a tab and ";" that fills two lists of 21 values.
inline QByteArray NodesMap()
{
    MapFileText file;
    file.Declare(kWay, 99999);
    const int ways = int(kMaxMapFileBytes / (3 + 4 * 4)) - 100;
    return file.Header() + "/DISTRICT\r\nDISTRICT/\r\n/WAY\r\n" + QByteArray("\t\r\n").repeated(ways) +
           "WAY/\r\n/BUS\r\nBUS/\r\n/RIVER\r\nRIVER/\r\n/LAKE\r\nLAKE/\r\n/PARK\r\nPARK/\r\n/PLACE\r\nPLACE/\r\n"
           "/TEXT\r\nTEXT/\r\n/POSITION\r\n" +
           QByteArray("\t;\r\n").repeated(4 * ways - 2) + "POSITION/\r\n";
}

// A settings file as long as the reader reads: an accepted version, then a
// map path of combining marks that fills the rest.
inline QByteArray CombiningSettings()
{
    const QByteArray head = "MapVer 1.2\r\nMapURL /";
    return head + QByteArray("\xCC\x81").repeated(int(kMaxSettingsBytes - head.size() - 2) / 2) + "\r\n";
}

// A place file of the smallest records, each a point line of two digits and
// nothing else, filling the given bytes.
inline QByteArray TinyPlacesFile(qint64 bytes)
{
    return QByteArray("11\r\n").repeated(int(bytes / 4));
}
