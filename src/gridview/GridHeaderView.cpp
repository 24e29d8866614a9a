#include "GridHeaderView.h"

#include "GridCellLook.h"
#include "GridModel.h"
#include "GridPainting.h"

#include <QPaintEvent>
#include <QPainter>

namespace assi {

GridHeaderView::GridHeaderView(QWidget* parent) : QHeaderView(Qt::Horizontal, parent) {
    setObjectName(QStringLiteral("headings"));
    setSectionsMovable(false);
    setSectionsClickable(false);
    setHighlightSections(false);
    setStretchLastSection(false);
    setMinimumSectionSize(0);
    setSectionResizeMode(QHeaderView::Fixed);
}

void GridHeaderView::setEmptyAreaColor(const QColor& color) {
    if (color == m_emptyAreaColor)
        return;
    m_emptyAreaColor = color;
    viewport()->update();
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
    const auto look = model()
                          ->headerData(logicalIndex, Qt::Horizontal, GridModel::LookRole)
                          .value<GridCellLook>();
    const QString caption = model()->headerData(logicalIndex, Qt::Horizontal).toString();
    drawCell(*painter, rect, caption, look, Overflow::Elide);
    drawCellLines(*painter, rect, look);
}

} // namespace assi
