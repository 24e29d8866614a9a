#pragma once

#include "data/WeekBoard.h"
#include "gridview/GridFont.h"

namespace assi {

class Grid;

/// Sets up the columns of the bound weekly board: day captions from
/// `DiasSemana`, wide day columns with narrow spacers, the internal columns
/// hidden, and the "Pintar" style painting the client rows.
void Act_Grelha_2_Campos_Novo(Grid& grid, const WeekDayNames& DiasSemana);

/// What the weekly board's caption says of the window's orders that fall on
/// the weekend, which have no column: "+3 ao fim de semana"; none, nothing.
QString weekendOrdersNote(int orders);

/// The font the weekly board's clients are drawn in.
GridFont clientFont();

} // namespace assi
