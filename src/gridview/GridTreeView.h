#pragma once

#include <QTreeView>

class QPainter;

namespace assi {

class GridDelegate;
class GridHeaderView;
class GridStyles;

/// The rows and headings of a grid: a read-only tree view with no
/// indentation or branch marks, whole-row selection, rows all of the
/// delegate's height or each as high as its text needs, and
/// every row that has children (a group header) spanned across the columns
/// and expanded after each reset. A group collapses and expands on a double
/// click.
///
/// Display rows count the rows as shown, group headers included, from 0.
class GridTreeView : public QTreeView {
    Q_OBJECT

public:
    explicit GridTreeView(const GridStyles& styles, QWidget* parent = nullptr);

    GridDelegate* gridDelegate() const { return m_delegate; }
    GridHeaderView* gridHeader() const { return m_header; }

    void setRowHeightPixels(int pixels);
    /// Each row as high as the text of its shown cells needs, rather than
    /// all as high as the delegate's row height.
    void setRowsFitText(bool fit);
    bool rowsFitText() const { return m_rowsFitText; }
    /// Lays the rows out again: their text's height has changed.
    void refitRows();
    /// The height of the row of `index` (any column), in pixels.
    int heightOfRow(const QModelIndex& index) const;
    /// The top of display row `displayRow` when the rows are not scrolled.
    int rowTop(int displayRow) const;
    void setHeadingHeightPixels(int pixels);
    void setBackgroundColor(const QColor& color);

    int displayedRowCount() const;
    /// The index (column 0) shown at `displayRow`, or an invalid one.
    QModelIndex indexAtDisplayRow(int displayRow) const;
    /// The display row of `index`, or -1 when it is not shown.
    int displayRowOf(const QModelIndex& index) const;
    /// The rectangle of `index`'s row, in viewport coordinates, as the rows
    /// were last laid out; empty when the row is not shown or no column has
    /// any width.
    QRect rowRect(const QModelIndex& index) const;

    /// Every shown row's index (column 0), in display order.
    QList<QModelIndex> displayedIndexes() const;

    /// Scrolls display row `topRow` to the top and, while the rows stay
    /// there, draws them as one page: the group header at display row
    /// `repeatedHeaderRow` (-1: none) over the top row, and nothing from
    /// display row `endRow` down. The rows may scroll past their end for it.
    void showPage(int topRow, int repeatedHeaderRow, int endRow);
    /// Back to plain scrolling.
    void clearPage();

    void reset() override;
    /// Runs the item layout that a change left waiting for the next turn of
    /// the event loop (or for the next paint), and with it the scroll bars'
    /// new ranges.
    void settle();

Q_SIGNALS:
    /// A click on the cell that was current already.
    void currentCellClickedAgain();

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void updateGeometries() override;

private:
    template <typename Visit>
    bool walkDisplayedRows(const QModelIndex& parent, int& row, Visit&& visit) const;
    void spanGroups(const QModelIndex& parent);
    bool hasColumnWithWidth() const;
    int pageScrollValue() const;
    bool isOnPage() const;
    bool isCoveredByPage(const QPoint& point) const;
    void keepPageInScrollRange();
    void drawPage(QPainter& painter, const QModelIndex& header, int headerHeight, int endTop);
    /// indexAtDisplayRow() for paint time, when the view's layout is settled.
    QModelIndex laidOutIndexAt(int displayRow) const;
    int displayRowHeight(int displayRow) const;

    struct ShownPage {
        int topRow = -1; // -1: no page shown
        int repeatedHeaderRow = -1;
        int endRow = -1;
    };
    ShownPage m_page;
    bool m_rowsFitText = false;
    bool m_geometriesDue = false;

    GridDelegate* m_delegate;
    GridHeaderView* m_header;
};

} // namespace assi
