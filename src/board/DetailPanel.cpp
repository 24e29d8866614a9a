#include "board/DetailPanel.h"

#include "board/Logging.h"
#include "board/PanelPlacement.h"
#include "gridview/Grid.h"
#include "gridview/Twips.h"
#include "gridview/TwipsGeometry.h"

#include <QFrame>
#include <QLabel>
#include <exception>

using namespace Qt::StringLiterals;

namespace assi {

namespace {

// One step of showing the panel: when it fails, it is given up and the
// caller goes on with the next one.
template <typename Step> bool attempt(Step&& step) {
    try {
        step();
        return true;
    } catch (const std::exception& error) {
        qCDebug(lcBoard) << "Painel de detalhe:" << error.what();
        return false;
    }
}

} // namespace

DetailPanel::DetailPanel(QFrame* Frame1, QLabel* Label1, std::function<double()> scaleHeight)
    : m_frame(Frame1), m_label(Label1), m_scaleHeight(std::move(scaleHeight)) {
    // Notes are typed by people: "<b>" is three characters, never markup.
    m_label->setTextFormat(Qt::PlainText);
    m_label->setWordWrap(true);
}

void DetailPanel::hide() {
    m_frame->setVisible(false);
}

void DetailPanel::showFor(Grid& grid, PanelGrid which) {
    // The panel goes under the row where it will be painted, after any change
    // the grid still holds for the next turn of the event loop.
    grid.settle();
    bool onGroupHeader = false;
    const bool rowRead =
        attempt([&] { onGroupHeader = grid.isGroupHeaderRow(grid.currentDisplayRow()); });
    if (!rowRead || onGroupHeader) {
        hide();
        grid.setFocus();
        return;
    }

    // A null note reads as the empty text; so does the weekly board, which
    // has no notes.
    QString notes;
    if (grid.dataSource().fieldIndex(u"Obs"_s) >= 0) {
        attempt([&] {
            const QVariant obs = grid.currentValue(u"Obs"_s);
            if (!obs.isNull())
                notes = obs.toString();
        });
    }
    if (which == PanelGrid::Grelha_2 && notes.isEmpty()) {
        hide();
        return;
    }

    QRectF twips = twipsGeometry(m_frame);
    const QRectF gridTwips = twipsGeometry(&grid);
    int top = 0;
    attempt([&] {
        top = cellBottom(gridTwips.top(), grid.currentCellTop(), grid.currentCellHeight());
    });
    attempt([&] { top = panelTop(top, twips.height(), m_scaleHeight()); });
    twips.moveTop(top);
    // Centred under the grid wherever the layout put it, for both request grids.
    twips.moveLeft(panelLeft(gridTwips.left(), gridTwips.width(), twips.width()));
    place(twips);

    m_frame->setVisible(true);
    m_frame->raise(); // over the grid it explains
    m_label->setText(notes);
    grid.setFocus();
}

void DetailPanel::place(const QRectF& twips) {
    placeInTwips(m_frame, twips);
}

} // namespace assi
