#include "GridTestData.h"
#include "gridview/OleColor.h"
#include "gridview/Twips.h"

#include <QDir>
#include <QGuiApplication>
#include <QHeaderView>
#include <QImage>
#include <QLineEdit>
#include <QPixmap>
#include <QTreeView>
#include <QVBoxLayout>
#include <gtest/gtest.h>

using namespace assi;
using namespace Qt::StringLiterals;

namespace {

constexpr qint32 HeadingBack = 0x804000; // dark blue
constexpr qint32 GroupBack = 0xF0E6DC;   // pale blue
constexpr qint32 SelectionBack = 0x3C9B3C;
constexpr qint32 InactiveBack = 0xC8E6C8;

// A look like the board's settings give it.
void applyBoardLook(Grid& grid) {
    grid.setCaption(u"Pedidos de Assistência"_s);
    grid.setBackColor(0xFFFFFF);
    grid.setFontName(u"Arial"_s);
    grid.setFontSize(11);
    grid.setRowHeight(420);
    grid.setHeadingHeight(420);
    for (const QString& name : {u"Caption"_s, u"Heading"_s}) {
        GridStyle& style = grid.style(name);
        style.setFontName(u"Arial"_s);
        style.setFontSize(12);
        style.setFontBold(true);
    }
    grid.style(u"Heading"_s).setBackColor(HeadingBack);
    grid.style(u"Heading"_s).setForeColor(0xFFFFFF);
    grid.style(u"Heading"_s).setTextAlignment(TextAlignment::CentreMiddle);
    grid.style(u"GroupHeader"_s).setBackColor(GroupBack);
    grid.style(u"GroupHeader"_s).setForeColor(0x5A2D00);
    grid.style(u"GroupHeader"_s).setFontName(u"Arial"_s);
    grid.style(u"GroupHeader"_s).setFontSize(11);
    grid.style(u"Selection"_s).setBackColor(SelectionBack);
    grid.style(u"Selection"_s).setForeColor(0xFFFFFF);
    grid.style(u"InactiveSelection"_s).setBackColor(InactiveBack);
    grid.style(u"InactiveSelection"_s).setForeColor(0);
    grid.style(u"GroupByBox"_s).setBackColor(0xF5F5F5);
    grid.style(u"GroupByBox"_s).setFontName(u"Arial"_s);
    grid.style(u"GroupByBox"_s).setFontSize(9);
}

// Set ASSI_GRID_SNAPSHOT_DIR to keep the pictures for a look.
QImage render(QWidget& widget, const QString& name) {
    QCoreApplication::processEvents(); // the grid's changes land at the next turn of the loop
    const QImage image = widget.grab().toImage();
    const QString folder = qEnvironmentVariable("ASSI_GRID_SNAPSHOT_DIR");
    if (!folder.isEmpty())
        image.save(QDir(folder).filePath(name + u".png"_s));
    return image;
}

// The colour a little inside the left edge of display row `row`.
QColor rowColour(const QImage& image, const Grid& grid, int row) {
    const QTreeView* rows = grid.findChild<QTreeView*>(u"rows"_s);
    const QPoint inGrid = rows->viewport()->mapTo(&grid, QPoint(2, 0));
    const int rowHeight = twipsToPixels(grid.rowHeight());
    return image.pixelColor(inGrid.x(), inGrid.y() + row * rowHeight + 2);
}

int redPixelsInRow(const QImage& image, const Grid& grid, int row) {
    const QTreeView* rows = grid.findChild<QTreeView*>(u"rows"_s);
    const int top = rows->viewport()->mapTo(&grid, QPoint(0, 0)).y();
    const int rowHeight = twipsToPixels(grid.rowHeight());
    int count = 0;
    for (int y = top + row * rowHeight; y < top + (row + 1) * rowHeight; ++y) {
        for (int x = 0; x < image.width(); ++x) {
            const QColor c = image.pixelColor(x, y);
            count += c.red() > 200 && c.green() < 80 && c.blue() < 80;
        }
    }
    return count;
}

} // namespace

TEST(GridRender, GroupedRequestsShowTheirStylesAndTheSelection) {
    QWidget window;
    auto* layout = new QVBoxLayout(&window);
    auto* grid = new Grid;
    grid->setObjectName(u"Grelha_1"_s);
    auto* elsewhere = new QLineEdit;
    layout->addWidget(grid);
    layout->addWidget(elsewhere);
    window.resize(560, 380);
    applyBoardLook(*grid);
    grid->setDataSource(test::sampleRequests());
    test::setUpRequestGrid(*grid);
    window.show();
    grid->setCurrentCell(4, 1);
    QImage image = render(*grid, u"grouped"_s);

    const QWidget* caption = grid->findChild<QWidget*>(u"caption"_s);
    EXPECT_EQ(image.pixelColor(caption->geometry().topLeft() + QPoint(3, 3)),
              colorFromOle(HeadingBack))
        << "the caption is based on the heading";
    EXPECT_EQ(rowColour(image, *grid, 0), colorFromOle(GroupBack)) << "a group header";
    EXPECT_EQ(rowColour(image, *grid, 1), QGuiApplication::palette().color(QPalette::Base))
        << "a record on the window colour";
    EXPECT_EQ(rowColour(image, *grid, 4), colorFromOle(SelectionBack)) << "the selected row";

    elsewhere->setFocus();
    image = render(*grid, u"grouped-inactive"_s);
    EXPECT_EQ(rowColour(image, *grid, 4), colorFromOle(InactiveBack));
}

// Before any data there is nothing to head: under the caption and the band,
// the grid is its background colour, no heading painted in it.
TEST(GridRender, UnboundGridShowsNoHeadings) {
    Grid grid;
    applyBoardLook(grid);
    grid.resize(377, 237);
    grid.show();
    const QImage image = render(grid, u"unbound"_s);
    const QTreeView* rows = grid.findChild<QTreeView*>(u"rows"_s);
    const QRect area = rows->geometry().adjusted(rows->frameWidth(), rows->frameWidth(),
                                                 -rows->frameWidth(), -rows->frameWidth());
    int headingColoured = 0;
    for (int y = area.top(); y <= area.bottom(); ++y) {
        for (int x = area.left(); x <= area.right(); ++x)
            headingColoured += image.pixelColor(x, y) == colorFromOle(HeadingBack) ? 1 : 0;
    }
    EXPECT_EQ(headingColoured, 0);
    EXPECT_EQ(image.pixelColor(area.center()), QColor(Qt::white));
}

TEST(GridRender, AFormatRulePaintsOnlyTheMatchingRows) {
    Recordset rs;
    for (const QString& name : {u"Ord"_s, u"Vazio_0"_s, u"Dia_1"_s, u"Vazio_1"_s, u"Dia_2"_s,
                                u"Vazio_2"_s, u"Dia_3"_s, u"Vazio_3"_s, u"Tipo"_s})
        rs.appendField(name, FieldType::Text, 30);
    const QStringList board[] = {
        {u"1"_s, {}, u"Padaria Estrela"_s, u""_s, u"Hotel Mar Azul"_s, u""_s, {}, {}, u"0"_s},
        {u"11"_s, {}, u"João Silva"_s, u""_s, u"Rui Costa"_s, u""_s, {}, {}, u"1"_s},
        {u"2"_s, {}, u"Escola Básica"_s, u""_s, {}, {}, {}, {}, u"0"_s},
        {u"21"_s, {}, u""_s, u""_s, {}, {}, {}, {}, u"1"_s},
    };
    for (const QStringList& row : board) {
        rs.addNew();
        for (int f = 0; f < row.size(); ++f)
            rs.setValue(f, row[f].isNull() ? QVariant() : QVariant(row[f]));
    }
    Grid grid;
    grid.resize(700, 260);
    applyBoardLook(grid);
    grid.setCaption(u"Assistências da Semana"_s);
    grid.setDataSource(rs);
    for (const QString& key : {u"Ord"_s, u"Vazio_0"_s, u"Tipo"_s})
        grid.column(key).setHidden(true);
    const QStringList days{u"SEGUNDA"_s, u"TERÇA"_s, u"QUARTA"_s};
    for (int k = 1; k <= 3; ++k) {
        grid.column(u"Dia_%1"_s.arg(k)).setCaption(days[k - 1]);
        grid.column(u"Dia_%1"_s.arg(k)).setWidth(3000);
        grid.column(u"Vazio_%1"_s.arg(k)).setCaption(QString());
        grid.column(u"Vazio_%1"_s.arg(k)).setWidth(100);
    }
    GridStyle& paint = grid.addStyle(u"Pintar"_s);
    paint.setForeColor(255);
    paint.setFontName(u"Tahoma"_s);
    paint.setFontSize(14);
    paint.setFontBold(true);
    grid.addFormatRule(u"Pintar"_s, u"Tipo"_s, 0);
    grid.show();
    const QImage image = render(grid, u"weekly"_s);
    EXPECT_GT(redPixelsInRow(image, grid, 0), 50) << "client row";
    EXPECT_EQ(redPixelsInRow(image, grid, 1), 0) << "technician row";
    EXPECT_GT(redPixelsInRow(image, grid, 2), 50) << "client row";
}
