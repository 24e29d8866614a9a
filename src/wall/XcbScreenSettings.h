#pragma once

#include "wall/X11ScreenSettings.h"

#include <memory>

struct xcb_connection_t;

namespace assi {

/// X11ScreenSettings over a connection to the X server: the core protocol's
/// screen saver, and DPMS and MIT-SCREEN-SAVER when the server has them.
class XcbScreenSettings : public X11ScreenSettings {
public:
    /// Over `connection`, closed on destruction when `owned`.
    XcbScreenSettings(xcb_connection_t* connection, bool owned);
    ~XcbScreenSettings() override;

    /// Over the application's X connection; when Qt is not on X11 (a report
    /// drawn offscreen) over a connection of its own to DISPLAY, so a report
    /// says what the board does on that screen. Null without an X server.
    static std::unique_ptr<XcbScreenSettings> forApplication();
    /// Over a connection of its own to `display` (null: DISPLAY); null when
    /// it cannot be opened.
    static std::unique_ptr<XcbScreenSettings> forDisplay(const char* display);

    std::optional<ScreenSaver> screenSaver() override;
    void setScreenSaver(const ScreenSaver& settings) override;
    std::optional<bool> dpmsEnabled() override;
    void setDpmsEnabled(bool enabled) override;
    void wakeScreen() override;
    void suspendScreenSaver(bool suspended) override;

private:
    bool hasDpms() const;
    bool hasScreenSaverExtension() const;

    xcb_connection_t* m_connection;
    bool m_owned;
};

} // namespace assi
