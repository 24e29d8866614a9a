// Edits of the settings file while the board runs: taken at once, asking the
// database only for what needs it, and never taken halfway or waited on.
#include "BoardFixture.h"
#include "app/BoardPaging.h"
#include "wall/BoardSchedule.h"
#include "wall/SettingsWatcher.h"

#include <QElapsedTimer>
#include <QTest>
#include <gtest/gtest.h>
#include <semaphore>

using namespace assi;
using namespace assi::test;
using namespace Qt::StringLiterals;

namespace {

// What the watcher says once an edit has settled.
void editSettled(Assi& window) {
    Q_EMIT window.findChild<SettingsWatcher*>()->settled();
}

QByteArray withTitle(const QByteArray& settings, const char* title) {
    return withSetting(settings, u"GrelhaPedidos"_s, u"Titulo"_s, QString::fromUtf8(title));
}

const QString OriginalTitle = u"Pedidos de assistência pendentes"_s;

} // namespace

// A file saved again as it was (a touch, a sync) asks nothing; looks, pages
// and periods apply to the data shown; the database is asked again only for a
// new connection, or when the last refresh failed.
TEST(SettingsEdits, AskTheDatabaseOnlyWhenTheyNeedTo) {
    struct Case {
        const char* name;
        QByteArray edited;
        bool lastRefreshFailed;
        int loads; // after the first one
        QString title;
        int refreshTicks;
    };
    const Case cases[] = {
        {"saved unchanged", validSettings, false, 1, OriginalTitle, 5},
        {"a new title", withTitle(validSettings, "Em espera"), false, 1, u"Em espera"_s, 5},
        {"a new period", settingsWith("QuantosMinutos=7\n"), false, 1, OriginalTitle, 7},
        {"another server", withSetting(validSettings, u"BaseDados"_s, u"Servidor"_s, u"outro"_s),
         false, 2, OriginalTitle, 5},
        {"saved unchanged after a failure", validSettings, true, 2, OriginalTitle, 5},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Board b;
        b.window.Form_Load();
        BoardData first = goodData(u"x"_s);
        if (c.lastRefreshFailed)
            first.requestsError = u"A consulta à base de dados falhou"_s;
        b.feed.deliver(first);
        b.dir.write(u"zelvio/OTK.zlv"_s, c.edited);
        editSettled(b.window);
        EXPECT_EQ(b.feed.loads, c.loads);
        EXPECT_EQ(b.window.Grelha_1()->caption(), c.title);
        EXPECT_EQ(b.window.RefreshTicks(), c.refreshTicks);
        if (!c.lastRefreshFailed) {
            EXPECT_EQ(firstValue(b.window.Grelha_1(), u"Cliente"_s), u"x-a"_s);
        }
    }
}

// The whole way round, through the watcher: a touch asks nothing.
TEST(SettingsEdits, ATouchAsksNothing) {
    Board b;
    b.window.Form_Load();
    b.feed.deliver(goodData(u"x"_s));
    QFile file(b.path);
    ASSERT_TRUE(file.open(QIODevice::ReadWrite));
    ASSERT_TRUE(file.setFileTime(QDateTime::currentDateTime().addSecs(5),
                                 QFileDevice::FileModificationTime));
    file.close();
    QTest::qWait(SettingsWatcher::QuietMilliseconds + 1500);
    EXPECT_EQ(b.feed.loads, 1);
}

// A file read while its writer has emptied it (or a sync has taken it away)
// would open a closed board at night with no titles and no pages: it is not
// applied, and the file is read again a second later.
TEST(SettingsEdits, AFileCaughtHalfwayIsNotApplied) {
    QByteArray night = validSettings;
    night.replace("[Geral]\n", "[Geral]\nHoraAbertura=08:00\nHoraFecho=18:00\n");
    struct Case {
        const char* name;
        std::function<void(const Board&)> halfway;
        QString said; // on the footer once it has lasted
    };
    const Case cases[] = {
        {"emptied", [](const Board& b) { b.dir.write(u"zelvio/OTK.zlv"_s, {}); },
         u"OTK.zlv vazio"_s},
        {"without its period",
         [&night](const Board& b) {
             b.dir.write(u"zelvio/OTK.zlv"_s,
                         withSetting(night, u"Geral"_s, u"QuantosMinutos"_s, QString()));
         },
         u"OTK.zlv sem QuantosMinutos"_s},
        {"taken away", [](const Board& b) { QFile::remove(b.path); }, u"OTK.zlv não existe"_s},
    };
    for (const bool open : {false, true}) {
        for (const Case& c : cases) {
            SCOPED_TRACE(c.name);
            SCOPED_TRACE(open ? "open" : "closed");
            Board b(night);
            b.now = QDateTime(QDate(2026, 12, 7), open ? QTime(10, 0) : QTime(23, 0));
            qint64 steady = 0;
            b.window.setSteadyClock([&steady] { return steady; });
            b.window.Form_Load();
            if (open)
                b.feed.deliver(goodData(u"x"_s));
            const int loads = b.feed.loads;
            const int secondsPerPage = b.window.paging().secondsPerPage();
            ASSERT_EQ(b.window.schedule().isOpen(), open);

            c.halfway(b);
            editSettled(b.window);
            EXPECT_EQ(b.window.schedule().isOpen(), open);
            EXPECT_EQ(b.feed.loads, loads);
            EXPECT_EQ(b.window.Grelha_1()->caption(), OriginalTitle);
            EXPECT_EQ(b.window.paging().secondsPerPage(), secondsPerPage);
            EXPECT_EQ(b.window.RefreshTicks(), 5);
            EXPECT_FALSE(b.window.statusText().contains(c.said)) << "a writer's pause";

            // Ten seconds of the same is no writer's pause: said in red (a
            // closed board shows nothing but its closed screen).
            steady += 10000;
            editSettled(b.window);
            EXPECT_EQ(b.window.statusText().contains(c.said), open)
                << b.window.statusText().toStdString();
            EXPECT_EQ(footerLooksRed(b.window), open);
            EXPECT_EQ(b.window.schedule().isOpen(), open);

            // The writer finishes: its file is taken.
            QByteArray finished = night;
            finished.replace("QuantosMinutos=5", "QuantosMinutos=9");
            b.dir.write(u"zelvio/OTK.zlv"_s, finished);
            EXPECT_TRUE(QTest::qWaitFor([&] { return b.window.RefreshTicks() == 9; }, 5000));
            EXPECT_EQ(b.window.schedule().isOpen(), open);
            EXPECT_FALSE(b.window.statusText().contains(c.said));
            EXPECT_EQ(b.feed.loads, loads);
        }
    }
}

namespace {

// A settings file behind a share that stops answering until released.
struct HangingShare {
    std::shared_ptr<std::binary_semaphore> gate = std::make_shared<std::binary_semaphore>(0);
    std::function<QString()> locator(const QString& path) const {
        return [gate = gate, path] {
            gate->acquire();
            gate->release();
            return path;
        };
    }
    void answer() const { gate->release(); }
};

} // namespace

// A share that hangs costs a refresh the deadline once, leaves the last
// settings in force and says so in red; once it answers, all is as before.
TEST(SettingsEdits, AFileThatDoesNotAnswerLeavesTheBoardRunning) {
    Board b;
    b.window.Form_Load();
    b.feed.deliver(goodData(u"x"_s));
    HangingShare share;
    b.window.setSettingsLocator(share.locator(b.path));

    QElapsedTimer waited;
    waited.start();
    b.window.RefreshBoard();
    b.feed.deliver(goodData(u"y"_s));
    EXPECT_LT(waited.elapsed(), 8000);
    EXPECT_EQ(firstValue(b.window.Grelha_1(), u"Cliente"_s), u"y-a"_s);
    EXPECT_EQ(b.window.Grelha_1()->caption(), OriginalTitle);
    EXPECT_TRUE(footerStatus(b.window).contains(u"não responde"_s))
        << footerStatus(b.window).toStdString();
    EXPECT_TRUE(footerLooksRed(b.window));

    waited.restart();
    b.window.RefreshBoard();
    b.feed.deliver(goodData(u"z"_s));
    EXPECT_LT(waited.elapsed(), 1000) << "a share still hanging is not waited on again";

    share.answer();
    EXPECT_TRUE(
        QTest::qWaitFor([&] { return !footerStatus(b.window).contains(u"não responde"_s); }, 5000))
        << footerStatus(b.window).toStdString();
}

// At start the window is up and says why, rather than waiting on the share.
TEST(SettingsEdits, AFileThatDoesNotAnswerAtStartIsSaidOnTheWindow) {
    Board b;
    HangingShare share;
    b.window.setSettingsLocator(share.locator(b.path));
    QElapsedTimer waited;
    waited.start();
    b.window.start();
    EXPECT_LT(waited.elapsed(), 8000);
    EXPECT_TRUE(b.window.startupProblem().contains(u"não respondeu"_s))
        << b.window.startupProblem().toStdString();
    share.answer();
    EXPECT_TRUE(QTest::qWaitFor([&] { return b.window.startupProblem().isEmpty(); }, 5000));
    EXPECT_EQ(b.feed.loads, 1);
}
