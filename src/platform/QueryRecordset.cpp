#include "QueryRecordset.h"

#include "BoardError.h"

#include <QDateTime>
#include <QRegularExpression>
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

// SQLite's own text form of a date-time.
std::optional<QDateTime> sqliteDateTime(const QVariant& value) {
    if (value.metaType().id() != QMetaType::QString)
        return std::nullopt;
    static const QRegularExpression pattern(
        uR"(^(\d{4})-(\d{2})-(\d{2})[ T](\d{2}):(\d{2}):(\d{2})(?:\.(\d{1,3}))?$)"_s);
    const QRegularExpressionMatch m = pattern.match(value.toString());
    if (!m.hasMatch())
        return std::nullopt;
    const QDate date(m.captured(1).toInt(), m.captured(2).toInt(), m.captured(3).toInt());
    int msec = 0;
    if (m.hasCaptured(7))
        msec = m.captured(7).leftJustified(3, u'0').toInt();
    const QTime time(m.captured(4).toInt(), m.captured(5).toInt(), m.captured(6).toInt(), msec);
    if (!date.isValid() || !time.isValid())
        return std::nullopt;
    return QDateTime(date, time);
}

QVariant asDateTime(const QVariant& value) {
    if (value.metaType().id() == QMetaType::QDate)
        return value.toDate().startOfDay();
    if (value.metaType().id() == QMetaType::QDateTime)
        return value;
    if (auto parsed = sqliteDateTime(value))
        return *parsed;
    return value;
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

    auto cell = [&](int row, int column) -> const QVariant& {
        return cells[size_t(row) * columns + column];
    };

    std::vector<Kind> kinds(columns, Kind::Text);
    for (int c = 0; c < columns; ++c) {
        const QMetaType type = record.field(c).metaType();
        bool allFit = true;
        bool allSqliteDates = engine == DatabaseEngine::Sqlite;
        bool anyValue = false;
        for (int r = 0; r < rows; ++r) {
            const QVariant& v = cell(r, c);
            if (v.isNull())
                continue;
            anyValue = true;
            if (allFit && isWholeNumberType(type))
                allFit = fitsInteger(v);
            if (allSqliteDates)
                allSqliteDates = sqliteDateTime(v).has_value();
        }
        if (isWholeNumberType(type) && allFit)
            kinds[c] = Kind::Integer;
        else if (isDateTimeType(type) || (anyValue && allSqliteDates))
            kinds[c] = Kind::DateTime;
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
            result.setValue(c, kinds[c] == Kind::DateTime ? asDateTime(v) : v);
        }
        result.update();
    }
    result.moveFirst();
    return result;
}

} // namespace assi
