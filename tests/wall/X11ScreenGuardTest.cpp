// The board on a private X server, ended every way it can end: the screen
// saver it switched off comes back each time, as the server had it.
#include "wall/X11ScreenGuard.h"

#include "PrivateXServer.h"
#include "common/TempDir.h"
#include "data/DemoSite.h"
#include "wall/X11HoldRecord.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTest>
#include <csignal>
#include <gtest/gtest.h>
#include <memory>

using namespace assi;
using namespace assi::test;
using namespace Qt::StringLiterals;

namespace {

constexpr int StartMs = 20000;
// The guardian puts things back as soon as the board has gone.
constexpr int PutBackMs = 2000;

bool waitFor(const std::function<bool()>& condition, int milliseconds) {
    return QTest::qWaitFor(condition, milliseconds);
}

// The processes whose parent is `parent`, as /proc has them.
QList<qint64> childrenOf(qint64 parent) {
    QList<qint64> children;
    for (const QString& entry : QDir(u"/proc"_s).entryList(QDir::Dirs)) {
        QFile stat(u"/proc/%1/stat"_s.arg(entry));
        if (!stat.open(QIODevice::ReadOnly))
            continue;
        // pid (comm) state ppid ...: comm may hold spaces, never ") ".
        const QList<QByteArray> fields = stat.readAll().split(')').last().trimmed().split(' ');
        if (fields.size() > 1 && fields[0] != "Z" && fields[1].toLongLong() == parent)
            children << entry.toLongLong();
    }
    return children;
}

bool isRunning(qint64 pid) {
    QFile stat(u"/proc/%1/stat"_s.arg(pid));
    return stat.open(QIODevice::ReadOnly) && !stat.readAll().split(')').last().startsWith(" Z");
}

class GuardedBoard : public ::testing::Test {
protected:
    void SetUp() override {
        if (!m_x.ok())
            GTEST_SKIP() << "Xvfb or xset is not installed";
        writeDemo(m_site.path(), QDate(2026, 12, 7));
        QFile::setPermissions(m_runtime.path(),
                              QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        m_env = QProcessEnvironment::systemEnvironment();
        m_env.remove(u"WAYLAND_DISPLAY"_s);
        m_env.remove(u"QT_QPA_PLATFORM"_s);
        m_env.insert(u"DISPLAY"_s, m_x.display());
        m_env.insert(u"DBUS_SESSION_BUS_ADDRESS"_s, u"unix:path=/nonexistent/assi-test"_s);
        m_env.insert(u"XDG_RUNTIME_DIR"_s, m_runtime.path());
        // Not the server's default (600), so only the board can have put it back.
        m_x.setScreenSaverTimeout(321);
        ASSERT_EQ(m_x.screenSaverTimeout(), 321);
    }

    std::unique_ptr<QProcess> startBoard() {
        auto board = std::make_unique<QProcess>();
        board->setProcessEnvironment(m_env);
        board->setProcessChannelMode(QProcess::ForwardedErrorChannel);
        board->start(QStringLiteral(ASSI_EXECUTABLE), {u"--base-dir"_s, m_site.path(), u"--today"_s,
                                                       u"2026-12-07"_s, u"--fullscreen"_s});
        return board;
    }

    // The board holds once its word of the hold is in the runtime folder.
    QString recordPath() const {
        return m_runtime.path() + u"/assi/x11-hold-_"_s + m_x.display().mid(1);
    }

    bool waitForHold(const QProcess& board) {
        return waitFor(
            [&] {
                const auto entry = X11HoldRecord(recordPath().toStdString()).read();
                return entry && entry->holder == board.processId();
            },
            StartMs);
    }

    bool putBackWithin(int milliseconds) {
        return waitFor([&] { return m_x.screenSaverTimeout() == 321; }, milliseconds);
    }

    PrivateXServer m_x;
    TempDir m_site;
    TempDir m_runtime;
    QProcessEnvironment m_env;
};

} // namespace

TEST_F(GuardedBoard, AKilledBoardsScreenSaverComesBack) {
    auto board = startBoard();
    ASSERT_TRUE(waitForHold(*board));
    EXPECT_TRUE(waitFor([&] { return m_x.screenSaverTimeout() == 0; }, StartMs));
    const QList<qint64> guardians = childrenOf(board->processId());
    ASSERT_EQ(guardians.size(), 1);
    board->kill();
    ASSERT_TRUE(board->waitForFinished(5000));
    EXPECT_TRUE(putBackWithin(PutBackMs)) << m_x.screenSaverTimeout();
    EXPECT_TRUE(waitFor([&] { return !isRunning(guardians[0]); }, PutBackMs));
}

// Killed and started again at once, the new board must not take the dead
// one's "off" for what the screen had, nor see it put back under its hold.
TEST_F(GuardedBoard, ABoardStartedAgainAtOnceGivesBackWhatTheFirstFound) {
    auto first = startBoard();
    ASSERT_TRUE(waitForHold(*first));
    first->kill();
    // Once the process is gone: until then it holds the display's one board.
    ASSERT_TRUE(first->waitForFinished(5000));
    auto second = startBoard();
    ASSERT_TRUE(waitForHold(*second));
    QTest::qWait(500);
    EXPECT_EQ(m_x.screenSaverTimeout(), 0);
    const QList<qint64> guardians = childrenOf(second->processId());
    ASSERT_EQ(guardians.size(), 1);
    second->terminate();
    ASSERT_TRUE(second->waitForFinished(10000));
    EXPECT_EQ(second->exitCode(), 0);
    EXPECT_EQ(m_x.screenSaverTimeout(), 321);
    // Stopped cleanly, the board leaves neither its guardian nor its word.
    EXPECT_TRUE(waitFor([&] { return !isRunning(guardians[0]); }, PutBackMs));
    EXPECT_FALSE(QFile::exists(recordPath()));
}

// The same race, made certain: the dead board's guardian is held back until
// the new board holds, then must leave the screen to it.
TEST_F(GuardedBoard, AGuardianLateToActLeavesTheScreenToTheBoardStartedSince) {
    auto first = startBoard();
    ASSERT_TRUE(waitForHold(*first));
    const QList<qint64> guardians = childrenOf(first->processId());
    ASSERT_EQ(guardians.size(), 1);
    ::kill(pid_t(guardians[0]), SIGSTOP);
    first->kill();
    ASSERT_TRUE(first->waitForFinished(5000));
    auto second = startBoard();
    ASSERT_TRUE(waitForHold(*second));
    ::kill(pid_t(guardians[0]), SIGCONT);
    ASSERT_TRUE(waitFor([&] { return !isRunning(guardians[0]); }, PutBackMs));
    EXPECT_EQ(m_x.screenSaverTimeout(), 0);
    second->terminate();
    ASSERT_TRUE(second->waitForFinished(10000));
    EXPECT_EQ(m_x.screenSaverTimeout(), 321);
}
