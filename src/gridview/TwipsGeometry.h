#pragma once

#include <QRectF>

class QWidget;

namespace assi {

/// Moves `control` to a place given in twips, like a container's Move. Both
/// edges round from twips, so neighbours share their edges exactly; the twips
/// are kept in the control's "twips" property, so what was asked for reads
/// back whole (no pixel rounding).
void placeInTwips(QWidget* control, const QRectF& twips);

/// A control's place in twips: the one placeInTwips() gave it, or else its
/// geometry at 15 twips to the pixel.
QRectF twipsGeometry(const QWidget* control);

} // namespace assi
