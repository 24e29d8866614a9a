#include "feed/ThreadedBoardFeed.h"

#include "data/BoardLoader.h"
#include "feed/DatabaseWorker.h"
#include "feed/FreedMemory.h"
#include "feed/Logging.h"

#include <QLocale>
#include <QThread>
#include <algorithm>
#include <utility>

using namespace Qt::StringLiterals;

namespace assi {

ThreadedBoardFeed::ThreadedBoardFeed(SourceFactory makeSource, QObject* parent)
    : BoardFeed(parent), m_makeSource(std::move(makeSource)) {
    keepLargeBlocksApart();
    m_deadline.setSingleShot(true);
    m_deadline.setInterval(DefaultDeadline);
    connect(&m_deadline, &QTimer::timeout, this, [this] {
        const QString message = deadlineMessage();
        qCWarning(lcFeed).noquote() << message;
        abandonThread();
        fail(m_loadingDay, message);
    });
}

ThreadedBoardFeed::~ThreadedBoardFeed() {
    if (m_busy)
        abandonThread();
    else if (m_thread) {
        // Cut here, not when the worker goes on its thread: the connection
        // was last used here, and Qt's hand-over between the two is invisible
        // to the race checker.
        disconnect(m_worker, nullptr, this, nullptr);
        m_thread->quit();
        m_thread->wait();
        delete m_thread;
    }
    for (QThread* thread : std::as_const(m_abandoned)) {
        if (!thread || thread->isRunning())
            continue; // goes by itself once its driver call returns, see abandonThread
        thread->wait();
        delete thread;
    }
}

void ThreadedBoardFeed::setDeadline(std::chrono::milliseconds deadline) {
    m_deadline.setInterval(deadline);
}

void ThreadedBoardFeed::setServerDescription(ServerDescription describe) {
    m_describeServer = std::move(describe);
}

void ThreadedBoardFeed::startThread() {
    m_thread = new QThread;
    m_thread->setObjectName(u"assi-database"_s);
    m_worker = new DatabaseWorker(m_makeSource());
    m_worker->moveToThread(m_thread);
    // Deleted on its own thread once that thread's loop ends, which closes
    // the connection where it was opened.
    connect(m_thread, &QThread::finished, m_worker, &QObject::deleteLater);
    connect(this, &ThreadedBoardFeed::loadRequested, m_worker, &DatabaseWorker::load);
    connect(this, &ThreadedBoardFeed::releaseRequested, m_worker, &DatabaseWorker::freeReleased);
    connect(m_worker, &DatabaseWorker::loaded, this, &ThreadedBoardFeed::deliver);
    m_thread->start();
}

void ThreadedBoardFeed::load(const QDate& today) {
    if (m_busy)
        return;
    m_busy = true;
    m_loadingDay = today;
    if (!m_thread) {
        forgetFinishedThreads();
        if (blockedThreadCount() >= MaxAbandonedThreads) {
            const QString message =
                u"A base de dados não respondeu às ligações anteriores, que ainda não "
                u"voltaram; nenhuma ligação nova foi feita."_s;
            qCWarning(lcFeed).noquote() << message;
            // Queued: a caller of load() expects loaded() later, never inside.
            QMetaObject::invokeMethod(
                this, [this, today, message] { fail(today, message); }, Qt::QueuedConnection);
            return;
        }
        startThread();
    }
    m_deadline.start();
    Q_EMIT loadRequested(today, ++m_ticket, QPrivateSignal());
}

bool ThreadedBoardFeed::hasUnfinishedLoads() const {
    return m_busy || blockedThreadCount() > 0;
}

void ThreadedBoardFeed::deliver(quint64 ticket, const BoardData& data) {
    // An answer queued just before its load was given up on may still
    // arrive after the disconnection: it is not this one.
    if (ticket != m_ticket || !m_busy)
        return;
    m_deadline.stop();
    m_busy = false;
    BoardData replaced = std::exchange(m_delivered, data);
    Q_EMIT loaded(data);
    // By now the window has let go of the tables `replaced` holds. Freeing
    // them, cell by cell, is the database thread's work, done while the
    // window lays itself out and paints.
    const bool bigBoards = std::max(rowsOf(data), rowsOf(replaced)) >= TrimmedBoardRows;
    if (!m_worker)
        return;
    m_worker->release(std::move(replaced), bigBoards);
    Q_EMIT releaseRequested(QPrivateSignal());
}

int ThreadedBoardFeed::rowsOf(const BoardData& data) {
    return data.first.recordCount() + data.second.recordCount() + data.board.recordCount();
}

void ThreadedBoardFeed::fail(const QDate& today, const QString& message) {
    BoardData data;
    data.today = today;
    data.requestsError = message;
    m_busy = false;
    Q_EMIT loaded(data);
}

void ThreadedBoardFeed::abandonThread() {
    m_deadline.stop();
    if (!m_thread)
        return;
    disconnect(this, &ThreadedBoardFeed::loadRequested, m_worker, nullptr);
    disconnect(this, &ThreadedBoardFeed::releaseRequested, m_worker, nullptr);
    disconnect(m_worker, &DatabaseWorker::loaded, this, nullptr);
    // The loop ends once the blocked call returns; the worker, its source
    // and connection go with it, and the thread object after it. Nothing
    // here may wait on it.
    connect(m_thread, &QThread::finished, m_thread, &QObject::deleteLater);
    m_thread->quit();
    m_abandoned.append(m_thread);
    m_thread = nullptr;
    m_worker = nullptr;
}

void ThreadedBoardFeed::forgetFinishedThreads() {
    m_abandoned.removeIf([](const QPointer<QThread>& thread) { return thread.isNull(); });
}

int ThreadedBoardFeed::blockedThreadCount() const {
    return int(std::count_if(m_abandoned.cbegin(), m_abandoned.cend(),
                             [](const QPointer<QThread>& t) { return t && t->isRunning(); }));
}

QString ThreadedBoardFeed::deadlineMessage() const {
    const double seconds = std::chrono::duration<double>(m_deadline.intervalAsDuration()).count();
    const QString server = m_describeServer ? m_describeServer() : QString();
    return u"A base de dados não respondeu em %1 s%2; a ligação foi abandonada e será "
           u"refeita na próxima atualização."_s.arg(
               QLocale(QLocale::Portuguese).toString(seconds, 'g', 3),
               server.isEmpty() ? QString() : u" (%1)"_s.arg(server));
}

} // namespace assi
