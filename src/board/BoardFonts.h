#pragma once

#include <QFont>
#include <QList>

namespace assi {

class SettingsLookup;

/// The fonts the board's text is drawn in, at the sizes the settings give
/// them: each section's rows, group headers, caption and headings, the
/// request rows' own font and the weekly board's clients. Sized for a
/// reading distance, the board keeps their proportions, so the smallest of
/// them decides. A font whose size does not read is left out (the grid
/// keeps its design size for it).
QList<QFont> boardTextFonts(const SettingsLookup& settings);

} // namespace assi
