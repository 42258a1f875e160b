// The reader thread: drains a GPS source, then waits 100 ms, until asked to
// stop. Stop returns with the thread gone, so the owner may then close and
// destroy the source; Start after Stop starts a new thread.
#pragma once

#include <chrono>
#include <condition_variable>
#include <mutex>
#include <thread>

class GpsSource;

class GpsReader {
public:
    static constexpr std::chrono::milliseconds kPace{100};

    // The source is not owned. A null source is traced and never drained.
    explicit GpsReader(GpsSource* serial);
    virtual ~GpsReader();
    GpsReader(const GpsReader&) = delete;
    GpsReader& operator=(const GpsReader&) = delete;

    void Start();
    void Stop();
    bool IsRunning() const { return m_hThread.joinable(); }

private:
    void ThreadProc();

    std::thread m_hThread;
    std::mutex m_lock;
    std::condition_variable m_hEvent;  // signalled only by a stop request
    bool m_bStopRequested = false;
    GpsSource* const m_pSerial;
};
