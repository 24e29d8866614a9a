#pragma once

#include <QtGlobal>

namespace assi {

class Grid;
class SettingsLookup;

/// Gives a grid its look from the settings of grid number `gridNumber`
/// (1: the request grids, 2: the weekly board), one setting at a time, so a
/// bad value stops at its own step with the earlier ones in force.
/// `windowBackColor` is the window's background colour (0x00BBGGRR).
void applyGridLook(Grid& grid, const SettingsLookup& settings, int gridNumber,
                   qint32 windowBackColor);

} // namespace assi
