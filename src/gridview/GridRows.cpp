// Grid's rows as they are shown (grouped, drawn by the format rules) and its
// current cell, as its users read and move them: the rest of Grid is in
// Grid.cpp.
#include "core/BoardError.h"
#include "gridview/Grid.h"
#include "gridview/GridDelegate.h"
#include "gridview/GridTreeView.h"
#include "gridview/GroupingProxyModel.h"
#include "gridview/Twips.h"

#include <QScopedValueRollback>
#include <QScrollBar>
#include <algorithm>

using namespace Qt::StringLiterals;

namespace assi {

// --- Grouping

void Grid::clearGroupColumns() {
    m_groupKeys.clear();
    scheduleUpdate();
}

void Grid::addGroupColumn(const QString& key) {
    const QString canonical = column(key).key();
    if (!m_groupKeys.contains(canonical))
        m_groupKeys << canonical;
    scheduleUpdate();
}

void Grid::applyGrouping() {
    QList<int> columns;
    for (const QString& key : std::as_const(m_groupKeys))
        columns << m_columns->indexOf(key);
    if (columns == m_groups->groupColumns())
        return;
    const int scroll = m_view->verticalScrollBar()->value();
    const QScopedValueRollback quiet(m_quiet, true);
    m_groups->setGroupColumns(columns);
    m_view->doItemsLayout();
    m_view->verticalScrollBar()->setValue(scroll);
}

// --- Format rules

void Grid::addFormatRule(const QString& styleName, const QString& columnKey,
                         const QVariant& value) {
    const GridFormatRule rule{style(styleName).name(), column(columnKey).key(), value};
    auto same = std::find_if(m_rules.begin(), m_rules.end(),
                             [&rule](const GridFormatRule& r) { return r.sameAs(rule); });
    if (same != m_rules.end())
        *same = rule;
    else
        m_rules.append(rule);
    applyFormatRules();
}

QList<GridFormatRule> Grid::formatRules() const {
    return m_rules;
}

void Grid::clearFormatRules() {
    m_rules.clear();
    applyFormatRules();
}

void Grid::applyFormatRules() {
    QList<GridDelegate::FormatRule> rules;
    for (const GridFormatRule& rule : std::as_const(m_rules)) {
        const int column = m_columns->indexOf(rule.columnKey);
        const GridStyle* style = m_styles->find(rule.styleName);
        if (column >= 0 && style)
            rules.append({column, rule.value.toString(), style});
    }
    m_view->gridDelegate()->setFormatRules(rules);
    m_view->viewport()->update();
}

// --- Marks

void Grid::setMarks(const QList<GridMark>& marks, GridMarker markOf) {
    for (const GridMark& mark : marks)
        style(mark.styleName); // throws before anything changes
    m_marks = marks;
    m_markOf = std::move(markOf);
    applyMarks();
}

void Grid::clearMarks() {
    m_marks.clear();
    m_markOf = nullptr;
    applyMarks();
}

void Grid::applyMarks() {
    QList<GridDelegate::Mark> marks;
    for (const GridMark& mark : std::as_const(m_marks))
        marks.append({&m_styles->style(mark.styleName), mark.text});
    m_view->gridDelegate()->setMarks(marks, m_markOf);
    m_view->viewport()->update();
}

// --- Rows and the current cell

int Grid::displayedRowCount() const {
    return m_view->displayedRowCount();
}

QModelIndex Grid::requireDisplayRow(int displayRow) const {
    const QModelIndex index = m_view->indexAtDisplayRow(displayRow);
    if (!index.isValid())
        throw BoardError(u"A grelha %1 não mostra a linha %2 (mostra %3 linhas, contadas a "
                         u"partir de 0)."_s.arg(gridName(), QString::number(displayRow),
                                                QString::number(m_view->displayedRowCount())));
    return index;
}

QModelIndex Grid::requireCell(int displayRow, int column) const {
    const QModelIndex row = requireDisplayRow(displayRow);
    return row.siblingAtColumn(columnAt(column).index());
}

bool Grid::isGroupHeaderRow(int displayRow) const {
    return m_groups->isGroupHeader(requireDisplayRow(displayRow));
}

int Grid::recordRowAt(int displayRow) const {
    const QModelIndex record = m_groups->mapToSource(requireDisplayRow(displayRow));
    return record.isValid() ? record.row() : -1;
}

QString Grid::displayedText(int displayRow, int column) const {
    const QModelIndex cell = requireCell(displayRow, column);
    // A group header's text stands across the row, whatever the column.
    return m_view->gridDelegate()->cellText(m_groups->isGroupHeader(cell) ? cell.siblingAtColumn(0)
                                                                          : cell);
}

GridCellLook Grid::cellLook(int displayRow, int column) const {
    return m_view->gridDelegate()->cellLook(requireCell(displayRow, column));
}

int Grid::currentDisplayRow() const {
    return m_view->displayRowOf(m_view->currentIndex());
}

int Grid::currentColumn() const {
    const QModelIndex current = m_view->currentIndex();
    return current.isValid() ? current.column() : -1;
}

void Grid::setCurrentCell(int displayRow, int column) {
    settle();
    const QModelIndex cell = requireCell(displayRow, column);
    m_view->setFocus(Qt::MouseFocusReason);
    if (cell == m_view->currentIndex()) {
        emitCurrentCellChanged();
        return;
    }
    m_view->selectionModel()->setCurrentIndex(cell, QItemSelectionModel::ClearAndSelect |
                                                        QItemSelectionModel::Rows);
}

int Grid::currentRecordRow() const {
    const QModelIndex record = m_groups->mapToSource(m_view->currentIndex());
    return record.isValid() ? record.row() : -1;
}

QVariant Grid::currentValue(const QString& key) const {
    const int record = currentRecordRow();
    if (record < 0)
        throw BoardError(u"A grelha %1 não tem um registo atual."_s.arg(gridName()));
    const int field = dataSource().fieldIndex(key);
    if (field < 0)
        throw BoardError(u"A grelha %1 não tem o campo \"%2\"."_s.arg(gridName(), key));
    return dataSource().valueAt(record, field);
}

QRect Grid::currentRowRectInGrid() const {
    const QModelIndex current = m_view->currentIndex();
    if (!current.isValid())
        throw BoardError(u"A grelha %1 não tem uma célula atual."_s.arg(gridName()));
    const QRect row = m_view->rowRect(current);
    if (!row.isValid())
        throw BoardError(u"A célula atual da grelha %1 não está à vista."_s.arg(gridName()));
    return QRect(m_view->viewport()->mapTo(this, row.topLeft()), row.size());
}

double Grid::currentCellTop() const {
    return pixelsToTwips(currentRowRectInGrid().top());
}

double Grid::currentCellHeight() const {
    return pixelsToTwips(currentRowRectInGrid().height());
}

} // namespace assi
