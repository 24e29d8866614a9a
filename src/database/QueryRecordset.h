#pragma once

#include "core/Recordset.h"
#include "database/ConnectionString.h"

class QSqlQuery;

namespace assi {

/// Reads every row of an executed query into a new recordset, positioned on
/// its first row.
///
/// Column types: whole numbers (and bits) become Integer fields when every
/// value fits 32 bits, date-times and dates become DateTime fields, anything
/// else is unsized Text. NULLs stay null. SQLite keeps date-times as text, so
/// on that engine a text column whose every non-null value reads exactly as
/// `YYYY-MM-DD HH:MM:SS` (optionally with `T` for the blank and up to three
/// decimals of a second) is a DateTime column. Columns without a name are
/// called Expr1, Expr2, ...; a repeated name gets `_2`, `_3`, ...
///
/// Throws BoardError with the driver's message when fetching fails.
Recordset recordsetFromQuery(QSqlQuery& query, DatabaseEngine engine);

} // namespace assi
