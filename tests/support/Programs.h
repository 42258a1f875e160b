// Programs of this machine that tests check the program's files with
// (xmllint, gpsbabel, korvane-tool).
#pragma once

#include <QProcess>
#include <QStandardPaths>
#include <QString>
#include <QStringList>

// Runs a program; its exit code, -1 when it cannot run.
inline int RunProgram(const QString& program, const QStringList& args, QString* output = nullptr)
{
    QProcess process;
    process.setProcessChannelMode(QProcess::MergedChannels);
    process.start(program, args);
    if (!process.waitForFinished(60000) || process.exitStatus() != QProcess::NormalExit)
        return -1;
    if (output)
        *output = QString::fromLocal8Bit(process.readAll());
    return process.exitCode();
}

inline QString Installed(const char* program)
{
    return QStandardPaths::findExecutable(QLatin1String(program));
}
