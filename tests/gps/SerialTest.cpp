// The serial receiver on a pseudo-terminal: port names, the line settings the
// program leaves on the tty, exclusive use, refused rates, and bytes from the
// other end reaching the rings through the tty.
#include "gps/SerialComm.h"
#include "support/PseudoTerminal.h"
#include "support/TraceCapture.h"

#include <gtest/gtest.h>
#include <termios.h>

namespace {

const QByteArray kFix = "$GPRMC,081836,A,1051.2148,N,10551.2148,E,000.0,360.0,130998,011.3,E*7B";

TEST(SerialPort, PortTextsNameDevices)
{
    EXPECT_EQ(PortNameOfText(QStringLiteral("COM8: Serial 8")), QStringLiteral("COM8:"));
    EXPECT_EQ(PortNameOfText(QStringLiteral("/dev/ttyACM0 usb-u-blox_7-if00")), QStringLiteral("/dev/ttyACM0"));
    EXPECT_EQ(PortNameOfText(QStringLiteral("/dev/ttyUSB1")), QStringLiteral("/dev/ttyUSB1"));
    EXPECT_EQ(DevicePathOfPort(QStringLiteral("COM8:")), QStringLiteral("/dev/ttyS7"));
    EXPECT_EQ(DevicePathOfPort(QStringLiteral("COM1:")), QStringLiteral("/dev/ttyS0"));
    EXPECT_EQ(DevicePathOfPort(QStringLiteral("/dev/ttyACM0")), QStringLiteral("/dev/ttyACM0"));
    for (const char* name : {"COM0:", "COMx:", "COM1", "gpsd:", "ttyS0", ""})
        EXPECT_TRUE(DevicePathOfPort(QString::fromLatin1(name)).isEmpty()) << name;
}

TEST(SerialPort, APortThatIsNotThereIsTracedAndRefused)
{
    TraceCapture trace;
    CSerialComm serial;
    EXPECT_FALSE(serial.OpenPort(QStringLiteral("/dev/korvane-no-such-port"), 4800, 0, 8, 0));
    EXPECT_FALSE(serial.Open(QStringLiteral("gpsd: localhost:2947"), 4800));
    EXPECT_EQ(trace.Lines(), (QStringList{"CSerialComm::OpenPort - Unable to open /dev/korvane-no-such-port",
                                          "CSerialComm::OpenPort - Unable to open gpsd:"}));
    // Never opened: a drain reads nothing and nothing has arrived.
    serial.ProcessEvent();
    EXPECT_TRUE(serial.LatestLine().isEmpty());
    EXPECT_TRUE(serial.LatestRmcLine().isEmpty());
}

TEST(SerialPort, TheTtyIsLeftRaw8N1AtTheRateWithReadsThatNeverWait)
{
    PseudoTerminal receiver;
    ASSERT_TRUE(receiver.IsOpen());
    for (const auto& [baud, speed] : {std::pair{4800u, B4800}, {9600u, B9600}, {115200u, B115200}}) {
        CSerialComm serial;
        ASSERT_TRUE(serial.Open(receiver.Path() + " receiver", baud));
        const termios t = receiver.Settings();
        EXPECT_EQ(::cfgetispeed(&t), speed);
        EXPECT_EQ(::cfgetospeed(&t), speed);
        EXPECT_EQ(t.c_cflag & CSIZE, tcflag_t(CS8));
        EXPECT_EQ(t.c_cflag & (PARENB | CSTOPB | CRTSCTS), 0u);
        EXPECT_EQ(t.c_cflag & (CLOCAL | CREAD), tcflag_t(CLOCAL | CREAD));
        EXPECT_EQ(t.c_lflag & (ICANON | ECHO | ISIG | IEXTEN), 0u);
        EXPECT_EQ(t.c_iflag & (IXON | IXOFF | ICRNL | IGNCR | INLCR | ISTRIP), 0u);
        EXPECT_EQ(t.c_oflag & OPOST, 0u);
        EXPECT_EQ(t.c_cc[VMIN], 0);
        EXPECT_EQ(t.c_cc[VTIME], 0);
    }
}

TEST(SerialPort, BytesFromTheReceiverReachTheRingsUntranslated)
{
    PseudoTerminal receiver;
    CSerialComm serial;
    ASSERT_TRUE(serial.OpenPort(receiver.Path(), 4800, 0, 8, 0));
    // Nothing waiting: the drain returns at once.
    serial.ProcessEvent();
    EXPECT_TRUE(serial.LatestLine().isEmpty());
    // A cooked tty would turn CR into LF (and then make no empty line of
    // the second CR) and strip the eighth bit.
    ASSERT_TRUE(receiver.Send("$GPTXT,caf\xc3\xa9\r\r" + kFix + "\r\n"));
    ::usleep(50000);
    serial.ProcessEvent();
    EXPECT_EQ(serial.LatestLine(), QString::fromLatin1(kFix));
    EXPECT_EQ(serial.LatestRmcLine(), QString::fromLatin1(kFix));
    ASSERT_TRUE(receiver.Send("$GPTXT,caf\xc3\xa9\r\r"));
    ::usleep(50000);
    serial.ProcessEvent();
    EXPECT_TRUE(serial.LatestLine().isEmpty());
    ASSERT_TRUE(receiver.Send("$GPTXT,caf\xc3\xa9\r"));
    ::usleep(50000);
    serial.ProcessEvent();
    EXPECT_EQ(serial.LatestLine(), QStringLiteral("$GPTXT,café"));
}

TEST(SerialPort, NoOtherProgramOpensThePortWhileItIsHeld)
{
    PseudoTerminal receiver;
    TraceCapture trace;
    {
        CSerialComm serial;
        ASSERT_TRUE(serial.OpenPort(receiver.Path(), 4800, 0, 8, 0));
        CSerialComm second;
        EXPECT_FALSE(second.OpenPort(receiver.Path(), 4800, 0, 8, 0));
        EXPECT_EQ(trace.Count("CSerialComm::OpenPort - Unable to open " + receiver.Path()), 1);
        EXPECT_EQ(OpenAsAnotherProgram(receiver.Path()), EBUSY);
        serial.Close();
        EXPECT_EQ(OpenAsAnotherProgram(receiver.Path()), 0);
        EXPECT_TRUE(second.OpenPort(receiver.Path(), 4800, 0, 8, 0));
    }
    // The destructor closed it too.
    EXPECT_EQ(OpenAsAnotherProgram(receiver.Path()), 0);
}

TEST(SerialPort, RatesAndFramesTheTtyDoesNotOfferAreRefusedAndLeaveThePortFree)
{
    PseudoTerminal receiver;
    TraceCapture trace;
    struct Case {
        uint32_t baud;
        uint8_t parity, byteSize, stopBits;
    };
    // 14400 is in the rate list but not a termios rate; 0 is what a rate text
    // without digits gives.
    for (const Case& c : {Case{14400, 0, 8, 0}, Case{0, 0, 8, 0}, Case{12345, 0, 8, 0}, Case{4800, 3, 8, 0},
                          Case{4800, 0, 9, 0}, Case{4800, 0, 8, 1}}) {
        CSerialComm serial;
        EXPECT_FALSE(serial.OpenPort(receiver.Path(), c.baud, c.parity, c.byteSize, c.stopBits)) << c.baud;
        serial.Close();
        EXPECT_EQ(OpenAsAnotherProgram(receiver.Path()), 0);
    }
    EXPECT_EQ(trace.Count("Time out " + receiver.Path()), 6);
    // A regular file is no tty.
    CSerialComm file;
    EXPECT_FALSE(file.OpenPort(QStringLiteral(KORVANE_SOURCE_DIR "/CMakeLists.txt"), 4800, 0, 8, 0));
    EXPECT_EQ(trace.Count("CSerialComm::CookCommTimeout - Unable to get COMMTIMEOUTS setting"), 1);
    // Odd and even parity, seven bits, two stop bits are offered.
    CSerialComm framed;
    EXPECT_TRUE(framed.OpenPort(receiver.Path(), 9600, 2, 7, 2));
}

}  // namespace
