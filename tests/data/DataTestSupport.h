#pragma once

#include "platform/ConnectionString.h"
#include "platform/Recordset.h"

#include <QDateTime>
#include <QStringList>
#include <QVariant>

namespace assi::test {

// A query result as the database hands it over: text columns unsized, the
// request date a date-time, NULL an invalid QVariant.
struct RequestRow {
    QVariant dep, cliente, pedido, dataPedido, obs;
};
Recordset requestQuery(const QList<RequestRow>& rows);

struct OrderRow {
    QVariant diaSemana, data, cliente, tecnico;
};
Recordset orderQuery(const QList<OrderRow>& rows);

// One line per row of the current view, "value|value|..." with NULL for null,
// as a person reads a table. Leaves the cursor at EOF.
QStringList rowsText(Recordset& rs);

// A single field of every row of the view, NULL for null.
QStringList columnText(Recordset& rs, const QString& field);

// How the board opens a SQLite database file: read-only.
ConnectionString sqliteConnection(const QString& filePath);

} // namespace assi::test
