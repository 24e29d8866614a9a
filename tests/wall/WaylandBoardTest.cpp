// The board on Wayland: under the kiosk's own command line (packaging's kiosk
// script, in cage on a headless output) its window is shown, the screen held
// by an idle inhibitor on that window and given back when the service
// manager ends the board; and on a compositor with a pointer, the pointer is
// hidden over the board.
#include "FakeCompositor.h"
#include "common/TempDir.h"

#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTest>
#include <csignal>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

using namespace Qt::StringLiterals;

namespace {

// cage refuses to run as root; a root test runs it as this user.
constexpr uid_t NobodyId = 65534;

bool runQuietly(const QString& program, const QStringList& arguments,
                const QProcessEnvironment& environment = QProcessEnvironment::systemEnvironment()) {
    QProcess process;
    process.setProcessEnvironment(environment);
    process.start(program, arguments);
    return process.waitForFinished(60000) && process.exitStatus() == QProcess::NormalExit &&
           process.exitCode() == 0;
}

QString writeProgram(const QString& path, const QByteArray& text) {
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) || file.write(text) != text.size())
        return {};
    file.close();
    chmod(QFile::encodeName(path).constData(), 0755);
    return path;
}

// The installed kiosk script, made to start `board` with `cage`.
QByteArray kioskScriptFor(const QString& board, const QString& cage) {
    QFile installed(QStringLiteral(ASSI_KIOSK_SCRIPT));
    if (!installed.open(QIODevice::ReadOnly))
        return {};
    QString script = QString::fromUtf8(installed.readAll());
    script.replace(
        QRegularExpression(uR"(^\S+( -d -- /bin/sh))"_s, QRegularExpression::MultilineOption),
        cage + u"\\1"_s);
    script.replace(QRegularExpression(uR"(sh "[^"]+" "\$status")"_s),
                   u"sh \""_s + board + u"\" \"$status\""_s);
    return script.toUtf8();
}

// The demo's database and settings, written into `folder`.
bool writeDemo(const QString& folder) {
    QProcessEnvironment offscreen = QProcessEnvironment::systemEnvironment();
    offscreen.insert(u"QT_QPA_PLATFORM"_s, u"offscreen"_s);
    return runQuietly(QStringLiteral(ASSI_EXECUTABLE),
                      {u"--demo"_s, u"--base-dir"_s, folder, u"--dump"_s}, offscreen);
}

} // namespace

TEST(KioskOnWayland, HoldsTheScreenWhileShownAndGivesItBackOnTerm) {
    const QString cage = QStandardPaths::findExecutable(u"cage"_s);
    if (cage.isEmpty())
        GTEST_SKIP() << "cage não está instalado: o quiosque Wayland não pode ser experimentado";
    const bool asRoot = geteuid() == 0;

    assi::test::TempDir dir;
    chmod(QFile::encodeName(dir.path()).constData(), 0755);
    const QString demo = dir.mkdir(u"demo"_s);
    ASSERT_TRUE(writeDemo(demo));

    // The build tree may lie in a folder the kiosk's user cannot enter.
    QString program = QStringLiteral(ASSI_EXECUTABLE);
    if (asRoot) {
        program = dir.filePath(u"assi"_s);
        ASSERT_TRUE(QFile::copy(QStringLiteral(ASSI_EXECUTABLE), program));
        chmod(QFile::encodeName(program).constData(), 0755);
    }
    const QString pidFile = dir.filePath(u"run/board.pid"_s);
    const QString board =
        writeProgram(dir.filePath(u"board"_s), "#!/bin/sh\necho $$ >'" + pidFile.toUtf8() +
                                                   "'\nexec '" + program.toUtf8() + "' \"$@\"\n");
    const QByteArray kioskText = kioskScriptFor(board, cage);
    ASSERT_TRUE(kioskText.contains(board.toUtf8())) << kioskText.toStdString();
    const QString kiosk = writeProgram(dir.filePath(u"kiosk"_s), kioskText);
    ASSERT_FALSE(kiosk.isEmpty());

    const QString runtime = dir.mkdir(u"run"_s);
    const QString home = dir.mkdir(u"home"_s);
    chmod(QFile::encodeName(runtime).constData(), 0700);
    if (asRoot) {
        ASSERT_TRUE(
            runQuietly(u"chown"_s, {u"-R"_s, u"%1:%1"_s.arg(NobodyId), demo, runtime, home}));
    }

    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    for (const QString& name : {u"DISPLAY"_s, u"WAYLAND_DISPLAY"_s, u"DBUS_SESSION_BUS_ADDRESS"_s})
        environment.remove(name);
    environment.insert(u"XDG_RUNTIME_DIR"_s, runtime);
    environment.insert(u"HOME"_s, home);
    environment.insert(u"WLR_BACKENDS"_s, u"headless"_s);
    environment.insert(u"WLR_LIBINPUT_NO_DEVICES"_s, u"1"_s);
    environment.insert(u"WAYLAND_DEBUG"_s, u"client"_s);
    environment.insert(u"ASSI_BASE_DIR"_s, demo);

    QProcess session;
    session.setProcessEnvironment(environment);
    // A group of its own, so that a test that fails leaves no compositor behind.
    session.setChildProcessModifier([] { setpgid(0, 0); });
    session.setProcessChannelMode(QProcess::MergedChannels);
    QString log;
    QObject::connect(&session, &QProcess::readyRead, &session,
                     [&] { log += QString::fromUtf8(session.readAll()); });
    if (asRoot)
        session.start(u"setpriv"_s, {u"--reuid=%1"_s.arg(NobodyId), u"--regid=%1"_s.arg(NobodyId),
                                     u"--clear-groups"_s, u"/bin/sh"_s, kiosk});
    else
        session.start(u"/bin/sh"_s, {kiosk});
    ASSERT_TRUE(session.waitForStarted());

    const QRegularExpression created(
        uR"(zwp_idle_inhibit_manager_v1@\d+\.create_inhibitor\(new id zwp_idle_inhibitor_v1@(\d+), wl_surface@(\d+)\))"_s);
    QRegularExpressionMatch inhibitor;
    const bool held = QTest::qWaitFor(
        [&] {
            inhibitor = created.match(log);
            return inhibitor.hasMatch() || session.state() == QProcess::NotRunning;
        },
        60000);
    const auto stop = qScopeGuard([&] {
        if (session.state() != QProcess::NotRunning) {
            ::kill(-pid_t(session.processId()), SIGKILL);
            session.waitForFinished();
        }
    });
    ASSERT_TRUE(held && inhibitor.hasMatch()) << log.toStdString();

    // Held on the board's window, and that window drawn on the output.
    const QString surface = inhibitor.captured(2);
    const QRegularExpression drawn(u"wl_surface@"_s + surface + uR"(\.attach\(wl_buffer@\d+)"_s);
    EXPECT_TRUE(QTest::qWaitFor([&] { return drawn.match(log).hasMatch(); }, 20000))
        << log.toStdString();

    QFile pid(pidFile);
    ASSERT_TRUE(pid.open(QIODevice::ReadOnly));
    ASSERT_EQ(::kill(pid_t(pid.readAll().trimmed().toInt()), SIGTERM), 0);
    const QString destroyed = u"zwp_idle_inhibitor_v1@"_s + inhibitor.captured(1) + u".destroy()"_s;
    EXPECT_TRUE(QTest::qWaitFor([&] { return log.contains(destroyed); }, 20000))
        << log.toStdString();
    ASSERT_TRUE(QTest::qWaitFor([&] { return session.state() == QProcess::NotRunning; }, 20000));
    EXPECT_EQ(session.exitCode(), 0) << log.toStdString();
}

// Qt hides the pointer on Wayland by giving it no image when it enters the
// window: the board asks for that before its window exists, and the pointer
// comes afterwards.
TEST(PointerOnWayland, IsHiddenWhenItEntersTheBoard) {
    assi::test::TempDir dir;
    const QString demo = dir.mkdir(u"demo"_s);
    ASSERT_TRUE(writeDemo(demo));
    const QString runtime = dir.mkdir(u"run"_s);
    chmod(QFile::encodeName(runtime).constData(), 0700);
    const QByteArray savedRuntime = qgetenv("XDG_RUNTIME_DIR");
    qputenv("XDG_RUNTIME_DIR", QFile::encodeName(runtime));
    const auto restore = qScopeGuard([&] { qputenv("XDG_RUNTIME_DIR", savedRuntime); });
    const assi::test::FakeCompositor compositor({{QSize(1280, 720), QSize(600, 340)}}, true);

    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.remove(u"DISPLAY"_s);
    environment.insert(u"XDG_RUNTIME_DIR"_s, runtime);
    environment.insert(u"WAYLAND_DISPLAY"_s,
                       QString::fromLatin1(assi::test::FakeCompositor::SocketName));
    environment.insert(u"QT_QPA_PLATFORM"_s, u"wayland"_s);
    environment.insert(u"ASSI_BASE_DIR"_s, demo);
    QProcess board;
    board.setProcessEnvironment(environment);
    board.setProcessChannelMode(QProcess::MergedChannels);
    board.start(QStringLiteral(ASSI_EXECUTABLE), {u"--fullscreen"_s});
    const auto stop = qScopeGuard([&] {
        board.terminate();
        if (!board.waitForFinished(10000))
            board.kill();
        board.waitForFinished();
    });
    const auto answered = [&] {
        const QList<QString> requests = compositor.cursorRequests();
        return !requests.isEmpty() && !requests.contains(u"undrawn"_s);
    };
    ASSERT_TRUE(QTest::qWaitFor([&] { return answered() || board.state() == QProcess::NotRunning; },
                                30000));
    ASSERT_TRUE(answered()) << board.readAll().toStdString();
    // Given time to change its mind.
    QTest::qWait(500);
    for (const QString& request : compositor.cursorRequests())
        EXPECT_TRUE(request == u"none"_s || request == u"transparent image"_s)
            << request.toStdString();
}
