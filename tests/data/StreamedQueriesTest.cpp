// The board reads its two queries row by row, straight into the tables the
// grids show. Whatever the database holds, the tables must be the ones that
// reading the whole result first (openQuery) and then dealing it out or
// pivoting it gives, text for text, under every regional format.
#include "common/BoardTables.h"
#include "common/ScopedLocale.h"
#include "common/SqliteFile.h"
#include "common/TableText.h"
#include "common/TempDir.h"
#include "data/DemoDatabase.h"
#include "data/PendingRequests.h"
#include "data/SqlDialect.h"
#include "data/WeekBoard.h"
#include "database/DatabaseConnection.h"

#include <gtest/gtest.h>
#include <tuple>

using namespace assi;
using namespace assi::test;
using namespace Qt::StringLiterals;

namespace {

const QDate monday(2026, 12, 7);
const char* const locales[] = {"pt_PT.UTF-8", "en_US.UTF-8", "C.UTF-8"};

struct Case {
    const char* name;
    // SQL values (literals or expressions over {n}, the row's number from 0)
    // of the column varied, for each row; `rows` rows when only one is given.
    QStringList values;
    int rows = 0;
};

// Through Qt's SQLite driver, where date-times come as text, or through
// ODBC, where they come as date-times, as from SQL Server.
struct Way {
    const char* name;
    const char16_t* odbcDriver;
};
const Way ways[] = {{"QtSqlite", u""}, {"Odbc", u"SQLite3"}};

void PrintTo(const Case& c, std::ostream* os) {
    *os << c.name;
}
void PrintTo(const Way& w, std::ostream* os) {
    *os << w.name;
}

// The statements that insert one row per value: each of `row`'s statements
// with {v} standing for the value and {n} for the row's number.
QStringList inserts(const Case& c, const QStringList& row) {
    QStringList statements{u"begin"_s};
    const int count = c.rows > 0 ? c.rows : int(c.values.size());
    for (int n = 0; n < count; ++n) {
        const QString value = c.rows > 0 ? c.values.first() : c.values[n];
        for (QString statement : row)
            statements << statement.replace(u"{v}"_s, value).replace(u"{n}"_s, QString::number(n));
    }
    statements << u"commit"_s;
    return statements;
}

// The two readings of the same database file, compared in each locale.
class StreamedQueries : public ::testing::TestWithParam<std::tuple<Case, Way>> {
protected:
    StreamedQueries() : m_file(m_dir.filePath(u"servico.sqlite"_s)) {
        DemoDatabase schema(m_file);
        schema.addDepartment(1, u"Oficina"_s);
        schema.addDepartment(2, u"Redes"_s);
        schema.addClient(1, u"Farmácia Conceição"_s);
        schema.addEmployee(1, u"Rui Carvalho"_s);
    }

    void write(const QStringList& row) {
        writeSqliteFile(m_file, inserts(std::get<Case>(GetParam()), row));
    }

    template <typename Compare> void inEachLocale(Compare compare) {
        DatabaseConnection connection;
        connection.connect(
            sqliteConnection(m_file, QString::fromUtf16(std::get<Way>(GetParam()).odbcDriver)));
        for (const char* name : locales) {
            ScopedLocale locale(name);
            if (!locale.ok())
                GTEST_SKIP() << name << " is not installed";
            SCOPED_TRACE(name);
            compare(connection);
        }
    }

private:
    TempDir m_dir;
    QString m_file;
};

// Requests: the varied column is DataCriacao, read as DataPedido, and the
// same value goes into Detalhes, read as Obs, which shows a date's time.
TEST_P(StreamedQueries, RequestsMatchTheWholeResultDealtOut) {
    write({u"insert into zlv_OTK_Assistencias (Ano, Numero, Estado, CodDepar, Cliente,"
           u" DataCriacao, Detalhes) values (2026, {n}, 1, 1 + {n} % 3, 1, {v}, {v})"_s});
    inEachLocale([](DatabaseConnection& connection) {
        Recordset streamedFirst, streamedSecond;
        LoadPendingRequests(connection, streamedFirst, streamedSecond);
        Recordset whole = connection.openQuery(
            SqlDialect::forEngine(DatabaseEngine::Sqlite)->pendingRequestsSql());
        Recordset first, second;
        dealOutRequests(whole, first, second);
        EXPECT_EQ(rowsText(streamedFirst), rowsText(first));
        EXPECT_EQ(rowsText(streamedSecond), rowsText(second));
    });
}

// Orders: the varied column is the client's name, on orders of the week.
TEST_P(StreamedQueries, OrdersMatchTheWholeResultPivoted) {
    write({u"insert into Clientes (Codigo, Nome) values (100 + {n}, {v})"_s,
           u"insert into zlv_OTK_OrdensServico (DataEntrega, Estado, Cliente, FuncId)"
           u" values (datetime('2026-12-07', '+' || ({n} % 9) || ' days'), 1, 100 + {n},"
           u" case when {n} % 4 = 0 then null else 1 end)"_s});
    inEachLocale([](DatabaseConnection& connection) {
        WeekDayNames names{};
        Recordset streamed;
        bool streamedOk = false;
        int streamedWeekend = -1, weekend = -1;
        LoadWeekBoard(connection, monday, streamed, names, streamedOk, &streamedWeekend);
        Recordset whole = connection.openQuery(
            SqlDialect::forEngine(DatabaseEngine::Sqlite)->weekOrdersSql(monday));
        Recordset board;
        const bool ok = buildWeekBoard(whole, names, board, &weekend);
        EXPECT_EQ(streamedOk, ok);
        EXPECT_EQ(streamedWeekend, weekend);
        if (ok) {
            EXPECT_EQ(rowsText(streamed), rowsText(board));
        }
    });
}

const Case cases[] = {
    {"NoRows", {}},
    {"DateTimesWithAndWithoutTime",
     {u"'2026-12-01 00:00:00'"_s, u"'2026-12-01 09:30:00'"_s, u"'2026-11-30T23:59:59.5'"_s,
      u"null"_s, u"'2026-02-28 00:00:00.001'"_s, u"'1999-01-02 18:05:07.25'"_s}},
    {"OneLateValueIsNoDateTime",
     {u"'2026-12-01 10:00:00'"_s, u"'2026-12-02 00:00:00'"_s, u"null"_s, u"'ontem'"_s,
      u"'2026-12-03 10:00:00'"_s}},
    {"DateTimesAfterATextStayText",
     {u"'amanhã'"_s, u"'2026-12-01 10:00:00'"_s, u"'2026-12-02 00:00:00'"_s}},
    {"ImpossibleDatesAreText", {u"'2026-02-30 10:00:00'"_s, u"'2026-12-01 10:00:00'"_s}},
    {"DatesWithoutTimeAreText", {u"'2026-12-01'"_s, u"'2026-12-02'"_s}},
    {"NumbersAmongDateTimes",
     {u"'2026-12-01 10:00:00'"_s, u"20261202"_s, u"1.5"_s, u"'2026-12-03 10:00:00'"_s}},
    {"EmptyTextsAndNulls", {u"''"_s, u"null"_s, u"''"_s}},
    {"LongTextsCut",
     {u"'Associação Humanitária dos Bombeiros Voluntários de Vila Nova de Famalicão'"_s,
      u"'Óptica 😀 Gonçalves, a mais antiga da cidade e arredores, desde 1932'"_s}},
    // Past the point where a column that hardly repeats stops being shared.
    {"ManyRepeatedTexts", {u"'Cliente ' || ({n} % 7)"_s}, 3000},
    {"ManyDistinctTexts", {u"'Cliente n.º ' || {n}"_s}, 3000},
    {"ManyDistinctDateTimes", {u"datetime('2026-01-01', '+' || {n} || ' minutes')"_s}, 3000},
};

INSTANTIATE_TEST_SUITE_P(Cases, StreamedQueries,
                         ::testing::Combine(::testing::ValuesIn(cases), ::testing::ValuesIn(ways)),
                         [](const auto& info) {
                             return std::string(std::get<Case>(info.param).name) + "_" +
                                    std::get<Way>(info.param).name;
                         });

} // namespace
