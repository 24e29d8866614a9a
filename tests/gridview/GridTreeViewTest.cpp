#include "gridview/GridTreeView.h"

#include "GridTestData.h"

#include <QCoreApplication>
#include <QImage>
#include <QScrollBar>
#include <gtest/gtest.h>

using namespace assi;
using namespace Qt::StringLiterals;

namespace {

// Groups of many sizes, so that pages start everywhere in a group.
Recordset manyGroups() {
    QList<QVariantList> rows;
    for (int group = 0; group < 30; ++group) {
        for (int i = 0; i < 2 + (group * 7) % 11; ++i)
            rows.append({u"Departamento %1"_s.arg(group, 2, 10, QChar(u'0')),
                         u"Cliente %1-%2"_s.arg(group).arg(i), u"2026/%1"_s.arg(i), u"2026-12-01"_s,
                         QVariant()});
    }
    return test::requestTable(rows);
}

// Many groups over many pages, shown and laid out.
void showPagedGroups(Grid& grid) {
    grid.resize(500, 240);
    grid.setDataSource(manyGroups());
    test::setUpRequestGrid(grid);
    grid.setPaged(true);
    grid.show();
    grid.settle();
}

} // namespace

TEST(GridTreeView, APageFarDownRepeatsTheHeaderOfItsOwnGroup) {
    Grid grid;
    showPagedGroups(grid);
    auto* rows = grid.findChild<GridTreeView*>(u"rows"_s);
    ASSERT_NE(rows, nullptr);
    const QRect band(0, 0, rows->viewport()->width(), grid.displayRowHeight(0));
    int repeated = 0;
    for (int page = grid.pageCount() - 1; page > 0; --page) {
        grid.setCurrentPage(page);
        QCoreApplication::processEvents();
        const int first = grid.pageFirstRow();
        if (grid.isGroupHeaderRow(first) || grid.isGroupHeaderRow(first - 1))
            continue; // the header shows at its own place
        int header = first;
        while (!grid.isGroupHeaderRow(header))
            --header;
        const QImage drawnOver = rows->viewport()->grab(band).toImage();
        rows->verticalScrollBar()->setValue(rows->rowTop(header));
        QCoreApplication::processEvents();
        EXPECT_TRUE(drawnOver == rows->viewport()->grab(band).toImage())
            << "page " << page + 1 << " should repeat "
            << grid.displayedText(header, 0).toStdString();
        ++repeated;
    }
    EXPECT_GE(repeated, 5);
}

TEST(GridTreeView, APageLeavesBlankTheRowsOfTheNextOne) {
    Grid grid;
    grid.setBackColor(0xE0FFFF); // pale yellow, 0x00BBGGRR
    showPagedGroups(grid);
    auto* rows = grid.findChild<GridTreeView*>(u"rows"_s);
    ASSERT_NE(rows, nullptr);
    int blankFeet = 0;
    for (int page = 0; page + 1 < grid.pageCount(); ++page) {
        grid.setCurrentPage(page + 1);
        const int next = grid.pageFirstRow();
        grid.setCurrentPage(page);
        QCoreApplication::processEvents();
        const int footTop = rows->rowRect(rows->indexAtDisplayRow(next)).top();
        const QImage shown = rows->viewport()->grab().toImage();
        int otherPixels = 0;
        for (int y = std::max(0, footTop); y < shown.height(); ++y) {
            for (int x = 0; x < shown.width(); ++x)
                otherPixels += shown.pixelColor(x, y) != QColor(0xFF, 0xFF, 0xE0);
        }
        EXPECT_EQ(otherPixels, 0) << "page " << page + 1;
        blankFeet += footTop < shown.height();
    }
    EXPECT_GE(blankFeet, 5);
}
