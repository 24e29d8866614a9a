#include "wall/ScreenPhysicalSize.h"

#include "wall/DesktopSession.h"

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
    if (!isRealScreen(screen))
        return {};
    // On Wayland Qt makes a size up (at 100 dpi) for an output the compositor
    // gives none for, and that size looks believable: what the compositor
    // said at start-up is taken instead.
    if (QGuiApplication::platformName() == u"wayland"_s) {
        const QSize pixels =
            (QSizeF(screen->geometry().size()) * screen->devicePixelRatio()).toSize();
        if (const std::optional<QSizeF> said = screenMillimetres(pixels))
            return *said;
    }
    return screen->physicalSize();
}

} // namespace assi
