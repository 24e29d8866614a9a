#include "GridTestData.h"
#include "core/BoardError.h"
#include "gridview/GridCellLook.h"

#include <QAbstractItemModelTester>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTreeView>
#include <functional>
#include <gtest/gtest.h>
#include <memory>

using namespace assi;
using namespace Qt::StringLiterals;

namespace {

// Several pages of requests: department A, then the last two in B.
Recordset requests() {
    Recordset rs = test::requestTable({});
    for (int i = 0; i < 40; ++i) {
        rs.addNew();
        rs.setValue(0, i < 38 ? u"A"_s : u"B"_s);
        rs.setValue(1, u"Cliente %1"_s.arg(i));
        rs.update();
    }
    return rs;
}

struct Read {
    const char* name;
    std::function<QString(const Grid&)> read;
};

// The grid's const reads, each as text.
const Read reads[] = {
    {"pageCount", [](const Grid& g) { return QString::number(g.pageCount()); }},
    {"currentPage", [](const Grid& g) { return QString::number(g.currentPage()); }},
    {"pageFirstRow", [](const Grid& g) { return QString::number(g.pageFirstRow()); }},
    {"displayedRowCount", [](const Grid& g) { return QString::number(g.displayedRowCount()); }},
    {"isGroupHeaderRow", [](const Grid& g) { return QString::number(g.isGroupHeaderRow(0)); }},
    {"recordRowAt",
     [](const Grid& g) { return QString::number(g.recordRowAt(g.currentDisplayRow())); }},
    {"displayedText", [](const Grid& g) { return g.displayedText(g.currentDisplayRow(), 1); }},
    {"cellLook",
     [](const Grid& g) {
         const GridCellLook look = g.cellLook(0, 1);
         return look.back.name() + look.font.toString();
     }},
    {"currentDisplayRow", [](const Grid& g) { return QString::number(g.currentDisplayRow()); }},
    {"currentColumn", [](const Grid& g) { return QString::number(g.currentColumn()); }},
    {"currentRecordRow", [](const Grid& g) { return QString::number(g.currentRecordRow()); }},
    {"currentValue", [](const Grid& g) { return g.currentValue(u"Cliente"_s).toString(); }},
    {"currentCellTop", [](const Grid& g) { return QString::number(g.currentCellTop()); }},
    {"currentCellHeight", [](const Grid& g) { return QString::number(g.currentCellHeight()); }},
};

// A read that throws (no current cell after a regrouping) reads as its error.
std::string readAll(const Grid& grid) {
    QStringList values;
    for (const Read& r : reads) {
        QString value;
        try {
            value = r.read(grid);
        } catch (const BoardError& error) {
            value = error.message();
        }
        values << u"%1=%2"_s.arg(QLatin1StringView(r.name), value);
    }
    return values.join(u"; "_s).toStdString();
}

// What a change to the grid's page, rows or model announces.
struct Notifications {
    explicit Notifications(Grid& grid)
        : pageChanged(&grid, &Grid::pageChanged), dismissed(&grid, &Grid::dismissed),
          reset(grid.model(), &QAbstractItemModel::modelAboutToBeReset),
          layout(grid.model(), &QAbstractItemModel::layoutAboutToBeChanged) {}

    int count() const {
        return int(pageChanged.size() + dismissed.size() + reset.size() + layout.size());
    }

    QSignalSpy pageChanged, dismissed, reset, layout;
};

} // namespace

TEST(GridSettle, ReadingAGridWithChangesPendingChangesNothing) {
    struct Case {
        const char* name;
        std::function<void(Grid&)> change;
    };
    const Case cases[] = {
        {"regrouping", [](Grid& g) { g.clearGroupColumns(); }},
        {"resize", [](Grid& g) { g.resize(500, 200); }},
        {"row height", [](Grid& g) { g.setRowHeight(g.rowHeight() * 2); }},
        {"heading height", [](Grid& g) { g.setHeadingHeight(900); }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Grid grid;
        grid.setObjectName(u"Grelha_1"_s);
        grid.resize(500, 300);
        grid.setPaged(true);
        grid.show();
        grid.setDataSource(requests());
        test::setUpRequestGrid(grid);
        const QAbstractItemModelTester tester(
            grid.model(), QAbstractItemModelTester::FailureReportingMode::Fatal);
        QCoreApplication::processEvents();
        ASSERT_TRUE(grid.showNextPage());
        grid.setCurrentCell(grid.pageFirstRow() + 1, 1);
        const std::string settled = readAll(grid);

        c.change(grid);
        const Notifications notifications(grid);
        const Grid& reader = grid;
        EXPECT_EQ(readAll(reader), settled) << "read as the grid last settled";
        EXPECT_EQ(notifications.count(), 0);

        // The change was there to be applied: settling shows it.
        grid.settle();
        EXPECT_NE(readAll(reader), settled);
        EXPECT_GT(notifications.count(), 0);
    }
}

TEST(GridSettle, SettleLeavesTheGridAsTheNextTurnOfTheEventLoopWould) {
    struct Case {
        const char* name;
        bool paged;
    };
    for (const Case c : {Case{"paged, on page 3", true}, Case{"scrolled to the end", false}}) {
        SCOPED_TRACE(c.name);
        Grid byLoop;
        Grid bySettle;
        for (Grid* grid : {&byLoop, &bySettle}) {
            grid->resize(500, 300);
            grid->setPaged(c.paged);
            grid->show();
            grid->setDataSource(requests());
            test::setUpRequestGrid(*grid);
            QCoreApplication::processEvents();
            if (c.paged) {
                grid->setCurrentPage(2);
            } else {
                QScrollBar* bar = grid->findChild<QTreeView*>(u"rows"_s)->verticalScrollBar();
                bar->setValue(bar->maximum());
            }
            grid->setCurrentCell(grid->displayedRowCount() - 2, 1);
            // Shorter rows leave less to scroll through.
            grid->setRowHeight(grid->rowHeight() / 2);
            grid->setCaption(u"Pedidos"_s);
            grid->resize(500, 250);
        }
        bySettle.settle();
        const std::string settled = readAll(bySettle);
        QCoreApplication::processEvents();
        EXPECT_EQ(readAll(byLoop), settled);
    }
}
