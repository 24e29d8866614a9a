#include "wall/SessionScreenAwake.h"

#include "wall/DBusScreenAwake.h"
#include "wall/X11ScreenAwake.h"

namespace assi {

SessionScreenAwake::SessionScreenAwake(const std::optional<QDBusConnection>& bus,
                                       std::unique_ptr<X11ScreenSettings> x11,
                                       std::unique_ptr<ScreenAwake> wayland)
    : m_wayland(std::move(wayland)) {
    if (bus) {
        m_dbus = std::make_unique<DBusScreenAwake>(*bus);
        m_dbus->setOnChange([this] { follow(); });
    }
    if (x11)
        m_x11 = std::make_unique<X11ScreenAwake>(std::move(x11));
}

SessionScreenAwake::~SessionScreenAwake() {
    release();
}

// The compositor's inhibitor is said first: it is the one a kiosk compositor
// (cage) honours, and a desktop that offers both honours it too.
ScreenAwake::Mechanism SessionScreenAwake::mechanism() const {
    if (m_wayland && m_wayland->isHolding())
        return Mechanism::Wayland;
    if (m_dbus && m_dbus->isHolding())
        return Mechanism::DBus;
    if (m_x11 && m_x11->isHolding())
        return Mechanism::X11;
    if (m_wayland)
        return Mechanism::Wayland;
    if (m_dbus && m_dbus->hasService())
        return Mechanism::DBus;
    return m_x11 ? Mechanism::X11 : Mechanism::None;
}

bool SessionScreenAwake::isAsking() const {
    return m_dbus && m_dbus->isAsking();
}

bool SessionScreenAwake::isHolding() const {
    return (m_wayland && m_wayland->isHolding()) || (m_dbus && m_dbus->isHolding()) ||
           (m_x11 && m_x11->isHolding());
}

void SessionScreenAwake::hold() {
    m_wanted = true;
    follow();
}

void SessionScreenAwake::release() {
    m_wanted = false;
    if (m_wayland)
        m_wayland->release();
    if (m_dbus)
        m_dbus->release();
    if (m_x11)
        m_x11->release();
}

// Once taken, the X server's settings hold the screen until the desktop's
// service does, so a move from one to the other leaves no gap. They are taken
// while the service is gone or refuses, but not while it is first asked: a
// desktop on X11 has the service, and its X settings are best left alone.
// The compositor's inhibitor and the service are held together: GNOME offers
// the service (and may not honour an inhibitor), cage only the inhibitor, and
// holding both where both are offered costs nothing.
void SessionScreenAwake::follow() {
    if (!m_wanted)
        return;
    if (m_wayland)
        m_wayland->hold();
    if (m_dbus)
        m_dbus->hold();
    if (!m_x11)
        return;
    if (m_dbus && m_dbus->isHolding())
        m_x11->release();
    else if (!m_dbus || !m_dbus->hasService() || m_dbus->hasFailed())
        m_x11->hold();
}

} // namespace assi
