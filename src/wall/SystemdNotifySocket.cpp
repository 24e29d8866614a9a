#include "wall/SystemdNotifySocket.h"

#include "wall/Logging.h"

#include <cerrno>
#include <cstddef>
#include <cstring>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

using namespace Qt::StringLiterals;

namespace assi {

namespace {

QString describeError(int error) {
    return QString::fromLocal8Bit(std::strerror(error));
}

// The socket address NOTIFY_SOCKET names, as systemd itself reads it; empty
// when it names none this program can use.
QByteArray socketAddress(const QByteArray& name) {
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    const bool isPath = name.startsWith('/');
    const bool isAbstract = name.startsWith('@') && name.size() > 1;
    // A path needs room for its closing NUL; an abstract name has none.
    const auto room = qsizetype(sizeof(address.sun_path)) - (isPath ? 1 : 0);
    if ((!isPath && !isAbstract) || name.size() > room)
        return {};
    std::memcpy(address.sun_path, name.constData(), size_t(name.size()));
    if (isAbstract)
        address.sun_path[0] = '\0';
    const auto length = qsizetype(offsetof(sockaddr_un, sun_path)) + name.size() + (isPath ? 1 : 0);
    return {reinterpret_cast<const char*>(&address), length};
}

} // namespace

SystemdNotifySocket::SystemdNotifySocket(const QByteArray& address)
    : m_name(address), m_address(socketAddress(address)) {
    if (m_address.isEmpty()) {
        complain("", u"NOTIFY_SOCKET não é um caminho absoluto nem um nome abstrato (@…) que "
                     u"caiba num endereço de socket"_s);
        return;
    }
    m_fd = ::socket(AF_UNIX, SOCK_DGRAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0);
    if (m_fd < 0)
        complain("", describeError(errno));
}

SystemdNotifySocket::~SystemdNotifySocket() {
    if (m_fd >= 0)
        ::close(m_fd);
}

bool SystemdNotifySocket::send(QByteArrayView state) {
    if (m_fd < 0)
        return false;
    ssize_t sent = -1;
    do {
        sent = ::sendto(m_fd, state.data(), size_t(state.size()), MSG_DONTWAIT | MSG_NOSIGNAL,
                        reinterpret_cast<const sockaddr*>(m_address.constData()),
                        socklen_t(m_address.size()));
    } while (sent < 0 && errno == EINTR);
    if (sent >= 0) {
        m_failing = false;
        return true;
    }
    if (errno == EAGAIN || errno == EWOULDBLOCK)
        complain(state, u"o gestor de serviços não está a ler os avisos, que se perdem"_s);
    else
        complain(state, describeError(errno));
    return false;
}

void SystemdNotifySocket::complain(QByteArrayView state, const QString& reason) {
    if (m_failing)
        return;
    m_failing = true;
    const QString what = state.isEmpty() ? QString() : u" (%1)"_s.arg(QString::fromUtf8(state));
    qCWarning(lcWall).noquote() << u"Não foi possível avisar o systemd pelo socket %1%2: %3."_s.arg(
        QString::fromLocal8Bit(m_name), what, reason);
}

} // namespace assi
