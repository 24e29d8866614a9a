#pragma once

#include "BoardFeed.h"

#include <memory>

class QThread;

namespace assi {

class BoardSource;

/// Runs the database work on a thread of its own, which owns the connection,
/// so a slow or unreachable server never freezes the window.
///
/// The day to load goes to a DatabaseWorker living on that thread, and the
/// finished data comes back, as queued signals: each side only ever runs on
/// its own thread, and what crosses is copied into the queued call.
///
/// When the feed is destroyed while a load is still running (Esc during a
/// stuck query), the thread is left behind on purpose: the program is about
/// to end and must not wait for the driver. The thread ends, and frees the
/// worker, whenever the driver gives up; the owner may instead end the
/// process at once (see execBoard).
class ThreadedBoardFeed : public BoardFeed {
    Q_OBJECT
public:
    /// `source` runs on the feed's thread from now on, and is destroyed there.
    explicit ThreadedBoardFeed(std::unique_ptr<BoardSource> source, QObject* parent = nullptr);
    ~ThreadedBoardFeed() override;

    void load(const QDate& today) override;
    bool isBusy() const override { return m_busy; }

Q_SIGNALS:
    /// Queued to the worker: the day to load.
    void loadRequested(QDate today, QPrivateSignal);

private:
    void deliver(const BoardData& data);

    QThread* m_thread;
    bool m_busy = false;
};

} // namespace assi
