#include "wall/WaylandIdleInhibitor.h"

#include "idle-inhibit-unstable-v1-client-protocol.h"
#include "wall/Logging.h"

#include <QGuiApplication>
#include <cstring>
#include <qpa/qplatformnativeinterface.h>
#include <wayland-client.h>

using namespace Qt::StringLiterals;

namespace assi {

namespace {

void forget(void*, wl_registry*, unsigned) {}

} // namespace

std::unique_ptr<WaylandIdleInhibitor> WaylandIdleInhibitor::forApplication() {
    if (QGuiApplication::platformName() != u"wayland"_s)
        return nullptr;
    QPlatformNativeInterface* native = QGuiApplication::platformNativeInterface();
    auto* display =
        native ? static_cast<wl_display*>(native->nativeResourceForIntegration("wl_display"))
               : nullptr;
    if (!display)
        return nullptr;
    auto inhibitor = std::make_unique<WaylandIdleInhibitor>(display);
    if (!inhibitor->isOffered())
        return nullptr;
    return inhibitor;
}

// Everything of ours lives on a queue of its own, so that Qt, which reads and
// dispatches the same connection on its own queue, never sees our events and
// we never dispatch its. The registry is asked for through a wrapper already
// on our queue: set on the registry after the request, Qt's thread could
// dispatch the first globals on its queue before we moved it.
WaylandIdleInhibitor::WaylandIdleInhibitor(wl_display* display)
    : m_display(display), m_queue(wl_display_create_queue(display)) {
    auto* wrapper = static_cast<wl_display*>(wl_proxy_create_wrapper(display));
    wl_proxy_set_queue(reinterpret_cast<wl_proxy*>(wrapper), m_queue);
    m_registry = wl_display_get_registry(wrapper);
    wl_proxy_wrapper_destroy(wrapper);
    static const wl_registry_listener listener = {&WaylandIdleInhibitor::announce, &forget};
    wl_registry_add_listener(m_registry, &listener, this);
    if (wl_display_roundtrip_queue(m_display, m_queue) < 0)
        qCWarning(lcWall) << "A ligação ao compositor Wayland falhou ao pedir os seus protocolos";
}

WaylandIdleInhibitor::~WaylandIdleInhibitor() {
    uninhibit();
    if (m_manager)
        zwp_idle_inhibit_manager_v1_destroy(m_manager);
    wl_registry_destroy(m_registry);
    wl_display_flush(m_display);
    wl_event_queue_destroy(m_queue);
}

void WaylandIdleInhibitor::announce(void* data, wl_registry* registry, unsigned name,
                                    const char* interface, unsigned) {
    auto* self = static_cast<WaylandIdleInhibitor*>(data);
    if (self->m_manager || std::strcmp(interface, zwp_idle_inhibit_manager_v1_interface.name) != 0)
        return;
    self->m_manager = static_cast<zwp_idle_inhibit_manager_v1*>(
        wl_registry_bind(registry, name, &zwp_idle_inhibit_manager_v1_interface, 1));
}

void WaylandIdleInhibitor::inhibit(wl_surface* surface) {
    if (!m_manager || !surface || surface == m_surface)
        return;
    // Globals announced since (a screen plugged in) wait on our queue: they
    // are let go of here rather than piling up.
    wl_display_dispatch_queue_pending(m_display, m_queue);
    uninhibit();
    m_inhibitor = zwp_idle_inhibit_manager_v1_create_inhibitor(m_manager, surface);
    m_surface = surface;
    // Qt flushes only when it has requests of its own to send.
    wl_display_flush(m_display);
}

void WaylandIdleInhibitor::uninhibit() {
    if (!m_inhibitor)
        return;
    zwp_idle_inhibitor_v1_destroy(m_inhibitor);
    m_inhibitor = nullptr;
    m_surface = nullptr;
    wl_display_flush(m_display);
}

} // namespace assi
