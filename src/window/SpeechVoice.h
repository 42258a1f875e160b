// Spoken guidance through the system's text-to-speech service with a
// Vietnamese voice. The service is reached on a thread of its own, because
// starting it may take many seconds or never end: the window never waits
// for it. Sentences are queued; a newer one replaces one not yet spoken.
#pragma once

#include "gps/DriveGuide.h"

#include <QMutex>
#include <QObject>
#include <QString>

class QTextToSpeech;
class QThread;

// Lives on the speech thread: the engine and the sentence waiting for it.
class SpeechWorker : public QObject {
    Q_OBJECT
public:
    // Starts the engine with a Vietnamese voice; Unavailable when there is none.
    void Start();
    // Puts the sentence in the queue's one place (callable from any thread).
    void Queue(const QString& sentence);
    // Speaks the waiting sentence unless the engine is busy or not started.
    void SpeakWaiting();

signals:
    void Ready();
    void Unavailable(const QString& reason);

private:
    QTextToSpeech* m_engine = nullptr;
    QMutex m_lock;
    QString m_waiting;
};

class SpeechVoice : public QObject, public GuidanceVoice {
    Q_OBJECT
public:
    // How long the service may take to start before it counts as absent.
    static constexpr int kStartPatienceMs = 20000;

    explicit SpeechVoice(QObject* parent = nullptr);
    ~SpeechVoice() override;
    void Say(const QString& sentence) override;

signals:
    // No speech service, no Vietnamese voice, or no answer in time; the
    // reason is for the user.
    void Unavailable(const QString& reason);

private:
    QThread* m_thread;
    SpeechWorker* m_worker;
    bool m_bReady = false;
    bool m_bGivenUp = false;
};
