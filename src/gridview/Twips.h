#pragma once

#include <cmath>

namespace assi {

/// Every position and size the board handles is in twips, 15 to a logical pixel.
inline constexpr int TwipsPerPixel = 15;

inline int twipsToPixels(double twips) {
    return int(std::lround(twips / TwipsPerPixel));
}
inline double pixelsToTwips(int pixels) {
    return double(pixels) * TwipsPerPixel;
}

} // namespace assi
