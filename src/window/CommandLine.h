// The program's command line: a map file to open, options for the start-up,
// --help and --version. Each option is declared once, in one table of
// CommandLine.cpp, with the step that takes its value; the help text is made
// from that table.
#pragma once

#include <QSize>
#include <QString>
#include <QStringList>

// The smallest window, menu bar and toolbar included: a QVGA handheld's
// screen in portrait.
inline constexpr int kMinWindowWidth = 240;
inline constexpr int kMinWindowHeight = 320;

// What the command line asks of the start-up.
struct StartOptions {
    QString mapFile;              // absolute path of the map to open; empty: the settings decide
    QSize windowSize;             // the whole window; invalid: the window's default
    bool exitAfterStart = false;  // leave as "Thoát" does once started (settings saved)
    QString gpsSource;            // a port text to start reception with; empty: none
};

struct CommandLine {
    enum class Action { Start, ShowHelp, ShowVersion, Refuse };
    Action action = Action::Start;
    StartOptions options;
    QString text;  // what to print for ShowHelp and ShowVersion (standard output) or Refuse (standard error)
};

// The exit status of a refused command line.
inline constexpr int kUsageExitStatus = 2;

// Reads the arguments, the program's name first. --help and --version win
// over everything else on the line, mistakes included.
CommandLine ParseCommandLine(const QStringList& arguments);

// Where the maps installed with the program are: <bindir>/../share/korvane/maps
// from the folder of the running program.
QString InstalledMapsFolder(const QString& programDir);

// The map to open at start-up in place of the one the settings file names:
// the map on the command line; else, while there is no settings file yet (the
// first start), the Hanoi map installed with the program, found from the
// installed maps folder.
// Empty when neither applies (a program run from its build folder).
QString StartMap(const StartOptions& options, const QString& programDir);
