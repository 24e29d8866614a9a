#pragma once

#include <QColor>
#include <QPalette>

namespace assi {

/// Reads a colour in the 0x00BBGGRR encoding the settings file uses (red in
/// the low byte), as a signed 32-bit value. A value whose top byte is 0x80
/// names a system colour by its index in the low byte (5 window, 8 window
/// text, 13 highlight, 14 highlight text, 15 button face, 16 button shadow,
/// 18 button text...), taken from `palette`; an index with no counterpart
/// gives black. Any other top byte is ignored.
QColor colorFromOle(qint32 value, const QPalette& palette);

/// As above, with the application's palette.
QColor colorFromOle(qint32 value);

} // namespace assi
