// The sources the GPS set-up offers beside the serial ports, and the source a
// port text opens: gpsd, a recorded log, a simulated drive along the route,
// or a serial port.
#pragma once

#include "gps/GpsSource.h"
#include "gps/SimulatedDrive.h"

#include <QString>
#include <QStringList>
#include <functional>
#include <memory>

extern const QString kGpsdEntry;        // "gpsd: localhost:2947"
extern const QString kLogEntry;         // "Tệp NMEA…": opens the file dialog
extern const QString kSimulationEntry;  // "Mô phỏng theo lộ trình"

// The entries of the port list after the serial ports and receivers.
QStringList OtherSourceEntries();

// The source for a port text: gpsd for "gpsd:…", the simulated drive for the
// simulation's entry (driving the route the function gives), a recorded log
// for the path of a regular file, else a serial port.
std::unique_ptr<GpsSource> MakeGpsSource(const QString& portText, const std::function<DriveRoute()>& routeToDrive);
