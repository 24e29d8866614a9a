#include "gridview/GridHeaderView.h"

#include "gridview/GridCellLook.h"
#include "gridview/GridPainting.h"
#include "gridview/GridStyles.h"
#include "gridview/Twips.h"

#include <QGuiApplication>
#include <QPaintEvent>
#include <QPainter>
#include <cmath>

using namespace Qt::StringLiterals;

namespace assi {

GridHeaderView::GridHeaderView(const GridStyles& styles, QWidget* parent)
    : QHeaderView(Qt::Horizontal, parent), m_styles(styles) {
    setObjectName(u"headings"_s);
    setSectionsMovable(false);
    setSectionsClickable(false);
    setHighlightSections(false);
    setStretchLastSection(false);
    setMinimumSectionSize(0);
    setSectionResizeMode(QHeaderView::Fixed);
}

double GridHeaderView::columnWidth(int logicalIndex) const {
    return m_widths.value(logicalIndex, DefaultColumnWidth);
}

void GridHeaderView::setColumnWidth(int logicalIndex, double twips) {
    if (logicalIndex < 0)
        return;
    if (logicalIndex >= m_widths.size())
        m_widths.resize(logicalIndex + 1, DefaultColumnWidth);
    if (m_widths.at(logicalIndex) == twips)
        return;
    m_widths[logicalIndex] = twips;
    scheduleFit();
}

bool GridHeaderView::isColumnHidden(int logicalIndex) const {
    return m_hidden.value(logicalIndex, false);
}

void GridHeaderView::setColumnHidden(int logicalIndex, bool hidden) {
    if (logicalIndex < 0 || isColumnHidden(logicalIndex) == hidden)
        return;
    if (logicalIndex >= m_hidden.size())
        m_hidden.resize(logicalIndex + 1, false);
    m_hidden[logicalIndex] = hidden;
    hideSections();
    scheduleFit();
}

void GridHeaderView::hideSections() {
    // QTreeView spans a group header row from the first column's cell and
    // draws nothing when that section is hidden: a hidden first column is
    // narrowed to nothing instead (see fitSections()).
    for (int section = 1; section < count(); ++section) {
        if (isSectionHidden(section) != isColumnHidden(section))
            setSectionHidden(section, isColumnHidden(section));
    }
}

void GridHeaderView::clearColumnSettings() {
    m_widths.clear();
    m_hidden.clear();
    hideSections();
    scheduleFit();
}

void GridHeaderView::setAvailableWidth(int pixels) {
    if (pixels == m_availableWidth)
        return;
    m_availableWidth = pixels;
    scheduleFit();
}

void GridHeaderView::setEmptyAreaColor(const QColor& color) {
    if (color == m_emptyAreaColor)
        return;
    m_emptyAreaColor = color;
    viewport()->update();
}

void GridHeaderView::scheduleFit() {
    if (m_fitScheduled)
        return;
    m_fitScheduled = true;
    QMetaObject::invokeMethod(this, &GridHeaderView::fitSections, Qt::QueuedConnection);
}

void GridHeaderView::settle() {
    if (m_fitScheduled)
        fitSections();
}

void GridHeaderView::setFillWidth(bool fill) {
    if (fill == m_fillWidth)
        return;
    m_fillWidth = fill;
    scheduleFit();
}

double GridHeaderView::shownWidth(int logicalIndex) const {
    if (!m_fillWidth || isColumnHidden(logicalIndex))
        return columnWidth(logicalIndex);
    return pixelsToTwips(sectionSize(logicalIndex));
}

void GridHeaderView::fitSections() {
    m_fitScheduled = false;
    int total = 0;
    for (int section = 0; section < count(); ++section) {
        if (!isColumnHidden(section))
            total += twipsToPixels(columnWidth(section));
    }
    const bool fits = total <= m_availableWidth && !m_fillWidth;
    const double scale =
        (total > 0 && m_availableWidth > 0 && !fits) ? double(m_availableWidth) / total : 1.0;
    // Filling, each edge is rounded from the running total, so the columns
    // end exactly at the edge.
    int shownSoFar = 0;
    int edge = 0;
    for (int section = 0; section < count(); ++section) {
        const bool shown = !isColumnHidden(section);
        int pixels = shown ? int(twipsToPixels(columnWidth(section)) * scale) : 0;
        if (shown && m_fillWidth && scale != 1.0) {
            shownSoFar += twipsToPixels(columnWidth(section));
            const int nextEdge = int(std::lround(shownSoFar * scale));
            pixels = nextEdge - edge;
            edge = nextEdge;
        }
        if (sectionSize(section) != pixels && !isSectionHidden(section))
            resizeSection(section, pixels);
    }
}

void GridHeaderView::reset() {
    QHeaderView::reset();
    hideSections();
    fitSections();
}

void GridHeaderView::paintEvent(QPaintEvent* event) {
    QPainter painter(viewport());
    painter.fillRect(event->rect(), m_emptyAreaColor);
    for (int visual = 0; visual < count(); ++visual) {
        const int logical = logicalIndex(visual);
        if (isSectionHidden(logical) || sectionSize(logical) <= 0)
            continue;
        const QRect rect(sectionViewportPosition(logical), 0, sectionSize(logical),
                         viewport()->height());
        if (rect.intersects(event->rect()))
            paintSection(&painter, rect, logical);
    }
}

void GridHeaderView::paintSection(QPainter* painter, const QRect& rect, int logicalIndex) const {
    if (!model())
        return;
    GridCellLook look =
        GridCellLook::of(m_styles.style(GridStyles::Heading), QGuiApplication::palette());
    look.zoomFont(m_styles.textZoom());
    const QString caption = model()->headerData(logicalIndex, Qt::Horizontal).toString();
    drawCell(*painter, rect, caption, look, Overflow::Elide);
    drawCellLines(*painter, rect, look);
}

} // namespace assi
