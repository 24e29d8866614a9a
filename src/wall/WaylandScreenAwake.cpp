#include "wall/WaylandScreenAwake.h"

#include "wall/WaylandIdleInhibitor.h"

#include <QEvent>
#include <QGuiApplication>
#include <QPlatformSurfaceEvent>
#include <QWidget>
#include <qpa/qplatformnativeinterface.h>

namespace assi {

namespace {

wl_surface* surfaceOf(QWindow* window) {
    QPlatformNativeInterface* native = QGuiApplication::platformNativeInterface();
    if (!native || !window || !window->handle())
        return nullptr;
    return static_cast<wl_surface*>(native->nativeResourceForWindow("surface", window));
}

} // namespace

WaylandScreenAwake::WaylandScreenAwake(QWidget* window,
                                       std::unique_ptr<WaylandIdleInhibitor> inhibitor)
    : m_window(window), m_inhibitor(std::move(inhibitor)) {
    if (m_window) {
        m_window->installEventFilter(this);
        watchNativeWindow();
    }
}

WaylandScreenAwake::~WaylandScreenAwake() {
    release();
    if (m_window)
        m_window->removeEventFilter(this);
    if (m_nativeWindow)
        m_nativeWindow->removeEventFilter(this);
}

void WaylandScreenAwake::hold() {
    m_wanted = true;
    follow();
}

void WaylandScreenAwake::release() {
    m_wanted = false;
    m_inhibitor->uninhibit();
}

bool WaylandScreenAwake::isHolding() const {
    return m_inhibitor->inhibitedSurface() != nullptr;
}

// A widget's native window is made when it is first shown, and made anew when
// its flags change (full screen without a frame), so it is looked for again
// whenever the widget says its window may have changed.
void WaylandScreenAwake::watchNativeWindow() {
    QWindow* native = m_window ? m_window->windowHandle() : nullptr;
    if (native == m_nativeWindow)
        return;
    if (m_nativeWindow)
        m_nativeWindow->removeEventFilter(this);
    m_nativeWindow = native;
    if (m_nativeWindow)
        m_nativeWindow->installEventFilter(this);
}

bool WaylandScreenAwake::eventFilter(QObject* watched, QEvent* event) {
    switch (event->type()) {
    case QEvent::Show:
    case QEvent::WinIdChange:
        watchNativeWindow();
        follow();
        break;
    case QEvent::Expose:
        // The surface Qt shows the window on is in place once it is exposed.
        follow();
        break;
    case QEvent::Hide:
        // Qt has destroyed the surface by now, and the compositor forgot the
        // inhibitor with it; ours is given back all the same.
        m_inhibitor->uninhibit();
        break;
    case QEvent::PlatformSurface:
        if (static_cast<QPlatformSurfaceEvent*>(event)->surfaceEventType() ==
            QPlatformSurfaceEvent::SurfaceAboutToBeDestroyed)
            m_inhibitor->uninhibit();
        break;
    default:
        break;
    }
    return QObject::eventFilter(watched, event);
}

void WaylandScreenAwake::follow() {
    wl_surface* surface =
        m_wanted && m_window && m_window->isVisible() ? surfaceOf(m_nativeWindow) : nullptr;
    if (surface)
        m_inhibitor->inhibit(surface);
    else
        m_inhibitor->uninhibit();
}

std::unique_ptr<ScreenAwake> makeWaylandScreenAwake(QWidget* window) {
    auto inhibitor = WaylandIdleInhibitor::forApplication();
    if (!inhibitor)
        return nullptr;
    return std::make_unique<WaylandScreenAwake>(window, std::move(inhibitor));
}

} // namespace assi
