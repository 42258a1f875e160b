#include "gps/GpsdSource.h"

#include "base/Trace.h"

#include <algorithm>
#include <cerrno>
#include <fcntl.h>
#include <netdb.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

namespace {

// "host:port" after "gpsd:", blanks trimmed.
QString Address(const QString& portText)
{
    return portText.mid(5).trimmed();
}

// Connects within a couple of seconds, so that a gpsd that does not answer
// does not hold the window long.
int ConnectTo(const QString& host, int port)
{
    addrinfo hints{};
    hints.ai_socktype = SOCK_STREAM;
    addrinfo* found = nullptr;
    if (::getaddrinfo(host.toUtf8().constData(), QByteArray::number(port).constData(), &hints, &found) != 0)
        return -1;
    int connected = -1;
    for (addrinfo* a = found; a && connected < 0; a = a->ai_next) {
        const int fd = ::socket(a->ai_family, a->ai_socktype | SOCK_NONBLOCK | SOCK_CLOEXEC, a->ai_protocol);
        if (fd < 0)
            continue;
        if (::connect(fd, a->ai_addr, a->ai_addrlen) == 0 || errno == EINPROGRESS) {
            pollfd wait{fd, POLLOUT, 0};
            int error = 0;
            socklen_t length = sizeof error;
            if (::poll(&wait, 1, 2000) == 1 && ::getsockopt(fd, SOL_SOCKET, SO_ERROR, &error, &length) == 0 &&
                error == 0) {
                connected = fd;
                continue;
            }
        }
        ::close(fd);
    }
    ::freeaddrinfo(found);
    return connected;
}

bool SendAll(int fd, QByteArrayView bytes)
{
    while (!bytes.isEmpty()) {
        const ssize_t n = ::send(fd, bytes.data(), bytes.size(), MSG_NOSIGNAL);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0) {
            pollfd wait{fd, POLLOUT, 0};
            if (n < 0 && errno == EAGAIN && ::poll(&wait, 1, 2000) == 1)
                continue;
            return false;
        }
        bytes = bytes.sliced(n);
    }
    return true;
}

}  // namespace

bool NamesGpsd(const QString& portText)
{
    return portText.startsWith(QLatin1String("gpsd:"), Qt::CaseInsensitive);
}

QString GpsdHost(const QString& portText)
{
    const QString address = Address(portText);
    const qsizetype colon = address.lastIndexOf(u':');
    const QString host = colon < 0 ? address : address.left(colon);
    return host.isEmpty() ? QStringLiteral("localhost") : host;
}

int GpsdPort(const QString& portText)
{
    const QString address = Address(portText);
    const qsizetype colon = address.lastIndexOf(u':');
    bool ok = false;
    const int port = colon < 0 ? 0 : address.mid(colon + 1).toInt(&ok);
    return ok && port > 0 && port < 65536 ? port : GpsdSource::kDefaultPort;
}

GpsdSource::~GpsdSource()
{
    Close();
}

bool GpsdSource::Open(const QString& portText, uint32_t)
{
    m_portText = portText;
    if (!Connect()) {
        Trace("GpsdSource::Open - Unable to open %s:%d", qPrintable(GpsdHost(portText)), GpsdPort(portText));
        return false;
    }
    return true;
}

bool GpsdSource::Connect()
{
    m_socket = ConnectTo(GpsdHost(m_portText), GpsdPort(m_portText));
    if (m_socket < 0 || !SendAll(m_socket, "?WATCH={\"enable\":true,\"nmea\":true}\n")) {
        Close();
        return false;
    }
    return true;
}

void GpsdSource::ProcessEvent()
{
    constexpr const char* kWhat = "GpsdSource::ProcessEvent - connection lost";
    if (m_socket < 0) {
        if (IsLost() && ReopenDue() && Connect())
            MarkRegained("GpsdSource::ProcessEvent - connection");
        return;
    }
    // A flood from gpsd is taken a bounded block at a time, so that a drain
    // ends and Stop is never held; the rest waits in the socket.
    char bytes[4096];
    for (qsizetype taken = 0; taken < kMostBytesPerDrain;) {
        const size_t room = std::min<size_t>(sizeof bytes, kMostBytesPerDrain - taken);
        const ssize_t n = ::recv(m_socket, bytes, room, 0);
        if (n > 0) {
            ProcessBytes(QByteArrayView(bytes, n));
            taken += n;
            continue;
        }
        if (n < 0 && (errno == EAGAIN || errno == EWOULDBLOCK))
            return;
        if (n < 0 && errno == EINTR)
            continue;
        MarkLost(kWhat, n < 0 ? errno : ECONNRESET);
        Close();
        return;
    }
}

void GpsdSource::Close()
{
    if (m_socket >= 0)
        ::close(m_socket);
    m_socket = -1;
}
