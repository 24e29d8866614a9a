#include "Recordset.h"

#include "common/TableText.h"
#include "BoardError.h"

#include <gtest/gtest.h>

using namespace assi;
using namespace Qt::StringLiterals;

namespace {

Recordset orders(const QList<std::pair<QString, int>>& rows) {
    Recordset rs;
    rs.appendField(u"Data"_s, FieldType::Text, 10);
    rs.appendField(u"Ord"_s, FieldType::Integer);
    for (const auto& [date, ord] : rows) {
        rs.addNew();
        rs.setValue(u"Data"_s, date);
        rs.setValue(u"Ord"_s, ord);
        rs.update();
    }
    return rs;
}

// The whole current view on one line, as a person reads a table.
QString viewText(Recordset& rs) {
    return test::rowsText(rs).join(u' ');
}

} // namespace

TEST(Recordset, KeepsInsertionOrderAndCountsRows) {
    Recordset rs = orders({{u"2026-12-08"_s, 1}, {u"2026-12-07"_s, 1}, {u"2026-12-08"_s, 2}});
    EXPECT_EQ(rs.recordCount(), 3);
    EXPECT_EQ(viewText(rs), u"2026-12-08|1 2026-12-07|1 2026-12-08|2"_s);
}

TEST(Recordset, NullsStayNullAndTextsAreCutToTheFieldSize) {
    Recordset rs;
    rs.appendField(u"Nome"_s, FieldType::Text, 8);
    rs.appendField(u"N"_s, FieldType::Integer);
    rs.addNew();
    rs.setValue(u"nome"_s, u"Conceição Lda"_s); // names match case-insensitively
    rs.addNew();
    rs.setValue(0, QVariant());
    EXPECT_EQ(viewText(rs), u"Conceiçã|NULL NULL|NULL"_s);
}

TEST(Recordset, CursorPositionsAreOneBasedAndEofIsMinusOne) {
    Recordset rs = orders({{u"a"_s, 1}, {u"b"_s, 2}});
    rs.moveFirst();
    EXPECT_EQ(rs.absolutePosition(), 1);
    rs.moveNext();
    EXPECT_EQ(rs.absolutePosition(), 2);
    rs.moveNext();
    EXPECT_TRUE(rs.eof());
    EXPECT_EQ(rs.absolutePosition(), -1);
    rs.moveNext(); // stays at EOF
    EXPECT_TRUE(rs.eof());
    EXPECT_THROW(rs.value(0), BoardError);
}

TEST(Recordset, AnUnknownCountReadsMinusOneButTheRowsCanStillBeWalked) {
    Recordset rs = orders({{u"a"_s, 1}, {u"b"_s, 2}});
    rs.setCountUnknown(true);
    EXPECT_EQ(rs.recordCount(), -1);
    EXPECT_EQ(viewText(rs), u"a|1 b|2"_s);
    rs.setCountUnknown(false);
    EXPECT_EQ(rs.recordCount(), 2);
}

TEST(Recordset, FilterSortAndClearCombine) {
    struct Case {
        const char* name;
        std::function<void(Recordset&)> apply;
        QString expected;
    };
    const Case cases[] = {
        {"filter text", [](Recordset& r) { r.setFilter(u"Data"_s, u"d1"_s); }, u"d1|3 d1|1 d1|2"_s},
        {"filter int", [](Recordset& r) { r.setFilter(u"Ord"_s, 1); }, u"d1|1 d2|1"_s},
        {"filter int given as text", [](Recordset& r) { r.setFilter(u"Ord"_s, u"2"_s); },
         u"d1|2"_s},
        {"filter no match", [](Recordset& r) { r.setFilter(u"Data"_s, u"D1"_s); }, u""_s},
        {"filter null matches nothing", [](Recordset& r) { r.setFilter(u"Data"_s, QVariant()); },
         u""_s},
        {"filter then sort desc",
         [](Recordset& r) {
             r.setFilter(u"Data"_s, u"d1"_s);
             r.setSort(u"Ord"_s, Qt::DescendingOrder);
         },
         u"d1|3 d1|2 d1|1"_s},
        {"sort asc is stable", [](Recordset& r) { r.setSort(u"Ord"_s); }, u"d1|1 d2|1 d1|2 d1|3"_s},
        {"sort desc is stable", [](Recordset& r) { r.setSort(u"Ord"_s, Qt::DescendingOrder); },
         u"d1|3 d1|2 d1|1 d2|1"_s},
        {"clear filter keeps sort",
         [](Recordset& r) {
             r.setSort(u"Data"_s, Qt::DescendingOrder);
             r.setFilter(u"Ord"_s, 1);
             r.clearFilter();
         },
         u"d2|1 d1|3 d1|1 d1|2"_s},
    };
    for (const Case& c : cases) {
        Recordset rs = orders({{u"d1"_s, 3}, {u"d1"_s, 1}, {u"d2"_s, 1}, {u"d1"_s, 2}});
        c.apply(rs);
        EXPECT_EQ(viewText(rs), c.expected) << c.name;
        EXPECT_EQ(rs.recordCount(), c.expected.isEmpty() ? 0 : c.expected.count(u' ') + 1)
            << c.name;
    }
}

TEST(Recordset, FilterFollowsValuesChangedAfterTheIndexWasBuilt) {
    Recordset rs = orders({{u"d1"_s, 1}, {u"d2"_s, 1}});
    rs.setFilter(u"Data"_s, u"d1"_s);
    EXPECT_EQ(rs.recordCount(), 1);
    rs.clearFilter();
    rs.moveTo(1);
    rs.setValue(u"Data"_s, u"d1"_s); // d2 becomes d1
    rs.addNew();
    rs.setValue(u"Data"_s, u"d1"_s);
    rs.setValue(u"Ord"_s, 9);
    rs.setFilter(u"Data"_s, u"d1"_s);
    EXPECT_EQ(viewText(rs), u"d1|1 d1|1 d1|9"_s);
    rs.setFilter(u"Data"_s, u"d2"_s);
    EXPECT_EQ(rs.recordCount(), 0);
}

TEST(Recordset, CloneSharesRowsButNotFilterOrPosition) {
    Recordset rs = orders({{u"d1"_s, 1}, {u"d2"_s, 1}, {u"d1"_s, 2}});
    rs.setFilter(u"Data"_s, u"d1"_s);
    rs.moveNext();
    Recordset other = rs.clone();
    EXPECT_EQ(other.recordCount(), 3);
    EXPECT_EQ(other.absolutePosition(), 1);
    other.setFilter(u"Ord"_s, 1);
    EXPECT_EQ(other.recordCount(), 2);
    EXPECT_EQ(rs.recordCount(), 2);
    EXPECT_EQ(rs.absolutePosition(), 2);

    // A row added through one cursor is in the shared table.
    rs.addNew();
    rs.setValue(u"Data"_s, u"d3"_s);
    Recordset third = rs.clone();
    EXPECT_EQ(third.recordCount(), 4);
    other.clearFilter();
    EXPECT_EQ(other.recordCount(), 4);
}

TEST(Recordset, RejectsWhatCannotBeStored) {
    Recordset rs = orders({{u"d1"_s, 1}});
    rs.moveFirst();
    EXPECT_THROW(rs.setValue(u"Ord"_s, u"abc"_s), BoardError);
    EXPECT_THROW(rs.setValue(u"Ord"_s, qlonglong(1) << 40), BoardError);
    EXPECT_THROW(rs.value(u"Nada"_s), BoardError);
    EXPECT_THROW(rs.setFilter(u"Nada"_s, 1), BoardError);
    EXPECT_EQ(rs.value(u"Ord"_s).toInt(), 1);
}
