#include "common/BoardTables.h"
#include "common/ScopedLocale.h"
#include "common/TableText.h"
#include "common/TempDir.h"
#include "data/DemoDatabase.h"
#include "data/PendingRequests.h"
#include "data/SqlDialect.h"
#include "data/WeekBoard.h"
#include "database/DatabaseConnection.h"

#include <gtest/gtest.h>
#include <memory>

using namespace assi;
using namespace assi::test;
using namespace Qt::StringLiterals;

namespace {

const QDate monday(2026, 12, 7);

QDateTime at(const QDate& date, int h, int m, int s = 0) {
    return QDateTime(date, QTime(h, m, s));
}

// A database the test fills row by row, then reads the way the board does.
class SqliteQueries : public ::testing::Test {
protected:
    SqliteQueries()
        : m_file(m_dir.filePath(u"servico.sqlite"_s)),
          m_database(std::make_unique<DemoDatabase>(m_file)) {
        m_database->addClient(1, u"Farmácia Conceição"_s);
        m_database->addClient(2, u"Hotel Miramar"_s);
        m_database->addEmployee(1, u"T1"_s);
        m_database->addEmployee(2, u"T2"_s);
    }

    DemoDatabase& db() { return *m_database; }

    DatabaseConnection& connect() {
        m_database.reset(); // the board reads a finished database
        m_connection.connect(sqliteConnection(m_file));
        return m_connection;
    }

    // The week query's rows as "DiaSemana|Data|Tecnico|Cliente".
    QStringList weekRows(const QDate& today) {
        Recordset rows = connect().openQuery(
            SqlDialect::forEngine(DatabaseEngine::Sqlite)->weekOrdersSql(today));
        EXPECT_EQ(fieldNamesOf(rows),
                  (QStringList{u"DiaSemana"_s, u"Data"_s, u"Tecnico"_s, u"Cliente"_s}));
        return rowsText(rows);
    }

    void addOrder(const QDateTime& due, QVariant client, QVariant technician, int estado = 1) {
        db().addOrder({due, estado, client, technician});
    }

private:
    TempDir m_dir;
    QString m_file;
    std::unique_ptr<DemoDatabase> m_database;
    DatabaseConnection m_connection;
};

} // namespace

TEST_F(SqliteQueries, WeekWindowIsInclusiveFromTodayToTheSixthDay) {
    const QDate wednesday = monday.addDays(2);
    addOrder(at(wednesday.addDays(-1), 23, 59, 59), 1, 1); // yesterday: out
    addOrder(at(wednesday.addDays(6), 23, 59, 59), 1, 1);  // last second: in
    addOrder(at(wednesday.addDays(7), 0, 0, 0), 1, 1);     // first second after: out
    addOrder(at(wednesday, 0, 0, 0), 2, 2);                // first second: in
    addOrder(at(wednesday, 7, 30), 1, 2);                  // earlier today: in
    EXPECT_EQ(weekRows(wednesday), (QStringList{
                                       u"QUARTA|2026-12-09|T2|Hotel Miramar"_s,
                                       u"QUARTA|2026-12-09|T2|Farmácia Conceição"_s,
                                       u"TERÇA|2026-12-15|T1|Farmácia Conceição"_s,
                                   }));
}

TEST_F(SqliteQueries, WeekLeavesOutClosedOrdersAndUnknownClients) {
    addOrder(at(monday, 9, 0), 1, 1, 0);
    addOrder(at(monday, 9, 0), 1, 1, 2);
    addOrder(at(monday, 9, 0), 1, 1, 3);           // closed
    addOrder(at(monday, 9, 0), 999, 1, 1);         // no such client
    addOrder(at(monday, 10, 0), 2, QVariant(), 1); // no technician
    addOrder(at(monday, 11, 0), 2, 77, 1);         // technician no longer on file
    EXPECT_EQ(weekRows(monday), (QStringList{
                                    u"SEGUNDA|2026-12-07|T1|Farmácia Conceição"_s,
                                    u"SEGUNDA|2026-12-07|T1|Farmácia Conceição"_s,
                                    u"SEGUNDA|2026-12-07||Hotel Miramar"_s,
                                    u"SEGUNDA|2026-12-07||Hotel Miramar"_s,
                                }));
}

TEST_F(SqliteQueries, WeekNamesEveryDayCountingSundayAsTheFirst) {
    const QDate sunday = monday.addDays(-1);
    for (int d = 6; d >= 0; --d) // stored out of order: the query sorts by date
        addOrder(at(sunday.addDays(d), 12, 0), 1, 1);
    EXPECT_EQ(weekRows(sunday), (QStringList{
                                    u"DOMINGO|2026-12-06|T1|Farmácia Conceição"_s,
                                    u"SEGUNDA|2026-12-07|T1|Farmácia Conceição"_s,
                                    u"TERÇA|2026-12-08|T1|Farmácia Conceição"_s,
                                    u"QUARTA|2026-12-09|T1|Farmácia Conceição"_s,
                                    u"QUINTA|2026-12-10|T1|Farmácia Conceição"_s,
                                    u"SEXTA|2026-12-11|T1|Farmácia Conceição"_s,
                                    u"SÁBADO|2026-12-12|T1|Farmácia Conceição"_s,
                                }));
}

TEST_F(SqliteQueries, LoadWeekBoardPivotsTheMondayExample) {
    db().addClient(3, u"C"_s);
    addOrder(at(monday, 9, 0), 1, 1);
    addOrder(at(monday.addDays(2), 9, 0), 3, 2);
    addOrder(at(monday, 15, 0), 2, QVariant());
    Recordset board;
    WeekDayNames names;
    bool ok = false;
    LoadWeekBoard(connect(), monday, board, names, ok);
    ASSERT_TRUE(ok);
    EXPECT_EQ(QStringList(names.begin(), names.end()),
              (QStringList{u"SEGUNDA"_s, u"TERÇA"_s, u"QUARTA"_s, u"QUINTA"_s, u"SEXTA"_s,
                           QString(), QString()}));
    EXPECT_EQ(board.absolutePosition(), 1);
    EXPECT_EQ(rowsText(board),
              (QStringList{
                  u"1|NULL|Farmácia Conceição||NULL|NULL|C||NULL|NULL|NULL|NULL|0"_s,
                  u"11|NULL|T1||NULL|NULL|T2||NULL|NULL|NULL|NULL|1"_s,
                  u"2|NULL|Hotel Miramar||NULL|NULL|NULL|NULL|NULL|NULL|NULL|NULL|0"_s,
                  u"21|NULL|||NULL|NULL|NULL|NULL|NULL|NULL|NULL|NULL|1"_s,
              }));
}

TEST_F(SqliteQueries, AnEmptyWeekLeavesTheBoardButNamesTheDays) {
    addOrder(at(monday.addDays(8), 0, 0), 1, 1); // the day after the window
    Recordset board = BuildRequestRecordset();   // stands for the board shown before
    WeekDayNames names;
    bool ok = true;
    LoadWeekBoard(connect(), monday.addDays(1), board, names, ok);
    EXPECT_FALSE(ok);
    EXPECT_EQ(board.fieldCount(), BuildRequestRecordset().fieldCount());
    EXPECT_EQ(names[0], u"TERÇA"_s);
    EXPECT_EQ(names[4], u"SEGUNDA"_s);
}

TEST_F(SqliteQueries, PendingRequestsAreFilteredOrderedAndDealtOut) {
    db().addDepartment(1, u"Oficina"_s);
    db().addDepartment(2, u"Climatização"_s);
    const QDateTime created = at(QDate(2026, 12, 6), 14, 35);
    int numero = 140;
    auto request = [&](QVariant dep, const QString& note, int estado = 1, int gera = 0,
                       QVariant ano = 2026) {
        db().addRequest({ano, ++numero, estado, gera, dep, 1, created, note});
    };
    request(1, u"oficina 1"_s);
    request(2, u"clima 1"_s);
    request(QVariant(), u"sem departamento"_s);
    request(1, u"fechado"_s, 3);
    request(1, u"já com ordem"_s, 1, 1);
    request(99, u"departamento extinto"_s);
    request(1, u"oficina 2"_s, 2, 0, QVariant());
    request(2, u"clima 2"_s, 0);

    ScopedLocale locale("pt_PT.UTF-8");
    ASSERT_TRUE(locale.ok());
    Recordset first, second;
    LoadPendingRequests(connect(), first, second);
    // Null departments first, then by name; each grid takes every other row.
    EXPECT_EQ(rowsText(first),
              (QStringList{
                  u"NULL|Farmácia Conceição|2026/143|06/12/2026|sem departamento"_s,
                  u"Climatização|Farmácia Conceição|2026/142|06/12/2026|clima 1"_s,
                  u"Oficina|Farmácia Conceição|2026/141|06/12/2026|oficina 1"_s,
              }));
    EXPECT_EQ(rowsText(second),
              (QStringList{
                  u"NULL|Farmácia Conceição|2026/146|06/12/2026|departamento extinto"_s,
                  u"Climatização|Farmácia Conceição|2026/148|06/12/2026|clima 2"_s,
                  u"Oficina|Farmácia Conceição|NULL|06/12/2026|oficina 2"_s,
              }));
}

TEST_F(SqliteQueries, RequestDateFollowsTheRegionalShortDate) {
    db().addRequest({2026, 1, 1, 0, QVariant(), 2, at(QDate(2026, 12, 6), 14, 35), QVariant()});
    db().addRequest({2026, 2, 1, 0, QVariant(), 2, at(QDate(2026, 12, 6), 0, 0), u""_s});
    DatabaseConnection& connection = connect();
    const std::pair<const char*, const char16_t*> cases[] = {
        {"pt_PT.UTF-8", u"06/12/2026"},
        {"en_US.UTF-8", u"12/06/2026"},
    };
    for (const auto& [name, expected] : cases) {
        ScopedLocale locale(name);
        ASSERT_TRUE(locale.ok()) << name;
        Recordset first, second;
        LoadPendingRequests(connection, first, second);
        const QString date = QString::fromUtf16(expected);
        EXPECT_EQ(rowsText(first),
                  QStringList{u"NULL|Hotel Miramar|2026/1|"_s + date + u"|NULL"_s});
        EXPECT_EQ(rowsText(second), QStringList{u"NULL|Hotel Miramar|2026/2|"_s + date + u"|"_s});
    }
}
