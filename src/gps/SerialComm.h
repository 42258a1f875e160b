// A GPS receiver on a serial port (a tty: a serial line, a USB or Bluetooth
// receiver, a pseudo-terminal): opened exclusively, raw 8N1 at the chosen
// rate, drained without waiting. The program never writes to it.
#pragma once

#include "gps/GpsSource.h"

#include <QString>
#include <cstdint>

// The port name of a port text: a text beginning with "/" names the device
// path up to its first blank; any other names the port by its first five
// characters ("COM8:" of "COM8: Serial 8").
QString PortNameOfText(const QString& portText);
// The device a port name opens: "COMn:" (n = 1 … 9) is /dev/ttyS(n−1), a name
// beginning with "/" is that path. Empty for any other name.
QString DevicePathOfPort(const QString& portName);

class CSerialComm : public GpsSource {
public:
    CSerialComm() = default;
    ~CSerialComm() override;

    bool Open(const QString& portText, uint32_t baud) override;
    // A device gone is closed and traced once; it is opened again as soon as
    // it is back (a receiver plugged in again).
    void ProcessEvent() override;
    void Close() override;

    // Opens the port; parity 0 = none, 1 = odd, 2 = even; stop bits 0 = one,
    // 2 = two. False, with a trace line, when the port cannot be opened or
    // configured; a port opened but not configured stays held until Close.
    bool OpenPort(const QString& portName, uint32_t baudRate, uint8_t parity, uint8_t byteSize, uint8_t stopBits);
    // Reads that return at once with whatever is waiting.
    bool CookCommTimeout();
    // Raw line at the rate and frame; DTR and RTS on, no flow control. False
    // when the rate or frame is not one the port offers.
    bool CookDCB(uint32_t baudRate, uint8_t parity, uint8_t byteSize, uint8_t stopBits);

private:
    // Opens and sets up the line last asked for by OpenPort, with trace
    // lines for its failures when traced.
    bool OpenLine(bool traced);
    // True when the device has gone (a receiver unplugged, a hung-up line).
    bool HungUp() const;

    int m_hPort = -1;
    // The line OpenPort was asked for, opened again after a loss.
    QString m_portName;
    uint32_t m_baudRate = 0;
    uint8_t m_parity = 0, m_byteSize = 8, m_stopBits = 0;
};
