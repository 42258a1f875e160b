// A recorded receiver log replayed as a receiver would send it: the lines of
// one fix at a time, at the pace the RMC sentences' times give (one a second
// where a time is missing or jumps), starting again at the end.
#pragma once

#include "gps/GpsSource.h"
#include "gps/SourceClock.h"

#include <QByteArray>
#include <vector>

class NmeaLogSource : public GpsSource {
public:
    // A log larger than this is no receiver log: it is refused.
    static constexpr qint64 kMaxLogBytes = 64 * 1024 * 1024;

    explicit NmeaLogSource(SourceClock clock = SteadySeconds);

    // The port text is the log's path. False, with a trace line, for a file
    // that cannot be read, is empty or too large.
    bool Open(const QString& portText, uint32_t baud) override;
    void ProcessEvent() override;
    void Close() override;

    // The lines of one fix and when, after the log's start, they are due.
    struct Epoch {
        QByteArray bytes;
        double due = 0;
    };
    const std::vector<Epoch>& Epochs() const { return m_epochs; }

private:
    SourceClock m_clock;
    std::vector<Epoch> m_epochs;
    double m_loopSeconds = 0;  // one pass through the log
    double m_start = 0;
    size_t m_next = 0;
    int m_loop = 0;
};

// The log cut into the lines of each fix, with their times.
std::vector<NmeaLogSource::Epoch> LogEpochs(const QByteArray& log);
