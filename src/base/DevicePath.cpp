#include "base/DevicePath.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

QString DeviceRoot()
{
    const QString root = qEnvironmentVariable("KORVANE_ROOT");
    if (!root.isEmpty())
        return root;
    return QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) + "/korvane";
}

bool IsDevicePath(const QString& path)
{
    if (path.startsWith('\\') || path.startsWith("/My Documents/"))
        return true;
    // A single name under the root, such as "/UpdateMap.txt".
    return path.startsWith('/') && path.indexOf('/', 1) < 0;
}

QString NativePath(const QString& path)
{
    if (!IsDevicePath(path))
        return path;
    QString relative = path;
    relative.replace('\\', '/');
    return DeviceRoot() + relative;
}

QString MyDocumentsFolder()
{
    const QString folder = NativePath(QStringLiteral("/My Documents/"));
    QDir().mkpath(folder);
    return QDir::cleanPath(folder);
}

void MakeParentFolders(const QString& nativePath)
{
    QDir().mkpath(QFileInfo(nativePath).absolutePath());
}

bool ContainsExtension(const QString& path, const char* extension)
{
    return path.contains(QLatin1StringView(extension), Qt::CaseInsensitive);
}
