#include "ThreadedBoardFeed.h"

#include "Logging.h"
#include "data/BoardLoader.h"

#include <QCoreApplication>
#include <QPointer>
#include <QThread>

#include <atomic>

namespace assi {

namespace {
std::atomic_bool abandoned{false};
}

ThreadedBoardFeed::ThreadedBoardFeed(QString baseDirOverride, QString appDir, QObject* parent)
    : BoardFeed(parent), m_thread(new QThread), m_worker(new QObject) {
    qRegisterMetaType<assi::BoardData>();
    m_thread->setObjectName(QStringLiteral("assi-database"));
    m_loader = new BoardLoader(std::move(baseDirOverride), std::move(appDir));
    m_worker->moveToThread(m_thread);
    m_thread->start();
}

ThreadedBoardFeed::~ThreadedBoardFeed() {
    if (m_busy) {
        // The driver may not come back for minutes; never wait for it on exit.
        abandoned = true;
        m_thread->quit();
        return;
    }
    // The connection belongs to the worker thread: close it there.
    BoardLoader* loader = m_loader;
    QMetaObject::invokeMethod(m_worker, [loader] { delete loader; }, Qt::BlockingQueuedConnection);
    m_thread->quit();
    m_thread->wait();
    delete m_worker;
    delete m_thread;
}

bool ThreadedBoardFeed::isAbandoned() { return abandoned; }

void ThreadedBoardFeed::load(const QDate& today) {
    if (m_busy)
        return;
    m_busy = true;
    QPointer<ThreadedBoardFeed> self(this);
    BoardLoader* loader = m_loader;
    QMetaObject::invokeMethod(m_worker, [self, loader, today] {
        BoardData data = loader->load(today);
        if (abandoned)
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
