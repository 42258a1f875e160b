// The receivers offered beside the nine serial ports: USB, USB modem class
// and Bluetooth serial devices present now, with their stable names.
#include "gps/ReceiverPorts.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

TEST(ReceiverPorts, ReceiversArePathsWithTheirStableNames)
{
    QTemporaryDir dev;
    const QDir root(dev.path());
    for (const char* name : {"ttyACM0", "ttyUSB0", "ttyUSB1", "rfcomm0", "ttyS0", "tty1", "ttyAMA0", "null"})
        QFile(root.filePath(QString::fromLatin1(name))).open(QIODevice::WriteOnly);
    root.mkpath("serial/by-id");
    // The system's links are relative: ../../ttyACM0.
    QFile::link("../../ttyACM0", root.filePath("serial/by-id/usb-u-blox_AG_-_www.u-blox.com_u-blox_7-if00"));
    QFile::link("../../ttyUSB1", root.filePath("serial/by-id/usb-Prolific_USB-Serial_Controller-if00-port0"));
    QFile::link("../../gone", root.filePath("serial/by-id/usb-unplugged-if00"));

    const ReceiverFolders folders{dev.path(), root.filePath("serial/by-id")};
    EXPECT_EQ(ReceiverPortEntries(folders),
              (QStringList{root.filePath("rfcomm0"),
                           root.filePath("ttyACM0") + " usb-u-blox_AG_-_www.u-blox.com_u-blox_7-if00",
                           root.filePath("ttyUSB0"),
                           root.filePath("ttyUSB1") + " usb-Prolific_USB-Serial_Controller-if00-port0"}));
    // No by-id folder (no USB receiver ever plugged in), or no devices at all.
    EXPECT_EQ(ReceiverPortEntries({dev.path(), root.filePath("nowhere")}).size(), 4);
    EXPECT_TRUE(ReceiverPortEntries({root.filePath("serial"), root.filePath("serial/by-id")}).isEmpty());
}

}  // namespace
