// What those who cannot see the wall are told: the service manager's status
// line on a socket of the test's own, and the state files an administrator reads.
#include "app/ShownBoardReports.h"

#include "BoardFixture.h"
#include "app/BoardDump.h"
#include "app/BoardStateFiles.h"
#include "common/NotifySocket.h"
#include "wall/SystemdNotifier.h"

#include <QDeadlineTimer>
#include <QFile>
#include <QImage>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QSignalSpy>
#include <QTest>
#include <QThread>
#include <atomic>
#include <gtest/gtest.h>

using namespace assi;
using namespace assi::test;
using namespace Qt::StringLiterals;

namespace {

constexpr int PatienceMs = 10000;
constexpr int QuietMs = 200;
// Far more than a grid shows at once: the request grids turn pages.
constexpr int ManyRequests = 80;

BoardData manyRequests() {
    BoardData data = goodData(u"x"_s);
    QStringList clients;
    for (int i = 0; i < ManyRequests; ++i)
        clients << u"Cliente %1"_s.arg(i);
    data.first = requests(clients);
    return data;
}

BoardData noConnection() {
    BoardData data;
    data.requestsError = u"Não foi possível ligar à base de dados: o servidor não responde"_s;
    return data;
}

// A board told to report, as the program runs one under systemd.
struct ReportedBoard {
    ReportedBoard() : notifier(serviceEnvironment(socket)), files(runtime.path() + u"/assi"_s) {
        board.window.show();
        reports = std::make_unique<ShownBoardReports>(board.window, &notifier, &files);
    }
    ~ReportedBoard() { qunsetenv("NOTIFY_SOCKET"); }

    static QObject* serviceEnvironment(const NotifySocket& socket) {
        qputenv("NOTIFY_SOCKET", socket.path());
        qunsetenv("WATCHDOG_USEC");
        return nullptr;
    }

    // The status lines sent within a few turns of the event loop.
    QList<QByteArray> statusLines(int waitMs = 300) {
        QList<QByteArray> lines;
        const QDeadlineTimer deadline(waitMs);
        while (!deadline.hasExpired()) {
            QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
            for (const QByteArray& message : socket.take())
                if (message.startsWith("STATUS="))
                    lines << message.mid(int(qstrlen("STATUS=")));
        }
        return lines;
    }

    Board board;
    NotifySocket socket;
    SystemdNotifier notifier;
    TempDir runtime;
    BoardStateFiles files;
    std::unique_ptr<ShownBoardReports> reports;
};

QJsonObject readJson(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return QJsonDocument::fromJson(file.readAll()).object();
}

int shownPage(const QJsonObject& state, const QString& grid) {
    return state[u"pages"_s].toObject()[grid].toObject()[u"current"_s].toInt();
}

} // namespace

// `systemctl status` says what the wall says, a line at each change and never twice.
TEST(ShownBoardReports, TheServiceStatusFollowsTheWall) {
    ReportedBoard r;
    ASSERT_TRUE(r.socket.isBound());
    Board& b = r.board;
    b.window.Form_Load();
    r.statusLines();

    struct Step {
        const char* name;
        std::function<void()> act;
        QString expected; // a prefix of the one line sent; empty: none
    };
    const Step steps[] = {
        {"a refresh", [&] { b.feed.deliver(manyRequests()); },
         u"Atualizado às 09:00 · 81 pedidos · 1 ordem · página 1/"_s},
        {"a tick that changes nothing", [&] { b.window.Relogio_Timer(); }, {}},
        {"a page turn", [&] { b.window.Grelha_1()->showNextPage(); },
         u"Atualizado às 09:00 · 81 pedidos · 1 ordem · página 2/"_s},
        {"a failure, over the data still shown",
         [&] {
             b.now = b.now.addSecs(5 * 60);
             b.window.RefreshBoard();
             b.feed.deliver(noConnection());
         },
         u"Sem ligação à base de dados desde as 09:05 · nova tentativa às 09:06 · 81 pedidos"_s},
        {"the same failure again, a minute on",
         [&] {
             b.now = b.now.addSecs(60);
             b.window.Relogio_Timer();
             b.feed.deliver(noConnection());
         },
         u"Sem ligação à base de dados desde as 09:05 · nova tentativa às 09:07"_s},
    };
    for (const Step& step : steps) {
        SCOPED_TRACE(step.name);
        step.act();
        const QList<QByteArray> lines = r.statusLines();
        if (step.expected.isEmpty()) {
            EXPECT_TRUE(lines.isEmpty()) << lines.value(0).toStdString();
            continue;
        }
        ASSERT_EQ(lines.size(), 1) << lines.join(" | ").toStdString();
        const QString line = QString::fromUtf8(lines.first());
        EXPECT_TRUE(line.startsWith(step.expected)) << line.toStdString();
        EXPECT_EQ(line, r.reports->statusLine());
    }
}

// A board that cannot start, or is closed, says that and nothing of grids.
TEST(ShownBoardReports, AClosedOrUnstartedBoardSaysWhyAlone) {
    struct Case {
        const char* name;
        QByteArray settings;
        QString expected;
    };
    QByteArray closed = validSettings;
    closed.replace("[Geral]\n", "[Geral]\nHoraAbertura=20:00\nHoraFecho=21:00\n");
    const Case cases[] = {
        {"closed", closed, u"Fora do horário de funcionamento"_s},
        {"without a refresh period",
         withSetting(validSettings, u"Geral"_s, u"QuantosMinutos"_s, {}),
         u"O quadro não pode arrancar: "_s},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ReportedBoard r;
        r.board.dir.write(u"zelvio/OTK.zlv"_s, c.settings);
        r.board.window.start();
        const QList<QByteArray> lines = r.statusLines();
        ASSERT_FALSE(lines.isEmpty());
        const QString line = QString::fromUtf8(lines.last());
        EXPECT_TRUE(line.startsWith(c.expected)) << line.toStdString();
        EXPECT_FALSE(line.contains(u"pedidos"_s)) << line.toStdString();
    }
}

// The state and the frame are replaced whole at each refresh and page turn:
// a reader polling all along never finds half a file, and the last pair
// written is the board as it was last.
TEST(ShownBoardReports, TheStateFilesAreReplacedWholeAtEachRefreshAndPageTurn) {
    ReportedBoard r;
    Board& b = r.board;
    std::atomic<bool> reading = true;
    std::atomic<int> reads = 0;
    std::atomic<int> halfFiles = 0;
    std::unique_ptr<QThread> reader(QThread::create([&] {
        while (reading) {
            QFile file(r.files.statePath());
            if (!file.open(QIODevice::ReadOnly))
                continue;
            QJsonParseError error{};
            QJsonDocument::fromJson(file.readAll(), &error);
            ++reads;
            if (error.error != QJsonParseError::NoError)
                ++halfFiles;
        }
    }));
    reader->start();

    QSignalSpy written(&r.files, &BoardStateFiles::written);
    // Until the last pair asked for is written: a layout after a report may
    // ask for one more.
    const auto settle = [&] {
        if (!QTest::qWaitFor([&] { return !written.isEmpty() && !r.files.isWriting(); },
                             PatienceMs))
            return false;
        for (qsizetype seen = -1; seen != written.size() || r.files.isWriting();) {
            seen = written.size();
            QTest::qWait(QuietMs);
        }
        return written.last().first().toBool();
    };
    b.window.Form_Load();
    b.feed.deliver(manyRequests());
    ASSERT_TRUE(settle());
    QJsonObject state = readJson(r.files.statePath());
    EXPECT_EQ(state[u"pid"_s].toInteger(), QCoreApplication::applicationPid());
    EXPECT_EQ(state[u"statusLine"_s].toString(), r.reports->statusLine());
    EXPECT_EQ(state[u"frame"_s].toString(), r.files.framePath());
    EXPECT_TRUE(state[u"lastRefresh"_s].toObject()[u"succeeded"_s].toBool());
    EXPECT_EQ(shownPage(state, u"Grelha_1"_s), 1);
    // The dump's keys are all there as --dump prints them.
    EXPECT_EQ(state[u"grids"_s].toObject()[u"Grelha_1"_s].toObject()[u"rows"_s].toArray().size(),
              ManyRequests);
    EXPECT_EQ(QImage(r.files.framePath()).size(), b.window.size());

    const int pages = b.window.Grelha_1()->pageCount();
    ASSERT_GT(pages, 2);
    written.clear();
    b.window.Grelha_1()->showNextPage();
    ASSERT_TRUE(settle());
    EXPECT_EQ(shownPage(readJson(r.files.statePath()), u"Grelha_1"_s), 2);

    // Turns faster than frames are written: the ones in between are dropped,
    // the last is written.
    for (int turn = 0; turn < 3 * pages; ++turn) {
        b.window.Grelha_1()->showNextPage();
        QCoreApplication::processEvents();
    }
    ASSERT_TRUE(settle());
    EXPECT_EQ(shownPage(readJson(r.files.statePath()), u"Grelha_1"_s),
              b.window.Grelha_1()->currentPage() + 1);

    reading = false;
    reader->wait();
    EXPECT_GT(reads, 0);
    EXPECT_EQ(halfFiles, 0);
    QFileInfo folder(r.files.folder());
    EXPECT_EQ(folder.permissions() & (QFile::ReadGroup | QFile::ReadOther), 0);
}

// The state file is written at every page turn: a big board's rows are cut
// there, and said to be; --dump keeps them all.
TEST(ShownBoardReports, AStateCutsABigGridsRowsAndSaysHowMany) {
    Board b;
    b.window.Form_Load();
    b.feed.deliver(manyRequests());
    const struct {
        int rowsPerGrid;
        qsizetype rows;
        QJsonValue leftOut;
    } cases[] = {
        {5, 5, ManyRequests - 5},
        {ManyRequests, ManyRequests, QJsonValue::Undefined},
        {std::numeric_limits<int>::max(), ManyRequests, QJsonValue::Undefined},
    };
    for (const auto& c : cases) {
        const QJsonObject grid =
            dumpBoard(b.window, c.rowsPerGrid)[u"grids"_s].toObject()[u"Grelha_1"_s].toObject();
        EXPECT_EQ(grid[u"rows"_s].toArray().size(), c.rows) << c.rowsPerGrid;
        EXPECT_EQ(grid[u"rowsLeftOut"_s], c.leftOut) << c.rowsPerGrid;
    }
}
