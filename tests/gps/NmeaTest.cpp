// Received bytes to lines, the two rings, and the RMC sentence's fields in
// GPS units, including what today's receivers send.
#include "gps/Nmea.h"
#include "gps/SerialComm.h"

#include <QByteArray>
#include <QStringList>
#include <atomic>
#include <cstdlib>
#include <gtest/gtest.h>
#include <limits>
#include <random>
#include <thread>

using namespace NmeaParser;

namespace {

const QByteArray kFix = "$GPRMC,081836,A,1051.2148,N,10551.2148,E,000.0,360.0,130998,011.3,E*7B";
const QByteArray kVoid = "$GPRMC,081836,V,,,,,,,130998,,*3F";
const QByteArray kGga = "$GPGGA,081837,1051.2150,N,10551.2150,E,1,05,1.5,10.0,M,0.0,M,,*42";

// The bytes of a literal, zero bytes included.
template <size_t N> QByteArray Bytes(const char (&text)[N])
{
    return QByteArray(text, N - 1);
}

// The line collection as the reader thread runs it, without a port.
void Feed(GpsSource& source, const QByteArray& bytes)
{
    for (char b : bytes)
        source.ProcessChar(static_cast<uint8_t>(b));
}

// Every line the collection makes, in order. The tests' consecutive lines
// differ, so each new line shows as a change of the latest one.
QStringList LinesOf(const QByteArray& bytes)
{
    CSerialComm source;
    QStringList lines;
    for (char b : bytes) {
        const QString before = source.LatestLine();
        source.ProcessChar(static_cast<uint8_t>(b));
        if (source.LatestLine() != before)
            lines << source.LatestLine();
    }
    return lines;
}

TEST(LineCollection, AFixEndedByCrLfReachesBothRings)
{
    CSerialComm source;
    EXPECT_TRUE(source.LatestLine().isEmpty());
    EXPECT_TRUE(source.LatestRmcLine().isEmpty());
    Feed(source, kFix + "\r\n");
    EXPECT_EQ(source.LatestLine(), QString::fromLatin1(kFix));
    EXPECT_EQ(source.LatestRmcLine(), QString::fromLatin1(kFix));
    EXPECT_EQ(RmcLatitude(source.LatestRmcLine()), QStringLiteral("1051.2148"));
    EXPECT_EQ(RmcLongitude(source.LatestRmcLine()), QStringLiteral("10551.2148"));
    EXPECT_EQ(RmcPosition(source.LatestRmcLine()), (GpsPosition{63512148, -6512148}));

    // Other sentences go only into the ring of all lines.
    Feed(source, kGga + "\r\n");
    EXPECT_EQ(source.LatestLine(), QString::fromLatin1(kGga));
    EXPECT_EQ(source.LatestRmcLine(), QString::fromLatin1(kFix));

    // A void fix is stored like any RMC line; it has no coordinates.
    Feed(source, kVoid + "\r\n");
    EXPECT_EQ(source.LatestRmcLine(), QString::fromLatin1(kVoid));
    EXPECT_TRUE(RmcLatitude(source.LatestRmcLine()).isEmpty());
    EXPECT_TRUE(RmcLongitude(source.LatestRmcLine()).isEmpty());
}

TEST(LineCollection, CrLfAndLfAloneEndLinesAlike)
{
    const QByteArray sentences[] = {"$GPGSA,A,3,04,05,,,,,,,,,,,1.8,1.0,1.5*33", kFix,
                                    "$GPVTG,360.0,T,348.7,M,000.0,N,000.0,K*43"};
    for (const QByteArray& end : {QByteArray("\r\n"), QByteArray("\n"), QByteArray("\r")}) {
        QByteArray stream;
        for (const QByteArray& s : sentences)
            stream += s + end;
        QStringList expected;
        for (const QByteArray& s : sentences)
            expected << QString::fromLatin1(s);
        EXPECT_EQ(LinesOf(stream), expected) << end.toHex().constData();
    }
    // LF with nothing held makes no line; two CRs make an empty one.
    EXPECT_EQ(LinesOf("$A\n\n\n$B\r\n"), (QStringList{"$A", "$B"}));
    EXPECT_EQ(LinesOf("$A\r\r$B\r"), (QStringList{"$A", "", "$B"}));
}

TEST(LineCollection, LongLinesComeInPiecesOf128Bytes)
{
    QByteArray line(300, 'x');
    for (int i = 0; i < line.size(); ++i)
        line[i] = char('a' + i % 26);
    EXPECT_EQ(LinesOf(line + "\r"),
              (QStringList{QString::fromLatin1(line.left(128)), QString::fromLatin1(line.mid(128, 128)),
                           QString::fromLatin1(line.mid(256))}));
    // Exactly 128 bytes and then the line end: one line, no empty piece.
    EXPECT_EQ(LinesOf(line.left(128) + "\r\n"), QStringList{QString::fromLatin1(line.left(128))});
}

TEST(LineCollection, ZeroBytesEndTheTextAndStartOfHeadingIsDropped)
{
    CSerialComm source;
    Feed(source, Bytes("\x01$GPGSA,A,3,04,05\0\0\0  garbage\r\n"));
    EXPECT_EQ(source.LatestLine(), QStringLiteral("$GPGSA,A,3,04,05"));
    Feed(source, kFix.left(20) + "\x01" + kFix.mid(20) + "\r\n");
    EXPECT_EQ(source.LatestLine(), QString::fromLatin1(kFix));
    EXPECT_EQ(source.LatestRmcLine(), QString::fromLatin1(kFix));
}

// A u-blox receiver's binary packet (NAV-TIMEUTC framing, zero bytes in its
// payload) as it comes right before a sentence, without a line end between.
const QByteArray kUbxPacket = Bytes("\xb5\x62\x01\x21\x14\x00\x18\x4e\x3e\x1c\x00\x00\x00\x00\x24\x00\x00\x00"
                                    "\xea\x07\x0c\x07\x08\x23\x3b\x37\x7b\x9a");

TEST(LineCollection, ASentenceStartsAtItsDollarWhateverCameBeforeIt)
{
    const QByteArray rmc = "$GNRMC,083559.00,A,4717.11437,N,00833.91522,E,0.004,77.52,091202,,,A*49";
    const GpsPosition fix{8 * 600000 + 339152, -(47 * 600000 + 171143)};
    for (const QByteArray& before : {QByteArray("$"), QByteArray(" "), QByteArray("\x7f"), QByteArray("\xff"),
                                     QByteArray("$GPTXT,01,01,02,ANTSTATUS=OK"), kUbxPacket,
                                     kUbxPacket.repeated(4)}) {  // with the sentence, more than a piece
        CSerialComm source;
        Feed(source, kGga + "\r\n" + before + rmc + "\r\n");
        EXPECT_EQ(source.LatestLine(), QString::fromLatin1(rmc)) << before.toHex().constData();
        EXPECT_EQ(RmcPosition(source.LatestRmcLine()), fix) << before.toHex().constData();
    }
    // Before the sentence's own '$' a zero byte no longer ends its text; after
    // it, it still does.
    CSerialComm source;
    Feed(source, Bytes("$GPGSA,\0$GPGSV,3\0,1\r"));
    EXPECT_EQ(source.LatestLine(), QStringLiteral("$GPGSV,3"));
}

TEST(LineCollection, AnRmcLineCutAtItsHemisphereLetterWithoutChecksumIsNoFix)
{
    CSerialComm source;
    Feed(source, kFix + "\r\n");
    // Cut after the "W" or the "E": the letter may have been the end of a
    // longer cut, so the line places nothing.
    for (const QByteArray& cut : {QByteArray("$GPRMC,193221.00,A,2037.7279,N,08704.0848,W"),
                                  QByteArray("$GPRMC,193221.00,A,2037.7279,S,08704.0848,E"),
                                  QByteArray("$GPRMC,193221.00,A,2037.7279,N,08704.0848,")}) {
        Feed(source, cut + "\r\n");
        EXPECT_EQ(source.LatestLine(), QString::fromLatin1(cut));
        EXPECT_EQ(source.LatestRmcLine(), QString::fromLatin1(kFix)) << cut.constData();
    }
    // The comma after the letter is there: a fix, in its hemispheres.
    Feed(source, "$GPRMC,193221.00,A,2037.7279,N,08704.0848,W,\r\n");
    EXPECT_EQ(RmcPosition(source.LatestRmcLine()), (GpsPosition{-(87 * 600000 + 40848), -(20 * 600000 + 377279)}));
    Feed(source, "$GPRMC,193222.00,A,2037.7279,S,08704.0848,E,0.1\r\n");
    EXPECT_EQ(RmcPosition(source.LatestRmcLine()), (GpsPosition{87 * 600000 + 40848, 20 * 600000 + 377279}));
}

TEST(LineCollection, AWrongChecksumKeepsTheLineOutOfTheRmcRingOnly)
{
    CSerialComm source;
    Feed(source, kFix + "\r\n");
    QByteArray wrong = kFix;
    wrong[20] = '9';  // one digit of the latitude changed, the checksum kept
    Feed(source, wrong + "\r\n");
    EXPECT_EQ(source.LatestLine(), QString::fromLatin1(wrong));
    EXPECT_EQ(source.LatestRmcLine(), QString::fromLatin1(kFix));

    // No checksum, a lower-case one, or a malformed one are not wrong.
    for (const QByteArray& rmc : {kFix.left(kFix.indexOf('*')),
                                  QByteArray("$GNRMC,135652.997,A,5543.0328,N,03724.7198,E,00.00,129.5,051209,,,A*7a"),
                                  kFix.left(kFix.size() - 1), kFix.left(kFix.size() - 2) + "G2"}) {
        Feed(source, rmc + "\r\n");
        EXPECT_EQ(source.LatestRmcLine(), QString::fromLatin1(rmc)) << rmc.constData();
    }
    EXPECT_TRUE(ChecksumIsWrong("$GPRMC,1*00"));
    EXPECT_FALSE(ChecksumIsWrong("$GPRMC,1*56"));
    EXPECT_FALSE(ChecksumIsWrong("GPRMC,1*56"));
}

TEST(RmcSentence, AnyTalkerCountsButNothingElse)
{
    for (const char* talker : {"GP", "GN", "GL", "GA", "BD", "GB", "IN"})
        EXPECT_TRUE(IsRmcSentence(QStringLiteral("$%1RMC,081836,A").arg(QString::fromLatin1(talker)))) << talker;
    for (const char* line : {"", "$GPRMC", "$GPRMC ,1", " $GPRMC,1", "x$GPRMC,1", "$gpRMC,1", "$G1RMC,1", "$GPRMB,1",
                             "$PGRMC,1", "GPRMC,1", "$GPGGA,$GPRMC,1", "$GPRMC*00,1"})
        EXPECT_FALSE(IsRmcSentence(QString::fromLatin1(line))) << line;
}

TEST(RmcSentence, FieldsAreTheTextBetweenCommas)
{
    EXPECT_EQ(RmcField(u"$GPRMC,1,A,lat,N,lon,E,", 3), QStringLiteral("lat"));
    EXPECT_EQ(RmcField(u"$GPRMC,1,A,lat,N,lon,E,", 5), QStringLiteral("lon"));
    // Fewer commas than the field needs: nothing.
    EXPECT_TRUE(RmcLongitude(u"$GPRMC,1,A,lat,N,lon").isEmpty());
    EXPECT_TRUE(RmcLatitude(u"$GPRMC,1,A").isEmpty());
    EXPECT_TRUE(RmcLatitude(u"").isEmpty());
}

TEST(FieldToUnits, MinutesCountWithFourDecimalsWhateverTheReceiverSends)
{
    struct Case {
        const char* field;
        int32_t units;
    };
    const Case cases[] = {
        {"1051.2148", 6512148},
        {"10551.2148", 63512148},
        {"1051.21485", 6512148},
        {"1051.214899", 6512148},
        {"1051.21", 6512100},
        {"1051.", 6510000},
        {"1051", 6510000},
        {"5547.82113", 33478211},
        {"00127.618380", 876183},
        {".5", 5000},
        {"-5", -50000},
        {"  1051.2148", 6512148},
        {"+1051.2148", 6512148},
        {"", 0},
        {"N", 0},
        {"1051.2x48", 6512000},
        {"36000.0000", 216000000},
        {"99999999999.9999", 1288683647},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(FieldToUnits(QString::fromLatin1(c.field), false), c.units) << c.field;
        EXPECT_EQ(FieldToUnits(QString::fromLatin1(c.field), true), -c.units) << c.field;
    }
}

TEST(FieldToUnits, DegreesAndMinutesAreSplitAtTheMillionAndSymmetric)
{
    EXPECT_EQ(DegMinToUnits(105512148), 63512148);
    EXPECT_EQ(DegMinToUnits(-105512148), -63512148);
    EXPECT_EQ(DegMinToUnits(999999), 999999);
    EXPECT_EQ(DegMinToUnits(1000000), 600000);
    EXPECT_EQ(DegMinToUnits(0), 0);
    EXPECT_EQ(DegMinToUnits(std::numeric_limits<int32_t>::max()), 1288683647);
    EXPECT_EQ(DegMinToUnits(std::numeric_limits<int32_t>::min()), -1288683648);
}

TEST(RmcPosition, HemisphereLettersSetTheSigns)
{
    // Brisbane: south and east; Delaware: north and west.
    EXPECT_EQ(RmcPosition(u"$GPRMC,095304,A,2712.6520,S,15303.1397,E,0.00,133.96,080407,,,A*78"),
              (GpsPosition{91831397, 16326520}));
    EXPECT_EQ(RmcPosition(u"$GPRMC,153347.000,A,3940.6986,N,07544.9356,W,0.12,87.21,230410,,*29"),
              (GpsPosition{-45449356, -23806986}));
    // Missing or unknown letters read as north and east.
    EXPECT_EQ(RmcPosition(u"$GPRMC,1,A,1051.2148,,10551.2148,x,"), (GpsPosition{63512148, -6512148}));
}

TEST(SentenceRing, LatestIsAlwaysTheLinePushedLast)
{
    SentenceRing ring;
    EXPECT_TRUE(ring.Latest().isEmpty());
    // Past the end of the slots and round again, twice.
    for (int i = 1; i <= 200; ++i) {
        ring.Push(QString::number(i));
        ASSERT_EQ(ring.Latest(), QString::number(i));
    }
}

TEST(SentenceRing, ReadersOnOtherThreadsSeeWholeLinesInOrder)
{
    SentenceRing ring;
    constexpr int kPushes = 20000;
    std::atomic<bool> done = false;
    std::atomic<int> outOfOrder = 0;
    std::vector<std::thread> readers;
    for (int r = 0; r < 3; ++r) {
        readers.emplace_back([&] {
            int last = 0;
            while (!done) {
                const QString latest = ring.Latest();
                const int n = latest.isEmpty() ? 0 : latest.section(u':', 0, 0).toInt();
                if (n < last || (n > 0 && latest != QStringLiteral("%1:$GPRMC,%1").arg(n)))
                    ++outOfOrder;
                last = n;
            }
        });
    }
    for (int i = 1; i <= kPushes; ++i)
        ring.Push(QStringLiteral("%1:$GPRMC,%1").arg(i));
    done = true;
    for (std::thread& t : readers)
        t.join();
    EXPECT_EQ(outOfOrder, 0);
    EXPECT_EQ(ring.Latest(), QStringLiteral("%1:$GPRMC,%1").arg(kPushes));
}

// Random damage to real sentences: whatever arrives, lines stay within their
// buffer, hold no line-end or zero bytes, the RMC ring holds only RMC lines
// with no wrong checksum, and the conversions stay symmetric.
TEST(LineCollection, MutatedStreamsKeepEveryRule)
{
    const QByteArray base = kFix + "\r\n" + kGga + "\r\n" + kVoid + "\n" +
                            "$GNRMC,135651.997,A,5543.0328,N,03724.7198,E,00.00,129.5,051209,,,A*79\r\r\n";
    std::mt19937 random(9);
    const char special[] = {'\r', '\n', '\0', '\x01', ',', '*', '.', '$', '-', '\xe1'};
    for (int round = 0; round < 3000; ++round) {
        QByteArray stream = base;
        const int edits = 1 + int(random() % 8);
        for (int e = 0; e < edits; ++e) {
            const int at = int(random() % stream.size());
            const char byte = random() % 2 ? char(random() % 128) : special[random() % sizeof special];
            switch (random() % 3) {
            case 0:
                stream[at] = byte;
                break;
            case 1:
                stream.insert(at, byte);
                break;
            default:
                stream.remove(at, 1 + int(random() % 4));
                break;
            }
        }
        // Byte by byte, and in the blocks a drain reads: the same lines.
        CSerialComm source;
        CSerialComm blocks;
        qsizetype blockEnd = 0;
        qsizetype nextCut = 1 + qsizetype(random() % 40);
        for (qsizetype i = 0; i < stream.size(); ++i) {
            source.ProcessChar(static_cast<uint8_t>(stream[i]));
            const QString line = source.LatestLine();
            ASSERT_LE(line.size(), GpsSource::kLineBytes);
            ASSERT_FALSE(line.contains(u'\r') || line.contains(u'\n') || line.contains(QChar(0)) ||
                         line.contains(QChar(1)));
            if (i + 1 == nextCut || i + 1 == stream.size()) {
                blocks.ProcessBytes(QByteArrayView(stream).sliced(blockEnd, i + 1 - blockEnd));
                blockEnd = i + 1;
                nextCut = blockEnd + 1 + qsizetype(random() % 40);
                ASSERT_EQ(blocks.LatestLine(), line);
                ASSERT_EQ(blocks.LatestRmcLine(), source.LatestRmcLine());
            }
        }
        const QString rmc = source.LatestRmcLine();
        if (!rmc.isEmpty()) {
            ASSERT_TRUE(IsRmcSentence(rmc)) << rmc.toStdString();
            ASSERT_FALSE(ChecksumIsWrong(rmc.toLatin1())) << rmc.toStdString();
        }
        for (const QString& field : {RmcLatitude(rmc), RmcLongitude(rmc), source.LatestLine()})
            ASSERT_EQ(FieldToUnits(field, true), -FieldToUnits(field, false)) << field.toStdString();
        const GpsPosition p = RmcPosition(rmc);
        ASSERT_LE(std::abs(int64_t(p.x)), 1288683647);
        ASSERT_LE(std::abs(int64_t(p.y)), 1288683647);
    }
}

}  // namespace

namespace {

TEST(RmcSentence, WhatTheReceiverSendsReadsBackInEveryHemisphere)
{
    for (const GpsPosition p : {GpsPosition{63512148, -6512148}, GpsPosition{-32760000, 12276000}, GpsPosition{5, -3}}) {
        const QByteArray line = NmeaParser::RmcSentence(p, 3600 + 61, 5.5, 270);
        EXPECT_TRUE(NmeaParser::IsRmcSentence(QString::fromLatin1(line))) << line.constData();
        EXPECT_FALSE(NmeaParser::ChecksumIsWrong(line));
        EXPECT_EQ(NmeaParser::RmcPosition(QString::fromLatin1(line)), p) << line.constData();
    }
    EXPECT_TRUE(NmeaParser::RmcSentence({63512148, -6512148}, 3661).startsWith("$GPRMC,010101.00,A,1051.2148,N,10551.2148,E,"));
}

}  // namespace
