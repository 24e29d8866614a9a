#include "BoardFixture.h"
#include "wall/BoardSchedule.h"
#include "wall/ClosedScreen.h"
#include "wall/PointerHider.h"
#include "wall/ScreenAwake.h"
#include "wall/SettingsWatcher.h"

#include <QCursor>
#include <QGuiApplication>
#include <QSignalSpy>
#include <QTest>
#include <gtest/gtest.h>

using namespace assi;
using namespace assi::test;
using namespace Qt::StringLiterals;

namespace {

// Says whether it is held, and how often it was asked to let go.
class RecordingAwake : public ScreenAwake {
public:
    explicit RecordingAwake(bool* holding) : m_holding(holding) {}
    Mechanism mechanism() const override { return Mechanism::DBus; }
    void hold() override { *m_holding = true; }
    void release() override { *m_holding = false; }
    bool isHolding() const override { return *m_holding; }

private:
    bool* m_holding;
};

QByteArray settingsWithHours(const QByteArray& hours) {
    QByteArray text = validSettings;
    text.replace("[Geral]\n", "[Geral]\n" + hours);
    return text;
}

bool closedScreenShown(const Assi& window) {
    const auto* closed = window.findChild<ClosedScreen*>();
    return closed && closed->isVisibleTo(&const_cast<Assi&>(window));
}

} // namespace

// A working week's day on the wall: dark and quiet before opening, refreshed
// the minute it opens, dark again at closing, and left dark on a day off.
TEST(Kiosk, TheBoardRunsAndHoldsTheScreenOnlyWithinItsHours) {
    Board b(settingsWithHours("HoraAbertura=08:00\nHoraFecho=19:00\nDiasAbertura=seg-sex\n"));
    bool holding = false;
    b.window.keepScreenAwake(std::make_unique<RecordingAwake>(&holding));
    b.window.show();
    b.now = QDateTime(QDate(2026, 12, 7), QTime(7, 58)); // a Monday
    b.window.Form_Load();

    struct Step {
        QDate day;
        QTime time;
        bool open;
        int loads; // refreshes asked of the database so far
    };
    const Step steps[] = {
        {QDate(2026, 12, 7), QTime(7, 59), false, 0}, {QDate(2026, 12, 7), QTime(8, 0), true, 1},
        {QDate(2026, 12, 7), QTime(8, 1), true, 1},   {QDate(2026, 12, 7), QTime(18, 59), true, 1},
        {QDate(2026, 12, 7), QTime(19, 0), false, 1}, {QDate(2026, 12, 8), QTime(0, 0), false, 1},
        {QDate(2026, 12, 8), QTime(8, 0), true, 2},   {QDate(2026, 12, 12), QTime(10, 0), false, 2},
    };
    EXPECT_EQ(b.feed.loads, 0);
    EXPECT_TRUE(closedScreenShown(b.window));
    EXPECT_FALSE(holding);
    EXPECT_EQ(b.window.statusText(), u"Fora do horário de funcionamento"_s);
    for (const Step& step : steps) {
        SCOPED_TRACE(QDateTime(step.day, step.time).toString().toStdString());
        b.now = QDateTime(step.day, step.time);
        b.window.Relogio_Timer();
        if (b.feed.busy)
            b.feed.deliver(goodData(u"x"_s));
        EXPECT_EQ(b.window.schedule().isOpen(), step.open);
        EXPECT_EQ(closedScreenShown(b.window), !step.open);
        EXPECT_EQ(holding, step.open);
        EXPECT_EQ(b.feed.loads, step.loads);
    }
    // Hidden (closed with Esc), the board gives the screen back.
    b.now = QDateTime(QDate(2026, 12, 14), QTime(9, 0));
    b.window.Relogio_Timer();
    EXPECT_TRUE(holding);
    b.window.hide();
    EXPECT_FALSE(holding);
}

// A wall that goes dark by mistake is worse than one left on.
TEST(Kiosk, HoursThatDoNotReadLeaveTheBoardOpenAndSaySo) {
    struct Case {
        QByteArray line;
        QString said;
    };
    const Case cases[] = {
        {"HoraAbertura=8h\n", u"[Geral] HoraAbertura: \"8h\""_s},
        {"HoraFecho=25:00\n", u"[Geral] HoraFecho: \"25:00\""_s},
        {"DiasAbertura=seg-sexta\n", u"[Geral] DiasAbertura: \"seg-sexta\""_s},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.line.toStdString());
        // Closed at the board's 09:00 but for the wrong value, which comes
        // first and so is the one read.
        Board b(settingsWithHours(c.line + "HoraAbertura=22:00\nHoraFecho=23:00\n"));
        b.window.Form_Load();
        EXPECT_EQ(b.feed.loads, 1);
        EXPECT_TRUE(b.window.schedule().isOpen());
        EXPECT_TRUE(b.window.statusText().contains(c.said)) << b.window.statusText().toStdString();
    }
}

// The dimmed clock must not burn one spot all night, nor jump within a minute.
TEST(Kiosk, TheClosedScreensClockMovesEveryMinuteAndOnlyThen) {
    QWidget board;
    board.resize(1920, 1080);
    ClosedScreen closed(&board);
    const QDateTime start(QDate(2026, 12, 7), QTime(22, 0));
    closed.showAt(start);
    const QPoint first = closed.clock()->pos();
    closed.showAt(start.addSecs(30));
    EXPECT_EQ(closed.clock()->pos(), first);
    QSet<std::pair<int, int>> places;
    for (int minute = 0; minute < 10; ++minute) {
        closed.showAt(start.addSecs(60 * minute));
        const QRect clock = closed.clock()->geometry();
        EXPECT_TRUE(board.rect().contains(clock));
        EXPECT_EQ(closed.clock()->text(), start.addSecs(60 * minute).toString(u"HH:mm"_s));
        places.insert({clock.x(), clock.y()});
    }
    EXPECT_GE(places.size(), 9);
}

// However an editor saves, the board hears of it once, a quiet moment after.
TEST(Kiosk, SettingsEditsAreNoticedHoweverTheFileIsSaved) {
    struct Case {
        const char* name;
        std::function<void(const TempDir&, const QString&)> edit;
        bool noticed;
    };
    const Case cases[] = {
        {"written in place",
         [](const TempDir& dir, const QString&) { dir.write(u"OTK.zlv"_s, "[Geral]\nA=2\n"); },
         true},
        {"replaced by a rename",
         [](const TempDir& dir, const QString& path) {
             const QString fresh = dir.write(u"OTK.zlv.new"_s, "[Geral]\nA=3\n");
             ASSERT_EQ(::rename(QFile::encodeName(fresh), QFile::encodeName(path)), 0);
         },
         true},
        {"removed", [](const TempDir&, const QString& path) { QFile::remove(path); }, true},
        {"another file in the folder",
         [](const TempDir& dir, const QString&) { dir.write(u"assi-demo.sqlite-journal"_s, "x"); },
         false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TempDir dir;
        const QString path = dir.write(u"OTK.zlv"_s, "[Geral]\nA=1\n");
        // Long enough that a busy machine's late notifications of one save
        // still fall within one quiet time.
        constexpr int quietMilliseconds = 300;
        SettingsWatcher watcher(quietMilliseconds);
        watcher.watch(path);
        QSignalSpy settled(&watcher, &SettingsWatcher::settled);
        c.edit(dir, path);
        if (c.noticed) {
            ASSERT_TRUE(settled.wait(5000));
            QTest::qWait(2 * quietMilliseconds);
            EXPECT_EQ(settled.count(), 1);
            // Still watched after the file was replaced: the next edit counts too.
            dir.write(u"OTK.zlv"_s, "[Geral]\nA=4\n");
            EXPECT_TRUE(settled.wait(5000));
        } else {
            QTest::qWait(2 * quietMilliseconds);
            EXPECT_EQ(settled.count(), 0);
        }
    }
}

// An edit takes effect without waiting for the next tick; a file that cannot
// be read is said on the footer and the board keeps what it had.
TEST(Kiosk, AnEditedSettingsFileTakesEffectAtOnce) {
    Board b;
    b.window.Form_Load();
    b.feed.deliver(goodData(u"x"_s));
    ASSERT_EQ(b.feed.loads, 1);

    QByteArray edited = validSettings;
    edited.replace("Titulo=Pedidos de assistência pendentes", "Titulo=Pedidos em espera");
    const QString fresh = b.dir.write(u"zelvio/OTK.zlv.tmp"_s, edited);
    ASSERT_EQ(::rename(QFile::encodeName(fresh), QFile::encodeName(b.path)), 0);
    EXPECT_TRUE(QTest::qWaitFor(
        [&] { return b.window.Grelha_1()->caption() == u"Pedidos em espera"_s; }, 5000));

    // Something pasted into it by mistake: far too big to be settings.
    b.dir.write(u"zelvio/OTK.zlv"_s, edited + QByteArray(2 << 20, ';'));
    EXPECT_TRUE(QTest::qWaitFor([&] { return footerLooksRed(b.window); }, 5000));
    EXPECT_TRUE(b.window.statusText().contains(QDir::toNativeSeparators(b.path)))
        << b.window.statusText().toStdString();
    EXPECT_EQ(b.window.Grelha_1()->caption(), u"Pedidos em espera"_s);
    EXPECT_EQ(b.feed.loads, 1);
}

TEST(Kiosk, ThePointerHidesWhenStillAndShowsWhenTheMouseMoves) {
    QWidget board;
    board.resize(400, 300);
    board.show();
    const auto pointerHidden = [] {
        const QCursor* cursor = QGuiApplication::overrideCursor();
        return cursor && cursor->shape() == Qt::BlankCursor;
    };
    {
        PointerHider hider(100);
        EXPECT_TRUE(pointerHidden());
        // Two moves: the first may land where the pointer already is.
        QTest::mouseMove(&board, QPoint(20, 20));
        QTest::mouseMove(&board, QPoint(50, 50));
        EXPECT_FALSE(hider.isHidden());
        EXPECT_FALSE(pointerHidden());
        EXPECT_TRUE(QTest::qWaitFor(pointerHidden, 5000));
        // Qt's own move under a still pointer (a page turning) shows nothing.
        QTest::mouseMove(&board, QPoint(50, 50));
        EXPECT_TRUE(pointerHidden());
    }
    EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);
}
