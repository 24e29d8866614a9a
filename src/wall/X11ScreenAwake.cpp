#include "wall/X11ScreenAwake.h"

namespace assi {

X11ScreenAwake::X11ScreenAwake(std::unique_ptr<X11ScreenSettings> settings)
    : m_settings(std::move(settings)) {}

X11ScreenAwake::~X11ScreenAwake() {
    release();
}

void X11ScreenAwake::hold() {
    if (m_holding)
        return;
    m_savedScreenSaver = m_settings->screenSaver();
    m_savedDpms = m_settings->dpmsEnabled();
    // Before DPMS is switched off: the server forces the display on only
    // while DPMS is enabled.
    m_settings->wakeScreen();
    if (m_savedScreenSaver) {
        X11ScreenSettings::ScreenSaver off = *m_savedScreenSaver;
        off.timeout = 0;
        m_settings->setScreenSaver(off);
    }
    if (m_savedDpms.value_or(false))
        m_settings->setDpmsEnabled(false);
    m_holding = true;
}

void X11ScreenAwake::release() {
    if (!m_holding)
        return;
    if (m_savedScreenSaver)
        m_settings->setScreenSaver(*m_savedScreenSaver);
    if (m_savedDpms.value_or(false))
        m_settings->setDpmsEnabled(true);
    m_holding = false;
}

std::unique_ptr<ScreenAwake> makeX11ScreenAwake(std::unique_ptr<X11ScreenSettings> settings) {
    return std::make_unique<X11ScreenAwake>(std::move(settings));
}

} // namespace assi
