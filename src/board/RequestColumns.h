#pragma once

namespace assi {

class Grid;
class SettingsLookup;

/// Sets up the columns of a bound request grid: captions, widths and fonts
/// from the settings, the date format, the hidden department and notes, and
/// the grouping by department.
void setUpRequestColumns(Grid& grid, const SettingsLookup& settings);

} // namespace assi
