#pragma once

#include "Recordset.h"

#include <QDate>
#include <QString>
#include <array>

namespace assi {

class DatabaseConnection;

// The week's day names: indices 0 to 4 hold the five working days from today
// on ("SEGUNDA" ... "SEXTA"); 5 and 6 stay as the caller made them.
using WeekDayNames = std::array<QString, 7>;

// Where FindDayColumn answers "no column" (a weekend day or an unknown name).
inline constexpr int noDayColumn = 5;

// A new, empty raw-orders recordset: Ord (integer), DiaSemana (15), Data (30),
// Cliente (30), Tecnico (30).
Recordset BuildOrderSourceRecordset();

// A new, empty board recordset: Ord (11), Vazio_0 (5), then Dia_k (30) and
// Vazio_k (5) for k = 1 to 5, then Tipo (1), all nullable text.
Recordset BuildBoardRecordset();

// Reads the open orders due in the seven days from `today` and pivots them
// into `board`: for each sequence number n a client row (Ord "n", Tipo "0")
// and a technician row (Ord "n1", Tipo "1"), one day column per working day in
// the order of DiasSemana, which is always filled first. When the week has no
// orders `ok` is false and `board` is left as it was. Errors pass to the
// caller as BoardError, with `ok` false and `board` untouched.
void LoadWeekBoard(DatabaseConnection& connection, const QDate& today, Recordset& board,
                   WeekDayNames& DiasSemana, bool& ok);

// --- The steps, each usable on its own (tests and benchmarks use them)

// Writes the working days of the seven days from `today` into indices 0 to 4.
void FillWeekDayNames(const QDate& today, WeekDayNames& DiasSemana);

// The index (0 to 4) of the first slot of DiasSemana whose text is exactly
// `dayName`, or noDayColumn. No case folding, no trimming.
int FindDayColumn(const QString& dayName, const WeekDayNames& DiasSemana);

// Copies the query rows from the current one to EOF into a new raw-orders
// recordset, numbering the orders of each delivery date 1, 2, 3 ... in the
// order they arrive.
Recordset CopyOrdersWithSequence(Recordset& query);

// Pivots a raw-orders recordset (read in insertion order, whatever its filter
// or sort) into a new board recordset positioned on its first row. Orders
// whose day has no column leave no trace; a week with no order on a working
// day gives one row with every field null.
Recordset PivotWeekBoard(const Recordset& raw, const WeekDayNames& DiasSemana);

// Copy and pivot from a query result: false (board untouched) when the result
// has no rows or cannot tell its row count.
bool BuildWeekBoard(Recordset& query, const WeekDayNames& DiasSemana, Recordset& board);

} // namespace assi
