#include "ThreadedBoardFeed.h"

#include "Logging.h"
#include "data/BoardLoader.h"

#include <QCoreApplication>
#include <QPointer>
#include <QThread>

namespace assi {

ThreadedBoardFeed::ThreadedBoardFeed(std::unique_ptr<BoardSource> source, QObject* parent)
    : BoardFeed(parent), m_thread(new QThread), m_worker(new QObject), m_source(source.release()),
      m_abandoned(std::make_shared<std::atomic_bool>(false)) {
    qRegisterMetaType<assi::BoardData>();
    m_thread->setObjectName(QStringLiteral("assi-database"));
    m_worker->moveToThread(m_thread);
    m_thread->start();
}

ThreadedBoardFeed::~ThreadedBoardFeed() {
    if (m_busy) {
        // The driver may not come back for minutes; never wait for it on exit.
        *m_abandoned = true;
        m_thread->quit();
        return;
    }
    // The connection belongs to the worker thread: close it there.
    BoardSource* source = m_source;
    QMetaObject::invokeMethod(m_worker, [source] { delete source; }, Qt::BlockingQueuedConnection);
    m_thread->quit();
    m_thread->wait();
    delete m_worker;
    delete m_thread;
}

void ThreadedBoardFeed::load(const QDate& today) {
    if (m_busy)
        return;
    m_busy = true;
    QPointer<ThreadedBoardFeed> self(this);
    BoardSource* source = m_source;
    auto abandoned = m_abandoned;
    QMetaObject::invokeMethod(m_worker, [self, source, today, abandoned] {
        BoardData data = source->load(today);
        if (*abandoned)
            return;
        // Back on the window's thread; the feed may be gone by then.
        QMetaObject::invokeMethod(
            QCoreApplication::instance(), [self, data = std::move(data)] {
                if (!self)
                    return;
                self->m_busy = false;
                Q_EMIT self->loaded(data);
            },
            Qt::QueuedConnection);
    }, Qt::QueuedConnection);
}

} // namespace assi
