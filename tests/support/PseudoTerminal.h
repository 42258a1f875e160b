// A pseudo-terminal standing in for a receiver on a serial port: the program
// opens the slave end by its path, as it would a USB receiver's tty, and the
// test writes the receiver's bytes into the master end.
#pragma once

#include <QByteArray>
#include <QString>

#include <cerrno>
#include <fcntl.h>
#include <linux/capability.h>
#include <pty.h>
#include <sys/syscall.h>
#include <sys/wait.h>
#include <termios.h>
#include <unistd.h>

class PseudoTerminal {
public:
    PseudoTerminal()
    {
        char name[256] = {};
        if (::openpty(&m_master, &m_slave, name, nullptr, nullptr) == 0)
            m_path = QString::fromLocal8Bit(name);
    }
    ~PseudoTerminal()
    {
        Unplug();
        if (m_slave >= 0)
            ::close(m_slave);
    }
    PseudoTerminal(const PseudoTerminal&) = delete;
    PseudoTerminal& operator=(const PseudoTerminal&) = delete;

    // The device path, e.g. "/dev/pts/3".
    QString Path() const { return m_path; }
    bool IsOpen() const { return m_master >= 0; }
    // The line settings the tty holds now, whoever set them.
    termios Settings() const
    {
        termios t{};
        ::tcgetattr(m_slave, &t);
        return t;
    }

    // What the receiver sends; true when every byte went in.
    bool Send(const QByteArray& bytes) const
    {
        qsizetype done = 0;
        while (done < bytes.size()) {
            const ssize_t n = ::write(m_master, bytes.constData() + done, bytes.size() - done);
            if (n < 0 && errno == EINTR)
                continue;
            if (n <= 0)
                return false;
            done += n;
        }
        return true;
    }

    // The receiver goes away: reads of the slave fail from now on.
    void Unplug()
    {
        if (m_master >= 0)
            ::close(m_master);
        m_master = -1;
    }

private:
    int m_master = -1;
    int m_slave = -1;  // kept open so the device stays while the program reopens it
    QString m_path;
};

// Tries to open a device as another, unprivileged program would (root's
// CAP_SYS_ADMIN would let it past an exclusive open). 0 when it opened, else
// the errno of the open.
inline int OpenAsAnotherProgram(const QString& path)
{
    const QByteArray device = path.toLocal8Bit();
    const pid_t child = ::fork();
    if (child == 0) {
        __user_cap_header_struct header{_LINUX_CAPABILITY_VERSION_3, 0};
        __user_cap_data_struct caps[2] = {};
        ::syscall(SYS_capget, &header, caps);
        caps[CAP_SYS_ADMIN / 32].effective &= ~(1u << (CAP_SYS_ADMIN % 32));
        ::syscall(SYS_capset, &header, caps);
        const int fd = ::open(device.constData(), O_RDWR | O_NOCTTY | O_NONBLOCK);
        ::_exit(fd >= 0 ? 0 : errno);
    }
    int status = 0;
    ::waitpid(child, &status, 0);
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}
