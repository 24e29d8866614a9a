#pragma once

#include <QSizeF>

class QScreen;

namespace assi {

/// The physical size `screen` reports of itself, in millimetres: on X11 what
/// X RandR has from the display's EDID, on Wayland what the compositor's
/// wl_output says. Empty when there is no screen, or where the platform makes
/// a size up (offscreen rendering). What is reported may still be a guess or
/// an aspect ratio; whoever uses it judges that.
QSizeF reportedScreenMillimetres(const QScreen* screen);

/// Whether `screen` is a real display rather than the memory an offscreen
/// rendering draws into (whose size says nothing of any wall).
bool isRealScreen(const QScreen* screen);

} // namespace assi
