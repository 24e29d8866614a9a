#pragma once

#include "common/TableText.h"
#include "ConnectionString.h"
#include "Recordset.h"

#include <QDateTime>
#include <QStringList>
#include <QVariant>

namespace assi::test {

// A query result as the database hands it over: text columns unsized, the
// request date a date-time, NULL an invalid QVariant.
Recordset requestQuery(const QList<RequestRow>& rows);

struct OrderRow {
    QVariant diaSemana, data, cliente, tecnico;
};
Recordset orderQuery(const QList<OrderRow>& rows);

// A single field of every row of the view, NULL for null.
QStringList columnText(Recordset& rs, const QString& field);

// How the board opens a SQLite database file: read-only.
ConnectionString sqliteConnection(const QString& filePath);

} // namespace assi::test
