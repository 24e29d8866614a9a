#include "BoardColumns.h"

namespace assi {

void Act_Grelha_2_Campos_Novo(Grid& grid, const WeekDayNames& DiasSemana) {
    Q_UNUSED(grid);
    Q_UNUSED(DiasSemana);
}

} // namespace assi
