#include "app/LocalClock.h"

namespace assi {

QDateTime LocalClock::now() {
    return localAt(QDateTime::currentDateTimeUtc());
}

QDateTime LocalClock::localAt(const QDateTime& utc) {
    // Floored, so an instant before 1970 does not share a minute with the next.
    const qint64 minute = utc.toSecsSinceEpoch() / 60 - (utc.toSecsSinceEpoch() % 60 < 0);
    if (minute != m_minute) {
        m_offsetSeconds = utc.toLocalTime().offsetFromUtc();
        m_minute = minute;
    }
    return utc.toOffsetFromUtc(m_offsetSeconds);
}

} // namespace assi
