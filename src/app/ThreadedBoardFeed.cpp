#include "ThreadedBoardFeed.h"

#include "BoardLoader.h"
#include "DatabaseWorker.h"

#include <QThread>

namespace assi {

ThreadedBoardFeed::ThreadedBoardFeed(std::unique_ptr<BoardSource> source, QObject* parent)
    : BoardFeed(parent), m_thread(new QThread) {
    m_thread->setObjectName(QStringLiteral("assi-database"));
    auto* worker = new DatabaseWorker(std::move(source));
    worker->moveToThread(m_thread);
    // Deleted on its own thread once that thread's loop ends, which closes
    // the connection where it was opened.
    connect(m_thread, &QThread::finished, worker, &QObject::deleteLater);
    connect(this, &ThreadedBoardFeed::loadRequested, worker, &DatabaseWorker::load);
    connect(worker, &DatabaseWorker::loaded, this, &ThreadedBoardFeed::deliver);
    m_thread->start();
}

ThreadedBoardFeed::~ThreadedBoardFeed() {
    if (m_busy) {
        // The driver may not come back for minutes: never wait for it. A
        // running QThread must not be destroyed either, so the thread object
        // outlives the feed and goes once its load ends (if an event loop is
        // still there to delete it; else it is left to the process's end).
        connect(m_thread, &QThread::finished, m_thread, &QObject::deleteLater);
        m_thread->quit();
        return;
    }
    m_thread->quit();
    m_thread->wait();
    delete m_thread;
}

void ThreadedBoardFeed::load(const QDate& today) {
    if (m_busy)
        return;
    m_busy = true;
    Q_EMIT loadRequested(today, QPrivateSignal());
}

void ThreadedBoardFeed::deliver(const BoardData& data) {
    m_busy = false;
    Q_EMIT loaded(data);
}

} // namespace assi
