// The board sized for the distance it is read from: the settings' font
// sizes zoomed so the smallest capital reaches a readable visual angle,
// rows fitting their text, columns filling the grids, nothing on the wall
// that is not data.
#include "app/Assi.h"
#include "board/BoardFonts.h"
#include "gridview/Grid.h"
#include "settings/GeneralSettings.h"
#include "settings/SettingsLookup.h"
#include "ui_Assi.h"
#include "wall/BoardSchedule.h"
#include "wall/ClosedScreen.h"
#include "wall/ScreenPhysicalSize.h"

#include <QLabel>
#include <QScreen>

namespace assi {

void Assi::setScreenSize(const QSize& logicalPixels) {
    m_screenSize = logicalPixels;
}

void Assi::updateReading(const GeneralSettings& general) {
    // --size stands for a screen of that size, whose physical size the
    // screen the window happens to be on cannot tell; rendered offscreen
    // without it, the window is all the screen there is.
    const QScreen* shownOn = screen();
    const bool onScreen = !m_screenSize.isValid() && isRealScreen(shownOn);
    const QSize pixels = m_screenSize.isValid() ? m_screenSize
                         : onScreen             ? shownOn->geometry().size()
                                                : size();
    m_reading = boardReadingFor(
        general.readingDistanceMetres, general.screenInches, pixels, devicePixelRatioF(),
        onScreen ? reportedScreenMillimetres(shownOn) : QSizeF(), boardTextFonts(*m_settings));
    ClosedScreen* closed = m_schedule->closedScreen();
    closed->setMinimumTextPixels(readablePixels(closed->clock()->font()));
}

void Assi::fitForReading(Grid& grid) const {
    const bool far = m_reading.isActive();
    grid.setTextZoom(m_reading.textZoom);
    grid.setRowsFitText(far);
    grid.setColumnsFillWidth(far);
    grid.setScrollBarsShown(!far);
    grid.setGroupByBoxVisible(!far);
}

int Assi::readablePixels(const QFont& font) const {
    return m_reading.isActive() ? pixelSizeForCap(font, m_reading.capPixels) : 0;
}

} // namespace assi
