#include "app/WindowIcon.h"

#include <QPainter>
#include <QPixmap>

namespace assi {

namespace {
// The drawing below is on a 32 x 32 grid, scaled to each size.
constexpr qreal DesignSize = 32.0;
constexpr int IconSizes[] = {16, 32, 64};
const QColor FrameColour(0x33, 0x33, 0x33);
const QColor TitleColour(0x1F, 0x4E, 0x79);  // the title bar and the right column
const QColor ClientColour(0xD0, 0x10, 0x10); // the left column
} // namespace

QIcon boardIcon() {
    QIcon icon;
    for (const int size : IconSizes) {
        QPixmap pixmap(size, size);
        pixmap.fill(Qt::transparent);
        QPainter p(&pixmap);
        p.setRenderHint(QPainter::Antialiasing);
        const qreal u = size / DesignSize;
        p.setPen(QPen(FrameColour, 1.5 * u));
        p.setBrush(Qt::white);
        p.drawRoundedRect(QRectF(2 * u, 4 * u, 28 * u, 24 * u), 3 * u, 3 * u);
        p.fillRect(QRectF(2.75 * u, 4.75 * u, 26.5 * u, 5 * u), TitleColour);
        for (int row = 0; row < 3; ++row) {
            p.fillRect(QRectF(6 * u, (13 + row * 5) * u, 8 * u, 2.5 * u), ClientColour);
            p.fillRect(QRectF(18 * u, (13 + row * 5) * u, 8 * u, 2.5 * u), TitleColour);
        }
        p.end();
        icon.addPixmap(pixmap);
    }
    return icon;
}

} // namespace assi
