// What the window shows and how it meets the screen: the grids laid out
// above the footer band, the footer's status, the detail panel under a
// request, Esc, and the screen held awake while the board is shown.
#include "app/Assi.h"
#include "app/ConnectingNotice.h"
#include "app/FooterBand.h"
#include "app/StartupNotice.h"
#include "board/DetailPanel.h"
#include "gridview/Grid.h"
#include "gridview/Twips.h"
#include "gridview/TwipsGeometry.h"
#include "ui_Assi.h"
#include "wall/BoardSchedule.h"
#include "wall/ClosedScreen.h"
#include "wall/PointerHider.h"
#include "wall/ScreenAwake.h"

#include <QCoreApplication>
#include <QKeyEvent>
#include <algorithm>

namespace assi {

void Assi::Grelha_1_CurrentCellNotify() {
    m_panelGrid = m_ui->Grelha_1;
    m_panel->showFor(*m_ui->Grelha_1, PanelGrid::Grelha_1);
}
void Assi::Grelha_11_CurrentCellNotify() {
    m_panelGrid = m_ui->Grelha_11;
    m_panel->showFor(*m_ui->Grelha_11, PanelGrid::Grelha_11);
}
void Assi::Grelha_2_CurrentCellNotify() {
    m_panelGrid = m_ui->Grelha_2;
    m_panel->showFor(*m_ui->Grelha_2, PanelGrid::Grelha_2);
}
void Assi::hidePanelOnGridDismissed() {
    m_panel->hide();
}

// The panel stands under a row of one grid; another grid's page turning leaves it there.
void Assi::hidePanelOnPageTurn(const Grid* grid) {
    if (grid == m_panelGrid)
        hidePanelOnGridDismissed();
}

void Assi::Form_KeyPress() {
    m_relogio.stop();
    close();
    QCoreApplication::exit(0);
}

FooterSize Assi::footerSize() const {
    if (!m_reading.isActive())
        return computeFooterSize(height());
    return computeReadingFooterSize(height(), readablePixels(m_ui->Footer->font()));
}

int Assi::heightAboveFooter() const {
    return std::max(0, height() - footerSize().height);
}

BoardLayout Assi::gridsLayout() const {
    if (!m_reading.isActive())
        return computeBoardLayout(ScaleWidth(), pixelsToTwips(heightAboveFooter()));
    ReadingRoom room;
    const Grid& week = *m_ui->Grelha_2;
    room.weekChrome = week.heightAroundRows();
    room.requestChrome = m_ui->Grelha_1->heightAroundRows();
    // The week's rows go in pairs, a client over its technician.
    if (week.displayedRowCount() >= 2)
        room.orderHeight = week.displayRowHeight(0) + week.displayRowHeight(1);
    return computeReadingLayout(width(), heightAboveFooter(), room);
}

void Assi::Form_Resize() {
    if (m_reading.isActive()) {
        // The room around the rows and the rows' heights follow the fonts.
        for (Grid* grid : {m_ui->Grelha_2, m_ui->Grelha_1, m_ui->Grelha_11})
            grid->settle();
    }
    const BoardLayout layout = gridsLayout();
    placeInTwips(m_ui->Grelha_2, layout.grelha2);
    placeInTwips(m_ui->Grelha_1, layout.grelha1);
    placeInTwips(m_ui->Grelha_11, layout.grelha11);
    // The weekly board is the largest empty room while the database is awaited.
    m_connectingNotice->placeOver(m_ui->Grelha_2->geometry());
    const FooterSize footer = footerSize();
    m_ui->Footer->setTextPixels(footer.textPixels);
    m_ui->Footer->setGeometry(0, heightAboveFooter(), width(), footer.height);
    showStatus();
    // Everything the grids put off to the event loop is done now, before the
    // window paints: left queued, it would land after that paint and ask for
    // a second one.
    for (Grid* grid : {m_ui->Grelha_2, m_ui->Grelha_1, m_ui->Grelha_11})
        grid->settle();
}

void Assi::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    Form_Resize();
    m_startupNotice->fitToParent();
    if (!m_schedule->isOpen())
        m_schedule->closedScreen()->showAt(m_clock());
}

// The grids leave Esc unhandled, so it comes up here from whichever control
// has the focus. Unlike a shortcut, this needs no active window, which a
// full-screen board without a window manager may never get.
void Assi::keyPressEvent(QKeyEvent* event) {
    if (event->key() != Qt::Key_Escape) {
        QWidget::keyPressEvent(event);
        return;
    }
    Form_KeyPress();
}

void Assi::showStatus() {
    m_statusView = m_status.view(readClocks(), m_refreshTicks, nextRefreshAt());
    m_statusText = m_statusView.wholeStatus();
    m_ui->Footer->setView(m_statusView);
    Q_EMIT statusShown();
}

void Assi::keepScreenAwake(std::unique_ptr<ScreenAwake> awake) {
    m_schedule->setAwake(std::move(awake));
}

void Assi::hidePointerWhenStill(int stillMilliseconds) {
    m_pointerHider = std::make_unique<PointerHider>(stillMilliseconds);
}

bool Assi::isPointerHidden() const {
    return m_pointerHider && m_pointerHider->isHidden();
}

void Assi::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    m_schedule->setShown(true);
}

void Assi::hideEvent(QHideEvent* event) {
    QWidget::hideEvent(event);
    m_schedule->setShown(false);
}

} // namespace assi
