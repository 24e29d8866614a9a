// The screen kept awake in office hours: the logic against stand-ins, then
// the program itself against a private session bus and a private X server.
#include "wall/ScreenAwake.h"

#include "common/TempDir.h"
#include "data/DemoSite.h"
#include "wall/X11ScreenSettings.h"

#include <QDBusConnection>
#include <QFile>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTest>
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
    const QString& address() const { return m_address; }
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

namespace {

// An X server of the test's own, gone with it.
class PrivateXServer {
public:
    PrivateXServer() {
        const QString xvfb = QStandardPaths::findExecutable(u"Xvfb"_s);
        if (xvfb.isEmpty() || QStandardPaths::findExecutable(u"xset"_s).isEmpty())
            return;
        // The server picks a free display itself and says which on stdout. It
        // must not reset when its last client leaves: a reset would put the
        // screen saver back by itself, and refuse connections meanwhile.
        m_server.start(xvfb, {u"-displayfd"_s, u"1"_s, u"-nolisten"_s, u"tcp"_s, u"-noreset"_s});
        if (!m_server.waitForStarted() || !m_server.waitForReadyRead(10000))
            return;
        const QString number = QString::fromUtf8(m_server.readLine()).trimmed();
        if (number.isEmpty())
            return;
        m_display = u":"_s + number;
        // Named, it may still be a moment from answering.
        for (int attempt = 0; attempt < 50 && query().isEmpty(); ++attempt)
            QTest::qWait(100);
    }
    ~PrivateXServer() {
        // Terminated, not killed: the server removes its lock and socket.
        m_server.terminate();
        if (!m_server.waitForFinished(5000))
            m_server.kill();
    }
    bool ok() const { return !m_display.isEmpty(); }
    const QString& display() const { return m_display; }

    /// What `xset q` says of the screen saver's timeout, in seconds; -1 when it cannot say.
    int screenSaverTimeout() const {
        static const QRegularExpression timeout(u"timeout:\\s+(\\d+)"_s);
        const QRegularExpressionMatch match = timeout.match(query());
        return match.hasMatch() ? match.captured(1).toInt() : -1;
    }
    void setScreenSaverTimeout(int seconds) const {
        QProcess::execute(u"xset"_s, {u"-display"_s, m_display, u"s"_s, QString::number(seconds),
                                      QString::number(seconds)});
    }

private:
    QString query() const {
        QProcess xset;
        xset.start(u"xset"_s, {u"-display"_s, m_display, u"q"_s});
        if (!xset.waitForFinished(5000) || xset.exitCode() != 0)
            return {};
        return QString::fromUtf8(xset.readAllStandardOutput());
    }

    QProcess m_server;
    QString m_display;
};

// The program run on the demo's data as a site would run it, its dump read;
// `whileRunning` is called as it runs, on the test's own event loop (which
// also answers the program's calls to a stand-in service).
struct KioskRun {
    QJsonObject dump;
    int exitCode = -1;
    QString log;
};
KioskRun runBoard(const QString& baseDir, const QStringList& extra, const QProcessEnvironment& env,
                  const std::function<void()>& whileRunning = {}) {
    QProcess assi;
    assi.setProcessEnvironment(env);
    assi.start(QStringLiteral(ASSI_EXECUTABLE),
               QStringList{u"--base-dir"_s, baseDir, u"--today"_s, u"2026-12-07"_s, u"--dump"_s} +
                   extra);
    KioskRun run;
    if (!assi.waitForStarted(10000))
        return run;
    for (int waited = 0; assi.state() != QProcess::NotRunning && waited < 60000; waited += 50) {
        if (whileRunning)
            whileRunning();
        QTest::qWait(50);
    }
    run.exitCode = assi.exitCode();
    run.dump = QJsonDocument::fromJson(assi.readAllStandardOutput()).object();
    run.log = QString::fromUtf8(assi.readAllStandardError());
    return run;
}

QProcessEnvironment environmentWithout(const QStringList& names) {
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    for (const QString& name : names)
        env.remove(name);
    env.remove(u"QT_QPA_PLATFORM"_s);
    return env;
}

// The demo's files, with extra lines for [Geral].
QString demoWith(const test::TempDir& dir, const QByteArray& general) {
    const DemoFiles demo = writeDemo(dir.path(), QDate(2026, 12, 7));
    QFile file(demo.settingsFile);
    file.open(QIODevice::ReadOnly);
    QByteArray text = file.readAll();
    file.close();
    text.replace("[Geral]\n", "[Geral]\n" + general);
    dir.write(u"zelvio/OTK.zlv"_s, text);
    return dir.path();
}

// Hours that have the board closed now, whatever the time the test runs at.
QByteArray closedNow() {
    const QTime now = QTime::currentTime();
    return u"HoraAbertura=%1\nHoraFecho=%2\n"_s
        .arg(now.addSecs(2 * 3600).toString(u"HH:mm"_s), now.addSecs(3 * 3600).toString(u"HH:mm"_s))
        .toUtf8();
}

} // namespace

// The board asks the desktop for the screen while open and shown, lets go
// when it ends, and asks nothing outside its hours.
TEST(ScreenAwake, TheBoardHoldsTheDesktopsScreenSaverOnlyWhileOpen) {
    PrivateBus bus;
    if (!bus.ok())
        GTEST_SKIP() << "dbus-daemon is not installed";
    QDBusConnection connection = bus.connect();
    FakeScreenSaver saver;
    ASSERT_TRUE(connection.registerObject(u"/org/freedesktop/ScreenSaver"_s, &saver,
                                          QDBusConnection::ExportAllSlots));
    ASSERT_TRUE(connection.registerService(u"org.freedesktop.ScreenSaver"_s));
    QProcessEnvironment env = environmentWithout({u"DISPLAY"_s, u"WAYLAND_DISPLAY"_s});
    env.insert(u"DBUS_SESSION_BUS_ADDRESS"_s, bus.address());

    struct Case {
        const char* name;
        QByteArray hours;
        bool holding;
        int calls; // Inhibit, then UnInhibit as the board ends
    };
    const Case cases[] = {{"open", "", true, 2}, {"closed", closedNow(), false, 0}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        test::TempDir dir;
        saver.held.clear();
        const KioskRun run = runBoard(demoWith(dir, c.hours), {}, env);
        ASSERT_EQ(run.exitCode, 0);
        const QJsonObject kiosk = run.dump[u"kiosk"_s].toObject();
        EXPECT_EQ(kiosk[u"awake"_s].toString(), u"dbus"_s);
        EXPECT_EQ(kiosk[u"holding"_s].toBool(), c.holding);
        EXPECT_EQ(kiosk[u"open"_s].toBool(), c.holding);
        QTest::qWait(100);
        EXPECT_EQ(saver.held.size(), c.calls) << saver.held.join(u" | "_s).toStdString();
    }
}

// On a bare X server the board switches the server's own screen saver off
// while it runs and puts it back as it was when it ends.
TEST(ScreenAwake, TheBoardSwitchesABareXServersScreenSaverOffWhileItRuns) {
    PrivateXServer x;
    if (!x.ok())
        GTEST_SKIP() << "Xvfb or xset is not installed";
    // Not the server's default (600), so only the board can have put it back.
    x.setScreenSaverTimeout(321);
    ASSERT_EQ(x.screenSaverTimeout(), 321);
    QProcessEnvironment env = environmentWithout({u"WAYLAND_DISPLAY"_s});
    env.insert(u"DISPLAY"_s, x.display());
    env.insert(u"DBUS_SESSION_BUS_ADDRESS"_s, u"unix:path=/nonexistent/assi-test"_s);

    test::TempDir dir;
    int timeoutWhileRunning = -1;
    const KioskRun run = runBoard(demoWith(dir, ""), {u"--after"_s, u"2"_s}, env, [&] {
        if (timeoutWhileRunning != 0)
            timeoutWhileRunning = x.screenSaverTimeout();
    });
    ASSERT_EQ(run.exitCode, 0);
    const QJsonObject kiosk = run.dump[u"kiosk"_s].toObject();
    EXPECT_EQ(kiosk[u"awake"_s].toString(), u"x11"_s) << run.log.toStdString();
    EXPECT_TRUE(kiosk[u"holding"_s].toBool());
    EXPECT_EQ(timeoutWhileRunning, 0);
    EXPECT_EQ(x.screenSaverTimeout(), 321);
    // Debian's Xvfb has no DPMS extension: that part is left to the stand-in above.
}

#include "ScreenAwakeTest.moc"
