#include "ScreenAwake.h"

#include "X11ScreenSettings.h"

#include <QDBusConnection>
#include <QProcess>
#include <QStandardPaths>
#include <gtest/gtest.h>

using namespace assi;
using namespace Qt::StringLiterals;

namespace {

// An X server's settings as a test sets them, with the calls recorded.
class FakeX11Settings : public X11ScreenSettings {
public:
    struct State {
        ScreenSaver saver{600, 600, 1, 1};
        std::optional<bool> dpms = true;
    };
    explicit FakeX11Settings(State* state) : m_state(state) {}
    std::optional<ScreenSaver> screenSaver() override { return m_state->saver; }
    void setScreenSaver(const ScreenSaver& settings) override { m_state->saver = settings; }
    std::optional<bool> dpmsEnabled() override { return m_state->dpms; }
    void setDpmsEnabled(bool enabled) override { m_state->dpms = enabled; }

private:
    State* m_state;
};

} // namespace

// Held, the X server neither blanks nor powers down; released (or closed),
// it is as it was, whatever it was.
TEST(ScreenAwake, X11SettingsAreSwitchedOffWhileHeldAndPutBackAfter) {
    struct Case {
        const char* name;
        FakeX11Settings::State before;
    };
    const Case cases[] = {
        {"blanking and DPMS on", {{600, 600, 1, 1}, true}},
        {"DPMS off already", {{300, 0, 0, 1}, false}},
        {"no DPMS extension", {{120, 60, 1, 0}, std::nullopt}},
        {"nothing on", {{0, 0, 0, 0}, false}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        FakeX11Settings::State state = c.before;
        {
            auto awake = makeX11ScreenAwake(std::make_unique<FakeX11Settings>(&state));
            EXPECT_EQ(awake->mechanism(), ScreenAwake::Mechanism::X11);
            awake->hold();
            awake->hold(); // twice must not take the held state for the original
            EXPECT_TRUE(awake->isHolding());
            EXPECT_EQ(state.saver.timeout, 0);
            EXPECT_EQ(state.dpms, c.before.dpms ? std::optional(false) : c.before.dpms);
            awake->release();
            EXPECT_FALSE(awake->isHolding());
            EXPECT_EQ(state.saver.timeout, c.before.saver.timeout);
            EXPECT_EQ(state.saver.interval, c.before.saver.interval);
            EXPECT_EQ(state.dpms, c.before.dpms);
            awake->hold();
        }
        // Destroyed while held: the board closing gives the screen back.
        EXPECT_EQ(state.saver.timeout, c.before.saver.timeout);
        EXPECT_EQ(state.dpms, c.before.dpms);
    }
}

namespace {

// A stand-in for the desktop's screen saver service.
class FakeScreenSaver : public QObject {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.freedesktop.ScreenSaver")
public:
    QStringList held;
    uint nextCookie = 41;

public Q_SLOTS:
    uint Inhibit(const QString& application, const QString& reason) {
        held << application + u": "_s + reason;
        return ++nextCookie;
    }
    void UnInhibit(uint cookie) { held << u"released %1"_s.arg(cookie); }
};

// A session bus of the test's own, gone with it.
class PrivateBus {
public:
    PrivateBus() {
        const QString daemon = QStandardPaths::findExecutable(u"dbus-daemon"_s);
        if (daemon.isEmpty())
            return;
        m_daemon.start(daemon, {u"--session"_s, u"--nofork"_s, u"--print-address"_s});
        if (!m_daemon.waitForReadyRead(10000))
            return;
        m_address = QString::fromUtf8(m_daemon.readLine()).trimmed();
    }
    ~PrivateBus() {
        QDBusConnection::disconnectFromBus(u"assi-test-bus"_s);
        m_daemon.kill();
        m_daemon.waitForFinished();
    }
    bool ok() const { return !m_address.isEmpty(); }
    QDBusConnection connect() const {
        return QDBusConnection::connectToBus(m_address, u"assi-test-bus"_s);
    }

private:
    QProcess m_daemon;
    QString m_address;
};

} // namespace

TEST(ScreenAwake, DesktopServiceIsAskedToInhibitAndToLetGo) {
    PrivateBus bus;
    if (!bus.ok())
        GTEST_SKIP() << "dbus-daemon is not installed";
    QDBusConnection connection = bus.connect();
    ASSERT_TRUE(connection.isConnected());
    FakeScreenSaver saver;
    ASSERT_TRUE(connection.registerObject(u"/org/freedesktop/ScreenSaver"_s, &saver,
                                          QDBusConnection::ExportAllSlots));
    ASSERT_TRUE(connection.registerService(u"org.freedesktop.ScreenSaver"_s));
    {
        auto awake = makeDBusScreenAwake(connection);
        EXPECT_EQ(mechanismName(awake->mechanism()), u"dbus"_s);
        awake->hold();
        awake->hold();
        EXPECT_TRUE(awake->isHolding());
        awake->release();
        EXPECT_FALSE(awake->isHolding());
        awake->hold(); // and released when the board closes
    }
    EXPECT_EQ(saver.held, (QStringList{u"assi: Quadro da assistência em horário de funcionamento"_s,
                                       u"released 42"_s,
                                       u"assi: Quadro da assistência em horário de funcionamento"_s,
                                       u"released 43"_s}));
}

#include "ScreenAwakeTest.moc"
