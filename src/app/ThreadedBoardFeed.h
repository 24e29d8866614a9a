#pragma once

#include "BoardFeed.h"

#include <QString>

#include <atomic>
#include <memory>

class QThread;

namespace assi {

class BoardSource;

/// Runs the database work on a thread of its own, which owns the connection,
/// so a slow or unreachable server never freezes the window.
///
/// When the feed is destroyed while a load is still running (Esc during a
/// stuck query), the thread and its loader are left behind on purpose: the
/// program is about to end and must not wait for the driver; the owner then
/// ends the process without running static destructors (see execBoard).
class ThreadedBoardFeed : public BoardFeed {
    Q_OBJECT
public:
    /// `source` runs on the feed's thread from now on, and is destroyed there.
    explicit ThreadedBoardFeed(std::unique_ptr<BoardSource> source, QObject* parent = nullptr);
    ~ThreadedBoardFeed() override;

    void load(const QDate& today) override;
    bool isBusy() const override { return m_busy; }

private:
    QThread* m_thread = nullptr;
    QObject* m_worker = nullptr; // lives on m_thread
    BoardSource* m_source = nullptr; // used and destroyed on m_thread
    bool m_busy = false;
    // Set when the feed is destroyed mid-load; read by the load left behind.
    std::shared_ptr<std::atomic_bool> m_abandoned;
};

} // namespace assi
