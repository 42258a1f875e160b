// The latest lines received, safe to share between threads: the reader
// thread pushes, any thread reads the line pushed last.
#pragma once

#include <QString>
#include <array>
#include <mutex>

class SentenceRing {
public:
    // Stores one line; after slot 62 the next line goes into slot 0.
    void Push(QString text);
    // A copy of the line pushed last; empty before the first push.
    QString Latest() const;

private:
    static constexpr int kUsedSlots = 63;

    mutable std::mutex m_lock;  // held only while one string is copied
    int m_nCount = 0;           // the slot after the one written last; 0 = none yet
    std::array<QString, kUsedSlots + 1> m_slots;
};
