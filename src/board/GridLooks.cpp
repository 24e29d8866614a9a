#include "board/GridLooks.h"

#include "board/GridLook.h"
#include "gridview/Grid.h"

using namespace Qt::StringLiterals;

namespace assi {

namespace {

// Lets the steps the reading got through be applied, and raises its error at
// the step where it stopped.
class StepGuard {
public:
    explicit StepGuard(const GridLook& look) : m_failure(look.failure) {}

    void reach(LookStep step) const {
        if (m_failure && m_failure->step == step)
            throw m_failure->error;
    }

private:
    const std::optional<LookFailure>& m_failure;
};

// The group header and both selections take the same four settings.
struct StyleSteps {
    LookStep backColor;
    LookStep foreColor;
    LookStep fontName;
    LookStep fontSize;
};

void applyStyleLook(GridStyle& style, const StyleLook& values, const StyleSteps& steps,
                    const StepGuard& guard) {
    guard.reach(steps.backColor);
    style.setBackColor(values.backColor);
    guard.reach(steps.foreColor);
    style.setForeColor(values.foreColor);
    guard.reach(steps.fontName);
    style.setFontName(values.fontName);
    guard.reach(steps.fontSize);
    style.setFontSize(values.fontSize);
}

} // namespace

void applyGridLook(Grid& grid, const GridLook& look, qint32 windowBackColor) {
    using enum LookStep;
    const StepGuard guard(look);

    guard.reach(Caption);
    grid.setCaption(look.caption);
    // No fixed height for the weekly board here: the layout alone places the
    // grids, so a week without orders (no new layout) keeps its full height.
    grid.setBackColor(windowBackColor);
    guard.reach(FontName);
    grid.setFontName(look.fontName);
    guard.reach(FontSize);
    grid.setFontSize(look.fontSize);
    guard.reach(RowHeight);
    grid.setRowHeight(look.rowHeight);
    guard.reach(HeadingHeight);
    grid.setHeadingHeight(look.headingHeight);

    GridStyle& caption = grid.style(GridStyles::Caption);
    guard.reach(HeadingFontName);
    caption.setFontName(look.heading.fontName);
    guard.reach(HeadingFontSize);
    caption.setFontSize(look.heading.fontSize);
    caption.setFontBold(true);

    GridStyle& heading = grid.style(GridStyles::Heading);
    guard.reach(HeadingBackColor);
    heading.setBackColor(look.heading.backColor);
    guard.reach(HeadingForeColor);
    heading.setForeColor(look.heading.foreColor);
    heading.setFontName(look.heading.fontName);
    heading.setFontSize(look.heading.fontSize);
    heading.setFontBold(true);
    heading.setTextAlignment(TextAlignment::CentreMiddle);

    // The group header's font is left as the settings give it, never bold.
    applyStyleLook(
        grid.style(GridStyles::GroupHeader), look.groupHeader,
        {GroupHeaderBackColor, GroupHeaderForeColor, GroupHeaderFontName, GroupHeaderFontSize},
        guard);
    applyStyleLook(grid.style(GridStyles::Selection), look.selection,
                   {SelectionBackColor, SelectionForeColor, SelectionFontName, SelectionFontSize},
                   guard);
    applyStyleLook(grid.style(GridStyles::InactiveSelection), look.inactiveSelection,
                   {InactiveSelectionBackColor, InactiveSelectionForeColor,
                    InactiveSelectionFontName, InactiveSelectionFontSize},
                   guard);

    GridStyle& groupByBox = grid.style(GridStyles::GroupByBox);
    guard.reach(GroupByBoxBackColor);
    groupByBox.setBackColor(look.groupByBox.backColor);
    guard.reach(GroupByBoxFontName);
    groupByBox.setFontName(look.groupByBox.fontName);
    guard.reach(GroupByBoxFontSize);
    groupByBox.setFontSize(look.groupByBox.fontSize);
}

void applyGridLook(Grid& grid, const SettingsLookup& settings, SettingsSection section,
                   qint32 windowBackColor) {
    applyGridLook(grid, readGridLook(settings, section), windowBackColor);
}

} // namespace assi
