#pragma once

#include <QRect>
#include <QString>
#include <algorithm>

class QColor;
class QFont;
class QPainter;

namespace assi {

struct GridCellLook;

/// Space between a cell's edges and its text, in pixels.
inline constexpr int CellPaddingX = 5;
inline constexpr int CellPaddingY = 1;

/// Rows that fit their text: the air above and below a line of text
/// `textHeight` pixels high, which grows with the text so that a board on a
/// finer screen keeps the same proportions (and so the same pages).
inline constexpr int fittedPadding(int textHeight) {
    return std::max(1, (textHeight + 20) / 40);
}

enum class Overflow { Clip, Elide };

/// Fills `cell` with the look's background and draws `text` in it with the
/// look's font, colour, alignment and word wrap, inside the padding. A line
/// too wide is cut at the cell's edge, or elided when `overflow` says so.
/// Wrapped text taller than the cell shows from its top the lines that fit
/// whole, the last one elided.
void drawCell(QPainter& painter, const QRect& cell, const QString& text, const GridCellLook& look,
              Overflow overflow = Overflow::Clip);

/// `text` cut to what word-wrapped in `area` shows: the lines that fit
/// whole, the last of them carrying the rest of the text elided, the lines
/// joined by line separators so that they wrap no further. With no room for
/// a whole line, the first line, to be cut by the cell's edge.
QString fitWrappedText(const QString& text, const QFont& font, const QSize& area);

/// Draws the right and bottom edges of `cell` in the look's grid-line colour.
void drawCellLines(QPainter& painter, const QRect& cell, const GridCellLook& look);

enum class CellRules { Bottom, BottomAndRight };

/// Draws the bottom edge of `cell` and, when `rules` says so, its right
/// edge, in `color`: the pixels a cosmetic pen draws, one device pixel wide.
void drawCellRules(QPainter& painter, const QRect& cell, const QColor& color, CellRules rules);

} // namespace assi
