#include "gridview/GridTreeView.h"

#include "gridview/GridDelegate.h"
#include "gridview/GridHeaderView.h"
#include "gridview/GridPainting.h"

#include <QApplication>
#include <QMouseEvent>
#include <QPainter>
#include <QProxyStyle>
#include <QScrollBar>
#include <QStyleFactory>
#include <utility>

namespace assi {

namespace {

// The item views' text margin is the focus frame's plus one pixel: set so
// that a cell's text stands CellPaddingX from its edges, as in the headings.
class CellPaddingStyle : public QProxyStyle {
public:
    CellPaddingStyle() : QProxyStyle(QStyleFactory::create(QApplication::style()->name())) {}

    int pixelMetric(PixelMetric metric, const QStyleOption* option,
                    const QWidget* widget) const override {
        if (metric == PM_FocusFrameHMargin)
            return CellPaddingX - 1;
        return QProxyStyle::pixelMetric(metric, option, widget);
    }
};

} // namespace

GridTreeView::GridTreeView(const GridStyles& styles, QWidget* parent)
    : QTreeView(parent), m_delegate(new GridDelegate(styles, this)),
      m_header(new GridHeaderView(styles, this)) {
    setObjectName(QStringLiteral("rows"));
    setHeader(m_header);
    // Qt repaints after a column's resize from a timer of its own, which
    // fires after the window has painted the new widths already: the board's
    // columns are fitted all at once, before the paint, so the repaint is
    // asked for at once and joins that paint, and the geometries follow
    // once for all the columns, from the event loop or settle().
    disconnect(m_header, SIGNAL(sectionResized(int, int, int)), this,
               SLOT(columnResized(int, int, int)));
    connect(m_header, &QHeaderView::sectionResized, this, [this] {
        viewport()->update();
        if (std::exchange(m_geometriesDue, true))
            return;
        QMetaObject::invokeMethod(
            this,
            [this] {
                if (std::exchange(m_geometriesDue, false))
                    updateGeometries();
            },
            Qt::QueuedConnection);
    });
    setItemDelegate(m_delegate);
    setFrameShape(QFrame::NoFrame);
    setIndentation(0);
    setRootIsDecorated(false);
    setItemsExpandable(true);
    // Double clicks on group headers are handled here: Qt only toggles on column 0.
    setExpandsOnDoubleClick(false);
    setUniformRowHeights(true);
    m_delegate->setRowHeightOf([this](const QModelIndex& index) { return heightOfRow(index); });
    // The selection's look says which row is current: no focus frame.
    setAllColumnsShowFocus(false);
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
    auto* style = new CellPaddingStyle;
    style->setParent(this);
    setStyle(style);
    viewport()->setAutoFillBackground(true);
    // Qt sets the range again whenever the rows or the size change.
    connect(verticalScrollBar(), &QScrollBar::rangeChanged, this,
            &GridTreeView::keepPageInScrollRange);
}

void GridTreeView::setRowHeightPixels(int pixels) {
    if (pixels == m_delegate->rowHeight())
        return;
    m_delegate->setRowHeight(pixels);
    scheduleDelayedItemsLayout();
}

void GridTreeView::setRowsFitText(bool fit) {
    if (fit == m_rowsFitText)
        return;
    m_rowsFitText = fit;
    setUniformRowHeights(!fit);
    scheduleDelayedItemsLayout();
}

void GridTreeView::refitRows() {
    if (m_rowsFitText)
        scheduleDelayedItemsLayout();
}

// A row is as high as its tallest shown cell, so that every cell of it
// gives Qt the same height.
int GridTreeView::heightOfRow(const QModelIndex& index) const {
    if (!m_rowsFitText)
        return m_delegate->rowHeight();
    int height = 1;
    for (int section = 0; section < m_header->count(); ++section) {
        if (!m_header->isColumnHidden(section))
            height = std::max(height, m_delegate->textHeight(index.siblingAtColumn(section)));
    }
    return height;
}

int GridTreeView::rowTop(int displayRow) const {
    if (!m_rowsFitText)
        return displayRow * m_delegate->rowHeight();
    int top = 0;
    int row = 0;
    if (model()) {
        walkDisplayedRows(QModelIndex(), row, [&](const QModelIndex& index, int r) {
            if (r >= displayRow)
                return true;
            top += heightOfRow(index);
            return false;
        });
    }
    return top;
}

void GridTreeView::setHeadingHeightPixels(int pixels) {
    if (pixels == m_header->height() && m_header->minimumHeight() == pixels)
        return;
    m_header->setFixedHeight(pixels);
    updateGeometries();
}

void GridTreeView::setBackgroundColor(const QColor& color) {
    m_delegate->setRowsBackground(color);
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
    // Worked out from the rows' heights: visualRect() would first run a
    // waiting layout, which can move the scroll bars, from a getter.
    const int displayRow = displayRowOf(index);
    if (displayRow < 0 || !hasColumnWithWidth())
        return {};
    return QRect(0, rowTop(displayRow) - verticalScrollBar()->value(), viewport()->width(),
                 heightOfRow(index));
}

bool GridTreeView::hasColumnWithWidth() const {
    for (int section = 0; section < m_header->count(); ++section) {
        if (m_header->sectionSize(section) > 0)
            return true;
    }
    return false;
}

QList<QModelIndex> GridTreeView::displayedIndexes() const {
    QList<QModelIndex> shown;
    if (!model())
        return shown;
    int row = 0;
    walkDisplayedRows(QModelIndex(), row, [&](const QModelIndex& index, int) {
        shown.append(index);
        return false;
    });
    return shown;
}

void GridTreeView::showPage(int topRow, int repeatedHeaderRow, int endRow) {
    m_page = {topRow, repeatedHeaderRow, endRow};
    keepPageInScrollRange();
    verticalScrollBar()->setValue(pageScrollValue());
    viewport()->update();
}

void GridTreeView::clearPage() {
    if (m_page.topRow < 0)
        return;
    m_page = {};
    updateGeometries();
    viewport()->update();
}

int GridTreeView::pageScrollValue() const {
    return rowTop(m_page.topRow);
}

bool GridTreeView::isOnPage() const {
    // Someone who scrolled the rows by hand sees them as they are.
    return m_page.topRow >= 0 && verticalScrollBar()->value() == pageScrollValue();
}

void GridTreeView::keepPageInScrollRange() {
    // The last page starts at its own row even when fewer rows than a page follow.
    QScrollBar* bar = verticalScrollBar();
    if (m_page.topRow >= 0 && bar->maximum() < pageScrollValue())
        bar->setMaximum(pageScrollValue());
}

void GridTreeView::updateGeometries() {
    QTreeView::updateGeometries();
    keepPageInScrollRange();
}

void GridTreeView::paintEvent(QPaintEvent* event) {
    if (!isOnPage()) {
        QTreeView::paintEvent(event);
        return;
    }
    // The rows the page draws its header over or leaves blank are not
    // drawn first.
    const QModelIndex header = laidOutIndexAt(m_page.repeatedHeaderRow);
    const int headerHeight = header.isValid() ? displayRowHeight(m_page.topRow) : 0;
    const int endTop = rowTop(m_page.endRow) - rowTop(m_page.topRow);
    QPaintEvent rows(event->region() &
                     QRect(0, headerHeight, viewport()->width(), endTop - headerHeight));
    QTreeView::paintEvent(&rows);
    QPainter painter(viewport());
    drawPage(painter, header, headerHeight, endTop);
}

void GridTreeView::drawPage(QPainter& painter, const QModelIndex& header, int headerHeight,
                            int endTop) {
    // No row was drawn where the page is blank or where its header goes:
    // the viewport's own background is there already.
    const QColor background = viewport()->palette().color(QPalette::Base);
    const bool filled =
        viewport()->autoFillBackground() && viewport()->backgroundRole() == QPalette::Base;
    if (!filled && endTop < viewport()->height())
        painter.fillRect(0, endTop, viewport()->width(), viewport()->height() - endTop, background);
    if (!header.isValid())
        return;
    // Drawn as the header row itself is, one cell across the columns, in
    // the room of the row it covers.
    QStyleOptionViewItem option;
    initViewItemOption(&option);
    option.rect = QRect(-horizontalOffset(), 0, m_header->length(), headerHeight);
    if (!filled)
        painter.fillRect(0, 0, viewport()->width(), headerHeight, background);
    m_delegate->paint(&painter, option, header);
}

// Rows all of one height are found where the view laid them out, however
// far down: a page thousands of rows down costs what the first one does.
QModelIndex GridTreeView::laidOutIndexAt(int displayRow) const {
    if (m_rowsFitText || displayRow < 0)
        return indexAtDisplayRow(displayRow);
    for (int visual = 0; visual < m_header->count(); ++visual) {
        const int section = m_header->logicalIndex(visual);
        if (m_header->isSectionHidden(section) || m_header->sectionSize(section) <= 0)
            continue;
        const QPoint point(m_header->sectionViewportPosition(section),
                           rowTop(displayRow) - verticalScrollBar()->value());
        return indexAt(point).siblingAtColumn(0);
    }
    return {};
}

int GridTreeView::displayRowHeight(int displayRow) const {
    return m_rowsFitText ? heightOfRow(indexAtDisplayRow(displayRow)) : m_delegate->rowHeight();
}

void GridTreeView::settle() {
    executeDelayedItemsLayout();
    // Qt shows or hides the scroll bars, and so resizes the rows' area, from
    // a queued call of its own: made now, the new size is known before the
    // window paints.
    QCoreApplication::sendPostedEvents(this, QEvent::MetaCall);
}

void GridTreeView::reset() {
    QTreeView::reset();
    if (!model())
        return;
    spanGroups(QModelIndex());
    expandAll();
}

void GridTreeView::spanGroups(const QModelIndex& parent) {
    const int rows = model()->rowCount(parent);
    for (int row = 0; row < rows; ++row) {
        const QModelIndex index = model()->index(row, 0, parent);
        // Records never head a group: a level of them is passed over whole.
        if (index.flags() & Qt::ItemNeverHasChildren)
            return;
        if (!model()->hasChildren(index))
            continue;
        setFirstColumnSpanned(row, parent, true);
        spanGroups(index);
    }
}

bool GridTreeView::isCoveredByPage(const QPoint& point) const {
    if (!isOnPage())
        return false;
    const bool underHeader =
        m_page.repeatedHeaderRow >= 0 && point.y() < displayRowHeight(m_page.topRow);
    return underHeader || point.y() >= rowTop(m_page.endRow) - rowTop(m_page.topRow);
}

void GridTreeView::mousePressEvent(QMouseEvent* event) {
    // A click lands on what is drawn there, not on a row drawn over or left blank.
    if (isCoveredByPage(event->position().toPoint())) {
        event->accept();
        return;
    }
    const QPersistentModelIndex before = currentIndex();
    QTreeView::mousePressEvent(event);
    if (event->button() != Qt::LeftButton || !before.isValid())
        return;
    const QModelIndex pressed = indexAt(event->position().toPoint());
    if (pressed == before && currentIndex() == before)
        Q_EMIT currentCellClickedAgain();
}

void GridTreeView::mouseDoubleClickEvent(QMouseEvent* event) {
    if (isCoveredByPage(event->position().toPoint())) {
        event->accept();
        return;
    }
    const QModelIndex index = indexAt(event->position().toPoint());
    if (event->button() != Qt::LeftButton || !index.isValid() ||
        !model()->hasChildren(index.siblingAtColumn(0))) {
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
