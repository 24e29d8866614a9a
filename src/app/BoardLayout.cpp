#include "app/BoardLayout.h"

#include "gridview/Twips.h"
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
// Read from afar, the weekly board takes this share of the room for rows,
// in whole orders; the request grids take the rest.
constexpr double WeekShareOfRows = 0.55;
// Margins and the gap between the request grids, as a share of the height.
constexpr double ReadingMarginShare = 0.004;
constexpr int SmallestReadingMargin = 2;

QRectF inTwips(int left, int top, int width, int height) {
    return QRectF(left * TwipsPerPixel, top * TwipsPerPixel, std::max(0, width) * TwipsPerPixel,
                  std::max(0, height) * TwipsPerPixel);
}

} // namespace

BoardLayout computeReadingLayout(int width, int height, const ReadingRoom& room) {
    const int margin =
        std::max(SmallestReadingMargin, int(std::lround(height * ReadingMarginShare)));
    const int inside = std::max(0, width - 2 * margin);
    const int bands = std::max(0, height - 3 * margin);
    const int rowsRoom = std::max(0, bands - room.weekChrome - room.requestChrome);
    int weekRows = int(rowsRoom * WeekShareOfRows);
    if (room.orderHeight > 0)
        weekRows = std::max(1, weekRows / room.orderHeight) * room.orderHeight;
    const int weekHeight = std::min(bands, room.weekChrome + weekRows);
    const int lowerTop = 2 * margin + weekHeight;
    const int lowerHeight = bands - weekHeight;
    const int lowerWidth = (inside - margin) / 2;

    BoardLayout layout;
    layout.grelha2 = inTwips(margin, margin, inside, weekHeight);
    layout.grelha1 = inTwips(margin, lowerTop, lowerWidth, lowerHeight);
    layout.grelha11 = inTwips(width - margin - lowerWidth, lowerTop, lowerWidth, lowerHeight);
    return layout;
}

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

FooterSize computeReadingFooterSize(int clientHeight, int readablePixels) {
    const int text = std::max(computeFooterSize(clientHeight).textPixels, readablePixels);
    return {text, text + text / 4};
}

} // namespace assi
