// GPS sources without a serial cable: a recorded log replayed at its pace, a
// simulated drive along a route, and a real gpsd (started by gpsfake), all
// through the same line collection as a receiver.
#include "gps/GpsDisplay.h"
#include "gps/GpsSources.h"
#include "gps/GpsdSource.h"
#include "gps/NmeaLogSource.h"
#include "gps/Nmea.h"
#include "gps/SimulatedDrive.h"
#include "support/DeviceRoot.h"
#include "support/GpsFake.h"
#include "support/TraceCapture.h"

#include <QBuffer>
#include <QRandomGenerator>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTest>
#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/socket.h>

namespace {

// A clock the test moves.
struct StepClock {
    double now = 1000;
    SourceClock Clock()
    {
        return [this] { return now; };
    }
};

QByteArray Rmc(const char* time, GpsPosition p)
{
    QByteArray line = NmeaParser::RmcSentence(p, 0);
    line.replace(7, 9, time);  // the time field, as the receiver wrote it
    line.chop(3);              // the checksum no longer holds: none is sent
    return line;
}

// A log cut as the replay reads it.
std::vector<LogEpochReader::Epoch> EpochsOf(QByteArray log)
{
    QBuffer device(&log);
    device.open(QIODevice::ReadOnly);
    LogEpochReader reader(device);
    std::vector<LogEpochReader::Epoch> epochs;
    for (LogEpochReader::Epoch epoch; reader.Next(epoch);)
        epochs.push_back(epoch);
    return epochs;
}

TEST(NmeaLog, FixesComeAtThePaceTheirTimesGiveAndTheLogStartsAgain)
{
    TempDeviceRoot root;
    const GpsPosition a{63500000, -12600000}, b{63500100, -12600100}, c{63500200, -12600200};
    const QByteArray log = "$GPGGA,first\r\n" + Rmc("080000.00", a) + "\r\n$GPGSV,x\n" + Rmc("080002.50", b) +
                           "\r\n" + Rmc("075959.00", c) + "\n$GPGSA,tail\r\n";
    root.Write("drive.nmea", log);
    const auto epochs = EpochsOf(log);
    ASSERT_EQ(epochs.size(), 4u);
    EXPECT_EQ(epochs[0].bytes, "$GPGGA,first\r\n" + Rmc("080000.00", a) + "\r\n");
    // 2.5 s apart by their times; a time going back counts one second; the
    // lines after the last fix follow a second later.
    EXPECT_DOUBLE_EQ(epochs[1].due, 2.5);
    EXPECT_DOUBLE_EQ(epochs[2].due, 3.5);
    EXPECT_DOUBLE_EQ(epochs[3].due, 4.5);

    StepClock clock;
    NmeaLogSource source(clock.Clock());
    ASSERT_TRUE(source.Open(root.Path("drive.nmea"), 4800));
    source.ProcessEvent();
    EXPECT_EQ(NmeaParser::RmcPosition(source.LatestRmcLine()), a);
    clock.now += 2.4;
    source.ProcessEvent();
    EXPECT_EQ(NmeaParser::RmcPosition(source.LatestRmcLine()), a);
    clock.now += 0.2;
    source.ProcessEvent();
    EXPECT_EQ(NmeaParser::RmcPosition(source.LatestRmcLine()), b);
    clock.now += 1.0;
    source.ProcessEvent();
    EXPECT_EQ(NmeaParser::RmcPosition(source.LatestRmcLine()), c);
    clock.now += 1.0;
    source.ProcessEvent();
    EXPECT_EQ(source.LatestLine(), QStringLiteral("$GPGSA,tail"));
    // One pass lasts 5.5 s: then the first fix again.
    clock.now += 1.0;
    source.ProcessEvent();
    EXPECT_EQ(NmeaParser::RmcPosition(source.LatestRmcLine()), a);
}

TEST(NmeaLog, EmptyOrMissingLogsAreRefusedBinaryOnesReplayedWithoutHarm)
{
    TempDeviceRoot root;
    StepClock clock;
    root.Write("empty.nmea", "");
    EXPECT_FALSE(NmeaLogSource(clock.Clock()).Open(root.Path("empty.nmea"), 0));
    EXPECT_FALSE(NmeaLogSource(clock.Clock()).Open(root.Path("missing.nmea"), 0));
    QByteArray noise(200000, Qt::Uninitialized);
    for (char& c : noise)
        c = char(QRandomGenerator::global()->bounded(256));
    root.Write("noise.nmea", noise);
    NmeaLogSource source(clock.Clock());
    ASSERT_TRUE(source.Open(root.Path("noise.nmea"), 0));
    for (int i = 0; i < 5; ++i, clock.now += 7)
        source.ProcessEvent();
    EXPECT_TRUE(source.LatestRmcLine().isEmpty() || NmeaParser::IsRmcSentence(source.LatestRmcLine()));
}

TEST(NmeaLog, ALogIsReadInBoundedPiecesAndAFixAfterOtherBytesEndsItsPiece)
{
    // A binary stretch without a line end is cut into pieces that hold each
    // byte once; the fix that follows junk on its line ends the next piece.
    QByteArray binary(150000, 'x');
    for (int i = 0; i < binary.size(); ++i)
        binary[i] = char(i * 7 % 251 + 1) == '\n' ? 0 : char(i * 7 % 251 + 1);
    const QByteArray fix = QByteArray("\xb5\x62\0", 3) + "$GNRMC,080001.00,A,1051.2148,N,10551.2148,E,,,010124,,,A\r\n";
    const QByteArray log = binary + "\n" + fix + Rmc("080003.00", {63500000, -12600000}) + "\n";
    const auto epochs = EpochsOf(log);
    QByteArray joined;
    for (const auto& epoch : epochs) {
        EXPECT_LE(epoch.bytes.size(), LogEpochReader::kMostBytes);
        joined += epoch.bytes;
    }
    EXPECT_EQ(joined, log);
    // Two full pieces of the binary stretch, its rest with the first fix,
    // then the second fix, two seconds later by their times.
    ASSERT_EQ(epochs.size(), 4u);
    EXPECT_TRUE(epochs[2].bytes.endsWith(fix));
    EXPECT_DOUBLE_EQ(epochs[3].due - epochs[2].due, 2.0);
}

TEST(SimulatedDrive, DrivesTheRouteAtItsSpeedAndStopsAtTheDestination)
{
    // An L of 300 + 400 map units; one unit is a metre (SCALE 1000), so at
    // 36 km/h the drive goes 10 units a second.
    DriveRoute route;
    route.points = {{1000, 1000}, {1300, 1000}, {1300, 1400}};
    UseDefaultGpsCalibration(route.calibration);
    route.mapScale = 1000;
    StepClock clock;
    EXPECT_FALSE(SimulatedDrive(DriveRoute{}, clock.Clock()).Open(kSimulationEntry, 0));
    SimulatedDrive drive(route, clock.Clock());
    ASSERT_TRUE(drive.Open(kSimulationEntry + " 36", 0));
    EXPECT_DOUBLE_EQ(SimulationSpeed(kSimulationEntry), SimulatedDrive::kDefaultKmh);
    const auto position = [&] {
        const GpsPosition gps = NmeaParser::RmcPosition(drive.LatestRmcLine());
        return GpsToMap(gps.x, gps.y, route.calibration);
    };
    const auto near = [](MapPoint a, MapPoint b) { return std::abs(a.x - b.x) <= 1 && std::abs(a.y - b.y) <= 1; };
    drive.ProcessEvent();
    EXPECT_TRUE(near(position(), {1000, 1000}));
    clock.now += 20.5;  // 200 units along the first leg
    drive.ProcessEvent();
    EXPECT_TRUE(near(position(), {1200, 1000}));
    clock.now += 20;  // round the corner, 100 down the second leg
    drive.ProcessEvent();
    EXPECT_TRUE(near(position(), {1300, 1100}));
    EXPECT_FALSE(NmeaParser::ChecksumIsWrong(drive.LatestRmcLine().toLatin1()));
    clock.now += 1000;  // long past the end: standing at the destination
    drive.ProcessEvent();
    drive.ProcessEvent();
    EXPECT_TRUE(near(position(), {1300, 1400}));
    EXPECT_EQ(NmeaParser::RmcField(drive.LatestRmcLine(), 7), QStringLiteral("0.0"));
}

TEST(SourceChoice, ThePortTextNamesTheSource)
{
    TempDeviceRoot root;
    root.Write("log.nmea", "$GPRMC\r\n");
    EXPECT_TRUE(dynamic_cast<GpsdSource*>(MakeGpsSource(QStringLiteral("gpsd: localhost:2947"), {}).get()));
    EXPECT_TRUE(dynamic_cast<SimulatedDrive*>(MakeGpsSource(kSimulationEntry + " 60", {}).get()));
    EXPECT_TRUE(dynamic_cast<NmeaLogSource*>(MakeGpsSource(root.Path("log.nmea"), {}).get()));
    EXPECT_EQ(GpsdHost(QStringLiteral("gpsd: 10.0.0.7:3000")), QStringLiteral("10.0.0.7"));
    EXPECT_EQ(GpsdPort(QStringLiteral("gpsd: 10.0.0.7:3000")), 3000);
    EXPECT_EQ(GpsdHost(QStringLiteral("gpsd:")), QStringLiteral("localhost"));
    EXPECT_EQ(GpsdPort(QStringLiteral("gpsd:")), 2947);
}

bool Drains(GpsSource& source, const std::function<bool()>& until)
{
    return QTest::qWaitFor([&] {
        source.ProcessEvent();
        return until();
    }, 15000);
}

TEST(Gpsd, ARealGpsdStreamsTheLogsSentencesAndALostConnectionIsSurvived)
{
    GpsFake gpsfake({QStringLiteral("-q"), QStringLiteral("-1"), QStringLiteral("-c"), QStringLiteral("0.1")},
                    QStringLiteral(KORVANE_SOURCE_DIR "/tests/data/nmea/et-332.log"));
    ASSERT_TRUE(gpsfake.Started()) << "gpsfake is installed by scripts/install-deps.sh";
    GpsdSource source;
    const QString portText = QStringLiteral("gpsd: localhost:%1").arg(gpsfake.Port());
    ASSERT_TRUE(QTest::qWaitFor([&] { return source.Open(portText, 0); }, 15000));
    ASSERT_TRUE(Drains(source, [&] { return !source.LatestRmcLine().isEmpty(); }));
    // One of the log's own fixes, west and north: 3940.698x N, 07544.935x W.
    const GpsPosition fix = NmeaParser::RmcPosition(source.LatestRmcLine());
    EXPECT_NEAR(fix.x, -(75 * 600000 + 449357), 5);
    EXPECT_NEAR(fix.y, -(39 * 600000 + 406986), 5);
    gpsfake.Stop();
    for (int i = 0; i < 3; ++i)
        source.ProcessEvent();  // traced, survived
    source.Close();
    EXPECT_FALSE(GpsdSource().Open(QStringLiteral("gpsd: localhost:%1").arg(GpsFake::FreePort()), 0));
}

TEST(Gpsd, AGpsdThatAnswersGarbageIsSurvived)
{
    QTcpServer server;
    ASSERT_TRUE(server.listen(QHostAddress::LocalHost));
    GpsdSource source;
    ASSERT_TRUE(source.Open(QStringLiteral("gpsd: 127.0.0.1:%1").arg(server.serverPort()), 0));
    ASSERT_TRUE(server.waitForNewConnection(3000));
    QTcpSocket* peer = server.nextPendingConnection();
    QByteArray noise(100000, Qt::Uninitialized);
    for (char& c : noise)
        c = char(QRandomGenerator::global()->bounded(256));
    peer->write(noise + "\r\n" + NmeaParser::RmcSentence({1, -1}, 0) + "\r\n");
    peer->flush();
    EXPECT_TRUE(Drains(source, [&] { return !source.LatestRmcLine().isEmpty(); }));
    peer->close();
    source.ProcessEvent();
}

TEST(Gpsd, AFloodIsTakenABoundedBlockADrain)
{
    QTcpServer server;
    ASSERT_TRUE(server.listen(QHostAddress::LocalHost));
    GpsdSource source;
    ASSERT_TRUE(source.Open(QStringLiteral("gpsd: 127.0.0.1:%1").arg(server.serverPort()), 0));
    ASSERT_TRUE(server.waitForNewConnection(3000));
    // Numbered lines of 64 bytes until the socket's buffers hold no more.
    const int peer = int(server.nextPendingConnection()->socketDescriptor());
    ::fcntl(peer, F_SETFL, ::fcntl(peer, F_GETFL) | O_NONBLOCK);
    constexpr int kLineBytes = 64;
    int written = 0;
    for (;; ++written) {
        const QByteArray line = "$GPTXT," + QByteArray::number(written).rightJustified(kLineBytes - 9, '0') + "\r\n";
        if (::send(peer, line.constData(), line.size(), MSG_NOSIGNAL) != line.size())
            break;
    }
    ASSERT_GT(written * kLineBytes, 4 * GpsdSource::kMostBytesPerDrain);
    const auto latestNumber = [&] { return source.LatestLine().mid(7).toInt(); };
    source.ProcessEvent();
    const int first = latestNumber();
    EXPECT_GT(first, 0);
    EXPECT_LE((first + 1) * kLineBytes, GpsdSource::kMostBytesPerDrain);
    // The rest waits for the next drains, in order.
    source.ProcessEvent();
    EXPECT_GT(latestNumber(), first);
    EXPECT_LE(latestNumber() - first, GpsdSource::kMostBytesPerDrain / kLineBytes);
}

TEST(Gpsd, AGpsdStoppedIsTracedOnceAndFollowedAgainOnceRestarted)
{
    QTcpServer gpsd;
    ASSERT_TRUE(gpsd.listen(QHostAddress::LocalHost));
    const quint16 port = gpsd.serverPort();
    GpsdSource source;
    ASSERT_TRUE(source.Open(QStringLiteral("gpsd: 127.0.0.1:%1").arg(port), 0));
    const auto serve = [&](const QByteArray& rmc) {
        if (!gpsd.waitForNewConnection(3000))
            return false;
        QTcpSocket* peer = gpsd.nextPendingConnection();
        peer->write(rmc + "\r\n");
        peer->flush();
        return Drains(source, [&] { return source.LatestRmcLine() == QString::fromLatin1(rmc); });
    };
    ASSERT_TRUE(serve(NmeaParser::RmcSentence({1, -1}, 0)));

    TraceCapture trace;
    gpsd.close();
    qDeleteAll(gpsd.findChildren<QTcpSocket*>());
    ASSERT_TRUE(Drains(source, [&] { return source.IsLost(); }));
    for (int i = 0; i < 50; ++i)
        source.ProcessEvent();  // tries again now and then, in vain
    EXPECT_EQ(trace.Count("connection lost"), 1);
    EXPECT_EQ(trace.Lines().size(), 1);

    ASSERT_TRUE(gpsd.listen(QHostAddress::LocalHost, port));
    ASSERT_TRUE(Drains(source, [&] { return !source.IsLost(); }));
    EXPECT_TRUE(serve(NmeaParser::RmcSentence({2, -2}, 1)));
    EXPECT_EQ(trace.Count("resumed"), 1);
}

}  // namespace
