#include "gridview/GridFont.h"

#include "core/BoardError.h"

#include <cmath>

using namespace Qt::StringLiterals;

namespace assi {

QFont GridFont::toQFont() const {
    QFont font(name);
    font.setPointSizeF(size);
    font.setBold(bold);
    return font;
}

void checkFontSize(double points, const QString& owner) {
    if (std::isfinite(points) && points > 0 && points <= 2048)
        return;
    throw BoardError(u"Tamanho de letra inválido em %1: %2. O tamanho tem de ser maior do que 0 "
                     u"e não passar de 2048 pontos."_s.arg(owner, QString::number(points)));
}

} // namespace assi
