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
/// Copies share their rows (a grid and the refresh that filled it hold the
/// same table) but each has its own position. A null value is an invalid
/// QVariant. Texts written to a sized text field are cut to its size, counting
/// characters, never bytes or UTF-16 units.
///
/// Errors (a repeated field name, a value that does not fit an integer field,
/// writing or reading at EOF) throw BoardError.
class Recordset {
public:
    Recordset();

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

    std::shared_ptr<Table> m_table;
    int m_position = 0; // 0-based; == recordCount() at EOF
};

} // namespace assi
