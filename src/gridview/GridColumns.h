#pragma once

#include "gridview/GridColumn.h"

#include <QHash>
#include <QList>
#include <memory>
#include <vector>

namespace assi {

class Recordset;

/// A grid's columns, found by position or by key (case-insensitive). They
/// are made anew for each binding, so a reference to one lasts until then.
class GridColumns {
public:
    explicit GridColumns(const GridColumn::Parts& parts);

    /// One column per field of `recordset`, in default settings.
    void createFor(const Recordset& recordset);

    int count() const { return int(m_columns.size()); }
    GridColumn& at(int index) const { return *m_columns.at(size_t(index)); }
    /// The column's index, or -1.
    int indexOf(const QString& key) const;
    /// Each column's own style, by index.
    QList<const GridStyle*> styles() const;

private:
    void clear();
    GridColumn& append(const QString& key, const GridStyle& basedOn);

    GridColumn::Parts m_parts;
    std::vector<std::unique_ptr<GridColumn>> m_columns;
    QHash<QString, int> m_indexByLowerKey;
};

} // namespace assi
