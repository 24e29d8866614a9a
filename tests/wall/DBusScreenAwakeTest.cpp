// The desktop's screen saver service on a private bus, through stand-ins that
// answer, refuse, hang, end and come back.
#include "wall/DBusScreenAwake.h"

#include "FakeScreenSaver.h"
#include "PrivateBus.h"

#include <QElapsedTimer>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

using namespace assi;
using namespace assi::test;
using namespace Qt::StringLiterals;

namespace {

const QString Reason = u"assi: Quadro da assistência em horário de funcionamento"_s;

// Long enough for any answer on a private bus, short for a test.
constexpr int PatienceMs = 5000;

} // namespace

TEST(DBusScreenAwake, TheServiceIsAskedToInhibitAndToLetGo) {
    PrivateBus bus;
    if (!bus.ok())
        GTEST_SKIP() << "dbus-daemon is not installed";
    FakeScreenSaver saver;
    ASSERT_TRUE(saver.serveOn(bus.connect(u"service"_s)));
    {
        DBusScreenAwake awake(bus.connect(u"board"_s));
        EXPECT_EQ(mechanismName(awake.mechanism()), u"dbus"_s);
        awake.hold();
        awake.hold();
        ASSERT_TRUE(QTest::qWaitFor([&] { return awake.isHolding(); }, PatienceMs));
        EXPECT_TRUE(QTest::qWaitFor([&] { return saver.activity == 1; }, PatienceMs))
            << "a screen already dark is not woken";
        awake.release();
        EXPECT_FALSE(awake.isHolding());
        awake.hold(); // and released when the board closes
        ASSERT_TRUE(QTest::qWaitFor([&] { return awake.isHolding(); }, PatienceMs));
    }
    ASSERT_TRUE(QTest::qWaitFor([&] { return saver.held.size() == 4; }, PatienceMs))
        << saver.held.size();
    EXPECT_EQ(saver.held, (QStringList{Reason, u"released 42"_s, Reason, u"released 43"_s}));
}

// A service that takes the request and never answers must not stop the
// board: hold() returns at once, the event loop goes on turning, and the
// screen is not taken for held.
TEST(DBusScreenAwake, AHungServiceNeverStopsTheEventLoop) {
    PrivateBus bus;
    if (!bus.ok())
        GTEST_SKIP() << "dbus-daemon is not installed";
    FakeScreenSaver saver(42, FakeScreenSaver::Manner::Hangs);
    ASSERT_TRUE(saver.serveOn(bus.connect(u"service"_s)));

    int turns = 0;
    QTimer tick;
    QObject::connect(&tick, &QTimer::timeout, &tick, [&turns] { ++turns; });
    tick.start(100);
    QElapsedTimer clock;
    clock.start();
    {
        DBusScreenAwake awake(bus.connect(u"board"_s));
        awake.hold();
        EXPECT_LT(clock.elapsed(), 2000) << "hold() waited for the service";
        ASSERT_TRUE(QTest::qWaitFor([&] { return saver.inhibits == 1; }, PatienceMs))
            << saver.inhibits;
        QTest::qWait(1000);
        EXPECT_GE(turns, 5);
        EXPECT_FALSE(awake.isHolding());
        awake.hold(); // the next minute's tick
    }
    // Closing does not wait either.
    EXPECT_LT(clock.elapsed(), 5000);
    EXPECT_EQ(saver.inhibits, 1);
}

// A refusal is asked again later, not at every tick of the board's clock.
TEST(DBusScreenAwake, ARefusalIsNotAskedAgainAtEveryTick) {
    PrivateBus bus;
    if (!bus.ok())
        GTEST_SKIP() << "dbus-daemon is not installed";
    FakeScreenSaver saver(42, FakeScreenSaver::Manner::Refuses);
    ASSERT_TRUE(saver.serveOn(bus.connect(u"service"_s)));
    DBusScreenAwake awake(bus.connect(u"board"_s));
    awake.hold();
    ASSERT_TRUE(QTest::qWaitFor([&] { return awake.hasFailed(); }, PatienceMs));
    for (int tick = 0; tick < 10; ++tick) {
        awake.hold();
        QTest::qWait(50);
    }
    EXPECT_EQ(saver.inhibits, 1);
    EXPECT_FALSE(awake.isHolding());
}

// The hold follows whoever owns the service: a desktop restarted, or one
// that starts after the board, is asked again; a cookie of an owner gone is
// no hold.
TEST(DBusScreenAwake, TheHoldFollowsTheServicesOwner) {
    struct Case {
        const char* name;
        bool firstAtStart; // a service there when the board starts, which then ends
        bool secondComes;  // another one that comes afterwards
    };
    const Case cases[] = {
        {"restarted", true, true},
        {"ended", true, false},
        {"started after the board", false, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        PrivateBus bus;
        if (!bus.ok())
            GTEST_SKIP() << "dbus-daemon is not installed";
        FakeScreenSaver first(42);
        FakeScreenSaver second(91);
        if (c.firstAtStart) {
            ASSERT_TRUE(first.serveOn(bus.connect(u"first"_s)));
        }
        DBusScreenAwake awake(bus.connect(u"board"_s));
        EXPECT_EQ(awake.hasService(), c.firstAtStart);
        awake.hold();
        if (c.firstAtStart) {
            ASSERT_TRUE(QTest::qWaitFor([&] { return awake.isHolding(); }, PatienceMs));
            first.stop();
            ASSERT_TRUE(QTest::qWaitFor([&] { return !awake.hasService(); }, PatienceMs));
        }
        QTest::qWait(100);
        EXPECT_FALSE(awake.isHolding());
        if (!c.secondComes)
            continue;
        ASSERT_TRUE(second.serveOn(bus.connect(u"second"_s)));
        ASSERT_TRUE(QTest::qWaitFor([&] { return awake.isHolding(); }, PatienceMs));
        EXPECT_EQ(second.held, QStringList{Reason});
        EXPECT_TRUE(QTest::qWaitFor([&] { return second.activity == 1; }, PatienceMs));
        awake.release();
        ASSERT_TRUE(QTest::qWaitFor([&] { return second.held.size() == 2; }, PatienceMs))
            << second.held.size();
        EXPECT_EQ(second.held.last(), u"released 91"_s);
    }
}
