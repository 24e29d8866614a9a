#pragma once

#include <QSize>
#include <QString>
#include <optional>

namespace assi {

/// The board's scale for this run, from [Geral] Escala in `settingsFile`. An
/// automatic scale follows `requestedSize` (--size, in device pixels) when
/// given, else the screen's height. Null when the file sets no scale (or
/// cannot be read), and Qt's own choice stands.
std::optional<double> chooseBoardScale(const QString& settingsFile, const QSize& requestedSize);

/// Hands the scale to Qt's high-DPI scaling, which takes it once, when the
/// application object is made: fonts, rows, columns and layout scale
/// together and text stays sharp. The setting replaces the desktop's own
/// scaling, so "100" is the design size on any screen.
void applyBoardScale(double factor);

} // namespace assi
