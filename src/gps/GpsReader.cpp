#include "gps/GpsReader.h"

#include "gps/GpsSource.h"
#include "base/Trace.h"

#include <system_error>
#include <unistd.h>

GpsReader::GpsReader(GpsSource* serial) : m_pSerial(serial)
{
    if (!serial)
        Trace("\n SerialComm is NULL");
}

GpsReader::~GpsReader()
{
    Stop();
}

void GpsReader::Start()
{
    if (!m_pSerial || IsRunning())
        return;
    m_bStopRequested = false;
    try {
        m_hThread = std::thread(&GpsReader::ThreadProc, this);
    } catch (const std::system_error&) {
        Trace("\n Unable to create Thread");
    }
}

void GpsReader::Stop()
{
    if (!IsRunning())
        return;
    {
        const std::lock_guard<std::mutex> lock(m_lock);
        m_bStopRequested = true;
    }
    m_hEvent.notify_one();
    m_hThread.join();
}

void GpsReader::ThreadProc()
{
    // Below the user interface: on Linux the nice value is the thread's own.
    [[maybe_unused]] const int niceness = ::nice(1);
    std::unique_lock<std::mutex> lock(m_lock);
    while (!m_bStopRequested) {
        lock.unlock();
        m_pSerial->ProcessEvent();
        lock.lock();
        m_hEvent.wait_for(lock, kPace, [this] { return m_bStopRequested; });
    }
}
