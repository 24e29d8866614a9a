#pragma once

#include "core/Recordset.h"
#include "data/WeekBoard.h"
#include "database/ConnectionString.h"

#include <QList>
#include <QVariant>

// The board's tables as tests and benchmarks build them, one helper per
// layout, each positioned on its first row.
namespace assi::test {

// A pending request: every value text or null, but for the date of the query
// result, which may be a date-time.
struct RequestRow {
    QVariant dep, cliente, pedido, dataPedido, obs;
};

// The pending-requests query result as the database hands it over: the
// columns Dep, Cliente, Pedido, DataPedido (a date-time) and Obs, unsized.
Recordset requestQuery(const QList<RequestRow>& rows);

// Requests as the board binds them: BuildRequestRecordset's layout.
Recordset boundRequests(const QList<RequestRow>& rows);

// One order of the weekly query.
struct OrderRow {
    QVariant diaSemana, data, cliente, tecnico;
};

// The weekly query result: the columns DiaSemana, Data, Tecnico and Cliente,
// unsized text, in that order.
Recordset orderQuery(const QList<OrderRow>& rows);

// One row of the weekly board: the key, a name (or null) per day column, and
// the row's type ("0" client, "1" technician).
struct BoardRow {
    QVariant ord;
    std::array<QVariant, dayColumnCount> days;
    QVariant tipo;
};

// Rows in BuildBoardRecordset's layout, as the pivot writes them: a day that
// holds a name has an empty spacer beside it.
Recordset boardRecordset(const QList<BoardRow>& rows);

// How the board opens a SQLite database file: read-only, with Qt's own
// driver or through the ODBC driver named.
ConnectionString sqliteConnection(const QString& filePath, const QString& odbcDriver = {});

} // namespace assi::test
