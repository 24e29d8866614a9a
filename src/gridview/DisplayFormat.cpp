#include "gridview/DisplayFormat.h"

#include <QDateTime>
#include <QLocale>
#include <QRegularExpression>
#include <algorithm>
#include <array>
#include <clocale>
#include <ctime>
#include <string>

using namespace Qt::StringLiterals;

namespace assi {

namespace {

enum class DatePart { Day, Month, Year };
using DateOrder = std::array<DatePart, 3>;

// What the current LC_TIME locale means for short dates. The locale may be
// switched while the program runs, so this is looked up again whenever its
// name changes, and kept otherwise: cells are formatted at every paint.
struct RegionalDates {
    DateOrder order{DatePart::Day, DatePart::Month, DatePart::Year};
    QLocale locale = QLocale::c();
};

std::string formatTm(const char* pattern, const std::tm& tm) {
    char buffer[128];
    const size_t length = std::strftime(buffer, sizeof buffer, pattern, &tm);
    return std::string(buffer, length);
}

std::tm tmFor(QDate date, QTime time = QTime(0, 0)) {
    std::tm tm{};
    tm.tm_year = date.year() - 1900;
    tm.tm_mon = date.month() - 1;
    tm.tm_mday = date.day();
    tm.tm_wday = date.dayOfWeek() % 7;
    tm.tm_yday = date.dayOfYear() - 1;
    tm.tm_hour = time.hour();
    tm.tm_min = time.minute();
    tm.tm_sec = time.second();
    return tm;
}

RegionalDates readRegionalDates() {
    RegionalDates result;
    const char* name = std::setlocale(LC_TIME, nullptr);
    const QString localeName = QString::fromLocal8Bit(name ? name : "C");
    if (localeName != u"C"_s && localeName != u"POSIX"_s)
        result.locale = QLocale(localeName.section(u'.', 0, 0));

    // 22 November 2033: day, month and year are told apart by their digits.
    const QString sample = QString::fromLocal8Bit(formatTm("%x", tmFor(QDate(2033, 11, 22))));
    const qsizetype day = sample.indexOf(u"22"_s);
    const qsizetype month = sample.indexOf(u"11"_s);
    const qsizetype year = sample.indexOf(u"33"_s);
    if (day < 0 || month < 0 || year < 0)
        return result;
    std::array<std::pair<qsizetype, DatePart>, 3> parts{
        {{day, DatePart::Day}, {month, DatePart::Month}, {year, DatePart::Year}}};
    std::sort(parts.begin(), parts.end());
    result.order = {parts[0].second, parts[1].second, parts[2].second};
    return result;
}

const RegionalDates& regionalDates() {
    thread_local std::string cachedName;
    thread_local RegionalDates cached;
    const char* name = std::setlocale(LC_TIME, nullptr);
    const std::string current = name ? name : "C";
    if (current != cachedName || cachedName.empty()) {
        cached = readRegionalDates();
        cachedName = current;
    }
    return cached;
}

bool isDatePattern(const QString& format) {
    bool quoted = false;
    for (const QChar c : format) {
        if (c == u'\'')
            quoted = !quoted;
        else if (!quoted && (c == u'd' || c == u'M' || c == u'y'))
            return true;
    }
    return false;
}

QString generalText(const QVariant& value) {
    switch (value.metaType().id()) {
    case QMetaType::QDate:
        return regionalShortDate(value.toDate());
    case QMetaType::QDateTime: {
        const QDateTime dateTime = value.toDateTime();
        if (dateTime.time() == QTime(0, 0))
            return regionalShortDate(dateTime.date());
        return QString::fromLocal8Bit(formatTm("%x %X", tmFor(dateTime.date(), dateTime.time())));
    }
    default:
        return value.toString();
    }
}

} // namespace

QString regionalShortDate(QDate date) {
    return QString::fromLocal8Bit(formatTm("%x", tmFor(date)));
}

std::optional<QDate> dateFromRegionalText(const QString& text) {
    static const QRegularExpression shape(
        uR"(^\s*(\d{1,4})[^\p{L}\d]{1,2}(\d{1,2})[^\p{L}\d]{1,2}(\d{1,4})\s*$)"_s);
    const QRegularExpressionMatch match = shape.match(text);
    if (!match.hasMatch())
        return std::nullopt;

    const QString first = match.captured(1);
    DateOrder order = regionalDates().order;
    if (first.size() == 4)
        order = {DatePart::Year, DatePart::Month, DatePart::Day};

    int day = 0, month = 0, year = 0, yearDigits = 0;
    for (int i = 0; i < 3; ++i) {
        const QString digits = match.captured(i + 1);
        const int number = digits.toInt();
        switch (order[size_t(i)]) {
        case DatePart::Day:
            if (digits.size() > 2)
                return std::nullopt;
            day = number;
            break;
        case DatePart::Month:
            if (digits.size() > 2)
                return std::nullopt;
            month = number;
            break;
        case DatePart::Year:
            year = number;
            yearDigits = int(digits.size());
            break;
        }
    }
    if (yearDigits == 3)
        return std::nullopt;
    if (yearDigits <= 2)
        year += year < 30 ? 2000 : 1900;
    const QDate date(year, month, day);
    if (!date.isValid())
        return std::nullopt;
    return date;
}

QString formatForDisplay(const QVariant& value, const QString& format) {
    if (value.isNull())
        return QString();
    if (format.isEmpty() || format.compare(QStringView(GeneralFormat), Qt::CaseInsensitive) == 0 ||
        !isDatePattern(format))
        return generalText(value);

    const QLocale& locale = regionalDates().locale;
    switch (value.metaType().id()) {
    case QMetaType::QDate:
        return locale.toString(value.toDate(), format);
    case QMetaType::QDateTime:
        return locale.toString(value.toDateTime(), format);
    default:
        break;
    }
    const QString text = value.toString();
    if (const auto date = dateFromRegionalText(text))
        return locale.toString(*date, format);
    return text;
}

} // namespace assi
