#include "gps/NmeaLogSource.h"

#include "gps/Nmea.h"
#include "map/TextLines.h"
#include "base/Trace.h"

#include <cmath>

namespace {

// Seconds of the day of an RMC sentence's time field (hhmmss or hhmmss.sss);
// NaN when there is none.
double RmcSeconds(const QString& line)
{
    const QString time = NmeaParser::RmcField(line, 1);
    if (time.size() < 6)
        return NAN;
    bool ok = false;
    const double hhmmss = time.toDouble(&ok);
    if (!ok || !(hhmmss >= 0 && hhmmss < 240000))
        return NAN;  // no time of day (and no number an int could hold)
    const int whole = static_cast<int>(hhmmss);
    return whole / 10000 * 3600 + whole / 100 % 100 * 60 + whole % 100 + (hhmmss - whole);
}

// The wait from one fix to the next: what their times say, when that is a
// plausible second or so; else one second.
double Interval(double from, double to)
{
    const double gap = to - from;
    return gap > 0 && gap <= 10 ? gap : 1.0;
}

}  // namespace

std::vector<NmeaLogSource::Epoch> LogEpochs(const QByteArray& log)
{
    std::vector<NmeaLogSource::Epoch> epochs;
    std::vector<double> times;
    QByteArray pending;
    qsizetype start = 0;
    while (start < log.size()) {
        qsizetype end = log.indexOf('\n', start);
        end = end < 0 ? log.size() : end + 1;
        const QByteArrayView line = QByteArrayView(log).sliced(start, end - start);
        pending += line;
        start = end;
        const QString text = QString::fromLatin1(line.trimmed());
        if (NmeaParser::IsRmcSentence(text)) {
            epochs.push_back({pending, 0});
            times.push_back(RmcSeconds(text));
            pending.clear();
        }
    }
    if (!pending.isEmpty()) {
        epochs.push_back({pending, 0});
        times.push_back(NAN);
    }
    for (size_t i = 1; i < epochs.size(); ++i)
        epochs[i].due = epochs[i - 1].due + Interval(times[i - 1], times[i]);
    return epochs;
}

NmeaLogSource::NmeaLogSource(SourceClock clock) : m_clock(std::move(clock)) {}

bool NmeaLogSource::Open(const QString& portText, uint32_t)
{
    QByteArray log;
    bool cut = false;
    if (!ReadFileBlock(portText, kMaxLogBytes, log, &cut) || cut || log.isEmpty()) {
        Trace("NmeaLogSource::Open - Unable to replay %s", qPrintable(portText));
        return false;
    }
    m_epochs = LogEpochs(log);
    m_loopSeconds = m_epochs.back().due + 1.0;
    m_start = m_clock();
    m_next = 0;
    m_loop = 0;
    return true;
}

void NmeaLogSource::ProcessEvent()
{
    // However long a drain was late, it catches up with at most a minute of
    // the log.
    constexpr int kMostEpochs = 60;
    const double now = m_clock() - m_start;
    for (int fed = 0; fed < kMostEpochs && !m_epochs.empty(); ++fed) {
        const Epoch& epoch = m_epochs[m_next];
        if (epoch.due + m_loop * m_loopSeconds > now)
            return;
        ProcessBytes(epoch.bytes);
        if (++m_next == m_epochs.size()) {
            m_next = 0;
            ++m_loop;
        }
    }
}

void NmeaLogSource::Close()
{
    m_epochs.clear();
}
