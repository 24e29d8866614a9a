#include "app/BoardLayout.h"

#include "settings/NumberConversions.h"

#include <algorithm>
#include <cmath>

namespace assi {

namespace {
constexpr double Margin = 120;
constexpr double Gap = 240; // between the two request grids
constexpr double BottomMargin = 240;
// The footer's text is this share of the client height...
constexpr double FooterTextShare = 0.025;
// ...and never smaller than the status line it replaced.
constexpr int MinimumFooterTextPixels = 11;
} // namespace

BoardLayout computeBoardLayout(double scaleWidth, double scaleHeight) {
    const double w = std::max(0.0, roundHalfToEven(scaleWidth - 2 * Margin));
    const double bandsHeight = scaleHeight - (Margin + BottomMargin);
    const double h = std::max(0.0, roundHalfToEven(bandsHeight * 2 / 3));
    const double top = h + Margin;
    const double lowerWidth = std::max(0.0, (w - Gap) / 2);
    const double lowerHeight = std::max(0.0, bandsHeight / 3);

    BoardLayout layout;
    layout.grelha2 = QRectF(Margin, Margin, w, h);
    layout.grelha1 = QRectF(Margin, top, lowerWidth, lowerHeight);
    // The gap keeps the two request grids from ever overlapping.
    layout.grelha11 = QRectF(Margin + Gap + lowerWidth, top, lowerWidth, lowerHeight);
    return layout;
}

FooterSize computeFooterSize(int clientHeight) {
    const int text =
        std::max(MinimumFooterTextPixels, int(std::lround(clientHeight * FooterTextShare)));
    // Half a line of air, shared above and below the text.
    return {text, text + text / 2};
}

} // namespace assi
