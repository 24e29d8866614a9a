#pragma once

namespace assi {

// Where the detail panel goes, in twips of the window's client area.

// The window position of the current cell's bottom edge: the grid's top plus
// the cell's top and height within the grid, to the nearest twip (halves to
// the even neighbour).
int cellBottom(double gridTop, double cellTop, double cellHeight);

// The panel's top: the cell's bottom edge, or, when the panel would then
// reach past the bottom of the client area, that edge less the panel's height,
// so the panel ends where the cell does. Ending exactly at the bottom fits.
int panelTop(int cellBottom, double panelHeight, double scaleHeight);

// The panel's left edge, centred under its grid.
float panelLeft(double gridLeft, double gridWidth, double panelWidth);

} // namespace assi
