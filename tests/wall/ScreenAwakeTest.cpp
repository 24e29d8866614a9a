// The screen kept awake in office hours: the logic against stand-ins, then
// the program itself against a private session bus and a private X server.
#include "wall/ScreenAwake.h"

#include "FakeScreenSaver.h"
#include "FakeX11Settings.h"
#include "PrivateBus.h"
#include "PrivateXServer.h"
#include "common/TempDir.h"
#include "data/DemoSite.h"

#include <QFile>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QTest>
#include <gtest/gtest.h>

using namespace assi;
using namespace assi::test;
using namespace Qt::StringLiterals;

// Held, the X server neither blanks nor powers down, and a screen already
// dark lights up; released (or closed), it is as it was, whatever it was.
TEST(ScreenAwake, X11SettingsAreSwitchedOffWhileHeldAndPutBackAfter) {
    struct Case {
        const char* name;
        FakeX11Settings::State before;
    };
    const Case cases[] = {
        {"blanking and DPMS on", {{600, 600, 1, 1}, true, false}},
        {"dark after a closed night", {{600, 600, 1, 1}, true, true}},
        {"DPMS off already", {{300, 0, 0, 1}, false, false}},
        {"no DPMS extension, dark", {{120, 60, 1, 0}, std::nullopt, true}},
        {"nothing on", {{0, 0, 0, 0}, false, false}},
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
            EXPECT_FALSE(state.blank);
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
    FakeScreenSaver saver;
    ASSERT_TRUE(saver.serveOn(bus.connect()));
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
