#pragma once

#include "core/Recordset.h"
#include "database/QueryCells.h"

namespace assi {

// The position of a column the board's queries must return; throws BoardError
// naming it when the query result lacks it.
int requireQueryColumn(const Recordset& query, const QString& name);
int requireQueryColumn(const QueryCells& query, const QString& name);

} // namespace assi
