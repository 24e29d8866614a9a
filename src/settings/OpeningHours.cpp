#include "settings/OpeningHours.h"

#include "settings/ConversionError.h"

#include <QRegularExpression>
#include <QStringList>
#include <algorithm>

using namespace Qt::StringLiterals;

namespace assi {

namespace {

constexpr int DaysPerWeek = 7;
constexpr int MinutesPerHour = 60;
constexpr int HoursPerDay = 24;

// Monday first, as QDate::dayOfWeek() counts.
const QString DayNames[DaysPerWeek] = {u"seg"_s, u"ter"_s, u"qua"_s, u"qui"_s,
                                       u"sex"_s, u"sab"_s, u"dom"_s};

ConversionError malformedDays() {
    return ConversionError(ConversionError::Kind::Malformed,
                           u"uma lista de dias como seg-sex ou seg,qua,sex"_s);
}

// Lower case without accents: "Sáb" -> "sab".
QString folded(QStringView text) {
    QString plain;
    for (const QChar c : text.toString().normalized(QString::NormalizationForm_D)) {
        if (c.category() != QChar::Mark_NonSpacing)
            plain += c.toLower();
    }
    return plain;
}

int dayIndex(QStringView name) {
    const auto* found = std::find(std::begin(DayNames), std::end(DayNames), name);
    if (found == std::end(DayNames))
        throw malformedDays();
    return int(found - std::begin(DayNames));
}

int weekdayIndex(const QDate& date) {
    return date.dayOfWeek() - 1;
}

} // namespace

bool OpeningHours::isAlwaysOpen() const {
    const bool everyDay = std::all_of(days.begin(), days.end(), [](bool open) { return open; });
    return everyDay && (opensAt == closesAt || (opensAt == 0 && closesAt == MinutesPerDay));
}

bool OpeningHours::isOpenAt(const QDateTime& moment) const {
    const QTime time = moment.time();
    const int minute = time.hour() * MinutesPerHour + time.minute();
    const int today = weekdayIndex(moment.date());
    const int yesterday = (today + DaysPerWeek - 1) % DaysPerWeek;
    if (opensAt == closesAt)
        return days[size_t(today)];
    if (opensAt < closesAt)
        return days[size_t(today)] && minute >= opensAt && minute < closesAt;
    // A night shift: its hours after midnight belong to the day it began.
    return (days[size_t(today)] && minute >= opensAt) ||
           (days[size_t(yesterday)] && minute < closesAt);
}

QString OpeningHours::describe() const {
    if (isAlwaysOpen())
        return u"sempre aberto"_s;
    // As a reader writes them, accent included.
    static const QString shownNames[DaysPerWeek] = {u"seg"_s, u"ter"_s, u"qua"_s, u"qui"_s,
                                                    u"sex"_s, u"sáb"_s, u"dom"_s};
    QStringList openDays;
    for (size_t day = 0; day < days.size(); ++day) {
        if (days[day])
            openDays << shownNames[day];
    }
    const auto clock = [](int minutes) {
        return u"%1:%2"_s.arg(minutes / MinutesPerHour, 2, 10, QChar(u'0'))
            .arg(minutes % MinutesPerHour, 2, 10, QChar(u'0'));
    };
    return u"das %1 às %2 (%3)"_s.arg(clock(opensAt), clock(closesAt), openDays.join(u','));
}

int parseClockTime(QStringView text, int whenEmpty) {
    const QStringView trimmed = text.trimmed();
    if (trimmed.isEmpty())
        return whenEmpty;
    static const QRegularExpression clock(u"^(\\d{1,2}):(\\d{2})$"_s);
    const QRegularExpressionMatch match = clock.match(trimmed.toString());
    const int hours = match.hasMatch() ? match.captured(1).toInt() : -1;
    const int minutes = match.hasMatch() ? match.captured(2).toInt() : -1;
    const bool valid = hours >= 0 && minutes >= 0 && minutes < MinutesPerHour &&
                       (hours < HoursPerDay || (hours == HoursPerDay && minutes == 0));
    if (!valid)
        throw ConversionError(ConversionError::Kind::Malformed, u"uma hora HH:MM"_s);
    return hours * MinutesPerHour + minutes;
}

std::array<bool, 7> parseOpeningDays(QStringView text) {
    std::array<bool, 7> days{};
    QString plain = folded(text);
    plain.remove(u' ').remove(u'\t');
    if (plain.isEmpty()) {
        days.fill(true);
        return days;
    }
    for (const QStringView item : QStringView(plain).tokenize(u',')) {
        const qsizetype dash = item.indexOf(u'-');
        const int first = dayIndex(dash < 0 ? item : item.first(dash));
        const int last = dash < 0 ? first : dayIndex(item.sliced(dash + 1));
        // "sex-seg" wraps over the weekend.
        for (int d = first;; d = (d + 1) % DaysPerWeek) {
            days[size_t(d)] = true;
            if (d == last)
                break;
        }
    }
    return days;
}

} // namespace assi
