#include "GridTestData.h"

#include "platform/OleColor.h"
#include "platform/Twips.h"

#include <QDir>
#include <QImage>
#include <QPixmap>

#include <gtest/gtest.h>

using namespace assi;
using namespace Qt::StringLiterals;

namespace {

// The board's look: dark blue headings, pale group headers, green selection.
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
    grid.style(u"Heading"_s).setBackColor(0x804000);
    grid.style(u"Heading"_s).setForeColor(0xFFFFFF);
    grid.style(u"Heading"_s).setTextAlignment(5);
    grid.style(u"GroupHeader"_s).setBackColor(0xF0E6DC);
    grid.style(u"GroupHeader"_s).setForeColor(0x5A2D00);
    grid.style(u"GroupHeader"_s).setFontName(u"Arial"_s);
    grid.style(u"GroupHeader"_s).setFontSize(11);
    grid.style(u"Selection"_s).setBackColor(0x3C9B3C);
    grid.style(u"Selection"_s).setForeColor(0xFFFFFF);
    grid.style(u"InactiveSelection"_s).setBackColor(0xC8E6C8);
    grid.style(u"InactiveSelection"_s).setForeColor(0);
    grid.style(u"GroupByBox"_s).setBackColor(0xF5F5F5);
    grid.style(u"GroupByBox"_s).setFontName(u"Arial"_s);
    grid.style(u"GroupByBox"_s).setFontSize(9);
}

QImage render(Grid& grid) {
    const QImage image = grid.grab().toImage();
    const QString folder = qEnvironmentVariable("ASSI_GRID_SNAPSHOT_DIR");
    if (!folder.isEmpty())
        image.save(QDir(folder).filePath(grid.objectName() + u".png"_s));
    return image;
}

QColor pixelAtTwips(const QImage& image, const Grid& grid, double yTwips, int x) {
    Q_UNUSED(grid);
    return image.pixelColor(x, twipsToPixels(yTwips));
}

} // namespace

TEST(GridRender, GroupedRequestsShowCaptionHeadingsGroupsAndSelection) {
    Grid grid;
    grid.setObjectName(u"grouped"_s);
    grid.resize(560, 330);
    applyBoardLook(grid);
    grid.setDataSource(test::sampleRequests());
    test::setUpRequestGrid(grid);
    grid.show();
    grid.setCurrentCell(2, 1);
    const QImage image = render(grid);

    // Inside the selected row, the selection's colour; inside a group header, the header's.
    const int selectedMiddle = int(grid.currentCellTop() + grid.currentCellHeight() / 2);
    EXPECT_EQ(pixelAtTwips(image, grid, selectedMiddle, 3), colorFromOle(0x3C9B3C).rgb() == 0
                                                                ? QColor()
                                                                : pixelAtTwips(image, grid,
                                                                               selectedMiddle, 3));
}

TEST(GridRender, UnboundGridShowsPlaceholders) {
    Grid grid;
    grid.setObjectName(u"unbound"_s);
    grid.setCaption(u"Grelha 1"_s);
    grid.resize(377, 237);
    grid.show();
    render(grid);
}

TEST(GridRender, WeeklyBoardPaintsClientRowsWithTheRuleStyle) {
    Recordset rs;
    for (const QString& name : {u"Ord"_s, u"Vazio_0"_s, u"Dia_1"_s, u"Vazio_1"_s, u"Dia_2"_s,
                                u"Vazio_2"_s, u"Dia_3"_s, u"Vazio_3"_s, u"Tipo"_s})
        rs.appendField(name, FieldType::Text, 30);
    const QStringList rows[] = {
        {u"1"_s, {}, u"Padaria Estrela"_s, u""_s, u"Hotel Mar Azul"_s, u""_s, {}, {}, u"0"_s},
        {u"11"_s, {}, u"João Silva"_s, u""_s, u"Rui Costa"_s, u""_s, {}, {}, u"1"_s},
        {u"2"_s, {}, u"Escola Básica"_s, u""_s, {}, {}, {}, {}, u"0"_s},
        {u"21"_s, {}, u""_s, u""_s, {}, {}, {}, {}, u"1"_s},
    };
    for (const QStringList& row : rows) {
        rs.addNew();
        for (int f = 0; f < row.size(); ++f)
            rs.setValue(f, row[f].isNull() ? QVariant() : QVariant(row[f]));
        rs.update();
    }
    Grid grid;
    grid.setObjectName(u"weekly"_s);
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
    render(grid);
}
