// The settings file, read once for each start or refresh and watched for
// edits, and the opening hours it sets.
#include "app/Assi.h"
#include "app/BoardPaging.h"
#include "app/Logging.h"
#include "board/GridLook.h"
#include "core/BoardError.h"
#include "settings/GeneralSettings.h"
#include "settings/SettingsLookup.h"
#include "wall/BoardSchedule.h"
#include "wall/SettingsWatcher.h"

using namespace Qt::StringLiterals;

namespace assi {

namespace {

// The problems of one section's settings (anything with a `field` and a
// `message`), each named by its section and key.
template <typename Problem>
QList<StatusLine::SettingsProblem> inSection(SettingsSection section,
                                             const QList<Problem>& problems) {
    QList<StatusLine::SettingsProblem> named;
    named.reserve(problems.size());
    for (const Problem& problem : problems)
        named.append({settingsPlace(section, problem.field), problem.message});
    return named;
}

} // namespace

void Assi::setSettingsLocator(std::function<QString()> locate) {
    m_locateSettings = std::move(locate);
}

void Assi::LoadGeneralSettings() {
    const GeneralSettings general = readSettings();
    if (!general.refreshMinutes)
        throw BoardError(general.problemWith(QuantosMinutos));
    m_refreshTicks = *general.refreshMinutes;
    Form_Resize();
}

GeneralSettings Assi::readSettings() {
    if (m_locateSettings)
        m_settingsFilePath = m_locateSettings();
    m_settings = std::make_unique<SettingsLookup>(m_settingsFilePath);
    m_settingsWatcher->watch(m_settingsFilePath);
    m_settings->requireReadable();
    GeneralSettings general = GeneralSettings::read(*m_settings);
    applyGeneralSettings(general);
    return general;
}

void Assi::applyGeneralSettings(const GeneralSettings& general) {
    m_paging->setSecondsPerPage(general.secondsPerPage);
    m_schedule->setHours(general.hours);
    updateReading(general);
    // Until the board has started, a period that does not read is the
    // start-up's problem, shown large; once started, a changed period takes
    // effect at once and a wrong one leaves the period as it was. The scale
    // is taken once, before the window exists, but a wrong one is still
    // worth saying at every refresh.
    const bool started = m_refreshTicks > 0;
    if (started && general.refreshMinutes)
        m_refreshTicks = *general.refreshMinutes;
    QList<SettingProblem> problems = general.problems;
    if (!started)
        problems.removeIf([](const SettingProblem& p) { return p.field == QuantosMinutos; });
    noteSettingsProblems(SettingsProblems::Step::General, inSection(GeneralSection, problems));
}

void Assi::noteLookProblems(SettingsProblems::Step step, SettingsSection section,
                            const QList<LookProblem>& problems) {
    noteSettingsProblems(step, inSection(section, problems));
}

void Assi::noteSettingsProblems(SettingsProblems::Step step,
                                QList<StatusLine::SettingsProblem> problems) {
    // Each refresh finds them again: the log hears of a problem when it comes
    // and when it goes, not at every refresh.
    const SettingsProblems::Changes changes = m_settingsProblems.set(step, std::move(problems));
    for (const StatusLine::SettingsProblem& problem : changes.found)
        qCWarning(lcApp).noquote() << problem.message;
    for (const StatusLine::SettingsProblem& problem : changes.gone)
        qCInfo(lcApp).noquote() << "Definição corrigida:" << problem.place;
    m_status.setSettingsProblems(m_settingsProblems.all());
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

} // namespace assi
