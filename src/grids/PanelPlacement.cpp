#include "PanelPlacement.h"

#include "platform/Twips.h"
#include "settings/NumberConversions.h"

#include <QVariant>
#include <QWidget>

namespace assi {

int cellBottom(double gridTop, double cellTop, double cellHeight) {
    return int(roundHalfToEven(gridTop + cellTop + cellHeight));
}

int panelTop(int cellBottom, double panelHeight, double scaleHeight) {
    if (float(cellBottom + panelHeight) > float(scaleHeight))
        return int(roundHalfToEven(cellBottom - panelHeight));
    return cellBottom;
}

float panelLeft(double gridLeft, double gridWidth, double panelWidth) {
    return float(gridLeft) + (float(gridWidth) - float(panelWidth)) / 2.0f;
}

QRectF twipsGeometry(const QWidget* control) {
    const QVariant placed = control->property("twips");
    if (placed.isValid())
        return placed.toRectF();
    const QRect g = control->geometry();
    return QRectF(pixelsToTwips(g.x()), pixelsToTwips(g.y()), pixelsToTwips(g.width()),
                  pixelsToTwips(g.height()));
}

} // namespace assi
