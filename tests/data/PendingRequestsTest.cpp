#include "data/PendingRequests.h"

#include "common/BoardTables.h"
#include "common/ErrorOf.h"
#include "common/ScopedLocale.h"
#include "common/TableText.h"

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
        dealOutRequests(query, first, second);
        EXPECT_EQ(columnText(first, u"Cliente"_s), c.first);
        EXPECT_EQ(columnText(second, u"Cliente"_s), c.second);
    }
}

TEST(PendingRequests, KeepsDepartmentNamesWithTheirRows) {
    Recordset query =
        requestQuery(requests({{noDep, u"n1"_s}, {u"A"_s, u"a2"_s}, {u"B"_s, u"b3"_s}}));
    Recordset first, second;
    dealOutRequests(query, first, second);
    EXPECT_EQ(rowsText(first),
              (QStringList{u"NULL|n1|2026/1|NULL|nota"_s, u"B|b3|2026/1|NULL|nota"_s}));
    EXPECT_EQ(rowsText(second), QStringList{u"A|a2|2026/1|NULL|nota"_s});
}

TEST(PendingRequests, AnEmptyResultLeavesBothGridsEmpty) {
    Recordset query = requestQuery({});
    Recordset first = requestQuery(requests({{u"A"_s, u"before"_s}})), second = first;
    dealOutRequests(query, first, second);
    // Fresh request recordsets, not what the caller held before.
    EXPECT_EQ(first.recordCount(), 0);
    EXPECT_EQ(second.recordCount(), 0);
    EXPECT_EQ(first.field(first.fieldIndex(u"Cliente"_s)).size, requestClienteSize);
}

TEST(PendingRequests, CutsTextsToTheirFieldSizesCountingCharacters) {
    const QString wrench = QString::fromUtf16(u"\U0001F527"); // two UTF-16 units, one character
    const auto longer = [](const QString& text, int size) { return text.repeated(size + 1); };
    Recordset query = requestQuery({
        {longer(u"ã"_s, requestDepSize), longer(wrench, requestClienteSize),
         longer(u"7"_s, requestPedidoSize), QVariant(), longer(u"é"_s, requestObsSize)},
        {u"A"_s, u"c"_s, u"2026/1"_s, QVariant(), QVariant()},
    });
    Recordset first, second;
    dealOutRequests(query, first, second);
    const QStringList cut{
        QString(requestDepSize, u'ã'),    wrench.repeated(requestClienteSize),
        QString(requestPedidoSize, u'7'), u"NULL"_s,
        QString(requestObsSize, u'é'),
    };
    EXPECT_EQ(rowsText(first), QStringList{cut.join(u'|')});
    EXPECT_EQ(rowsText(second), QStringList{u"A|c|2026/1|NULL|NULL"_s})
        << "a null details text stays null";
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
        // An eight-character short date, never followed by a piece of the time.
        {"C", QTime(14, 35), u"12/06/26"},
        {"C", QTime(0, 0), u"12/06/26"},
        {"C.UTF-8", QTime(9, 5), u"12/06/26"},
    };
    for (const Case& c : cases) {
        ScopedLocale locale(c.locale);
        if (!locale.ok())
            GTEST_SKIP() << c.locale << " is not installed";
        SCOPED_TRACE(c.locale);
        Recordset query = requestQuery(
            {{u"A"_s, u"c"_s, u"2026/1"_s, QDateTime(QDate(2026, 12, 6), c.time), QVariant()}});
        Recordset first, second;
        dealOutRequests(query, first, second);
        EXPECT_EQ(columnText(first, u"DataPedido"_s), QStringList{QString::fromUtf16(c.expected)});
    }
}

TEST(PendingRequests, AResultWithoutARequiredColumnIsAnError) {
    Recordset query;
    query.appendField(u"Dep"_s, FieldType::Text);
    query.addNew();
    Recordset first, second;
    EXPECT_EQ(errorOf([&] { dealOutRequests(query, first, second); }),
              u"A consulta à base de dados não devolveu a coluna \"Cliente\"."_s);
}
