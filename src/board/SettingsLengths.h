#pragma once

#include "settings/SettingsFields.h"

namespace assi {

class SettingsLookup;

// Lengths in twips read from the settings as regional decimals. A value the
// grid cannot take is refused here, so that the message names the section,
// the key and the text instead of only the grid.

// A body row height: more than 0 and at most 100000.
double readRowHeight(const SettingsLookup& settings, SettingsSection section, SettingsField field);
// The headings' height: 0 (no headings) to 100000.
double readHeadingHeight(const SettingsLookup& settings, SettingsSection section,
                         SettingsField field);
// A column width: 0 to 1000000.
double readColumnWidth(const SettingsLookup& settings, SettingsSection section,
                       SettingsField field);

} // namespace assi
