#pragma once

#include <QIcon>

namespace assi {

/// The board's icon: a small wall board with a red and a blue column, drawn
/// at start-up so no image file has to travel with the program.
QIcon boardIcon();

} // namespace assi
