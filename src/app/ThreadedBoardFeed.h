#pragma once

#include "BoardFeed.h"

#include <memory>
#include <thread>

class QSocketNotifier;

namespace assi {

class BoardSource;

/// Runs the database work on a thread of its own, which owns the connection,
/// so a slow or unreachable server never freezes the window.
///
/// The two threads meet only in a small mailbox guarded by a mutex: the
/// window posts the day to load, the database thread posts the finished data
/// back and wakes the window's event loop through an eventfd. No Qt object is
/// shared between them.
///
/// When the feed is destroyed while a load is still running (Esc during a
/// stuck query), the thread is left behind on purpose: the program is about
/// to end and must not wait for the driver; the owner then ends the process
/// without running static destructors (see execBoard).
class ThreadedBoardFeed : public BoardFeed {
    Q_OBJECT
public:
    /// `source` runs on the feed's thread from now on, and is destroyed there.
    explicit ThreadedBoardFeed(std::unique_ptr<BoardSource> source, QObject* parent = nullptr);
    ~ThreadedBoardFeed() override;

    void load(const QDate& today) override;
    bool isBusy() const override { return m_busy; }

private:
    struct Mailbox;
    static void run(std::shared_ptr<Mailbox> mailbox);
    void deliver();

    std::shared_ptr<Mailbox> m_mailbox;
    std::thread m_thread;
    QSocketNotifier* m_notifier = nullptr;
    bool m_busy = false;
};

} // namespace assi
