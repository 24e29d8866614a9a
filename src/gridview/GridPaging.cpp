// Grid's pages and group captions: the rest of Grid is in Grid.cpp and GridRows.cpp.
#include "gridview/Grid.h"
#include "gridview/GridCaptionBar.h"
#include "gridview/GridDelegate.h"
#include "gridview/GridTreeView.h"
#include "gridview/GroupingProxyModel.h"

#include <QEvent>
#include <QScopedValueRollback>
#include <QScrollBar>
#include <memory>

using namespace Qt::StringLiterals;

namespace assi {

void Grid::setEmptyGroupCaption(const QString& caption) {
    m_view->gridDelegate()->setEmptyGroupCaption(caption);
    m_view->viewport()->update();
}

bool Grid::eventFilter(QObject* watched, QEvent* event) {
    if (watched == m_view->viewport() && event->type() == QEvent::Resize)
        scheduleUpdate();
    return QWidget::eventFilter(watched, event);
}

void Grid::setPaged(bool paged) {
    if (paged == m_paged)
        return;
    m_paged = paged;
    m_pages.clear();
    m_page = 0;
    if (paged) {
        scheduleUpdate();
        return;
    }
    m_view->clearPage();
    m_captionBar->setPageText(QString());
}

int Grid::pageCount() const {
    return m_paged ? std::max(1, int(m_pages.size())) : 1;
}

int Grid::currentPage() const {
    return m_paged ? m_page : 0;
}

void Grid::setCurrentPage(int page) {
    settle();
    if (!m_paged || m_pages.isEmpty())
        return;
    const int wanted = page >= 0 && page < m_pages.size() ? page : 0;
    if (wanted == m_page)
        return;
    m_page = wanted;
    showCurrentPage();
    Q_EMIT pageChanged();
}

bool Grid::showNextPage() {
    settle();
    if (pageCount() <= 1)
        return false;
    setCurrentPage((m_page + 1) % int(m_pages.size()));
    return true;
}

int Grid::pageFirstRow() const {
    if (m_paged && !m_pages.isEmpty())
        return m_pages.at(m_page).firstRow;
    const int scroll = m_view->verticalScrollBar()->value();
    if (!m_view->rowsFitText()) {
        const int rowHeight = std::max(1, m_view->gridDelegate()->rowHeight());
        return (scroll + rowHeight - 1) / rowHeight;
    }
    int row = 0;
    for (int top = 0; top < scroll; ++row)
        top += m_view->heightOfRow(m_view->indexAtDisplayRow(row));
    return row;
}

void Grid::setPageStartRule(PageStartRule rule) {
    m_pageStartRule = std::move(rule);
    scheduleUpdate();
}

GridPageRows Grid::pageRows() const {
    // Read once here: the page computation asks about each row several times.
    struct Shown {
        std::vector<int> headerAbove;
        std::vector<bool> isHeader;
        std::vector<int> record;
    };
    auto shown = std::make_shared<Shown>();
    const QList<QModelIndex> indexes = m_view->displayedIndexes();
    shown->isHeader.reserve(size_t(indexes.size()));
    shown->headerAbove.reserve(size_t(indexes.size()));
    shown->record.reserve(size_t(indexes.size()));
    // A group's records follow its header row, with no other header between:
    // a record's header is the last one shown, when that one is its parent.
    QModelIndex lastHeader;
    int lastHeaderRow = -1;
    for (int row = 0; row < indexes.size(); ++row) {
        const QModelIndex& index = indexes.at(row);
        const bool header = m_groups->isGroupHeader(index);
        if (header) {
            lastHeader = index;
            lastHeaderRow = row;
        }
        shown->isHeader.push_back(header);
        shown->headerAbove.push_back(
            header || !lastHeader.isValid() || index.parent() != lastHeader ? -1 : lastHeaderRow);
        const QModelIndex record = m_groups->mapToSource(index);
        shown->record.push_back(record.isValid() ? record.row() : -1);
    }

    GridPageRows rows;
    rows.count = int(indexes.size());
    rows.rowsPerPage =
        m_view->viewport()->height() / std::max(1, m_view->gridDelegate()->rowHeight());
    if (m_view->rowsFitText()) {
        auto heights = std::make_shared<std::vector<int>>();
        for (const QModelIndex& index : indexes)
            heights->push_back(m_view->heightOfRow(index));
        rows.heightOf = [heights](int row) { return heights->at(size_t(row)); };
        rows.areaHeight = m_view->viewport()->height();
    }
    rows.headerAbove = [shown](int row) { return shown->headerAbove.at(size_t(row)); };
    rows.isGroupHeader = [shown](int row) { return bool(shown->isHeader.at(size_t(row))); };
    if (m_pageStartRule) {
        rows.mayStartAt = [shown, rule = m_pageStartRule, &recordset = dataSource()](int row) {
            const int record = shown->record.at(size_t(row));
            return record < 0 || rule(recordset, record);
        };
    }
    return rows;
}

void Grid::relayoutPages() {
    if (!m_paged)
        return;
    const QList<GridPage> pages = computeGridPages(pageRows());
    if (pages == m_pages)
        return;
    const int topBefore = m_pages.isEmpty() ? -1 : m_pages.at(m_page).topRow;
    m_pages = pages;
    // A refresh keeps the page it was on while there still is one.
    if (m_page >= m_pages.size())
        m_page = 0;
    showCurrentPage();
    if (topBefore >= 0 && topBefore != m_pages.at(m_page).topRow)
        Q_EMIT pageChanged();
}

void Grid::showCurrentPage() {
    const GridPage& page = m_pages.at(m_page);
    {
        const QScopedValueRollback quiet(m_quiet, true);
        m_view->showPage(page.topRow, page.repeatedHeaderRow, page.endRow);
    }
    m_captionBar->setPageText(m_pages.size() > 1 ? u"%1/%2"_s.arg(m_page + 1).arg(m_pages.size())
                                                 : QString());
}

} // namespace assi
