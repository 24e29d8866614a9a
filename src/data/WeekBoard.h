#pragma once

#include "core/Recordset.h"

#include <QDate>
#include <QString>
#include <array>

namespace assi {

class DatabaseConnection;

// The week's day names: indices 0 to 4 hold the five working days from today
// on ("SEGUNDA" ... "SEXTA"); 5 and 6 stay as the caller made them.
using WeekDayNames = std::array<QString, 7>;

// The board has one column per working day.
inline constexpr int dayColumnCount = 5;
// Where FindDayColumn answers "no column" (a weekend day or an unknown name).
inline constexpr int noDayColumn = dayColumnCount;

// Positions of the board recordset's fields: Ord, Vazio_0, then Dia_k and
// Vazio_k for day column k - 1, then Tipo.
inline constexpr int boardOrdField = 0;
constexpr int boardDayField(int column) {
    return 2 * (column + 1);
}
constexpr int boardSpacerField(int column) {
    return boardDayField(column) + 1;
}
inline constexpr int boardTipoField = boardSpacerField(dayColumnCount - 1) + 1;
inline constexpr int boardFieldCount = boardTipoField + 1;

// The characters each board text keeps. The key must hold the digits of any
// 32-bit group number and the trailing "1" of its technician row.
inline constexpr int boardKeySize = 11;
inline constexpr int boardDaySize = 30;
inline constexpr int boardSpacerSize = 5;
inline constexpr int boardTipoSize = 1;

// The characters an order keeps of each text of the query: its day name, its
// delivery date (which groups the numbering) and its client and technician.
inline constexpr int orderDayNameSize = 15;
inline constexpr int orderDateSize = 30;
inline constexpr int orderNameSize = 30;

// A new, empty board recordset: Ord, Vazio_0, then Dia_k and Vazio_k for
// k = 1 to 5, then Tipo, all nullable text.
Recordset BuildBoardRecordset();

// Reads the open orders due in the seven days from `today` and pivots them
// into `board`: for each sequence number n a client row (Ord "n", Tipo "0")
// and a technician row (Ord "n1", Tipo "1"), one day column per working day in
// the order of DiasSemana, which is always filled first. When the week has no
// orders `ok` is false and `board` is left as it was. Errors pass to the
// caller as BoardError, with `ok` false and `board` untouched. When given,
// `weekendOrders` gets the number of the week's orders whose day has no column
// (those due on the Saturday or Sunday), which the board does not show; 0
// when the week has no orders or the query fails.
void LoadWeekBoard(DatabaseConnection& connection, const QDate& today, Recordset& board,
                   WeekDayNames& DiasSemana, bool& ok, int* weekendOrders = nullptr);

// Writes the working days of the seven days from `today` into indices 0 to 4.
void fillWeekDayNames(const QDate& today, WeekDayNames& DiasSemana);

// The index (0 to 4) of the first slot of DiasSemana whose text is exactly
// `dayName`, or noDayColumn. No case folding, no trimming.
int FindDayColumn(const QString& dayName, const WeekDayNames& DiasSemana);

// The pivot of a query result (columns DiaSemana, Data, Cliente, Tecnico, read
// from the current row to EOF), positioned on its first row. The orders of
// each delivery date are numbered 1, 2, 3 ... in the order they arrive; orders
// whose day has no column make no row, and a week with no order on a
// working day gives one row with every field null. False (board untouched)
// when the result has no rows. When given, `weekendOrders` gets the number of
// orders whose day has no column (0 when there are no rows).
bool buildWeekBoard(Recordset& query, const WeekDayNames& DiasSemana, Recordset& board,
                    int* weekendOrders = nullptr);

} // namespace assi
