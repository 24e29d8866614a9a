#include "data/FieldTexts.h"

#include "core/TextCut.h"
#include "data/RegionalText.h"

#include <QDateTime>

namespace assi {

namespace {

// After this many texts of a column, sharing goes on only if most of them
// were repeats.
constexpr int sharingTrial = 512;
constexpr qint64 msecsPerDay = 24 * 60 * 60 * 1000;

int cutSize(int size) {
    return size > 0 ? size : -1;
}

} // namespace

QVariant FieldTexts::text(QueryCells& cells, int column, int size, DateShown shown) {
    if (size_t(column) >= m_columns.size())
        m_columns.resize(size_t(column) + 1);
    ColumnTexts& texts = m_columns[size_t(column)];
    const QueryCell cell = cells.cell(column);
    switch (cell.kind) {
    case QueryCell::Kind::Null:
        return {};
    case QueryCell::Kind::DateTime:
        return dateText(texts, cell.dateTime, size, shown);
    case QueryCell::Kind::Text:
        break;
    }
    return sharedText(texts, cell.text, size);
}

QString FieldTexts::sharedText(ColumnTexts& column, const QString& text, int size) {
    if (!column.sharing)
        return cutToCharacters(text, cutSize(size));
    if (++column.looked == sharingTrial && column.shared.size() > sharingTrial / 2) {
        column.sharing = false;
        column.shared = {};
        return cutToCharacters(text, cutSize(size));
    }
    auto found = column.shared.constFind(text);
    if (found == column.shared.cend())
        found = column.shared.insert(text, cutToCharacters(text, cutSize(size)));
    return *found;
}

QString FieldTexts::dateText(ColumnTexts& column, const DateTimeFields& dateTime, int size,
                             DateShown shown) {
    const QDate date = dateTime.date();
    const QTime time = dateTime.time();
    const qint64 key = shown == DateShown::DateOnly
                           ? date.toJulianDay()
                           : date.toJulianDay() * msecsPerDay + time.msecsSinceStartOfDay();
    auto found = column.dates.constFind(key);
    if (found != column.dates.cend())
        return *found;
    QString text;
    if (shown == DateShown::DateOnly) {
        text = regionalDateTimeText(date, QTime());
    } else {
        // As a local date-time, as the board always held them: a time that
        // the clocks skip reads as the one they jump to.
        const QDateTime local(date, time);
        text = regionalDateTimeText(local.date(), local.time());
    }
    return *column.dates.insert(key, cutToCharacters(text, cutSize(size)));
}

} // namespace assi
