#include "board/BoardAttention.h"

#include "gridview/Grid.h"
#include "settings/SettingsLookup.h"

namespace assi {

namespace {

const RowMarks noMarks;

// The request marks in the order of the grid's marks.
constexpr RowMark requestMarks[] = {RowMark::Warning, RowMark::Late, RowMark::New};

// The style that draws `mark`, made the first time it is needed.
GridStyle& markStyle(Grid& grid, RowMark mark) {
    const QString name = markStyleName(mark);
    return grid.styleNames().contains(name, Qt::CaseInsensitive) ? grid.style(name)
                                                                 : grid.addStyle(name);
}

void showRequestMarks(Grid& grid, const RequestAttention& attention,
                      const std::shared_ptr<const RowMarks>& marks) {
    if (!attention.marksAge() && !attention.marksNew()) {
        grid.clearMarks();
        return;
    }
    const MarkColours colours[] = {attention.warning, attention.late, attention.fresh};
    QList<GridMark> gridMarks;
    for (size_t i = 0; i < std::size(requestMarks); ++i) {
        GridStyle& style = markStyle(grid, requestMarks[i]);
        style.setBackColor(colours[i].backColor);
        style.setForeColor(colours[i].foreColor);
        gridMarks.append({markStyleName(requestMarks[i]), QString()});
    }
    grid.setMarks(gridMarks, [marks](int row, int) {
        if (row < 0 || size_t(row) >= marks->size())
            return -1;
        const RowMark mark = (*marks)[size_t(row)];
        const auto found = std::find(std::begin(requestMarks), std::end(requestMarks), mark);
        return found == std::end(requestMarks) ? -1 : int(found - std::begin(requestMarks));
    });
}

} // namespace

BoardAttention::BoardAttention(Grid& first, Grid& second, Grid& board)
    : m_first(first), m_second(second), m_board(board) {}

BoardAttention::~BoardAttention() = default;

QList<LookProblem> BoardAttention::requestsRefreshed(const SettingsLookup& settings,
                                                     const QDate& today, qint64 now) {
    m_requests = readRequestAttention(settings);
    // Arrivals are kept only while they are marked: a board turned to mark
    // them later starts from what it shows then.
    if (m_requests.marksNew())
        m_arrivals.take({&m_first.dataSource(), &m_second.dataSource()}, now);
    else
        m_arrivals.forget();
    markRequests(today, now);
    return m_requests.problems;
}

QList<LookProblem> BoardAttention::requestSettingsChanged(const SettingsLookup& settings,
                                                          const QDate& today, qint64 now) {
    m_requests = readRequestAttention(settings);
    if (!m_requests.marksNew())
        m_arrivals.forget();
    else if (!m_arrivals.isTracking())
        m_arrivals.take({&m_first.dataSource(), &m_second.dataSource()}, now);
    markRequests(today, now);
    return m_requests.problems;
}

void BoardAttention::markRequests(const QDate& today, qint64 now) {
    m_firstMarks = std::make_shared<const RowMarks>(
        assi::markRequests(m_first.dataSource(), today, m_requests, m_arrivals, now));
    m_secondMarks = std::make_shared<const RowMarks>(
        assi::markRequests(m_second.dataSource(), today, m_requests, m_arrivals, now));
    showRequestMarks(m_first, m_requests, m_firstMarks);
    showRequestMarks(m_second, m_requests, m_secondMarks);
    m_markedDay = today;
    m_nextChange =
        m_requests.marksNew() ? m_arrivals.nextChange(now, m_requests.newMinutes) : std::nullopt;
}

void BoardAttention::tick(const QDate& today, qint64 now) {
    if (!m_firstMarks)
        return; // nothing marked yet
    const bool newDay = m_requests.marksAge() && today != m_markedDay;
    const bool newOver = m_nextChange && now >= *m_nextChange;
    if (newDay || newOver)
        markRequests(today, now);
}

QList<LookProblem> BoardAttention::ordersShown(const SettingsLookup& settings) {
    m_orders = readOrderAttention(settings);
    const Recordset& board = m_board.dataSource();
    if (!m_orders.marksNoTechnician()) {
        m_boardMarks = std::make_shared<const RowMarks>(size_t(std::max(0, board.recordCount())),
                                                        RowMark::None);
        m_board.clearMarks();
        return m_orders.problems;
    }
    m_boardMarks = std::make_shared<const RowMarks>(markOrders(board));
    // Only the text's colour: the line keeps the board's background.
    markStyle(m_board, RowMark::NoTechnician).setForeColor(m_orders.noTechnicianForeColor);
    // The grid reads the board it shows now, as it is bound again at each refresh.
    m_board.setMarks({{markStyleName(RowMark::NoTechnician), m_orders.noTechnicianText}},
                     [board, marks = m_boardMarks](int row, int field) {
                         if (row < 0 || size_t(row) >= marks->size() ||
                             (*marks)[size_t(row)] != RowMark::NoTechnician)
                             return -1;
                         return lacksTechnician(board, row, field) ? 0 : -1;
                     });
    return m_orders.problems;
}

const RowMarks& BoardAttention::marksOf(const Grid& grid) const {
    const std::shared_ptr<const RowMarks>& marks = &grid == &m_first    ? m_firstMarks
                                                   : &grid == &m_second ? m_secondMarks
                                                                        : m_boardMarks;
    return marks ? *marks : noMarks;
}

} // namespace assi
