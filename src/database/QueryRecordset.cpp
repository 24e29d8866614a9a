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

enum class Kind { Integer, DateTime, Text };

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
