#include "PendingRequests.h"

#include "DataTestSupport.h"
#include "common/ScopedLocale.h"
#include "BoardError.h"

#include <gtest/gtest.h>

using namespace assi;
using namespace assi::test;
using namespace Qt::StringLiterals;

namespace {

QList<RequestRow> requests(const QList<std::pair<QVariant, QString>>& depAndClient) {
    QList<RequestRow> rows;
    for (const auto& [dep, client] : depAndClient)
        rows.append({dep, client, u"2026/1"_s, QVariant(), u"nota"_s});
    return rows;
}

struct DealCase {
    const char* name;
    QList<std::pair<QVariant, QString>> rows;
    QStringList first;  // Cliente of each row of Grelha_1's recordset
    QStringList second; // ... of Grelha_11's
};

const QVariant noDep;

} // namespace

TEST(PendingRequests, RecordsetHasTheFiveSizedTextFields) {
    Recordset rs = BuildRequestRecordset();
    ASSERT_EQ(rs.fieldCount(), 5);
    const std::pair<const char16_t*, int> expected[] = {
        {u"Dep", 30}, {u"Cliente", 80}, {u"Pedido", 20}, {u"DataPedido", 10}, {u"Obs", 100}};
    for (int f = 0; f < 5; ++f) {
        EXPECT_EQ(rs.field(f).name, QString::fromUtf16(expected[f].first));
        EXPECT_EQ(rs.field(f).type, FieldType::Text);
        EXPECT_EQ(rs.field(f).size, expected[f].second);
    }
    EXPECT_EQ(rs.recordCount(), 0);
}

TEST(PendingRequests, DealsRowsOutByTheirPositionInTheWholeResult) {
    const DealCase cases[] = {
        {"none", {}, {}, {}},
        {"one", {{u"A"_s, u"r1"_s}}, {u"r1"_s}, {}},
        {"two", {{u"A"_s, u"r1"_s}, {u"A"_s, u"r2"_s}}, {u"r1"_s}, {u"r2"_s}},
        {"five",
         {{u"A"_s, u"r1"_s},
          {u"A"_s, u"r2"_s},
          {u"A"_s, u"r3"_s},
          {u"A"_s, u"r4"_s},
          {u"A"_s, u"r5"_s}},
         {u"r1"_s, u"r3"_s, u"r5"_s},
         {u"r2"_s, u"r4"_s}},
        // The alternation runs across departments, not within each.
        {"two departments",
         {{u"A"_s, u"a1"_s},
          {u"A"_s, u"a2"_s},
          {u"A"_s, u"a3"_s},
          {u"B"_s, u"b4"_s},
          {u"B"_s, u"b5"_s}},
         {u"a1"_s, u"a3"_s, u"b5"_s},
         {u"a2"_s, u"b4"_s}},
        // Requests without a department come first and are dealt out too.
        {"no department first",
         {{noDep, u"n1"_s}, {u"A"_s, u"a2"_s}, {u"A"_s, u"a3"_s}},
         {u"n1"_s, u"a3"_s},
         {u"a2"_s}},
    };
    for (const DealCase& c : cases) {
        SCOPED_TRACE(c.name);
        Recordset query = requestQuery(requests(c.rows));
        Recordset first, second;
        DealOutRequests(query, first, second);
        EXPECT_EQ(first.fieldCount(), 5);
        EXPECT_EQ(second.fieldCount(), 5);
        EXPECT_EQ(columnText(first, u"Cliente"_s), c.first);
        EXPECT_EQ(columnText(second, u"Cliente"_s), c.second);
    }
}

TEST(PendingRequests, KeepsDepartmentNamesWithTheirRows) {
    Recordset query =
        requestQuery(requests({{noDep, u"n1"_s}, {u"A"_s, u"a2"_s}, {u"B"_s, u"b3"_s}}));
    Recordset first, second;
    DealOutRequests(query, first, second);
    EXPECT_EQ(rowsText(first),
              (QStringList{u"NULL|n1|2026/1|NULL|nota"_s, u"B|b3|2026/1|NULL|nota"_s}));
    EXPECT_EQ(rowsText(second), QStringList{u"A|a2|2026/1|NULL|nota"_s});
}

TEST(PendingRequests, AResultThatCannotCountItsRowsLoadsNothing) {
    Recordset query = requestQuery(requests({{u"A"_s, u"r1"_s}, {u"A"_s, u"r2"_s}}));
    query.setCountUnknown(true);
    Recordset first = requestQuery({}), second = requestQuery({});
    DealOutRequests(query, first, second);
    // Fresh, empty request recordsets, not what the caller held before.
    EXPECT_EQ(first.fieldCount(), 5);
    EXPECT_EQ(first.field(1).size, 80);
    EXPECT_EQ(first.recordCount(), 0);
    EXPECT_EQ(second.recordCount(), 0);
}

TEST(PendingRequests, CutsTextsToTheirFieldSizesCountingCharacters) {
    const QString dep30 = QString(30, u'ã');
    const QString client120 = QString(120, u'ç');
    const QString details250 = QString(250, u'é');
    const QString emoji = QString::fromUtf16(u"\U0001F527"); // two UTF-16 units, one character
    Recordset query = requestQuery({
        {dep30, client120, u"2026/12345678901234567890"_s, QVariant(), details250},
        {dep30 + u'x', emoji.repeated(81), u"2026/1"_s, QVariant(), QVariant()},
    });
    Recordset first, second;
    DealOutRequests(query, first, second);

    first.moveFirst();
    EXPECT_EQ(first.value(u"Dep"_s).toString(), dep30);
    EXPECT_EQ(first.value(u"Cliente"_s).toString(), QString(80, u'ç'));
    EXPECT_EQ(first.value(u"Pedido"_s).toString(), u"2026/123456789012345"_s);
    EXPECT_EQ(first.value(u"Obs"_s).toString(), QString(100, u'é'));

    second.moveFirst();
    EXPECT_EQ(second.value(u"Dep"_s).toString(), dep30);
    EXPECT_EQ(second.value(u"Cliente"_s).toString(), emoji.repeated(80));
    EXPECT_TRUE(second.value(u"Obs"_s).isNull()) << "a null details text stays null";
}

TEST(PendingRequests, RequestDateIsTheRegionalShortDate) {
    struct Case {
        const char* locale;
        QTime time;
        const char16_t* expected;
    };
    const Case cases[] = {
        {"pt_PT.UTF-8", QTime(14, 35), u"06/12/2026"},
        {"pt_PT.UTF-8", QTime(0, 0), u"06/12/2026"},
        {"en_US.UTF-8", QTime(14, 35), u"12/06/2026"},
        // An eight-character short date leaves room for the start of the time.
        {"C", QTime(14, 35), u"12/06/26 1"},
        {"C", QTime(0, 0), u"12/06/26"},
    };
    for (const Case& c : cases) {
        ScopedLocale locale(c.locale);
        if (!locale.ok())
            GTEST_SKIP() << c.locale << " is not installed";
        SCOPED_TRACE(c.locale);
        Recordset query = requestQuery(
            {{u"A"_s, u"c"_s, u"2026/1"_s, QDateTime(QDate(2026, 12, 6), c.time), QVariant()}});
        Recordset first, second;
        DealOutRequests(query, first, second);
        first.moveFirst();
        EXPECT_EQ(first.value(u"DataPedido"_s).toString(), QString::fromUtf16(c.expected));
    }
}

TEST(PendingRequests, AResultWithoutARequiredColumnIsAnError) {
    Recordset query;
    query.appendField(u"Dep"_s, FieldType::Text);
    query.addNew();
    Recordset first, second;
    try {
        DealOutRequests(query, first, second);
        FAIL() << "expected an error";
    } catch (const BoardError& e) {
        EXPECT_TRUE(e.message().contains(u"Cliente"_s)) << e.what();
    }
}
