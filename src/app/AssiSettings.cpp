// The settings file, read once for each start or refresh and watched for
// edits, and the opening hours it sets.
#include "app/Assi.h"
#include "app/BoardPaging.h"
#include "app/Logging.h"
#include "board/GridLook.h"
#include "core/BoardError.h"
#include "database/ConnectionProfile.h"
#include "settings/GeneralSettings.h"
#include "settings/SettingsLookup.h"
#include "wall/BoardSchedule.h"
#include "wall/SettingsFileReader.h"
#include "wall/SettingsWatcher.h"

#include <QDir>
#include <QFileInfo>

using namespace Qt::StringLiterals;

namespace assi {

namespace {

// A writer that empties the file and fills it again is done well within this.
constexpr qint64 UnfinishedFileMilliseconds = 10000;
constexpr int RereadMilliseconds = 1000;
// How often a file that has not answered is asked whether it has now.
constexpr int SilentFilePollMilliseconds = 1000;

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

void Assi::setUpSettingsReading() {
    m_settingsReader = std::make_unique<SettingsFileReader>();
    m_settingsWatcher = new SettingsWatcher(SettingsWatcher::QuietMilliseconds, this);
    connect(m_settingsWatcher, &SettingsWatcher::settled, this, &Assi::onSettingsEdited);
    m_settingsReread.setSingleShot(true);
    m_settingsReread.setInterval(RereadMilliseconds);
    connect(&m_settingsReread, &QTimer::timeout, this, &Assi::onSettingsEdited);
    m_settingsFileWait.setInterval(SilentFilePollMilliseconds);
    connect(&m_settingsFileWait, &QTimer::timeout, this, [this] {
        if (!m_settingsReader->isHanging())
            onSettingsEdited();
    });
}

void Assi::setSettingsLocator(std::function<QString()> locate) {
    m_locateSettings = std::move(locate);
}

void Assi::LoadGeneralSettings() {
    readSettings();
    if (!m_general->refreshMinutes)
        throw BoardError(m_general->problemWith(QuantosMinutos));
    m_refreshTicks = *m_general->refreshMinutes;
    Form_Resize();
}

Assi::SettingsOutcome Assi::readSettings() {
    std::optional<SettingsFileReading> reading =
        m_settingsReader->read([locate = m_locateSettings, path = m_settingsFilePath] {
            return SettingsFileReading::readNow(locate ? locate() : path);
        });
    if (!reading) {
        const QString message = noteSettingsFileSilent();
        if (!m_general)
            throw BoardError(message);
        return SettingsOutcome::KeptLast;
    }
    m_settingsFilePath = reading->contents.filePath();
    m_settingsWatcher->watch(m_settingsFilePath, reading->folder, reading->file);
    SettingsLookup lookup(std::move(reading->contents));
    noteSettingsFileAnswered();
    // A file that cannot be read at all (too large, not a file, no
    // permission) is no better than half a file: said in red until mended.
    if (!lookup.problem().isEmpty()) {
        noteSettingsProblems(
            SettingsProblems::Step::File,
            {{QFileInfo(m_settingsFilePath).fileName() + u" ilegível"_s, lookup.problem()}});
        m_unfinishedSince.reset();
        m_settingsReread.stop();
        if (!m_general)
            throw BoardError(lookup.problem());
        return SettingsOutcome::KeptLast;
    }
    if (const SettingsFileState state = settingsFileState(lookup);
        state != SettingsFileState::Whole) {
        noteUnfinishedSettingsFile(state);
        if (!m_general)
            throw BoardError(GeneralSettings::read(lookup).problemWith(QuantosMinutos));
        return SettingsOutcome::KeptLast;
    }
    noteUnfinishedSettingsFile(SettingsFileState::Whole);
    if (m_general && lookup.filePath() == m_settings->filePath() &&
        lookup.reading().text() == m_settings->reading().text())
        return SettingsOutcome::Unchanged;
    m_settings = std::make_unique<SettingsLookup>(std::move(lookup));
    m_general = std::make_unique<GeneralSettings>(GeneralSettings::read(*m_settings));
    applyGeneralSettings(*m_general);
    return SettingsOutcome::Changed;
}

QString Assi::noteSettingsFileSilent() {
    // Before the first reading the file's folder may not even be known.
    const QString file = m_settingsFilePath.isEmpty()
                             ? QString()
                             : u" "_s + QDir::toNativeSeparators(m_settingsFilePath);
    const QString meanwhile = m_general ? u"o quadro continua com as últimas definições lidas e "
                                          u"lê-o de novo quando responder"_s
                                        : u"o quadro arranca quando responder"_s;
    const QString message =
        u"O ficheiro de definições%1 não respondeu em %2 s (partilha de rede parada?): %3."_s
            .arg(file)
            .arg(m_settingsReader->deadline().count() / 1000)
            .arg(meanwhile);
    const QString name = QFileInfo(m_settingsFilePath).fileName();
    noteSettingsProblems(SettingsProblems::Step::File,
                         {{(name.isEmpty() ? u"ficheiro"_s : name) + u" não responde"_s, message}});
    m_settingsFileWait.start();
    return message;
}

void Assi::noteSettingsFileAnswered() {
    m_settingsFileWait.stop();
}

void Assi::noteUnfinishedSettingsFile(SettingsFileState state) {
    if (state == SettingsFileState::Whole) {
        m_unfinishedSince.reset();
        m_settingsReread.stop();
        noteSettingsProblems(SettingsProblems::Step::File, {});
        return;
    }
    // Read again shortly: a writer that has emptied the file is about to fill it.
    const qint64 now = m_steadyClock();
    if (!m_unfinishedSince)
        m_unfinishedSince = now;
    if (now - *m_unfinishedSince < UnfinishedFileMilliseconds) {
        m_settingsReread.start();
        return;
    }
    // Long enough to be no writer's pause: said in red, and read again when the
    // file changes or at the next refresh.
    m_settingsReread.stop();
    noteSettingsProblems(
        SettingsProblems::Step::File,
        {{unfinishedFilePlace(state, m_settingsFilePath),
          describeUnfinishedFile(state, m_settingsFilePath, UnfinishedFileMilliseconds / 1000)}});
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

namespace {

// What the board connects with: an edit there is worth asking the database again.
QStringList connectionValues(const SettingsLookup& settings) {
    QStringList values;
    using Key = ConnectionProfile::Key;
    for (int key = int(Key::Servidor); key <= int(Key::Driver); ++key)
        values << settings.reading().readValue(ConnectionProfile::section(),
                                               ConnectionProfile::keyName(Key(key)));
    return values;
}

} // namespace

// An edit is taken at once, and asks no more of the database than it needs:
// a file saved again as it was (a touch, a sync) changes nothing, and new
// looks, pages or periods are applied to the data the board already has.
void Assi::onSettingsEdited() {
    // Until a whole file has been read the board has not started: an edit is
    // another try.
    if (!m_startupProblem.isEmpty() || !m_general) {
        start();
        return;
    }
    if (m_refreshing) {
        m_refreshAfterThisOne = true;
        return;
    }
    const QStringList connectionBefore = connectionValues(*m_settings);
    const SettingsOutcome outcome = readSettings();
    const bool failing = !m_lastError.isEmpty();
    if (outcome == SettingsOutcome::KeptLast ||
        (outcome == SettingsOutcome::Unchanged && !failing)) {
        showStatus();
        return;
    }
    bool justOpened = false;
    if (checkOpeningHours(&justOpened)) {
        if (justOpened || failing || !m_requestsShown ||
            connectionValues(*m_settings) != connectionBefore) {
            RefreshBoard();
            m_tickCount = 0;
        } else {
            applyLooks();
        }
    }
    showStatus();
}

} // namespace assi
