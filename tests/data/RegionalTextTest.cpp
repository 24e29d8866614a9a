#include "data/RegionalText.h"

#include "common/ScopedLocale.h"

#include <QDateTime>
#include <gtest/gtest.h>

using namespace assi;
using namespace Qt::StringLiterals;

namespace {

struct Case {
    const char* locale;
    QVariant value;
    QVariant expected; // invalid: null
};

} // namespace

TEST(RegionalText, FollowsTheCLibraryRegionalFormats) {
    const QDate day(2026, 12, 6);
    const Case cases[] = {
        // Short date, then the time when it is not midnight.
        {"pt_PT.UTF-8", QDateTime(day, QTime(14, 35)), u"06/12/2026 14:35:00"_s},
        {"pt_PT.UTF-8", QDateTime(day, QTime(0, 0)), u"06/12/2026"_s},
        {"pt_PT.UTF-8", QDateTime(day, QTime(0, 0, 1)), u"06/12/2026 00:00:01"_s},
        {"pt_PT.UTF-8", day, u"06/12/2026"_s},
        {"en_US.UTF-8", QDateTime(day, QTime(0, 0)), u"12/06/2026"_s},
        {"C", QDateTime(day, QTime(0, 0)), u"12/06/26"_s},
        {"C", QDateTime(QDate(1999, 1, 2), QTime(9, 5, 7)), u"01/02/99 09:05:07"_s},
        // Numbers: the regional decimal separator, never a group separator.
        {"pt_PT.UTF-8", 1.5, u"1,5"_s},
        {"en_US.UTF-8", 1.5, u"1.5"_s},
        {"en_US.UTF-8", 1234567.25, u"1234567.25"_s},
        {"pt_PT.UTF-8", 2026, u"2026"_s},
        {"pt_PT.UTF-8", qlonglong(-42), u"-42"_s},
        // Texts and nulls pass untouched.
        {"pt_PT.UTF-8", u"Conceição"_s, u"Conceição"_s},
        {"pt_PT.UTF-8", u""_s, u""_s},
        {"pt_PT.UTF-8", QVariant(), QVariant()},
    };
    for (const Case& c : cases) {
        test::ScopedLocale locale(c.locale);
        if (!locale.ok())
            GTEST_SKIP() << c.locale << " is not installed";
        SCOPED_TRACE(std::string(c.locale) + " " + c.value.toString().toStdString());
        const QVariant text = toRegionalText(c.value);
        EXPECT_EQ(text.isNull(), c.expected.isNull());
        EXPECT_EQ(text.toString(), c.expected.toString());
    }
}
