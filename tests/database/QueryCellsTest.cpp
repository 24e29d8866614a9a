// A query read row by row must type its cells as the whole result read at
// once types its columns, though a column's type may only show at its last
// row.
#include "common/SqliteFile.h"
#include "common/TempDir.h"
#include "core/Recordset.h"
#include "database/ConnectionStringBuilder.h"
#include "database/DatabaseConnection.h"

#include <QDateTime>
#include <gtest/gtest.h>

using namespace Qt::StringLiterals;
using namespace assi;

namespace {

struct Case {
    const char* name;
    const char* declaredType; // none: typed by its first value
    QStringList values;       // SQL literals, one row each
    int readings;             // 2 when the reading must start over
};

void PrintTo(const Case& c, std::ostream* os) {
    *os << c.name;
}

// A cell as the whole result holds it, or as QueryCells gives it.
QString shown(const QVariant& value) {
    if (value.isNull())
        return u"NULL"_s;
    if (value.typeId() == QMetaType::QDateTime)
        return u"date "_s + value.toDateTime().toString(Qt::ISODateWithMs);
    return u"text "_s + value.toString();
}

QString shown(const QueryCell& cell) {
    switch (cell.kind) {
    case QueryCell::Kind::Null:
        return u"NULL"_s;
    case QueryCell::Kind::DateTime:
        return u"date "_s +
               QDateTime(cell.dateTime.date(), cell.dateTime.time()).toString(Qt::ISODateWithMs);
    case QueryCell::Kind::Text:
        break;
    }
    return u"text "_s + cell.text;
}

class QueryCellsRead : public ::testing::TestWithParam<Case> {};

TEST_P(QueryCellsRead, AsTheWholeResultTypesItsColumn) {
    const Case& c = GetParam();
    test::TempDir dir;
    const QString file = dir.filePath(u"valores.db"_s);
    QStringList statements{
        u"create table Valores (Valor %1)"_s.arg(QLatin1StringView(c.declaredType))};
    for (const QString& value : c.values)
        statements << u"insert into Valores values (%1)"_s.arg(value);
    test::writeSqliteFile(file, statements);

    ConnectionStringBuilder builder;
    builder.setReadOnly(true);
    builder.setEngine(DatabaseEngine::Sqlite);
    builder.setDatabase(file);
    DatabaseConnection connection;
    connection.connect(builder.buildConnectionString());
    const QString sql = u"select Valor from Valores order by rowid"_s;

    QStringList whole;
    Recordset rs = connection.openQuery(sql);
    for (; !rs.eof(); rs.moveNext())
        whole << shown(rs.value(0));

    QStringList streamed;
    int begun = 0;
    connection.readQuery(
        sql,
        [&](QueryCells&) {
            ++begun;
            streamed.clear();
        },
        [&](QueryCells& cells) { streamed << shown(cells.cell(0)); });

    EXPECT_EQ(streamed, whole);
    EXPECT_EQ(begun, c.readings);
}

const Case cases[] = {
    {"NoRows", "integer", {}, 0},
    {"WholeNumbersThatFit", "integer", {u"1"_s, u"-5"_s, u"null"_s, u"2147483647"_s}, 1},
    {"AWholeNumberTooBigAtTheEnd", "integer", {u"1"_s, u"2"_s, u"9999999999"_s}, 1},
    {"NumbersWrittenAsTextThatFit", "", {u"3"_s, u"'012'"_s, u"'+7'"_s}, 1},
    {"NumbersWrittenAsTextThenOneTooBig", "", {u"3"_s, u"'012'"_s, u"99999999999"_s}, 2},
    {"TextsInAWholeNumberColumn", "integer", {u"4"_s, u"'quatro'"_s, u"5"_s}, 1},
    {"DecimalNumbers", "real", {u"1.5"_s, u"2"_s, u"null"_s}, 1},
    {"DateTimes",
     "datetime",
     {u"'2026-12-07 09:30:00'"_s, u"null"_s, u"'2026-12-08T10:00:00.25'"_s},
     1},
    {"DateTimesThenAText", "datetime", {u"'2026-12-07 09:30:00'"_s, u"'amanhã'"_s}, 2},
    {"ATextThenDateTimes", "text", {u"'amanhã'"_s, u"'2026-12-07 09:30:00'"_s}, 1},
    {"DateTimesThenANumber", "", {u"'2026-12-07 09:30:00'"_s, u"20261208"_s}, 2},
};

INSTANTIATE_TEST_SUITE_P(Cases, QueryCellsRead, ::testing::ValuesIn(cases),
                         [](const auto& info) { return std::string(info.param.name); });

} // namespace
