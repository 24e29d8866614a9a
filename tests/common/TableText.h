#pragma once

#include "Recordset.h"

#include <QStringList>
#include <QVariant>

namespace assi {
class Grid;
}

namespace assi::test {

// One line per row of the recordset's current view, "value|value|..." with
// NULL for null, as a person reads a table. Leaves the cursor at EOF.
QStringList rowsText(Recordset& rs);

// What a reader sees of a grid's rows: "[group]" for a group header,
// "text|text" over the visible columns otherwise, one entry per display row.
QStringList shownRows(const Grid& grid);

// A pending request as the board binds it: every value text or null.
struct RequestRow {
    QVariant dep, cliente, pedido, dataPedido, obs;
};

// Requests in the bound layout (Dep 30, Cliente 80, Pedido 20, DataPedido 10,
// Obs 100), positioned on the first row.
Recordset boundRequests(const QList<RequestRow>& rows);

} // namespace assi::test
