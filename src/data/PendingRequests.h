#pragma once

#include "core/Recordset.h"

namespace assi {

class DatabaseConnection;

// The characters each field of the request recordset keeps.
inline constexpr int requestDepSize = 30;
inline constexpr int requestClienteSize = 80;
inline constexpr int requestPedidoSize = 20;
inline constexpr int requestDataPedidoSize = 10;
inline constexpr int requestObsSize = 100;

// A new, empty request recordset: Dep, Cliente, Pedido, DataPedido and Obs,
// all nullable text.
Recordset BuildRequestRecordset();

// Reads the pending requests and deals them out by position: odd rows of the
// ordered result to `first` (Grelha_1), even rows to `second` (Grelha_11).
// Both are replaced by new recordsets before any row is read. Errors of the
// connection pass to the caller as BoardError.
void LoadPendingRequests(DatabaseConnection& connection, Recordset& first, Recordset& second);

// The dealing-out on its own, from the current row of a query result with the
// columns Dep, Cliente, Pedido, DataPedido and Obs. A result without rows
// deals nothing out.
void dealOutRequests(Recordset& query, Recordset& first, Recordset& second);

} // namespace assi
