#include "gridview/DisplayFormat.h"

#include "common/ScopedLocale.h"

#include <QDateTime>
#include <gtest/gtest.h>

using namespace assi;
using namespace Qt::StringLiterals;

namespace {

struct Case {
    QVariant value;
    QString format;
    QString expected;
};

void expectAll(const char* locale, std::initializer_list<Case> cases) {
    const test::ScopedLocale scoped(locale);
    if (!scoped.ok())
        GTEST_SKIP() << locale << " is not installed";
    for (const Case& c : cases)
        EXPECT_EQ(formatForDisplay(c.value, c.format), c.expected)
            << locale << ": " << c.value.toString().toStdString() << " as "
            << c.format.toStdString();
}

} // namespace

TEST(DisplayFormat, ReadsShortDatesInThePortugueseOrder) {
    expectAll("pt_PT.UTF-8", {
                                 {u"06/12/2026"_s, u"dd-MM-yyyy"_s, u"06-12-2026"_s},
                                 {u"6/1/2026"_s, u"dd-MM-yyyy"_s, u"06-01-2026"_s},
                                 {u"06-12-2026"_s, u"dd-MM-yyyy"_s, u"06-12-2026"_s},
                                 {u"06/12/26"_s, u"dd-MM-yyyy"_s, u"06-12-2026"_s},
                                 {u"06/12/45"_s, u"dd-MM-yyyy"_s, u"06-12-1945"_s},
                                 {u"2026-12-06"_s, u"dd-MM-yyyy"_s, u"06-12-2026"_s},
                                 {u"12/31/2026"_s, u"dd-MM-yyyy"_s, u"12/31/2026"_s},
                                 {u"31/02/2026"_s, u"dd-MM-yyyy"_s, u"31/02/2026"_s},
                                 {u"06/12/2026"_s, u"General"_s, u"06/12/2026"_s},
                                 {QDate(2026, 12, 6), u"General"_s, u"06/12/2026"_s},
                             });
}

TEST(DisplayFormat, ReadsShortDatesInTheAmericanOrder) {
    expectAll("en_US.UTF-8", {
                                 {u"12/06/2026"_s, u"dd-MM-yyyy"_s, u"06-12-2026"_s},
                                 {u"12/31/2026"_s, u"dd-MM-yyyy"_s, u"31-12-2026"_s},
                                 {u"31/12/2026"_s, u"dd-MM-yyyy"_s, u"31/12/2026"_s},
                                 {QDate(2026, 12, 6), u"General"_s, u"12/06/2026"_s},
                             });
}

TEST(DisplayFormat, ShowsWhatIsNotADateAsItStands) {
    expectAll("pt_PT.UTF-8",
              {
                  {u"Sem data"_s, u"dd-MM-yyyy"_s, u"Sem data"_s},
                  {u"06 Dez 2026"_s, u"dd-MM-yyyy"_s, u"06 Dez 2026"_s},
                  {u"2026/15"_s, u"dd-MM-yyyy"_s, u"2026/15"_s},
                  {u""_s, u"dd-MM-yyyy"_s, u""_s},
                  {QVariant(), u"dd-MM-yyyy"_s, u""_s},
                  {QVariant(), u"General"_s, u""_s},
                  {u"06/12/2026"_s, u"0.00"_s, u"06/12/2026"_s},
                  {42, u"General"_s, u"42"_s},
                  {QDate(2026, 12, 6), u"yyyy.MM.dd"_s, u"2026.12.06"_s},
                  {QDateTime(QDate(2026, 12, 6), QTime(14, 35)), u"dd-MM-yyyy"_s, u"06-12-2026"_s},
              });
}

TEST(DisplayFormat, FollowsTheLocaleWhenItChangesWhileRunning) {
    const QString text = u"01/02/2026"_s;
    {
        const test::ScopedLocale pt("pt_PT.UTF-8");
        if (!pt.ok())
            GTEST_SKIP();
        EXPECT_EQ(formatForDisplay(text, u"dd-MM-yyyy"_s), u"01-02-2026"_s);
    }
    {
        const test::ScopedLocale us("en_US.UTF-8");
        if (!us.ok())
            GTEST_SKIP();
        EXPECT_EQ(formatForDisplay(text, u"dd-MM-yyyy"_s), u"02-01-2026"_s);
    }
}
