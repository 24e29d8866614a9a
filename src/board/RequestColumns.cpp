#include "board/RequestColumns.h"

#include "board/SettingsLengths.h"
#include "gridview/Grid.h"
#include "settings/SettingsLookup.h"

using namespace Qt::StringLiterals;

namespace assi {

namespace {

GridColumn& startColumn(Grid& grid, const QString& key, const QString& caption) {
    GridColumn& column = grid.column(key);
    column.setCaption(caption);
    column.setDataType(GridDataType::Text);
    return column;
}

void setWidth(GridColumn& column, const SettingsLookup& settings, SettingsField field) {
    column.setWidth(readColumnWidth(settings, RequestGridsSection, field));
}

// Read again for every column: a file edited in between shows at once.
void setFont(GridColumn& column, const SettingsLookup& settings) {
    column.style().setFontName(settings.Ler_INI(RequestGridsSection, Grid_Font));
    column.style().setFontSize(settings.readFontPointSize(RequestGridsSection, Grid_FontSize));
}

} // namespace

void setUpRequestColumns(Grid& grid, const SettingsLookup& settings) {
    // The department heads each group, so its column would only repeat it.
    GridColumn& dep = startColumn(grid, u"Dep"_s, u"Dep"_s);
    setWidth(dep, settings, Grid_Coluna1);
    dep.setHidden(true);
    setFont(dep, settings);

    GridColumn& cliente = startColumn(grid, u"Cliente"_s, u"Cliente"_s);
    setWidth(cliente, settings, Grid_Coluna2);
    setFont(cliente, settings);
    cliente.style().setWordWrap(true);

    GridColumn& pedido = startColumn(grid, u"Pedido"_s, u"Pedido"_s);
    setWidth(pedido, settings, Grid_Coluna3);
    setFont(pedido, settings);
    pedido.style().setTextAlignment(TextAlignment::CentreMiddle);

    // The dates arrive as regional short-date texts; the format rewrites the
    // ones that read as dates and leaves any other text as it stands.
    GridColumn& dataPedido = startColumn(grid, u"DataPedido"_s, u"Data Pedido"_s);
    dataPedido.style().setFormat(u"dd-MM-yyyy"_s);
    setWidth(dataPedido, settings, Grid_Coluna4);
    dataPedido.style().setTextAlignment(TextAlignment::CentreMiddle);
    setFont(dataPedido, settings);

    // The notes show in the detail panel instead.
    GridColumn& obs = startColumn(grid, u"Obs"_s, u"Obs"_s);
    obs.setHidden(true);
    obs.style().setWordWrap(true);

    grid.clearGroupColumns();
    grid.addGroupColumn(u"Dep"_s);
    grid.setEmptyGroupCaption(u"Sem departamento"_s);
}

} // namespace assi
