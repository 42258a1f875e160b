#include "gps/ReceiverPorts.h"

#include <QDir>
#include <QFileInfo>

QStringList SerialPortEntries()
{
    return {QStringLiteral("COM1: Serial"),      QStringLiteral("COM2: Serial_FIR"), QStringLiteral("COM3: IrCOMM"),
            QStringLiteral("COM4: Serial_BTUR"), QStringLiteral("COM5: Serial 5"),   QStringLiteral("COM6: Serial 6"),
            QStringLiteral("COM7: Serial 7"),    QStringLiteral("COM8: Serial 8"),   QStringLiteral("COM9: SerialUSB")};
}

QStringList ReceiverPortEntries(const ReceiverFolders& folders)
{
    const QFileInfoList links = QDir(folders.byId).entryInfoList(QDir::System | QDir::Files, QDir::Name);
    const QStringList patterns = {QStringLiteral("ttyUSB*"), QStringLiteral("ttyACM*"), QStringLiteral("rfcomm*")};
    QStringList entries;
    for (const QFileInfo& device :
         QDir(folders.devices).entryInfoList(patterns, QDir::System | QDir::Files, QDir::Name)) {
        QString entry = device.absoluteFilePath();
        for (const QFileInfo& link : links) {
            if (link.isSymLink() && link.canonicalFilePath() == device.canonicalFilePath()) {
                entry += u' ' + link.fileName();
                break;
            }
        }
        entries << entry;
    }
    return entries;
}
