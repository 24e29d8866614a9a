#include "gridview/GridPages.h"

#include <algorithm>

namespace assi {

namespace {

// A repeated header takes a row's room: a page needs room for it and one row more.
constexpr int RowsForRepeatedHeader = 2;

int headerAbove(const GridPageRows& rows, int row) {
    return rows.headerAbove ? rows.headerAbove(row) : -1;
}

bool isGroupHeader(const GridPageRows& rows, int row) {
    return rows.isGroupHeader && rows.isGroupHeader(row);
}

bool mayStartAt(const GridPageRows& rows, int row) {
    return !rows.mayStartAt || rows.mayStartAt(row);
}

// How many whole rows, from `top` down, the rows' area shows.
int rowsFitting(const GridPageRows& rows, int top) {
    if (!rows.heightOf)
        return rows.rowsPerPage;
    int fitting = 0;
    for (int used = 0, row = top; row < rows.count; ++row, ++fitting) {
        used += rows.heightOf(row);
        if (used > rows.areaHeight)
            break;
    }
    return fitting;
}

GridPage pageFrom(const GridPageRows& rows, int firstRow) {
    GridPage page;
    page.firstRow = firstRow;
    page.topRow = firstRow;
    const int header = headerAbove(rows, firstRow);
    if (header >= 0 && rowsFitting(rows, firstRow - 1) >= RowsForRepeatedHeader) {
        // The row above the first one was seen on the page before: the
        // header is drawn over it (or is it).
        page.topRow = firstRow - 1;
        page.repeatedHeaderRow = header == page.topRow ? -1 : header;
    }
    int end = std::min(rows.count, page.topRow + std::max(1, rowsFitting(rows, page.topRow)));
    if (end < rows.count) {
        int next = end;
        while (next > firstRow + 1 && (!mayStartAt(rows, next) || isGroupHeader(rows, next - 1)))
            --next;
        end = next;
    }
    page.endRow = end;
    return page;
}

} // namespace

QList<GridPage> computeGridPages(const GridPageRows& rows) {
    QList<GridPage> pages;
    const bool noRoom = rows.heightOf ? rows.areaHeight <= 0 : rows.rowsPerPage <= 0;
    if (noRoom || rows.count <= rowsFitting(rows, 0)) {
        pages.append(GridPage{0, 0, -1, std::max(0, rows.count)});
        return pages;
    }
    int first = 0;
    while (first < rows.count) {
        const GridPage page = pageFrom(rows, first);
        pages.append(page);
        first = page.endRow;
    }
    return pages;
}

} // namespace assi
