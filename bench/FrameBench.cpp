// What a page turn costs, and what keeping the running board's frame and
// state costs at each one.
//
//   assi_frame_bench [turns] [--page-turns]     (default 20 turns)
//
// Page turns: the three grids turned one page and painted at once (their
// rows and caption bars, what a turn repaints), against the floor Qt sets:
// a bare QTableView per grid, as large, with the same texts in a minimal
// model, scrolled one page. Board and floor turn alternately in the same
// process, so that their ratio holds on a busy machine. On the demo at full
// HD and at 4K (scale 2, as the board takes it there), each in a process of
// its own since Qt takes the scale once; then on a board of 100,000
// requests and 100,000 orders, the turn to page 2 against the turn to page
// 2,000 (or the grid's last whole page, when it has fewer).
//
// Frames (unless --page-turns): the UI thread's pause (the frame copied out
// of what the window painted for the turn, the state gathered) and the
// writer thread's work (the PNG encoded, both files replaced), in wall and
// CPU milliseconds, on the demo board at full HD and at 4K; the median of
// each over the turns, and the PNG's size; then, for the same frame, what
// the encoding alone costs at Qt's default compression against the fast one
// the board uses.
#include "BenchDatabase.h"
#include "app/Assi.h"
#include "app/BoardStateFiles.h"
#include "app/RunningBoard.h"
#include "app/ShownBoardLine.h"
#include "app/ShownFrame.h"
#include "data/BoardLoader.h"
#include "data/DemoSite.h"
#include "feed/ThreadedBoardFeed.h"
#include "gridview/Grid.h"
#include "gridview/GridDelegate.h"
#include "gridview/GridHeaderView.h"
#include "gridview/GridTreeView.h"
#include "wall/BoardScale.h"

#include <QAbstractTableModel>
#include <QApplication>
#include <QBuffer>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFileInfo>
#include <QHeaderView>
#include <QImageWriter>
#include <QProcess>
#include <QScrollBar>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QTableView>
#include <QTemporaryDir>
#include <QWindow>
#include <algorithm>
#include <cstdio>
#include <ctime>
#include <functional>
#include <memory>
#include <utility>
#include <vector>

using namespace Qt::StringLiterals;

namespace {

const QDate benchToday(2026, 12, 9);
// Qt's PNG qualities: its default (zlib's level 6), the board's (level 1),
// and none (level 0).
constexpr int DefaultQuality = -1;
constexpr int FastQuality = 85;
constexpr int StoredQuality = 100;

double cpuMs(clockid_t clock = CLOCK_PROCESS_CPUTIME_ID) {
    timespec t{};
    clock_gettime(clock, &t);
    return double(t.tv_sec) * 1e3 + double(t.tv_nsec) / 1e6;
}

double msSince(const QElapsedTimer& timer) {
    return double(timer.nsecsElapsed()) / 1e6;
}

double median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values.empty() ? 0 : values[values.size() / 2];
}

double encodeMs(const QImage& frame, int quality, qint64* bytes) {
    QElapsedTimer timer;
    timer.start();
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, "png");
    writer.setQuality(quality);
    writer.write(frame);
    *bytes = buffer.size();
    return msSince(timer);
}

void runSize(const QSize& size, int turns) {
    QTemporaryDir base;
    QTemporaryDir runtime;
    const assi::DemoFiles demo = assi::writeDemo(base.path(), benchToday);
    assi::ThreadedBoardFeed feed(
        [&] { return std::make_unique<assi::BoardLoader>(base.path(), QString()); });
    assi::Assi window(&feed, demo.settingsFile, benchToday);
    window.resize(size);
    window.show();
    {
        QEventLoop loop;
        QObject::connect(&window, &assi::Assi::refreshFinished, &loop, &QEventLoop::quit);
        window.Form_Load();
        loop.exec();
    }
    assi::BoardStateFiles files(runtime.path() + u"/assi"_s);
    std::vector<double> frameMs, stateMs, writeWallMs, writeCpuMs;
    QImage frame;
    for (int turn = 0; turn < turns; ++turn) {
        for (assi::Grid* grid : {window.Grelha_1(), window.Grelha_11(), window.Grelha_2()})
            grid->showNextPage();
        QCoreApplication::processEvents();

        QElapsedTimer timer;
        timer.start();
        frame = assi::shownFrame(window);
        frameMs.push_back(msSince(timer));
        timer.start();
        const QJsonObject state =
            assi::runningBoardState(window, assi::describeShownBoard(window), files.framePath());
        stateMs.push_back(msSince(timer));

        // The UI thread waits here only to time the writer, which runs alone.
        QEventLoop loop;
        QObject::connect(&files, &assi::BoardStateFiles::written, &loop, &QEventLoop::quit);
        const double cpuBefore = cpuMs();
        timer.start();
        files.write(frame, state);
        loop.exec();
        writeWallMs.push_back(msSince(timer));
        writeCpuMs.push_back(cpuMs() - cpuBefore);
    }
    qint64 defaultBytes = 0;
    qint64 fastBytes = 0;
    qint64 storedBytes = 0;
    const double defaultMs = encodeMs(frame, DefaultQuality, &defaultBytes);
    const double fastMs = encodeMs(frame, FastQuality, &fastBytes);
    const double storedMs = encodeMs(frame, StoredQuality, &storedBytes);
    std::printf("%dx%d (frame %dx%d, %s), %d page turns, medians:\n", size.width(), size.height(),
                frame.width(), frame.height(), frame.hasAlphaChannel() ? "with alpha" : "opaque",
                turns);
    std::printf("  UI thread: frame %.1f ms + state %.1f ms = pause %.1f ms\n", median(frameMs),
                median(stateMs), median(frameMs) + median(stateMs));
    std::printf("  writer thread: encode+write %.1f ms wall, %.1f ms CPU; quadro.png %lld KiB, "
                "estado.json %lld KiB\n",
                median(writeWallMs), median(writeCpuMs), QFileInfo(files.framePath()).size() / 1024,
                QFileInfo(files.statePath()).size() / 1024);
    std::printf("  PNG encoding alone: Qt default %.1f ms (%lld KiB), fast %.1f ms (%lld KiB), "
                "uncompressed %.1f ms (%lld KiB)\n",
                defaultMs, defaultBytes / 1024, fastMs, fastBytes / 1024, storedMs,
                storedBytes / 1024);
}

// --- Page turns

const QString bigBoardArgument = u"--big-board"_s;
const QString demoArgument = u"--demo-turns"_s;
constexpr int bigBoardRows = 100000;
constexpr int farPage = 2000;
// The reference screen's height: the board takes a scale of its height over it.
constexpr int referenceLines = 1080;

// The floor's model: texts, and nothing else.
class TextTable : public QAbstractTableModel {
public:
    TextTable(std::vector<QStringList> rows, int columns)
        : m_rows(std::move(rows)), m_columns(columns) {}
    int rowCount(const QModelIndex& parent) const override {
        return parent.isValid() ? 0 : int(m_rows.size());
    }
    int columnCount(const QModelIndex& parent) const override {
        return parent.isValid() ? 0 : m_columns;
    }
    QVariant data(const QModelIndex& index, int role) const override {
        if (role != Qt::DisplayRole)
            return {};
        return m_rows[size_t(index.row())].value(index.column());
    }

private:
    std::vector<QStringList> m_rows;
    int m_columns;
};

// One grid's floor: the texts the grid shows, in a bare QTableView where
// the grid's rows are, its columns as wide, its rows as high, in the font
// of its cells. The texts come round a few times, so that each turn scrolls
// a whole page, as each of the board's turns brings a whole new page.
class BareGrid {
public:
    BareGrid(const assi::Grid& grid, QWidget& window) {
        const auto* rows = grid.findChild<assi::GridTreeView*>(u"rows"_s);
        const QList<QModelIndex> shown = rows->displayedIndexes();
        const int columns = rows->model()->columnCount();
        std::vector<QStringList> texts;
        for (int round = 0; round < textRounds; ++round) {
            for (const QModelIndex& index : shown) {
                QStringList line;
                for (int column = 0; column < columns; ++column)
                    line << rows->gridDelegate()->cellText(index.siblingAtColumn(column));
                texts.push_back(line);
            }
        }
        m_rowCount = int(texts.size());
        m_model = std::make_unique<TextTable>(std::move(texts), columns);
        m_view = new QTableView(&window);
        m_view->setModel(m_model.get());
        m_view->verticalHeader()->hide();
        m_view->verticalHeader()->setMinimumSectionSize(1);
        m_view->verticalHeader()->setDefaultSectionSize(rows->gridDelegate()->rowHeight());
        m_view->horizontalHeader()->setFixedHeight(rows->header()->height());
        for (int column = 0; column < columns; ++column) {
            m_view->setColumnWidth(column, rows->header()->sectionSize(column));
            m_view->setColumnHidden(column, rows->header()->isSectionHidden(column));
        }
        if (shown.size() > 1)
            m_view->setFont(rows->gridDelegate()->cellLook(shown.at(1)).font);
        m_view->setGeometry(QRect(rows->mapTo(grid.window(), QPoint()), rows->size()));
        m_rowHeight = std::max(1, rows->gridDelegate()->rowHeight());
    }
    // A whole page down, back to the top after the last whole page.
    void turn() {
        const int rowsPerPage = std::max(1, m_view->viewport()->height() / m_rowHeight);
        m_top += rowsPerPage;
        if (m_top + rowsPerPage > m_rowCount)
            m_top = 0;
        m_view->verticalScrollBar()->setValue(m_top);
    }

private:
    static constexpr int textRounds = 4;
    std::unique_ptr<TextTable> m_model;
    QTableView* m_view;
    int m_rowHeight = 1;
    int m_rowCount = 0;
    int m_top = 0;
};

QList<assi::Grid*> gridsOf(const assi::Assi& window) {
    return {window.Grelha_1(), window.Grelha_11(), window.Grelha_2()};
}

// What a turn leaves waiting is painted now, as the event loop would.
void paintNow() {
    QCoreApplication::sendPostedEvents();
}

// Counts the paint events of the widgets it watches: what a turn repaints.
class PaintCounter : public QObject {
public:
    void watch(QWidget* root) {
        root->installEventFilter(this);
        for (QWidget* child : root->findChildren<QWidget*>())
            child->installEventFilter(this);
    }
    int take() { return std::exchange(m_paints, 0); }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Paint)
            ++m_paints;
        return QObject::eventFilter(watched, event);
    }

private:
    int m_paints = 0;
};

struct TurnTimes {
    std::vector<double> wall, cpu;
    void time(const std::function<void()>& turn) {
        QElapsedTimer timer;
        timer.start();
        const double cpuBefore = cpuMs(CLOCK_THREAD_CPUTIME_ID);
        turn();
        paintNow();
        cpu.push_back(cpuMs(CLOCK_THREAD_CPUTIME_ID) - cpuBefore);
        wall.push_back(msSince(timer));
    }
};

std::vector<double> ratios(const std::vector<double>& over, const std::vector<double>& under) {
    std::vector<double> each;
    for (size_t i = 0; i < over.size() && i < under.size(); ++i)
        each.push_back(over[i] / under[i]);
    return each;
}

void printPair(const char* what, const char* overName, const TurnTimes& over, const char* underName,
               const TurnTimes& under) {
    std::printf("  %s: %s %.2f ms wall, %.2f ms CPU; %s %.2f ms wall, %.2f ms CPU;"
                " %.2f x wall, %.2f x CPU\n",
                what, overName, median(over.wall), median(over.cpu), underName, median(under.wall),
                median(under.cpu), median(ratios(over.wall, under.wall)),
                median(ratios(over.cpu, under.cpu)));
}

// The window on `folder`'s board, `size` device pixels large, after its first refresh.
std::unique_ptr<assi::Assi> openBoard(assi::BoardFeed& feed, const QString& settingsFile,
                                      const QSize& size) {
    auto window = std::make_unique<assi::Assi>(&feed, settingsFile, benchToday);
    window->resize(size / window->devicePixelRatioF());
    window->setScreenSize(size / window->devicePixelRatioF());
    window->show();
    QEventLoop loop;
    bool ok = false;
    QObject::connect(window.get(), &assi::Assi::refreshFinished, &loop, [&](bool succeeded) {
        ok = succeeded;
        loop.quit();
    });
    window->Form_Load();
    loop.exec();
    if (!ok) {
        std::fprintf(stderr, "refresh failed: %s\n", qPrintable(window->lastError()));
        std::exit(1);
    }
    QCoreApplication::processEvents();
    return window;
}

int runDemoTurns(const QSize& size, int turns) {
    QTemporaryDir base;
    const assi::DemoFiles demo = assi::writeDemo(base.path(), benchToday);
    assi::ThreadedBoardFeed feed(
        [&] { return std::make_unique<assi::BoardLoader>(base.path(), QString()); });
    const std::unique_ptr<assi::Assi> window = openBoard(feed, demo.settingsFile, size);

    QWidget floorWindow;
    floorWindow.resize(window->size());
    std::vector<std::unique_ptr<BareGrid>> floor;
    for (const assi::Grid* grid : gridsOf(*window))
        floor.push_back(std::make_unique<BareGrid>(*grid, floorWindow));
    floorWindow.show();
    // Shown offscreen, a window paints once the platform says it is exposed.
    while (!floorWindow.windowHandle()->isExposed())
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
    QCoreApplication::processEvents();

    PaintCounter boardPaints, barePaints;
    boardPaints.watch(window.get());
    barePaints.watch(&floorWindow);
    TurnTimes board, bare;
    for (int turn = 0; turn < turns; ++turn) {
        board.time([&] {
            for (assi::Grid* grid : gridsOf(*window))
                grid->showNextPage();
        });
        bare.time([&] {
            for (const auto& table : floor)
                table->turn();
        });
    }
    std::printf("page turn, demo at %dx%d (scale %g), %d turns, medians:\n", size.width(),
                size.height(), window->devicePixelRatioF(), turns);
    std::printf("  widgets painted per turn: board %.1f, bare %.1f\n",
                double(boardPaints.take()) / turns, double(barePaints.take()) / turns);
    printPair("three grids", "board", board, "bare QTableView", bare);
    std::fflush(stdout);
    return 0;
}

int runBigBoardTurns(int turns) {
    QTemporaryDir base;
    const assi::DemoFiles demo = assi::writeDemo(base.path(), benchToday);
    assi::bench::addBenchRows(demo.databaseFile, bigBoardRows, benchToday);
    assi::ThreadedBoardFeed feed(
        [&] { return std::make_unique<assi::BoardLoader>(base.path(), QString()); });
    const QSize size(1920, 1080);
    const std::unique_ptr<assi::Assi> window = openBoard(feed, demo.settingsFile, size);

    // Each grid turns from the page before to page 2, or to page 2,000 (the
    // page before its last, a whole one, when it has fewer).
    const auto turnTo = [&](bool far, int step) {
        for (assi::Grid* grid : gridsOf(*window)) {
            const int lastWhole = std::max(0, grid->pageCount() - 2);
            grid->setCurrentPage(std::max(0, std::min(far ? farPage - 1 : 1, lastWhole) + step));
        }
    };
    TurnTimes nearTurns, farTurns;
    for (int turn = 0; turn < turns; ++turn) {
        turnTo(false, -1);
        paintNow();
        nearTurns.time([&] { turnTo(false, 0); });
        turnTo(true, -1);
        paintNow();
        farTurns.time([&] { turnTo(true, 0); });
    }
    std::printf("page turn, %d requests + %d orders at %dx%d, %d turns, medians:\n", bigBoardRows,
                bigBoardRows, size.width(), size.height(), turns);
    for (const assi::Grid* grid : gridsOf(*window))
        std::printf("  %s: %d pages\n", qPrintable(grid->objectName()), grid->pageCount());
    printPair("three grids", "page 2,000", farTurns, "page 2", nearTurns);
    std::fflush(stdout);
    return 0;
}

// Runs this program again for one part, alone in its process.
bool runChild(const QStringList& arguments) {
    QProcess child;
    child.setProcessChannelMode(QProcess::ForwardedChannels);
    child.start(QCoreApplication::applicationFilePath(), arguments);
    child.waitForFinished(-1);
    return child.exitStatus() == QProcess::NormalExit && child.exitCode() == 0;
}

} // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    // A child's part comes as: --demo-turns WIDTHxHEIGHT TURNS, or --big-board TURNS.
    const QString part = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QString();
    QSize demoSize;
    if (part == demoArgument && argc > 3) {
        const QStringList wh = QString::fromLocal8Bit(argv[2]).split(u'x');
        demoSize = QSize(wh.value(0).toInt(), wh.value(1).toInt());
        assi::applyBoardScale(std::max(1.0, double(demoSize.height()) / referenceLines));
    }
    QApplication app(argc, argv);
    if (demoSize.isValid())
        return runDemoTurns(demoSize, std::max(1, atoi(argv[3])));
    if (part == bigBoardArgument && argc > 2)
        return runBigBoardTurns(std::max(1, atoi(argv[2])));

    const QStringList arguments = app.arguments().mid(1);
    int turns = 20;
    for (const QString& argument : arguments) {
        if (const int number = argument.toInt(); number > 0)
            turns = number;
    }
    const QString turnsText = QString::number(turns);
    for (const QString& size : {u"1920x1080"_s, u"3840x2160"_s}) {
        if (!runChild({demoArgument, size, turnsText}))
            return 1;
    }
    if (!runChild({bigBoardArgument, turnsText}))
        return 1;
    if (arguments.contains(u"--page-turns"_s))
        return 0;
    for (const QSize size : {QSize(1920, 1080), QSize(3840, 2160)})
        runSize(size, turns);
    return 0;
}
