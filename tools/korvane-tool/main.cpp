// korvane-tool: map tools for users of the program. One command word picks
// the tool: import an OpenStreetMap extract, check, describe, draw a map
// file, find a route or a name on it, or turn road files and receiver logs
// into GPX tracks and GPX tracks into road files.
#include "Commands.h"

#include <QCoreApplication>
#include <QGuiApplication>

#include <array>
#include <memory>

namespace {

struct Command {
    const char* name;
    const char* summary;
    int (*run)(const QStringList&);
};

constexpr std::array<Command, 8> kCommands = {{
    {"import", "make a map file from an OpenStreetMap extract (XML or PBF)", RunImport},
    {"check", "list every limit a map file breaks and every line the reader ignores", RunCheck},
    {"info", "counts, extent, scale and calibration of a map file; points, length and time of a track", RunInfo},
    {"render", "draw a map file into a PNG image as the program shows it", RunRender},
    {"route", "find the shortest route between two points of a map file", RunRoute},
    {"find", "list the street (bus-route, place) names that match a typed text, best first", RunFind},
    {"gpx", "write a road file (.kvt) or a receiver's NMEA log as a GPX 1.1 track", RunGpx},
    {"kvt", "write the track points of a GPX file as a road file (.kvt)", RunKvt},
}};

void Usage(QTextStream& out)
{
    out << "Usage: korvane-tool COMMAND [options]\n\nCommands:\n";
    for (const Command& c : kCommands)
        out << "  " << QString::fromLatin1(c.name).leftJustified(8) << c.summary << "\n";
    out << "\nkorvane-tool COMMAND --help describes a command's options;"
           " korvane-tool --version prints the version.\n";
}

} // namespace

int main(int argc, char** argv)
{
    const QString word = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QString();
    // Drawing needs fonts, so render runs a GUI application, without a
    // display unless one is asked for.
    std::unique_ptr<QCoreApplication> app;
    if (word == QLatin1String("render")) {
        if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
            qputenv("QT_QPA_PLATFORM", "offscreen");
        app = std::make_unique<QGuiApplication>(argc, argv);
    } else {
        app = std::make_unique<QCoreApplication>(argc, argv);
    }
    QStringList args = QCoreApplication::arguments().mid(1);
    if (word == QLatin1String("--help") || word == QLatin1String("-h") || word == QLatin1String("help")) {
        Usage(Out());
        return kExitOk;
    }
    if (word == QLatin1String("--version")) {
        Out() << "korvane-tool " KORVANE_VERSION "\n";
        return kExitOk;
    }
    for (const Command& c : kCommands) {
        if (word == QLatin1String(c.name)) {
            const int status = c.run(args.mid(1));
            Err().flush();
            return status;
        }
    }
    if (!word.isEmpty())
        Err() << "korvane-tool: unknown command " << word << "\n\n";
    Usage(Err());
    return kExitUsage;
}
