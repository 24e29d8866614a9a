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

/// What the grids need around and for their rows when sized for a reading
/// distance, in pixels.
struct ReadingRoom {
    int weekChrome = 0;    // the weekly board's caption, headings and frame
    int orderHeight = 0;   // one order: a client row and its technician's; 0 when unknown
    int requestChrome = 0; // a request grid's caption, headings and frame
};

/// Lays the grids out, in twips, for a client area `width` x `height`
/// pixels (the window above its footer) sized for a reading distance:
/// narrow margins that grow with the screen, the weekly board across the
/// top with whole orders, as many as fit in its share of the room for
/// rows, and the request grids side by side under it with the rest.
BoardLayout computeReadingLayout(int width, int height, const ReadingRoom& room);

/// The footer band across the bottom of the window, in pixels.
struct FooterSize {
    int textPixels; // the font's pixel size
    int height;     // the band's
};

/// The footer for a client area `clientHeight` pixels high: its text grows
/// with the window, to be read from across the room on a wall display.
FooterSize computeFooterSize(int clientHeight);

/// The footer when the board is sized for a reading distance: its text at
/// least `readablePixels`, and a narrower band around it.
FooterSize computeReadingFooterSize(int clientHeight, int readablePixels);

} // namespace assi
