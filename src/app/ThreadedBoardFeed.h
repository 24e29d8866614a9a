#pragma once

#include "BoardFeed.h"

#include <QString>

class QThread;

namespace assi {

class BoardLoader;

/// Runs the database work on a thread of its own, which owns the connection,
/// so a slow or unreachable server never freezes the window.
///
/// When the feed is destroyed while a load is still running (Esc during a
/// stuck query), the thread and its loader are left behind on purpose: the
/// program is about to end and must not wait for the driver. The owner then
/// ends the process without running static destructors; see isAbandoned().
class ThreadedBoardFeed : public BoardFeed {
    Q_OBJECT
public:
    ThreadedBoardFeed(QString baseDirOverride, QString appDir, QObject* parent = nullptr);
    ~ThreadedBoardFeed() override;

    void load(const QDate& today) override;
    bool isBusy() const override { return m_busy; }

    /// True once a destroyed feed had to leave a running load behind.
    static bool isAbandoned();

private:
    QThread* m_thread = nullptr;
    QObject* m_worker = nullptr; // lives on m_thread; owns the loader
    BoardLoader* m_loader = nullptr;
    bool m_busy = false;
};

} // namespace assi
