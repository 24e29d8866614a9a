#include "wall/ScreenPhysicalSize.h"

#include <QGuiApplication>
#include <QScreen>

using namespace Qt::StringLiterals;

namespace assi {

bool isRealScreen(const QScreen* screen) {
    // These platforms draw into memory: their screen has no size, and the one
    // they report comes from a made-up density.
    const QString platform = QGuiApplication::platformName();
    return screen && platform != u"offscreen"_s && platform != u"minimal"_s;
}

QSizeF reportedScreenMillimetres(const QScreen* screen) {
    return isRealScreen(screen) ? screen->physicalSize() : QSizeF();
}

} // namespace assi
