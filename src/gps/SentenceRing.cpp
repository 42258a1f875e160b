#include "gps/SentenceRing.h"

void SentenceRing::Push(QString text)
{
    const std::lock_guard<std::mutex> lock(m_lock);
    if (m_nCount == kUsedSlots)
        m_nCount = 0;
    m_slots[m_nCount++].swap(text);  // the old line is freed after the lock
}

QString SentenceRing::Latest() const
{
    const std::lock_guard<std::mutex> lock(m_lock);
    return m_nCount > 0 ? m_slots[m_nCount - 1] : QString();
}
