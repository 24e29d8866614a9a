#pragma once

#include "settings/ScaleSetting.h"

#include <QSize>
#include <optional>

namespace assi {

/// The board's scale for this run, from the scale the settings ask for. An
/// automatic scale follows `requestedSize` (--size, in device pixels) when
/// given, else the screen's height. Null when the settings ask for none, and
/// Qt's own choice stands.
std::optional<double> chooseBoardScale(const std::optional<ScaleSetting>& scale,
                                       const QSize& requestedSize);

/// Hands the scale to Qt's high-DPI scaling, which takes it once, when the
/// application object is made: fonts, rows, columns and layout scale
/// together and text stays sharp. The setting replaces the desktop's own
/// scaling, so "100" is the design size on any screen.
void applyBoardScale(double factor);

} // namespace assi
