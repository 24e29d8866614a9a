#pragma once

#include <QFont>
#include <QString>

namespace assi {

/// A font as the grid's settings give it: a family name, a size in points and
/// whether it is bold. A family the machine lacks falls back to a similar one.
struct GridFont {
    QString name;
    double size = 8.25;
    bool bold = false;

    QFont toQFont() const;
    friend bool operator==(const GridFont&, const GridFont&) = default;
};

/// Throws BoardError when `points` is not a font size a font can take
/// (more than 0 and at most 2048); `owner` names what the font belongs to.
void checkFontSize(double points, const QString& owner);

} // namespace assi
