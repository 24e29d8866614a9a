#pragma once

#include <QJsonObject>

namespace assi {

class Assi;

/// The board's state as `--dump` prints it: read from the live widgets and
/// the grids' bound recordsets, geometry in twips, colours as signed 32-bit
/// 0x00BBGGRR values.
QJsonObject dumpBoard(const Assi& window);

} // namespace assi
