// Where NMEA text comes from. Every source (a serial receiver, and later
// others) feeds its bytes through the same line collection into the same two
// rings, so everything downstream reads positions the same way whatever the
// source.
#pragma once

#include "gps/SentenceRing.h"

#include <QByteArrayView>
#include <QString>
#include <array>
#include <atomic>
#include <cstdint>
#include <memory>

class GpsSource {
public:
    static constexpr int kLineBytes = 128;

    GpsSource();
    virtual ~GpsSource();
    GpsSource(const GpsSource&) = delete;
    GpsSource& operator=(const GpsSource&) = delete;

    // Opens the source a port text names ("COM8: Serial 8", "/dev/ttyACM0 …")
    // at a rate; false, with a trace line, when it cannot be used.
    virtual bool Open(const QString& portText, uint32_t baud) = 0;
    // Passes every byte waiting to the line collection; never waits for
    // more. Runs on the reader thread only.
    virtual void ProcessEvent() = 0;
    // Releases the source; called once the reader thread is gone.
    virtual void Close() = 0;

    // Line collection, one received byte at a time (reader thread only). CR
    // ends a line, LF ends one when bytes are held, and a full buffer ends a
    // 128-byte piece. A '$' starts a sentence wherever it comes: the bytes
    // held before it (a stray byte, a binary packet) are dropped. Every line
    // goes into the ring of all lines; an RMC line that is complete
    // (NmeaParser::RmcIsComplete) goes into the RMC ring as well.
    void ProcessChar(uint8_t b)
    {
        // Most bytes are text to keep: kept here, without a call.
        if (Keeps(b, m_nLineLen))
            m_pLineBuf[m_nLineLen++] = static_cast<char>(b);
        else
            ProcessControlOrFullLine(b);
    }
    // ProcessChar for each byte of a block, in order, as a drain reads them.
    void ProcessBytes(QByteArrayView bytes);

    // From any thread; empty before the first line.
    QString LatestRmcLine() const;
    QString LatestLine() const;
    // How many lines went into the RMC ring so far (reader thread only): a
    // reader that must see every fix checks it after each byte.
    uint64_t RmcLineCount() const { return m_nRmcLines; }

    // Whether the source has gone (gpsd stopped, a receiver unplugged). A
    // lost source is opened again about once a second by its drain, so that
    // reception resumes by itself when it comes back. From any thread.
    bool IsLost() const { return m_bLost; }

protected:
    // A drain found the source gone: "what [ErrCode: error]" is traced once
    // per loss.
    void MarkLost(const char* what, int error);
    // A drain of a lost source: true when it is time to try opening it again
    // (every tenth drain, about once a second at the reader's pace).
    bool ReopenDue();
    // A lost source was opened again.
    void MarkRegained(const char* what);

private:
    // CR, the highest of the control bytes the collection treats apart.
    static constexpr uint8_t kLastControlByte = 0x0D;
    static constexpr uint8_t kSentenceStart = '$';

    // A byte that is only stored: text but a sentence's start, with room.
    static bool Keeps(uint8_t b, int lineLen)
    {
        return b > kLastControlByte && b != kSentenceStart && lineLen < kLineBytes;
    }
    void ProcessControlOrFullLine(uint8_t b);
    void EndLine();

    uint8_t m_nLineLen = 0;
    uint64_t m_nRmcLines = 0;
    std::array<char, kLineBytes> m_pLineBuf;
    const std::unique_ptr<SentenceRing> m_pRmcRing;
    const std::unique_ptr<SentenceRing> m_pLineRing;
    std::atomic<bool> m_bLost = false;
    int m_nLostDrains = 0;
};
