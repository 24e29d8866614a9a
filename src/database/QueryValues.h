#pragma once

#include <QDate>
#include <QMetaType>
#include <QStringView>
#include <QTime>
#include <QVariant>
#include <optional>

namespace assi {

// How the board reads the values of a query result, shared by the result read
// whole (recordsetFromQuery) and the one read row by row (QueryCells).

bool isWholeNumberType(QMetaType type);
bool isDateTimeType(QMetaType type);
/// Whether `value` reads as a whole number within 32 bits.
bool fitsInteger(const QVariant& value);

/// A date and time as a database wrote it, with no time zone applied.
struct DateTimeFields {
    int year = 0, month = 0, day = 0;
    int hour = 0, minute = 0, second = 0, msec = 0;

    QDate date() const { return QDate(year, month, day); }
    QTime time() const { return QTime(hour, minute, second, msec); }
};

/// SQLite's own text form of a date-time: "YYYY-MM-DD HH:MM:SS", 'T' allowed
/// for the blank, optionally with one to three decimals of a second; none
/// for any other text or an impossible date or time.
std::optional<DateTimeFields> parseSqliteDateTime(QStringView text);

} // namespace assi
