#pragma once

#include "common/TableText.h"
#include "core/Recordset.h"
#include "gridview/Grid.h"

#include <QList>
#include <QString>
#include <QVariant>
#include <initializer_list>

namespace assi::test {

// A table shaped like the board's pending requests (Dep, Cliente, Pedido,
// DataPedido, Obs), unsized: the grid shows whatever fields it is given.
inline Recordset requestTable(const QList<QVariantList>& rows) {
    using namespace Qt::StringLiterals;
    Recordset table;
    for (const QString& name : {u"Dep"_s, u"Cliente"_s, u"Pedido"_s, u"DataPedido"_s, u"Obs"_s})
        table.appendField(name, FieldType::Text);
    for (const QVariantList& row : rows) {
        table.addNew();
        for (int field = 0; field < row.size(); ++field)
            table.setValue(field, row.at(field));
        table.update();
    }
    table.moveFirst();
    return table;
}

inline Recordset sampleRequests() {
    using namespace Qt::StringLiterals;
    return requestTable({
        {QVariant(), u"Oficina Central"_s, u"2026/7"_s, u"01/12/2026"_s, u"Sem departamento"_s},
        {u"Assistência"_s, u"Conceição & Filhos, Lda"_s, u"2026/15"_s, u"06/12/2026"_s,
         u"Impressora não liga"_s},
        {u"Assistência"_s, u"Padaria Estrela"_s, u"2026/16"_s, u"07/12/2026"_s, QVariant()},
        {u"Informática"_s, u"Câmara Municipal de Vila Nova de Famalicão — Serviços Técnicos"_s,
         u"2026/21"_s, u"08/12/2026"_s, u"Servidor lento"_s},
        {u"Informática"_s, u"Hotel Mar Azul"_s, u"2026/22"_s, u"09/12/2026"_s, u""_s},
        {u"Redes"_s, u"Escola Básica n.º 2"_s, u"2026/30"_s, u"09/12/2026"_s,
         u"Sem rede no bloco B"_s},
    });
}

// The request grid as the board sets it up after each binding.
inline void setUpRequestGrid(Grid& grid) {
    using namespace Qt::StringLiterals;
    grid.column(u"Dep"_s).setHidden(true);
    grid.column(u"Cliente"_s).setWidth(4000);
    grid.column(u"Cliente"_s).style().setWordWrap(true);
    grid.column(u"Pedido"_s).setWidth(1200);
    grid.column(u"Pedido"_s).style().setTextAlignment(TextAlignment::CentreMiddle);
    grid.column(u"DataPedido"_s).setCaption(u"Data Pedido"_s);
    grid.column(u"DataPedido"_s).setWidth(1500);
    grid.column(u"DataPedido"_s).style().setFormat(u"dd-MM-yyyy"_s);
    grid.column(u"DataPedido"_s).style().setTextAlignment(TextAlignment::CentreMiddle);
    grid.column(u"Obs"_s).setHidden(true);
    grid.clearGroupColumns();
    grid.addGroupColumn(u"Dep"_s);
}

} // namespace assi::test
