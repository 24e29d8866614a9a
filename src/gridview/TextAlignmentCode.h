#pragma once

#include <Qt>

namespace assi {

/// Where a grid style puts its text, laid out like a keypad read from the
/// top. The values are the codes the settings and the dump write.
enum class TextAlignment : int {
    /// Text to the left and numbers to the right, both in the middle.
    General = 0,
    LeftTop = 1,
    CentreTop = 2,
    RightTop = 3,
    LeftMiddle = 4,
    CentreMiddle = 5,
    RightMiddle = 6,
    LeftBottom = 7,
    CentreBottom = 8,
    RightBottom = 9,
};

/// The Qt alignment `alignment` stands for; General, and any value off the
/// keypad, depends on whether the value shown is `numeric`.
Qt::Alignment qtAlignment(TextAlignment alignment, bool numeric = false);

} // namespace assi
