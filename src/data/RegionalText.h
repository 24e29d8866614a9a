#pragma once

#include <QDate>
#include <QTime>
#include <QVariant>

namespace assi {

// The text a value becomes when it is copied into a text field, as the board's
// users have always seen it: the regional formats of the process's C library
// locale (LC_TIME for dates, LC_NUMERIC for numbers), not Qt's.
//
// - null stays null; text is returned unchanged;
// - a date-time gives the regional short date ("%x"), followed by a blank and
//   the regional time ("%X") unless the time is midnight;
// - a whole number gives its digits; a decimal number its shortest text with
//   the regional decimal separator.
QVariant toRegionalText(const QVariant& value);

// The text toRegionalText gives a date-time of this date and time, read from
// them as they are: no time zone is looked up. An invalid time is a date alone.
QString regionalDateTimeText(const QDate& date, const QTime& time);

} // namespace assi
