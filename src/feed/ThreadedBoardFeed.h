#pragma once

#include "database/ConnectionStringBuilder.h"
#include "feed/BoardFeed.h"

#include <QList>
#include <QPointer>
#include <QTimer>
#include <chrono>
#include <functional>
#include <memory>

class QThread;

namespace assi {

class BoardSource;
class DatabaseWorker;

/// Runs the database work on a thread of its own, which owns the connection,
/// so a slow or unreachable server never freezes the window.
///
/// The day to load goes to a DatabaseWorker living on that thread, and the
/// finished data comes back, as queued signals: each side only ever runs on
/// its own thread, and what crosses is copied into the queued call.
///
/// Every load has a deadline for the whole of it (connecting and every
/// statement): the driver's timeouts apply per read, so a server trickling
/// a byte every few seconds could otherwise hold the board for good. When it
/// passes, loaded() reports the failure and the feed drops that connection.
/// A driver call cannot be interrupted, so dropping means abandoning: the
/// worker's answer is cut off (a late one is never delivered), its thread is
/// told to end, and it frees its worker, source and connection whenever the
/// driver returns. The next load starts a fresh thread with a fresh source
/// from the factory. At most MaxAbandonedThreads may still be blocked; past
/// that a load fails at once (reported through loaded(), queued) rather than
/// piling up threads against a server that never answers.
///
/// When the feed is destroyed while threads are still blocked (Esc during a
/// stuck query), they are left behind on purpose: the program is about to
/// end and must not wait for the driver. A running QThread must not be
/// destroyed either, so the owner should end the process at once while
/// hasUnfinishedLoads() (see execBoard).
class ThreadedBoardFeed : public BoardFeed {
    Q_OBJECT
public:
    using SourceFactory = std::function<std::unique_ptr<BoardSource>()>;
    /// Names the server and database for the deadline's message (never the
    /// password); called on the feed's thread. Empty: not named.
    using ServerDescription = std::function<QString()>;

    /// Twice the driver's default query timeout: one slow statement still
    /// fits, a server that keeps the board waiting does not.
    static constexpr std::chrono::milliseconds DefaultDeadline =
        std::chrono::seconds(2 * ConnectionStringBuilder::DefaultQueryTimeoutSeconds);
    /// Abandoned threads allowed to be still blocked in the driver.
    static constexpr int MaxAbandonedThreads = 3;
    /// Rows of a delivered or replaced board from which the memory freed by
    /// the replacement goes back to the system; below, it is too little to
    /// be worth the time.
    static constexpr int TrimmedBoardRows = 50000;

    /// `makeSource` is called on the feed's thread, and each source it makes
    /// then runs on a database thread, and is destroyed there.
    explicit ThreadedBoardFeed(SourceFactory makeSource, QObject* parent = nullptr);
    ~ThreadedBoardFeed() override;

    void load(const QDate& today) override;
    bool isBusy() const override { return m_busy; }
    bool hasUnfinishedLoads() const override;

    void setDeadline(std::chrono::milliseconds deadline);
    void setServerDescription(ServerDescription describe);

Q_SIGNALS:
    /// Queued to the worker: the day to load.
    void loadRequested(QDate today, quint64 ticket, QPrivateSignal);
    /// Queued to the worker: free the boards released to it.
    void releaseRequested(QPrivateSignal);

private:
    void startThread();
    void deliver(quint64 ticket, const BoardData& data);
    static int rowsOf(const BoardData& data);
    void fail(const QDate& today, const QString& message);
    void abandonThread();
    void forgetFinishedThreads();
    int blockedThreadCount() const;
    QString deadlineMessage() const;

    SourceFactory m_makeSource;
    ServerDescription m_describeServer;
    QThread* m_thread = nullptr; // none until a load needs one, or after abandoning
    DatabaseWorker* m_worker = nullptr;
    QList<QPointer<QThread>> m_abandoned;
    QTimer m_deadline;
    QDate m_loadingDay;
    quint64 m_ticket = 0;  // of the latest load; answers to earlier ones are stale
    BoardData m_delivered; // the last load handed to the window
    bool m_busy = false;
};

} // namespace assi
