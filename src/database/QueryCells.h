#pragma once

#include "database/ConnectionString.h"
#include "database/QueryValues.h"

#include <QList>
#include <QString>
#include <vector>

class QSqlQuery;

namespace assi {

/// One cell of a query row as recordsetFromQuery would type it: null, a
/// date-time (its parts, with no time zone applied), or text (numbers as
/// their digits).
struct QueryCell {
    enum class Kind { Null, Text, DateTime };
    Kind kind = Kind::Null;
    QString text;
    DateTimeFields dateTime;
};

/// The cells of a query read forward, one row at a time, typed by the rules
/// of recordsetFromQuery without holding the result: a column that
/// recordsetFromQuery makes Integer gives the digits of its numbers, a
/// DateTime column its date-times, anything else its text.
///
/// Those rules look at a whole column, which a reader going forward cannot.
/// Each column is taken for what its first values show; when a later value
/// shows otherwise (a SQLite text column whose first values read as
/// date-times, a whole-number column whose texts only now stop fitting 32
/// bits), mustReadAgain() turns true and textColumns() names the columns to
/// read as text in a new reading of the same query.
class QueryCells {
public:
    QueryCells(const QSqlQuery& query, DatabaseEngine engine, const QList<int>& textColumns);

    /// The first column named `name` (case-insensitively), or -1.
    int columnIndex(const QString& name) const;
    /// One cell of the query's current row.
    QueryCell cell(int column);

    bool mustReadAgain() const { return m_mustReadAgain; }
    QList<int> textColumns() const;

private:
    enum class Kind { Number, DateTime, SqliteText, Text };
    struct Column {
        Kind kind = Kind::Text;
        bool datesSeen = false;      // SqliteText: values so far all read as date-times
        bool textsSeen = false;      // SqliteText: some value did not
        bool unfitSeen = false;      // Number: a value did not fit 32 bits
        bool digitsDiffered = false; // Number: a fitting value's digits differ from its text
    };

    QueryCell numberCell(int index, Column& column, const QVariant& value);
    QueryCell sqliteTextCell(int index, Column& column, const QVariant& value);
    void readAgainAsText(int index);

    const QSqlQuery& m_query;
    QStringList m_names;
    std::vector<Column> m_columns;
    QList<int> m_textColumns;
    bool m_mustReadAgain = false;
};

} // namespace assi
