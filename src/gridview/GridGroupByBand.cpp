#include "gridview/GridGroupByBand.h"

#include "gridview/GridPainting.h"

#include <QFontMetrics>
#include <QPainter>

namespace assi {

namespace {

constexpr int BandPadding = 4; // around the chips
constexpr int ChipPaddingX = 8;
constexpr int ChipPaddingY = 3;
constexpr int ChipGap = 6;

} // namespace

GridGroupByBand::GridGroupByBand(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("groupByBox"));
    // It fills all of itself: what lies beneath need not be painted first.
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void GridGroupByBand::setChips(const QStringList& captions) {
    if (captions == m_chips)
        return;
    m_chips = captions;
    update();
}

void GridGroupByBand::setLooks(const GridCellLook& band, const GridCellLook& chip) {
    m_band = band;
    m_chip = chip;
    update();
}

int GridGroupByBand::preferredHeight() const {
    const int chip = QFontMetrics(m_chip.font).height() + 2 * ChipPaddingY;
    const int line = QFontMetrics(m_band.font).height();
    return std::max(chip, line) + 2 * BandPadding;
}

void GridGroupByBand::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), m_band.back);
    const QFontMetrics metrics(m_chip.font);
    const int chipHeight = metrics.height() + 2 * ChipPaddingY;
    const int top = (height() - chipHeight) / 2;
    int x = BandPadding;
    for (const QString& caption : m_chips) {
        const int width = metrics.horizontalAdvance(caption) + 2 * ChipPaddingX;
        const QRect chip(x, top, width, chipHeight);
        GridCellLook look = m_chip;
        look.wordWrap = false;
        look.alignment = Qt::AlignCenter;
        drawCell(painter, chip, caption, look);
        painter.setPen(QPen(look.gridLine, 0));
        painter.drawRect(chip.adjusted(0, 0, -1, -1));
        x += width + ChipGap;
    }
    painter.setPen(QPen(m_chip.gridLine, 0));
    painter.drawLine(rect().bottomLeft(), rect().bottomRight());
}

} // namespace assi
