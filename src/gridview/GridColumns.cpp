#include "gridview/GridColumns.h"

#include "core/Recordset.h"
#include "gridview/GridHeaderView.h"
#include "gridview/GridStyles.h"

namespace assi {

namespace {

GridDataType dataTypeOf(FieldType type) {
    switch (type) {
    case FieldType::Integer:
        return GridDataType::Integer;
    case FieldType::Double:
        return GridDataType::Double;
    case FieldType::DateTime:
        return GridDataType::DateTime;
    case FieldType::Text:
        break;
    }
    return GridDataType::Text;
}

} // namespace

GridColumns::GridColumns(const GridColumn::Parts& parts) : m_parts(parts) {}

GridColumn& GridColumns::append(const QString& key, const GridStyle& basedOn) {
    const int index = count();
    m_columns.push_back(std::make_unique<GridColumn>(key, index, &basedOn, m_parts));
    m_indexByLowerKey.insert(key.toLower(), index);
    return *m_columns.back();
}

void GridColumns::clear() {
    m_columns.clear();
    m_indexByLowerKey.clear();
    m_parts.header->clearColumnSettings();
}

void GridColumns::createFor(const Recordset& recordset) {
    clear();
    m_columns.reserve(size_t(recordset.fieldCount()));
    for (int f = 0; f < recordset.fieldCount(); ++f) {
        const Field& field = recordset.field(f);
        append(field.name, m_parts.styles->normal()).setDataType(dataTypeOf(field.type));
    }
}

int GridColumns::indexOf(const QString& key) const {
    return m_indexByLowerKey.value(key.trimmed().toLower(), -1);
}

QList<const GridStyle*> GridColumns::styles() const {
    QList<const GridStyle*> styles;
    styles.reserve(count());
    for (const auto& column : m_columns)
        styles << &column->style();
    return styles;
}

} // namespace assi
