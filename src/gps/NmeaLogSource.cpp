#include "gps/NmeaLogSource.h"

#include "gps/Nmea.h"
#include "base/DevicePath.h"
#include "base/Trace.h"

namespace {

// The wait from one fix to the next: what their times say, when that is a
// plausible second or so; else one second.
double Interval(double from, double to)
{
    const double gap = to - from;
    return gap > 0 && gap <= 10 ? gap : 1.0;
}

// The sentence of a line of the log, from its last '$' as the line
// collection reads it; an RMC sentence ends a fix.
QString SentenceText(QByteArrayView line)
{
    return QString::fromLatin1(NmeaParser::SentenceOfLine(line.trimmed()));
}

}  // namespace

bool LogEpochReader::Next(Epoch& epoch)
{
    // Lines are read straight into the epoch; readLine ends what it reads
    // with a zero byte, hence the one byte more.
    epoch.bytes.resize(kMostBytes + 1);
    qsizetype size = 0;
    double time = NAN;
    while (size < kMostBytes) {
        const qint64 n = m_log.readLine(epoch.bytes.data() + size, kMostBytes + 1 - size);
        if (n <= 0)
            break;
        const QByteArrayView line(epoch.bytes.constData() + size, n);
        size += n;
        const QString text = SentenceText(line);
        if (NmeaParser::IsRmcSentence(text)) {
            time = NmeaParser::RmcSecondsOfDay(text);
            break;
        }
    }
    epoch.bytes.resize(size);
    if (epoch.bytes.isEmpty())
        return false;
    m_due = m_started ? m_due + Interval(m_time, time) : 0;
    m_time = time;
    m_started = true;
    epoch.due = m_due;
    return true;
}

NmeaLogSource::NmeaLogSource(SourceClock clock) : m_clock(std::move(clock)) {}

bool NmeaLogSource::Open(const QString& portText, uint32_t)
{
    Close();
    m_file.setFileName(NativePath(portText));
    if (m_file.open(QIODevice::ReadOnly))
        m_reader.emplace(m_file);
    if (!ReadEpoch()) {
        Trace("NmeaLogSource::Open - Unable to replay %s", qPrintable(portText));
        Close();
        return false;
    }
    m_passStart = m_clock();
    return true;
}

bool NmeaLogSource::ReadEpoch()
{
    if (!m_reader)
        return false;
    const double lastDue = m_held.due;
    if (m_reader->Next(m_held))
        return m_holding = true;
    // The log is over: the next pass begins a second after its last fix.
    m_passStart += lastDue + 1.0;
    m_file.seek(0);
    m_reader.emplace(m_file);
    return m_holding = m_reader->Next(m_held);
}

void NmeaLogSource::ProcessEvent()
{
    // However long a drain was late, it catches up with at most a minute of
    // the log.
    constexpr int kMostEpochs = 60;
    const double now = m_clock();
    for (int fed = 0; fed < kMostEpochs && (m_holding || ReadEpoch()); ++fed) {
        if (m_passStart + m_held.due > now)
            return;
        ProcessBytes(m_held.bytes);
        m_holding = false;
    }
}

void NmeaLogSource::Close()
{
    m_reader.reset();
    m_file.close();
    m_holding = false;
}
