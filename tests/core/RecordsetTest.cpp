#include "core/Recordset.h"

#include "common/ErrorOf.h"
#include "common/TableText.h"

#include <QDateTime>
#include <functional>
#include <gtest/gtest.h>
#include <string>

using namespace assi;
using namespace assi::test;
using namespace Qt::StringLiterals;

namespace {

enum OrderField { Data, Ord };
constexpr int dataSize = 8;

Recordset orders(const QList<std::pair<QVariant, QVariant>>& rows) {
    Recordset rs;
    rs.appendField(u"Data"_s, FieldType::Text, dataSize);
    rs.appendField(u"Ord"_s, FieldType::Integer);
    for (const auto& [date, ord] : rows) {
        rs.addNew();
        rs.setValue(Data, date);
        rs.setValue(Ord, ord);
        rs.update();
    }
    rs.moveFirst();
    return rs;
}

// Field names, then one "value|value" per row, all joined by '/'; read
// without moving the cursor.
std::string tableText(const Recordset& rs) {
    QStringList names;
    for (int f = 0; f < rs.fieldCount(); ++f)
        names << rs.field(f).name;
    QStringList parts{names.join(u',')};
    for (int row = 0; row < rs.recordCount(); ++row) {
        QStringList cells;
        for (int f = 0; f < rs.fieldCount(); ++f) {
            const QVariant v = rs.valueAt(row, f);
            cells << (v.isNull() ? u"NULL"_s : v.toString());
        }
        parts << cells.join(u'|');
    }
    return parts.join(u'/').toStdString();
}

} // namespace

TEST(Recordset, StoresValuesAsTheFieldsTypeCuttingTextsToTheirSizeInCharacters) {
    const QString wrench = QString::fromUtf16(u"\U0001F527"); // two UTF-16 units, one character
    const struct {
        QVariant data, ord;
        QString row;
    } cases[] = {
        {u"2026-12-08"_s, 1, u"2026-12-|1"_s},
        {u"Conceição Lda"_s, u"42"_s, u"Conceiçã|42"_s},
        {wrench.repeated(dataSize + 1), 7.0, wrench.repeated(dataSize) + u"|7"_s},
        {QVariant(), QVariant(), u"NULL|NULL"_s},
        {QDate(2026, 12, 7), -3, u"2026-12-|-3"_s},
    };
    for (const auto& c : cases) {
        Recordset rs = orders({{c.data, c.ord}});
        EXPECT_EQ(rowsText(rs), QStringList{c.row});
    }
}

TEST(Recordset, KeepsInsertionOrderAndWalksToEof) {
    Recordset rs = orders({{u"b"_s, 2}, {u"a"_s, 1}, {u"b"_s, 3}});
    EXPECT_EQ(rs.recordCount(), 3);
    EXPECT_EQ(rs.fieldIndex(u"ORD"_s), Ord) << "names match case-insensitively";
    EXPECT_EQ(rs.fieldIndex(u"Nada"_s), -1);
    QStringList positions;
    for (rs.moveFirst(); !rs.eof(); rs.moveNext())
        positions << QString::number(rs.absolutePosition()) + u':' + rs.value(Data).toString();
    EXPECT_EQ(positions, (QStringList{u"1:b"_s, u"2:a"_s, u"3:b"_s}));
    EXPECT_EQ(rs.absolutePosition(), -1);
    rs.moveNext(); // stays at EOF
    EXPECT_TRUE(rs.eof());
    EXPECT_EQ(rs.valueAt(2, Ord).toInt(), 3);
}

TEST(Recordset, AWriteChangesOnlyTheCopyWrittenToAndEachKeepsItsPosition) {
    const auto twoOrders = [] { return orders({{u"a"_s, 1}, {u"b"_s, 2}}); };
    const auto noOrders = [] { return orders({}); };
    const struct {
        const char* name;
        std::function<Recordset()> make;
        std::function<void(Recordset&)> write;
        std::string written; // the written table, as tableText shows it
        int writtenPosition;
    } cases[] = {
        {"setValue of a text", twoOrders, [](Recordset& rs) { rs.setValue(Data, u"z"_s); },
         "Data,Ord/z|1/b|2", 1},
        {"setValue converting to the field's type", twoOrders,
         [](Recordset& rs) { rs.setValue(Ord, u"9"_s); }, "Data,Ord/a|9/b|2", 1},
        {"setValue on another row", twoOrders,
         [](Recordset& rs) {
             rs.moveNext();
             rs.setValue(Data, QVariant());
         },
         "Data,Ord/a|1/NULL|2", 2},
        {"addNew", twoOrders,
         [](Recordset& rs) {
             rs.addNew();
             rs.setValue(Ord, 3);
             rs.update();
         },
         "Data,Ord/a|1/b|2/NULL|3", 3},
        {"appendField", noOrders, [](Recordset& rs) { rs.appendField(u"Obs"_s, FieldType::Text); },
         "Data,Ord,Obs", -1},
    };
    for (const auto& c : cases) {
        for (const bool writeTheCopy : {true, false}) {
            Recordset original = c.make();
            Recordset copy = original;
            const std::string before = tableText(original);
            const int positionBefore = original.absolutePosition();
            Recordset& written = writeTheCopy ? copy : original;
            const Recordset& other = writeTheCopy ? original : copy;
            c.write(written);
            const char* side = writeTheCopy ? "writing the copy" : "writing the original";
            EXPECT_EQ(tableText(written), c.written) << c.name << ", " << side;
            EXPECT_EQ(written.absolutePosition(), c.writtenPosition) << c.name << ", " << side;
            EXPECT_EQ(tableText(other), before) << c.name << ", " << side;
            EXPECT_EQ(other.absolutePosition(), positionBefore) << c.name << ", " << side;
        }
    }
}

TEST(Recordset, RefusesWhatCannotBeStoredNamingTheValueAndTheField) {
    const struct {
        const char* name;
        std::function<void(Recordset&)> action;
        QString error;
    } cases[] = {
        {"text in an integer field", [](Recordset& rs) { rs.setValue(Ord, u"abc"_s); },
         u"Valor \"abc\" não cabe no campo inteiro Ord."_s},
        {"beyond 32 bits", [](Recordset& rs) { rs.setValue(Ord, qlonglong(1) << 40); },
         u"Valor \"1099511627776\" não cabe no campo inteiro Ord."_s},
        // Fields come before rows (an assertion checks it), so on a table of its own.
        {"a repeated field",
         [](Recordset&) {
             Recordset fieldsOnly = orders({});
             fieldsOnly.appendField(u"ord"_s, FieldType::Text);
         },
         u"Campo repetido no conjunto de registos: ord"_s},
        {"reading at EOF",
         [](Recordset& rs) {
             rs.moveNext();
             (void)rs.value(Data);
         },
         u"Não há registo atual (fim do conjunto de registos)."_s},
    };
    for (const auto& c : cases) {
        Recordset rs = orders({{u"a"_s, 1}});
        EXPECT_EQ(errorOf([&] { c.action(rs); }), c.error) << c.name;
    }
}

// A big table keeps its texts in more than one way (shared, one byte a
// character, as strings): each reads back as it was written, on every row,
// as a value and as a view.
TEST(Recordset, ReadsEveryTextBackAsWrittenHoweverManyRowsRepeatIt) {
    constexpr int rows = 1500; // past the point where unrepeated texts are no longer looked up
    const QString shared = u"Cliente de Assistência Técnica, Lda."_s;
    const struct {
        const char* name;
        std::function<QString(int)> text;
    } cases[] = {
        {"one shared string", [&](int) { return shared; }},
        {"a few shared strings", [&](int row) { return row % 3 ? shared : QString(); }},
        {"unrepeated Latin-1 texts",
         [](int row) { return u"Avaria n.º %1 não resolvida"_s.arg(row); }},
        {"unrepeated texts beyond Latin-1",
         [](int row) { return u"Peça de 20 € n.º %1 \U0001F527"_s.arg(row); }},
        {"Latin-1 and beyond, alternating",
         [](int row) { return (row % 2 ? u"ação %1"_s : u"€ %1"_s).arg(row); }},
        {"equal texts, each a string of its own",
         [](int row) { return u"Pedido %1"_s.arg(row % 2); }},
        {"empty texts", [](int row) { return row % 2 ? u""_s : u"%1"_s.arg(row); }},
        {"null strings", [](int row) { return row % 2 ? QString() : u"%1"_s.arg(row); }},
        {"texts cut to the field's size", [](int row) { return u"%1 e mais"_s.arg(row, 8); }},
    };
    for (const auto& c : cases) {
        Recordset rs;
        rs.appendField(u"Texto"_s, FieldType::Text, 12);
        rs.appendField(u"Ord"_s, FieldType::Integer);
        for (int row = 0; row < rows; ++row) {
            rs.addNew();
            rs.setValue(0, c.text(row));
            rs.setValue(1, row);
            rs.update();
        }
        const Recordset copy = rs;
        rs.moveFirst();
        rs.setValue(0, u"escrito"_s); // the copy keeps what it had
        int wrong = 0;
        for (int row = 0; row < rows; ++row) {
            const QString expected = c.text(row).left(12);
            const QVariant value = copy.valueAt(row, 0);
            if (value.typeId() != QMetaType::QString || value.toString() != expected ||
                value.toString().isNull() != expected.isNull() || copy.valueAt(row, 1) != row)
                ++wrong;
            // Viewed in place, the same text; a number is no text.
            if (!QAnyStringView::equal(copy.textAt(row, 0), expected) ||
                !copy.textAt(row, 1).isNull())
                ++wrong;
        }
        EXPECT_EQ(wrong, 0) << c.name;
        EXPECT_EQ(rs.valueAt(0, 0), u"escrito"_s) << c.name;
        EXPECT_EQ(rs.valueAt(rows - 1, 0).toString(), c.text(rows - 1).left(12)) << c.name;
    }
}
