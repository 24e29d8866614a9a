// The service manager's side of the board's readiness and watchdog: a unix
// datagram socket of the test's own stands in for systemd's NOTIFY_SOCKET.
#include "wall/SystemdNotifier.h"

#include "common/NotifySocket.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QElapsedTimer>
#include <QThread>
#include <QWidget>
#include <atomic>
#include <cstddef>
#include <gtest/gtest.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

using namespace Qt::StringLiterals;

using assi::test::NotifySocket;

namespace {

// Generous: only a broken notifier ever waits this long.
constexpr int PatienceMs = 20000;
constexpr int WatchdogMicroseconds = 100000; // pings every 50 ms
constexpr int HealthyPings = 3;

enum class WatchdogPid { Unset, Ours, Another };

// Sets the service manager's variables for one test and restores none of
// them: every test sets all three.
void setServiceEnvironment(const QByteArray& socket, int watchdogMicroseconds,
                           WatchdogPid pid = WatchdogPid::Unset) {
    if (socket.isEmpty())
        qunsetenv("NOTIFY_SOCKET");
    else
        qputenv("NOTIFY_SOCKET", socket);
    if (watchdogMicroseconds > 0)
        qputenv("WATCHDOG_USEC", QByteArray::number(watchdogMicroseconds));
    else
        qunsetenv("WATCHDOG_USEC");
    const qint64 ours = QCoreApplication::applicationPid();
    if (pid == WatchdogPid::Unset)
        qunsetenv("WATCHDOG_PID");
    else
        qputenv("WATCHDOG_PID", QByteArray::number(pid == WatchdogPid::Ours ? ours : ours + 1));
}

// Turns the event loop for a few watchdog periods: long enough for a ping or
// READY that was coming to arrive.
QList<QByteArray> receiveForAWhile(NotifySocket& socket) {
    constexpr int Periods = 4;
    QList<QByteArray> received;
    const QDeadlineTimer deadline(Periods * WatchdogMicroseconds / 1000);
    while (!deadline.hasExpired()) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
        received << socket.take();
    }
    return received;
}

// Turns the event loop until `count` messages equal to `message` arrived
// (or patience runs out); returns everything received.
QList<QByteArray> receiveUntil(NotifySocket& socket, const QByteArray& message, int count) {
    QList<QByteArray> received;
    const QDeadlineTimer deadline(PatienceMs);
    while (received.count(message) < count && !deadline.hasExpired()) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
        received << socket.take();
    }
    return received;
}

struct Case {
    const char* name;
    bool underSystemd; // NOTIFY_SOCKET set
    int watchdogUsec;  // 0: no watchdog
    bool expectReady;  // READY=1 after the first paint
    bool expectPings;  // WATCHDOG=1 again and again
    bool abstractName = false;
    WatchdogPid watchdogPid = WatchdogPid::Unset;
};

const Case Cases[] = {
    {"NotStartedBySystemd", false, WatchdogMicroseconds, false, false},
    {"ServiceWithoutWatchdog", true, 0, true, false},
    {"ServiceWithWatchdog", true, WatchdogMicroseconds, true, true},
    {"OnAnAbstractSocket", true, WatchdogMicroseconds, true, true, true},
    {"WatchdogForAnotherProcess", true, WatchdogMicroseconds, true, false, false,
     WatchdogPid::Another},
};

class SystemdNotifierTest : public testing::TestWithParam<Case> {};

TEST_P(SystemdNotifierTest, SaysReadyOnceAfterThePaintAndPingsWhileTheLoopTurns) {
    const Case& c = GetParam();
    NotifySocket socket(c.abstractName);
    ASSERT_TRUE(socket.isBound());
    setServiceEnvironment(c.underSystemd ? socket.path() : QByteArray(), c.watchdogUsec,
                          c.watchdogPid);

    QList<QByteArray> received;
    {
        assi::SystemdNotifier notifier;
        EXPECT_EQ(notifier.isActive(), c.underSystemd);
        QWidget window;
        notifier.watch(window);
        received << socket.take();
        EXPECT_FALSE(received.contains("READY=1")) << "ready before the window painted";
        window.show();
        // A healthy board keeps pinging; without pings, wait for READY alone.
        if (c.expectPings)
            received << receiveUntil(socket, "WATCHDOG=1", HealthyPings);
        else if (c.expectReady)
            received << receiveUntil(socket, "READY=1", 1);
        received << receiveForAWhile(socket);
        window.update(); // a second paint says nothing more
        QCoreApplication::processEvents();
        received << socket.take();
    }
    received << socket.take();

    EXPECT_EQ(received.count("READY=1"), c.expectReady ? 1 : 0);
    if (c.expectPings)
        EXPECT_GE(received.count("WATCHDOG=1"), HealthyPings);
    else
        EXPECT_EQ(received.count("WATCHDOG=1"), 0);
    EXPECT_EQ(received.count("STOPPING=1"), c.underSystemd ? 1 : 0);
    qunsetenv("NOTIFY_SOCKET");
}

INSTANTIATE_TEST_SUITE_P(, SystemdNotifierTest, testing::ValuesIn(Cases),
                         [](const auto& info) { return std::string(info.param.name); });

// The pings come from the UI thread's event loop: while that thread is stuck
// (here: asleep for many watchdog periods) none is sent, so systemd's
// watchdog fires; once it turns again, they resume.
TEST(SystemdWatchdog, AStuckUiThreadStopsThePings) {
    NotifySocket socket;
    ASSERT_TRUE(socket.isBound());
    setServiceEnvironment(socket.path(), WatchdogMicroseconds);
    assi::SystemdNotifier notifier;
    ASSERT_GT(notifier.pingInterval().count(), 0);
    QWidget window;
    notifier.watch(window);
    window.show();
    ASSERT_GE(receiveUntil(socket, "WATCHDOG=1", HealthyPings).count("WATCHDOG=1"), HealthyPings);

    socket.take();
    constexpr int StuckPeriods = 6;
    QThread::usleep(StuckPeriods * WatchdogMicroseconds); // the injected hang
    EXPECT_EQ(socket.take().count("WATCHDOG=1"), 0);

    EXPECT_GE(receiveUntil(socket, "WATCHDOG=1", 1).count("WATCHDOG=1"), 1);
    qunsetenv("NOTIFY_SOCKET");
}

// Counts the warnings of the wall's log category while it lives.
class WarningCounter {
public:
    WarningCounter() {
        s_count = 0;
        m_previous = qInstallMessageHandler(&WarningCounter::handle);
    }
    ~WarningCounter() { qInstallMessageHandler(m_previous); }
    WarningCounter(const WarningCounter&) = delete;
    WarningCounter& operator=(const WarningCounter&) = delete;
    int count() const { return s_count; }

private:
    static void handle(QtMsgType type, const QMessageLogContext& context, const QString&) {
        if (type == QtWarningMsg && qstrcmp(context.category, "assi.wall") == 0)
            ++s_count;
    }
    static inline std::atomic<int> s_count = 0;
    QtMessageHandler m_previous;
};

// Reads `socket` for the test from another thread if the UI thread has not
// finished in time: a notifier that blocks on a full queue gets unstuck, and
// the test fails instead of hanging.
class Rescuer {
public:
    explicit Rescuer(NotifySocket& socket)
        : m_thread(QThread::create([this, &socket] {
              const QDeadlineTimer deadline(PatienceMs / 4);
              while (!m_done && !deadline.hasExpired())
                  QThread::msleep(20);
              while (!m_done) {
                  m_rescued = true;
                  socket.take();
                  QThread::msleep(20);
              }
          })) {
        m_thread->start();
    }
    ~Rescuer() { finish(); }
    Rescuer(const Rescuer&) = delete;
    Rescuer& operator=(const Rescuer&) = delete;
    // Whether the UI thread needed rescuing.
    bool finish() {
        m_done = true;
        m_thread->wait();
        return m_rescued;
    }

private:
    std::atomic<bool> m_done = false;
    std::atomic<bool> m_rescued = false;
    std::unique_ptr<QThread> m_thread;
};

// Whatever goes wrong with the socket, the UI thread never waits on it, and
// the log says so once, in words, not at every ping.
TEST(SystemdNotifySocket, TroubleIsSaidOnceAndNeverStopsTheLoop) {
    enum class Trouble { FullQueue, MissingPath, NotAnAddress };
    struct TroubleCase {
        const char* name;
        Trouble trouble;
    };
    const TroubleCase cases[] = {
        {"a manager that stopped reading", Trouble::FullQueue},
        {"a socket that is not there", Trouble::MissingPath},
        {"not a socket address", Trouble::NotAnAddress},
    };
    constexpr int FastWatchdogMicroseconds = 20000; // pings every 10 ms
    constexpr int RunMs = 500;
    for (const TroubleCase& c : cases) {
        SCOPED_TRACE(c.name);
        NotifySocket socket;
        ASSERT_TRUE(socket.isBound());
        QByteArray address = socket.path();
        if (c.trouble == Trouble::FullQueue)
            socket.fill();
        else if (c.trouble == Trouble::MissingPath)
            address += "-gone";
        else
            address = "notify";
        setServiceEnvironment(address, FastWatchdogMicroseconds);
        WarningCounter warnings;
        Rescuer rescuer(socket);
        QElapsedTimer clock;
        clock.start();
        {
            assi::SystemdNotifier notifier;
            ASSERT_GT(notifier.pingInterval().count(), 0);
            while (clock.elapsed() < RunMs)
                QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
        }
        EXPECT_FALSE(rescuer.finish()) << "a send waited on the socket";
        EXPECT_EQ(warnings.count(), 1);
    }
    qunsetenv("NOTIFY_SOCKET");
}

} // namespace

// What `systemctl status` prints of the board: each line once, as it changes.
TEST(SystemdStatus, SaysEachNewLineOnceOnOneLine) {
    NotifySocket socket;
    ASSERT_TRUE(socket.isBound());
    struct Step {
        QString status;
        QByteArray sent; // empty: nothing goes out
    };
    const Step steps[] = {
        {u"Atualizado às 10:41 · 60 pedidos"_s, "STATUS=Atualizado às 10:41 · 60 pedidos"},
        {u"Atualizado às 10:41 · 60 pedidos"_s, {}},
        {u"Sem ligação à base de dados desde as 10:02"_s,
         "STATUS=Sem ligação à base de dados desde as 10:02"},
        {u"Definições com erro\n[Geral] Escala\r\nlinha"_s,
         "STATUS=Definições com erro [Geral] Escala linha"},
        {u"Definições com erro [Geral] Escala linha"_s, {}},
    };
    for (const bool underSystemd : {true, false}) {
        SCOPED_TRACE(underSystemd ? "under systemd" : "not started by systemd");
        setServiceEnvironment(underSystemd ? socket.path() : QByteArray(), 0);
        assi::SystemdNotifier notifier;
        socket.take(); // the last notifier's STOPPING=1
        for (const Step& step : steps) {
            SCOPED_TRACE(step.status.toStdString());
            notifier.setStatus(step.status);
            const QList<QByteArray> received = socket.take();
            if (underSystemd && !step.sent.isEmpty())
                EXPECT_EQ(received, QList<QByteArray>{step.sent});
            else
                EXPECT_TRUE(received.isEmpty()) << received.value(0).toStdString();
        }
    }
    qunsetenv("NOTIFY_SOCKET");
}
