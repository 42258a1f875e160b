#include "Commands.h"
#include "MapCheck.h"

#include "map/MapFileReader.h"

#include <QFile>

int RunCheck(const QStringList& args)
{
    QCommandLineParser parser;
    parser.setApplicationDescription(
        QStringLiteral("Checks a map file: every limit it breaks, every line the reader would ignore (with its "
                       "line number), WAY records the map view never shows (ends too close together), road nodes "
                       "off the streets, and road nodes a route cannot reach or leave along one-way streets.\n"
                       "Exit status: 0 nothing wrong, 1 problems listed, 2 the file cannot be read."));
    parser.addPositionalArgument(QStringLiteral("map"), QStringLiteral("The map file (.kvp)."));
    int exitCode = kExitOk;
    if (!ParseCommand(parser, args, QStringLiteral("check"), 1, exitCode))
        return exitCode;
    const QString path = parser.positionalArguments().constFirst();
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        Err() << "korvane-tool check: cannot read " << path << ": " << file.errorString() << "\n";
        return kExitUsage;
    }
    const std::vector<MapProblem> problems = CheckMapText(file.readAll());
    for (const MapProblem& p : problems) {
        Out() << path;
        if (p.line > 0)
            Out() << ":" << p.line;
        Out() << ": " << p.message << "\n";
    }
    if (problems.empty()) {
        Out() << path << ": no problems\n";
        return kExitOk;
    }
    Out() << path << ": " << problems.size() << " problem" << (problems.size() == 1 ? "" : "s") << "\n";
    return kExitFailed;
}
