#include "GridTestData.h"
#include "common/ScopedLocale.h"
#include "core/BoardError.h"
#include "gridview/GridGroupByBand.h"
#include "gridview/OleColor.h"
#include "gridview/Twips.h"

#include <QAbstractItemModelTester>
#include <QHeaderView>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTest>
#include <QTreeView>
#include <gtest/gtest.h>
#include <memory>

using namespace assi;
using namespace Qt::StringLiterals;

namespace {

// The displayed rows as a reader sees them, on one line.
QString shownRows(const Grid& grid) {
    return test::shownRows(grid).join(u' ');
}

struct GridTest : ::testing::Test {
    std::unique_ptr<Grid> grid = std::make_unique<Grid>();
    std::unique_ptr<QAbstractItemModelTester> tester;
    QTreeView* rows = nullptr;

    void SetUp() override {
        grid->setObjectName(u"Grelha_1"_s);
        grid->resize(500, 300);
        tester = std::make_unique<QAbstractItemModelTester>(
            grid->model(), QAbstractItemModelTester::FailureReportingMode::Fatal);
        rows = grid->findChild<QTreeView*>(u"rows"_s);
        ASSERT_NE(rows, nullptr);
    }

    void bindRequests(const Recordset& rs = test::sampleRequests()) {
        grid->setDataSource(rs);
        test::setUpRequestGrid(*grid);
        QCoreApplication::processEvents();
    }

    // Centre of display row `row` (all rows shown, none collapsed above it),
    // column `column`, in the rows' viewport.
    QPoint cellCentre(int row, int column) const {
        const int height = twipsToPixels(grid->rowHeight());
        return QPoint(rows->columnViewportPosition(column) + rows->columnWidth(column) / 2,
                      height * row + height / 2 - rows->verticalScrollBar()->value());
    }
};

} // namespace

TEST_F(GridTest, BeforeBindingHasNoColumns) {
    EXPECT_FALSE(grid->hasDataSource());
    EXPECT_EQ(grid->dataSource().fieldCount(), 0);
    EXPECT_EQ(grid->columnCount(), 0);
    EXPECT_EQ(grid->model()->columnCount(), 0);
    const QHeaderView* headings = grid->findChild<QHeaderView*>(u"headings"_s);
    ASSERT_NE(headings, nullptr);
    EXPECT_EQ(headings->count(), 0);
    EXPECT_THROW(grid->column(u"Field1"_s), BoardError);
    EXPECT_EQ(grid->displayedRowCount(), 0);
}

TEST_F(GridTest, BindingShowsTheRecordsetAndGroupsByDepartment) {
    const test::ScopedLocale portuguese("pt_PT.UTF-8");
    if (!portuguese.ok())
        GTEST_SKIP() << "pt_PT.UTF-8 is not installed";
    bindRequests();
    EXPECT_EQ(grid->groupColumns(), QStringList{u"Dep"_s});
    EXPECT_EQ(shownRows(*grid),
              u"[] Oficina Central|2026/7|01-12-2026 "
              u"[Assistência] Conceição & Filhos, Lda|2026/15|06-12-2026 "
              u"Padaria Estrela|2026/16|07-12-2026 "
              u"[Informática] Câmara Municipal de Vila Nova de Famalicão — Serviços "
              u"Técnicos|2026/21|08-12-2026 Hotel Mar Azul|2026/22|09-12-2026 "
              u"[Redes] Escola Básica n.º 2|2026/30|09-12-2026"_s);
    EXPECT_EQ(grid->dataSource().recordCount(), 6);
    EXPECT_EQ(grid->dataSource().valueAt(1, 3).toString(), u"06/12/2026"_s)
        << "the bound data stay as they came";
    const QHeaderView* headings = grid->findChild<QHeaderView*>(u"headings"_s);
    EXPECT_TRUE(grid->column(u"Dep"_s).isHidden());
    EXPECT_EQ(headings->sectionSize(0), 0) << "a hidden first column shows nothing";
    EXPECT_TRUE(headings->isSectionHidden(4));
    EXPECT_EQ(headings->sectionSize(1), twipsToPixels(4000));
    EXPECT_EQ(grid->model()->headerData(3, Qt::Horizontal).toString(), u"Data Pedido"_s);
}

TEST_F(GridTest, ARefreshResetsTheModelOnceAndLeavesOneRule) {
    bindRequests();
    grid->addStyle(u"Pintar"_s);
    QSignalSpy resets(grid->model(), &QAbstractItemModel::modelReset);
    for (int refresh = 0; refresh < 3; ++refresh) {
        bindRequests();
        EXPECT_THROW(grid->addStyle(u"Pintar"_s), BoardError);
        grid->addFormatRule(u"Pintar"_s, u"Dep"_s, u"Redes"_s);
    }
    EXPECT_EQ(resets.size(), 3);
    EXPECT_EQ(grid->formatRules().size(), 1);
    EXPECT_EQ(grid->styleNames().size(), 20);
    EXPECT_EQ(grid->column(u"Cliente"_s).width(), 4000) << "set up again after each binding";
}

// Marks follow the record, wherever grouping shows it, over the format rules.
TEST_F(GridTest, MarksLayTheirStyleAndTextOverTheCellsTheyName) {
    bindRequests();
    GridStyle& rule = grid->addStyle(u"Pintar"_s);
    rule.setBackColor(0x0000FF);
    rule.setForeColor(0x00FF00);
    grid->addFormatRule(u"Pintar"_s, u"Dep"_s, u"Informática"_s);
    grid->addStyle(u"Marca"_s).setBackColor(0xFF0000);
    // Record 3 (Informática) marked whole; record 2's Pedido marked with a text.
    grid->setMarks({{u"Marca"_s, QString()}, {u"Marca"_s, u"?"_s}}, [](int record, int column) {
        return record == 3 ? 0 : (record == 2 && column == 2) ? 1 : -1;
    });
    const auto displayRowOf = [&](int record) {
        for (int row = 0; row < grid->displayedRowCount(); ++row)
            if (grid->recordRowAt(row) == record)
                return row;
        return -1;
    };
    const QColor blue = colorFromOle(0xFF0000);
    EXPECT_EQ(grid->cellLook(displayRowOf(3), 1).back, blue);
    EXPECT_EQ(grid->cellLook(displayRowOf(3), 1).fore, colorFromOle(0x00FF00))
        << "what the mark leaves unset, the rule still gives";
    EXPECT_NE(grid->cellLook(displayRowOf(2), 1).back, blue);
    EXPECT_EQ(grid->cellLook(displayRowOf(2), 2).back, blue);
    EXPECT_EQ(grid->displayedText(displayRowOf(2), 2), u"?"_s);
    EXPECT_EQ(grid->displayedText(displayRowOf(2), 1), u"Padaria Estrela"_s);
    const int informatica = displayRowOf(3) - 1;
    ASSERT_TRUE(grid->isGroupHeaderRow(informatica));
    EXPECT_NE(grid->cellLook(informatica, 0).back, blue) << "a group header is never marked";

    EXPECT_THROW(grid->setMarks({{u"Nenhum"_s, QString()}}, [](int, int) { return 0; }),
                 BoardError);
    EXPECT_EQ(grid->cellLook(displayRowOf(3), 1).back, blue) << "the marks before stay";
    grid->clearMarks();
    EXPECT_NE(grid->cellLook(displayRowOf(3), 1).back, blue);
    EXPECT_EQ(grid->displayedText(displayRowOf(2), 2), u"2026/16"_s);
}

TEST_F(GridTest, BoundColumnsTakeTheDataTypeOfTheirField) {
    struct Case {
        FieldType field;
        GridDataType expected;
        int code; // as the settings know it
    };
    const Case cases[] = {
        {FieldType::Integer, GridDataType::Integer, 3},
        {FieldType::Double, GridDataType::Double, 5},
        {FieldType::DateTime, GridDataType::DateTime, 7},
        {FieldType::Text, GridDataType::Text, 8},
    };
    Recordset rs;
    for (const Case& c : cases)
        rs.appendField(u"Campo%1"_s.arg(int(c.field)), c.field);
    grid->setDataSource(rs);
    for (int i = 0; i < std::ssize(cases); ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(grid->columnAt(i).dataType(), cases[i].expected);
        EXPECT_EQ(qToUnderlying(grid->columnAt(i).dataType()), cases[i].code);
    }
}

TEST_F(GridTest, GroupByBandShowsChipsWhenGroupedAndNothingOtherwise) {
    QWidget* band = grid->findChild<QWidget*>(u"groupByBox"_s);
    QWidget* caption = grid->findChild<QWidget*>(u"caption"_s);
    ASSERT_NE(band, nullptr);
    ASSERT_NE(caption, nullptr);
    grid->show();
    EXPECT_FALSE(caption->isVisible()) << "no caption, no caption bar";
    grid->setCaption(u"Pedidos"_s);
    QCoreApplication::processEvents();
    EXPECT_TRUE(caption->isVisible());
    EXPECT_EQ(grid->caption(), u"Pedidos"_s);

    const auto* chips = grid->findChild<GridGroupByBand*>(u"groupByBox"_s);
    EXPECT_TRUE(chips->chips().isEmpty());
    // Nothing can be dropped on the band, so it asks for nothing: only its
    // background and the line under it.
    const QImage empty = band->grab().toImage();
    const QColor background = empty.pixelColor(1, 1);
    for (int y = 0; y < empty.height() - 1; ++y) {
        for (int x = 0; x < empty.width(); ++x)
            ASSERT_EQ(empty.pixelColor(x, y), background) << x << "," << y;
    }
    bindRequests();
    grid->column(u"Dep"_s).setCaption(u"Departamento"_s);
    QCoreApplication::processEvents();
    EXPECT_EQ(chips->chips(), QStringList{u"Departamento"_s});
    grid->clearGroupColumns();
    grid->setGroupByBoxVisible(false);
    EXPECT_TRUE(band->isVisible()) << "changes land together, at the next turn of the loop";
    QCoreApplication::processEvents();
    EXPECT_TRUE(chips->chips().isEmpty());
    EXPECT_FALSE(band->isVisible());
}

TEST_F(GridTest, ColumnLookupErrorsNameTheGridAndTheKey) {
    bindRequests();
    try {
        grid->column(u"Observacoes"_s);
        FAIL() << "no error";
    } catch (const BoardError& error) {
        EXPECT_TRUE(error.message().contains(u"Grelha_1"_s)) << error.what();
        EXPECT_TRUE(error.message().contains(u"\"Observacoes\""_s)) << error.what();
    }
    EXPECT_EQ(&grid->column(u"cliente"_s), &grid->columnAt(1)) << "keys ignore case";
    EXPECT_THROW(grid->columnAt(5), BoardError);
    EXPECT_THROW(grid->addGroupColumn(u"Departamento"_s), BoardError);
    EXPECT_THROW(grid->addFormatRule(u"Pintar"_s, u"Dep"_s, 0), BoardError);
    EXPECT_THROW(grid->addFormatRule(u"Normal"_s, u"Tipo"_s, 0), BoardError);
    EXPECT_THROW(grid->setCurrentCell(12, 1), BoardError);
    EXPECT_THROW(grid->setCurrentCell(1, 9), BoardError);
    EXPECT_THROW(grid->setRowHeight(0), BoardError);
    EXPECT_THROW(grid->setHeadingHeight(-1), BoardError);
    EXPECT_THROW(grid->setFontSize(0), BoardError);
    EXPECT_THROW(grid->column(u"Cliente"_s).setWidth(-5), BoardError);
    EXPECT_THROW(grid->currentValue(u"Obs"_s), BoardError) << "nothing is current";
    EXPECT_THROW(grid->currentCellTop(), BoardError);
}

TEST_F(GridTest, SetCurrentCellNotifiesAndReadsTheCurrentRecord) {
    bindRequests();
    grid->show();
    QSignalSpy changed(grid.get(), &Grid::currentCellChanged);
    grid->setCurrentCell(4, 1);
    EXPECT_EQ(changed.size(), 1);
    EXPECT_EQ(grid->currentDisplayRow(), 4);
    EXPECT_EQ(grid->currentColumn(), 1);
    EXPECT_FALSE(grid->isGroupHeaderRow(4));
    EXPECT_EQ(grid->currentRecordRow(), 2);
    EXPECT_EQ(grid->currentValue(u"Pedido"_s).toString(), u"2026/16"_s);
    EXPECT_FALSE(grid->currentValue(u"Obs"_s).isValid()) << "a null note stays null";
    EXPECT_THROW(grid->currentValue(u"Nada"_s), BoardError);

    grid->setCurrentCell(4, 1); // as a second click on the same cell
    EXPECT_EQ(changed.size(), 2);

    grid->setCurrentCell(5, 2);
    EXPECT_TRUE(grid->isGroupHeaderRow(5));
    EXPECT_EQ(grid->currentRecordRow(), -1);
    EXPECT_THROW(grid->currentValue(u"Obs"_s), BoardError);
    EXPECT_EQ(changed.size(), 3);
}

TEST_F(GridTest, ClicksAndArrowKeysMakeCellsCurrent) {
    bindRequests();
    grid->show();
    QSignalSpy changed(grid.get(), &Grid::currentCellChanged);
    QTest::mouseClick(rows->viewport(), Qt::LeftButton, {}, cellCentre(1, 2));
    EXPECT_EQ(changed.size(), 1);
    EXPECT_EQ(grid->currentDisplayRow(), 1);
    EXPECT_EQ(grid->currentValue(u"Cliente"_s).toString(), u"Oficina Central"_s);

    QTest::keyClick(rows, Qt::Key_Down);
    EXPECT_EQ(changed.size(), 2);
    EXPECT_EQ(grid->currentDisplayRow(), 2);
    EXPECT_TRUE(grid->isGroupHeaderRow(2));
    QTest::keyClick(rows, Qt::Key_Down);
    EXPECT_EQ(changed.size(), 3);
    EXPECT_EQ(grid->currentValue(u"Pedido"_s).toString(), u"2026/15"_s);
}

TEST_F(GridTest, ScrollingAndCollapsingDismiss) {
    Recordset rs = test::requestTable({});
    for (int i = 0; i < 40; ++i) {
        rs.addNew();
        rs.setValue(0, i < 20 ? u"A"_s : u"B"_s);
        rs.setValue(1, u"Cliente %1"_s.arg(i));
    }
    bindRequests(rs);
    grid->show();
    QSignalSpy dismissed(grid.get(), &Grid::dismissed);
    rows->verticalScrollBar()->setValue(40);
    EXPECT_EQ(dismissed.size(), 1);

    rows->verticalScrollBar()->setValue(0);
    const int shown = grid->displayedRowCount();
    dismissed.clear();
    QTest::mouseDClick(rows->viewport(), Qt::LeftButton, {}, cellCentre(0, 1));
    EXPECT_GE(dismissed.size(), 1);
    EXPECT_EQ(grid->displayedRowCount(), shown - 20) << "group A collapsed";

    dismissed.clear();
    bindRequests(rs);
    EXPECT_EQ(dismissed.size(), 0) << "a rebinding is not a user's scroll";
    EXPECT_EQ(grid->displayedRowCount(), shown) << "a new binding shows every group";
}

TEST_F(GridTest, ARebindingKeepsTheScrollPositionAsFarAsItGoes) {
    Recordset rs = test::requestTable({});
    for (int i = 0; i < 60; ++i) {
        rs.addNew();
        rs.setValue(1, u"Cliente %1"_s.arg(i));
    }
    grid->setDataSource(rs);
    grid->show();
    rows->verticalScrollBar()->setValue(200);
    grid->setDataSource(rs);
    EXPECT_EQ(rows->verticalScrollBar()->value(), 200);
    grid->setDataSource(test::requestTable({{u"A"_s, u"Só um"_s, {}, {}, {}}}));
    EXPECT_EQ(rows->verticalScrollBar()->value(), 0);
}

TEST_F(GridTest, CurrentCellTopAndHeightAreTwipsFromTheGridsTop) {
    grid->setCaption(u"Pedidos"_s);
    grid->setRowHeight(300);
    grid->setHeadingHeight(450);
    bindRequests();
    grid->show();
    grid->setCurrentCell(3, 1);
    const int rowsTop = rows->geometry().top();
    EXPECT_EQ(grid->currentCellTop(), pixelsToTwips(rowsTop + 30 + 3 * 20));
    EXPECT_EQ(grid->currentCellHeight(), 300);

    // Scrolled by one row, the same cell stands one row higher.
    grid->resize(500, 160);
    rows->verticalScrollBar()->setValue(20);
    EXPECT_EQ(grid->currentCellTop(), pixelsToTwips(rowsTop + 30 + 2 * 20));
}

TEST_F(GridTest, EscapeGoesOnToTheWindow) {
    struct Window : QWidget {
        QList<int> keys;
        void keyPressEvent(QKeyEvent* event) override { keys << event->key(); }
    } window;
    grid->setParent(&window);
    bindRequests();
    window.show();
    grid->setCurrentCell(1, 1);
    QTest::keyClick(rows, Qt::Key_Escape);
    EXPECT_EQ(window.keys, QList<int>{Qt::Key_Escape});
    grid->setParent(nullptr);
}

TEST_F(GridTest, ColumnsWiderThanTheGridShrinkToStayInSight) {
    struct Case {
        double width; // twips, for each of the three visible columns
        bool shrinks;
    };
    const Case cases[] = {{5600, true}, {1500, false}};
    for (const Case& c : cases) {
        bindRequests();
        for (const QString& key : {u"Cliente"_s, u"Pedido"_s, u"DataPedido"_s})
            grid->column(key).setWidth(c.width);
        grid->show();
        QCoreApplication::processEvents();
        int shown = 0;
        for (const QString& key : {u"Cliente"_s, u"Pedido"_s, u"DataPedido"_s})
            shown += rows->columnWidth(grid->column(key).index());
        SCOPED_TRACE(c.width);
        EXPECT_LE(shown, rows->viewport()->width());
        EXPECT_EQ(rows->horizontalScrollBar()->maximum(), 0);
        // The settings keep their value: only the drawing shrinks.
        EXPECT_EQ(grid->column(u"Cliente"_s).width(), c.width);
        if (!c.shrinks) {
            EXPECT_EQ(shown, 3 * twipsToPixels(c.width));
        }
    }
}

// Read from afar: the columns share the whole width in the proportions of
// their widths, which read back as set, and the scroll bars' room is given
// to them too.
TEST_F(GridTest, ColumnsThatFillTheWidthKeepTheirProportions) {
    bindRequests();
    grid->setColumnsFillWidth(true);
    grid->setScrollBarsShown(false);
    grid->show();
    grid->settle();
    QCoreApplication::processEvents();
    const QStringList keys{u"Cliente"_s, u"Pedido"_s, u"DataPedido"_s};
    int shown = 0;
    for (const QString& key : keys)
        shown += rows->columnWidth(grid->column(key).index());
    EXPECT_EQ(shown, rows->viewport()->width());
    EXPECT_EQ(rows->verticalScrollBar()->isVisible(), false);
    const GridColumn& cliente = grid->column(u"Cliente"_s);
    EXPECT_EQ(cliente.width(), 4000);
    EXPECT_EQ(cliente.shownWidth(), rows->columnWidth(cliente.index()) * 15.0);
    // 4000 : 1200 : 1500 of the width.
    EXPECT_NEAR(cliente.shownWidth() / grid->column(u"Pedido"_s).shownWidth(), 4000.0 / 1200, 0.05);
}

// Zoomed text makes rows that fit it grow with it, and fewer of them fit a
// page.
TEST_F(GridTest, RowsFitTheirZoomedText) {
    bindRequests();
    grid->setPaged(true);
    grid->setRowsFitText(true);
    grid->show();
    struct Seen {
        int rowHeight;
        int pages;
    };
    const auto at = [&](double zoom) {
        grid->setTextZoom(zoom);
        grid->settle();
        return Seen{grid->displayRowHeight(1), grid->pageCount()};
    };
    const Seen design = at(1);
    const Seen doubled = at(2);
    EXPECT_NEAR(doubled.rowHeight, 2 * design.rowHeight, 2);
    EXPECT_GT(doubled.pages, design.pages);
    EXPECT_THROW(grid->setTextZoom(0), BoardError);
}
