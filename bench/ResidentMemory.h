#pragma once

#include <QByteArray>
#include <QFile>

namespace assi::bench {

// This process's resident memory (VmRSS) in kB, or -1 where it cannot be read.
inline long residentKilobytes() {
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return -1;
    for (const QByteArray& line : status.readAll().split('\n')) {
        if (line.startsWith("VmRSS:"))
            return line.mid(6).trimmed().split(' ').value(0).toLong();
    }
    return -1;
}

} // namespace assi::bench
