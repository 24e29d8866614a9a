#include "wall/SystemdNotifier.h"

#include "wall/Logging.h"

#include <QEvent>
#include <QWidget>
#include <algorithm>

#ifdef ASSI_HAVE_SYSTEMD
#include <systemd/sd-daemon.h>
#endif

namespace assi {

SystemdNotifier::SystemdNotifier(QObject* parent) : QObject(parent) {
    m_pingTimer.setTimerType(Qt::CoarseTimer);
#ifdef ASSI_HAVE_SYSTEMD
    m_active = !qEnvironmentVariableIsEmpty("NOTIFY_SOCKET");
    uint64_t watchdogMicroseconds = 0;
    if (!m_active || sd_watchdog_enabled(0, &watchdogMicroseconds) <= 0)
        return;
    // Half the period leaves a whole ping's slack for a busy turn of the loop.
    const auto half = std::chrono::duration_cast<std::chrono::milliseconds>(
        std::chrono::microseconds(watchdogMicroseconds) / 2);
    m_pingTimer.setInterval(std::max(half, std::chrono::milliseconds(1)));
    connect(&m_pingTimer, &QTimer::timeout, this, [] { send("WATCHDOG=1"); });
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

void SystemdNotifier::send([[maybe_unused]] const char* state) {
#ifdef ASSI_HAVE_SYSTEMD
    if (const int result = sd_notify(0, state); result < 0)
        qCWarning(lcWall) << "Não foi possível avisar o systemd:" << state << result;
#endif
}

} // namespace assi
