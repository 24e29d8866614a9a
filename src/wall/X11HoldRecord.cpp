#include "wall/X11HoldRecord.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>
#include <utility>

namespace assi {

namespace {

// Unknown screen savers and servers without DPMS are written as -1.
constexpr int Unknown = -1;
constexpr int MaxRecordSize = 128;

// One record per X server the display names; the name is a file name.
std::string fileNameFor(const char* display) {
    std::string name = "x11-hold-";
    for (const char* c = display; *c; ++c) {
        const bool plain = (*c >= 'a' && *c <= 'z') || (*c >= 'A' && *c <= 'Z') ||
                           (*c >= '0' && *c <= '9') || *c == '.' || *c == '-';
        name += plain ? *c : '_';
    }
    return name;
}

} // namespace

X11HoldRecord X11HoldRecord::forDisplay() {
    const char* runtime = std::getenv("XDG_RUNTIME_DIR");
    const char* display = std::getenv("DISPLAY");
    if (!runtime || !*runtime || !display || !*display)
        return X11HoldRecord();
    const std::string folder = std::string(runtime) + "/assi";
    if (::mkdir(folder.c_str(), 0700) != 0 && errno != EEXIST)
        return X11HoldRecord();
    return X11HoldRecord(folder + '/' + fileNameFor(display));
}

X11HoldRecord::X11HoldRecord(const std::string& path) : m_path(path) {
    // The record is removed when nobody holds: locked, it must still be the
    // file at the path, or whoever removed it meanwhile has it to themselves.
    for (int attempt = 0; attempt < 10; ++attempt) {
        const int fd = ::open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW, 0600);
        if (fd < 0)
            return;
        int locked;
        do
            locked = ::flock(fd, LOCK_EX);
        while (locked != 0 && errno == EINTR);
        struct stat opened {};
        struct stat atPath {};
        if (locked == 0 && ::fstat(fd, &opened) == 0 && ::stat(path.c_str(), &atPath) == 0 &&
            opened.st_dev == atPath.st_dev && opened.st_ino == atPath.st_ino) {
            m_fd = fd;
            return;
        }
        ::close(fd);
    }
}

X11HoldRecord::X11HoldRecord(X11HoldRecord&& other) noexcept
    : m_path(std::move(other.m_path)), m_fd(std::exchange(other.m_fd, -1)) {}

X11HoldRecord& X11HoldRecord::operator=(X11HoldRecord&& other) noexcept {
    if (this != &other) {
        close();
        m_path = std::move(other.m_path);
        m_fd = std::exchange(other.m_fd, -1);
    }
    return *this;
}

X11HoldRecord::~X11HoldRecord() {
    close();
}

std::optional<X11HoldRecord::Entry> X11HoldRecord::read() const {
    if (m_fd < 0)
        return std::nullopt;
    char text[MaxRecordSize + 1];
    const ssize_t size = ::pread(m_fd, text, MaxRecordSize, 0);
    if (size <= 0)
        return std::nullopt;
    text[size] = '\0';
    int holder, timeout, interval, preferBlanking, allowExposures, dpms;
    char end;
    if (std::sscanf(text, "%d %d %d %d %d %d%c", &holder, &timeout, &interval, &preferBlanking,
                    &allowExposures, &dpms, &end) != 7 ||
        end != '\n' || holder <= 0 || timeout < Unknown || dpms < Unknown || dpms > 1)
        return std::nullopt;
    Entry entry;
    entry.holder = holder;
    if (timeout != Unknown)
        entry.originals.screenSaver =
            X11ScreenSettings::ScreenSaver{timeout, interval, preferBlanking, allowExposures};
    if (dpms != Unknown)
        entry.originals.dpms = dpms == 1;
    return entry;
}

void X11HoldRecord::write(const Entry& entry) {
    if (m_fd < 0)
        return;
    const std::optional<X11ScreenSettings::ScreenSaver>& saver = entry.originals.screenSaver;
    char text[MaxRecordSize];
    const int size =
        std::snprintf(text, sizeof text, "%d %d %d %d %d %d\n", int(entry.holder),
                      saver ? saver->timeout : Unknown, saver ? saver->interval : 0,
                      saver ? saver->preferBlanking : 0, saver ? saver->allowExposures : 0,
                      entry.originals.dpms ? int(*entry.originals.dpms) : Unknown);
    if (::ftruncate(m_fd, 0) == 0 && size > 0)
        (void)!::pwrite(m_fd, text, size_t(size), 0);
}

void X11HoldRecord::clear() {
    if (m_fd < 0)
        return;
    ::unlink(m_path.c_str());
    close();
}

void X11HoldRecord::close() {
    if (m_fd < 0)
        return;
    ::close(m_fd); // and with it the lock
    m_fd = -1;
}

} // namespace assi
