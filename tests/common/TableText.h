#pragma once

#include "core/Recordset.h"

#include <QStringList>

namespace assi {
class Grid;
}

namespace assi::test {

// One line per row of the recordset, "value|value|..." with NULL for null, as
// a person reads a table. Leaves the cursor at EOF.
QStringList rowsText(Recordset& rs);

// The names of the fields, in order.
QStringList fieldNamesOf(const Recordset& rs);

// One field of every row, NULL for null. Leaves the cursor at EOF.
QStringList columnText(Recordset& rs, const QString& fieldName);

// What a reader sees of a grid's rows: "[group]" for a group header,
// "text|text" over the visible columns otherwise, one entry per display row.
QStringList shownRows(const Grid& grid);

} // namespace assi::test
