#pragma once

#include <functional>

class QFrame;
class QLabel;
class QRectF;

namespace assi {

class Grid;

// Which grid asks for the panel: the request grids show a request's notes,
// even empty ones; the weekly board has no notes and only ever hides it.
enum class PanelGrid { Grelha_1, Grelha_11, Grelha_2 };

// The detail panel: a frame holding one label, shown just under the current
// row of a request grid with that request's notes. It belongs to the window,
// which owns the frame and the label; positions are in twips of the window's
// client area, 15 to the pixel.
class DetailPanel {
public:
    // `scaleHeight` gives the client area's height in twips when asked.
    DetailPanel(QFrame* Frame1, QLabel* Label1, std::function<double()> scaleHeight);

    // A cell of `grid` has become current: show the current request's notes
    // under its row, or hide the panel on a group header row (handing the
    // focus back to the grid) and on the weekly board. A step that fails is
    // passed over and the next one runs; nothing is reported.
    void showFor(Grid& grid, PanelGrid which);

    // The rows moved under the panel, or a refresh began.
    void hide();

private:
    void place(const QRectF& twips);

    QFrame* m_frame;
    QLabel* m_label;
    std::function<double()> m_scaleHeight;
};

} // namespace assi
