#pragma once

#include <QDateTime>

namespace assi {

// The local time now, for a window that asks for it many times a second.
//
// A local QDateTime asks the C library for the zone on every conversion, and
// glibc re-reads /etc/localtime each time: the footer alone did that some
// twenty times a refresh. The time handed out here carries its UTC offset
// instead, so arithmetic and comparisons on it never touch the zone again;
// date(), time() and toString() still give the wall-clock time. The offset is
// looked up once a minute, and zones only ever change their offset on a
// minute's edge, so the time is never stale.
class LocalClock {
public:
    QDateTime now();
    // The same for a given instant, which must come in UTC.
    QDateTime localAt(const QDateTime& utc);

private:
    qint64 m_minute = -1;
    int m_offsetSeconds = 0;
};

} // namespace assi
