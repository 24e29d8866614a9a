#include "board/BoardColumns.h"

#include "core/BoardError.h"
#include "gridview/Grid.h"

using namespace Qt::StringLiterals;

namespace assi {

namespace {

constexpr double DayWidth = 5600.0;
constexpr double SpacerWidth = 100.0;
constexpr qint32 Red = 255; // 0x00BBGGRR
constexpr double ClientFontSize = 20;
// Monday to Friday: the week's other names go unused.
constexpr int ShownDays = 5;
// Tipo of the row under each client naming its technician.
constexpr char16_t TechnicianTipo[] = u"1";
// The board's own style, added to the grid's built-in ones, for the clients.
constexpr QStringView ClientStyle = u"Pintar";

// Columns the pivot needs but nobody reads.
void setUpInternalColumn(Grid& grid, const QString& key) {
    GridColumn& column = grid.column(key);
    column.setCaption(key);
    column.setDataType(GridDataType::Text);
    column.setHidden(true);
}

void setUpShownColumn(Grid& grid, const QString& key, const QString& caption, double width) {
    GridColumn& column = grid.column(key);
    column.setCaption(caption);
    column.setDataType(GridDataType::Text);
    column.setWidth(width);
}

// Clients in large red bold type. The style is made once per grid: when it
// exists already, adding it fails and the one there keeps its settings.
void addClientStyle(Grid& grid) {
    GridStyle* style = nullptr;
    try {
        style = &grid.addStyle(ClientStyle.toString());
    } catch (const BoardError&) {
        return;
    }
    const GridFont font = clientFont();
    style->setForeColor(Red);
    style->setFontName(font.name);
    style->setFontSize(font.size);
    style->setFontBold(font.bold);
}

} // namespace

QString weekendOrdersNote(int orders) {
    return orders > 0 ? u"+%1 ao fim de semana"_s.arg(orders) : QString();
}

GridFont clientFont() {
    return {u"Tahoma"_s, ClientFontSize, true};
}

void Act_Grelha_2_Campos_Novo(Grid& grid, const WeekDayNames& DiasSemana) {
    setUpInternalColumn(grid, u"Ord"_s);
    setUpInternalColumn(grid, u"Vazio_0"_s);
    for (int day = 0; day < ShownDays; ++day) {
        const QString number = QString::number(day + 1);
        setUpShownColumn(grid, u"Dia_"_s + number, DiasSemana[std::size_t(day)], DayWidth);
        setUpShownColumn(grid, u"Vazio_"_s + number, QString(), SpacerWidth);
    }
    // Nothing follows the last day: its spacer would only pad the edge.
    grid.column(u"Vazio_"_s + QString::number(ShownDays)).setHidden(true);
    setUpInternalColumn(grid, u"Tipo"_s);

    addClientStyle(grid);
    // Client rows carry Tipo "0", technician rows "1". Asked for again on
    // every refresh; the grid keeps one rule for the same style, column and value.
    grid.addFormatRule(ClientStyle.toString(), u"Tipo"_s, QVariant(0));
    // A client is read with its technician: no page starts between them.
    grid.setPageStartRule([](const Recordset& board, int record) {
        return board.valueAt(record, board.fieldIndex(u"Tipo"_s)).toString() !=
               QStringView(TechnicianTipo);
    });
}

} // namespace assi
