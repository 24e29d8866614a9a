#include "core/Recordset.h"

#include "core/BoardError.h"
#include "core/TextCut.h"

#include <QDateTime>
#include <QHash>
#include <algorithm>
#include <utility>
#include <vector>

using namespace Qt::StringLiterals;

namespace assi {

namespace {

// After this many texts written to a field, their look-up goes on only if
// most of them were repeats.
constexpr int sharingTrial = 512;

// A text's characters where it keeps them: two texts with the same are the
// same text, whatever the sharing that made them so.
using TextData = std::pair<const QChar*, qsizetype>;

TextData dataOf(const QVariant& text) {
    const QString& s = *static_cast<const QString*>(text.constData());
    return {s.constData(), s.size()};
}

// Marks a cell whose value is a text in the table's Latin-1 characters.
constexpr quint32 latin1Text = 0x80000000u;

bool isLatin1(const QString& text) {
    return std::all_of(text.cbegin(), text.cend(), [](QChar c) { return c.unicode() < 0x100; });
}

} // namespace

// A board holds hundreds of thousands of cells over a few dozen clients,
// technicians and departments, a few hundred dates and one empty spacer
// text: most cells repeat a value another one holds. So a cell is the
// position of its value in a list of the table's values, and a text that is
// written again (the very string, shared, as the readers of a query hand
// them out) takes no second place there. That makes a cell 4 bytes instead of
// a QVariant's 32. The texts that do not repeat (request numbers, notes) are
// most of what is left: those written in Latin-1 characters, as a
// Portuguese site's nearly always are, are kept one byte a character in one
// block, instead of a string of two bytes a character and its own block.
struct Recordset::Table : QSharedData {
    // The values of one field's texts written so far, by where their
    // characters are. A field whose texts hardly repeat soon stops being
    // looked up, and its texts go in as they come.
    struct SharedTexts {
        QHash<TextData, quint32> byData;
        int looked = 0;
        bool sharing = true;
    };

    QList<Field> fields;
    QHash<QString, int> fieldByLowerName;
    // Row-major: a position in `values`, or latin1Text and a text's position
    // in `latin1Ends`.
    std::vector<quint32> cells;
    std::vector<QVariant> values{QVariant()}; // values[0]: null
    std::vector<char> latin1;                 // those texts, one after the other
    std::vector<quint32> latin1Ends;          // where each of them ends in `latin1`
    std::vector<SharedTexts> sharedTexts;     // one per field
    int rows = 0;

    quint32& cell(int row, int field) { return cells[size_t(row) * fields.size() + field]; }
    QVariant value(int row, int field) const {
        const quint32 c = cells[size_t(row) * fields.size() + field];
        if (!(c & latin1Text))
            return values[c];
        const size_t text = c & ~latin1Text;
        const quint32 begin = text == 0 ? 0 : latin1Ends[text - 1];
        return QString::fromLatin1(latin1.data() + begin, qsizetype(latin1Ends[text] - begin));
    }

    QAnyStringView text(int row, int field) const {
        const quint32 c = cells[size_t(row) * fields.size() + field];
        if (c & latin1Text) {
            const size_t text = c & ~latin1Text;
            const quint32 begin = text == 0 ? 0 : latin1Ends[text - 1];
            return QLatin1StringView(latin1.data() + begin, qsizetype(latin1Ends[text] - begin));
        }
        const QVariant& kept = values[c];
        if (kept.typeId() != QMetaType::QString)
            return {};
        return *static_cast<const QString*>(kept.constData());
    }

    // Where `value` is kept, added unless it is a text already kept for
    // this field.
    template <typename Value> quint32 keep(int field, Value&& value) {
        if (!value.isValid())
            return 0;
        if (value.typeId() == QMetaType::QString) {
            SharedTexts& texts = sharedTexts[size_t(field)];
            if (texts.sharing && ++texts.looked == sharingTrial &&
                texts.byData.size() > sharingTrial / 2) {
                texts.sharing = false;
                texts.byData = {};
            }
            const TextData data = dataOf(value);
            if (texts.sharing) {
                const auto found = texts.byData.constFind(data);
                if (found != texts.byData.cend())
                    return *found;
                texts.byData.insert(data, quint32(values.size()));
            } else if (data.second > 0) {
                // An empty or null text stays a string: those read back as
                // they were written.
                const QString& text = *static_cast<const QString*>(value.constData());
                if (isLatin1(text))
                    return keepLatin1(text);
            }
        }
        values.push_back(std::forward<Value>(value));
        return quint32(values.size() - 1);
    }

    quint32 keepLatin1(const QString& text) {
        for (const QChar c : text)
            latin1.push_back(char(c.unicode()));
        latin1Ends.push_back(quint32(latin1.size()));
        return latin1Text | quint32(latin1Ends.size() - 1);
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
    t.sharedTexts.emplace_back();
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
        Table& t = *m_table;
        t.cell(row, field) = t.keep(field, value);
        return;
    }
    QVariant stored = normalized(field, value);
    Table& t = *m_table;
    t.cell(row, field) = t.keep(field, std::move(stored));
}

QVariant Recordset::value(int field) const {
    Q_ASSERT_X(field >= 0 && field < fieldCount(), "Recordset::value", "field out of range");
    return m_table->value(currentRow(), field);
}

QVariant Recordset::valueAt(int row, int field) const {
    Q_ASSERT_X(row >= 0 && row < recordCount(), "Recordset::valueAt", "row out of range");
    Q_ASSERT_X(field >= 0 && field < fieldCount(), "Recordset::valueAt", "field out of range");
    return m_table->value(row, field);
}

QAnyStringView Recordset::textAt(int row, int field) const {
    Q_ASSERT_X(row >= 0 && row < recordCount(), "Recordset::textAt", "row out of range");
    Q_ASSERT_X(field >= 0 && field < fieldCount(), "Recordset::textAt", "field out of range");
    return m_table->text(row, field);
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
