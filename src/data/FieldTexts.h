#pragma once

#include "database/QueryCells.h"

#include <QHash>
#include <QString>
#include <QVariant>
#include <vector>

namespace assi {

// Whether a date-time shows its time (when not midnight) or its date alone.
enum class DateShown { DateAndTime, DateOnly };

/// The texts the board's text fields keep of one query's cells, as
/// toRegionalText and the field's cut make them, each distinct value made
/// once per reading.
///
/// A refresh reads thousands of rows over a few dozen clients, technicians,
/// departments and a few hundred dates. Every cell of a repeated text shares
/// one string (a QString copy is a reference), and a date becomes its
/// regional text once, without a local-time conversion per row. A column
/// whose texts hardly repeat (request numbers, notes) soon stops being
/// looked up and keeps its texts as they come.
class FieldTexts {
public:
    /// The cell of `column` in the current row as a text field of `size`
    /// characters keeps it (0: uncut); null stays null. Call it with the same
    /// size and DateShown for a column throughout a reading.
    QVariant text(QueryCells& cells, int column, int size,
                  DateShown shown = DateShown::DateAndTime);

private:
    struct ColumnTexts {
        QHash<QString, QString> shared; // the query's text -> the field's
        QHash<qint64, QString> dates;   // a date-time's key -> the field's text
        bool sharing = true;
        int looked = 0;
    };

    QString sharedText(ColumnTexts& column, const QString& text, int size);
    QString dateText(ColumnTexts& column, const DateTimeFields& dateTime, int size,
                     DateShown shown);

    std::vector<ColumnTexts> m_columns;
};

} // namespace assi
