#include "database/QueryRecordset.h"

#include "core/BoardError.h"
#include "database/QueryValues.h"

#include <QDateTime>
#include <QSet>
#include <QSqlError>
#include <QSqlField>
#include <QSqlQuery>
#include <QSqlRecord>
#include <optional>
#include <vector>

using namespace Qt::StringLiterals;

namespace assi {

namespace {

// Every value of a query result, row by row.
struct ResultCells {
    std::vector<QVariant> values;
    int columns = 0;
    int rows = 0;

    QVariant& at(int row, int column) { return values[size_t(row) * columns + column]; }
};

std::optional<QDateTime> sqliteDateTime(const QVariant& value) {
    if (value.metaType().id() != QMetaType::QString)
        return std::nullopt;
    const std::optional<DateTimeFields> fields =
        parseSqliteDateTime(*static_cast<const QString*>(value.constData()));
    if (!fields)
        return std::nullopt;
    return QDateTime(fields->date(), fields->time());
}

// Turns every non-null value of one column into a date-time, or leaves the
// column alone and answers false when one of them is not a date-time.
bool convertSqliteDates(ResultCells& cells, int column) {
    std::vector<QVariant> converted(static_cast<size_t>(cells.rows));
    bool any = false;
    for (int r = 0; r < cells.rows; ++r) {
        const QVariant& v = cells.at(r, column);
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
    for (int r = 0; r < cells.rows; ++r)
        cells.at(r, column) = std::move(converted[size_t(r)]);
    return true;
}

ResultCells readAllRows(QSqlQuery& query, int columns) {
    ResultCells cells;
    cells.columns = columns;
    while (query.next()) {
        for (int c = 0; c < columns; ++c) {
            QVariant v = query.value(c);
            cells.values.push_back(v.isNull() ? QVariant() : std::move(v));
        }
        ++cells.rows;
    }
    if (query.lastError().isValid())
        throw BoardError(query.lastError().text().trimmed());
    return cells;
}

bool allFitInteger(ResultCells& cells, int column) {
    for (int r = 0; r < cells.rows; ++r) {
        const QVariant& v = cells.at(r, column);
        if (!v.isNull() && !fitsInteger(v))
            return false;
    }
    return true;
}

// The field type of a column: whole numbers are an integer field when all of
// them fit one; dates are date-times, and so is an SQLite text column whose
// values all read as dates (SQLite keeps dates as texts); anything else is
// text. The values of a date-time column become QDateTime.
FieldType settleColumnType(ResultCells& cells, int column, QMetaType type, DatabaseEngine engine) {
    if (isWholeNumberType(type))
        return allFitInteger(cells, column) ? FieldType::Integer : FieldType::Text;
    if (isDateTimeType(type)) {
        for (int r = 0; r < cells.rows; ++r) {
            QVariant& v = cells.at(r, column);
            if (v.metaType().id() == QMetaType::QDate)
                v = v.toDate().startOfDay();
        }
        return FieldType::DateTime;
    }
    if (engine == DatabaseEngine::Sqlite && convertSqliteDates(cells, column))
        return FieldType::DateTime;
    return FieldType::Text;
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
    ResultCells cells = readAllRows(query, record.count());

    Recordset result;
    const QStringList names = uniqueNames(record);
    for (int c = 0; c < cells.columns; ++c)
        result.appendField(names[c],
                           settleColumnType(cells, c, record.field(c).metaType(), engine));
    for (int r = 0; r < cells.rows; ++r) {
        result.addNew();
        for (int c = 0; c < cells.columns; ++c) {
            const QVariant& v = cells.at(r, c);
            if (!v.isNull())
                result.setValue(c, v);
        }
        result.update();
    }
    result.moveFirst();
    return result;
}

} // namespace assi
