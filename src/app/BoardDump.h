#pragma once

#include <QJsonObject>
#include <limits>

namespace assi {

class Assi;

/// The board's state as `--dump` prints it: read from the live widgets and
/// the grids' bound recordsets, geometry in twips, colours as signed 32-bit
/// 0x00BBGGRR values. A grid with more than `rowsPerGrid` rows gives its
/// first `rowsPerGrid` and says how many it left out (`rowsLeftOut`).
QJsonObject dumpBoard(const Assi& window, int rowsPerGrid = std::numeric_limits<int>::max());

} // namespace assi
