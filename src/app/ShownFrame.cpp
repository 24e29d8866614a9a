#include "app/ShownFrame.h"

#include <QBackingStore>
#include <QCoreApplication>
#include <QEvent>
#include <QPixmap>
#include <QWidget>
#include <QWindow>

namespace assi {

QImage shownFrame(QWidget& window) {
    // A paint still due is the frame's paint: made now, not again later.
    QCoreApplication::sendPostedEvents(&window, QEvent::UpdateRequest);
    // Before the window is on the screen its store may not be made yet, and
    // asking for it then would make it before the screen's own window is
    // ready (on Wayland, one that is then never drawn).
    const QWindow* shown = window.windowHandle();
    QBackingStore* store =
        shown && shown->isExposed() && window.isVisible() ? window.backingStore() : nullptr;
    QPaintDevice* device = store ? store->paintDevice() : nullptr;
    if (!device || device->devType() != QInternal::Image)
        return window.grab().toImage();
    const auto* painted = static_cast<const QImage*>(device);
    const QRect area(QPoint(0, 0), window.size() * painted->devicePixelRatio());
    if (!painted->rect().contains(area))
        return window.grab().toImage();
    // A copy of its own: the store is painted again at the next change,
    // while the frame is being encoded on another thread.
    return painted->copy(area);
}

} // namespace assi
