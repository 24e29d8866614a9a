#pragma once

#include "gridview/FittedTextCache.h"
#include "gridview/GridCellLook.h"

#include <QList>
#include <QStyledItemDelegate>
#include <functional>

namespace assi {

class GridStyle;
class GridStyles;

/// Decides how every cell of a grid looks, body and group header rows
/// alike, and lets QStyledItemDelegate paint it; it draws only the cell
/// lines, and the background of a cell with no text, which is all the
/// style would draw of it. Every row is as high as the grid's row height, unless the view
/// says each row's height (rows that fit their text).
///
/// A record's cell takes its column's style, with the styles of the format
/// rules its record matches and then of its mark laid over it, its font
/// zoomed by the styles' text zoom; a group header row takes the
/// "GroupHeader" style and its group column's display format. A selected
/// row then takes "Selection" over that while the view has the focus in its
/// window, "InactiveSelection" otherwise.
class GridDelegate : public QStyledItemDelegate {
    Q_OBJECT

public:
    /// Rows whose cell in `column` reads `valueText` take `style`.
    struct FormatRule {
        int column;
        QString valueText;
        const GridStyle* style;
    };
    /// Cells marked so take `style` and, when `text` is not null, show it.
    struct Mark {
        const GridStyle* style;
        QString text;
    };
    /// The mark of the cell of record `recordRow` in `column`: an index into
    /// the marks, or -1.
    using Marker = std::function<int(int recordRow, int column)>;
    enum class Selection { None, Active, Inactive };

    GridDelegate(const GridStyles& styles, QObject* parent = nullptr);

    int rowHeight() const { return m_rowHeight; }
    void setRowHeight(int pixels) { m_rowHeight = pixels; }
    /// Each row's own height, when rows are not all as high as rowHeight().
    void setRowHeightOf(std::function<int(const QModelIndex&)> heightOf) {
        m_rowHeightOf = std::move(heightOf);
    }
    /// The height the text of the cell at `index` needs on one line, with
    /// the cell's padding and its rule.
    int textHeight(const QModelIndex& index) const;
    /// Each column's own style, by column.
    void setColumnStyles(const QList<const GridStyle*>& styles) {
        m_columnStyles = styles;
        m_fits.clear();
    }
    void setFormatRules(const QList<FormatRule>& rules) { m_rules = rules; }
    void setMarks(QList<Mark> marks, Marker markOf) {
        m_marks = std::move(marks);
        m_markOf = std::move(markOf);
    }
    /// How many wrapped texts were measured to fit their cells, since the
    /// delegate was made: each text once for each font and size of cell.
    int measuredTextCount() const { return m_fits.measuredCount(); }
    /// The colour the view fills its rows' area with before it paints the
    /// cells: a cell of that colour is not filled again. Invalid: each cell
    /// fills its background.
    void setRowsBackground(const QColor& color) { m_rowsBackground = color; }
    /// What a group header shows when its value reads as the empty text.
    void setEmptyGroupCaption(const QString& caption) { m_emptyGroupCaption = caption; }

    /// The look of the cell at `index` of the grid's view model.
    GridCellLook cellLook(const QModelIndex& index, Selection selection = Selection::None) const;
    /// The text the cell at `index` shows, in its display format.
    QString cellText(const QModelIndex& index) const;

    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override;
    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override;

protected:
    void initStyleOption(QStyleOptionViewItem* option, const QModelIndex& index) const override;

private:
    static Selection selectionOf(const QStyleOptionViewItem& option);
    void applyLook(QStyleOptionViewItem* option, const GridCellLook& look,
                   const QString& text) const;
    GridCellLook unzoomedLook(const QModelIndex& index, Selection selection) const;
    GridCellLook columnLook(int column, const QPalette& palette) const;
    QString formatOf(int column) const;
    const Mark* markOf(const QModelIndex& index) const;

    const GridStyles& m_styles;
    QList<const GridStyle*> m_columnStyles;
    QList<FormatRule> m_rules;
    QList<Mark> m_marks;
    Marker m_markOf;
    int m_rowHeight = 17;
    std::function<int(const QModelIndex&)> m_rowHeightOf;
    QString m_emptyGroupCaption;
    QColor m_rowsBackground;
    mutable FittedTextCache m_fits;
};

} // namespace assi
