// The kill test of a file the program rewrites: rewrite_child rewrites it over
// and over and is killed at a random moment, again and again; after each kill
// the file must be one of the whole versions it can hold.
#pragma once

#include <QByteArray>
#include <QFile>
#include <QList>
#include <QProcess>
#include <QRandomGenerator>
#include <QStringList>
#include <QThread>
#include <gtest/gtest.h>

struct KilledRewrites {
    int rounds = 0;
    int torn = 0;  // files that were none of the whole versions
};

// Runs `rewrite_child mode file valueA valueB` rounds times, each killed
// within maxDelayUs of starting to write, and compares the file with the
// whole versions after every kill.
inline KilledRewrites KillRewrites(const QString& mode, const QString& file, const QStringList& values,
                                   const QList<QByteArray>& wholeVersions, int rounds, int maxDelayUs)
{
    KilledRewrites result;
    QFile reader(file);
    for (; result.rounds < rounds; ++result.rounds) {
        QProcess child;
        child.start(QStringLiteral(KORVANE_REWRITE_CHILD), QStringList{mode, file} + values);
        if (!child.waitForReadyRead(5000)) {
            ADD_FAILURE() << "rewrite_child " << mode.toStdString() << " did not start writing";
            break;
        }
        QThread::usleep(QRandomGenerator::global()->bounded(maxDelayUs));
        child.kill();
        child.waitForFinished();
        reader.open(QIODevice::ReadOnly);
        result.torn += !wholeVersions.contains(reader.readAll());
        reader.close();
    }
    return result;
}
