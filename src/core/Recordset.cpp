#include "Recordset.h"

#include "BoardError.h"
#include "TextCut.h"

#include <QDateTime>
#include <QHash>
#include <algorithm>
#include <numeric>
#include <unordered_map>

using namespace Qt::StringLiterals;

namespace assi {

namespace {

// The key under which a (normalized, non-null) value is filed in an equality index.
QString indexKey(FieldType type, const QVariant& value) {
    switch (type) {
    case FieldType::Integer:
        return QString::number(value.toInt());
    case FieldType::Double:
        return QString::number(value.toDouble(), 'g', 17);
    case FieldType::DateTime:
        return value.toDateTime().toString(Qt::ISODateWithMs);
    case FieldType::Text:
        break;
    }
    return value.toString();
}

int compareValues(FieldType type, const QVariant& a, const QVariant& b) {
    const bool aNull = a.isNull(), bNull = b.isNull();
    if (aNull || bNull)
        return aNull == bNull ? 0 : (aNull ? -1 : 1);
    switch (type) {
    case FieldType::Integer: {
        const int x = a.toInt(), y = b.toInt();
        return x < y ? -1 : (x > y ? 1 : 0);
    }
    case FieldType::Double: {
        const double x = a.toDouble(), y = b.toDouble();
        return x < y ? -1 : (x > y ? 1 : 0);
    }
    case FieldType::DateTime: {
        const QDateTime x = a.toDateTime(), y = b.toDateTime();
        return x < y ? -1 : (x > y ? 1 : 0);
    }
    case FieldType::Text:
        break;
    }
    return QString::compare(a.toString(), b.toString(), Qt::CaseSensitive);
}

} // namespace

struct Recordset::Table {
    QList<Field> fields;
    QHash<QString, int> fieldByLowerName;
    std::vector<QVariant> cells; // row-major
    int rows = 0;
    // Equality indexes by field, each key's rows in ascending table order.
    std::unordered_map<int, QHash<QString, std::vector<int>>> indexes;

    QVariant& cell(int row, int field) { return cells[size_t(row) * fields.size() + field]; }
    const QVariant& cell(int row, int field) const {
        return cells[size_t(row) * fields.size() + field];
    }

    QHash<QString, std::vector<int>>& indexFor(int field) {
        auto found = indexes.find(field);
        if (found != indexes.end())
            return found->second;
        auto& index = indexes[field];
        for (int r = 0; r < rows; ++r) {
            const QVariant& v = cell(r, field);
            if (!v.isNull())
                index[indexKey(fields[field].type, v)].push_back(r);
        }
        return index;
    }

    void reindex(int row, int field, const QVariant& before, const QVariant& after) {
        auto found = indexes.find(field);
        if (found == indexes.end())
            return;
        auto& index = found->second;
        const FieldType type = fields[field].type;
        if (!before.isNull()) {
            auto& bucket = index[indexKey(type, before)];
            // The row being written is nearly always the newest one.
            auto it = std::find(bucket.rbegin(), bucket.rend(), row);
            if (it != bucket.rend())
                bucket.erase(std::next(it).base());
        }
        if (!after.isNull()) {
            auto& bucket = index[indexKey(type, after)];
            bucket.insert(std::upper_bound(bucket.begin(), bucket.end(), row), row);
        }
    }
};

Recordset::Recordset() : m_table(std::make_shared<Table>()) {}

void Recordset::appendField(const QString& name, FieldType type, int size) {
    Q_ASSERT_X(m_table->rows == 0, "Recordset::appendField", "fields must come before rows");
    if (m_table->fieldByLowerName.contains(name.toLower()))
        throw BoardError(u"Campo repetido no conjunto de registos: %1"_s.arg(name));
    m_table->fieldByLowerName.insert(name.toLower(), int(m_table->fields.size()));
    m_table->fields.append(Field{name, type, size});
}

int Recordset::fieldCount() const {
    return int(m_table->fields.size());
}

const Field& Recordset::field(int index) const {
    return m_table->fields.at(index);
}

int Recordset::fieldIndex(const QString& name) const {
    return m_table->fieldByLowerName.value(name.toLower(), -1);
}

QStringList Recordset::fieldNames() const {
    QStringList names;
    for (const Field& f : m_table->fields)
        names.append(f.name);
    return names;
}

int Recordset::requireField(const QString& name) const {
    const int index = fieldIndex(name);
    if (index < 0)
        throw BoardError(u"O campo \"%1\" não existe no conjunto de registos."_s.arg(name));
    return index;
}

void Recordset::addNew() {
    Table& t = *m_table;
    t.cells.resize(t.cells.size() + t.fields.size());
    const int row = t.rows++;
    if (m_viewIsTable) {
        m_position = row;
        return;
    }
    m_view.push_back(row);
    m_position = int(m_view.size()) - 1;
}

void Recordset::update() {
    (void)currentTableRow();
}

QVariant Recordset::normalized(int field, const QVariant& value) const {
    if (value.isNull())
        return {};
    const Field& f = m_table->fields.at(field);
    switch (f.type) {
    case FieldType::Text:
        return cutToCharacters(value.toString(), f.size > 0 ? f.size : -1);
    case FieldType::Integer: {
        bool ok = false;
        const qlonglong n = value.toLongLong(&ok);
        if (!ok || n < INT32_MIN || n > INT32_MAX)
            throw BoardError(
                u"Valor \"%1\" não cabe no campo inteiro %2."_s.arg(value.toString(), f.name));
        return QVariant(int(n));
    }
    case FieldType::Double: {
        bool ok = false;
        const double d = value.toDouble(&ok);
        if (!ok)
            throw BoardError(
                u"Valor \"%1\" não é um número para o campo %2."_s.arg(value.toString(), f.name));
        return QVariant(d);
    }
    case FieldType::DateTime: {
        const QDateTime dt = value.toDateTime();
        if (!dt.isValid())
            throw BoardError(
                u"Valor \"%1\" não é uma data para o campo %2."_s.arg(value.toString(), f.name));
        return QVariant(dt);
    }
    }
    return value;
}

void Recordset::setValue(int field, const QVariant& value) {
    const int row = currentTableRow();
    QVariant v = normalized(field, value);
    QVariant& cell = m_table->cell(row, field);
    m_table->reindex(row, field, cell, v);
    cell = std::move(v);
}

void Recordset::setValue(const QString& fieldName, const QVariant& value) {
    setValue(requireField(fieldName), value);
}

QVariant Recordset::value(int field) const {
    Q_ASSERT_X(field >= 0 && field < fieldCount(), "Recordset::value", "field out of range");
    return m_table->cell(currentTableRow(), field);
}

QVariant Recordset::value(const QString& fieldName) const {
    return value(requireField(fieldName));
}

QVariant Recordset::valueAt(int row, int field) const {
    Q_ASSERT_X(row >= 0 && row < viewSize(), "Recordset::valueAt", "row out of range");
    Q_ASSERT_X(field >= 0 && field < fieldCount(), "Recordset::valueAt", "field out of range");
    return m_table->cell(tableRowOf(row), field);
}

int Recordset::viewSize() const {
    return m_viewIsTable ? m_table->rows : int(m_view.size());
}

int Recordset::recordCount() const {
    return m_countUnknown ? -1 : viewSize();
}

void Recordset::setCountUnknown(bool unknown) {
    m_countUnknown = unknown;
}

bool Recordset::eof() const {
    return m_position >= viewSize();
}

void Recordset::moveFirst() {
    m_position = 0;
}

void Recordset::moveNext() {
    if (!eof())
        ++m_position;
}

void Recordset::moveTo(int row) {
    m_position = std::clamp(row, 0, viewSize());
}

int Recordset::absolutePosition() const {
    return eof() ? -1 : m_position + 1;
}

int Recordset::tableRowOf(int viewRow) const {
    return m_viewIsTable ? viewRow : m_view[size_t(viewRow)];
}

int Recordset::currentTableRow() const {
    if (eof())
        throw BoardError(u"Não há registo atual (fim do conjunto de registos)."_s);
    return tableRowOf(m_position);
}

void Recordset::setFilter(const QString& fieldName, const QVariant& value) {
    const int field = requireField(fieldName);
    m_filterField = field;
    try {
        m_filterValue = normalized(field, value);
    } catch (const BoardError&) {
        // A value that cannot be of the field's type matches no row.
        m_filterValue = QVariant();
    }
    rebuildView();
}

void Recordset::clearFilter() {
    m_filterField = -1;
    m_filterValue = QVariant();
    rebuildView();
}

bool Recordset::isFiltered() const {
    return m_filterField >= 0;
}

void Recordset::setSort(const QString& fieldName, Qt::SortOrder order) {
    m_sortField = requireField(fieldName);
    m_sortOrder = order;
    rebuildView();
}

void Recordset::clearSort() {
    m_sortField = -1;
    rebuildView();
}

void Recordset::rebuildView() {
    m_position = 0;
    if (m_filterField < 0 && m_sortField < 0) {
        m_viewIsTable = true;
        m_view.clear();
        m_view.shrink_to_fit();
        return;
    }
    m_viewIsTable = false;
    if (m_filterField >= 0) {
        if (m_filterValue.isNull()) {
            m_view.clear();
        } else {
            const auto& index = m_table->indexFor(m_filterField);
            const auto found =
                index.constFind(indexKey(m_table->fields[m_filterField].type, m_filterValue));
            m_view = found == index.constEnd() ? std::vector<int>{} : found.value();
        }
    } else {
        m_view.resize(size_t(m_table->rows));
        std::iota(m_view.begin(), m_view.end(), 0);
    }
    if (m_sortField < 0)
        return;
    const Table& t = *m_table;
    const int field = m_sortField;
    const FieldType type = t.fields[field].type;
    const bool descending = m_sortOrder == Qt::DescendingOrder;
    std::stable_sort(m_view.begin(), m_view.end(), [&](int a, int b) {
        const int c = compareValues(type, t.cell(a, field), t.cell(b, field));
        return descending ? c > 0 : c < 0;
    });
}

Recordset Recordset::clone() const {
    Recordset copy;
    copy.m_table = m_table;
    return copy;
}

int Recordset::tableRowCount() const {
    return m_table->rows;
}

} // namespace assi
