#pragma once

#include <QList>
#include <QString>
#include <QVariant>
#include <memory>
#include <vector>

namespace assi {

enum class FieldType { Text, Integer, Double, DateTime };

/// One column of a recordset. `size` is the defined size of a text field in
/// characters (code points); 0 means unlimited.
struct Field {
    QString name;
    FieldType type = FieldType::Text;
    int size = 0;
};

/// An in-memory table of typed, nullable fields with a cursor: what the board
/// fills from a query, builds row by row, and binds to a grid.
///
/// Rows live in a shared table; `clone()` gives a second cursor over the same
/// rows with its own filter, sort and position. A null value is an invalid
/// QVariant. Texts written to a sized text field are cut to its size, counting
/// characters, never bytes or UTF-16 units.
///
/// Filtering by equality uses a per-field index that is kept up to date as
/// values change, so a filter costs the number of matching rows, not the size
/// of the table.
///
/// Errors (an unknown field name, a value that does not fit an integer field,
/// reading at EOF) throw BoardError.
class Recordset {
public:
    Recordset();

    // --- Fields (append them all before the first row)
    void appendField(const QString& name, FieldType type, int size = 0);
    int fieldCount() const;
    const Field& field(int index) const;
    /// The field's position, or -1. Names match case-insensitively.
    int fieldIndex(const QString& name) const;
    QStringList fieldNames() const;

    // --- Editing
    /// Appends an all-null row to the table and makes it current.
    void addNew();
    /// Commits the current row. Values are written as they are set, so this
    /// only checks that there is a current row.
    void update();
    void setValue(int field, const QVariant& value);
    void setValue(const QString& fieldName, const QVariant& value);

    // --- Reading the current row
    QVariant value(int field) const;
    QVariant value(const QString& fieldName) const;

    // --- Reading any row of the current view (filter and sort applied)
    QVariant valueAt(int row, int field) const;

    // --- Cursor
    /// Rows that pass the filter; -1 when the count is unknown (below).
    int recordCount() const;
    /// Makes recordCount() report -1, as a forward-only server cursor does when
    /// it cannot tell its size. The rows can still be walked to EOF.
    void setCountUnknown(bool unknown);
    bool eof() const;
    void moveFirst();
    void moveNext();
    /// Moves to the row at 0-based `row` of the view; past the end is EOF.
    void moveTo(int row);
    /// 1-based position of the current row in the view; -1 at EOF.
    int absolutePosition() const;

    // --- Filter and sort; both move to the first row of the new view
    /// Keeps the rows whose field equals `value` (compared as the field's
    /// type; a null value matches nothing).
    void setFilter(const QString& fieldName, const QVariant& value);
    void clearFilter();
    bool isFiltered() const;
    /// Orders the view by one field; stable, nulls first when ascending.
    void setSort(const QString& fieldName, Qt::SortOrder order = Qt::AscendingOrder);
    void clearSort();

    /// A new cursor over the same rows, unfiltered, unsorted, on the first row.
    Recordset clone() const;

    /// Rows in the table, whatever the filter.
    int tableRowCount() const;

private:
    struct Table;
    int requireField(const QString& name) const;
    int currentTableRow() const;
    int tableRowOf(int viewRow) const;
    int viewSize() const;
    void rebuildView();
    QVariant normalized(int field, const QVariant& value) const;

    std::shared_ptr<Table> m_table;
    // Empty and unused while the view is the whole table in insertion order.
    std::vector<int> m_view;
    bool m_viewIsTable = true;
    int m_filterField = -1;
    QVariant m_filterValue;
    int m_sortField = -1;
    Qt::SortOrder m_sortOrder = Qt::AscendingOrder;
    int m_position = 0; // 0-based in the view; == viewSize() at EOF
    bool m_countUnknown = false;
};

} // namespace assi
