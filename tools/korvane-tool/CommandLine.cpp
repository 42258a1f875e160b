#include "Commands.h"

#include "map/MapFileReader.h"

#include <QFileInfo>

#include <cstdio>

QTextStream& Out()
{
    static QTextStream out(stdout);
    return out;
}

QTextStream& Err()
{
    static QTextStream err(stderr);
    return err;
}

bool ParseCommand(QCommandLineParser& parser, const QStringList& args, const QString& command, int positional,
                  int& exitCode)
{
    const QCommandLineOption help = parser.addHelpOption();
    if (!parser.parse(QStringList{QStringLiteral("korvane-tool ") + command} + args)) {
        Err() << "korvane-tool " << command << ": " << parser.errorText() << "\n";
        exitCode = kExitUsage;
        return false;
    }
    if (parser.isSet(help)) {
        Out() << parser.helpText();
        exitCode = kExitOk;
        return false;
    }
    if (parser.positionalArguments().size() != positional) {
        Err() << "korvane-tool " << command << ": expected " << positional << " argument"
              << (positional == 1 ? "" : "s") << "; see korvane-tool " << command << " --help\n";
        exitCode = kExitUsage;
        return false;
    }
    return true;
}

bool ParseMapPoint(const QString& text, MapPoint& point)
{
    const QStringList parts = text.split(QLatin1Char(','));
    bool okX = false, okY = false;
    if (parts.size() == 2) {
        point.x = parts[0].trimmed().toInt(&okX);
        point.y = parts[1].trimmed().toInt(&okY);
    }
    return okX && okY;
}

bool LoadMapForCommand(MapData& map, const QString& path, const QString& command)
{
    if (!QFileInfo(path).isFile() || !LoadMapFile(map, QFileInfo(path).absoluteFilePath(), 0)) {
        Err() << "korvane-tool " << command << ": cannot read " << path << "\n";
        return false;
    }
    return true;
}
