#pragma once

#include <memory>
#include <optional>

namespace assi {

class ScreenAwake;

/// The X server's screen saver and display power management settings, behind
/// a small interface so the logic that changes and restores them can be
/// tested without an X server that has every extension.
class X11ScreenSettings {
public:
    struct ScreenSaver {
        int timeout = 0; // seconds; 0 is off
        int interval = 0;
        int preferBlanking = 0;
        int allowExposures = 0;
        bool operator==(const ScreenSaver&) const = default;
    };
    /// What a hold found and puts back: the screen saver (none when it could
    /// not be read) and whether DPMS was on (none without DPMS).
    struct Originals {
        std::optional<ScreenSaver> screenSaver;
        std::optional<bool> dpms;
        bool operator==(const Originals&) const = default;
    };

    virtual ~X11ScreenSettings() = default;
    virtual std::optional<ScreenSaver> screenSaver() = 0;
    virtual void setScreenSaver(const ScreenSaver& settings) = 0;
    /// Whether DPMS is there and on; nullopt when the server has no DPMS.
    virtual std::optional<bool> dpmsEnabled() = 0;
    virtual void setDpmsEnabled(bool enabled) = 0;
    /// Ends a screen saver that is already on and powers the display up: a
    /// timeout switched off does not undo a blanking that has happened.
    virtual void wakeScreen() = 0;
    /// Keeps the server from blanking or powering down whatever the timeout
    /// says, until resumed; the server resumes by itself when this
    /// connection closes, however the program ends. Nothing without the
    /// MIT-SCREEN-SAVER extension.
    virtual void suspendScreenSaver(bool suspended) = 0;
};

/// The ScreenAwake that switches the X server's screen saver and DPMS off
/// while held and puts back what was there on release.
std::unique_ptr<ScreenAwake> makeX11ScreenAwake(std::unique_ptr<X11ScreenSettings> settings);

} // namespace assi
