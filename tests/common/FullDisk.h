#pragma once

// Ways for a test to run out of room to write, as on a full disk.
#include "common/TempDir.h"

#include <QByteArray>
#include <csignal>
#include <sys/mount.h>
#include <sys/resource.h>

namespace assi::test {

// A folder on a tmpfs of `kilobytes` of its own: a disk a test can fill.
// Mounting takes root; where it cannot be done, isMounted() says so.
class SmallDisk {
public:
    explicit SmallDisk(int kilobytes) {
        const QByteArray options = "size=" + QByteArray::number(kilobytes) + 'k';
        m_mounted = ::mount("tmpfs", QFile::encodeName(m_dir.path()).constData(), "tmpfs", 0,
                            options.constData()) == 0;
    }
    ~SmallDisk() {
        if (m_mounted)
            ::umount2(QFile::encodeName(m_dir.path()).constData(), MNT_DETACH);
    }
    SmallDisk(const SmallDisk&) = delete;
    SmallDisk& operator=(const SmallDisk&) = delete;

    bool isMounted() const { return m_mounted; }
    QString path() const { return m_dir.path(); }
    QString filePath(const QString& name) const { return m_dir.filePath(name); }

private:
    TempDir m_dir;
    bool m_mounted = false;
};

// While it lives, no file this process writes may grow past `bytes`: a write
// past it fails as on a full disk, for any user and without mounting anything.
class FileSizeLimit {
public:
    explicit FileSizeLimit(rlim_t bytes) {
        ::getrlimit(RLIMIT_FSIZE, &m_previous);
        // Past the limit the system would also end the process with SIGXFSZ.
        m_previousHandler = std::signal(SIGXFSZ, SIG_IGN);
        const rlimit limited = {bytes, m_previous.rlim_max};
        ::setrlimit(RLIMIT_FSIZE, &limited);
    }
    ~FileSizeLimit() {
        ::setrlimit(RLIMIT_FSIZE, &m_previous);
        std::signal(SIGXFSZ, m_previousHandler);
    }
    FileSizeLimit(const FileSizeLimit&) = delete;
    FileSizeLimit& operator=(const FileSizeLimit&) = delete;

private:
    rlimit m_previous{};
    void (*m_previousHandler)(int) = nullptr;
};

} // namespace assi::test
