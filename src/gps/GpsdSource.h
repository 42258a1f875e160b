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
    // Reads what gpsd has sent, at most kMostBytesPerDrain. A lost
    // connection is traced once and made again as soon as gpsd answers
    // (gpsd restarted).
    void ProcessEvent() override;
    void Close() override;

private:
    // Connects to the gpsd the port text named and asks for its NMEA stream.
    bool Connect();

    int m_socket = -1;
    QString m_portText;
};

// Whether a port text names gpsd, and the host and port it names.
bool NamesGpsd(const QString& portText);
QString GpsdHost(const QString& portText);
int GpsdPort(const QString& portText);
