// gpsfake serving a receiver log through a gpsd of its own on a free port.
// gpsfake runs in a session of its own, so that ending the session ends its
// gpsd too, also when a test stops half-way; after that, a check that no gpsd
// of it is left keeps every test run from leaving daemons behind.
#pragma once

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTcpServer>
#include <QTest>
#include <gtest/gtest.h>

#include <csignal>
#include <unistd.h>

class GpsFake {
public:
    // Starts gpsfake with its options and the log.
    GpsFake(const QStringList& options, const QString& log) : m_port(FreePort())
    {
        m_process.setChildProcessModifier([] { ::setsid(); });
        m_process.start(QStringLiteral("gpsfake"), QStringList(options)
                                                       << QStringLiteral("-P") << QString::number(m_port) << log);
        if (m_process.waitForStarted())
            m_session = static_cast<pid_t>(m_process.processId());
    }
    ~GpsFake() { Stop(); }
    GpsFake(const GpsFake&) = delete;
    GpsFake& operator=(const GpsFake&) = delete;

    bool Started() const { return m_session > 0; }
    int Port() const { return m_port; }

    // Ends gpsfake and its gpsd: gpsfake is asked first, so that it ends its
    // gpsd itself; whatever of the session is left is killed.
    void Stop()
    {
        if (m_session <= 0)
            return;
        ::kill(-m_session, SIGTERM);
        if (!m_process.waitForFinished(5000)) {
            ::kill(-m_session, SIGKILL);
            m_process.waitForFinished();
        }
        ::kill(-m_session, SIGKILL);
        EXPECT_TRUE(QTest::qWaitFor([this] { return GpsdsLeft() == 0; }, 5000))
            << "a gpsd started by gpsfake " << m_session << " is still running";
        m_session = 0;
    }

    // The gpsd daemons this gpsfake started that still run: gpsfake names
    // their control socket after its own process id.
    int GpsdsLeft() const
    {
        const QByteArray socket = "/gpsfake-" + QByteArray::number(m_session) + ".sock";
        int left = 0;
        for (const QString& pid : QDir(QStringLiteral("/proc")).entryList(QDir::Dirs)) {
            QFile cmdline(QStringLiteral("/proc/%1/cmdline").arg(pid));
            if (!cmdline.open(QIODevice::ReadOnly))
                continue;
            const QList<QByteArray> args = cmdline.readAll().split('\0');
            if (args.first().endsWith("gpsd") &&
                std::any_of(args.begin(), args.end(), [&](const QByteArray& a) { return a.endsWith(socket); }))
                ++left;
        }
        return left;
    }

    // A port nothing listens on.
    static int FreePort()
    {
        QTcpServer probe;
        probe.listen(QHostAddress::LocalHost);
        return probe.serverPort();
    }

private:
    QProcess m_process;
    int m_port;
    pid_t m_session = 0;  // gpsfake's process id, also its session's and group's
};
