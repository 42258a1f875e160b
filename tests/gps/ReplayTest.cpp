// Real receiver logs replayed through a pseudo-terminal into the running
// reader. Every RMC line is followed to the rings, and every fix is checked
// against gpsd's decoding of the same log (the .chk file beside it): the
// TPV report of the same epoch (same UTC time of day) must carry the same
// latitude and longitude to within one GPS unit.
#include "gps/GpsReader.h"
#include "gps/Nmea.h"
#include "gps/SerialComm.h"
#include "support/PseudoTerminal.h"

#include <QFile>
#include <QJsonDocument>
#include <QJsonObject>
#include <QRegularExpression>
#include <QSet>
#include <gtest/gtest.h>

#include <algorithm>
#include <thread>

using namespace NmeaParser;

namespace {

const QString kLogs = QStringLiteral(KORVANE_SOURCE_DIR "/tests/data/nmea/");

QByteArray ReadAll(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// Milliseconds of the day of a time "hhmmss[.fff]" or "hh:mm:ss[.fff]";
// dates are left out, as receivers send odd ones and gpsd mends them.
int TimeOfDay(QString time)
{
    time.remove(u':');
    const QString fraction = (time.section(u'.', 1) + "000").left(3);
    return ((time.mid(0, 2).toInt() * 60 + time.mid(2, 2).toInt()) * 60 + time.mid(4, 2).toInt()) * 1000 +
           fraction.toInt();
}

struct Epoch {
    int time = -1;
    bool hasFix = false;
    double lat = 0.0;
    double lon = 0.0;
};

// gpsd's decoding: the sentences it accepted, and its time-position reports.
struct Reference {
    QSet<QByteArray> accepted;
    std::vector<Epoch> epochs;
};

Reference ReadReference(const QString& path)
{
    Reference reference;
    for (QByteArray line : ReadAll(path).split('\n')) {
        while (line.endsWith('\r'))
            line.chop(1);
        if (line.startsWith('$'))
            reference.accepted.insert(line);
        const QJsonObject report = QJsonDocument::fromJson(line).object();
        if (report.value("class").toString() != "TPV" || !report.contains("time"))
            continue;
        Epoch epoch;
        epoch.time = TimeOfDay(report.value("time").toString().section(u'T', 1).chopped(1));
        epoch.hasFix = report.contains("lat") && report.contains("lon");
        epoch.lat = report.value("lat").toDouble();
        epoch.lon = report.value("lon").toDouble();
        reference.epochs.push_back(epoch);
    }
    return reference;
}

// An RMC line of the log as the receiver sent it: its text (up to a zero
// byte) and where its line end is.
struct RmcLine {
    QByteArray text;
    qsizetype end;
};

std::vector<RmcLine> RmcLinesOf(const QByteArray& log)
{
    static const QRegularExpression rmc(QStringLiteral("^\\$[A-Z]{2}RMC,"));
    std::vector<RmcLine> lines;
    qsizetype start = 0;
    for (qsizetype i = 0; i < log.size(); ++i) {
        if (log[i] != '\r' && log[i] != '\n')
            continue;
        // A sentence starts at the line's last '$', whatever came before.
        const QByteArray line = log.mid(start, i - start);
        const QByteArray raw = line.mid(std::max<qsizetype>(line.lastIndexOf('$'), 0));
        const qsizetype zero = raw.indexOf('\0');
        const QByteArray text = zero < 0 ? raw : raw.left(zero);
        if (rmc.match(QString::fromLatin1(text)).hasMatch())
            lines.push_back({text, i});
        start = i + 1;
    }
    return lines;
}

struct Counts {
    int rmcLines = 0;
    int accepted = 0;      // reached the RMC ring
    int fixes = 0;         // status A with both coordinates
    int referenced = 0;    // fixes matched against gpsd's report of the epoch
    int unreferenced = 0;  // fixes of an epoch gpsd reported no position for
    int voids = 0;         // accepted lines without a fix
    friend bool operator==(const Counts&, const Counts&) = default;
};

struct Outcome : Counts {
    QStringList failures;
};

std::ostream& operator<<(std::ostream& out, const Counts& o)
{
    return out << "{" << o.rmcLines << ", " << o.accepted << ", " << o.fixes << ", " << o.referenced << ", "
               << o.unreferenced << ", " << o.voids << "}";
}

bool WaitFor(const std::function<bool()>& condition)
{
    for (int i = 0; i < 1500; ++i) {
        if (condition())
            return true;
        std::this_thread::sleep_for(std::chrono::milliseconds(2));
    }
    return false;
}

// Within one GPS unit: the truncation of extra decimals, plus the rounding of
// gpsd's nine decimals of a degree.
bool SamePlace(const GpsPosition& p, const Epoch& e)
{
    return std::abs(p.x - e.lon * 600000.0) < 1.001 && std::abs(p.y + e.lat * 600000.0) < 1.001;
}

void CheckLine(const QString& rmc, const Reference& reference, Outcome& outcome)
{
    const int time = TimeOfDay(RmcField(rmc, 1));
    std::vector<Epoch> fixes;
    for (const Epoch& e : reference.epochs) {
        if (e.time == time && e.hasFix)
            fixes.push_back(e);
    }
    const bool fix = RmcField(rmc, 2) == "A" && !RmcLatitude(rmc).isEmpty() && !RmcLongitude(rmc).isEmpty();
    if (!fix) {
        ++outcome.voids;
        if (!fixes.empty())
            outcome.failures << "the reference has a fix for the void line " + rmc;
        return;
    }
    ++outcome.fixes;
    if (fixes.empty()) {
        ++outcome.unreferenced;
        return;
    }
    const GpsPosition position = RmcPosition(rmc);
    if (std::none_of(fixes.begin(), fixes.end(), [&](const Epoch& e) { return SamePlace(position, e); })) {
        outcome.failures << QStringLiteral("%1 gives (%2, %3), the reference (%4, %5)")
                                .arg(rmc)
                                .arg(position.x)
                                .arg(position.y)
                                .arg(fixes[0].lon * 600000.0, 0, 'f', 3)
                                .arg(-fixes[0].lat * 600000.0, 0, 'f', 3);
    } else {
        ++outcome.referenced;
    }
}

// Sends the log up to the end of each RMC line, waits until the reader has
// collected that line, and looks at what reached the RMC ring.
Outcome Replay(const QString& name)
{
    Outcome outcome;
    const QByteArray log = ReadAll(kLogs + name);
    const Reference reference = ReadReference(kLogs + name + ".chk");
    PseudoTerminal receiver;
    CSerialComm serial;
    if (log.isEmpty() || reference.accepted.isEmpty() || !serial.Open(receiver.Path(), 4800)) {
        outcome.failures << QStringLiteral("log of %1 bytes, %2 sentences decoded, port %3")
                                .arg(log.size())
                                .arg(reference.accepted.size())
                                .arg(receiver.Path());
        return outcome;
    }
    GpsReader reader(&serial);
    reader.Start();
    qsizetype sent = 0;
    for (const RmcLine& line : RmcLinesOf(log)) {
        ++outcome.rmcLines;
        const QString text = QString::fromLatin1(line.text);
        receiver.Send(log.mid(sent, line.end + 1 - sent));
        sent = line.end + 1;
        if (line.text.size() > GpsSource::kLineBytes || !WaitFor([&] { return serial.LatestLine() == text; })) {
            outcome.failures << "never collected: " + text;
            continue;
        }
        // gpsd takes what has a right checksum, as the ring should; without
        // one, a line counts when it reaches past the longitude's hemisphere
        // letter (seven commas).
        const bool acceptable = reference.accepted.contains(line.text) ||
                                (!line.text.contains('*') && line.text.count(',') >= 7);
        const QString rmc = serial.LatestRmcLine();
        if ((rmc == text) != acceptable)
            outcome.failures << (acceptable ? "not in the RMC ring: " : "in the RMC ring: ") + text;
        if (rmc != text)
            continue;
        ++outcome.accepted;
        CheckLine(rmc, reference, outcome);
    }
    reader.Stop();
    return outcome;
}

TEST(ReceiverLogs, EveryRmcFixMatchesTheDecodedReference)
{
    // RMC lines, accepted, fixes, referenced, unreferenced, voids.
    const std::vector<std::pair<QString, Counts>> logs = {
        {"bt451.log", {17, 17, 13, 11, 2, 4}},                        // void fixes, five decimals, CR LF and LF mixed
        {"ch-4711.log", {14, 14, 7, 7, 0, 7}},                        // $GNRMC, $GLRMC, void fixes with coordinates
        {"et-332.log", {19, 19, 19, 19, 0, 0}},                       // west, escapes, LF only
        {"gp-320fw-2019-04-07-coldboot.log", {21, 16, 1, 1, 0, 15}},  // NUL bytes, sentences run on, a cut line
        {"haicom-305N.log", {74, 74, 68, 67, 1, 6}},                  // south, LF only
        {"humminbird-M37.log", {17, 17, 17, 16, 1, 0}},               // $INRMC, west
        {"telit-pls83-w.log", {20, 20, 20, 20, 0, 0}},                // $GARMC, six decimals, CR CR LF
        {"tn200.log", {19, 19, 0, 0, 0, 19}},                         // no fix, bogus coordinates
    };
    // One receiver per log, all at once: each waits on its reader's pace.
    std::vector<Outcome> outcomes(logs.size());
    std::vector<std::thread> replays;
    for (size_t i = 0; i < logs.size(); ++i)
        replays.emplace_back([&, i] { outcomes[i] = Replay(logs[i].first); });
    for (std::thread& replay : replays)
        replay.join();
    for (size_t i = 0; i < logs.size(); ++i) {
        EXPECT_EQ(static_cast<const Counts&>(outcomes[i]), logs[i].second) << logs[i].first.toStdString();
        EXPECT_TRUE(outcomes[i].failures.isEmpty()) << logs[i].first.toStdString() << ":\n"
                                                    << outcomes[i].failures.join("\n").toStdString();
    }
}

}  // namespace
