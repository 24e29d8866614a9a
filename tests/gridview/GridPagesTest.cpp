#include "gridview/GridPages.h"

#include <QString>
#include <gtest/gtest.h>
#include <ostream>

using namespace assi;

namespace {

// Rows drawn as letters: H a group header, r a record under the last H, c a
// client and t its technician (no page may start on a t), x an ungrouped row.
GridPageRows rowsOf(const char* shape, int rowsPerPage) {
    const QString rows = QString::fromLatin1(shape);
    GridPageRows pageRows;
    pageRows.count = int(rows.size());
    pageRows.rowsPerPage = rowsPerPage;
    pageRows.isGroupHeader = [rows](int row) { return rows.at(row) == u'H'; };
    pageRows.headerAbove = [rows](int row) {
        if (rows.at(row) != u'r')
            return -1;
        return int(rows.left(row).lastIndexOf(u'H'));
    };
    pageRows.mayStartAt = [rows](int row) { return rows.at(row) != u't'; };
    return pageRows;
}

// "first/top/header/end" per page: what a reader sees turn by turn.
QString pagesText(const QList<GridPage>& pages) {
    QStringList text;
    for (const GridPage& p : pages)
        text << QStringLiteral("%1/%2/%3/%4")
                    .arg(p.firstRow)
                    .arg(p.topRow)
                    .arg(p.repeatedHeaderRow)
                    .arg(p.endRow);
    return text.join(u' ');
}

struct PagesCase {
    const char* name;
    const char* rows;
    int rowsPerPage;
    const char* pages;
};

void PrintTo(const PagesCase& c, std::ostream* out) {
    *out << c.rows << " by " << c.rowsPerPage;
}

class GridPagesTest : public ::testing::TestWithParam<PagesCase> {};

} // namespace

TEST_P(GridPagesTest, SplitsTheRowsIntoPages) {
    const PagesCase& c = GetParam();
    EXPECT_EQ(pagesText(computeGridPages(rowsOf(c.rows, c.rowsPerPage))),
              QString::fromLatin1(c.pages));
}

INSTANTIATE_TEST_SUITE_P(
    Shapes, GridPagesTest,
    ::testing::Values(
        PagesCase{"no rows", "", 5, "0/0/-1/0"},
        PagesCase{"fewer rows than a page", "xxx", 5, "0/0/-1/3"},
        PagesCase{"exactly a page", "xxxxx", 5, "0/0/-1/5"},
        PagesCase{"a page and one row", "xxxxxx", 5, "0/0/-1/5 5/5/-1/6"},
        PagesCase{"ungrouped, three pages", "xxxxxxxxxxxx", 5, "0/0/-1/5 5/5/-1/10 10/10/-1/12"},
        // The header is drawn over the row already read at the foot of the page before.
        PagesCase{"a group longer than a page", "Hrrrrrrrrrrr", 5, "0/0/-1/5 5/4/0/9 9/8/0/12"},
        PagesCase{"a group whose header opened the page before",
                  "Hrrr"
                  "Hr",
                  3, "0/0/-1/3 3/2/0/4 4/4/-1/6"},
        PagesCase{"a header alone at the foot goes to the next page", "HrrrHrr", 5,
                  "0/0/-1/4 4/4/-1/7"},
        PagesCase{"groups that each fit start their own pages", "HrrHrrHrr", 4,
                  "0/0/-1/3 3/3/-1/6 6/6/-1/9"},
        PagesCase{"the weekly board with an odd row at the boundary", "ctctctct", 5,
                  "0/0/-1/4 4/4/-1/8"},
        PagesCase{"the weekly board with whole pairs per page", "ctctctct", 4, "0/0/-1/4 4/4/-1/8"},
        PagesCase{"a client without a technician", "cctct", 2, "0/0/-1/1 1/1/-1/3 3/3/-1/5"},
        PagesCase{"a page of one row still moves on", "ctct", 1,
                  "0/0/-1/1 1/1/-1/2 2/2/-1/3 3/3/-1/4"},
        PagesCase{"no room for a row", "xxx", 0, "0/0/-1/3"}),
    [](const ::testing::TestParamInfo<PagesCase>& info) {
        std::string name = info.param.name;
        for (char& ch : name)
            if (!std::isalnum(static_cast<unsigned char>(ch)))
                ch = '_';
        return name;
    });

namespace {

// Rows of their own heights: clients 3 high, every other row 2.
struct HeightsCase {
    const char* name;
    const char* rows;
    int areaHeight;
    const char* pages;
};

void PrintTo(const HeightsCase& c, std::ostream* out) {
    *out << c.rows << " in " << c.areaHeight;
}

class GridPagesByHeightTest : public ::testing::TestWithParam<HeightsCase> {};

} // namespace

TEST_P(GridPagesByHeightTest, FillsThePageByTheRowsHeights) {
    const HeightsCase& c = GetParam();
    GridPageRows rows = rowsOf(c.rows, 1);
    const QString shape = QString::fromLatin1(c.rows);
    rows.heightOf = [shape](int row) { return shape.at(row) == u'c' ? 3 : 2; };
    rows.areaHeight = c.areaHeight;
    EXPECT_EQ(pagesText(computeGridPages(rows)), QString::fromLatin1(c.pages));
}

INSTANTIATE_TEST_SUITE_P(
    Heights, GridPagesByHeightTest,
    ::testing::Values(HeightsCase{"all fit", "ctct", 10, "0/0/-1/4"},
                      // 3+2+3 = 8 fits 9, but a page must not start on the technician.
                      HeightsCase{"a pair cut at the foot waits", "ctctct", 9,
                                  "0/0/-1/2 2/2/-1/4 4/4/-1/6"},
                      HeightsCase{"whole pairs", "ctctct", 10, "0/0/-1/4 4/4/-1/6"},
                      HeightsCase{"a repeated header takes the room of the row it covers", "Hrrrrr",
                                  6, "0/0/-1/3 3/2/0/5 5/4/0/6"},
                      HeightsCase{"rows higher than the area still each get a page", "cc", 2,
                                  "0/0/-1/1 1/1/-1/2"},
                      HeightsCase{"no room", "xx", 0, "0/0/-1/2"}),
    [](const ::testing::TestParamInfo<HeightsCase>& info) {
        std::string name = info.param.name;
        for (char& ch : name)
            if (!std::isalnum(static_cast<unsigned char>(ch)))
                ch = '_';
        return name;
    });
