#include "settings/OpeningHours.h"

#include "settings/ConversionError.h"

#include <QRegularExpression>
#include <QStringList>
#include <QTimeZone>
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

// The closed screen's words for a weekday, Monday first.
const QString FullDayNames[DaysPerWeek] = {u"segunda-feira"_s, u"terça-feira"_s, u"quarta-feira"_s,
                                           u"quinta-feira"_s,  u"sexta-feira"_s, u"sábado"_s,
                                           u"domingo"_s};

int weekdayIndex(const QDate& date) {
    return date.dayOfWeek() - 1;
}

// Whether `hours` has the board open at `minute` (since midnight) of `date`.
bool isOpenOn(const OpeningHours& hours, const QDate& date, int minute) {
    const int today = weekdayIndex(date);
    const int yesterday = (today + DaysPerWeek - 1) % DaysPerWeek;
    const auto& days = hours.days;
    if (hours.opensAt == hours.closesAt)
        return days[size_t(today)];
    if (hours.opensAt < hours.closesAt)
        return days[size_t(today)] && minute >= hours.opensAt && minute < hours.closesAt;
    // A night shift: its hours after midnight belong to the day it began.
    return (days[size_t(today)] && minute >= hours.opensAt) ||
           (days[size_t(yesterday)] && minute < hours.closesAt);
}

// Whether the board opens at `minute` of `date`: open then, closed the minute before.
bool opensOn(const OpeningHours& hours, const QDate& date, int minute) {
    if (!isOpenOn(hours, date, minute))
        return false;
    if (minute == 0)
        return !isOpenOn(hours, date.addDays(-1), OpeningHours::MinutesPerDay - 1);
    return !isOpenOn(hours, date, minute - 1);
}

// `date` at `minute`, told the way `like` tells its time (local, UTC or a
// fixed offset): a clock that carries its offset gives a moment that does too.
QDateTime momentLike(const QDateTime& like, const QDate& date, int minute) {
    const QTime time(minute / MinutesPerHour, minute % MinutesPerHour);
    if (like.timeSpec() == Qt::TimeZone)
        return QDateTime(date, time, like.timeZone());
    if (like.timeSpec() == Qt::OffsetFromUTC)
        return QDateTime(date, time, Qt::OffsetFromUTC, like.offsetFromUtc());
    return QDateTime(date, time, like.timeSpec());
}

} // namespace

bool OpeningHours::isAlwaysOpen() const {
    const bool everyDay = std::all_of(days.begin(), days.end(), [](bool open) { return open; });
    return everyDay && (opensAt == closesAt || (opensAt == 0 && closesAt == MinutesPerDay));
}

bool OpeningHours::isOpenAt(const QDateTime& moment) const {
    const QTime time = moment.time();
    return isOpenOn(*this, moment.date(), time.hour() * MinutesPerHour + time.minute());
}

// The hours can only begin at the opening time or when a day begins (a day
// that is open all day after one that was not). Every such moment recurs
// within a week, and one more day covers an opening at 24:00, which is the
// next day's midnight.
std::optional<QDateTime> OpeningHours::nextOpening(const QDateTime& from) const {
    const QTime time = from.time();
    int firstMinute = time.hour() * MinutesPerHour + time.minute();
    // A moment into a minute waits for the next whole one.
    if (time.second() != 0 || time.msec() != 0)
        ++firstMinute;
    for (int offset = 0; offset <= DaysPerWeek + 1; ++offset) {
        const QDate date = from.date().addDays(offset);
        for (const int minute : {0, opensAt}) {
            if ((offset == 0 && minute < firstMinute) || minute >= MinutesPerDay)
                continue;
            if (opensOn(*this, date, minute))
                return momentLike(from, date, minute);
        }
    }
    return std::nullopt;
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

QString describeOpening(const QDateTime& opening, const QDate& today) {
    const QString clock = opening.time().toString(u"HH:mm"_s);
    const qint64 daysAhead = today.daysTo(opening.date());
    if (daysAhead == 0)
        return u"abre hoje às %1"_s.arg(clock);
    if (daysAhead == 1)
        return u"abre amanhã às %1"_s.arg(clock);
    return u"abre %1 às %2"_s.arg(FullDayNames[weekdayIndex(opening.date())], clock);
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
