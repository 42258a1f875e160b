// Positions from gpsd, the daemon that owns a Linux system's receivers: a TCP
// connection asks it for its NMEA stream, whose bytes take the same way as a
// receiver's.
#pragma once

#include "gps/GpsSource.h"

#include <QString>

class GpsdSource : public GpsSource {
public:
    static constexpr int kDefaultPort = 2947;
    // Far more than any receiver sends between two drains (a tenth of a
    // second), so a drain keeps up with gpsd and still ends in a flood.
    static constexpr qsizetype kMostBytesPerDrain = 64 * 1024;

    ~GpsdSource() override;

    // The port text "gpsd:" and optionally "host:port" (localhost:2947 when
    // left out). False, with a trace line, when gpsd does not answer there.
    bool Open(const QString& portText, uint32_t baud) override;
    // Reads what gpsd has sent, at most kMostBytesPerDrain; a lost
    // connection writes a trace line at each drain and is otherwise
    // survived, like an unplugged receiver.
    void ProcessEvent() override;
    void Close() override;

private:
    int m_socket = -1;
};

// Whether a port text names gpsd, and the host and port it names.
bool NamesGpsd(const QString& portText);
QString GpsdHost(const QString& portText);
int GpsdPort(const QString& portText);
