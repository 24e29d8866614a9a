#include "gridview/GridDelegate.h"

#include "GridTestData.h"
#include "gridview/GridPainting.h"
#include "gridview/GridTreeView.h"

#include <QAbstractItemModelTester>
#include <QCoreApplication>
#include <QImage>
#include <QPainter>
#include <gtest/gtest.h>

using namespace assi;
using namespace Qt::StringLiterals;

namespace {

// Clients (Tipo "0") and technicians (Tipo "1"), as the weekly board shows them.
Recordset weekly() {
    Recordset rs;
    rs.appendField(u"Dia_1"_s, FieldType::Text);
    rs.appendField(u"Tipo"_s, FieldType::Text);
    rs.appendField(u"Ord"_s, FieldType::Integer);
    for (const auto& [day, type] :
         {std::pair{u"Cliente A"_s, u"0"_s}, {u"Técnico T"_s, u"1"_s}, {u"Cliente B"_s, u"0"_s}}) {
        rs.addNew();
        rs.setValue(0, day);
        rs.setValue(1, type);
        rs.setValue(2, 7);
    }
    return rs;
}

QString lookText(const GridCellLook& look) {
    return u"%1:%2:%3"_s.arg(look.fore.name(), look.font.bold() ? u"bold"_s : u"plain"_s)
        .arg(look.font.pointSizeF());
}

} // namespace

TEST(GridDelegate, FormatRulesPaintTheMatchingRowsOnly) {
    Grid grid;
    QAbstractItemModelTester tester(grid.model(),
                                    QAbstractItemModelTester::FailureReportingMode::Fatal);
    grid.setDataSource(weekly());
    GridStyle& paint = grid.addStyle(u"Pintar"_s);
    paint.setForeColor(255);
    paint.setFontName(u"Tahoma"_s);
    paint.setFontSize(20);
    paint.setFontBold(true);
    for (int refresh = 0; refresh < 3; ++refresh)
        grid.addFormatRule(u"Pintar"_s, u"Tipo"_s, 0);
    ASSERT_EQ(grid.formatRules().size(), 1);

    QStringList painted;
    for (int row = 0; row < grid.displayedRowCount(); ++row)
        painted << lookText(grid.cellLook(row, 0));
    EXPECT_EQ(painted.join(u' '), u"#ff0000:bold:20 #000000:plain:%1 #ff0000:bold:20"_s.arg(8.25));

    grid.clearFormatRules();
    EXPECT_EQ(lookText(grid.cellLook(0, 0)), u"#000000:plain:%1"_s.arg(8.25));
}

TEST(GridDelegate, CellsTakeTheirColumnsStyleAndAlignTheirValue) {
    Grid grid;
    grid.setDataSource(weekly());
    grid.style(u"Normal"_s).setBackColor(0xEEEEEE);
    grid.column(u"Tipo"_s).style().setTextAlignment(TextAlignment::CentreMiddle);
    grid.column(u"Tipo"_s).style().setFontName(u"Arial"_s);
    struct Case {
        QString column;
        Qt::Alignment alignment;
    };
    const Case cases[] = {
        {u"Dia_1"_s, Qt::AlignLeft | Qt::AlignVCenter}, // general: text to the left
        {u"Ord"_s, Qt::AlignRight | Qt::AlignVCenter},  // general: numbers to the right
        {u"Tipo"_s, Qt::AlignCenter},                   // the column's own code
    };
    for (const Case& c : cases) {
        const GridCellLook look = grid.cellLook(1, grid.column(c.column).index());
        EXPECT_EQ(look.alignment, c.alignment) << c.column.toStdString();
        EXPECT_EQ(look.back, QColor(0xEE, 0xEE, 0xEE)) << "inherited from Normal";
    }
    EXPECT_EQ(grid.cellLook(1, 1).font.family(), u"Arial"_s);
}

TEST(GridDelegate, AGroupHeaderShowsItsValueInTheGroupedColumnsFormat) {
    Grid grid;
    grid.setDataSource(test::requestTable({{u"A"_s, u"Loja"_s, u"2026/1"_s, u"2026-12-01"_s, {}}}));
    grid.column(u"DataPedido"_s).style().setFormat(u"dd/MM"_s);
    grid.style(u"GroupHeader"_s).setBackColor(0x00FF00);
    grid.addGroupColumn(u"DataPedido"_s);
    grid.settle();
    ASSERT_TRUE(grid.isGroupHeaderRow(0));
    EXPECT_EQ(grid.displayedText(0, 2), u"01/12"_s) << "whatever the column asked for";
    EXPECT_EQ(grid.cellLook(0, 2).back, QColor(0, 0xFF, 0));
    EXPECT_EQ(grid.recordRowAt(0), -1);
    EXPECT_EQ(grid.recordRowAt(1), 0);
    EXPECT_EQ(grid.displayedText(1, 3), u"01/12"_s);
}

TEST(GridDelegate, CellRulesArePixelsACosmeticPenDraws) {
    const QColor rule(10, 20, 200);
    const QRect cells[] = {{0, 0, 50, 17}, {10, 5, 33, 21}, {-4, 7, 60, 1}, {5, 5, 1, 1}};
    for (const double scale : {1.0, 2.0, 1.5}) {
        for (const CellRules rules : {CellRules::Bottom, CellRules::BottomAndRight}) {
            for (const QRect& cell : cells) {
                const auto paint = [&](bool withPen) {
                    QImage image(QSize(120, 60) * scale, QImage::Format_ARGB32_Premultiplied);
                    image.setDevicePixelRatio(scale);
                    image.fill(Qt::white);
                    QPainter painter(&image);
                    painter.translate(3, 2);
                    if (!withPen) {
                        drawCellRules(painter, cell, rule, rules);
                        return image;
                    }
                    painter.setPen(QPen(rule, 0));
                    painter.drawLine(cell.bottomLeft(), cell.bottomRight());
                    if (rules == CellRules::BottomAndRight)
                        painter.drawLine(cell.topRight(), cell.bottomRight());
                    return image;
                };
                EXPECT_TRUE(paint(false) == paint(true))
                    << "scale " << scale << ", right rule " << (rules == CellRules::BottomAndRight)
                    << ", cell at " << cell.x() << "," << cell.y();
            }
        }
    }
}

TEST(GridDelegate, CellsOfTheRowsBackgroundPaintAsIfFilled) {
    Grid grid;
    grid.resize(500, 200);
    grid.setBackColor(0xFFFFFF);
    grid.setDataSource(test::requestTable({
        {u"A"_s, u"Loja"_s, u""_s, u"2026-12-01"_s, {}},
        {u"A"_s, u""_s, u"2026/2"_s, {}, {}},
        {u"B"_s, u"Oficina"_s, {}, u"2026-12-02"_s, {}},
    }));
    test::setUpRequestGrid(grid);
    grid.style(u"GroupHeader"_s).setBackColor(0xF0E6DC);
    grid.show();
    grid.settle();
    grid.setCurrentCell(2, 1);
    auto* rows = grid.findChild<GridTreeView*>(u"rows"_s);
    ASSERT_NE(rows, nullptr);
    QCoreApplication::processEvents();
    const QImage shown = rows->viewport()->grab().toImage();
    // Every cell fills its background, as the style does.
    rows->gridDelegate()->setRowsBackground(QColor());
    const QImage filled = rows->viewport()->grab().toImage();
    EXPECT_TRUE(shown == filled);
}

TEST(GridDelegate, TurningThePagesAgainMeasuresNoText) {
    Grid grid;
    grid.resize(400, 160);
    QList<QVariantList> requests;
    for (int i = 0; i < 40; ++i)
        requests.append({u"Dep %1"_s.arg(i / 7),
                         u"Cliente de assistência técnica %1"_s.arg(i),
                         u"2026/%1"_s.arg(i),
                         u"2026-12-01"_s,
                         {}});
    grid.setDataSource(test::requestTable(requests));
    test::setUpRequestGrid(grid);
    grid.setPaged(true);
    grid.show();
    grid.settle();
    ASSERT_GT(grid.pageCount(), 3);
    const GridDelegate* delegate = grid.findChild<GridTreeView*>(u"rows"_s)->gridDelegate();
    const auto turnAll = [&] {
        for (int page = 0; page < grid.pageCount(); ++page) {
            grid.setCurrentPage(page);
            QCoreApplication::processEvents();
        }
    };
    turnAll();
    const int measured = delegate->measuredTextCount();
    EXPECT_GT(measured, 0);
    turnAll();
    EXPECT_EQ(delegate->measuredTextCount(), measured);
}
