#include "GridTestData.h"
#include "gridview/GridCaptionBar.h"
#include "gridview/Twips.h"

#include <QScrollBar>
#include <QSignalSpy>
#include <QTest>
#include <QTreeView>
#include <gtest/gtest.h>
#include <memory>

using namespace assi;
using namespace Qt::StringLiterals;

namespace {

// `count` requests, the first `firstGroup` of them in department A and the rest in B.
Recordset requests(int count, int firstGroup) {
    Recordset rs = test::requestTable({});
    for (int i = 0; i < count; ++i) {
        rs.addNew();
        rs.setValue(0, i < firstGroup ? u"A"_s : u"B"_s);
        rs.setValue(1, u"Cliente %1"_s.arg(i));
        rs.update();
    }
    return rs;
}

struct GridPagingTest : ::testing::Test {
    std::unique_ptr<Grid> grid = std::make_unique<Grid>();
    QTreeView* rows = nullptr;
    GridCaptionBar* caption = nullptr;

    void SetUp() override {
        grid->setObjectName(u"Grelha_1"_s);
        grid->setCaption(u"Pedidos"_s);
        grid->resize(500, 300);
        rows = grid->findChild<QTreeView*>(u"rows"_s);
        caption = grid->findChild<GridCaptionBar*>(u"caption"_s);
        ASSERT_NE(rows, nullptr);
        ASSERT_NE(caption, nullptr);
        grid->show();
    }

    void bind(const Recordset& rs, bool grouped = true) {
        grid->setDataSource(rs);
        test::setUpRequestGrid(*grid);
        if (!grouped)
            grid->clearGroupColumns();
        QCoreApplication::processEvents();
    }

    int rowsPerPage() const {
        return rows->viewport()->height() / twipsToPixels(grid->rowHeight());
    }

    // Whether a reader sees the whole of display row `row` at its place.
    bool isWhole(int row) const {
        const int height = twipsToPixels(grid->rowHeight());
        const int top = row * height - rows->verticalScrollBar()->value();
        return top >= 0 && top + height <= rows->viewport()->height();
    }
};

} // namespace

TEST_F(GridPagingTest, EachPageShowsWholeTheRowsItBringsAndLeavesTheCurrentCell) {
    grid->setPaged(true);
    bind(requests(3 * rowsPerPage(), rowsPerPage() + 3));
    grid->setCurrentCell(2, 1);
    QSignalSpy dismissed(grid.get(), &Grid::dismissed);
    QSignalSpy turned(grid.get(), &Grid::pageChanged);
    const int count = grid->pageCount();
    ASSERT_GE(count, 3);
    int before = -1;
    for (int page = 0; page < count; ++page) {
        SCOPED_TRACE(page);
        EXPECT_EQ(grid->currentPage(), page);
        EXPECT_EQ(caption->pageText(), u"%1/%2"_s.arg(page + 1).arg(count));
        const int first = grid->pageFirstRow();
        EXPECT_TRUE(isWhole(first));
        EXPECT_GT(first, before);
        // The row above is either the repeated header's place or already read.
        EXPECT_FALSE(page > 0 && isWhole(first - 2));
        EXPECT_FALSE(page > 0 && isWhole(before));
        before = first;
        grid->showNextPage();
    }
    EXPECT_EQ(grid->currentPage(), 0) << "after the last page comes the first";
    EXPECT_EQ(grid->pageFirstRow(), 0);
    EXPECT_EQ(grid->currentDisplayRow(), 2);
    EXPECT_EQ(caption->text(), u"Pedidos"_s) << "the caption stays the grid's title";
    EXPECT_EQ(dismissed.size(), 0);
    EXPECT_EQ(turned.size(), count);
}

TEST_F(GridPagingTest, AGridThatFitsOrIsNotPagedStaysPut) {
    struct Case {
        const char* name;
        bool paged;
        int rows; // in pages' worth of rows
    };
    for (const Case c : {Case{"fits", true, 0}, Case{"not paged", false, 3}}) {
        SCOPED_TRACE(c.name);
        grid->setPaged(c.paged);
        bind(c.rows ? requests(c.rows * rowsPerPage(), 1) : requests(2, 1));
        EXPECT_EQ(grid->pageCount(), 1);
        EXPECT_FALSE(grid->showNextPage());
        EXPECT_EQ(rows->verticalScrollBar()->value(), 0);
        EXPECT_EQ(grid->pageFirstRow(), 0);
        EXPECT_EQ(caption->pageText(), QString());
    }
}

TEST_F(GridPagingTest, ARefreshKeepsThePageWhileThereIsOne) {
    struct Case {
        const char* name;
        int rowsBefore; // in pages' worth, plus one row
        int pageBefore;
        int rowsAfter;
        int pageAfter;
        int countAfter;
    };
    const Case cases[] = {
        {"page 3 of 3, then 2 pages", 2, 2, 1, 0, 2},
        {"page 3 of 3, still 3 pages", 2, 2, 2, 2, 3},
        {"page 2 of 3, then 2 pages", 2, 1, 1, 1, 2},
    };
    grid->setPaged(true);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        bind(requests(c.rowsBefore * rowsPerPage() + 1, 0), false);
        ASSERT_EQ(grid->pageCount(), c.rowsBefore + 1);
        grid->setCurrentPage(c.pageBefore);
        bind(requests(c.rowsAfter * rowsPerPage() + 1, 0), false);
        EXPECT_EQ(grid->pageCount(), c.countAfter);
        EXPECT_EQ(grid->currentPage(), c.pageAfter);
        EXPECT_EQ(caption->pageText(), u"%1/%2"_s.arg(c.pageAfter + 1).arg(c.countAfter));
        EXPECT_TRUE(isWhole(grid->pageFirstRow()));
        grid->setCurrentPage(0);
    }
}

TEST_F(GridPagingTest, PagesFollowTheRowHeightAndTheGridsSize) {
    grid->setPaged(true);
    bind(requests(40, 0), false);
    const int before = grid->pageCount();
    grid->setRowHeight(grid->rowHeight() * 2);
    grid->settle();
    EXPECT_GT(grid->pageCount(), before);
    grid->resize(500, 1200);
    QCoreApplication::processEvents();
    EXPECT_LT(grid->pageCount(), before);
}

TEST_F(GridPagingTest, AGroupWithoutAValueTakesTheEmptyGroupCaption) {
    grid->setEmptyGroupCaption(u"Sem departamento"_s);
    bind(test::requestTable({{QVariant(), u"a"_s, {}, {}, {}},
                             {u""_s, u"b"_s, {}, {}, {}},
                             {u"Redes"_s, u"c"_s, {}, {}, {}}}));
    EXPECT_EQ(test::shownRows(*grid).join(u' ').toStdString(),
              "[Sem departamento] a|| [Sem departamento] b|| [Redes] c||");
    EXPECT_TRUE(grid->dataSource().valueAt(0, 0).isNull()) << "the data stay as they came";
}

TEST_F(GridPagingTest, APageThatStartsInsideAGroupShowsTheGroupsHeaderOnTop) {
    constexpr qint32 HeaderRed = 0x0000FF; // 0x00BBGGRR
    grid->style(u"GroupHeader"_s).setBackColor(HeaderRed);
    grid->setPaged(true);
    bind(requests(3 * rowsPerPage(), 3 * rowsPerPage()));
    grid->showNextPage();
    ASSERT_FALSE(grid->isGroupHeaderRow(grid->pageFirstRow()));
    QCoreApplication::processEvents();
    const QImage shown = rows->viewport()->grab().toImage();
    const int height = twipsToPixels(grid->rowHeight());
    EXPECT_EQ(shown.pixelColor(height, height / 2), QColor(Qt::red));
    EXPECT_NE(shown.pixelColor(height, height + height / 2), QColor(Qt::red));
}

TEST_F(GridPagingTest, AClickOnTheRepeatedHeaderOrTheBlankFootSelectsNothing) {
    grid->setPaged(true);
    bind(requests(3 * rowsPerPage() - 1, 3 * rowsPerPage() - 1));
    grid->setCurrentPage(grid->pageCount() - 1);
    const int before = grid->currentDisplayRow();
    const int height = twipsToPixels(grid->rowHeight());
    for (const int y : {height / 2, rows->viewport()->height() - 2}) {
        QTest::mouseClick(rows->viewport(), Qt::LeftButton, {}, QPoint(20, y));
        EXPECT_EQ(grid->currentDisplayRow(), before) << y;
    }
    QTest::mouseClick(rows->viewport(), Qt::LeftButton, {}, QPoint(20, height + height / 2));
    EXPECT_EQ(grid->currentDisplayRow(), grid->pageFirstRow());
}
