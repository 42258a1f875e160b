#include "window/CommandLine.h"
#include "window/MapApp.h"
#include "window/MapDlg.h"

#include <QApplication>
#include <QTextStream>
#include <memory>

namespace {

QStringList ArgumentsOf(int argc, char** argv)
{
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments << QString::fromLocal8Bit(argv[i]);
    return arguments;
}

// Prints the help, the version or the refusal; returns the exit status.
int Answer(const CommandLine& commandLine)
{
    const bool refused = commandLine.action == CommandLine::Action::Refuse;
    QTextStream(refused ? stderr : stdout) << commandLine.text;
    return refused ? kUsageExitStatus : 0;
}

}  // namespace

int main(int argc, char** argv)
{
    // --help and --version are answered before Qt opens the display, so they
    // work without one. Qt's own options (-platform, -style …) are removed
    // from the line by QApplication: only then can anything be refused.
    const CommandLine early = ParseCommandLine(ArgumentsOf(argc, argv));
    if (early.action == CommandLine::Action::ShowHelp || early.action == CommandLine::Action::ShowVersion)
        return Answer(early);

    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("korvane"));
    QGuiApplication::setDesktopFileName(QStringLiteral(KORVANE_APP_ID));
    const CommandLine commandLine = ParseCommandLine(QApplication::arguments());
    if (commandLine.action != CommandLine::Action::Start)
        return Answer(commandLine);
    CMapApp mapApp;
    const std::unique_ptr<CMapDlg> window(mapApp.InitInstance(commandLine.options));
    return app.exec();
}
