#include "gps/SerialComm.h"

#include "base/Trace.h"

#include <array>
#include <cerrno>
#include <fcntl.h>
#include <poll.h>
#include <sys/file.h>
#include <sys/ioctl.h>
#include <termios.h>
#include <unistd.h>

namespace {

struct LineRate {
    uint32_t baud;
    speed_t speed;
};

// The rates termios offers; B0 is no rate (it hangs the line up).
constexpr std::array<LineRate, 30> kRates = {{
    {50, B50},           {75, B75},           {110, B110},         {134, B134},         {150, B150},
    {200, B200},         {300, B300},         {600, B600},         {1200, B1200},       {1800, B1800},
    {2400, B2400},       {4800, B4800},       {9600, B9600},       {19200, B19200},     {38400, B38400},
    {57600, B57600},     {115200, B115200},   {230400, B230400},   {460800, B460800},   {500000, B500000},
    {576000, B576000},   {921600, B921600},   {1000000, B1000000}, {1152000, B1152000}, {1500000, B1500000},
    {2000000, B2000000}, {2500000, B2500000}, {3000000, B3000000}, {3500000, B3500000}, {4000000, B4000000},
}};

// The termios rate of a baud rate, or B0 when termios offers none.
speed_t TermiosSpeed(uint32_t baud)
{
    for (const LineRate& rate : kRates) {
        if (rate.baud == baud)
            return rate.speed;
    }
    return B0;
}

bool SetFrame(termios& t, uint8_t parity, uint8_t byteSize, uint8_t stopBits)
{
    constexpr std::array<tcflag_t, 4> kSizes = {CS5, CS6, CS7, CS8};
    if (byteSize < 5 || byteSize > 8 || parity > 2 || (stopBits != 0 && stopBits != 2))
        return false;
    t.c_cflag &= ~(CSIZE | PARENB | PARODD | CSTOPB | CRTSCTS);
    t.c_cflag |= kSizes[byteSize - 5] | CLOCAL | CREAD;
    if (parity != 0)
        t.c_cflag |= PARENB | (parity == 1 ? PARODD : 0);
    if (stopBits == 2)
        t.c_cflag |= CSTOPB;
    return true;
}

// Raw bytes in: no line editing, echo, signals or translation; no XON/XOFF.
void SetRaw(termios& t)
{
    t.c_iflag &= ~(IGNBRK | BRKINT | PARMRK | ISTRIP | INLCR | IGNCR | ICRNL | IXON | IXOFF | IXANY);
    t.c_oflag &= ~OPOST;
    t.c_lflag &= ~(ECHO | ECHONL | ICANON | ISIG | IEXTEN);
}

}  // namespace

QString PortNameOfText(const QString& portText)
{
    if (portText.startsWith(u'/'))
        return portText.section(u' ', 0, 0);
    return portText.left(5);
}

QString DevicePathOfPort(const QString& portName)
{
    if (portName.startsWith(u'/'))
        return portName;
    if (portName.size() == 5 && portName.startsWith(u"COM") && portName[3] >= u'1' && portName[3] <= u'9' &&
        portName[4] == u':')
        return QStringLiteral("/dev/ttyS%1").arg(portName[3].unicode() - u'1');
    return {};
}

CSerialComm::~CSerialComm()
{
    Close();
}

bool CSerialComm::Open(const QString& portText, uint32_t baud)
{
    return OpenPort(PortNameOfText(portText), baud, 0, 8, 0);
}

bool CSerialComm::OpenPort(const QString& portName, uint32_t baudRate, uint8_t parity, uint8_t byteSize,
                           uint8_t stopBits)
{
    m_portName = portName;
    m_baudRate = baudRate;
    m_parity = parity;
    m_byteSize = byteSize;
    m_stopBits = stopBits;
    return OpenLine(true);
}

bool CSerialComm::OpenLine(bool traced)
{
    Close();
    const QString& portName = m_portName;
    const QByteArray path = DevicePathOfPort(portName).toLocal8Bit();
    // Not waiting for a carrier while opening; the reads are made to wait
    // for nothing by the time-outs below.
    m_hPort = path.isEmpty() ? -1 : ::open(path.constData(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    // No sharing: the lock keeps out every other opener that locks (as this
    // program does, even as root), TIOCEXCL every other unprivileged one.
    if (m_hPort >= 0 && ::flock(m_hPort, LOCK_EX | LOCK_NB) != 0) {
        ::close(m_hPort);  // not Close: the holder's exclusive mark stays
        m_hPort = -1;
    }
    if (m_hPort < 0) {
        if (traced)
            Trace("CSerialComm::OpenPort - Unable to open %s", qPrintable(portName));
        return false;
    }
    ::ioctl(m_hPort, TIOCEXCL);
    if (!CookCommTimeout() || !CookDCB(m_baudRate, m_parity, m_byteSize, m_stopBits)) {
        if (traced)
            Trace("Time out %s", qPrintable(portName));
        return false;
    }
    ::fcntl(m_hPort, F_SETFL, ::fcntl(m_hPort, F_GETFL) & ~O_NONBLOCK);
    // The settings are in force when tcsetattr returns: nothing to wait for
    // before the first read.
    return true;
}

bool CSerialComm::CookCommTimeout()
{
    termios t{};
    if (::tcgetattr(m_hPort, &t) != 0) {
        Trace("\n CSerialComm::CookCommTimeout - Unable to get COMMTIMEOUTS setting");
        return false;
    }
    t.c_cc[VMIN] = 0;
    t.c_cc[VTIME] = 0;
    if (::tcsetattr(m_hPort, TCSANOW, &t) != 0) {
        Trace("\n CSerialComm::CookCommTimeout - Unable to set COMMTIMEOUTS setting");
        return false;
    }
    return true;
}

bool CSerialComm::CookDCB(uint32_t baudRate, uint8_t parity, uint8_t byteSize, uint8_t stopBits)
{
    termios t{};
    if (::tcgetattr(m_hPort, &t) != 0) {
        Trace("\n CSerialComm::CookDCB - Unable to get DCB setting");
        return false;
    }
    const speed_t speed = TermiosSpeed(baudRate);
    if (speed == B0 || !SetFrame(t, parity, byteSize, stopBits))
        return false;
    SetRaw(t);
    ::cfsetispeed(&t, speed);
    ::cfsetospeed(&t, speed);
    termios applied{};
    // tcsetattr succeeds when any part applies: read back what the driver took.
    if (::tcsetattr(m_hPort, TCSANOW, &t) != 0 || ::tcgetattr(m_hPort, &applied) != 0 ||
        ::cfgetospeed(&applied) != speed)
        return false;
    // Lines without modem control (a pseudo-terminal) refuse this; they need
    // no DTR or RTS.
    const int lines = TIOCM_DTR | TIOCM_RTS;
    ::ioctl(m_hPort, TIOCMBIS, &lines);
    return true;
}

void CSerialComm::ProcessEvent()
{
    constexpr const char* kWhat = "CSerialComm::ProcessEvent -";
    if (m_hPort < 0) {
        if (!IsLost() || !ReopenDue())
            return;
        if (OpenLine(false))
            MarkRegained(kWhat);
        else
            Close();  // a line that opened but would not take its settings
        return;
    }
    char bytes[256];
    for (;;) {
        const ssize_t n = ::read(m_hPort, bytes, sizeof bytes);
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0 && errno == EAGAIN)
            return;
        if (n < 0 || (n == 0 && HungUp())) {
            MarkLost(kWhat, n < 0 ? errno : EIO);
            Close();
            return;
        }
        ProcessBytes(QByteArrayView(bytes, n));
        // A short read emptied what the driver held.
        if (n < static_cast<ssize_t>(sizeof bytes))
            return;
    }
}

bool CSerialComm::HungUp() const
{
    pollfd port{m_hPort, POLLIN, 0};
    return ::poll(&port, 1, 0) > 0 && (port.revents & (POLLHUP | POLLERR | POLLNVAL)) != 0;
}

void CSerialComm::Close()
{
    if (m_hPort < 0)
        return;
    // The tty keeps its exclusive mark while anyone else holds it open.
    ::ioctl(m_hPort, TIOCNXCL);
    ::close(m_hPort);
    m_hPort = -1;
}
