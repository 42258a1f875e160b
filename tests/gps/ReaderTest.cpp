// The reader thread on a pseudo-terminal receiver: it drains at its pace,
// Stop returns with the thread gone, it starts again any number of times, and
// an unplugged receiver is survived.
#include "gps/GpsReader.h"
#include "gps/SerialComm.h"
#include "support/PseudoTerminal.h"
#include "support/TraceCapture.h"

#include <QTest>
#include <gtest/gtest.h>

namespace {

constexpr int kPatienceMs = 3000;

QByteArray Fix(int second)
{
    return QStringLiteral("$GPRMC,0818%1,A,1051.2148,N,10551.2148,E,000.0,360.0,130998,011.3,E")
        .arg(second, 2, 10, QLatin1Char('0'))
        .toLatin1();
}

TEST(GpsReader, StopEndsTheThreadAndStartResumesAnyNumberOfTimes)
{
    PseudoTerminal receiver;
    CSerialComm serial;
    ASSERT_TRUE(serial.OpenPort(receiver.Path(), 4800, 0, 8, 0));
    GpsReader reader(&serial);
    for (int round = 0; round < 20; ++round) {
        reader.Start();
        ASSERT_TRUE(reader.IsRunning());
        ASSERT_TRUE(receiver.Send(Fix(round) + "\r\n"));
        ASSERT_TRUE(QTest::qWaitFor([&] { return serial.LatestRmcLine() == Fix(round); }, kPatienceMs)) << round;
        reader.Stop();
        EXPECT_FALSE(reader.IsRunning());
        reader.Stop();  // a second Stop has nothing left to do
    }
    // Stopped, nothing is read: the bytes wait in the tty for the next Start.
    ASSERT_TRUE(receiver.Send(Fix(59) + "\r\n"));
    QTest::qWait(3 * GpsReader::kPace.count());
    EXPECT_EQ(serial.LatestRmcLine(), Fix(19));
    reader.Start();
    EXPECT_TRUE(QTest::qWaitFor([&] { return serial.LatestRmcLine() == Fix(59); }, kPatienceMs));
    reader.Stop();
    // With the thread gone the owner closes the port, free for anyone at once.
    serial.Close();
    EXPECT_EQ(OpenAsAnotherProgram(receiver.Path()), 0);
}

TEST(GpsReader, AnUnpluggedReceiverIsTracedOnceAndSurvived)
{
    PseudoTerminal receiver;
    CSerialComm serial;
    ASSERT_TRUE(serial.OpenPort(receiver.Path(), 4800, 0, 8, 0));
    TraceCapture trace;
    GpsReader reader(&serial);
    reader.Start();
    ASSERT_TRUE(receiver.Send(Fix(1) + "\r\n"));
    ASSERT_TRUE(QTest::qWaitFor([&] { return serial.LatestRmcLine() == Fix(1); }, kPatienceMs));
    EXPECT_EQ(trace.Count("ErrCode"), 0);

    receiver.Unplug();
    EXPECT_TRUE(QTest::qWaitFor([&] { return serial.IsLost(); }, kPatienceMs));
    // One line for the loss, not one a drain, while the reader goes on
    // trying the port again.
    QTest::qWait(1500);
    EXPECT_EQ(trace.Lines(), QStringList{"\n CSerialComm::ProcessEvent - [ErrCode: 5]"});
    EXPECT_TRUE(reader.IsRunning());
    reader.Stop();
    EXPECT_FALSE(reader.IsRunning());
    // What was received before stays readable.
    EXPECT_EQ(serial.LatestRmcLine(), Fix(1));
}

TEST(GpsReader, WithoutASourceThereIsNoThread)
{
    TraceCapture trace;
    GpsReader reader(nullptr);
    reader.Start();
    EXPECT_FALSE(reader.IsRunning());
    reader.Stop();
    EXPECT_EQ(trace.Lines(), QStringList{"\n SerialComm is NULL"});
}

}  // namespace
