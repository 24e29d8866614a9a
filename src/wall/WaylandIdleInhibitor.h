#pragma once

#include <memory>

struct wl_display;
struct wl_event_queue;
struct wl_registry;
struct wl_surface;
struct zwp_idle_inhibit_manager_v1;
struct zwp_idle_inhibitor_v1;

namespace assi {

/// The compositor's idle-inhibit protocol (zwp_idle_inhibit_manager_v1) over
/// the connection Qt has opened: one inhibitor at a time, on one surface.
class WaylandIdleInhibitor {
public:
    /// Over the Wayland connection of the running application; null when Qt
    /// is not on Wayland or the compositor does not offer the protocol.
    static std::unique_ptr<WaylandIdleInhibitor> forApplication();

    /// Binds the protocol on `display`, which must outlive this object.
    explicit WaylandIdleInhibitor(wl_display* display);
    ~WaylandIdleInhibitor();
    WaylandIdleInhibitor(const WaylandIdleInhibitor&) = delete;
    WaylandIdleInhibitor& operator=(const WaylandIdleInhibitor&) = delete;

    bool isOffered() const { return m_manager != nullptr; }
    /// Keeps the screen on while `surface` is visible; an inhibitor on
    /// another surface is given up.
    void inhibit(wl_surface* surface);
    void uninhibit();
    wl_surface* inhibitedSurface() const { return m_surface; }

private:
    static void announce(void* data, wl_registry* registry, unsigned name, const char* interface,
                         unsigned version);

    wl_display* m_display = nullptr;
    wl_event_queue* m_queue = nullptr;
    wl_registry* m_registry = nullptr;
    zwp_idle_inhibit_manager_v1* m_manager = nullptr;
    zwp_idle_inhibitor_v1* m_inhibitor = nullptr;
    wl_surface* m_surface = nullptr;
};

} // namespace assi
