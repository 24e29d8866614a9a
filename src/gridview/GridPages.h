#pragma once

#include <QList>
#include <functional>

namespace assi {

/// One page of a grid's display rows, as the reader sees it when the rows
/// are scrolled so that `topRow` is at the top.
struct GridPage {
    int firstRow =
        0;          ///< the first row this page brings (the first one not seen on the page before)
    int topRow = 0; ///< the row at the top of the rows' area
    /// The group header drawn over `topRow`, so a page that starts inside a
    /// group still says which group it is in; -1 when none is drawn.
    int repeatedHeaderRow = -1;
    int endRow = 0; ///< one past the last row of this page; rows from here down are left blank

    friend bool operator==(const GridPage&, const GridPage&) = default;
};

/// What the pages of a grid are made from: its display rows, in order.
struct GridPageRows {
    int count = 0;
    /// How many whole rows the rows' area shows at once, when every row is
    /// as high as the next.
    int rowsPerPage = 0;
    /// Rows of their own heights: each row's height, and the rows' area
    /// (in the same unit). When set, these decide and rowsPerPage is not read.
    std::function<int(int row)> heightOf;
    int areaHeight = 0;
    /// The display row of the group header that `row` sits under, or -1
    /// for a group header or an ungrouped row. Unset: no groups.
    std::function<int(int row)> headerAbove;
    /// Whether `row` is a group header. Unset: no groups.
    std::function<bool(int row)> isGroupHeader;
    /// Whether a page may begin at `row`. Unset: at any row.
    std::function<bool(int row)> mayStartAt;
};

/// Splits the rows into pages: page 1 starts at the top and each next page
/// at the first row the page before did not show whole. A page does not end
/// on a group header (the header goes to the next page, with its rows), and
/// it ends early rather than let the next one start where `mayStartAt`
/// forbids. A page that starts inside a group repeats the group's header at
/// its top. Rows that fit make one page; every page brings at least one row.
QList<GridPage> computeGridPages(const GridPageRows& rows);

} // namespace assi
