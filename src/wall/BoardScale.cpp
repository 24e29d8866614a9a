#include "wall/BoardScale.h"

#include "wall/DesktopSession.h"

namespace assi {

std::optional<double> chooseBoardScale(const std::optional<ScaleSetting>& scale,
                                       const QSize& requestedSize) {
    if (!scale)
        return std::nullopt;
    const int lines = requestedSize.isValid() ? requestedSize.height() : screenLines();
    return scale->factorFor(lines);
}

void applyBoardScale(double factor) {
    qputenv("QT_ENABLE_HIGHDPI_SCALING", "0");
    qputenv("QT_SCALE_FACTOR", QByteArray::number(factor, 'g', 6));
}

} // namespace assi
