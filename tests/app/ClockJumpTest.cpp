// The wall clock set forward or back under a running board: what the footer
// says and how long a click holds the pages go by the time really passed.
#include "BoardFixture.h"
#include "app/BoardPaging.h"

#include <QElapsedTimer>
#include <QTest>
#include <QTreeView>
#include <gtest/gtest.h>

using namespace assi;
using namespace assi::test;
using namespace Qt::StringLiterals;

namespace {

constexpr qint64 hourSecs = 3600;
constexpr qint64 secondMsecs = 1000;
constexpr qint64 minuteMsecs = 60 * secondMsecs;

void clickOn(Grid* grid) {
    QWidget* rows = grid->findChild<QTreeView*>(u"rows"_s)->viewport();
    QTest::mouseClick(rows, Qt::LeftButton, Qt::NoModifier, rows->rect().center());
}

} // namespace

// A refresh every 5 minutes goes stale after 10; a click holds the pages a minute.
TEST(ClockJump, StalenessAndThePagesPauseGoByTheTimeReallyPassed) {
    struct Case {
        const char* name;
        qint64 wallJumpSecs;
        qint64 elapsedMsecs;
        bool stale;
        bool paused;
    };
    const Case cases[] = {
        {"forward an hour, a minute gone", hourSecs, minuteMsecs, false, false},
        {"forward an hour, half a minute gone", hourSecs, minuteMsecs / 2, false, true},
        {"back an hour, a minute gone", -hourSecs, minuteMsecs, false, false},
        {"back an hour, half a minute gone", -hourSecs, minuteMsecs / 2, false, true},
        {"back an hour, eleven minutes gone", -hourSecs, 11 * minuteMsecs, true, false},
        {"no jump, eleven minutes gone", 0, 11 * minuteMsecs, true, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Board b;
        qint64 steady = 0;
        b.window.setSteadyClock([&steady] { return steady; });
        b.window.Form_Load();
        b.feed.deliver(goodData(u"x"_s));
        b.window.show();
        clickOn(b.window.Grelha_1());
        ASSERT_TRUE(b.window.paging().isPaused());

        b.now = b.now.addSecs(c.wallJumpSecs).addMSecs(c.elapsedMsecs);
        steady += c.elapsedMsecs;
        b.window.Relogio_Timer();
        EXPECT_EQ(b.feed.loads, 1) << "no refresh came between";
        EXPECT_EQ(footerLooksRed(b.window), c.stale) << footerStatus(b.window).toStdString();
        EXPECT_EQ(footerStatus(b.window).startsWith(u"Sem atualização desde as 09:00"_s), c.stale)
            << footerStatus(b.window).toStdString();
        EXPECT_EQ(b.window.paging().isPaused(), c.paused);
        // The footer's clock still tells the wall clock's time.
        EXPECT_TRUE(footerClock(b.window).endsWith(b.now.toString(u"HH:mm"_s)))
            << footerClock(b.window).toStdString();
    }
}

// A refresh still running after a second says so then, whatever the wall
// clock does meanwhile: not before, and not a tick later.
TEST(ClockJump, ALongRefreshSaysSoOnTime) {
    const std::pair<const char*, qint64> cases[] = {
        {"the wall clock stands still", 0},
        {"the wall clock set back an hour", -hourSecs},
        {"the wall clock set forward an hour", hourSecs},
    };
    for (const auto& [name, wallJumpSecs] : cases) {
        SCOPED_TRACE(name);
        Board b;
        b.window.Form_Load();
        b.feed.deliver(goodData(u"x"_s));
        QElapsedTimer sinceStart;
        sinceStart.start();
        b.window.RefreshBoard();
        b.now = b.now.addSecs(wallJumpSecs);
        ASSERT_TRUE(QTest::qWaitFor(
            [&] { return footerStatus(b.window).startsWith(u"A atualizar…"_s); }, 3000))
            << footerStatus(b.window).toStdString();
        const qint64 shownAfter = sinceStart.elapsed();
        EXPECT_GE(shownAfter, StatusLine::BusyNoticeMilliseconds);
        // Generous for a busy machine; the next tick would be a minute late.
        EXPECT_LT(shownAfter, 2 * StatusLine::BusyNoticeMilliseconds);
        b.feed.deliver(goodData(u"y"_s));
        EXPECT_EQ(footerStatus(b.window), u"Atualizado às "_s + b.now.toString(u"HH:mm"_s));
    }
}
