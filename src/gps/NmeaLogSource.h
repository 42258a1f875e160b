// A recorded receiver log replayed as a receiver would send it: the lines of
// one fix at a time, at the pace the RMC sentences' times give (one a second
// where a time is missing or jumps), starting again at the end. The log is
// read on as it is replayed, so a log of any size takes little memory.
#pragma once

#include "gps/GpsSource.h"
#include "gps/SourceClock.h"

#include <QByteArray>
#include <QFile>
#include <QIODevice>
#include <cmath>
#include <optional>

// A receiver log cut into the lines of each fix, read on a line at a time:
// the lines up to and including an RMC line, due when the times of the RMC
// lines say, after the log's start. The lines after the last fix come a
// second after it. A piece without a fix ends after kMostBytes, so that any
// file is read in bounded memory.
class LogEpochReader {
public:
    static constexpr qint64 kMostBytes = 64 * 1024;

    struct Epoch {
        QByteArray bytes;
        double due = 0;  // seconds after the log's start
    };

    // The log is read from where it stands.
    explicit LogEpochReader(QIODevice& log) : m_log(log) {}
    // The next epoch; false at the end of the log.
    bool Next(Epoch& epoch);

private:
    QIODevice& m_log;
    bool m_started = false;
    double m_due = 0;     // of the epoch returned last
    double m_time = NAN;  // its RMC line's second of the day
};

class NmeaLogSource : public GpsSource {
public:
    explicit NmeaLogSource(SourceClock clock = SteadySeconds);

    // The port text is the log's path. False, with a trace line, for a file
    // that cannot be read or is empty.
    bool Open(const QString& portText, uint32_t baud) override;
    void ProcessEvent() override;
    void Close() override;

private:
    // The epoch read next into m_held, starting a new pass at the log's end;
    // false when the log gives none.
    bool ReadEpoch();

    SourceClock m_clock;
    QFile m_file;
    std::optional<LogEpochReader> m_reader;
    LogEpochReader::Epoch m_held;  // read, not yet due
    bool m_holding = false;
    double m_passStart = 0;  // clock time at which this pass through the log began
};
