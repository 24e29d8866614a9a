#include "database/QueryValues.h"

#include <limits>

namespace assi {

namespace {

// Two digits at `at`, or -1.
int twoDigits(QStringView text, qsizetype at) {
    const char16_t a = text[at].unicode(), b = text[at + 1].unicode();
    if (a < u'0' || a > u'9' || b < u'0' || b > u'9')
        return -1;
    return (a - u'0') * 10 + (b - u'0');
}

} // namespace

bool isWholeNumberType(QMetaType type) {
    switch (type.id()) {
    case QMetaType::Bool:
    case QMetaType::Char:
    case QMetaType::SChar:
    case QMetaType::UChar:
    case QMetaType::Short:
    case QMetaType::UShort:
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::Long:
    case QMetaType::ULong:
    case QMetaType::LongLong:
    case QMetaType::ULongLong:
        return true;
    default:
        return false;
    }
}

bool isDateTimeType(QMetaType type) {
    return type.id() == QMetaType::QDateTime || type.id() == QMetaType::QDate;
}

bool fitsInteger(const QVariant& value) {
    bool ok = false;
    const qlonglong n = value.toLongLong(&ok);
    return ok && n >= std::numeric_limits<qint32>::min() && n <= std::numeric_limits<qint32>::max();
}

std::optional<DateTimeFields> parseSqliteDateTime(QStringView text) {
    constexpr qsizetype wholeSeconds = 19; // "YYYY-MM-DD HH:MM:SS"
    constexpr qsizetype mostDecimals = 3;
    const qsizetype n = text.size();
    if (n != wholeSeconds && (n < wholeSeconds + 2 || n > wholeSeconds + 1 + mostDecimals))
        return std::nullopt;
    if (text[4] != u'-' || text[7] != u'-' || (text[10] != u' ' && text[10] != u'T') ||
        text[13] != u':' || text[16] != u':' || (n > wholeSeconds && text[wholeSeconds] != u'.'))
        return std::nullopt;
    const int century = twoDigits(text, 0), year = twoDigits(text, 2);
    DateTimeFields fields;
    fields.month = twoDigits(text, 5);
    fields.day = twoDigits(text, 8);
    fields.hour = twoDigits(text, 11);
    fields.minute = twoDigits(text, 14);
    fields.second = twoDigits(text, 17);
    if (century < 0 || year < 0 || fields.month < 0 || fields.day < 0 || fields.hour < 0 ||
        fields.minute < 0 || fields.second < 0)
        return std::nullopt;
    fields.year = century * 100 + year;
    int scale = 100;
    for (qsizetype i = wholeSeconds + 1; i < n; ++i, scale /= 10) {
        const char16_t d = text[i].unicode();
        if (d < u'0' || d > u'9')
            return std::nullopt;
        fields.msec += int(d - u'0') * scale;
    }
    if (!fields.date().isValid() || !fields.time().isValid())
        return std::nullopt;
    return fields;
}

} // namespace assi
