#pragma once

#include <QAnyStringView>
#include <QList>
#include <QSharedDataPointer>
#include <QString>
#include <QVariant>

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
/// Copies are values, implicitly shared as Qt's containers are: a copy costs a
/// reference count, so a refresh hands its tables to a grid or to another
/// thread without copying rows, and copies go on sharing one table until one of
/// them is written to (appendField, addNew, setValue), which then takes a table
/// of its own and leaves the others as they were. Reading never copies. Each
/// copy has its own position. A null value is an invalid QVariant. Texts
/// written to a sized text field are cut to its size, counting characters,
/// never bytes or UTF-16 units.
///
/// A table is built fastest while no copy of it is alive: a write to a table
/// that is shared copies all its rows first.
///
/// A text written again to a field, as the same shared string, is held once
/// for all the cells that show it; a value written over stays held until the
/// table goes.
///
/// Errors (a repeated field name, a value that does not fit an integer field,
/// writing or reading at EOF) throw BoardError.
class Recordset {
public:
    Recordset();
    Recordset(const Recordset& other);
    Recordset(Recordset&& other) noexcept;
    Recordset& operator=(const Recordset& other);
    Recordset& operator=(Recordset&& other) noexcept;
    ~Recordset();

    // --- Fields (append them all before the first row)
    void appendField(const QString& name, FieldType type, int size = 0);
    int fieldCount() const;
    const Field& field(int index) const;
    /// The field's position, or -1. Names match case-insensitively.
    int fieldIndex(const QString& name) const;

    // --- Editing
    /// Appends an all-null row to the table and makes it current.
    void addNew();
    /// Commits the current row. Values are written as they are set, so this
    /// only checks that there is a current row.
    void update();
    void setValue(int field, const QVariant& value);

    // --- Reading
    QVariant value(int field) const;
    QVariant valueAt(int row, int field) const;
    /// The text a cell holds, without making a string of it (a view valid
    /// while this recordset and its copies are unchanged); a null view when
    /// the cell holds no text (null, a number, a date).
    QAnyStringView textAt(int row, int field) const;

    // --- Cursor
    int recordCount() const;
    bool eof() const;
    void moveFirst();
    void moveNext();
    /// 1-based position of the current row; -1 at EOF.
    int absolutePosition() const;

private:
    struct Table;
    int currentRow() const;
    QVariant normalized(int field, const QVariant& value) const;

    QSharedDataPointer<Table> m_table;
    int m_position = 0; // 0-based; == recordCount() at EOF
};

} // namespace assi
