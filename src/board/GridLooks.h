#pragma once

#include "board/GridLook.h"
#include "settings/SettingsFields.h"

#include <QList>
#include <QtGlobal>

namespace assi {

class Grid;
class SettingsLookup;

/// Gives a grid its look, every value of it: the window's background colour
/// `windowBackColor` (0x00BBGGRR) and the values of `look`.
void applyGridLook(Grid& grid, const GridLook& look, qint32 windowBackColor);

/// Reads the look of the grids of `section` (the request grids or the weekly
/// board) and applies it as above; a value that does not read shows at its
/// design value. Returns the values that did not read.
[[nodiscard]] QList<LookProblem> applyGridLook(Grid& grid, const SettingsLookup& settings,
                                               SettingsSection section, qint32 windowBackColor);

} // namespace assi
