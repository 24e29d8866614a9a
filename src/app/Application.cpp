#include "app/Application.h"

#include "Version.h"
#include "app/Assi.h"
#include "app/BoardCheck.h"
#include "app/BoardDump.h"
#include "app/BoardStateFiles.h"
#include "app/CommandLine.h"
#include "app/Logging.h"
#include "app/RunningBoard.h"
#include "app/ShownBoardReports.h"
#include "app/Snapshot.h"
#include "core/BoardError.h"
#include "core/EscapedText.h"
#include "data/BoardLoader.h"
#include "data/ConnectionStartup.h"
#include "data/DemoSite.h"
#include "data/PasswordFileWarning.h"
#include "feed/ThreadedBoardFeed.h"
#include "gridview/Grid.h"
#include "settings/GeneralSettings.h"
#include "settings/SettingsLookup.h"
#include "wall/BoardInstanceLock.h"
#include "wall/BoardScale.h"
#include "wall/BoardSchedule.h"
#include "wall/DesktopSession.h"
#include "wall/PointerHider.h"
#include "wall/RuntimeFolder.h"
#include "wall/ScreenAwake.h"
#include "wall/SettingsFileReader.h"
#include "wall/SystemdNotifier.h"
#include "wall/TerminationSignals.h"
#include "wall/X11ScreenGuard.h"

#include <QApplication>
#include <QDeadlineTimer>
#include <QEventLoop>
#include <QJsonDocument>
#include <QLoggingCategory>
#include <QScreen>
#include <QStandardPaths>
#include <QTimer>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <thread>

using namespace Qt::StringLiterals;

namespace assi {

namespace {

constexpr int ExitFailedRefresh = 1;
constexpr int ExitStartupFailure = 2;
// The window's client area as the board was designed, when --size does not say.
constexpr QSize DesignClientSize(1330, 829);
// Enough event-loop turns for a selection's panel and the grids' queued
// updates to be painted before a report reads them.
constexpr int SettleTurns = 3;
constexpr int ScreenAnswerWaitMs = 2000;
constexpr int ScreenAnswerPollMs = 50;

void printOut(const QString& text) {
    std::fputs(text.toLocal8Bit().constData(), stdout);
    std::fflush(stdout);
}

void printErr(const QString& text) {
    std::fputs((escapeControlCharacters(text) + u'\n').toLocal8Bit().constData(), stderr);
    std::fflush(stderr);
}

QString defaultDemoFolder() {
    return QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) + u"/assi/demo"_s;
}

// A report's start-up failure: said on stderr, with the exit status scripts test.
int failStartup(const QString& message) {
    qCCritical(lcApp).noquote() << message;
    printErr(message);
    return ExitStartupFailure;
}

// Waits for the window's first refresh to end, however it ends.
bool waitForFirstRefresh(Assi& window) {
    if (!window.isRefreshing())
        return window.lastError().isEmpty();
    QEventLoop loop;
    bool succeeded = false;
    QObject::connect(&window, &Assi::refreshFinished, &loop, [&](bool ok) {
        succeeded = ok;
        loop.quit();
    });
    loop.exec();
    return succeeded;
}

// "Grelha_1:3": makes the fourth displayed row of Grelha_1 current, as a click would.
void applySelection(Assi& window, const QString& select) {
    const QStringList parts = select.split(u':');
    Grid* grid = window.findChild<Grid*>(parts.value(0));
    if (!grid)
        return;
    // The refresh's grouping and layout wait for the next turn of the event loop.
    grid->settle();
    int column = 0;
    while (column < grid->columnCount() && grid->columnAt(column).isHidden())
        ++column;
    const int row = parts.value(1).toInt();
    if (column < grid->columnCount() && row < grid->displayedRowCount())
        grid->setCurrentCell(row, column);
}

// The board as it lives: refresh ticks, page turns and the clock all run.
void runFor(int seconds) {
    QEventLoop loop;
    QTimer::singleShot(std::chrono::seconds(seconds), &loop, &QEventLoop::quit);
    loop.exec();
}

void settle() {
    for (int turn = 0; turn < SettleTurns; ++turn)
        QCoreApplication::processEvents();
}

// The desktop answers a hold of the screen on the session bus: a report
// says what it answered, not that the question is still out. A desktop that
// does not answer in time is reported as not holding.
void awaitScreenAnswer(Assi& window) {
    const QDeadlineTimer deadline(ScreenAnswerWaitMs);
    while (window.schedule().awake().isAsking() && !deadline.hasExpired())
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, ScreenAnswerPollMs);
}

// Once per start, into the log: the board runs all the same.
// On a thread of its own: the files may sit on a share that does not answer,
// and a warning is no reason to hold the window back.
void warnAboutReadablePasswords(const QString& baseDir, const QString& appDir) {
    std::thread([baseDir, appDir] {
        for (const QString& warning :
             readablePasswordWarnings(locateConnectionFiles(baseDir, appDir)))
            qCWarning(lcApp).noquote() << warning;
    }).detach();
}

// The settings' Escala, unless a reading distance sizes the text itself, in
// the screen's own pixels. Read within the usual deadline: a file that does
// not answer holds back neither the window nor the board's own word on it.
void applyScaleSetting(const QString& baseDir, const QString& appDir, const QSize& requestedSize) {
    SettingsFileReader reader;
    const std::optional<SettingsFileReading> reading = reader.read([baseDir, appDir] {
        return SettingsFileReading::readNow(locateSettingsFile(baseDir, appDir));
    });
    if (!reading) {
        qCWarning(lcApp).noquote()
            << u"O ficheiro de definições não respondeu em %1 s: o quadro arranca sem Escala."_s
                   .arg(reader.deadline().count() / 1000);
        return;
    }
    const GeneralSettings general = GeneralSettings::read(SettingsLookup(reading->contents));
    if (general.readingDistanceMetres)
        return;
    if (const auto scale = chooseBoardScale(general.scale, requestedSize))
        applyBoardScale(*scale);
}

int runBoard(const CommandLineOptions& options, const QString& baseDir, const QString& appDir) {
    const bool interactive = !options.reportsAndExits();
    if (interactive)
        warnAboutReadablePasswords(baseDir, appDir);
    auto locateSettings = [baseDir, appDir] { return locateSettingsFile(baseDir, appDir); };

    int exitCode = 0;
    {
        ThreadedBoardFeed feed(
            [baseDir, appDir] { return std::make_unique<BoardLoader>(baseDir, appDir); });
        feed.setServerDescription(
            [baseDir, appDir] { return describePlannedConnection(baseDir, appDir); });
        // Located with each reading, on the reader's thread: the folder may be
        // on a share that does not answer.
        Assi window(&feed, QString(), options.today);
        window.setSettingsLocator(locateSettings);
        // --size is the screen's, in device pixels: with a scale the board
        // lays itself out in fewer, larger pixels.
        window.resize(options.size.isValid() ? options.size / window.devicePixelRatioF()
                                             : DesignClientSize);
        if (options.size.isValid())
            window.setScreenSize(options.size / window.devicePixelRatioF());
        window.keepScreenAwake(ScreenAwake::forSession(&window));
        if (options.fullscreen)
            window.hidePointerWhenStill(PointerHider::StillMilliseconds);
        if (interactive) {
            // Unattended: a start-up failure stays on the window and is retried.
            window.start();
        } else {
            try {
                window.Form_Load();
            } catch (const BoardError& e) {
                return failStartup(e.message());
            }
        }

        if (!interactive) {
            // Nobody sees this window: it is painted once, into the snapshot,
            // with everything the refresh brought.
            window.setUpdatesEnabled(false);
            window.show();
            bool refreshed = waitForFirstRefresh(window);
            if (!options.select.isEmpty())
                applySelection(window, options.select);
            if (options.afterSeconds > 0) {
                runFor(options.afterSeconds);
                refreshed = window.lastError().isEmpty();
            }
            settle();
            awaitScreenAnswer(window);
            if (!options.snapshotPath.isEmpty()) {
                window.setUpdatesEnabled(true);
                if (const QString error =
                        saveSnapshot(window.grab().toImage(), options.snapshotPath);
                    !error.isEmpty()) {
                    printErr(error);
                    return ExitStartupFailure;
                }
            }
            if (options.dump)
                printOut(QString::fromUtf8(
                    QJsonDocument(dumpBoard(window)).toJson(QJsonDocument::Indented)));
            return refreshed ? 0 : ExitFailedRefresh;
        }

        SystemdNotifier notifier;
        notifier.watch(window);
        BoardStateFiles stateFiles(boardRuntimeFolder());
        const ShownBoardReports reports(window, &notifier, &stateFiles);
        exitCode = execBoard(window, feed, options.fullscreen);
    }
    return exitCode;
}

// The display's one board: the lock, or none when the runtime folder cannot
// hold one (the board runs all the same). When another board holds it, says
// so and sets `heldByAnother`: that board is the one asked for, and this
// process has nothing to do.
std::unique_ptr<BoardInstanceLock> lockDisplay(bool* heldByAnother) {
    *heldByAnother = false;
    const QString folder = boardRuntimeFolder();
    if (const QString problem = makeBoardRuntimeFolder(folder); !problem.isEmpty()) {
        qCWarning(lcApp).noquote() << u"Sem garantia de um só quadro por ecrã: %1."_s.arg(problem);
        return {};
    }
    const QString display = displayFileName();
    auto lock = std::make_unique<BoardInstanceLock>(folder + u'/' + display + u".lock"_s);
    switch (lock->outcome()) {
    case BoardInstanceLock::Outcome::Taken:
        return lock;
    case BoardInstanceLock::Outcome::Unavailable:
        qCWarning(lcApp).noquote()
            << u"Sem garantia de um só quadro por ecrã: %1."_s.arg(lock->problem());
        return {};
    case BoardInstanceLock::Outcome::HeldByAnother:
        break;
    }
    *heldByAnother = true;
    const QString process = lock->holderPid() > 0 ? u"processo %1"_s.arg(lock->holderPid())
                                                  : u"processo ainda a arrancar"_s;
    printErr(u"Já há um quadro aberto no ecrã %1 (%2): este termina sem abrir outro."_s.arg(
        display, process));
    return {};
}

// Reports need no display: picks the offscreen platform unless told
// otherwise. False, said on stderr, when the board has no screen to open.
bool choosePlatform(const CommandLineOptions& options) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") &&
        (options.reportsAndExits() || !hasDisplay()))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    if (options.reportsAndExits())
        return true;
    if (!hasDisplay() && qgetenv("QT_QPA_PLATFORM") == "offscreen") {
        printErr(u"Não há ecrã onde abrir o quadro (DISPLAY não está definido). "
                 u"Use --snapshot FICHEIRO.png para o desenhar numa imagem."_s);
        return false;
    }
    if (const QString display = unreachableDisplay(); !display.isEmpty()) {
        printErr(u"Não foi possível abrir o ecrã \"%1\": o servidor gráfico não está a "
                 u"correr ou recusou a ligação. Tente de novo mais tarde; --snapshot "
                 u"FICHEIRO.png e --dump funcionam sem ecrã."_s.arg(display));
        return false;
    }
    return true;
}

} // namespace

int execBoard(Assi& window, const BoardFeed& feed, bool fullscreen) {
    if (fullscreen) {
        // Without a window manager showFullScreen() does nothing; a
        // frameless window with the screen's geometry fills it anyway.
        window.setWindowFlag(Qt::FramelessWindowHint);
        if (QScreen* screen = window.screen())
            window.setGeometry(screen->geometry());
        window.showFullScreen();
    } else {
        window.show();
    }
    const TerminationSignals endOnSignals;
    const int exitCode = QApplication::exec();
    // Ended by a signal the window is still up: hidden, it gives the screen back.
    window.hide();
    if (feed.hasUnfinishedLoads()) {
        // Esc during a query that has not come back (or while one given up on
        // is still blocked): end now, leaving the database threads behind
        // rather than waiting on the driver.
        std::fflush(stdout);
        std::fflush(stderr);
        std::_Exit(exitCode);
    }
    return exitCode;
}

int runApplication(int argc, char** argv) {
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments << QString::fromLocal8Bit(argv[i]);
    const CommandLineResult parsed = parseCommandLine(arguments);
    if (!parsed.error.isEmpty()) {
        printErr(parsed.error + u"\nUse --help para ver as opções."_s);
        return ExitStartupFailure;
    }
    const CommandLineOptions& options = parsed.options;
    if (options.help) {
        printOut(commandLineHelp());
        return 0;
    }
    if (options.version) {
        printOut(u"assi %1\n"_s.arg(QStringLiteral(ASSI_VERSION)));
        return 0;
    }
    if (options.state) {
        // Read from a shell, often another user's over SSH: no display, no window.
        const RunningBoardReport report = reportRunningBoard(boardRuntimeFolders());
        printOut(report.text);
        return report.exitCode;
    }

    if (!choosePlatform(options))
        return ExitStartupFailure;
    ensureRuntimeFolder();
    // The board's own debug lines stay quiet unless QT_LOGGING_RULES asks for them.
    QLoggingCategory::setFilterRules(u"assi.*.debug=false"_s);
    qSetMessagePattern(u"%{time yyyy-MM-dd HH:mm:ss} %{category} %{type}: %{message}"_s);
    // A fork, so before any thread exists (the settings' reader is the first).
    if (!options.reportsAndExits())
        X11ScreenGuard::start();

    // Before anything is written (the demo's files) or shown: never two
    // boards on one display. Reports run beside a board and take no lock.
    std::unique_ptr<BoardInstanceLock> displayLock;
    if (!options.reportsAndExits()) {
        bool heldByAnother = false;
        displayLock = lockDisplay(&heldByAnother);
        if (heldByAnother)
            return 0;
    }

    // Empty: the data layer finds the program folder (see ProgramFolder).
    const QString& appDir = options.appDir;
    QString baseDir = options.baseDir;
    if (options.demo && baseDir.isEmpty())
        baseDir = defaultDemoFolder();
    // Qt takes the scale when the application object is made, never after.
    if (!options.check)
        applyScaleSetting(baseDir, appDir, options.size);

    QApplication app(argc, argv);
    QApplication::setApplicationName(u"assi"_s);
    QApplication::setApplicationDisplayName(u"Quadro da assistência"_s);

    if (options.demo) {
        try {
            writeDemo(baseDir, options.today.isValid() ? options.today : QDate::currentDate());
        } catch (const BoardError& e) {
            printErr(e.message());
            return ExitStartupFailure;
        }
    }

    if (options.check)
        return runBoardCheck(baseDir, appDir,
                             options.today.isValid() ? options.today : QDate::currentDate());

    return runBoard(options, baseDir, appDir);
}

} // namespace assi
