#pragma once

#include "WeekBoard.h"

namespace assi::bench {

// The weekly board built step by step as a table with scanning filters does it:
// for every order, filter the copied rows by its date, sort them by number
// descending and take the first plus one; then walk the rows sorted by number
// and, for every group, filter a clone by the group's number to write its
// technician row. Quadratic; the reference the real pivot must beat. Gives the
// same board as BuildWeekBoard for weeks without weekend orders.
bool naiveBuildWeekBoard(Recordset& query, const WeekDayNames& DiasSemana, Recordset& board);

} // namespace assi::bench
