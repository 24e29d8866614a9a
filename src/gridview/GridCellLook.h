#pragma once

#include "gridview/TextAlignmentCode.h"

#include <QColor>
#include <QFont>
#include <QMetaType>
#include <QPalette>

namespace assi {

class GridStyle;

/// How one cell (or heading, caption, band) is painted, resolved from the
/// grid's styles: what the delegate and the painting code work from.
struct GridCellLook {
    QColor back;
    QColor fore;
    QColor gridLine;
    QFont font;
    TextAlignment textAlignment = TextAlignment::General;
    Qt::Alignment alignment = Qt::AlignLeft | Qt::AlignVCenter;
    bool wordWrap = false;

    /// The effective values of `style`; system colours from `palette`.
    static GridCellLook of(const GridStyle& style, const QPalette& palette);
    /// Lays the values that `style` sets over the root style on this look.
    void overlay(const GridStyle& style, const QPalette& palette);
    /// The font `factor` times as large (see GridStyles::textZoom()).
    void zoomFont(double factor);
    /// Resolves `alignment` from `textAlignment` (General depends on the value).
    void resolveAlignment(bool numeric);
};

} // namespace assi

Q_DECLARE_METATYPE(assi::GridCellLook)
