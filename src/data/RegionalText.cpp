#include "data/RegionalText.h"

#include <QDateTime>
#include <clocale>
#include <ctime>

using namespace Qt::StringLiterals;

namespace assi {

namespace {

QString formatWithCLibrary(const char* format, const QDate& date, const QTime& time) {
    int year = 0, month = 0, day = 0;
    date.getDate(&year, &month, &day);
    std::tm tm{};
    tm.tm_year = year - 1900;
    tm.tm_mon = month - 1;
    tm.tm_mday = day;
    tm.tm_wday = date.dayOfWeek() % 7;
    tm.tm_yday = date.dayOfYear() - 1;
    tm.tm_hour = time.hour();
    tm.tm_min = time.minute();
    tm.tm_sec = time.second();
    tm.tm_isdst = -1;
    char buffer[128];
    const size_t length = std::strftime(buffer, sizeof buffer, format, &tm);
    return QString::fromLocal8Bit(buffer, qsizetype(length));
}

QString regionalDecimal(double number) {
    QString text = QString::number(number, 'g', 15);
    const std::lconv* conventions = std::localeconv();
    const QString point = conventions && conventions->decimal_point && *conventions->decimal_point
                              ? QString::fromLocal8Bit(conventions->decimal_point)
                              : u"."_s;
    text.replace(u'.', point);
    return text;
}

} // namespace

QString regionalDateTimeText(const QDate& date, const QTime& time) {
    QString text = formatWithCLibrary("%x", date, time);
    if (time.isValid() && time != QTime(0, 0))
        text += u' ' + formatWithCLibrary("%X", date, time);
    return text;
}

QVariant toRegionalText(const QVariant& value) {
    if (value.isNull())
        return {};
    switch (value.typeId()) {
    case QMetaType::QString:
        return value;
    case QMetaType::QDateTime: {
        const QDateTime dateTime = value.toDateTime();
        return regionalDateTimeText(dateTime.date(), dateTime.time());
    }
    case QMetaType::QDate:
        return regionalDateTimeText(value.toDate(), QTime());
    case QMetaType::Double:
    case QMetaType::Float:
        return regionalDecimal(value.toDouble());
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::LongLong:
    case QMetaType::ULongLong:
    case QMetaType::Short:
    case QMetaType::UShort:
        return value.toString();
    default:
        break;
    }
    return value.toString();
}

} // namespace assi
