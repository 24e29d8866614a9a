#include "GridLooks.h"

namespace assi {

void applyGridLook(Grid& grid, const SettingsLookup& settings, int gridNumber, qint32 windowBackColor) {
    Q_UNUSED(grid);
    Q_UNUSED(settings);
    Q_UNUSED(gridNumber);
    Q_UNUSED(windowBackColor);
}

} // namespace assi
