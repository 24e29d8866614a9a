#include "QueryRecordset.h"

#include "BoardError.h"

#include <QDateTime>
#include <QSet>
#include <QSqlError>
#include <QSqlField>
#include <QSqlQuery>
#include <QSqlRecord>
#include <limits>
#include <optional>
#include <vector>

using namespace Qt::StringLiterals;

namespace assi {

namespace {

enum class Kind { Integer, DateTime, Text };

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

// Two digits at `at`, or -1.
int twoDigits(const QString& text, qsizetype at) {
    const char16_t a = text[at].unicode(), b = text[at + 1].unicode();
    if (a < u'0' || a > u'9' || b < u'0' || b > u'9')
        return -1;
    return (a - u'0') * 10 + (b - u'0');
}

// SQLite's own text form of a date-time: "YYYY-MM-DD HH:MM:SS", 'T' allowed
// for the blank, optionally with one to three decimals of a second.
std::optional<QDateTime> sqliteDateTime(const QVariant& value) {
    if (value.metaType().id() != QMetaType::QString)
        return std::nullopt;
    constexpr qsizetype wholeSeconds = 19; // "YYYY-MM-DD HH:MM:SS"
    constexpr qsizetype mostDecimals = 3;
    const QString text = value.toString();
    const qsizetype n = text.size();
    if (n != wholeSeconds && (n < wholeSeconds + 2 || n > wholeSeconds + 1 + mostDecimals))
        return std::nullopt;
    if (text[4] != u'-' || text[7] != u'-' || (text[10] != u' ' && text[10] != u'T') ||
        text[13] != u':' || text[16] != u':' || (n > wholeSeconds && text[wholeSeconds] != u'.'))
        return std::nullopt;
    const int century = twoDigits(text, 0), year = twoDigits(text, 2);
    const int month = twoDigits(text, 5), day = twoDigits(text, 8);
    const int hour = twoDigits(text, 11), minute = twoDigits(text, 14),
              second = twoDigits(text, 17);
    if (century < 0 || year < 0 || month < 0 || day < 0 || hour < 0 || minute < 0 || second < 0)
        return std::nullopt;
    int msec = 0;
    int scale = 100;
    for (qsizetype i = wholeSeconds + 1; i < n; ++i, scale /= 10) {
        const char16_t d = text[i].unicode();
        if (d < u'0' || d > u'9')
            return std::nullopt;
        msec += int(d - u'0') * scale;
    }
    const QDate date(century * 100 + year, month, day);
    const QTime time(hour, minute, second, msec);
    if (!date.isValid() || !time.isValid())
        return std::nullopt;
    return QDateTime(date, time);
}

// Turns every non-null value of one column into a date-time, or leaves the
// column alone and answers false when one of them is not a date-time.
bool convertSqliteDates(std::vector<QVariant>& cells, int columns, int rows, int column) {
    std::vector<QVariant> converted(static_cast<size_t>(rows));
    bool any = false;
    for (int r = 0; r < rows; ++r) {
        const QVariant& v = cells[size_t(r) * columns + column];
        if (v.isNull())
            continue;
        const std::optional<QDateTime> parsed = sqliteDateTime(v);
        if (!parsed)
            return false;
        converted[size_t(r)] = *parsed;
        any = true;
    }
    if (!any)
        return false;
    for (int r = 0; r < rows; ++r)
        cells[size_t(r) * columns + column] = std::move(converted[size_t(r)]);
    return true;
}

QStringList uniqueNames(const QSqlRecord& record) {
    QStringList names;
    QSet<QString> taken;
    int unnamed = 0;
    for (int i = 0; i < record.count(); ++i) {
        QString name = record.fieldName(i);
        if (name.isEmpty())
            name = u"Expr%1"_s.arg(++unnamed);
        const QString base = name;
        for (int n = 2; taken.contains(name.toLower()); ++n)
            name = u"%1_%2"_s.arg(base).arg(n);
        taken.insert(name.toLower());
        names.append(name);
    }
    return names;
}

} // namespace

Recordset recordsetFromQuery(QSqlQuery& query, DatabaseEngine engine) {
    const QSqlRecord record = query.record();
    const int columns = record.count();

    std::vector<QVariant> cells;
    int rows = 0;
    while (query.next()) {
        for (int c = 0; c < columns; ++c) {
            QVariant v = query.value(c);
            cells.push_back(v.isNull() ? QVariant() : std::move(v));
        }
        ++rows;
    }
    if (query.lastError().isValid())
        throw BoardError(query.lastError().text().trimmed());

    auto cell = [&](int row, int column) -> QVariant& {
        return cells[size_t(row) * columns + column];
    };

    std::vector<Kind> kinds(columns, Kind::Text);
    for (int c = 0; c < columns; ++c) {
        const QMetaType type = record.field(c).metaType();
        if (isWholeNumberType(type)) {
            bool allFit = true;
            for (int r = 0; r < rows && allFit; ++r)
                allFit = cell(r, c).isNull() || fitsInteger(cell(r, c));
            if (allFit)
                kinds[c] = Kind::Integer;
        } else if (isDateTimeType(type)) {
            kinds[c] = Kind::DateTime;
            for (int r = 0; r < rows; ++r) {
                QVariant& v = cell(r, c);
                if (v.metaType().id() == QMetaType::QDate)
                    v = v.toDate().startOfDay();
            }
        } else if (engine == DatabaseEngine::Sqlite &&
                   convertSqliteDates(cells, columns, rows, c)) {
            kinds[c] = Kind::DateTime;
        }
    }

    Recordset result;
    const QStringList names = uniqueNames(record);
    for (int c = 0; c < columns; ++c) {
        const FieldType type = kinds[c] == Kind::Integer    ? FieldType::Integer
                               : kinds[c] == Kind::DateTime ? FieldType::DateTime
                                                            : FieldType::Text;
        result.appendField(names[c], type);
    }
    for (int r = 0; r < rows; ++r) {
        result.addNew();
        for (int c = 0; c < columns; ++c) {
            const QVariant& v = cell(r, c);
            if (v.isNull())
                continue;
            result.setValue(c, v);
        }
        result.update();
    }
    result.moveFirst();
    return result;
}

} // namespace assi
