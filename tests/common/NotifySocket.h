#pragma once

// A unix datagram socket of the test's own standing in for systemd's
// NOTIFY_SOCKET: it collects what the board tells the service manager.
#include "common/TempDir.h"

#include <QByteArray>
#include <QCoreApplication>
#include <QList>
#include <algorithm>
#include <cstddef>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

namespace assi::test {

// A bound datagram socket that collects what the board sends: on a path, or
// on an abstract name, which NOTIFY_SOCKET writes with a leading '@'.
class NotifySocket {
public:
    explicit NotifySocket(bool abstractName = false) {
        m_fd = ::socket(AF_UNIX, SOCK_DGRAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0);
        sockaddr_un address{};
        address.sun_family = AF_UNIX;
        static int sockets = 0;
        m_path = abstractName ? "@assi-test-notify-" +
                                    QByteArray::number(QCoreApplication::applicationPid()) + "-" +
                                    QByteArray::number(++sockets)
                              : m_dir.filePath(QStringLiteral("notify")).toLocal8Bit();
        std::copy(m_path.begin(), m_path.end(), address.sun_path);
        socklen_t length = sizeof(address);
        if (abstractName) {
            address.sun_path[0] = '\0';
            length = socklen_t(offsetof(sockaddr_un, sun_path) + size_t(m_path.size()));
        }
        m_bound = m_fd >= 0 && ::bind(m_fd, reinterpret_cast<sockaddr*>(&address), length) == 0;
    }
    ~NotifySocket() {
        if (m_fd >= 0)
            ::close(m_fd);
    }
    NotifySocket(const NotifySocket&) = delete;
    NotifySocket& operator=(const NotifySocket&) = delete;

    bool isBound() const { return m_bound; }
    const QByteArray& path() const { return m_path; }

    // What arrived since the last call, one entry per datagram.
    QList<QByteArray> take() {
        QList<QByteArray> messages;
        char buffer[4096];
        for (;;) {
            const ssize_t size = ::recv(m_fd, buffer, sizeof(buffer), 0);
            if (size < 0)
                return messages;
            messages << QByteArray(buffer, size).trimmed();
        }
    }

    // Fills the socket's queue, as a service manager that stopped reading would.
    void fill() const {
        const int sender = ::socket(AF_UNIX, SOCK_DGRAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0);
        sockaddr_un address{};
        address.sun_family = AF_UNIX;
        std::copy(m_path.begin(), m_path.end(), address.sun_path);
        while (::sendto(sender, "x", 1, 0, reinterpret_cast<sockaddr*>(&address),
                        sizeof(address)) == 1) {
        }
        ::close(sender);
    }

private:
    TempDir m_dir;
    QByteArray m_path;
    int m_fd = -1;
    bool m_bound = false;
};

} // namespace assi::test
