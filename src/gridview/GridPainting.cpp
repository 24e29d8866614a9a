#include "gridview/GridPainting.h"

#include "gridview/GridCellLook.h"

#include <QFontMetrics>
#include <QPainter>
#include <QTextLayout>
#include <cmath>

namespace assi {

namespace {

// Breaks the layout's text into word-wrapped lines `area` wide, stacked from
// the top, and gives how many of them fit whole in its height.
int layOutWrappedLines(QTextLayout& layout, Qt::Alignment alignment, const QSize& area) {
    QTextOption option(alignment);
    option.setWrapMode(QTextOption::WordWrap);
    layout.setTextOption(option);
    layout.beginLayout();
    qreal height = 0;
    int fitting = 0;
    for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine()) {
        line.setLineWidth(area.width());
        line.setPosition(QPointF(0, height));
        height += line.height();
        if (height <= area.height())
            ++fitting;
    }
    layout.endLayout();
    return fitting;
}

// Word-wrapped text in `area`, placed by the look's alignment. When it is
// taller than the area, only the lines that fit whole show, the last of them
// ending in an ellipsis, so a cut never leaves half a line of glyphs.
void drawWrappedText(QPainter& painter, const QRect& area, const QString& text,
                     const GridCellLook& look) {
    QTextLayout layout(text, look.font, painter.device());
    const int fitting =
        layOutWrappedLines(layout, look.alignment & Qt::AlignHorizontal_Mask, area.size());

    // Whole lines only: the last one shown carries the rest of the text,
    // elided. With no room for a whole line, the first line shows cut.
    const int lines = layout.lineCount();
    const int shown = fitting == lines ? lines : std::max(1, fitting);
    const QTextLine lastShown = layout.lineAt(shown - 1);
    const qreal blockHeight = lastShown.y() + lastShown.height();
    qreal top = area.top();
    if (blockHeight < area.height()) {
        if (look.alignment & Qt::AlignVCenter)
            top += (area.height() - blockHeight) / 2;
        else if (look.alignment & Qt::AlignBottom)
            top += area.height() - blockHeight;
    }
    if (shown == lines) {
        layout.draw(&painter, QPointF(area.left(), top));
        return;
    }
    for (int i = 0; i + 1 < shown; ++i)
        layout.lineAt(i).draw(&painter, QPointF(area.left(), top));
    const QString rest = text.mid(lastShown.textStart()).simplified();
    const QRectF lineRect(area.left(), top + lastShown.y(), area.width(), lastShown.height());
    painter.drawText(lineRect, int(look.alignment & Qt::AlignHorizontal_Mask) | Qt::AlignTop,
                     QFontMetrics(look.font).elidedText(rest, Qt::ElideRight, area.width()));
}

} // namespace

QString fitWrappedText(const QString& text, const QFont& font, const QSize& area) {
    // Most cells hold one short line: no layout needed to know it fits.
    const QFontMetrics metrics(font);
    if (metrics.height() <= area.height() && metrics.horizontalAdvance(text) <= area.width())
        return text;
    QTextLayout layout(text, font);
    const int fitting = layOutWrappedLines(layout, Qt::AlignLeft, area);
    const int lines = layout.lineCount();
    if (fitting == lines)
        return text;
    const int shown = std::max(1, fitting);
    QStringList parts;
    for (int i = 0; i + 1 < shown; ++i) {
        const QTextLine line = layout.lineAt(i);
        parts << text.mid(line.textStart(), line.textLength());
    }
    const QString rest = text.mid(layout.lineAt(shown - 1).textStart()).simplified();
    parts << metrics.elidedText(rest, Qt::ElideRight, area.width());
    return parts.join(QChar::LineSeparator);
}

void drawCell(QPainter& painter, const QRect& cell, const QString& text, const GridCellLook& look,
              Overflow overflow) {
    painter.fillRect(cell, look.back);
    if (text.isEmpty())
        return;
    const QRect area = cell.adjusted(CellPaddingX, CellPaddingY, -CellPaddingX, -CellPaddingY);
    if (area.width() <= 0 || area.height() <= 0)
        return;

    painter.save();
    painter.setClipRect(cell, Qt::IntersectClip);
    painter.setFont(look.font);
    painter.setPen(look.fore);
    if (look.wordWrap) {
        drawWrappedText(painter, area, text, look);
    } else {
        const QString shown =
            overflow == Overflow::Elide
                ? QFontMetrics(look.font).elidedText(text, Qt::ElideRight, area.width())
                : text;
        painter.drawText(area, int(look.alignment) | Qt::TextSingleLine, shown);
    }
    painter.restore();
}

void drawCellLines(QPainter& painter, const QRect& cell, const GridCellLook& look) {
    drawCellRules(painter, cell, look.gridLine, CellRules::BottomAndRight);
}

void drawCellRules(QPainter& painter, const QRect& cell, const QColor& color, CellRules rules) {
    const bool right = rules == CellRules::BottomAndRight;
    // A cosmetic line is stroked pixel by pixel, which shows on a 4K board
    // of many cells; filled as a rectangle it is the same pixels, so long
    // as the logical pixels fall on whole device pixels.
    const QTransform& device = painter.deviceTransform();
    const qreal scale = device.m11();
    const bool wholePixels = device.type() <= QTransform::TxScale && device.m22() == scale &&
                             scale >= 1 && scale == std::floor(scale) &&
                             device.dx() == std::floor(device.dx()) &&
                             device.dy() == std::floor(device.dy());
    if (!wholePixels || cell.isEmpty() || painter.testRenderHint(QPainter::Antialiasing)) {
        const QPen pen = painter.pen();
        painter.setPen(QPen(color, 0));
        painter.drawLine(cell.bottomLeft(), cell.bottomRight());
        if (right)
            painter.drawLine(cell.topRight(), cell.bottomRight());
        painter.setPen(pen);
        return;
    }
    const qreal pixel = 1 / scale;
    painter.fillRect(QRectF(cell.left(), cell.bottom(), cell.width() - 1 + pixel, pixel), color);
    if (right)
        painter.fillRect(QRectF(cell.right(), cell.top(), pixel, cell.height() - 1 + pixel), color);
}

} // namespace assi
