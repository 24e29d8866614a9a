#pragma once

#include "data/WeekBoard.h"

namespace assi::bench {

// The weekly board built step by step as a table with scanning filters does it:
// copy the orders into a raw-orders table, and for every order scan the copied
// rows for its date, sort them by number descending and take the first plus
// one; then walk the rows sorted by number and, for every group, scan the
// table for the group's number to write its technician row. Quadratic; the
// reference the real pivot must beat. Gives the same board as buildWeekBoard
// for weeks without weekend orders.
bool buildNaiveWeekBoard(Recordset& query, const WeekDayNames& DiasSemana, Recordset& board);

} // namespace assi::bench
