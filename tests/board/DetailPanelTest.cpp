#include "board/DetailPanel.h"

#include "GridsTestSupport.h"
#include "board/BoardColumns.h"
#include "board/PanelPlacement.h"
#include "board/RequestColumns.h"
#include "gridview/Twips.h"
#include "settings/SettingsLookup.h"

#include <QCoreApplication>
#include <QFrame>
#include <QLabel>
#include <QScrollBar>
#include <QTreeView>
#include <gtest/gtest.h>
#include <memory>

using namespace assi;
using namespace Qt::StringLiterals;

namespace {

TEST(PanelPlacement, WorkedExamples) {
    struct Case {
        double scaleHeight, panelHeight;
        int cellBottom, expectedTop;
    };
    const Case cases[] = {
        {12000, 1500, 11000, 9500},  // would overflow: ends at the cell's bottom edge
        {12000, 1500, 10500, 10500}, // ends exactly at the bottom: fits
        {12000, 1500, 10501, 9001},
        {12000, 1500, 0, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.cellBottom);
        EXPECT_EQ(panelTop(c.cellBottom, c.panelHeight, c.scaleHeight), c.expectedTop);
    }
    // The cell's bottom edge rounds halves to the even twip.
    EXPECT_EQ(cellBottom(7880, 1000.5, 0), 8880);
    EXPECT_EQ(cellBottom(7880, 1001.5, 0), 8882);
    EXPECT_EQ(cellBottom(7880, 700, 300), 8880);

    // A grid 9660 wide and a panel 4000 wide: 2830 in from the grid's left edge.
    EXPECT_EQ(panelLeft(0, 9660, 4000), 2830.0f);
    EXPECT_EQ(panelLeft(120, 9660, 4000), 2950.0f);
    EXPECT_EQ(panelLeft(10020, 9660, 4000), 12850.0f);
    EXPECT_EQ(panelLeft(120, 9660, 6015), 1942.5f);
}

// The window's controls, laid out as the board lays out a client area of
// 19800 x 12000 twips (every edge on a whole pixel), with the grids'
// notifications wired to the panel as the window wires them.
struct DetailPanelTest : ::testing::Test {
    QWidget window;
    Grid* grelha1 = new Grid(&window);
    Grid* grelha2 = new Grid(&window);
    QFrame* frame = new QFrame(&window);
    QLabel* label = new QLabel(frame);
    Grid* grelha11 = new Grid(&window);
    double scaleHeight = 12000;
    std::unique_ptr<DetailPanel> panel;
    test::SettingsFile file;

    static void place(QWidget* control, const QRectF& twips) {
        control->setGeometry(twipsToPixels(twips.left()), twipsToPixels(twips.top()),
                             twipsToPixels(twips.width()), twipsToPixels(twips.height()));
        control->setProperty("twips", twips);
    }

    void SetUp() override {
        window.resize(1320, 800);
        grelha1->setObjectName(u"Grelha_1"_s);
        grelha11->setObjectName(u"Grelha_11"_s);
        grelha2->setObjectName(u"Grelha_2"_s);
        place(grelha2, QRectF(120, 120, 19560, 7755));
        place(grelha1, QRectF(120, 7875, 9660, 3885));
        place(grelha11, QRectF(10020, 7875, 9660, 3885));
        frame->setGeometry(568, 416, 401, 249); // 6015 x 3735 twips
        label->setGeometry(8, 16, 385, 225);

        panel = std::make_unique<DetailPanel>(frame, label, [this] { return scaleHeight; });
        const struct {
            Grid* grid;
            PanelGrid which;
        } grids[] = {{grelha1, PanelGrid::Grelha_1},
                     {grelha11, PanelGrid::Grelha_11},
                     {grelha2, PanelGrid::Grelha_2}};
        for (const auto& g : grids) {
            QObject::connect(g.grid, &Grid::currentCellChanged, &window,
                             [this, g] { panel->showFor(*g.grid, g.which); });
            QObject::connect(g.grid, &Grid::dismissed, &window, [this] { panel->hide(); });
        }

        // Cliente wider than the grid: the columns shrink to fit.
        file.set(u"GrelhaPedidos"_s, u"Grid_Coluna2"_s, u"12000"_s);
        const SettingsLookup settings(file.write());
        for (Grid* grid : {grelha1, grelha11}) {
            grid->setDataSource(test::sampleRequests());
            EXPECT_TRUE(setUpRequestColumns(*grid, settings).isEmpty());
        }
        WeekDayNames DiasSemana{};
        fillWeekDayNames(QDate(2026, 12, 9), DiasSemana);
        grelha2->setDataSource(test::sampleBoard());
        Act_Grelha_2_Campos_Novo(*grelha2, DiasSemana);

        frame->hide();
        window.show();
        QCoreApplication::processEvents();
    }

    // Display rows of the request grids: 0 and 3 are group headers; 1 has
    // notes, 2 null notes, 4 empty notes, 5 notes with markup.
    void pick(Grid* grid, int displayRow) {
        grid->setCurrentCell(displayRow, grid->column(u"Pedido"_s).index());
        QCoreApplication::processEvents();
    }

    // Where the current cell's bottom edge is in the window, in twips,
    // measured on the rows as drawn.
    double currentCellBottom(Grid* grid) const {
        const auto* rows = grid->findChild<QTreeView*>(u"rows"_s);
        const QRect cell = rows->visualRect(rows->currentIndex());
        const QPoint bottom =
            rows->viewport()->mapTo(&window, QPoint(0, cell.top() + cell.height()));
        return pixelsToTwips(bottom.y());
    }

    QRectF panelTwips() const { return frame->property("twips").toRectF(); }
};

TEST_F(DetailPanelTest, RequestShowsItsNotesUnderItsRowCentredUnderItsGrid) {
    struct Case {
        Grid* grid;
        double expectedLeft;
    };
    const Case cases[] = {{grelha1, 120 + (9660 - 6015) / 2.0},
                          {grelha11, 10020 + (9660 - 6015) / 2.0}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.grid->objectName().toStdString());
        scaleHeight = 30000; // room below every row
        pick(c.grid, 1);
        ASSERT_TRUE(frame->isVisible());
        EXPECT_EQ(label->text(), u"Impressora não liga"_s);
        const QRectF placed = panelTwips();
        EXPECT_EQ(placed.left(), c.expectedLeft);
        EXPECT_EQ(placed.top(), currentCellBottom(c.grid));
        EXPECT_EQ(placed.size(), QSizeF(6015, 3735));
        EXPECT_EQ(frame->geometry().topLeft(),
                  QPoint(twipsToPixels(placed.left()), twipsToPixels(placed.top())));
        // Drawn over the grid, not under it.
        EXPECT_TRUE(frame->isAncestorOf(window.childAt(frame->geometry().center())) ||
                    window.childAt(frame->geometry().center()) == frame);
        panel->hide();
    }
}

TEST_F(DetailPanelTest, PanelRisesAboveTheCellWhenItWouldPassTheBottom) {
    pick(grelha1, 4);
    const double bottom = currentCellBottom(grelha1);
    struct Case {
        double scaleHeight, expectedTop;
    };
    const Case cases[] = {
        {bottom + 3735, bottom},        // ends exactly at the bottom: stays under the row
        {bottom + 3734, bottom - 3735}, // one twip too far: ends at the row's bottom
        {12000, bottom - 3735},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.scaleHeight);
        scaleHeight = c.scaleHeight;
        panel->showFor(*grelha1, PanelGrid::Grelha_1);
        EXPECT_TRUE(frame->isVisible());
        EXPECT_EQ(panelTwips().top(), c.expectedTop);
    }
}

TEST_F(DetailPanelTest, PanelShownRightAfterAChangeGoesUnderTheRowAsItWillBePainted) {
    scaleHeight = 30000;
    pick(grelha1, 1);
    // Taller headings push the rows down, once the grid applies them.
    grelha1->setHeadingHeight(900);
    panel->showFor(*grelha1, PanelGrid::Grelha_1);
    const double placedTop = panelTwips().top();
    QCoreApplication::processEvents();
    EXPECT_EQ(placedTop, currentCellBottom(grelha1));
}

TEST_F(DetailPanelTest, NullEmptyAndMarkedUpNotesShowAsPlainText) {
    struct Case {
        int row;
        QString expected;
    };
    const Case cases[] = {
        {2, QString()},
        {4, QString()},
        {5, u"<b>Urgente</b> <img src=\"x.png\">"_s},
        {1, u"Impressora não liga"_s},
    };
    for (Grid* grid : {grelha1, grelha11}) {
        for (const Case& c : cases) {
            SCOPED_TRACE(u"%1 linha %2"_s.arg(grid->objectName()).arg(c.row).toStdString());
            label->setText(u"anterior"_s);
            pick(grid, c.row);
            EXPECT_TRUE(frame->isVisible());
            EXPECT_EQ(label->text(), c.expected);
        }
    }
    EXPECT_EQ(label->textFormat(), Qt::PlainText);
    EXPECT_TRUE(label->wordWrap());
}

TEST_F(DetailPanelTest, GroupHeaderRowHidesThePanelAndKeepsTheFocusOnItsGrid) {
    for (Grid* grid : {grelha1, grelha11}) {
        SCOPED_TRACE(grid->objectName().toStdString());
        pick(grid, 1);
        ASSERT_TRUE(frame->isVisible());
        pick(grid, 3);
        EXPECT_FALSE(frame->isVisible());

        grelha2->setFocus();
        panel->showFor(*grid, grid == grelha1 ? PanelGrid::Grelha_1 : PanelGrid::Grelha_11);
        EXPECT_FALSE(frame->isVisible());
        EXPECT_TRUE(grid->isAncestorOf(window.focusWidget())) << window.focusWidget();
    }
}

TEST_F(DetailPanelTest, WeeklyBoardNeverShowsThePanel) {
    const int day = grelha2->column(u"Dia_1"_s).index();
    for (int row = 0; row < 4; ++row) {
        SCOPED_TRACE(row);
        pick(grelha1, 1);
        ASSERT_TRUE(frame->isVisible());
        grelha2->setCurrentCell(row, day);
        QCoreApplication::processEvents();
        EXPECT_FALSE(frame->isVisible());
    }
}

TEST_F(DetailPanelTest, RowsMovingUnderThePanelHideItWhicheverGridShowedIt) {
    // Grids too low for their rows, so the rows can scroll.
    place(grelha2, QRectF(120, 120, 19560, 1500));
    place(grelha1, QRectF(120, 7875, 9660, 1500));
    place(grelha11, QRectF(10020, 7875, 9660, 1500));
    QCoreApplication::processEvents();
    for (Grid* moved : {grelha1, grelha11, grelha2}) {
        SCOPED_TRACE(moved->objectName().toStdString());
        pick(grelha11, 1);
        ASSERT_TRUE(frame->isVisible());
        QScrollBar* bar = moved->findChild<QTreeView*>(u"rows"_s)->verticalScrollBar();
        ASSERT_GT(bar->maximum(), 0);
        bar->setValue(bar->maximum());
        EXPECT_FALSE(frame->isVisible());
        bar->setValue(0);
    }
}

} // namespace
