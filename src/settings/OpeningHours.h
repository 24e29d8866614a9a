#pragma once

#include <QDateTime>
#include <QStringView>
#include <array>
#include <optional>

namespace assi {

/// When the board is open: from `opensAt` to `closesAt` (minutes since
/// midnight, 0 to 1440) on the days marked in `days` (Monday first). A closing
/// time earlier than the opening time spans midnight, the hours after
/// midnight belonging to the day the shift began on; equal times mean the
/// whole day. The default is always open.
struct OpeningHours {
    static constexpr int MinutesPerDay = 24 * 60;

    int opensAt = 0;
    int closesAt = MinutesPerDay;
    std::array<bool, 7> days{true, true, true, true, true, true, true};

    bool isAlwaysOpen() const;
    bool isOpenAt(const QDateTime& moment) const;
    /// The first whole minute from `from` on at which the board opens (open
    /// then, closed the minute before), told as `from` is (local, UTC or an
    /// offset); none when it
    /// never closes or never opens.
    std::optional<QDateTime> nextOpening(const QDateTime& from) const;
    /// In words, for --check: "sempre aberto", or "das 08:00 às 19:00 (seg,ter)".
    QString describe() const;
};

/// When the board opens, in words for the closed screen: "abre hoje às 08:00",
/// "abre amanhã às 08:00", else the weekday ("abre segunda-feira às 08:00").
QString describeOpening(const QDateTime& opening, const QDate& today);

/// "HH:MM" on a 24-hour clock ("8:30" and "24:00" too), in minutes since
/// midnight; an empty text gives `whenEmpty`. Throws ConversionError otherwise.
int parseClockTime(QStringView text, int whenEmpty);

/// Weekdays by their Portuguese abbreviations (dom, seg, ter, qua, qui, sex,
/// sab), listed with commas and ranges with a hyphen ("seg-sex",
/// "seg,qua,sex-dom"); case, accents and blanks ignored. Monday first; an
/// empty text gives every day. Throws ConversionError otherwise.
std::array<bool, 7> parseOpeningDays(QStringView text);

} // namespace assi
