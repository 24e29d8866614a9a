#pragma once

#include "core/Recordset.h"
#include "gridview/GridCellLook.h"
#include "gridview/GridColumns.h"
#include "gridview/GridFont.h"
#include "gridview/GridFormatRule.h"
#include "gridview/GridMark.h"
#include "gridview/GridPages.h"
#include "gridview/GridStyles.h"

#include <QWidget>
#include <functional>
#include <memory>

class QAbstractItemModel;

namespace assi {

class GridCaptionBar;
class GridGroupByBand;
class GroupingProxyModel;
class GridTreeView;
class RecordsetModel;

/// A read-only grid over an in-memory recordset: a caption bar, a group-by
/// band, column headings, body rows and, when grouped, group header rows.
///
/// Binding a recordset makes one column per field, keyed by the field's
/// name, in field order, with default settings; the rows are the
/// recordset's, in its order. Before the first binding the grid has no
/// columns and no rows: its caption, the group-by band (empty until a column
/// is grouped) and the empty area under the headings. Looks come from named
/// styles (see GridStyles) and format rules. Lengths are in twips, 15 to a
/// logical pixel. Display rows count the rows as shown (group headers
/// included, collapsed groups' rows not), from 0.
///
/// Changes to the looks, captions, grouping, sizes and pages are gathered
/// and applied together, once, at the next turn of the event loop, or at
/// once by settle(). The const members never change the grid, its models or
/// its pages and never emit a signal: they read the grid as it stood when it
/// last settled: a new binding's rows show at once, but a regrouping, a
/// resize or a new row height only once the grid settles. The members that
/// move the current cell or the page settle first. See README.md for the
/// parts.
///
/// Errors (an unknown column or style, an invalid size) throw BoardError
/// with a Portuguese message naming the grid (its objectName).
class Grid : public QWidget {
    Q_OBJECT

public:
    explicit Grid(QWidget* parent = nullptr);
    ~Grid() override;

    // --- The grid as a whole
    QString caption() const;
    /// An empty caption hides the caption bar.
    void setCaption(const QString& caption);
    /// A short text at the right end of the caption bar, before the page
    /// number ("+3 ao fim de semana"), in the caption's look; empty: none.
    /// Shown only with a caption. Changing it repaints the caption bar alone.
    QString captionNote() const;
    void setCaptionNote(const QString& note);
    /// Colour of the area no row or heading covers (0x00BBGGRR).
    qint32 backColor() const { return m_backColor; }
    void setBackColor(qint32 color);
    /// The grid's own font, which every style inherits unless it sets one.
    GridFont gridFont() const { return m_styles->baseFont(); }
    /// An empty name restores "MS Sans Serif".
    void setFontName(const QString& name);
    /// Throws BoardError unless 0 < points <= 2048.
    void setFontSize(double points);
    void setFontBold(bool bold);
    double rowHeight() const { return m_rowHeight; }
    /// Height of every body and group header row; throws BoardError unless
    /// it is more than 0 and at most 100,000 twips.
    void setRowHeight(double twips);
    double headingHeight() const { return m_headingHeight; }
    /// Height of the headings row; 0 hides it. Throws BoardError when
    /// negative or above 100,000 twips.
    void setHeadingHeight(double twips);
    bool isGroupByBoxVisible() const { return m_groupByBoxVisible; }
    void setGroupByBoxVisible(bool visible);

    // --- Read from afar (each off by default)
    /// Every font the grid draws is `factor` times its style's size; the
    /// styles keep the sizes they were given. Throws BoardError unless
    /// 0 < factor <= 100.
    void setTextZoom(double factor);
    double textZoom() const;
    /// Each row, and the headings, as high as its text needs rather than
    /// rowHeight() and headingHeight() (a heading height of 0 still hides
    /// the headings).
    void setRowsFitText(bool fit);
    bool rowsFitText() const;
    /// The shown columns share the grid's whole width in the proportions of
    /// their widths, rather than showing at their widths and narrowing only
    /// when they do not fit. See GridColumn::shownWidth().
    void setColumnsFillWidth(bool fill);
    bool columnsFillWidth() const;
    /// Scroll bars when the rows or columns overflow (the default), or
    /// never: paged rows say where they are in the caption.
    void setScrollBarsShown(bool shown);
    bool scrollBarsShown() const { return m_scrollBarsShown; }
    /// The height of display row `displayRow` as last laid out, in pixels.
    int displayRowHeight(int displayRow) const;
    /// What the grid's caption, group-by band, headings and frame take of
    /// its height, in pixels, as of the last settle: its height less the
    /// rows' room.
    int heightAroundRows() const;

    // --- Data
    /// Shows `recordset` (the grid keeps it until the next binding) with new
    /// columns in their default settings, keeping the group columns that
    /// name one of its fields and the scroll position as far as it goes.
    void setDataSource(const Recordset& recordset);
    /// The bound recordset; empty, with no fields, before the first binding.
    const Recordset& dataSource() const;
    bool hasDataSource() const;

    // --- Columns
    int columnCount() const;
    /// The column with that key (case-insensitive); throws BoardError when
    /// there is none.
    GridColumn& column(const QString& key);
    const GridColumn& column(const QString& key) const;
    GridColumn& columnAt(int index);
    const GridColumn& columnAt(int index) const;

    // --- Styles
    /// The style with that name; throws BoardError when there is none.
    GridStyle& style(QStringView name);
    const GridStyle& style(QStringView name) const;
    /// A new style based on "Normal"; throws BoardError when the name is
    /// taken (the existing style keeps its settings).
    GridStyle& addStyle(const QString& name);
    QStringList styleNames() const;

    // --- Grouping (applied once the caller is done, when the grid settles,
    // so a clear and an add cost one regrouping)
    void clearGroupColumns();
    /// Groups by one more column; throws BoardError when there is no column
    /// with that key. A column already grouped is left where it is.
    void addGroupColumn(const QString& key);
    QStringList groupColumns() const { return m_groupKeys; }

    // --- Format rules
    /// Draws the rows whose cell in `columnKey` equals `value` (as text)
    /// with `styleName` laid over their look. The same rule added again
    /// replaces the first. Throws BoardError for an unknown style or column.
    void addFormatRule(const QString& styleName, const QString& columnKey, const QVariant& value);
    QList<GridFormatRule> formatRules() const;
    void clearFormatRules();

    // --- Marks
    /// Marks single cells, over the format rules: `markOf` says which of
    /// `marks` each record's cell carries, asked whenever the cell is drawn
    /// or read, so it must answer for every row of the recordset bound then.
    /// Replaces the marks before; throws BoardError for an unknown style
    /// (the marks before stay).
    void setMarks(const QList<GridMark>& marks, GridMarker markOf);
    void clearMarks();

    // --- Settling
    /// Applies the changes gathered since the grid last settled now rather
    /// than at the next turn of the event loop: regroups the rows, lays out
    /// the grid, its columns, rows and pages, and emits what that causes
    /// (pageChanged() when the page shown moves, dismissed() when the rows
    /// scroll). Does nothing when nothing is waiting. Call it before reading
    /// a grid just changed without letting the event loop turn.
    void settle();

    // --- Rows and the current cell (as of the last settle)
    int displayedRowCount() const;
    /// Throws BoardError for a display row that is not shown.
    bool isGroupHeaderRow(int displayRow) const;
    /// The recordset row shown at `displayRow`, or -1 for a group header.
    int recordRowAt(int displayRow) const;
    /// The text shown in that cell (a group header's text in any column).
    QString displayedText(int displayRow, int column) const;
    /// -1 when no cell is current.
    int currentDisplayRow() const;
    int currentColumn() const;
    /// Settles, then makes that cell current, selects its row and gives the
    /// grid the focus, as a click on it would; currentCellChanged() follows.
    /// Throws BoardError for a row or column that does not exist.
    void setCurrentCell(int displayRow, int column);
    /// The recordset row of the current display row; -1 on a group header
    /// or when nothing is current.
    int currentRecordRow() const;
    /// The current record's value of field `key`; throws BoardError when no
    /// record is current or there is no such field.
    QVariant currentValue(const QString& key) const;
    /// Top of the current cell, from the top of this widget, in twips.
    /// Throws BoardError when no cell is current or it is not shown.
    double currentCellTop() const;
    double currentCellHeight() const;
    /// How that cell is drawn when its row is not selected. Throws
    /// BoardError for a row or column that does not exist.
    GridCellLook cellLook(int displayRow, int column) const;

    /// What a group header says when its value is empty or null.
    void setEmptyGroupCaption(const QString& caption);

    // --- Pages (see GridPages.h for where pages begin and end; read as of
    // the last settle)
    /// Paged, the rows show one page at a time, the caption bar says which
    /// ("2/3") when there is more than one, and the pages follow the rows,
    /// their height and the grid's size. Not paged (the default), the rows
    /// scroll freely and count as one page.
    void setPaged(bool paged);
    bool isPaged() const { return m_paged; }
    int pageCount() const;
    /// From 0.
    int currentPage() const;
    /// Settles, then shows page `page`, or the first when there is no such
    /// page. The current cell stays where it is.
    void setCurrentPage(int page);
    /// Settles, then moves on to the next page, from the last to the first;
    /// false, and nothing moves, when there is only one.
    bool showNextPage();
    /// The first display row the current page brings (not a group header
    /// repeated above it); not paged, the first row shown whole.
    int pageFirstRow() const;
    /// Whether a page may begin at the display row showing `recordRow` of
    /// `recordset` (group headers are always allowed). Unset: anywhere.
    using PageStartRule = std::function<bool(const Recordset& recordset, int recordRow)>;
    void setPageStartRule(PageStartRule rule);

    /// The model behind the rows, groups included (read-only use: tests).
    QAbstractItemModel* model() const;

Q_SIGNALS:
    /// A cell has become current (a click, the keyboard, setCurrentCell), or
    /// the current cell was clicked again.
    void currentCellChanged();
    /// The rows moved under whatever stands over them: a scroll, or a group
    /// collapsed or expanded by the user.
    void dismissed();
    /// Another page is shown, or the page shown moved.
    void pageChanged();

protected:
    void resizeEvent(QResizeEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QString gridName() const;
    void scheduleUpdate();
    void applyPendingChanges();
    void applyChanges();
    void applyLooks();
    void applyHeights();
    int headingPixels() const;
    int availableColumnsWidth() const;
    void layoutChildren();
    QList<int> groupFieldsOf(const Recordset& recordset) const;
    void applyGrouping();
    void applyFormatRules();
    void applyMarks();
    QModelIndex requireDisplayRow(int displayRow) const;
    QModelIndex requireCell(int displayRow, int column) const;
    QRect currentRowRectInGrid() const;
    void emitDismissed();
    void emitCurrentCellChanged();
    GridPageRows pageRows() const;
    void relayoutPages();
    void showCurrentPage();

    GridStyles* m_styles;
    RecordsetModel* m_source;
    GroupingProxyModel* m_groups;
    GridCaptionBar* m_captionBar;
    GridGroupByBand* m_groupByBand;
    GridTreeView* m_view;
    std::unique_ptr<GridColumns> m_columns;
    bool m_bound = false;
    QList<GridFormatRule> m_rules;
    QList<GridMark> m_marks;
    GridMarker m_markOf;
    qint32 m_backColor = 0xFFFFFF;
    double m_rowHeight = 255;
    double m_headingHeight = 300;
    bool m_groupByBoxVisible = true;
    bool m_scrollBarsShown = true;
    QStringList m_groupKeys;         // as asked for; the proxy catches up in applyGrouping()
    QList<int> m_pendingGroupFields; // for the binding under way
    bool m_updateScheduled = false;
    bool m_quiet = false; // no notifications while the grid rebuilds itself
    bool m_paged = false;
    QList<GridPage> m_pages; // empty until paged and laid out
    int m_page = 0;
    PageStartRule m_pageStartRule;
};

} // namespace assi
