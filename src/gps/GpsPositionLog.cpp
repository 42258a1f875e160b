#include "gps/GpsPositionLog.h"

#include "gps/Nmea.h"
#include "map/TextLines.h"
#include "base/DevicePath.h"
#include "base/Trace.h"

#include <QBuffer>
#include <QFile>

QString GpsPositionLine(MapPoint map, const QString& rmcLine)
{
    return QStringLiteral("%1,%2;%3,%4")
        .arg(map.x)
        .arg(map.y)
        .arg(NmeaParser::RmcLongitude(rmcLine), NmeaParser::RmcLatitude(rmcLine));
}

bool AppendGpsPosition(const QString& path, MapPoint map, const QString& rmcLine)
{
    QByteArray bytes;
    QBuffer line(&bytes);
    line.open(QIODevice::WriteOnly);
    WriteTextLine(line, GpsPositionLine(map, rmcLine));
    const QString native = NativePath(path);
    MakeParentFolders(native);
    QFile file(native);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Append) || file.write(bytes) != bytes.size()) {
        Trace("GPS position log: cannot write %s", qPrintable(native));
        return false;
    }
    return true;
}
