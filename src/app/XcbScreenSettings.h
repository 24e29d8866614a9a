#pragma once

#include "X11ScreenSettings.h"

#include <memory>

struct xcb_connection_t;

namespace assi {

/// X11ScreenSettings over Qt's own connection to the X server: the core
/// protocol's screen saver, and DPMS when the server has that extension.
class XcbScreenSettings : public X11ScreenSettings {
public:
    explicit XcbScreenSettings(xcb_connection_t* connection);

    /// Over the application's X connection; null when Qt is not on X11.
    static std::unique_ptr<XcbScreenSettings> forApplication();

    std::optional<ScreenSaver> screenSaver() override;
    void setScreenSaver(const ScreenSaver& settings) override;
    std::optional<bool> dpmsEnabled() override;
    void setDpmsEnabled(bool enabled) override;

private:
    xcb_connection_t* m_connection;
};

} // namespace assi
