#pragma once

#include "board/GridLook.h"

#include <QList>

namespace assi {

class Grid;
class SettingsLookup;

/// Sets up the columns of a bound request grid: captions, widths and fonts
/// from the settings, the date format, the hidden department and notes, and
/// the grouping by department. A width or font size that does not read
/// leaves the column as binding made it (the default width, the grid's
/// font); the rest is set up all the same. Returns the values that did not
/// read.
[[nodiscard]] QList<LookProblem> setUpRequestColumns(Grid& grid, const SettingsLookup& settings);

} // namespace assi
