#include "board/RequestColumns.h"

#include "board/SettingsLengths.h"
#include "core/BoardError.h"
#include "gridview/Grid.h"
#include "settings/SettingsLookup.h"

#include <optional>

using namespace Qt::StringLiterals;

namespace assi {

namespace {

// Reads the columns' settings; one that does not read is none, and a problem.
class ColumnSettings {
public:
    // The font is read once: every column takes the same.
    explicit ColumnSettings(const SettingsLookup& settings)
        : m_settings(settings), m_fontName(settings.Ler_INI(RequestGridsSection, Grid_Font)) {
        m_fontSize = orNone(Grid_FontSize, [&] {
            return settings.readFontPointSize(RequestGridsSection, Grid_FontSize);
        });
    }

    std::optional<double> width(SettingsField field) {
        return orNone(field,
                      [&] { return readColumnWidth(m_settings, RequestGridsSection, field); });
    }
    const QString& fontName() const { return m_fontName; }
    std::optional<double> fontSize() const { return m_fontSize; }
    const QList<LookProblem>& problems() const { return m_problems; }

private:
    template <typename Read> std::optional<double> orNone(SettingsField field, Read read) {
        try {
            return read();
        } catch (const BoardError& error) {
            m_problems.append({field, error.message()});
            return std::nullopt;
        }
    }

    const SettingsLookup& m_settings;
    QString m_fontName;
    std::optional<double> m_fontSize;
    QList<LookProblem> m_problems;
};

GridColumn& startColumn(Grid& grid, const QString& key, const QString& caption) {
    GridColumn& column = grid.column(key);
    column.setCaption(caption);
    column.setDataType(GridDataType::Text);
    return column;
}

void setWidth(GridColumn& column, ColumnSettings& settings, SettingsField field) {
    if (const std::optional<double> width = settings.width(field))
        column.setWidth(*width);
}

void setFont(GridColumn& column, const ColumnSettings& settings) {
    column.style().setFontName(settings.fontName());
    if (const std::optional<double> size = settings.fontSize())
        column.style().setFontSize(*size);
}

} // namespace

QList<LookProblem> setUpRequestColumns(Grid& grid, const SettingsLookup& settings) {
    ColumnSettings read(settings);

    // The department heads each group, so its column would only repeat it.
    GridColumn& dep = startColumn(grid, u"Dep"_s, u"Dep"_s);
    setWidth(dep, read, Grid_Coluna1);
    dep.setHidden(true);
    setFont(dep, read);

    GridColumn& cliente = startColumn(grid, u"Cliente"_s, u"Cliente"_s);
    setWidth(cliente, read, Grid_Coluna2);
    setFont(cliente, read);
    cliente.style().setWordWrap(true);

    GridColumn& pedido = startColumn(grid, u"Pedido"_s, u"Pedido"_s);
    setWidth(pedido, read, Grid_Coluna3);
    setFont(pedido, read);
    pedido.style().setTextAlignment(TextAlignment::CentreMiddle);

    // The dates arrive as regional short-date texts; the format rewrites the
    // ones that read as dates and leaves any other text as it stands.
    GridColumn& dataPedido = startColumn(grid, u"DataPedido"_s, u"Data Pedido"_s);
    dataPedido.style().setFormat(u"dd-MM-yyyy"_s);
    setWidth(dataPedido, read, Grid_Coluna4);
    dataPedido.style().setTextAlignment(TextAlignment::CentreMiddle);
    setFont(dataPedido, read);

    // The notes show in the detail panel instead.
    GridColumn& obs = startColumn(grid, u"Obs"_s, u"Obs"_s);
    obs.setHidden(true);
    obs.style().setWordWrap(true);

    grid.clearGroupColumns();
    grid.addGroupColumn(u"Dep"_s);
    grid.setEmptyGroupCaption(u"Sem departamento"_s);
    return read.problems();
}

} // namespace assi
