#include "app/ShownBoardLine.h"

#include "app/Assi.h"
#include "data/WeekBoard.h"
#include "gridview/Grid.h"
#include "wall/BoardSchedule.h"

using namespace Qt::StringLiterals;

namespace assi {

namespace {

QString counted(int count, const QString& one, const QString& many) {
    return u"%1 %2"_s.arg(count).arg(count == 1 ? one : many);
}

int recordsOf(const Grid& grid) {
    return std::max(0, grid.dataSource().recordCount());
}

// Tipo of the row that names an order's technician, under its client's.
const QString TechnicianRow = u"1"_s;

// An order takes a day's cell in its client's row and the same cell in the
// technician's row under it; either may be empty, never both.
int ordersOn(const Recordset& board) {
    const auto hasText = [&board](int row, int field) {
        return !board.valueAt(row, field).toString().isEmpty();
    };
    int orders = 0;
    const int rows = std::max(0, board.recordCount());
    for (int row = 0; row < rows; ++row) {
        if (board.valueAt(row, boardTipoField).toString() == TechnicianRow)
            continue;
        const bool technicianBelow =
            row + 1 < rows && board.valueAt(row + 1, boardTipoField).toString() == TechnicianRow;
        for (int column = 0; column < dayColumnCount; ++column) {
            const int field = boardDayField(column);
            if (hasText(row, field) || (technicianBelow && hasText(row + 1, field)))
                ++orders;
        }
    }
    return orders;
}

bool showsData(const Assi& window, const Grid* grid) {
    return grid->isVisibleTo(&const_cast<Assi&>(window)) && grid->dataSource().recordCount() >= 0;
}

} // namespace

QString pageWords(const QList<ShownPage>& pages) {
    const ShownPage* longest = nullptr;
    for (const ShownPage& page : pages)
        if (page.count > 1 && (!longest || page.count > longest->count))
            longest = &page;
    return longest ? u"página %1/%2"_s.arg(longest->current).arg(longest->count) : QString();
}

QString describeShownBoard(const Assi& window) {
    if (!window.startupProblem().isEmpty())
        return u"O quadro não pode arrancar: "_s + window.startupProblem();
    const QString footer = window.statusView().status;
    if (!window.schedule().isOpen())
        return footer;
    QStringList parts{footer};
    QList<ShownPage> pages;
    const Grid* requestGrids[] = {window.Grelha_1(), window.Grelha_11()};
    if (showsData(window, requestGrids[0])) {
        int requests = 0;
        for (const Grid* grid : requestGrids)
            requests += recordsOf(*grid);
        parts << counted(requests, u"pedido"_s, u"pedidos"_s);
    }
    if (showsData(window, window.Grelha_2()))
        parts << counted(ordersOn(window.Grelha_2()->dataSource()), u"ordem"_s, u"ordens"_s);
    for (const Grid* grid : {window.Grelha_1(), window.Grelha_11(), window.Grelha_2()})
        if (showsData(window, grid))
            pages.append({grid->currentPage() + 1, grid->pageCount()});
    if (const QString page = pageWords(pages); !page.isEmpty())
        parts << page;
    parts.removeAll(QString());
    return parts.join(u" · "_s);
}

} // namespace assi
