#pragma once

#include <QString>

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

/// The height in pixels of the X11 screen DISPLAY names, before Qt opens
/// it; 0 when there is none or it cannot be asked (Wayland, elsewhere).
int screenLines();

/// Gives the process a private runtime folder when the session has none
/// (XDG_RUNTIME_DIR on Linux), which Qt otherwise warns about at every start.
/// Does nothing where the platform has no such folder.
void ensureRuntimeFolder();

} // namespace assi
