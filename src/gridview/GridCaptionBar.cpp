#include "gridview/GridCaptionBar.h"

#include "gridview/GridPainting.h"

#include <QFontMetrics>
#include <QPainter>
#include <algorithm>

namespace assi {

namespace {
constexpr int CaptionPaddingY = 5;

// Room between the page number and the grid's right edge, in text heights.
constexpr qreal PageTextMarginLines = 0.5;

} // namespace

GridCaptionBar::GridCaptionBar(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("caption"));
    // It fills all of itself: what lies beneath need not be painted first.
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void GridCaptionBar::setText(const QString& text) {
    if (text == m_text)
        return;
    m_text = text;
    update();
}

void GridCaptionBar::setPageText(const QString& text) {
    if (text == m_pageText)
        return;
    m_pageText = text;
    update();
}

void GridCaptionBar::setNote(const QString& note) {
    if (note == m_note)
        return;
    m_note = note;
    update();
}

void GridCaptionBar::setLook(const GridCellLook& look) {
    m_look = look;
    update();
}

int GridCaptionBar::preferredHeight() const {
    const int text = QFontMetrics(m_look.font).height();
    return text + 2 * (m_fitsText ? fittedPadding(text) : CaptionPaddingY);
}

void GridCaptionBar::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    GridCellLook look = m_look;
    // A title never wraps: one line, elided when the grid is too narrow.
    look.wordWrap = false;
    if (m_pageText.isEmpty() && m_note.isEmpty()) {
        drawCell(painter, rect(), m_text, look, Overflow::Elide);
    } else {
        // The page number, and the note before it, take the same room from
        // both ends, so a centred title stays where it was; a title too long
        // for that gives up the centre before it gives up its words, and its
        // words before the note does.
        const QFontMetrics metrics(look.font);
        const int margin = qRound(metrics.height() * PageTextMarginLines);
        const int pageWidth = metrics.horizontalAdvance(m_pageText);
        // A whole text height between the note and the page number keeps
        // them apart when read from afar.
        const int noteEnd = margin + (m_pageText.isEmpty() ? 0 : pageWidth + 2 * margin);
        const QString note =
            metrics.elidedText(m_note, Qt::ElideRight, std::max(0, width() - noteEnd - margin));
        const int reserved = note.isEmpty() ? pageWidth + 2 * margin
                                            : noteEnd + metrics.horizontalAdvance(note) + margin;
        const QRect centred = rect().adjusted(reserved, 0, -reserved, 0);
        const bool fitsCentred =
            metrics.horizontalAdvance(m_text) + 2 * CellPaddingX <= centred.width();
        const QRect title = fitsCentred ? centred : rect().adjusted(0, 0, -reserved, 0);
        // The title's cell fills its own room; only what lies beside it is filled here.
        painter.fillRect(QRect(rect().topLeft(), QPoint(title.left() - 1, rect().bottom())),
                         look.back);
        painter.fillRect(QRect(QPoint(title.right() + 1, rect().top()), rect().bottomRight()),
                         look.back);
        drawCell(painter, title, m_text, look, Overflow::Elide);
        painter.setFont(look.font);
        painter.setPen(look.fore);
        painter.drawText(rect().adjusted(0, 0, -margin, 0), Qt::AlignRight | Qt::AlignVCenter,
                         m_pageText);
        if (!note.isEmpty())
            painter.drawText(rect().adjusted(0, 0, -noteEnd, 0),
                             Qt::AlignRight | Qt::AlignVCenter | Qt::TextSingleLine, note);
    }
    painter.setPen(QPen(look.gridLine, 0));
    painter.drawLine(rect().bottomLeft(), rect().bottomRight());
}

} // namespace assi
