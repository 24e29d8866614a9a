// The X server's own screen saver, on a private Xvfb, read back through the
// MIT-SCREEN-SAVER extension.
#include "wall/XcbScreenSettings.h"

#include "PrivateXServer.h"
#include "wall/ScreenAwake.h"

#include <cstdlib>
#include <gtest/gtest.h>
#include <xcb/screensaver.h>
#include <xcb/xcb.h>

using namespace assi;
using namespace assi::test;

namespace {

// Whether the server's screen saver has the screen now, as a client of its own sees it.
std::optional<bool> screenSaverOn(const QString& display) {
    xcb_connection_t* connection = xcb_connect(display.toLocal8Bit().constData(), nullptr);
    std::optional<bool> on;
    if (xcb_connection_has_error(connection) == 0) {
        const xcb_screen_t* screen = xcb_setup_roots_iterator(xcb_get_setup(connection)).data;
        xcb_screensaver_query_info_reply_t* info = xcb_screensaver_query_info_reply(
            connection, xcb_screensaver_query_info(connection, screen->root), nullptr);
        if (info)
            on = info->state == XCB_SCREENSAVER_STATE_ON;
        std::free(info);
    }
    xcb_disconnect(connection);
    return on;
}

} // namespace

// A board that opens on a screen the X server has already blanked (a closed
// night is longer than the server's timeout) lights it up.
TEST(XcbScreenSettings, HoldingLightsUpAScreenTheServerHasBlanked) {
    PrivateXServer x;
    if (!x.ok())
        GTEST_SKIP() << "Xvfb or xset is not installed";
    x.activateScreenSaver();
    ASSERT_EQ(screenSaverOn(x.display()), true);

    auto settings = XcbScreenSettings::forDisplay(x.display().toLocal8Bit().constData());
    ASSERT_TRUE(settings);
    auto awake = makeX11ScreenAwake(std::move(settings));
    awake->hold();
    EXPECT_EQ(screenSaverOn(x.display()), false);
    awake->release();
}
