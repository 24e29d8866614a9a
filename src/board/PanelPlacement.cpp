#include "board/PanelPlacement.h"

#include "settings/NumberConversions.h"

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

} // namespace assi
