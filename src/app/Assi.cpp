#include "app/Assi.h"

#include "app/BoardPaging.h"
#include "app/ConnectingNotice.h"
#include "app/FooterBand.h"
#include "app/Logging.h"
#include "app/StartupNotice.h"
#include "app/WindowIcon.h"
#include "board/BoardAttention.h"
#include "board/BoardColumns.h"
#include "board/DetailPanel.h"
#include "board/GridLooks.h"
#include "board/RequestColumns.h"
#include "core/BoardError.h"
#include "feed/BoardFeed.h"
#include "gridview/Grid.h"
#include "gridview/Twips.h"
#include "settings/GeneralSettings.h"
#include "settings/SettingsLookup.h"
#include "ui_Assi.h"
#include "wall/BoardSchedule.h"
#include "wall/PointerHider.h"
#include "wall/ScreenAwake.h"
#include "wall/SettingsFileReader.h"

#include <QCoreApplication>
#include <algorithm>
#include <utility>

using namespace Qt::StringLiterals;

namespace assi {

namespace {
constexpr int TickMilliseconds = 60000;
// A tick woken this close before the minute waits for the next one rather
// than ticking twice in the same minute.
constexpr int EarlyTickMilliseconds = 1000;
// A board that could not start tries again this often.
constexpr int StartRetryMilliseconds = 60000;
// Notes are read standing at the board, not at a desk.
constexpr qreal NotesPointSize = 12;

// How long from `now` until the clock's next tick, on the wall clock's minute.
qint64 msecsToNextTick(const QDateTime& now) {
    qint64 wait = TickMilliseconds - now.time().msecsSinceStartOfDay() % TickMilliseconds;
    if (wait < EarlyTickMilliseconds)
        wait += TickMilliseconds;
    return wait;
}
} // namespace

Assi::Assi(BoardFeed* feed, QString settingsFilePath, QDate fixedToday, QWidget* parent)
    : QWidget(parent), m_ui(std::make_unique<Ui::Assi>()), m_feed(feed),
      m_settingsFilePath(std::move(settingsFilePath)),
      m_settings(std::make_unique<SettingsLookup>(SettingsReader())), m_fixedToday(fixedToday),
      m_clock([this] { return m_localClock.now(); }) {
    m_ui->setupUi(this);
    setWindowIcon(boardIcon());
    // Over the grids, under the start-up notice and the closed screen.
    m_connectingNotice = new ConnectingNotice(this);

    QPalette white = palette();
    white.setColor(QPalette::Window, Qt::white);
    setPalette(white);
    // The detail panel takes the system's highlight-text colour as its background.
    QPalette panel = m_ui->Frame1->palette();
    panel.setColor(QPalette::Window, panel.color(QPalette::HighlightedText));
    m_ui->Frame1->setPalette(panel);
    m_ui->Label1->setPalette(panel);
    m_ui->Label1->setTextFormat(Qt::PlainText);
    QFont notesFont = m_ui->Label1->font();
    notesFont.setPointSizeF(NotesPointSize);
    m_ui->Label1->setFont(notesFont);
    // The notes fit above the footer, which must stay in sight.
    m_panel = std::make_unique<DetailPanel>(m_ui->Frame1, m_ui->Label1,
                                            [this] { return pixelsToTwips(heightAboveFooter()); });
    // Empty until a request is picked, which takes data.
    m_panel->hide();
    connect(m_ui->Grelha_1, &Grid::currentCellChanged, this, &Assi::Grelha_1_CurrentCellNotify);
    connect(m_ui->Grelha_11, &Grid::currentCellChanged, this, &Assi::Grelha_11_CurrentCellNotify);
    connect(m_ui->Grelha_2, &Grid::currentCellChanged, this, &Assi::Grelha_2_CurrentCellNotify);
    for (Grid* grid : {m_ui->Grelha_1, m_ui->Grelha_11, m_ui->Grelha_2})
        connect(grid, &Grid::dismissed, this, &Assi::hidePanelOnGridDismissed);

    // Once a minute, on the minute: the footer's clock turns with every other clock.
    m_relogio.setSingleShot(true);
    m_relogio.setTimerType(Qt::PreciseTimer);
    connect(&m_relogio, &QTimer::timeout, this, [this] {
        armRelogio();
        Relogio_Timer();
    });
    // A coarse timer may fire a little early or late; this one says the
    // refresh is running as soon as the band would.
    m_busyTimer.setSingleShot(true);
    m_busyTimer.setTimerType(Qt::PreciseTimer);
    connect(&m_busyTimer, &QTimer::timeout, this, &Assi::showBusyWhenDue);
    connect(m_feed, &BoardFeed::loaded, this, &Assi::onLoaded);

    m_startRetry.setSingleShot(true);
    m_startRetry.setInterval(StartRetryMilliseconds);
    connect(&m_startRetry, &QTimer::timeout, this, &Assi::start);
    m_startupNotice = new StartupNotice(this);

    m_paging = std::make_unique<BoardPaging>(
        this, QList<Grid*>{m_ui->Grelha_1, m_ui->Grelha_11, m_ui->Grelha_2},
        [this] { return m_steadyClock(); });
    for (Grid* grid : {m_ui->Grelha_1, m_ui->Grelha_11, m_ui->Grelha_2})
        connect(grid, &Grid::pageChanged, this, [this, grid] { hidePanelOnPageTurn(grid); });

    m_attention =
        std::make_unique<BoardAttention>(*m_ui->Grelha_1, *m_ui->Grelha_11, *m_ui->Grelha_2);
    m_marksTimer.setSingleShot(true);
    connect(&m_marksTimer, &QTimer::timeout, this, [this] {
        m_attention->tick(today(), m_steadyClock());
        armMarksTimer();
    });

    m_schedule = std::make_unique<BoardSchedule>(this, ScreenAwake::none());
    setUpSettingsReading();
}

Assi::~Assi() = default;

Grid* Assi::Grelha_1() const {
    return m_ui->Grelha_1;
}
Grid* Assi::Grelha_11() const {
    return m_ui->Grelha_11;
}
Grid* Assi::Grelha_2() const {
    return m_ui->Grelha_2;
}
QFrame* Assi::Frame1() const {
    return m_ui->Frame1;
}
QLabel* Assi::Label1() const {
    return m_ui->Label1;
}
FooterBand* Assi::footer() const {
    return m_ui->Footer;
}

void Assi::setClock(std::function<QDateTime()> clock) {
    m_clock = std::move(clock);
}

void Assi::setSteadyClock(std::function<qint64()> steadyClock) {
    m_steadyClock = std::move(steadyClock);
}

QDate Assi::today() const {
    return m_fixedToday.isValid() ? m_fixedToday : m_clock().date();
}

double Assi::ScaleWidth() const {
    return pixelsToTwips(width());
}
double Assi::ScaleHeight() const {
    return pixelsToTwips(height());
}

void Assi::start() {
    try {
        Form_Load();
    } catch (const BoardError& e) {
        // Once a minute for as long as it lasts: log only what changes.
        if (e.message() != m_startupProblem)
            qCCritical(lcApp).noquote() << "O quadro não pode arrancar:" << e.message();
        m_startupProblem = e.message();
        m_startupNotice->showProblem(m_startupProblem,
                                     m_clock().addMSecs(StartRetryMilliseconds).time());
        m_startRetry.start();
        Q_EMIT statusShown();
        return;
    }
    m_startRetry.stop();
    if (!m_startupProblem.isEmpty())
        qCInfo(lcApp) << "O quadro arrancou.";
    m_startupProblem.clear();
    m_startupNotice->hide();
}

void Assi::Form_Load() {
    LoadGeneralSettings();
    // The titles and looks show from the start, before the database answers.
    Act_Grelha_1();
    Act_Grelha_11();
    Act_Grelha_2();
    // Outside the hours nothing is asked of the database until they begin.
    const bool open = checkOpeningHours();
    showStatus();
    if (open)
        RefreshBoard();
    armRelogio();
}

void Assi::armRelogio() {
    m_relogio.start(int(msecsToNextTick(m_clock())));
}

void Assi::Relogio_Timer() {
    // Requests age at midnight whether or not the database answers then.
    m_attention->tick(today(), m_steadyClock());
    armMarksTimer();
    bool justOpened = false;
    if (!checkOpeningHours(&justOpened)) {
        showStatus();
        return;
    }
    // TickCount never passes RefreshTicks (at most 32767) before it is reset.
    ++m_tickCount;
    // A board left running overnight shows the new day's week from the first tick after midnight.
    const bool newDay = today() != m_requestedDay;
    if (m_tickCount >= m_refreshTicks || m_retryOnNextTick || newDay || justOpened) {
        RefreshBoard();
        m_tickCount = 0;
    }
    showStatus();
}

void Assi::RefreshBoard() {
    if (m_refreshing)
        return;
    m_refreshing = true;
    m_status.refreshStarted(readClocks());
    m_busyTimer.start(StatusLine::BusyNoticeMilliseconds);
    m_requestedDay = today();
    m_feed->load(m_requestedDay);
}

void Assi::onLoaded(const BoardData& data) {
    m_busyTimer.stop();
    // Whatever the answer, the footer says from now on what it is worth.
    m_connectingNotice->hide();
    bool succeeded = false;
    try {
        applyRefresh(data);
        succeeded = true;
    } catch (const BoardError& e) {
        m_lastError = e.message();
    } catch (const std::exception& e) {
        m_lastError = QString::fromLocal8Bit(e.what());
    }
    m_refreshing = false;
    m_lastRefreshAt = m_clock();
    m_retryOnNextTick = !succeeded;
    if (succeeded) {
        m_lastError.clear();
        m_status.refreshSucceeded(readClocks());
    } else {
        qCWarning(lcApp).noquote() << "Falha na atualização:" << m_lastError;
        m_status.refreshFailed(readClocks(), m_lastError);
    }
    showStatus();
    Q_EMIT refreshFinished(succeeded);
    if (std::exchange(m_refreshAfterThisOne, false))
        onSettingsEdited();
}

void Assi::showBusyWhenDue() {
    const qint64 wait = m_status.msecsUntilBusyNotice(m_steadyClock());
    if (wait > 0) {
        m_busyTimer.start(int(wait));
        return;
    }
    showStatus();
}

void Assi::applyRefresh(const BoardData& data) {
    WeekDayNames DiasSemana{};
    m_panel->hide();
    // A file caught halfway, gone or silent leaves the last whole one in
    // force, and the footer says so; the data is refreshed all the same.
    if (readSettings() == SettingsOutcome::Unchanged)
        applyGeneralSettings(*m_general);
    Act_Grelha_1();
    Act_Grelha_11();

    if (data.requestsError)
        throw BoardError(*data.requestsError);
    m_ui->Grelha_1->setDataSource(data.first);
    m_ui->Grelha_11->setDataSource(data.second);
    Act_Grelha_1_Campos();
    Act_Grelha_11_Campos();
    markRequests(true);
    m_requestsShown = true;
    if (!m_ui->Grelha_1->isVisible())
        m_ui->Grelha_1->setVisible(true);
    if (!m_ui->Grelha_11->isVisible())
        m_ui->Grelha_11->setVisible(true);

    Act_Grelha_2();
    if (data.weekError)
        throw BoardError(*data.weekError);
    DiasSemana = data.DiasSemana;
    m_lastDiasSemana = DiasSemana;
    if (!data.ok)
        return;
    m_ui->Grelha_2->setDataSource(data.board);
    m_weekendOrders = data.weekendOrders;
    m_ui->Grelha_2->setCaptionNote(weekendOrdersNote(m_weekendOrders));
    Act_Grelha_2_Campos_Novo(*m_ui->Grelha_2, DiasSemana);
    markOrders();
    m_weekShown = true;
    if (!m_ui->Grelha_2->isVisible())
        m_ui->Grelha_2->setVisible(true);
    Form_Resize();
}

void Assi::applyLooks() {
    m_panel->hide();
    Act_Grelha_1();
    Act_Grelha_11();
    if (m_requestsShown) {
        Act_Grelha_1_Campos();
        Act_Grelha_11_Campos();
        markRequests(false);
    }
    Act_Grelha_2();
    if (m_weekShown) {
        Act_Grelha_2_Campos_Novo(*m_ui->Grelha_2, m_lastDiasSemana);
        markOrders();
    }
    Form_Resize();
}

// The two request grids read the same section: the second finds what the first did.
void Assi::Act_Grelha_1() {
    noteLookProblems(SettingsProblems::Step::RequestLooks, RequestGridsSection,
                     applyGridLook(*m_ui->Grelha_1, *m_settings, RequestGridsSection, BackColor()));
    fitForReading(*m_ui->Grelha_1);
}
void Assi::Act_Grelha_11() {
    noteLookProblems(
        SettingsProblems::Step::RequestLooks, RequestGridsSection,
        applyGridLook(*m_ui->Grelha_11, *m_settings, RequestGridsSection, BackColor()));
    fitForReading(*m_ui->Grelha_11);
}
void Assi::Act_Grelha_2() {
    noteLookProblems(SettingsProblems::Step::BoardLook, WeekBoardSection,
                     applyGridLook(*m_ui->Grelha_2, *m_settings, WeekBoardSection, BackColor()));
    fitForReading(*m_ui->Grelha_2);
}
void Assi::Act_Grelha_1_Campos() {
    noteLookProblems(SettingsProblems::Step::RequestColumns, RequestGridsSection,
                     setUpRequestColumns(*m_ui->Grelha_1, *m_settings));
}
void Assi::Act_Grelha_11_Campos() {
    noteLookProblems(SettingsProblems::Step::RequestColumns, RequestGridsSection,
                     setUpRequestColumns(*m_ui->Grelha_11, *m_settings));
}

void Assi::markRequests(bool refreshed) {
    const qint64 now = m_steadyClock();
    noteLookProblems(SettingsProblems::Step::RequestMarks, RequestGridsSection,
                     refreshed ? m_attention->requestsRefreshed(*m_settings, today(), now)
                               : m_attention->requestSettingsChanged(*m_settings, today(), now));
    armMarksTimer();
}

void Assi::markOrders() {
    noteLookProblems(SettingsProblems::Step::BoardMarks, WeekBoardSection,
                     m_attention->ordersShown(*m_settings));
}

void Assi::armMarksTimer() {
    const std::optional<qint64> next = m_attention->nextChange();
    if (!next) {
        m_marksTimer.stop();
        return;
    }
    m_marksTimer.start(int(std::clamp<qint64>(*next - m_steadyClock(), 0, TickMilliseconds)));
}

QDateTime Assi::nextRefreshAt() const {
    if (!m_relogio.isActive())
        return {};
    const QDateTime now = m_clock();
    const QDateTime nextTick = now.addMSecs(msecsToNextTick(now));
    const bool newDay = !m_fixedToday.isValid() && nextTick.date() != m_requestedDay;
    if (m_retryOnNextTick || newDay)
        return nextTick;
    const int ticksToGo = std::max(1, m_refreshTicks - m_tickCount);
    return nextTick.addMSecs(qint64(ticksToGo - 1) * TickMilliseconds);
}

} // namespace assi
