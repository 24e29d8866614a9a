#include "wall/BoardInstanceLock.h"

#include <QCoreApplication>
#include <QFile>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <unistd.h>

using namespace Qt::StringLiterals;

namespace assi {

namespace {

// Open-file-description locks: unlike a process's record locks, a second
// open of the file conflicts even within the same process, and closing
// another descriptor of the file does not drop the lock.
struct flock wholeFile(short type) {
    struct flock lock {};
    lock.l_type = type;
    lock.l_whence = SEEK_SET;
    lock.l_start = 0;
    lock.l_len = 0;
    return lock;
}

qint64 readPid(int fd) {
    char text[32] = {};
    const ssize_t size = ::pread(fd, text, sizeof(text) - 1, 0);
    if (size <= 0)
        return 0;
    return QByteArray(text, size).trimmed().toLongLong();
}

QString describeError(int error) {
    return QString::fromLocal8Bit(std::strerror(error));
}

} // namespace

BoardInstanceLock::BoardInstanceLock(const QString& path) {
    m_fd = ::open(QFile::encodeName(path).constData(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
    if (m_fd < 0) {
        m_problem = u"%1: %2"_s.arg(path, describeError(errno));
        return;
    }
    struct flock lock = wholeFile(F_WRLCK);
    if (::fcntl(m_fd, F_OFD_SETLK, &lock) != 0) {
        const int error = errno;
        if (error == EAGAIN || error == EACCES) {
            m_outcome = Outcome::HeldByAnother;
            m_holderPid = readPid(m_fd);
        } else {
            m_problem = u"%1: %2"_s.arg(path, describeError(error));
        }
        ::close(m_fd);
        m_fd = -1;
        return;
    }
    m_outcome = Outcome::Taken;
    const QByteArray pid = QByteArray::number(QCoreApplication::applicationPid()) + '\n';
    if (::ftruncate(m_fd, 0) != 0 || ::pwrite(m_fd, pid.constData(), size_t(pid.size()), 0) < 0)
        m_problem = u"%1: %2"_s.arg(path, describeError(errno));
}

BoardInstanceLock::~BoardInstanceLock() {
    if (m_fd >= 0)
        ::close(m_fd);
}

BoardInstanceLock::Holder BoardInstanceLock::holderOf(const QString& path) {
    const int fd = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return {};
    struct flock lock = wholeFile(F_RDLCK);
    Holder holder;
    if (::fcntl(fd, F_OFD_GETLK, &lock) == 0 && lock.l_type != F_UNLCK) {
        holder.held = true;
        holder.pid = readPid(fd);
    }
    ::close(fd);
    return holder;
}

} // namespace assi
