#include "window/SpeechVoice.h"

#include <QLocale>
#include <QMutexLocker>
#include <QTextToSpeech>
#include <QThread>
#include <QTimer>

void SpeechWorker::Start()
{
    if (!QTextToSpeech::availableEngines().contains(QLatin1String("speechd"))) {
        emit Unavailable(QStringLiteral("Không có dịch vụ đọc tiếng nói"));
        return;
    }
    auto* engine = new QTextToSpeech(QStringLiteral("speechd"), this);
    if (engine->state() == QTextToSpeech::Error) {
        emit Unavailable(QStringLiteral("Không có dịch vụ đọc tiếng nói"));
        return;
    }
    const QList<QLocale> locales = engine->availableLocales();
    const auto vietnamese = std::find_if(locales.begin(), locales.end(),
                                         [](const QLocale& l) { return l.language() == QLocale::Vietnamese; });
    if (vietnamese == locales.end()) {
        emit Unavailable(QStringLiteral("Không có giọng đọc tiếng Việt"));
        return;
    }
    engine->setLocale(*vietnamese);
    connect(engine, &QTextToSpeech::stateChanged, this, [this](QTextToSpeech::State state) {
        if (state == QTextToSpeech::Ready)
            SpeakWaiting();
    });
    m_engine = engine;
    emit Ready();
    SpeakWaiting();
}

void SpeechWorker::Queue(const QString& sentence)
{
    QMutexLocker hold(&m_lock);
    m_waiting = sentence;
}

void SpeechWorker::SpeakWaiting()
{
    if (!m_engine || m_engine->state() != QTextToSpeech::Ready)
        return;
    QString sentence;
    {
        QMutexLocker hold(&m_lock);
        sentence.swap(m_waiting);
    }
    if (!sentence.isEmpty())
        m_engine->say(sentence);
}

SpeechVoice::SpeechVoice(QObject* parent) : QObject(parent), m_thread(new QThread), m_worker(new SpeechWorker)
{
    m_worker->moveToThread(m_thread);
    connect(m_thread, &QThread::started, m_worker, &SpeechWorker::Start);
    connect(m_thread, &QThread::finished, m_worker, &QObject::deleteLater);
    connect(m_worker, &SpeechWorker::Ready, this, [this] { m_bReady = !m_bGivenUp; });
    connect(m_worker, &SpeechWorker::Unavailable, this, [this](const QString& reason) {
        if (!m_bGivenUp)
            emit Unavailable(reason);
        m_bGivenUp = true;
    });
    QTimer::singleShot(kStartPatienceMs, this, [this] {
        if (m_bReady || m_bGivenUp)
            return;
        m_bGivenUp = true;
        emit Unavailable(QStringLiteral("Dịch vụ đọc tiếng nói không trả lời"));
    });
    m_thread->start(QThread::LowPriority);
}

SpeechVoice::~SpeechVoice()
{
    m_thread->quit();
    // A service that never answered holds the thread in its start: it is
    // left to end with the program rather than waited for.
    if (m_thread->wait(500))
        delete m_thread;
}

void SpeechVoice::Say(const QString& sentence)
{
    if (m_bGivenUp)
        return;
    m_worker->Queue(sentence);
    QMetaObject::invokeMethod(m_worker, &SpeechWorker::SpeakWaiting, Qt::QueuedConnection);
}
