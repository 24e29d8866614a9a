#include "BoardColumns.h"

#include "BoardError.h"
#include "Grid.h"

using namespace Qt::StringLiterals;

namespace assi {

namespace {

constexpr int TextDataType = 8;
constexpr double DayWidth = 5600.0;
constexpr double SpacerWidth = 100.0;
constexpr qint32 Red = 255; // 0x00BBGGRR

// Columns the pivot needs but nobody reads.
void setUpInternalColumn(Grid& grid, const QString& key) {
    GridColumn& column = grid.column(key);
    column.setCaption(key);
    column.setDataType(TextDataType);
    column.setHidden(true);
}

void setUpShownColumn(Grid& grid, const QString& key, const QString& caption, double width) {
    GridColumn& column = grid.column(key);
    column.setCaption(caption);
    column.setDataType(TextDataType);
    column.setWidth(width);
}

// Clients in large red bold type. The style is made once per grid: when it
// exists already, adding it fails and the one there keeps its settings.
void addClientStyle(Grid& grid) {
    GridStyle* pintar = nullptr;
    try {
        pintar = &grid.addStyle(u"Pintar"_s);
    } catch (const BoardError&) {
        return;
    }
    pintar->setForeColor(Red);
    pintar->setFontName(u"Tahoma"_s);
    pintar->setFontSize(20);
    pintar->setFontBold(true);
}

} // namespace

void Act_Grelha_2_Campos_Novo(Grid& grid, const WeekDayNames& DiasSemana) {
    setUpInternalColumn(grid, u"Ord"_s);
    setUpInternalColumn(grid, u"Vazio_0"_s);
    for (int i = 0; i < 5; ++i) {
        const QString k = QString::number(i + 1);
        setUpShownColumn(grid, u"Dia_"_s + k, DiasSemana[std::size_t(i)], DayWidth);
        setUpShownColumn(grid, u"Vazio_"_s + k, QString(), SpacerWidth);
        // Nothing follows the last day: its spacer would only pad the edge.
        if (i == 4)
            grid.column(u"Vazio_"_s + k).setHidden(true);
    }
    setUpInternalColumn(grid, u"Tipo"_s);

    addClientStyle(grid);
    // Client rows carry Tipo "0", technician rows "1". Asked for again on
    // every refresh; the grid keeps one rule for the same style, column and value.
    grid.addFormatRule(u"Pintar"_s, u"Tipo"_s, QVariant(0));
}

} // namespace assi
