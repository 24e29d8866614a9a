#include "gridview/GridCellLook.h"

#include "gridview/GridStyle.h"
#include "gridview/OleColor.h"

namespace assi {

GridCellLook GridCellLook::of(const GridStyle& style, const QPalette& palette) {
    GridCellLook look;
    look.back = colorFromOle(style.backColor(), palette);
    look.fore = colorFromOle(style.foreColor(), palette);
    look.gridLine = colorFromOle(style.gridLineColor(), palette);
    look.font = style.font().toQFont();
    look.textAlignment = style.textAlignment();
    look.wordWrap = style.wordWrap();
    look.resolveAlignment(false);
    return look;
}

void GridCellLook::overlay(const GridStyle& style, const QPalette& palette) {
    const GridStyle::Values values = style.overridingValues();
    if (values.backColor)
        back = colorFromOle(*values.backColor, palette);
    if (values.foreColor)
        fore = colorFromOle(*values.foreColor, palette);
    if (values.gridLineColor)
        gridLine = colorFromOle(*values.gridLineColor, palette);
    if (values.fontName)
        font.setFamily(*values.fontName);
    if (values.fontSize)
        font.setPointSizeF(*values.fontSize);
    if (values.fontBold)
        font.setBold(*values.fontBold);
    if (values.textAlignment)
        textAlignment = *values.textAlignment;
    if (values.wordWrap)
        wordWrap = *values.wordWrap;
    resolveAlignment(false);
}

void GridCellLook::zoomFont(double factor) {
    if (factor != 1)
        font.setPointSizeF(font.pointSizeF() * factor);
}

void GridCellLook::resolveAlignment(bool numeric) {
    alignment = qtAlignment(textAlignment, numeric);
}

} // namespace assi
