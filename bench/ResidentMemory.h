#pragma once

#include <QByteArray>
#include <QFile>

namespace assi::bench {

// A figure of this process's memory from /proc/self/status, in kB, or -1
// where it cannot be read.
inline long statusKilobytes(const QByteArray& key) {
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return -1;
    for (const QByteArray& line : status.readAll().split('\n')) {
        if (line.startsWith(key))
            return line.mid(key.size()).trimmed().split(' ').value(0).toLong();
    }
    return -1;
}

// This process's resident memory now (VmRSS).
inline long residentKilobytes() {
    return statusKilobytes("VmRSS:");
}

// The most this process has held resident so far (VmHWM): where two boards
// live side by side for a moment, the figure read after a refresh misses it.
inline long peakResidentKilobytes() {
    return statusKilobytes("VmHWM:");
}

} // namespace assi::bench
