#pragma once

#include "app/BoardLayout.h"
#include "app/BoardReading.h"
#include "app/ClockReading.h"
#include "app/LocalClock.h"
#include "app/SettingsProblems.h"
#include "app/StatusLine.h"
#include "data/BoardData.h"

#include <QDateTime>
#include <QTimer>
#include <QWidget>
#include <functional>
#include <memory>
#include <optional>

class QFrame;
class QLabel;

namespace Ui {
class Assi;
}

namespace assi {

class BoardAttention;
class BoardFeed;
class BoardPaging;
class BoardSchedule;
class ConnectingNotice;
class PointerHider;
class ScreenAwake;
class SettingsFileReader;
class SettingsWatcher;
class DetailPanel;
class FooterBand;
class Grid;
class SettingsLookup;
class StartupNotice;
struct GeneralSettings;
struct LookProblem;
enum SettingsSection : int;
enum class SettingsFileState;

/// The board's window: three grids, the detail panel and the footer band,
/// refreshed from the database every few minutes.
class Assi : public QWidget {
    Q_OBJECT
public:
    /// `feed` delivers each refresh's data; the window does not own it.
    /// An invalid `fixedToday` means the machine's date at each refresh.
    Assi(BoardFeed* feed, QString settingsFilePath, QDate fixedToday, QWidget* parent = nullptr);
    ~Assi() override;

    /// Start-up: the general settings and layout, the grids' looks, the first
    /// refresh, the timer. Throws BoardError when the board cannot run at all
    /// (no refresh period).
    void Form_Load();
    /// Form_Load() for a board nobody attends: when it fails, the reason is
    /// shown large on the window and start() tries again a minute later,
    /// until the settings read.
    void start();
    /// Where the settings file is, asked again before each reading (a share
    /// mounted late moves it); without one, the path given at construction.
    void setSettingsLocator(std::function<QString()> locate);
    /// Starts a refresh unless one is running; the steps run when the data is in.
    void RefreshBoard();
    /// One tick of the clock `Relogio`, which runs it on every minute.
    void Relogio_Timer();

    // What the dump and the tests read.
    Grid* Grelha_1() const;
    Grid* Grelha_11() const;
    Grid* Grelha_2() const;
    QFrame* Frame1() const;
    QLabel* Label1() const;
    FooterBand* footer() const;
    const QTimer& Relogio() const { return m_relogio; }
    const QString& SettingsFilePath() const { return m_settingsFilePath; }
    int RefreshTicks() const { return m_refreshTicks; }
    int TickCount() const { return m_tickCount; }
    const WeekDayNames& lastDiasSemana() const { return m_lastDiasSemana; }
    /// The orders of the weekly board's week that fall on the weekend.
    int weekendOrders() const { return m_weekendOrders; }
    QDate today() const;
    /// Why the board has not started yet; empty once it has.
    const QString& startupProblem() const { return m_startupProblem; }
    /// The last refresh's error, empty after a successful one.
    const QString& lastError() const { return m_lastError; }
    /// What the footer says of the data, whole, with the message behind a
    /// failure (the band itself may cut it to fit).
    const QString& statusText() const { return m_statusText; }
    /// What the footer says, as it was last shown.
    const StatusLine::View& statusView() const { return m_statusView; }
    /// When the last refresh ended, on the board's clock; invalid before one has.
    const QDateTime& lastRefreshAt() const { return m_lastRefreshAt; }
    bool isRefreshing() const { return m_refreshing; }
    double ScaleWidth() const;
    double ScaleHeight() const;
    /// The window's background colour, 0x00BBGGRR: white.
    qint32 BackColor() const { return 0x00FFFFFF; }
    /// How large the text is for the distance the board is read from.
    const BoardReading& reading() const { return m_reading; }
    /// The screen the board is shown on, in the window's pixels, when it is
    /// not the one the window is on (--size).
    void setScreenSize(const QSize& logicalPixels);
    /// The grids' pages and their timer ([Geral] SegundosPorPagina).
    const BoardPaging& paging() const { return *m_paging; }
    /// What stands out on the grids: old, late and new requests, orders
    /// without a technician.
    const BoardAttention& attention() const { return *m_attention; }

    /// The clock the footer and the day's change read; tests replace it.
    void setClock(std::function<QDateTime()> clock);
    /// The steady clock, in milliseconds, that the data's age, a long
    /// refresh and the pages' pause are measured by; tests replace it.
    void setSteadyClock(std::function<qint64()> steadyClock);

    // --- On a wall
    /// Keeps the screen awake through `awake` while the board is open and
    /// shown; until this is called the screen is left to the session.
    void keepScreenAwake(std::unique_ptr<ScreenAwake> awake);
    /// Hides the mouse pointer whenever it has been still a few seconds.
    void hidePointerWhenStill(int stillMilliseconds);
    bool isPointerHidden() const;
    /// The opening hours, the closed screen and the screen held awake.
    const BoardSchedule& schedule() const { return *m_schedule; }

Q_SIGNALS:
    /// After each refresh's steps have run (or stopped at a failure).
    void refreshFinished(bool succeeded);
    /// The footer, or the reason the board cannot start, was shown again
    /// (a refresh, a tick of the clock, a resize); what it says may be the same.
    void statusShown();

protected:
    void resizeEvent(QResizeEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    // --- The refresh cycle (Assi.cpp)
    void applyRefresh(const BoardData& data);
    /// The settings' looks and columns over the data the grids already show.
    void applyLooks();
    void onLoaded(const BoardData& data);
    /// Arms the clock's next tick for the wall clock's next minute.
    void armRelogio();
    void Act_Grelha_1();
    void Act_Grelha_11();
    void Act_Grelha_2();
    void Act_Grelha_1_Campos();
    void Act_Grelha_11_Campos();
    /// Takes what one step found wrong in `section` of the settings: to the
    /// footer, and to the log when it is new or has gone.
    void noteLookProblems(SettingsProblems::Step step, SettingsSection section,
                          const QList<LookProblem>& problems);
    void noteSettingsProblems(SettingsProblems::Step step,
                              QList<StatusLine::SettingsProblem> problems);
    /// The marks of what needs attention, after the requests or the orders
    /// the grids show, or the settings, changed.
    void markRequests(bool refreshed);
    void markOrders();
    /// Wakes when a request stops being new, if one will before the next refresh.
    void armMarksTimer();

    // --- The settings, read once per start or refresh, and the hours (AssiSettings.cpp)
    void setUpSettingsReading();
    void LoadGeneralSettings();
    enum class SettingsOutcome {
        Changed,   // a whole file, other than the last: now in force
        Unchanged, // a whole file, as the last one
        KeptLast,  // no whole file to be had: the last one stays in force
    };
    /// Reads the settings file once for what follows (a start, a refresh or an
    /// edit) and applies its general settings when they changed. A file that
    /// cannot be read, is caught halfway or does not answer leaves the last
    /// whole reading in force and is said in red; before there is one, the
    /// board cannot start and this throws BoardError saying why.
    SettingsOutcome readSettings();
    /// The settings file has not answered within the deadline: said in red,
    /// and read again as soon as it answers. Returns what was said.
    QString noteSettingsFileSilent();
    void noteSettingsFileAnswered();
    /// A reading caught halfway is read again shortly; one that lasts is said in red.
    void noteUnfinishedSettingsFile(SettingsFileState state);
    /// The general settings that may change at any refresh; what does not
    /// read is said on the footer and the board goes on without it.
    void applyGeneralSettings(const GeneralSettings& general);
    /// Whether the board is within its hours now; said to the schedule, so
    /// the screen and the closed screen follow.
    bool checkOpeningHours(bool* justOpened = nullptr);
    void onSettingsEdited();

    // --- Sized for the reading distance (AssiReading.cpp)
    void updateReading(const GeneralSettings& general);
    void fitForReading(Grid& grid) const;
    /// The pixel size at which `font`'s capitals are readable from the
    /// distance; 0 without one.
    int readablePixels(const QFont& font) const;

    // --- What the window shows: layout, footer, detail panel, keys (AssiScreen.cpp)
    void Form_Resize();
    /// Esc, from whichever control has the focus: the board ends.
    void Form_KeyPress();
    void showStatus();
    /// Says "A atualizar…" once the refresh has run long enough, on the
    /// steady clock the band itself is read by.
    void showBusyWhenDue();
    ClockReading readClocks() const { return {m_clock(), m_steadyClock()}; }
    /// When the next refresh is due, for the footer; invalid while the clock is stopped.
    QDateTime nextRefreshAt() const;
    int heightAboveFooter() const;
    FooterSize footerSize() const;
    BoardLayout gridsLayout() const;
    // The grids' notifications: a current cell shows the request's notes
    // under it; a scroll or collapse of any grid hides them.
    void Grelha_1_CurrentCellNotify();
    void Grelha_11_CurrentCellNotify();
    void Grelha_2_CurrentCellNotify();
    void hidePanelOnGridDismissed();
    void hidePanelOnPageTurn(const Grid* grid);

    std::unique_ptr<Ui::Assi> m_ui;
    std::unique_ptr<DetailPanel> m_panel;
    BoardFeed* m_feed;
    QString m_settingsFilePath;
    std::unique_ptr<SettingsLookup> m_settings; // the last whole reading
    std::unique_ptr<GeneralSettings> m_general; // its [Geral]; none before one
    std::unique_ptr<SettingsFileReader> m_settingsReader;
    QTimer m_settingsReread;                 // a reading caught halfway, read again
    QTimer m_settingsFileWait;               // a file that does not answer, asked whether it has
    std::optional<qint64> m_unfinishedSince; // on the steady clock: readings caught halfway
    QDate m_fixedToday;
    int m_refreshTicks = 0;
    int m_tickCount = 0;
    QTimer m_relogio;
    QTimer m_busyTimer;
    QTimer m_startRetry;
    std::function<QString()> m_locateSettings;
    StartupNotice* m_startupNotice = nullptr;
    ConnectingNotice* m_connectingNotice = nullptr; // until the database first answers
    QString m_startupProblem;
    bool m_refreshing = false;
    bool m_requestsShown = false; // the request grids have had data
    bool m_weekShown = false;     // and the weekly board
    bool m_retryOnNextTick = false;
    bool m_refreshAfterThisOne = false; // the settings were edited while a refresh ran
    QDate m_requestedDay;               // the day the latest refresh asked the data for
    WeekDayNames m_lastDiasSemana{};
    int m_weekendOrders = 0;
    QString m_lastError;
    QString m_statusText;
    StatusLine::View m_statusView;
    QDateTime m_lastRefreshAt;
    StatusLine m_status;
    SettingsProblems m_settingsProblems;
    LocalClock m_localClock;
    std::function<QDateTime()> m_clock;
    std::function<qint64()> m_steadyClock = steadyMilliseconds;
    std::unique_ptr<BoardPaging> m_paging;
    std::unique_ptr<BoardAttention> m_attention;
    QTimer m_marksTimer;
    const Grid* m_panelGrid = nullptr; // the grid whose row the panel was last shown for
    std::unique_ptr<BoardSchedule> m_schedule;
    std::unique_ptr<PointerHider> m_pointerHider;
    SettingsWatcher* m_settingsWatcher;
    BoardReading m_reading;
    QSize m_screenSize;
};

} // namespace assi
