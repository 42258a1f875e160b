#include "gps/GpsSources.h"

#include "gps/GpsdSource.h"
#include "gps/NmeaLogSource.h"
#include "gps/SerialComm.h"

#include <QFileInfo>

const QString kGpsdEntry = QStringLiteral("gpsd: localhost:2947");
const QString kLogEntry = QStringLiteral("Tệp NMEA…");
const QString kSimulationEntry = QStringLiteral("Mô phỏng theo lộ trình");

QStringList OtherSourceEntries()
{
    return {kGpsdEntry, kLogEntry, kSimulationEntry};
}

std::unique_ptr<GpsSource> MakeGpsSource(const QString& portText, const std::function<DriveRoute()>& routeToDrive)
{
    if (NamesGpsd(portText))
        return std::make_unique<GpsdSource>();
    if (portText.startsWith(kSimulationEntry, Qt::CaseInsensitive))
        return std::make_unique<SimulatedDrive>(routeToDrive ? routeToDrive() : DriveRoute{});
    if (QFileInfo(portText).isFile())
        return std::make_unique<NmeaLogSource>();
    return std::make_unique<CSerialComm>();
}
