#include "gridview/TwipsGeometry.h"

#include "gridview/Twips.h"

#include <QVariant>
#include <QWidget>
#include <algorithm>

namespace assi {

namespace {
const char* const TwipsProperty = "twips";
}

void placeInTwips(QWidget* control, const QRectF& twips) {
    const int left = twipsToPixels(twips.left());
    const int top = twipsToPixels(twips.top());
    const int right = twipsToPixels(twips.left() + twips.width());
    const int bottom = twipsToPixels(twips.top() + twips.height());
    control->setGeometry(left, top, std::max(0, right - left), std::max(0, bottom - top));
    control->setProperty(TwipsProperty, twips);
}

QRectF twipsGeometry(const QWidget* control) {
    const QVariant placed = control->property(TwipsProperty);
    if (placed.isValid())
        return placed.toRectF();
    const QRect g = control->geometry();
    return QRectF(pixelsToTwips(g.x()), pixelsToTwips(g.y()), pixelsToTwips(g.width()),
                  pixelsToTwips(g.height()));
}

} // namespace assi
