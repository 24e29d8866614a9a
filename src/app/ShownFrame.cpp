#include "app/ShownFrame.h"

#include <QBackingStore>
#include <QCoreApplication>
#include <QEvent>
#include <QPixmap>
#include <QWidget>

namespace assi {

QImage shownFrame(QWidget& window) {
    // A paint still due is the frame's paint: made now, not again later.
    QCoreApplication::sendPostedEvents(&window, QEvent::UpdateRequest);
    QBackingStore* store = window.isVisible() ? window.backingStore() : nullptr;
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
