#pragma once

#include <QRectF>

namespace assi {

/// Where the three grids go for a client area, all in twips.
struct BoardLayout {
    QRectF grelha2;  // the weekly board, across the upper two thirds
    QRectF grelha1;  // the lower band's left request grid
    QRectF grelha11; // the lower band's right request grid
};

/// Lays the grids out in a client area of `scaleWidth` x `scaleHeight` twips
/// (the window above its footer): margins of 120 around the weekly board, the
/// request grids side by side below it with a 240 gap, the lower band ending
/// 240 above the bottom.
/// Whole values round halves to even. Arithmetic is wide enough for any
/// display, and a client area too small for the margins gives zero sizes.
BoardLayout computeBoardLayout(double scaleWidth, double scaleHeight);

/// The footer band across the bottom of the window, in pixels.
struct FooterSize {
    int textPixels; // the font's pixel size
    int height;     // the band's
};

/// The footer for a client area `clientHeight` pixels high: its text grows
/// with the window, to be read from across the room on a wall display.
FooterSize computeFooterSize(int clientHeight);

} // namespace assi
