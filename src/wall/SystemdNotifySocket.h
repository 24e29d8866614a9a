#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

namespace assi {

/// The service manager's notification socket, as NOTIFY_SOCKET names it: a
/// path, or an abstract name written with a leading '@'. A send never waits:
/// a manager that does not read loses the message rather than stopping the
/// UI thread, whose next ping follows soon enough. What fails is said in the
/// log once, and once more only after a send has gone through again.
class SystemdNotifySocket {
public:
    explicit SystemdNotifySocket(const QByteArray& address);
    ~SystemdNotifySocket();
    SystemdNotifySocket(const SystemdNotifySocket&) = delete;
    SystemdNotifySocket& operator=(const SystemdNotifySocket&) = delete;

    /// Whether `state` (e.g. "WATCHDOG=1") was handed to the manager.
    bool send(QByteArrayView state);

private:
    void complain(QByteArrayView state, const QString& reason);

    QByteArray m_name;    // as NOTIFY_SOCKET gave it, for the log
    QByteArray m_address; // the socket address, as the system takes it
    int m_fd = -1;
    bool m_failing = false;
};

} // namespace assi
