#include "gridview/Grid.h"

#include "core/BoardError.h"
#include "gridview/GridCaptionBar.h"
#include "gridview/GridDelegate.h"
#include "gridview/GridGroupByBand.h"
#include "gridview/GridHeaderView.h"
#include "gridview/GridTreeView.h"
#include "gridview/GroupingProxyModel.h"
#include "gridview/OleColor.h"
#include "gridview/RecordsetModel.h"
#include "gridview/Twips.h"

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
    : QWidget(parent), m_styles(new GridStyles(this)), m_source(new RecordsetModel(this)),
      m_groups(new GroupingProxyModel(this)), m_captionBar(new GridCaptionBar(this)),
      m_groupByBand(new GridGroupByBand(this)), m_view(new GridTreeView(*m_styles, this)) {
    m_captionBar->hide();
    m_groups->setGroupRole(RecordsetModel::ValueRole);
    m_groups->setSourceModel(m_source);
    // Connected after the proxy, which starts its reset first: the groups of
    // a new binding reach it while it resets, so a binding is one reset.
    connect(m_source, &QAbstractItemModel::modelAboutToBeReset, this,
            [this] { m_groups->setGroupColumns(m_pendingGroupFields); });
    m_view->setModel(m_groups);
    m_columns =
        std::make_unique<GridColumns>(GridColumn::Parts{m_styles, m_source, m_view->gridHeader()});
    setFocusProxy(m_view);

    connect(m_styles, &GridStyles::changed, this, &Grid::scheduleUpdate);
    connect(m_source, &QAbstractItemModel::headerDataChanged, this, &Grid::scheduleUpdate);
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
    // Pages are laid out again whenever the rows or the room for them change.
    connect(m_view, &QTreeView::collapsed, this, &Grid::scheduleUpdate);
    connect(m_view, &QTreeView::expanded, this, &Grid::scheduleUpdate);
    m_view->viewport()->installEventFilter(this);

    applyChanges();
    m_view->gridHeader()->fitSections();
}

Grid::~Grid() {
    // The view goes before the models and styles it reads.
    delete m_view;
}

QString Grid::gridName() const {
    return m_styles->gridName();
}

// --- The grid as a whole

QString Grid::caption() const {
    return m_captionBar->text();
}

void Grid::setCaption(const QString& caption) {
    m_captionBar->setText(caption);
    scheduleUpdate();
}

QString Grid::captionNote() const {
    return m_captionBar->note();
}

void Grid::setCaptionNote(const QString& note) {
    m_captionBar->setNote(note);
}

void Grid::setBackColor(qint32 color) {
    m_backColor = color;
    scheduleUpdate();
}

void Grid::setFontName(const QString& name) {
    GridFont font = m_styles->baseFont();
    const QString trimmed = name.trimmed();
    font.name = trimmed.isEmpty() ? designFontName() : trimmed;
    m_styles->setBaseFont(font);
}

void Grid::setFontSize(double points) {
    checkFontSize(points, u"letra da grelha %1"_s.arg(gridName()));
    GridFont font = m_styles->baseFont();
    font.size = points;
    m_styles->setBaseFont(font);
}

void Grid::setFontBold(bool bold) {
    GridFont font = m_styles->baseFont();
    font.bold = bold;
    m_styles->setBaseFont(font);
}

void Grid::setRowHeight(double twips) {
    if (!std::isfinite(twips) || twips <= 0 || twips > MaxRowHeight)
        throw BoardError(
            u"Altura das linhas inválida na grelha %1: %2. Indique um número de twips "
            u"maior do que 0 e não superior a 100000."_s.arg(gridName(), QString::number(twips)));
    m_rowHeight = twips;
    scheduleUpdate();
}

void Grid::setHeadingHeight(double twips) {
    if (!std::isfinite(twips) || twips < 0 || twips > MaxRowHeight)
        throw BoardError(u"Altura dos cabeçalhos inválida na grelha %1: %2. Indique um número de "
                         u"twips entre 0 e 100000."_s.arg(gridName(), QString::number(twips)));
    m_headingHeight = twips;
    scheduleUpdate();
}

void Grid::setGroupByBoxVisible(bool visible) {
    m_groupByBoxVisible = visible;
    scheduleUpdate();
}

// --- Data

void Grid::setDataSource(const Recordset& recordset) {
    const int scroll = m_view->verticalScrollBar()->value();
    {
        const QScopedValueRollback quiet(m_quiet, true);
        m_pendingGroupFields = groupFieldsOf(recordset);
        m_groupKeys.clear();
        for (const int field : std::as_const(m_pendingGroupFields))
            m_groupKeys << recordset.field(field).name;
        m_source->setRecordset(recordset);
        m_bound = true;
        m_columns->createFor(recordset);
        m_view->gridDelegate()->setColumnStyles(m_columns->styles());
        applyFormatRules();
        m_view->verticalScrollBar()->setValue(scroll);
    }
    scheduleUpdate();
}

QList<int> Grid::groupFieldsOf(const Recordset& recordset) const {
    QList<int> fields;
    for (const QString& key : std::as_const(m_groupKeys)) {
        const int field = recordset.fieldIndex(key);
        if (field >= 0 && !fields.contains(field))
            fields << field;
    }
    return fields;
}

const Recordset& Grid::dataSource() const {
    static const Recordset unbound;
    return m_bound ? m_source->recordset() : unbound;
}

bool Grid::hasDataSource() const {
    return m_bound;
}

// --- Columns

int Grid::columnCount() const {
    return m_columns->count();
}

GridColumn& Grid::column(const QString& key) {
    return const_cast<GridColumn&>(std::as_const(*this).column(key));
}

const GridColumn& Grid::column(const QString& key) const {
    const int index = m_columns->indexOf(key);
    if (index < 0)
        throw BoardError(u"A grelha %1 não tem a coluna \"%2\"."_s.arg(gridName(), key));
    return m_columns->at(index);
}

GridColumn& Grid::columnAt(int index) {
    return const_cast<GridColumn&>(std::as_const(*this).columnAt(index));
}

const GridColumn& Grid::columnAt(int index) const {
    if (index < 0 || index >= columnCount())
        throw BoardError(u"A grelha %1 não tem a coluna número %2 (tem %3 colunas)."_s.arg(
            gridName(), QString::number(index), QString::number(columnCount())));
    return m_columns->at(index);
}

// --- Styles

GridStyle& Grid::style(QStringView name) {
    return m_styles->style(name);
}

const GridStyle& Grid::style(QStringView name) const {
    return m_styles->style(name);
}

GridStyle& Grid::addStyle(const QString& name) {
    return m_styles->addStyle(name);
}

QStringList Grid::styleNames() const {
    return m_styles->styleNames();
}

QAbstractItemModel* Grid::model() const {
    return m_groups;
}

// --- Painting, layout and the coalesced update

void Grid::resizeEvent(QResizeEvent*) {
    layoutChildren();
}

void Grid::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), colorFromOle(m_backColor));
    painter.setPen(QPen(colorFromOle(m_styles->style(GridStyles::Heading).gridLineColor()), 0));
    painter.drawRect(rect().adjusted(0, 0, -1, -1));
}

void Grid::scheduleUpdate() {
    if (m_updateScheduled)
        return;
    m_updateScheduled = true;
    QMetaObject::invokeMethod(this, &Grid::applyPendingChanges, Qt::QueuedConnection);
}

void Grid::applyPendingChanges() {
    // The queued call still comes when settle() has applied the changes already.
    if (!m_updateScheduled)
        return;
    m_updateScheduled = false;
    applyChanges();
}

void Grid::applyChanges() {
    applyGrouping();
    applyLooks();
    applyHeights();
    layoutChildren();
    relayoutPages();
}

void Grid::applyHeights() {
    m_view->setRowHeightPixels(std::max(1, twipsToPixels(m_rowHeight)));
    m_view->setHeadingHeightPixels(headingPixels());
    // A font or a zoom may have changed the text's height.
    m_view->refitRows();
}

void Grid::settle() {
    // The header and the view gather their own changes the same way; the
    // current cell's place and the scroll position read what they laid out.
    // What they lay out can resize the rows' area, which asks for new pages:
    // a second round applies that, and by the third nothing moves.
    for (int round = 0; round < 3; ++round) {
        applyPendingChanges();
        m_view->gridHeader()->settle();
        m_view->settle();
        if (!m_updateScheduled)
            break;
    }
}

void Grid::applyLooks() {
    const QPalette palette = QGuiApplication::palette();
    const double zoom = m_styles->textZoom();
    GridCellLook caption = GridCellLook::of(m_styles->style(GridStyles::Caption), palette);
    caption.zoomFont(zoom);
    m_captionBar->setLook(caption);
    GridCellLook band = GridCellLook::of(m_styles->style(GridStyles::GroupByBox), palette);
    band.zoomFont(zoom);
    GridCellLook chip = GridCellLook::of(m_styles->style(GridStyles::Heading), palette);
    chip.font = band.font;
    m_groupByBand->setLooks(band, chip);
    QStringList chips;
    for (const QString& key : std::as_const(m_groupKeys)) {
        const int index = m_columns->indexOf(key);
        chips << (index >= 0 ? m_columns->at(index).caption() : key);
    }
    m_groupByBand->setChips(chips);
    m_view->setBackgroundColor(colorFromOle(m_backColor, palette));
    m_view->viewport()->update();
    m_view->header()->viewport()->update();
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
    m_view->gridHeader()->setAvailableWidth(availableColumnsWidth());
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
