#include "BoardLayout.h"

#include "NumberConversions.h"

#include <algorithm>
#include <cmath>

namespace assi {

BoardLayout computeBoardLayout(double scaleWidth, double scaleHeight) {
    const double w = std::max(0.0, roundHalfToEven(scaleWidth - 240));
    const double h = std::max(0.0, roundHalfToEven((scaleHeight - 360) * 2 / 3));
    const double top = h + 120;
    const double lowerWidth = std::max(0.0, (w - 240) / 2);
    const double lowerHeight = std::max(0.0, (scaleHeight - 360) / 3);

    BoardLayout layout;
    layout.grelha2 = QRectF(120, 120, w, h);
    layout.grelha1 = QRectF(120, top, lowerWidth, lowerHeight);
    // 120 margin + the left grid + a 240 gap, so the two request grids never overlap.
    layout.grelha11 = QRectF(360 + lowerWidth, top, lowerWidth, lowerHeight);
    return layout;
}

} // namespace assi
