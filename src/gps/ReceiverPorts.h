// The ports the GPS set-up offers: the nine serial ports of the handheld, and
// the receivers present now as Linux devices (USB serial, USB modem class and
// Bluetooth serial), each with its stable name where the system gives one.
#pragma once

#include <QString>
#include <QStringList>

// Where receivers are looked for; tests point these at a folder of their own.
struct ReceiverFolders {
    QString devices = QStringLiteral("/dev");
    QString byId = QStringLiteral("/dev/serial/by-id");
};

// "COM1: Serial" … "COM9: SerialUSB".
QStringList SerialPortEntries();

// One entry per /dev/ttyUSB*, /dev/ttyACM* and /dev/rfcomm* present: its path,
// then a blank and its name in /dev/serial/by-id when a link there leads to
// it ("/dev/ttyACM0 usb-u-blox_AG_u-blox_7_GPS-if00").
QStringList ReceiverPortEntries(const ReceiverFolders& folders = {});
