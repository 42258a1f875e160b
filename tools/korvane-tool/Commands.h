// The subcommands of korvane-tool and what they share. Each takes its
// arguments without the command word and returns the exit status: 0 done,
// 1 failed or found problems, 2 wrong arguments.
#pragma once

#include "gps/GpsState.h"
#include "map/MapData.h"

#include <QCommandLineParser>
#include <QStringList>
#include <QTextStream>

inline constexpr int kExitOk = 0;
inline constexpr int kExitFailed = 1;
inline constexpr int kExitUsage = 2;

// The track commands read GPX files up to 256 MB; road files up to the
// bounds of ReadRoadFile, which hold all that "Lưu đường" can save.
inline constexpr qint64 kGpxBytes = 256 * 1024 * 1024;

int RunImport(const QStringList& args);
int RunCheck(const QStringList& args);
int RunInfo(const QStringList& args);
int RunRender(const QStringList& args);
int RunRoute(const QStringList& args);
int RunGpx(const QStringList& args);
int RunKvt(const QStringList& args);
int RunFind(const QStringList& args);

// info on a road file (.kvt) or a GPX file: points, length, duration, bounds.
bool IsTrackPath(const QString& path);
int DescribeTrack(const QString& path);

QTextStream& Out();
QTextStream& Err();

// Parses args for a subcommand that takes `positional` arguments. Prints the
// help or the error and returns false (with the exit status in exitCode) when
// the command should not run.
bool ParseCommand(QCommandLineParser& parser, const QStringList& args, const QString& command, int positional,
                  int& exitCode);

// "x,y" in map units.
bool ParseMapPoint(const QString& text, MapPoint& point);

// Loads a map file; false with a message printed when it cannot be read.
bool LoadMapForCommand(MapData& map, const QString& path, const QString& command);
