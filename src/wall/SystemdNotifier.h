#pragma once

#include <QObject>
#include <QPointer>
#include <QString>
#include <QTimer>
#include <chrono>
#include <memory>

class QWidget;

namespace assi {

class SystemdNotifySocket;

/// Tells a systemd service manager that the board is up and that its UI
/// thread still turns: READY=1 once, after the watched window's first paint,
/// and WATCHDOG=1 at half the watchdog period from a timer on the UI thread,
/// so a UI thread that is stuck stops the pings and systemd restarts the
/// board; and STATUS= with what the board shows, which `systemctl status`
/// prints. Without NOTIFY_SOCKET (not started by systemd) it does nothing.
/// Nothing is ever waited for: a manager that stops reading loses pings.
class SystemdNotifier : public QObject {
public:
    explicit SystemdNotifier(QObject* parent = nullptr);
    ~SystemdNotifier() override;

    /// Sends READY=1 after `window` first paints.
    void watch(QWidget& window);

    /// Sends STATUS= with `status` on one line, unless it is what was sent last.
    void setStatus(const QString& status);

    /// Whether a service manager is listening.
    bool isActive() const { return m_active; }
    /// Zero when the service has no watchdog.
    std::chrono::milliseconds pingInterval() const;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void sendReady();
    /// Whether `state` was handed to the manager.
    bool send(QByteArrayView state);

    std::unique_ptr<SystemdNotifySocket> m_socket;
    bool m_active = false;
    bool m_readySent = false;
    QString m_status; // the last one handed to the manager
    QPointer<QWidget> m_window;
    QTimer m_pingTimer;
};

} // namespace assi
