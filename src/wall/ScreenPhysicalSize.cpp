#include "wall/ScreenPhysicalSize.h"

#include <QGuiApplication>
#include <QScreen>

using namespace Qt::StringLiterals;

namespace assi {

QSizeF reportedScreenMillimetres(const QScreen* screen) {
    if (!screen)
        return {};
    // These platforms draw into memory: their screen has no size, and the one
    // they report comes from a made-up density.
    const QString platform = QGuiApplication::platformName();
    if (platform == u"offscreen"_s || platform == u"minimal"_s)
        return {};
    return screen->physicalSize();
}

} // namespace assi
