#pragma once

#include "wall/ScreenAwake.h"

#include <QDBusConnection>
#include <memory>
#include <optional>

namespace assi {

class DBusScreenAwake;
class X11ScreenSettings;

/// The screen held by whatever the session offers at the moment: the
/// desktop's screen saver service while it has an owner on the bus, else the
/// X server's own settings, else nothing. A service that comes, goes or
/// restarts while the board runs is followed. On Wayland the compositor's
/// idle inhibitor on the window is held beside the service.
class SessionScreenAwake : public ScreenAwake {
public:
    /// Without `bus`, no desktop service is looked for; without `x11`, no X
    /// server; without `wayland`, no compositor is asked.
    SessionScreenAwake(const std::optional<QDBusConnection>& bus,
                       std::unique_ptr<X11ScreenSettings> x11,
                       std::unique_ptr<ScreenAwake> wayland = nullptr);
    ~SessionScreenAwake() override;

    /// The mechanism holding the screen now, or, while nothing holds it, the
    /// one that would.
    Mechanism mechanism() const override;
    void hold() override;
    void release() override;
    bool isHolding() const override;
    bool isAsking() const override;

private:
    void follow();

    std::unique_ptr<DBusScreenAwake> m_dbus;
    std::unique_ptr<ScreenAwake> m_x11;
    std::unique_ptr<ScreenAwake> m_wayland;
    bool m_wanted = false;
};

} // namespace assi
