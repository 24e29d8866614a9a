// `assi --estado` and one board per display, with the real program: a board
// runs on the offscreen platform, on a display name of the test's own, with a
// runtime folder of its own.
#include "common/TempDir.h"

#include <QDeadlineTimer>
#include <QFile>
#include <QProcess>
#include <QTest>
#include <csignal>
#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace {

constexpr int PatienceMs = 60000;

struct ProgramRun {
    int exitCode = -1;
    QString out;
    QString err;
};

class Session {
public:
    Session() : m_display(u":assi-test-%1"_s.arg(++s_sessions)) {}

    QProcessEnvironment environment() const {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.remove(u"WAYLAND_DISPLAY"_s);
        env.remove(u"NOTIFY_SOCKET"_s);
        env.insert(u"DISPLAY"_s, m_display);
        env.insert(u"QT_QPA_PLATFORM"_s, u"offscreen"_s);
        env.insert(u"XDG_RUNTIME_DIR"_s, m_runtime.path());
        return env;
    }
    QString stateFile() const { return m_runtime.filePath(u"assi/estado.json"_s); }
    QString frameFile() const { return m_runtime.filePath(u"assi/quadro.png"_s); }
    QString baseDir() const { return m_base.path(); }

    void startBoard(QProcess& board) const {
        board.setProcessEnvironment(environment());
        board.start(QStringLiteral(ASSI_EXECUTABLE),
                    {u"--demo"_s, u"--base-dir"_s, m_base.path(), u"--today"_s, u"2026-12-09"_s});
    }

    ProgramRun run(const QStringList& arguments) const {
        QProcess assi;
        assi.setProcessEnvironment(environment());
        assi.start(QStringLiteral(ASSI_EXECUTABLE), arguments);
        ProgramRun run;
        if (!assi.waitForFinished(PatienceMs))
            return run;
        run.exitCode = assi.exitStatus() == QProcess::NormalExit ? assi.exitCode() : -2;
        run.out = QString::fromUtf8(assi.readAllStandardOutput());
        run.err = QString::fromUtf8(assi.readAllStandardError());
        return run;
    }

private:
    static inline int s_sessions = 0;
    QString m_display;
    assi::test::TempDir m_runtime;
    assi::test::TempDir m_base;
};

// Ends the board however the test ends.
struct BoardProcess {
    ~BoardProcess() {
        if (process.state() != QProcess::NotRunning) {
            process.kill();
            process.waitForFinished();
        }
    }
    QProcess process;
};

bool waitForState(const Session& session) {
    return QTest::qWaitFor([&] { return QFile::exists(session.stateFile()); }, PatienceMs);
}

} // namespace

TEST(RunningBoard, WithNoBoardEstadoSaysSoAndEndsWithThree) {
    const Session session;
    const ProgramRun run = session.run({u"--estado"_s});
    EXPECT_EQ(run.exitCode, 3) << run.err.toStdString();
    EXPECT_TRUE(run.out.startsWith(u"Nenhum quadro a correr para este utilizador"_s))
        << run.out.toStdString();
}

// A board runs: --estado says what it shows; a second one on the same display
// leaves it be and ends without failing; killed, the board leaves a state
// that --estado no longer takes for a running board.
TEST(RunningBoard, EstadoFollowsTheBoardFromStartToKill) {
    const Session session;
    BoardProcess board;
    session.startBoard(board.process);
    ASSERT_TRUE(board.process.waitForStarted());
    ASSERT_TRUE(waitForState(session)) << board.process.readAllStandardError().toStdString();
    const QString pid = QString::number(board.process.processId());

    ProgramRun estado = session.run({u"--estado"_s});
    ASSERT_EQ(estado.exitCode, 0) << estado.out.toStdString() << estado.err.toStdString();
    EXPECT_TRUE(estado.out.contains(u"(processo %1)"_s.arg(pid))) << estado.out.toStdString();
    EXPECT_TRUE(estado.out.contains(session.frameFile())) << estado.out.toStdString();
    EXPECT_TRUE(estado.out.contains(u"Mostra: "_s)) << estado.out.toStdString();
    EXPECT_TRUE(estado.out.contains(u"Última atualização: "_s)) << estado.out.toStdString();

    const ProgramRun second = session.run({u"--demo"_s, u"--base-dir"_s, session.baseDir()});
    EXPECT_EQ(second.exitCode, 0);
    EXPECT_TRUE(second.err.contains(u"Já há um quadro aberto no ecrã"_s))
        << second.err.toStdString();
    EXPECT_TRUE(second.err.contains(u"processo %1"_s.arg(pid))) << second.err.toStdString();
    EXPECT_EQ(board.process.state(), QProcess::Running);
    estado = session.run({u"--estado"_s});
    EXPECT_EQ(estado.exitCode, 0) << estado.out.toStdString();
    EXPECT_TRUE(estado.out.contains(u"(processo %1)"_s.arg(pid))) << estado.out.toStdString();

    // Reports run beside the board and take no lock.
    const assi::test::TempDir otherDemo;
    EXPECT_EQ(session.run({u"--demo"_s, u"--base-dir"_s, otherDemo.path(), u"--dump"_s}).exitCode,
              0);

    ASSERT_EQ(::kill(pid_t(board.process.processId()), SIGKILL), 0);
    ASSERT_TRUE(board.process.waitForFinished(PatienceMs));
    ASSERT_TRUE(QFile::exists(session.stateFile()));
    estado = session.run({u"--estado"_s});
    EXPECT_EQ(estado.exitCode, 3) << estado.out.toStdString();
    EXPECT_TRUE(estado.out.startsWith(u"Nenhum quadro a correr para este utilizador"_s))
        << estado.out.toStdString();
    EXPECT_TRUE(estado.out.contains(u"já terminou (processo %1"_s.arg(pid)))
        << estado.out.toStdString();
}
