#pragma once

#include <QString>
#include <memory>

class QDBusConnection;
class QWidget;

namespace assi {

/// Keeps the screen from blanking, locking or powering down while held, by
/// whatever means the session offers, and gives the screen back when released
/// or destroyed.
class ScreenAwake {
public:
    enum class Mechanism { None, DBus, X11, Wayland };

    virtual ~ScreenAwake() = default;
    virtual Mechanism mechanism() const = 0;
    virtual void hold() = 0;
    virtual void release() = 0;
    virtual bool isHolding() const = 0;
    /// A hold asked for whose answer is still awaited.
    virtual bool isAsking() const { return false; }

    /// The desktop's org.freedesktop.ScreenSaver service while the session
    /// bus has one, else the X server's own screen saver and power management
    /// on X11, else nothing (said once in the log); a service that comes or
    /// goes later is followed. On Wayland, an idle inhibitor on `window`'s
    /// surface too, where the compositor offers one. Never waits on the
    /// service. Needs the application object; `window` must outlive the
    /// result, and without it no inhibitor is ever taken.
    static std::unique_ptr<ScreenAwake> forSession(QWidget* window = nullptr);
    /// Holds nothing: for a board that leaves the screen to the session.
    static std::unique_ptr<ScreenAwake> none();
};

/// Over the desktop's org.freedesktop.ScreenSaver service on `bus`.
std::unique_ptr<ScreenAwake> makeDBusScreenAwake(const QDBusConnection& bus);

/// "dbus", "x11", "wayland" or "none", as --dump and --check show it.
QString mechanismName(ScreenAwake::Mechanism mechanism);
/// How `mechanism` keeps the screen awake, in words for --check.
QString describeMechanism(ScreenAwake::Mechanism mechanism);

} // namespace assi
