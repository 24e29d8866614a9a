#include "Grid.h"

#include "BoardError.h"
#include "GridCaptionBar.h"
#include "GridCellLook.h"
#include "GridGroupByBand.h"
#include "GridHeaderView.h"
#include "GridModel.h"
#include "GridTreeView.h"
#include "Logging.h"
#include "OleColor.h"
#include "Twips.h"

#include <QGuiApplication>
#include <QPainter>
#include <QScopedValueRollback>
#include <QScrollBar>
#include <QStyle>
#include <cmath>

using namespace Qt::StringLiterals;

namespace assi {

namespace {

constexpr double MaxRowHeight = 100000.0; // twips; far beyond any screen

const QString& designFontName() {
    static const QString name = u"MS Sans Serif"_s;
    return name;
}

} // namespace

Grid::Grid(QWidget* parent)
    : QWidget(parent), m_styles(this), m_font{designFontName(), 8.25, false} {
    // The model first: its placeholder columns report to this grid, which
    // has no view to update yet.
    m_model = new GridModel(m_styles, this, this);
    m_captionBar = new GridCaptionBar(this);
    m_groupByBand = new GridGroupByBand(this);
    m_view = new GridTreeView(this);
    m_groupByBand->setPrompt(
        u"Arraste um cabeçalho de coluna para aqui para agrupar por essa coluna"_s);
    m_captionBar->hide();
    m_view->setModel(m_model);
    m_view->setRowHeightPixels(twipsToPixels(m_rowHeight));
    m_view->setHeadingHeightPixels(twipsToPixels(m_headingHeight));
    setFocusProxy(m_view);

    connect(m_model, &QAbstractItemModel::modelReset, this, &Grid::afterReset);
    connect(m_view->selectionModel(), &QItemSelectionModel::currentChanged, this,
            [this](const QModelIndex& current) {
                if (current.isValid())
                    emitCurrentCellChanged();
            });
    connect(m_view, &GridTreeView::currentCellClickedAgain, this, &Grid::emitCurrentCellChanged);
    connect(m_view->verticalScrollBar(), &QScrollBar::valueChanged, this, &Grid::emitDismissed);
    connect(m_view->horizontalScrollBar(), &QScrollBar::valueChanged, this, &Grid::emitDismissed);
    connect(m_view, &QTreeView::collapsed, this, &Grid::emitDismissed);
    connect(m_view, &QTreeView::expanded, this, &Grid::emitDismissed);

    afterReset();
    applyLook();
}

Grid::~Grid() {
    // The view and the model read the styles, which go before the children.
    delete m_view;
    m_view = nullptr;
    delete m_model;
    m_model = nullptr;
}

// --- The grid as a whole

QString Grid::caption() const {
    return m_captionBar->text();
}

void Grid::setCaption(const QString& caption) {
    m_captionBar->setText(caption);
    layoutChildren();
}

void Grid::setBackColor(qint32 color) {
    m_backColor = color;
    applyLook();
}

void Grid::setFontName(const QString& name) {
    const QString trimmed = name.trimmed();
    m_font.name = trimmed.isEmpty() ? designFontName() : trimmed;
    applyLook();
}

void Grid::setFontSize(double points) {
    checkFontSize(points, u"letra da grelha %1"_s.arg(gridName()));
    m_font.size = points;
    applyLook();
}

void Grid::setFontBold(bool bold) {
    m_font.bold = bold;
    applyLook();
}

void Grid::setRowHeight(double twips) {
    if (!std::isfinite(twips) || twips <= 0 || twips > MaxRowHeight)
        throw BoardError(
            u"Altura das linhas inválida na grelha %1: %2. Indique um número de twips "
            u"maior do que 0 e não superior a 100000."_s.arg(gridName(), QString::number(twips)));
    m_rowHeight = twips;
    m_view->setRowHeightPixels(std::max(1, twipsToPixels(twips)));
}

void Grid::setHeadingHeight(double twips) {
    if (!std::isfinite(twips) || twips < 0 || twips > MaxRowHeight)
        throw BoardError(u"Altura dos cabeçalhos inválida na grelha %1: %2. Indique um número de "
                         u"twips entre 0 e 100000."_s.arg(gridName(), QString::number(twips)));
    m_headingHeight = twips;
    m_view->setHeadingHeightPixels(twipsToPixels(twips));
}

void Grid::setGroupByBoxVisible(bool visible) {
    m_groupByBoxVisible = visible;
    layoutChildren();
}

// --- Data

void Grid::setDataSource(const Recordset& recordset) {
    const int scroll = m_view->verticalScrollBar()->value();
    {
        const QScopedValueRollback quiet(m_quiet, true);
        m_model->setRecordset(recordset, m_groupKeys);
        m_groupKeys = m_model->groupKeys();
        m_view->doItemsLayout();
        m_view->verticalScrollBar()->setValue(scroll);
    }
    applyLook();
}

const Recordset& Grid::dataSource() const {
    return m_model->recordset();
}

bool Grid::hasDataSource() const {
    return m_model->isBound();
}

// --- Columns

int Grid::columnCount() const {
    return m_model->gridColumnCount();
}

GridColumn& Grid::column(const QString& key) {
    return const_cast<GridColumn&>(std::as_const(*this).column(key));
}

const GridColumn& Grid::column(const QString& key) const {
    const int index = m_model->columnIndex(key);
    if (index < 0)
        throw BoardError(u"A grelha %1 não tem a coluna \"%2\"."_s.arg(gridName(), key));
    return m_model->gridColumn(index);
}

GridColumn& Grid::columnAt(int index) {
    return const_cast<GridColumn&>(std::as_const(*this).columnAt(index));
}

const GridColumn& Grid::columnAt(int index) const {
    if (index < 0 || index >= columnCount())
        throw BoardError(u"A grelha %1 não tem a coluna número %2 (tem %3 colunas)."_s.arg(
            gridName(), QString::number(index), QString::number(columnCount())));
    return m_model->gridColumn(index);
}

// --- Styles

GridStyle& Grid::style(const QString& name) {
    return m_styles.style(name);
}

const GridStyle& Grid::style(const QString& name) const {
    return m_styles.style(name);
}

GridStyle& Grid::addStyle(const QString& name) {
    return m_styles.addStyle(name);
}

QStringList Grid::styleNames() const {
    return m_styles.styleNames();
}

// --- Grouping

void Grid::clearGroupColumns() {
    m_groupKeys.clear();
    scheduleGrouping();
}

void Grid::addGroupColumn(const QString& key) {
    const QString canonical = column(key).key();
    if (!m_groupKeys.contains(canonical))
        m_groupKeys << canonical;
    scheduleGrouping();
}

void Grid::scheduleGrouping() {
    applyLook(); // the band's chips follow at once
    if (m_groupingScheduled)
        return;
    m_groupingScheduled = true;
    QMetaObject::invokeMethod(
        this, [this] { applyGrouping(); }, Qt::QueuedConnection);
}

void Grid::applyGrouping() const {
    m_groupingScheduled = false;
    if (m_model->groupKeys() == m_groupKeys)
        return;
    const int scroll = m_view->verticalScrollBar()->value();
    const QScopedValueRollback quiet(m_quiet, true);
    try {
        m_model->setGroupKeys(m_groupKeys);
    } catch (const BoardError& error) {
        // Keys are checked when they are added; this only guards the event loop.
        qCWarning(lcGridView) << error.message();
        return;
    }
    m_view->doItemsLayout();
    m_view->verticalScrollBar()->setValue(scroll);
}

// --- Format rules

void Grid::addFormatRule(const QString& styleName, const QString& columnKey,
                         const QVariant& value) {
    const GridFormatRule rule{style(styleName).name(), column(columnKey).key(), value};
    m_model->addFormatRule(rule);
    m_view->viewport()->update();
}

QList<GridFormatRule> Grid::formatRules() const {
    return m_model->formatRules();
}

void Grid::clearFormatRules() {
    m_model->clearFormatRules();
    m_view->viewport()->update();
}

// --- Rows and the current cell

int Grid::displayedRowCount() const {
    applyGrouping();
    return m_view->displayedRowCount();
}

QModelIndex Grid::requireDisplayRow(int displayRow) const {
    applyGrouping();
    const QModelIndex index = m_view->indexAtDisplayRow(displayRow);
    if (!index.isValid())
        throw BoardError(u"A grelha %1 não mostra a linha %2 (mostra %3 linhas, contadas a "
                         u"partir de 0)."_s.arg(gridName(), QString::number(displayRow),
                                                QString::number(m_view->displayedRowCount())));
    return index;
}

bool Grid::isGroupHeaderRow(int displayRow) const {
    return m_model->isGroupHeader(requireDisplayRow(displayRow));
}

int Grid::recordRowAt(int displayRow) const {
    return m_model->recordRow(requireDisplayRow(displayRow));
}

QString Grid::displayedText(int displayRow, int column) const {
    const QModelIndex index = requireDisplayRow(displayRow);
    columnAt(column); // checks the column
    if (m_model->isGroupHeader(index))
        return index.data().toString();
    return index.siblingAtColumn(column).data().toString();
}

int Grid::currentDisplayRow() const {
    applyGrouping();
    return m_view->displayRowOf(m_view->currentIndex());
}

int Grid::currentColumn() const {
    applyGrouping();
    const QModelIndex current = m_view->currentIndex();
    return current.isValid() ? current.column() : -1;
}

void Grid::setCurrentCell(int displayRow, int column) {
    const QModelIndex cell =
        requireDisplayRow(displayRow).siblingAtColumn(columnAt(column).index());
    m_view->setFocus(Qt::MouseFocusReason);
    if (cell == m_view->currentIndex()) {
        emitCurrentCellChanged();
        return;
    }
    m_view->selectionModel()->setCurrentIndex(cell, QItemSelectionModel::ClearAndSelect |
                                                        QItemSelectionModel::Rows);
}

int Grid::currentRecordRow() const {
    applyGrouping();
    return m_model->recordRow(m_view->currentIndex());
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
    applyGrouping();
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

QAbstractItemModel* Grid::model() const {
    return m_model;
}

// --- Painting and layout

void Grid::resizeEvent(QResizeEvent*) {
    layoutChildren();
}

void Grid::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), colorFromOle(m_backColor));
    painter.setPen(QPen(colorFromOle(m_styles.style(u"Heading"_s).gridLineColor()), 0));
    painter.drawRect(rect().adjusted(0, 0, -1, -1));
}

void Grid::applyLook() {
    const QPalette palette = QGuiApplication::palette();
    m_captionBar->setLook(GridCellLook::of(m_styles.style(u"Caption"_s), palette));
    const GridCellLook band = GridCellLook::of(m_styles.style(u"GroupByBox"_s), palette);
    GridCellLook chip = GridCellLook::of(m_styles.style(u"Heading"_s), palette);
    chip.font = band.font;
    m_groupByBand->setLooks(band, chip);
    QStringList chips;
    for (const QString& key : std::as_const(m_groupKeys)) {
        const int index = m_model->columnIndex(key);
        chips << (index >= 0 ? m_model->gridColumn(index).caption() : key);
    }
    m_groupByBand->setChips(chips);
    m_view->setBackgroundColor(colorFromOle(m_backColor, palette));
    m_view->viewport()->update();
    m_view->header()->viewport()->update();
    layoutChildren();
    update();
}

void Grid::layoutChildren() {
    // A one-pixel frame around the caption, the band and the rows.
    const QRect area = rect().adjusted(1, 1, -1, -1);
    int top = area.top();
    const bool showCaption = !m_captionBar->text().isEmpty();
    m_captionBar->setVisible(showCaption);
    if (showCaption) {
        const int height = m_captionBar->preferredHeight();
        m_captionBar->setGeometry(area.left(), top, area.width(), height);
        top += height;
    }
    m_groupByBand->setVisible(m_groupByBoxVisible);
    if (m_groupByBoxVisible) {
        const int height = m_groupByBand->preferredHeight();
        m_groupByBand->setGeometry(area.left(), top, area.width(), height);
        top += height;
    }
    m_view->setGeometry(area.left(), top, area.width(), std::max(0, area.bottom() + 1 - top));
    applyColumnWidths();
}

void Grid::applyColumn(const GridColumn& column) {
    m_view->setColumnHidden(column.index(), column.isHidden());
    applyColumnWidths();
    m_view->header()->viewport()->update();
}

void Grid::applyColumnWidths() {
    // Nobody scrolls a board on a wall: columns wider than the grid shrink
    // in proportion so every one of them stays in sight. They never grow.
    const int columns = m_model->gridColumnCount();
    int total = 0;
    for (int c = 0; c < columns; ++c) {
        const GridColumn& column = m_model->gridColumn(c);
        if (!column.isHidden())
            total += twipsToPixels(column.width());
    }
    const int available = m_view->width() - 2 * m_view->frameWidth() -
                          m_view->style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, m_view);
    const double scale =
        (total > 0 && available > 0 && total > available) ? double(available) / total : 1.0;
    for (int c = 0; c < columns; ++c)
        m_view->setColumnWidth(c, int(twipsToPixels(m_model->gridColumn(c).width()) * scale));
}

void Grid::afterReset() {
    const QScopedValueRollback quiet(m_quiet, true);
    for (int c = 0; c < m_model->gridColumnCount(); ++c)
        applyColumn(m_model->gridColumn(c));
    m_view->expandAll();
}

// --- GridHost

QString Grid::gridName() const {
    return objectName().isEmpty() ? u"sem nome"_s : objectName();
}

void Grid::styleChanged(const GridStyle&) {
    if (m_view)
        applyLook();
}

void Grid::columnChanged(const GridColumn& column) {
    if (!m_view)
        return;
    applyColumn(column);
    if (m_groupKeys.contains(column.key()))
        applyLook();
}

void Grid::emitDismissed() {
    if (!m_quiet)
        Q_EMIT dismissed();
}

void Grid::emitCurrentCellChanged() {
    if (!m_quiet)
        Q_EMIT currentCellChanged();
}

} // namespace assi
