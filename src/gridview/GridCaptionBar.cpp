#include "GridCaptionBar.h"

#include "GridPainting.h"

#include <QFontMetrics>
#include <QPainter>

namespace assi {

namespace {

constexpr int CaptionPaddingY = 5;

} // namespace

GridCaptionBar::GridCaptionBar(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("caption"));
}

void GridCaptionBar::setText(const QString& text) {
    if (text == m_text)
        return;
    m_text = text;
    update();
}

void GridCaptionBar::setLook(const GridCellLook& look) {
    m_look = look;
    update();
}

int GridCaptionBar::preferredHeight() const {
    return QFontMetrics(m_look.font).height() + 2 * CaptionPaddingY;
}

void GridCaptionBar::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    GridCellLook look = m_look;
    // A title never wraps: one line, elided when the grid is too narrow.
    look.wordWrap = false;
    drawCell(painter, rect(), m_text, look, Overflow::Elide);
    painter.setPen(QPen(look.gridLine, 0));
    painter.drawLine(rect().bottomLeft(), rect().bottomRight());
}

} // namespace assi
