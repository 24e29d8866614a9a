// The board's life on a wall: settings read afresh and watched for edits,
// opening hours, the screen kept awake and the pointer kept out of sight.
#include "app/Assi.h"
#include "app/BoardPaging.h"
#include "core/BoardError.h"
#include "settings/KioskSettings.h"
#include "settings/SettingsLookup.h"
#include "wall/BoardSchedule.h"
#include "wall/PointerHider.h"
#include "wall/ScreenAwake.h"
#include "wall/SettingsWatcher.h"

using namespace Qt::StringLiterals;

namespace assi {

void Assi::keepScreenAwake(std::unique_ptr<ScreenAwake> awake) {
    m_schedule->setAwake(std::move(awake));
}

void Assi::hidePointerWhenStill(int stillMilliseconds) {
    m_pointerHider = std::make_unique<PointerHider>(stillMilliseconds);
}

bool Assi::isPointerHidden() const {
    return m_pointerHider && m_pointerHider->isHidden();
}

void Assi::setSettingsLocator(std::function<QString()> locate) {
    m_locateSettings = std::move(locate);
}

void Assi::readSettings() {
    if (m_locateSettings)
        m_settingsFilePath = m_locateSettings();
    m_settings = std::make_unique<SettingsLookup>(m_settingsFilePath);
    m_settingsWatcher->watch(m_settingsFilePath);
    m_settings->requireReadable();
    applyGeneralSettings();
}

void Assi::applyGeneralSettings() {
    QStringList problems;
    const PageSetting page = readPageSetting(*m_settings);
    m_paging->setSecondsPerPage(page.seconds);
    problems << page.problem;
    const HoursSetting hours = readOpeningHours(*m_settings);
    m_schedule->setHours(hours.hours);
    problems << hours.problem;
    // The scale is taken once, before the window exists; a wrong value is
    // still worth saying at every refresh.
    problems << readScaleSetting(*m_settings).problem;
    if (m_refreshTicks > 0) {
        // Once started, a changed period takes effect at once, and a wrong
        // one leaves the period as it was.
        try {
            m_refreshTicks = m_settings->readWholeNumber16(GeneralSection, QuantosMinutos);
        } catch (const BoardError& e) {
            problems << e.message();
        }
    }
    problems.removeAll(QString());
    m_status.setSettingsProblem(problems.join(u" · "_s));
}

bool Assi::checkOpeningHours(bool* justOpened) {
    const BoardSchedule::Change change = m_schedule->update(m_clock());
    if (justOpened)
        *justOpened = change == BoardSchedule::Change::Opened;
    m_status.setClosed(!m_schedule->isOpen());
    return m_schedule->isOpen();
}

void Assi::onSettingsEdited() {
    if (!m_startupProblem.isEmpty()) {
        start();
        return;
    }
    if (m_refreshing) {
        m_refreshAfterThisOne = true;
        return;
    }
    try {
        readSettings();
    } catch (const BoardError&) {
        // The refresh says what is wrong with the file, on the footer.
    }
    if (checkOpeningHours()) {
        RefreshBoard();
        m_tickCount = 0;
    }
    showStatus();
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
