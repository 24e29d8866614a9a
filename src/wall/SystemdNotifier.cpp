#include "wall/SystemdNotifier.h"

#include "wall/Logging.h"
#ifdef ASSI_HAVE_SYSTEMD
#include "wall/SystemdNotifySocket.h"
#endif

#include <QCoreApplication>
#include <QEvent>
#include <QWidget>
#include <algorithm>

using namespace Qt::StringLiterals;

namespace assi {

namespace {

// The watchdog's period as the service manager gives it, or zero when it
// watches no process, or another one (WATCHDOG_PID), as libsystemd reads it.
std::chrono::microseconds watchdogPeriod() {
    bool valid = false;
    const qint64 microseconds = qEnvironmentVariable("WATCHDOG_USEC").toLongLong(&valid);
    if (!valid || microseconds <= 0)
        return std::chrono::microseconds::zero();
    const QString pid = qEnvironmentVariable("WATCHDOG_PID");
    if (!pid.isEmpty() && pid.toLongLong() != QCoreApplication::applicationPid())
        return std::chrono::microseconds::zero();
    return std::chrono::microseconds(microseconds);
}

} // namespace

SystemdNotifier::SystemdNotifier(QObject* parent) : QObject(parent) {
    m_pingTimer.setTimerType(Qt::CoarseTimer);
#ifdef ASSI_HAVE_SYSTEMD
    const QByteArray address = qgetenv("NOTIFY_SOCKET");
    m_active = !address.isEmpty();
    if (!m_active)
        return;
    m_socket = std::make_unique<SystemdNotifySocket>(address);
    const std::chrono::microseconds period = watchdogPeriod();
    if (period <= std::chrono::microseconds::zero())
        return;
    // Half the period leaves a whole ping's slack for a busy turn of the loop.
    const auto half = std::chrono::duration_cast<std::chrono::milliseconds>(period / 2);
    m_pingTimer.setInterval(std::max(half, std::chrono::milliseconds(1)));
    connect(&m_pingTimer, &QTimer::timeout, this, [this] { send("WATCHDOG=1"); });
    m_pingTimer.start();
    qCInfo(lcWall) << "Vigilância do systemd: sinal a cada" << m_pingTimer.interval() << "ms.";
#endif
}

SystemdNotifier::~SystemdNotifier() {
    if (m_active)
        send("STOPPING=1");
}

std::chrono::milliseconds SystemdNotifier::pingInterval() const {
    return m_pingTimer.isActive() ? m_pingTimer.intervalAsDuration()
                                  : std::chrono::milliseconds::zero();
}

void SystemdNotifier::watch(QWidget& window) {
    if (!m_active || m_readySent)
        return;
    m_window = &window;
    window.installEventFilter(this);
}

bool SystemdNotifier::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::Paint && watched == m_window && !m_readySent) {
        m_readySent = true;
        watched->removeEventFilter(this);
        // After the paint itself, not before it.
        QTimer::singleShot(0, this, [this] { sendReady(); });
    }
    return QObject::eventFilter(watched, event);
}

void SystemdNotifier::sendReady() {
    send("READY=1");
}

void SystemdNotifier::setStatus(const QString& status) {
    // One line: the protocol ends each assignment at a line break, so the
    // rest of a status after one would be lost.
    QString line = status;
    line.replace(u"\r\n"_s, u" "_s).replace(u'\n', u' ').replace(u'\r', u' ');
    if (!m_active || line == m_status)
        return;
    // A status lost on a full socket goes again with the next report.
    if (send("STATUS=" + line.toUtf8()))
        m_status = line;
}

bool SystemdNotifier::send([[maybe_unused]] QByteArrayView state) {
#ifdef ASSI_HAVE_SYSTEMD
    return m_socket->send(state);
#else
    return false;
#endif
}

} // namespace assi
