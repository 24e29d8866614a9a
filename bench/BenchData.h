#pragma once

#include "core/Recordset.h"
#include "data/WeekBoard.h"

namespace assi::bench {

// The first Monday of the benchmark weeks: the board is built "today" then.
QDate benchMonday();

// A pending-requests query result of `rows` rows over a dozen departments,
// positioned on its first row.
Recordset makeRequestQuery(int rows);

// A weekly-orders query result of `rows` rows in date order, on working days
// only, at most `perDate` orders on one date: the dates run Monday to Friday
// and on into the following weeks as needed.
Recordset makeOrderQuery(int rows, int perDate = 2000);

// The day names of the board built on benchMonday().
WeekDayNames benchDayNames();

} // namespace assi::bench
