#include "gps/GpsSource.h"

#include "gps/Nmea.h"
#include "base/TextCodec.h"
#include "base/Trace.h"

namespace {

constexpr uint8_t kCr = 0x0D;
constexpr uint8_t kLf = 0x0A;
// Some receivers put this start-of-heading byte between sentences.
constexpr uint8_t kSoh = 0x01;

}  // namespace

GpsSource::GpsSource() : m_pRmcRing(std::make_unique<SentenceRing>()), m_pLineRing(std::make_unique<SentenceRing>()) {}

GpsSource::~GpsSource() = default;

void GpsSource::ProcessBytes(QByteArrayView bytes)
{
    // The length stays in a register while bytes are only stored; the
    // member is written back around the rarer line ends.
    uint8_t lineLen = m_nLineLen;
    for (char c : bytes) {
        const auto b = static_cast<uint8_t>(c);
        if (Keeps(b, lineLen)) {
            m_pLineBuf[lineLen++] = c;
            continue;
        }
        m_nLineLen = lineLen;
        ProcessControlOrFullLine(b);
        lineLen = m_nLineLen;
    }
    m_nLineLen = lineLen;
}

void GpsSource::ProcessControlOrFullLine(uint8_t b)
{
    if (b == kCr || (b == kLf && m_nLineLen > 0) || m_nLineLen == kLineBytes)
        EndLine();
    if (b == kLf || b == kSoh || b == kCr)
        return;
    // Dropped at the '$' rather than at the line's end, so that the sentence
    // has the whole buffer however long the packet before it was.
    if (b == kSentenceStart)
        m_nLineLen = 0;
    m_pLineBuf[m_nLineLen++] = static_cast<char>(b);
}

void GpsSource::EndLine()
{
    // The text ends at the first zero byte.
    const QByteArrayView held(m_pLineBuf.data(), m_nLineLen);
    const qsizetype zero = held.indexOf('\0');
    const QByteArrayView line = zero < 0 ? held : held.first(zero);
    m_nLineLen = 0;
    QString text = DecodeLine(line);
    // The ring of all lines last: whoever sees a line there finds it in the
    // RMC ring already.
    if (NmeaParser::IsRmcSentence(text) && NmeaParser::RmcIsComplete(line)) {
        m_pRmcRing->Push(text);
        ++m_nRmcLines;
    }
    m_pLineRing->Push(std::move(text));
}

QString GpsSource::LatestRmcLine() const
{
    return m_pRmcRing->Latest();
}

QString GpsSource::LatestLine() const
{
    return m_pLineRing->Latest();
}

void GpsSource::MarkLost(const char* what, int error)
{
    if (m_bLost)
        return;
    Trace("\n %s [ErrCode: %d]", what, error);
    m_bLost = true;
    m_nLostDrains = 0;
}

bool GpsSource::ReopenDue()
{
    constexpr int kDrainsBetweenTries = 10;
    return ++m_nLostDrains % kDrainsBetweenTries == 0;
}

void GpsSource::MarkRegained(const char* what)
{
    Trace("\n %s resumed", what);
    m_bLost = false;
}
