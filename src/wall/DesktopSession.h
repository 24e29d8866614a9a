#pragma once

#include <QSize>
#include <QSizeF>
#include <QString>
#include <optional>

namespace assi {

// What the desktop session gives the program. Everything that differs between
// platforms at start-up lives behind these functions.

/// Whether there is a screen to open the board on. On Linux that takes an X11
/// or Wayland display; elsewhere there always is one.
bool hasDisplay();

/// The X11 display named by DISPLAY when Qt will use X11 and that display
/// cannot be opened (its server is not up yet, has gone, or refuses us);
/// empty when it opens, when none is named, or off X11.
QString unreachableDisplay();

/// The height in device pixels of the screen Qt will open, before it opens
/// it: the X11 screen DISPLAY names, or on Wayland the largest output the
/// compositor announces; 0 when there is none or it cannot be asked.
int screenLines();

/// The physical size of the Wayland output `pixels` device pixels large, as
/// the compositor announced it at start-up: empty when it gave none, null off
/// Wayland or when it announced no output of that size. Qt makes a size up
/// from a density of its own where the compositor gives none.
std::optional<QSizeF> screenMillimetres(const QSize& pixels);

/// Whether this process was started from a remote shell (SSH), whose session
/// is not the one the board on the screen runs in.
bool isRemoteShell();

/// Gives the process a private runtime folder when the session has none
/// (XDG_RUNTIME_DIR on Linux), which Qt otherwise warns about at every start.
/// Does nothing where the platform has no such folder.
void ensureRuntimeFolder();

} // namespace assi
