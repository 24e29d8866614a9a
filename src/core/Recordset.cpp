#include "core/Recordset.h"

#include "core/BoardError.h"
#include "core/TextCut.h"

#include <QDateTime>
#include <QHash>
#include <utility>
#include <vector>

using namespace Qt::StringLiterals;

namespace assi {

struct Recordset::Table : QSharedData {
    QList<Field> fields;
    QHash<QString, int> fieldByLowerName;
    std::vector<QVariant> cells; // row-major
    int rows = 0;

    QVariant& cell(int row, int field) { return cells[size_t(row) * fields.size() + field]; }
    const QVariant& cell(int row, int field) const {
        return cells[size_t(row) * fields.size() + field];
    }
};

Recordset::Recordset() : m_table(new Table) {}
// Out of line, where Table is complete.
Recordset::Recordset(const Recordset& other) = default;
Recordset::Recordset(Recordset&& other) noexcept = default;
Recordset& Recordset::operator=(const Recordset& other) = default;
Recordset& Recordset::operator=(Recordset&& other) noexcept = default;
Recordset::~Recordset() = default;

// The writers below check and convert through the const table first and take
// the writable one (which copies a shared table) last, so a refused write
// leaves the table shared.

void Recordset::appendField(const QString& name, FieldType type, int size) {
    Q_ASSERT_X(recordCount() == 0, "Recordset::appendField", "fields must come before rows");
    const QString lowerName = name.toLower();
    if (std::as_const(m_table)->fieldByLowerName.contains(lowerName))
        throw BoardError(u"Campo repetido no conjunto de registos: %1"_s.arg(name));
    Table& t = *m_table;
    t.fieldByLowerName.insert(lowerName, int(t.fields.size()));
    t.fields.append(Field{name, type, size});
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

void Recordset::addNew() {
    Table& t = *m_table;
    t.cells.resize(t.cells.size() + t.fields.size());
    m_position = t.rows++;
}

void Recordset::update() {
    (void)currentRow();
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
    Q_ASSERT_X(field >= 0 && field < fieldCount(), "Recordset::setValue", "field out of range");
    const int row = currentRow();
    // The usual case, kept free of copies: a text that already fits its field.
    const Field& f = std::as_const(m_table)->fields.at(field);
    if (f.type == FieldType::Text && value.typeId() == QMetaType::QString &&
        (f.size <= 0 || static_cast<const QString*>(value.constData())->size() <= f.size)) {
        m_table->cell(row, field) = value;
        return;
    }
    QVariant stored = normalized(field, value);
    m_table->cell(row, field) = std::move(stored);
}

QVariant Recordset::value(int field) const {
    Q_ASSERT_X(field >= 0 && field < fieldCount(), "Recordset::value", "field out of range");
    return m_table->cell(currentRow(), field);
}

QVariant Recordset::valueAt(int row, int field) const {
    Q_ASSERT_X(row >= 0 && row < recordCount(), "Recordset::valueAt", "row out of range");
    Q_ASSERT_X(field >= 0 && field < fieldCount(), "Recordset::valueAt", "field out of range");
    return m_table->cell(row, field);
}

int Recordset::recordCount() const {
    return m_table->rows;
}

bool Recordset::eof() const {
    return m_position >= recordCount();
}

void Recordset::moveFirst() {
    m_position = 0;
}

void Recordset::moveNext() {
    if (!eof())
        ++m_position;
}

int Recordset::absolutePosition() const {
    return eof() ? -1 : m_position + 1;
}

int Recordset::currentRow() const {
    if (eof())
        throw BoardError(u"Não há registo atual (fim do conjunto de registos)."_s);
    return m_position;
}

} // namespace assi
