#pragma once

#include "board/AttentionMarks.h"
#include "board/AttentionSettings.h"

#include <QDate>
#include <memory>
#include <optional>

namespace assi {

class Grid;
class SettingsLookup;

/// What needs attention on the board, marked on its grids: requests getting
/// old or late and requests just in, on both request grids, and orders
/// without a technician on the weekly board. Each mark is on only while
/// its settings ask for it; with none, the grids carry no marks and add no
/// styles. Times are on a steady clock, in milliseconds.
class BoardAttention {
public:
    BoardAttention(Grid& first, Grid& second, Grid& board);
    ~BoardAttention();

    /// The request grids have just shown a refresh's requests, seen at `now`:
    /// reads the settings, takes the arrivals and marks the requests.
    [[nodiscard]] QList<LookProblem> requestsRefreshed(const SettingsLookup& settings,
                                                       const QDate& today, qint64 now);
    /// The settings changed with the same requests on the grids: marks them again.
    [[nodiscard]] QList<LookProblem> requestSettingsChanged(const SettingsLookup& settings,
                                                            const QDate& today, qint64 now);
    /// The weekly board has shown new orders, or its settings changed.
    [[nodiscard]] QList<LookProblem> ordersShown(const SettingsLookup& settings);
    /// A tick of the clock: a new day ages the requests, and a request
    /// stops being new when its minutes are up.
    void tick(const QDate& today, qint64 now);

    /// One mark per record of `grid` (one of the three), as last marked;
    /// empty before the first marking.
    const RowMarks& marksOf(const Grid& grid) const;
    /// When a mark ends next without a refresh, if one does.
    std::optional<qint64> nextChange() const { return m_nextChange; }

private:
    void markRequests(const QDate& today, qint64 now);

    Grid& m_first;
    Grid& m_second;
    Grid& m_board;
    RequestAttention m_requests;
    OrderAttention m_orders;
    RequestArrivals m_arrivals;
    std::shared_ptr<const RowMarks> m_firstMarks;
    std::shared_ptr<const RowMarks> m_secondMarks;
    std::shared_ptr<const RowMarks> m_boardMarks;
    QDate m_markedDay;
    std::optional<qint64> m_nextChange;
};

} // namespace assi
