// The screen held by whatever the session offers: the desktop's service on a
// private bus when it holds, the X server's settings (a stand-in) otherwise.
#include "wall/SessionScreenAwake.h"

#include "FakeScreenSaver.h"
#include "FakeX11Settings.h"
#include "PrivateBus.h"

#include <QTest>
#include <gtest/gtest.h>

using namespace assi;
using namespace assi::test;
using namespace Qt::StringLiterals;

namespace {

constexpr int PatienceMs = 5000;
constexpr int ServerTimeout = 600; // the X server's screen saver timeout, untouched

// Whether `awake` comes to hold the screen by `mechanism` in good time.
bool comesToHoldBy(const ScreenAwake& awake, const char* mechanism) {
    return QTest::qWaitFor(
        [&] {
            return awake.isHolding() &&
                   mechanismName(awake.mechanism()) == QString::fromLatin1(mechanism);
        },
        PatienceMs);
}

} // namespace

// Moving between the two while held: the X settings are given back once the
// desktop's service holds, and taken again when it ends.
TEST(SessionScreenAwake, AServiceThatComesAndGoesTakesOverFromTheXServerAndBack) {
    PrivateBus bus;
    if (!bus.ok())
        GTEST_SKIP() << "dbus-daemon is not installed";
    FakeX11Settings::State x;
    FakeScreenSaver saver;
    SessionScreenAwake awake(bus.connect(u"board"_s), std::make_unique<FakeX11Settings>(&x));
    awake.hold();
    EXPECT_EQ(mechanismName(awake.mechanism()), u"x11"_s);
    EXPECT_TRUE(awake.isHolding());
    EXPECT_EQ(x.saver.timeout, 0);

    ASSERT_TRUE(saver.serveOn(bus.connect(u"service"_s)));
    ASSERT_TRUE(comesToHoldBy(awake, "dbus"));
    EXPECT_EQ(saver.inhibits, 1);
    EXPECT_EQ(x.saver.timeout, ServerTimeout);

    saver.stop();
    ASSERT_TRUE(comesToHoldBy(awake, "x11"));
    EXPECT_EQ(x.saver.timeout, 0);

    awake.release();
    EXPECT_FALSE(awake.isHolding());
    EXPECT_EQ(x.saver.timeout, ServerTimeout);
}

namespace {

// The compositor's inhibitor as a test sees it.
class FakeInhibitor : public ScreenAwake {
public:
    explicit FakeInhibitor(bool* holding) : m_holding(holding) {}
    Mechanism mechanism() const override { return Mechanism::Wayland; }
    void hold() override { *m_holding = true; }
    void release() override { *m_holding = false; }
    bool isHolding() const override { return *m_holding; }

private:
    bool* m_holding;
};

} // namespace

// GNOME on Wayland offers both the service and the inhibitor: both are held,
// and both given back.
TEST(SessionScreenAwake, TheCompositorsInhibitorIsHeldBesideTheService) {
    PrivateBus bus;
    if (!bus.ok())
        GTEST_SKIP() << "dbus-daemon is not installed";
    FakeScreenSaver saver;
    ASSERT_TRUE(saver.serveOn(bus.connect(u"service"_s)));
    bool inhibiting = false;
    SessionScreenAwake awake(bus.connect(u"board"_s), nullptr,
                             std::make_unique<FakeInhibitor>(&inhibiting));
    awake.hold();
    EXPECT_TRUE(inhibiting);
    ASSERT_TRUE(QTest::qWaitFor([&] { return saver.inhibits == 1; }, PatienceMs));
    EXPECT_EQ(mechanismName(awake.mechanism()), u"wayland"_s);

    awake.release();
    EXPECT_FALSE(inhibiting);
    EXPECT_FALSE(awake.isHolding());
    ASSERT_TRUE(QTest::qWaitFor([&] { return saver.held.contains(u"released 42"_s); }, PatienceMs))
        << saver.held.join(u", "_s).toStdString();
}
