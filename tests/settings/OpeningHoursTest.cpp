#include "settings/OpeningHours.h"

#include "settings/ConversionError.h"
#include "settings/ScaleSetting.h"

#include <array>
#include <gtest/gtest.h>
#include <optional>

using namespace assi;
using namespace Qt::StringLiterals;

namespace {

// 2026-12-07 is a Monday.
QDateTime at(int day, int hour, int minute) {
    return QDateTime(QDate(2026, 12, 7).addDays(day - 7), QTime(hour, minute));
}

OpeningHours hours(const char16_t* opens, const char16_t* closes, const char16_t* days) {
    OpeningHours h;
    h.opensAt = parseClockTime(QStringView(opens), 0);
    h.closesAt = parseClockTime(QStringView(closes), OpeningHours::MinutesPerDay);
    h.days = parseOpeningDays(QStringView(days));
    return h;
}

} // namespace

TEST(OpeningHours, OpenWithinTheHoursOfTheListedDays) {
    struct Case {
        const char16_t* opens;
        const char16_t* closes;
        const char16_t* days;
        QDateTime moment;
        bool open;
    };
    const Case cases[] = {
        {u"", u"", u"", at(13, 3, 0), true}, // nothing set: always open
        {u"08:00", u"19:00", u"seg-sex", at(7, 8, 0), true},
        {u"08:00", u"19:00", u"seg-sex", at(7, 7, 59), false},
        {u"08:00", u"19:00", u"seg-sex", at(7, 18, 59), true},
        {u"08:00", u"19:00", u"seg-sex", at(7, 19, 0), false},  // closing time is closed
        {u"08:00", u"19:00", u"seg-sex", at(12, 10, 0), false}, // Saturday
        {u"8:30", u"24:00", u"", at(9, 23, 59), true},
        {u"", u"12:00", u"SÁB, Dom", at(12, 11, 0), true},
        {u"", u"12:00", u"SÁB, Dom", at(11, 11, 0), false},
        {u"07:00", u"07:00", u"qua", at(9, 3, 0), true}, // equal times: the whole day
        // A night shift spans midnight; after midnight it is the day it began.
        {u"22:00", u"06:00", u"seg-sex", at(11, 23, 0), true},  // Friday night
        {u"22:00", u"06:00", u"seg-sex", at(12, 5, 59), true},  // ...into Saturday
        {u"22:00", u"06:00", u"seg-sex", at(12, 22, 0), false}, // no Saturday shift
        {u"22:00", u"06:00", u"seg-sex", at(7, 3, 0), false},   // Sunday's did not start
        {u"22:00", u"06:00", u"seg-sex", at(8, 3, 0), true},
        {u"22:00", u"06:00", u"seg-sex", at(8, 12, 0), false},
        {u"", u"", u"sex-seg", at(13, 12, 0), true}, // a range over the weekend
        {u"", u"", u"sex-seg", at(8, 12, 0), false},
    };
    for (const Case& c : cases) {
        const OpeningHours h = hours(c.opens, c.closes, c.days);
        EXPECT_EQ(h.isOpenAt(c.moment), c.open)
            << QString::fromUtf16(c.opens).toStdString() << "-"
            << QString::fromUtf16(c.closes).toStdString() << " "
            << QString::fromUtf16(c.days).toStdString() << " at "
            << c.moment.toString(Qt::ISODate).toStdString();
    }
    EXPECT_TRUE(hours(u"", u"", u"").isAlwaysOpen());
    EXPECT_FALSE(hours(u"08:00", u"", u"").isAlwaysOpen());
}

// Held to a minute-by-minute walk over isOpenAt, in UTC so the walk needs no
// time zone: night shifts, an opening at 24:00, whole days in a row (which
// open once, at midnight), a moment into a minute, and hours that never close.
TEST(OpeningHours, TheNextOpeningIsTheFirstMinuteThatTurnsOpen) {
    const std::array<const char16_t*, 3> settings[] = {
        {u"08:00", u"19:00", u"seg-sex"}, {u"22:00", u"06:00", u"seg,qua"},
        {u"24:00", u"06:00", u"seg"},     {u"", u"", u"sex-seg"},
        {u"07:00", u"07:00", u"qua"},     {u"", u"", u""},
    };
    const auto walk = [](const OpeningHours& h, const QDateTime& from) {
        QDateTime minute(from.date(), QTime(from.time().hour(), from.time().minute()), Qt::UTC);
        for (minute = minute < from ? minute.addSecs(60) : minute; minute < from.addDays(9);
             minute = minute.addSecs(60)) {
            if (h.isOpenAt(minute) && !h.isOpenAt(minute.addSecs(-60)))
                return std::optional(minute);
        }
        return std::optional<QDateTime>();
    };
    for (const auto& [opens, closes, days] : settings) {
        const OpeningHours h = hours(opens, closes, days);
        for (int hour = 0; hour < 24 * 7; hour += 5) {
            const QDateTime from =
                QDateTime(QDate(2026, 12, 7), QTime(0, 17, hour % 2 * 30), Qt::UTC)
                    .addSecs(hour * 3600);
            EXPECT_EQ(h.nextOpening(from), walk(h, from))
                << QString::fromUtf16(opens).toStdString() << "-"
                << QString::fromUtf16(closes).toStdString() << " "
                << QString::fromUtf16(days).toStdString() << " from "
                << from.toString(Qt::ISODate).toStdString();
        }
    }
    // The clock carries its offset from UTC, and so does the opening.
    const QDateTime summer(QDate(2026, 7, 6), QTime(7, 0), Qt::OffsetFromUTC, 3600);
    EXPECT_EQ(hours(u"08:00", u"", u"").nextOpening(summer), summer.addSecs(3600));
    EXPECT_EQ(hours(u"08:00", u"", u"").nextOpening(summer)->timeSpec(), Qt::OffsetFromUTC);
}

TEST(OpeningHours, SaysWhenTheBoardOpensInWords) {
    const std::pair<QDateTime, QString> cases[] = {
        {at(7, 8, 0), u"abre hoje às 08:00"_s},
        {at(8, 22, 30), u"abre amanhã às 22:30"_s},
        {at(9, 0, 0), u"abre quarta-feira às 00:00"_s},
        {at(12, 8, 0), u"abre sábado às 08:00"_s},
        {at(14, 8, 0), u"abre segunda-feira às 08:00"_s},
    };
    for (const auto& [opening, said] : cases)
        EXPECT_EQ(describeOpening(opening, QDate(2026, 12, 7)).toStdString(), said.toStdString());
}

TEST(OpeningHours, MalformedTextsAreRefusedSayingWhatWasExpected) {
    const std::pair<std::function<void()>, QString> cases[] = {
        {[] { parseClockTime(u"25:00", 0); }, u"\"25:00\" não é uma hora HH:MM"_s},
        {[] { parseClockTime(u"24:01", 0); }, u"\"24:01\" não é uma hora HH:MM"_s},
        {[] { parseClockTime(u"8h30", 0); }, u"\"8h30\" não é uma hora HH:MM"_s},
        {[] { parseClockTime(u"08:5", 0); }, u"\"08:5\" não é uma hora HH:MM"_s},
        {[] { parseOpeningDays(u"segunda"); }, u"\"segunda\" não é uma lista de dias"_s},
        {[] { parseOpeningDays(u"seg-ter-qua"); }, u"\"seg-ter-qua\" não é uma lista de dias"_s},
        {[] { parseOpeningDays(u"seg,,ter"); }, u"\"seg,,ter\" não é uma lista de dias"_s},
    };
    for (const auto& [call, expected] : cases) {
        try {
            call();
            ADD_FAILURE() << "accepted: " << expected.toStdString();
        } catch (const ConversionError& error) {
            const QString text = expected.section(u'"', 1, 1);
            EXPECT_TRUE(error.describe(text).startsWith(expected))
                << error.describe(text).toStdString();
        }
    }
}

TEST(ScaleSetting, PercentagesOrAutoFromTheScreensLines) {
    struct Case {
        const char16_t* text;
        int lines;
        double factor;
    };
    const Case cases[] = {
        {u"", 2160, 1.0},      {u"100", 2160, 1.0},  {u"150", 1080, 1.5},
        {u" 200% ", 720, 2.0}, {u"auto", 1080, 1.0}, {u"AUTO", 1440, 1440.0 / 1080},
        {u"auto", 2160, 2.0},  {u"auto", 768, 1.0}, // never below the design size
    };
    for (const Case& c : cases)
        EXPECT_DOUBLE_EQ(parseScaleSetting(QStringView(c.text)).factorFor(c.lines), c.factor)
            << QString::fromUtf16(c.text).toStdString() << " at " << c.lines;
    for (const char16_t* bad : {u"grande", u"1,5", u"0", u"1000", u"-100"})
        EXPECT_THROW(parseScaleSetting(QStringView(bad)), ConversionError)
            << QString::fromUtf16(bad).toStdString();
}
