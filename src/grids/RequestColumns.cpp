#include "RequestColumns.h"

#include <QtGlobal>

namespace assi {

void setUpRequestColumns(Grid& grid, const SettingsLookup& settings) {
    Q_UNUSED(grid);
    Q_UNUSED(settings);
}

} // namespace assi
