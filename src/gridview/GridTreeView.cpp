#include "GridTreeView.h"

#include "GridDelegate.h"
#include "GridHeaderView.h"
#include "GridModel.h"

#include <QMouseEvent>
#include <QPainter>
#include <QScrollBar>

namespace assi {

GridTreeView::GridTreeView(QWidget* parent)
    : QTreeView(parent), m_delegate(new GridDelegate(this)), m_header(new GridHeaderView(this)) {
    setObjectName(QStringLiteral("rows"));
    setHeader(m_header);
    setItemDelegate(m_delegate);
    setFrameShape(QFrame::NoFrame);
    setIndentation(0);
    setRootIsDecorated(false);
    setItemsExpandable(true);
    // Double clicks on group headers are handled here: Qt only toggles on column 0.
    setExpandsOnDoubleClick(false);
    setUniformRowHeights(true);
    setAllColumnsShowFocus(true);
    setAnimated(false);
    setSortingEnabled(false);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setDragEnabled(false);
    setAcceptDrops(false);
    setDragDropMode(QAbstractItemView::NoDragDrop);
    setVerticalScrollMode(QAbstractItemView::ScrollPerPixel);
    setHorizontalScrollMode(QAbstractItemView::ScrollPerPixel);
    setTextElideMode(Qt::ElideNone);
    viewport()->setAutoFillBackground(true);
}

void GridTreeView::setRowHeightPixels(int pixels) {
    if (pixels == m_delegate->rowHeight())
        return;
    m_delegate->setRowHeight(pixels);
    scheduleDelayedItemsLayout();
}

void GridTreeView::setHeadingHeightPixels(int pixels) {
    if (pixels == m_header->height() && m_header->minimumHeight() == pixels)
        return;
    m_header->setFixedHeight(pixels);
    updateGeometries();
}

void GridTreeView::setBackgroundColor(const QColor& color) {
    QPalette palette = viewport()->palette();
    if (palette.color(QPalette::Base) == color)
        return;
    palette.setColor(QPalette::Base, color);
    palette.setColor(QPalette::Window, color);
    viewport()->setPalette(palette);
    m_header->setEmptyAreaColor(color);
}

template <typename Visit>
bool GridTreeView::walkDisplayedRows(const QModelIndex& parent, int& row, Visit&& visit) const {
    const QAbstractItemModel* m = model();
    const int count = m->rowCount(parent);
    for (int r = 0; r < count; ++r) {
        const QModelIndex index = m->index(r, 0, parent);
        if (visit(index, row++))
            return true;
        if (isExpanded(index) && walkDisplayedRows(index, row, visit))
            return true;
    }
    return false;
}

int GridTreeView::displayedRowCount() const {
    if (!model())
        return 0;
    int row = 0;
    walkDisplayedRows(QModelIndex(), row, [](const QModelIndex&, int) { return false; });
    return row;
}

QModelIndex GridTreeView::indexAtDisplayRow(int displayRow) const {
    if (!model() || displayRow < 0)
        return {};
    QModelIndex found;
    int row = 0;
    walkDisplayedRows(QModelIndex(), row, [&](const QModelIndex& index, int r) {
        if (r != displayRow)
            return false;
        found = index;
        return true;
    });
    return found;
}

int GridTreeView::displayRowOf(const QModelIndex& index) const {
    if (!model() || !index.isValid())
        return -1;
    const QModelIndex target = index.siblingAtColumn(0);
    int found = -1;
    int row = 0;
    walkDisplayedRows(QModelIndex(), row, [&](const QModelIndex& candidate, int r) {
        if (candidate != target)
            return false;
        found = r;
        return true;
    });
    return found;
}

QRect GridTreeView::rowRect(const QModelIndex& index) const {
    if (!index.isValid())
        return {};
    for (int visual = 0; visual < m_header->count(); ++visual) {
        const int logical = m_header->logicalIndex(visual);
        if (m_header->isSectionHidden(logical))
            continue;
        const QRect cell = visualRect(index.siblingAtColumn(logical));
        if (cell.isValid())
            return QRect(0, cell.top(), viewport()->width(), cell.height());
    }
    return {};
}

bool GridTreeView::isFocusedInWindow() const {
    return window()->focusWidget() == this;
}

void GridTreeView::drawRow(QPainter* painter, const QStyleOptionViewItem& options,
                           const QModelIndex& index) const {
    QStyleOptionViewItem option = options;
    const bool selected =
        selectionModel() && selectionModel()->isSelected(index.siblingAtColumn(0));
    option.state.setFlag(QStyle::State_Selected, selected);
    option.state.setFlag(QStyle::State_HasFocus, isFocusedInWindow());

    if (index.data(GridModel::GroupHeaderRole).toBool()) {
        int left = INT_MAX;
        int right = INT_MIN;
        for (int logical = 0; logical < m_header->count(); ++logical) {
            if (m_header->isSectionHidden(logical) || m_header->sectionSize(logical) <= 0)
                continue;
            const int x = m_header->sectionViewportPosition(logical);
            left = std::min(left, x);
            right = std::max(right, x + m_header->sectionSize(logical));
        }
        if (left >= right)
            return;
        option.rect = QRect(left, options.rect.top(), right - left, options.rect.height());
        m_delegate->paint(painter, option, index.siblingAtColumn(0));
        return;
    }

    const int viewportWidth = viewport()->width();
    for (int visual = 0; visual < m_header->count(); ++visual) {
        const int logical = m_header->logicalIndex(visual);
        const int width = m_header->sectionSize(logical);
        if (m_header->isSectionHidden(logical) || width <= 0)
            continue;
        const int x = m_header->sectionViewportPosition(logical);
        if (x + width <= 0 || x >= viewportWidth)
            continue;
        option.rect = QRect(x, options.rect.top(), width, options.rect.height());
        m_delegate->paint(painter, option, index.siblingAtColumn(logical));
    }
}

void GridTreeView::mousePressEvent(QMouseEvent* event) {
    const QPersistentModelIndex before = currentIndex();
    QTreeView::mousePressEvent(event);
    if (event->button() != Qt::LeftButton || !before.isValid())
        return;
    const QModelIndex pressed = indexAt(event->position().toPoint());
    if (pressed == before && currentIndex() == before)
        Q_EMIT currentCellClickedAgain();
}

void GridTreeView::mouseDoubleClickEvent(QMouseEvent* event) {
    const QModelIndex index = indexAt(event->position().toPoint());
    if (event->button() != Qt::LeftButton || !index.data(GridModel::GroupHeaderRole).toBool()) {
        QTreeView::mouseDoubleClickEvent(event);
        return;
    }
    const QModelIndex group = index.siblingAtColumn(0);
    setExpanded(group, !isExpanded(group));
}

void GridTreeView::focusInEvent(QFocusEvent* event) {
    QTreeView::focusInEvent(event);
    viewport()->update();
}

void GridTreeView::focusOutEvent(QFocusEvent* event) {
    QTreeView::focusOutEvent(event);
    viewport()->update();
}

} // namespace assi
