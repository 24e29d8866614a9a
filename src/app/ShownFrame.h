#pragma once

#include <QImage>

class QWidget;

namespace assi {

/// What `window` shows, in device pixels: read from the window's own
/// backing store, which the paint the window needs anyway has just filled,
/// rather than painted again. A window not on the screen yet, or without a
/// raster backing store (drawn by OpenGL), is painted into an image instead.
QImage shownFrame(QWidget& window);

} // namespace assi
