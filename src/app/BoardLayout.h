#pragma once

#include <QRectF>

namespace assi {

/// Where the three grids go for a client area, all in twips.
struct BoardLayout {
    QRectF grelha2;    // the weekly board, across the upper two thirds
    QRectF grelha1;    // the lower band's left request grid
    QRectF grelha11;   // the lower band's right request grid
    QRectF statusLine; // in the bottom margin, under the lower band
};

/// Lays the grids out in a client area of `scaleWidth` x `scaleHeight` twips:
/// margins of 120 around the weekly board, the request grids side by side
/// below it with a 240 gap, the lower band ending 240 above the bottom, where
/// the status line goes.
/// Whole values round halves to even. Arithmetic is wide enough for any
/// display, and a client area too small for the margins gives zero sizes.
BoardLayout computeBoardLayout(double scaleWidth, double scaleHeight);

} // namespace assi
