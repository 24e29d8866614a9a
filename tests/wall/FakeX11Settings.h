#pragma once

#include "wall/X11ScreenSettings.h"

namespace assi::test {

// An X server's settings as a test sets them, with the calls recorded.
class FakeX11Settings : public X11ScreenSettings {
public:
    struct State {
        ScreenSaver saver{600, 600, 1, 1};
        std::optional<bool> dpms = true;
        bool blank = false; // the screen saver or DPMS has the screen dark now
        bool suspended = false;
    };
    explicit FakeX11Settings(State* state) : m_state(state) {}
    std::optional<ScreenSaver> screenSaver() override { return m_state->saver; }
    void setScreenSaver(const ScreenSaver& settings) override { m_state->saver = settings; }
    std::optional<bool> dpmsEnabled() override { return m_state->dpms; }
    void setDpmsEnabled(bool enabled) override { m_state->dpms = enabled; }
    void wakeScreen() override { m_state->blank = false; }
    void suspendScreenSaver(bool suspended) override { m_state->suspended = suspended; }

private:
    State* m_state;
};

} // namespace assi::test
