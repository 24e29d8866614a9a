#pragma once

#include "Recordset.h"

namespace assi {

class DatabaseConnection;

// A new, empty request recordset: Dep (30), Cliente (80), Pedido (20),
// DataPedido (10) and Obs (100), all nullable text.
Recordset BuildRequestRecordset();

// Reads the pending requests and deals them out by position: odd rows of the
// ordered result to `first` (Grelha_1), even rows to `second` (Grelha_11).
// Both are replaced by new recordsets before any row is read. Errors of the
// connection pass to the caller as BoardError.
void LoadPendingRequests(DatabaseConnection& connection, Recordset& first, Recordset& second);

// The dealing-out on its own, from the current row of a query result with the
// columns Dep, Cliente, Pedido, DataPedido and Obs. A result that cannot tell
// its row count (RecordCount -1) or has no rows deals nothing out.
void DealOutRequests(Recordset& query, Recordset& first, Recordset& second);

} // namespace assi
