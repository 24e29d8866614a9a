#include "wall/XcbScreenSettings.h"

#include "wall/Logging.h"

#include <QGuiApplication>
#include <cstdlib>
#include <xcb/dpms.h>
#include <xcb/screensaver.h>
#include <xcb/xcb.h>

using namespace Qt::StringLiterals;

namespace assi {

XcbScreenSettings::XcbScreenSettings(xcb_connection_t* connection, bool owned)
    : m_connection(connection), m_owned(owned) {}

XcbScreenSettings::~XcbScreenSettings() {
    if (m_owned)
        xcb_disconnect(m_connection);
}

std::unique_ptr<XcbScreenSettings> XcbScreenSettings::forApplication() {
    auto* x11 = qApp ? qApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
    if (x11 && x11->connection())
        return std::make_unique<XcbScreenSettings>(x11->connection(), false);
    // XWayland's settings would keep nothing awake: only a report drawn
    // offscreen looks at the X server for itself.
    if (QGuiApplication::platformName() != QLatin1String("offscreen") ||
        qEnvironmentVariableIsEmpty("DISPLAY"))
        return nullptr;
    return forDisplay(nullptr);
}

std::unique_ptr<XcbScreenSettings> XcbScreenSettings::forDisplay(const char* display) {
    xcb_connection_t* connection = xcb_connect(display, nullptr);
    if (const int error = xcb_connection_has_error(connection); error != 0) {
        qCInfo(lcWall).noquote() << "Sem ligação ao servidor X"
                                 << (display ? QString::fromLocal8Bit(display)
                                             : qEnvironmentVariable("DISPLAY"))
                                 << u"(erro XCB %1)"_s.arg(error);
        xcb_disconnect(connection);
        return nullptr;
    }
    return std::make_unique<XcbScreenSettings>(connection, true);
}

std::optional<X11ScreenSettings::ScreenSaver> XcbScreenSettings::screenSaver() {
    xcb_get_screen_saver_reply_t* reply =
        xcb_get_screen_saver_reply(m_connection, xcb_get_screen_saver(m_connection), nullptr);
    if (!reply)
        return std::nullopt;
    const ScreenSaver settings{reply->timeout, reply->interval, reply->prefer_blanking,
                               reply->allow_exposures};
    std::free(reply);
    return settings;
}

// Each change waits for the server to have made it: the board may be about
// to end, and a request still in the socket of a process that has gone can
// be overtaken by whoever looks next.
void XcbScreenSettings::setScreenSaver(const ScreenSaver& settings) {
    std::free(xcb_request_check(
        m_connection, xcb_set_screen_saver_checked(
                          m_connection, int16_t(settings.timeout), int16_t(settings.interval),
                          uint8_t(settings.preferBlanking), uint8_t(settings.allowExposures))));
}

bool XcbScreenSettings::hasScreenSaverExtension() const {
    const xcb_query_extension_reply_t* extension =
        xcb_get_extension_data(m_connection, &xcb_screensaver_id);
    return extension && extension->present;
}

bool XcbScreenSettings::hasDpms() const {
    const xcb_query_extension_reply_t* extension =
        xcb_get_extension_data(m_connection, &xcb_dpms_id);
    return extension && extension->present;
}

std::optional<bool> XcbScreenSettings::dpmsEnabled() {
    if (!hasDpms())
        return std::nullopt;
    xcb_dpms_info_reply_t* info =
        xcb_dpms_info_reply(m_connection, xcb_dpms_info(m_connection), nullptr);
    if (!info)
        return std::nullopt;
    const bool enabled = info->state != 0;
    std::free(info);
    return enabled;
}

void XcbScreenSettings::setDpmsEnabled(bool enabled) {
    std::free(xcb_request_check(m_connection, enabled ? xcb_dpms_enable_checked(m_connection)
                                                      : xcb_dpms_disable_checked(m_connection)));
}

void XcbScreenSettings::wakeScreen() {
    std::free(xcb_request_check(
        m_connection, xcb_force_screen_saver_checked(m_connection, XCB_SCREEN_SAVER_RESET)));
    // The server refuses to force a power level while DPMS is disabled; the
    // display is on then anyway, so the refusal is of no interest.
    if (hasDpms())
        std::free(xcb_request_check(
            m_connection, xcb_dpms_force_level_checked(m_connection, XCB_DPMS_DPMS_MODE_ON)));
}

void XcbScreenSettings::suspendScreenSaver(bool suspended) {
    if (hasScreenSaverExtension())
        std::free(xcb_request_check(
            m_connection, xcb_screensaver_suspend_checked(m_connection, suspended ? 1 : 0)));
}

} // namespace assi
