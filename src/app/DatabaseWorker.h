#pragma once

#include "BoardData.h"

#include <QObject>
#include <memory>

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

Q_SIGNALS:
    void loaded(quint64 ticket, const assi::BoardData& data);

private:
    std::unique_ptr<BoardSource> m_source;
};

} // namespace assi
