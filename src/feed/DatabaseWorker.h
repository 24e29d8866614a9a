#pragma once

#include "data/BoardData.h"

#include <QObject>
#include <memory>
#include <mutex>
#include <vector>

namespace assi {

class BoardSource;

/// The database side of ThreadedBoardFeed: lives on one of the feed's
/// threads, so its source and the connection it holds are used, and
/// destroyed, only there. Once the feed abandons it, it answers no one and
/// goes with its thread.
class DatabaseWorker : public QObject {
    Q_OBJECT
public:
    explicit DatabaseWorker(std::unique_ptr<BoardSource> source);
    ~DatabaseWorker() override;

    /// `ticket` comes back with the data, telling the feed which load it
    /// answers.
    void load(QDate today, quint64 ticket);

    /// Takes a board the window has let go of, for freeReleased() to free on
    /// this worker's thread. May be called from any thread.
    void release(BoardData data, bool returnMemory);
    /// Frees the boards released so far, then, when one of them asked for
    /// it, hands the memory they held back to the system.
    void freeReleased();

Q_SIGNALS:
    void loaded(quint64 ticket, const assi::BoardData& data);

private:
    std::unique_ptr<BoardSource> m_source;
    std::mutex m_releasedLock; // guards the two below
    std::vector<BoardData> m_released;
    bool m_returnMemory = false;
};

} // namespace assi
