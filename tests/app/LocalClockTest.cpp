#include "app/LocalClock.h"

#include <ctime>
#include <gtest/gtest.h>

namespace assi {
namespace {

// Puts a time zone in force for one test and the old one back after it.
class ZoneInForce {
public:
    explicit ZoneInForce(const char* zone)
        : m_had(qEnvironmentVariableIsSet("TZ")), m_old(qgetenv("TZ")) {
        qputenv("TZ", zone);
        tzset();
    }
    ~ZoneInForce() {
        if (m_had)
            qputenv("TZ", m_old);
        else
            qunsetenv("TZ");
        tzset();
    }

private:
    bool m_had;
    QByteArray m_old;
};

QDateTime utc(const char* iso) {
    return QDateTime::fromString(QString::fromLatin1(iso), Qt::ISODate).toUTC();
}

// Across both of Lisbon's clock changes, asked minute after minute from one
// clock as the footer does: the wall time must follow the zone at once.
TEST(LocalClock, FollowsTheZoneAcrossItsClockChanges) {
    const ZoneInForce lisbon("Europe/Lisbon");
    struct Case {
        const char* instantUtc;
        const char* wallTime;
    };
    const Case cases[] = {
        {"2026-03-29T00:58:30Z", "2026-03-29 00:58:30"},
        {"2026-03-29T00:59:59Z", "2026-03-29 00:59:59"},
        {"2026-03-29T01:00:00Z", "2026-03-29 02:00:00"}, // summer time begins
        {"2026-03-29T01:00:40Z", "2026-03-29 02:00:40"},
        {"2026-10-25T00:59:59Z", "2026-10-25 01:59:59"},
        {"2026-10-25T01:00:00Z", "2026-10-25 01:00:00"}, // and ends
        {"2026-12-07T13:45:00Z", "2026-12-07 13:45:00"},
    };
    LocalClock clock;
    for (const Case& c : cases) {
        const QDateTime local = clock.localAt(utc(c.instantUtc));
        EXPECT_EQ(local.toString(u"yyyy-MM-dd HH:mm:ss"), QString::fromLatin1(c.wallTime))
            << c.instantUtc;
        EXPECT_EQ(local, utc(c.instantUtc)) << "the same instant, whatever its zone";
    }
}

} // namespace
} // namespace assi
