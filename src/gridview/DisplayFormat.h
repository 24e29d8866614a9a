#pragma once

#include <QDate>
#include <QString>
#include <QVariant>
#include <optional>

namespace assi {

/// The name of the display format that shows values as they are.
inline constexpr char16_t GeneralFormat[] = u"General";

/// The text a grid cell shows for `value` under a style's display `format`.
///
/// "General" (or no format) shows texts as they stand, dates as regional
/// short dates. A date pattern ("dd-MM-yyyy", with the letters of
/// QDate::toString) is applied to date values and to texts that read as a
/// regional short date (see dateFromRegionalText); a text that does not read
/// as a date, and any value under a format that is not a date pattern, shows
/// as General. A null value shows as the empty text.
QString formatForDisplay(const QVariant& value, const QString& format);

/// Reads `text` as a short date in the day, month and year order that the C
/// library's current LC_TIME locale uses for "%x" (06/12/2026 is 6 December
/// under pt_PT, 12 June under en_US), with any one- or two-character
/// separators. A four-digit first number reads as year-month-day; a two-digit
/// year falls in 1930-2029. Nothing when the text is not a valid date.
std::optional<QDate> dateFromRegionalText(const QString& text);

/// `date` as the C library's current short date ("%x").
QString regionalShortDate(QDate date);

} // namespace assi
