// Collects the program's debug trace lines while it lives, from every thread.
#pragma once

#include "base/Trace.h"

#include <QLoggingCategory>
#include <QStringList>
#include <mutex>

class TraceCapture {
public:
    TraceCapture()
    {
        // The category exists before the filter sees it: making it inside
        // the filter would wait on the lock the filter runs under.
        lcKorvane();
        s_current = this;
        s_previousHandler = qInstallMessageHandler(Collect);
        s_previousFilter = QLoggingCategory::installFilter(EnableTrace);
    }
    ~TraceCapture()
    {
        QLoggingCategory::installFilter(s_previousFilter);
        qInstallMessageHandler(s_previousHandler);
        s_current = nullptr;
    }
    TraceCapture(const TraceCapture&) = delete;
    TraceCapture& operator=(const TraceCapture&) = delete;

    QStringList Lines() const
    {
        const std::lock_guard<std::mutex> lock(m_lock);
        return m_lines;
    }
    // How many lines contain the text.
    qsizetype Count(const QString& text) const { return Lines().filter(text).size(); }
    void Clear()
    {
        const std::lock_guard<std::mutex> lock(m_lock);
        m_lines.clear();
    }

private:
    static void EnableTrace(QLoggingCategory* category)
    {
        if (s_previousFilter)
            s_previousFilter(category);
        if (category == &lcKorvane())
            category->setEnabled(QtDebugMsg, true);
    }
    static void Collect(QtMsgType, const QMessageLogContext& context, const QString& text)
    {
        if (s_current && context.category && qstrcmp(context.category, lcKorvane().categoryName()) == 0) {
            const std::lock_guard<std::mutex> lock(s_current->m_lock);
            s_current->m_lines << text;
        }
    }

    mutable std::mutex m_lock;
    QStringList m_lines;
    static inline TraceCapture* s_current = nullptr;
    static inline QtMessageHandler s_previousHandler = nullptr;
    static inline QLoggingCategory::CategoryFilter s_previousFilter = nullptr;
};
