#pragma once

#include "settings/SettingsFields.h"

#include <QtGlobal>

namespace assi {

class Grid;
struct GridLook;
class SettingsLookup;

/// Gives a grid its look: the window's background colour
/// `windowBackColor` (0x00BBGGRR) and the values of `look`, step by step in
/// the order they were read. A look whose reading failed gets its earlier
/// steps applied, then raises that failure's error.
void applyGridLook(Grid& grid, const GridLook& look, qint32 windowBackColor);

/// Reads the look of the grids of `section` (the request grids or the weekly
/// board) and applies it as above.
void applyGridLook(Grid& grid, const SettingsLookup& settings, SettingsSection section,
                   qint32 windowBackColor);

} // namespace assi
