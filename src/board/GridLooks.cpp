#include "board/GridLooks.h"

#include "gridview/Grid.h"

namespace assi {

namespace {

void applyStyleLook(GridStyle& style, const StyleLook& values) {
    style.setBackColor(values.backColor);
    style.setForeColor(values.foreColor);
    style.setFontName(values.fontName);
    style.setFontSize(values.fontSize);
}

} // namespace

void applyGridLook(Grid& grid, const GridLook& look, qint32 windowBackColor) {
    grid.setCaption(look.caption);
    // No fixed height for the weekly board here: the layout alone places the
    // grids, so a week without orders (no new layout) keeps its full height.
    grid.setBackColor(windowBackColor);
    grid.setFontName(look.fontName);
    grid.setFontSize(look.fontSize);
    grid.setRowHeight(look.rowHeight);
    grid.setHeadingHeight(look.headingHeight);

    GridStyle& caption = grid.style(GridStyles::Caption);
    caption.setFontName(look.heading.fontName);
    caption.setFontSize(look.heading.fontSize);
    caption.setFontBold(true);

    GridStyle& heading = grid.style(GridStyles::Heading);
    applyStyleLook(heading, look.heading);
    heading.setFontBold(true);
    heading.setTextAlignment(TextAlignment::CentreMiddle);

    // The group header's font is left as the settings give it, never bold.
    applyStyleLook(grid.style(GridStyles::GroupHeader), look.groupHeader);
    applyStyleLook(grid.style(GridStyles::Selection), look.selection);
    applyStyleLook(grid.style(GridStyles::InactiveSelection), look.inactiveSelection);

    GridStyle& groupByBox = grid.style(GridStyles::GroupByBox);
    groupByBox.setBackColor(look.groupByBox.backColor);
    groupByBox.setFontName(look.groupByBox.fontName);
    groupByBox.setFontSize(look.groupByBox.fontSize);
}

QList<LookProblem> applyGridLook(Grid& grid, const SettingsLookup& settings,
                                 SettingsSection section, qint32 windowBackColor) {
    const GridLook look = readGridLook(settings, section);
    applyGridLook(grid, look, windowBackColor);
    return look.problems;
}

} // namespace assi
