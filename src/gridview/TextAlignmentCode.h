#pragma once

#include <Qt>

namespace assi {

/// The alignment a grid style's text alignment code stands for, laid out
/// like a keypad read from the top: 1 left top, 2 centre top, 3 right top,
/// 4 left middle, 5 centre middle, 6 right middle, 7 left bottom, 8 centre
/// bottom, 9 right bottom. 0 ("general") and any other code align text to
/// the left and numbers to the right, both in the middle.
Qt::Alignment alignmentFromCode(int code, bool numeric = false);

} // namespace assi
