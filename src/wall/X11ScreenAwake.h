#pragma once

#include "wall/ScreenAwake.h"
#include "wall/X11ScreenSettings.h"

#include <memory>
#include <optional>

namespace assi {

/// The X server's own blanking and power saving, switched off while held and
/// put back as they were on release.
class X11ScreenAwake : public ScreenAwake {
public:
    explicit X11ScreenAwake(std::unique_ptr<X11ScreenSettings> settings);
    ~X11ScreenAwake() override;

    Mechanism mechanism() const override { return Mechanism::X11; }
    bool isHolding() const override { return m_holding; }
    void hold() override;
    void release() override;

private:
    std::unique_ptr<X11ScreenSettings> m_settings;
    std::optional<X11ScreenSettings::ScreenSaver> m_savedScreenSaver;
    std::optional<bool> m_savedDpms;
    bool m_holding = false;
};

} // namespace assi
