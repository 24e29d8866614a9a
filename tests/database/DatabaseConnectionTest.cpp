#include "database/DatabaseConnection.h"

#include "common/ErrorOf.h"
#include "common/SqliteFile.h"
#include "common/TableText.h"
#include "common/TempDir.h"
#include "core/Recordset.h"
#include "database/ConnectionStringBuilder.h"

#include <QDateTime>
#include <QFileInfo>
#include <QSqlDatabase>
#include <gtest/gtest.h>

using namespace Qt::StringLiterals;
using assi::DatabaseConnection;
using assi::DatabaseEngine;
using assi::FieldType;
using assi::Recordset;
using assi::test::errorOf;
using assi::test::fieldNamesOf;

namespace {

// Orders as the service-management tables keep them on SQLite: date-times as text.
void createDatabase(const QString& file) {
    assi::test::writeSqliteFile(
        file,
        {
            u"create table Ordens (Numero integer, Entrega datetime, Cliente text, Nota text)"_s,
            u"insert into Ordens values (3, '2026-12-07 09:30:00', 'Conceição', null)"_s,
            u"insert into Ordens values (1, '2026-12-08 00:00:00', 'Álvaro', 'urgente')"_s,
            u"insert into Ordens values (2, null, null, '2026-12-08 10:00:00')"_s,
            u"create table Textos (Quando text)"_s,
            u"insert into Textos values ('2026-12-07 09:30:00'), ('amanhã')"_s,
        });
}

// The two ways the board can open a SQLite file: Qt's own driver, or the
// SQLite ODBC driver, which runs the same code path as SQL Server.
enum class Way { QtSqlite, Odbc };

assi::ConnectionString sqliteConnection(const QString& file, Way way) {
    assi::ConnectionStringBuilder builder;
    builder.setProvider(u"MSDataShape"_s);
    builder.setReadOnly(true);
    builder.setEngine(DatabaseEngine::Sqlite);
    builder.setDatabase(file);
    if (way == Way::Odbc)
        builder.setOdbcDriver(u"SQLite3"_s);
    return builder.buildConnectionString();
}

class SqliteConnection : public ::testing::TestWithParam<Way> {
protected:
    void SetUp() override {
        m_file = m_dir.filePath(u"quadro demo;1.db"_s);
        createDatabase(m_file);
        m_connection.connect(sqliteConnection(m_file, GetParam()));
    }

    Recordset query(const QString& sql) { return m_connection.openQuery(sql); }

    assi::test::TempDir m_dir;
    QString m_file;
    DatabaseConnection m_connection;
};

TEST_P(SqliteConnection, FillsTypedFieldsPositionedOnTheFirstRowWithTheTrueCount) {
    Recordset rs = query(
        u"select Numero, Entrega, Cliente, Nota, Numero * 10 as Dez from Ordens order by Numero"_s);
    ASSERT_EQ(rs.fieldCount(), 5);
    EXPECT_EQ(rs.field(0).type, FieldType::Integer);
    EXPECT_EQ(rs.field(1).type, FieldType::DateTime);
    EXPECT_EQ(rs.field(2).type, FieldType::Text);
    EXPECT_EQ(rs.field(2).size, 0);
    EXPECT_EQ(rs.field(3).type, FieldType::Text); // one note looks like a date, the others do not
    EXPECT_EQ(rs.field(4).type, FieldType::Integer);
    EXPECT_EQ(rs.recordCount(), 3);
    EXPECT_EQ(rs.absolutePosition(), 1);

    const struct {
        int numero;
        QDateTime entrega;
        QVariant cliente;
    } expected[] = {
        {1, QDateTime(QDate(2026, 12, 8), QTime(0, 0)), u"Álvaro"_s},
        {2, QDateTime(), QVariant()},
        {3, QDateTime(QDate(2026, 12, 7), QTime(9, 30)), u"Conceição"_s},
    };
    enum { Numero, Entrega, Cliente, Nota, Dez };
    for (const auto& row : expected) {
        ASSERT_FALSE(rs.eof());
        EXPECT_EQ(rs.value(Numero).toInt(), row.numero);
        EXPECT_EQ(rs.value(Dez).toInt(), row.numero * 10);
        EXPECT_EQ(rs.value(Entrega).isNull(), !row.entrega.isValid());
        if (row.entrega.isValid()) {
            EXPECT_EQ(rs.value(Entrega).toDateTime(), row.entrega);
        }
        EXPECT_EQ(rs.value(Cliente).isNull(), row.cliente.isNull());
        EXPECT_EQ(rs.value(Cliente).toString(), row.cliente.toString());
        rs.moveNext();
    }
    EXPECT_TRUE(rs.eof());
}

TEST_P(SqliteConnection, ComputedDateTimesAreDateTimesAndOtherTextsStayText) {
    Recordset rs =
        query(u"select datetime('2026-12-07 08:15:00') as Calculada, Quando from Textos"_s);
    EXPECT_EQ(rs.field(0).type, FieldType::DateTime);
    EXPECT_EQ(rs.value(0).toDateTime(), QDateTime(QDate(2026, 12, 7), QTime(8, 15)));
    EXPECT_EQ(rs.field(1).type, FieldType::Text);
    EXPECT_EQ(rs.value(1).toString(), u"2026-12-07 09:30:00"_s);

    const struct {
        QString text;
        QDateTime dateTime; // invalid: the column stays text
    } cases[] = {
        {u"2026-12-07T08:15:00.5"_s, QDateTime(QDate(2026, 12, 7), QTime(8, 15, 0, 500))},
        {u"2026-12-07 08:15:00.123"_s, QDateTime(QDate(2026, 12, 7), QTime(8, 15, 0, 123))},
        {u"2026-02-30 10:00:00"_s, {}},
        {u"2026-12-07 08:15"_s, {}},
        {u"2026-12-07 08:15:00.1234"_s, {}},
        {u"2026-12-07"_s, {}},
    };
    for (const auto& c : cases) {
        Recordset one = query(u"select '%1' as Quando"_s.arg(c.text));
        EXPECT_EQ(one.field(0).type, c.dateTime.isValid() ? FieldType::DateTime : FieldType::Text)
            << c.text.toStdString();
        EXPECT_EQ(c.dateTime.isValid() ? one.value(0).toDateTime() : QDateTime(), c.dateTime)
            << c.text.toStdString();
    }
}

TEST_P(SqliteConnection, AnEmptyResultKeepsItsFields) {
    Recordset rs = query(u"select Numero, Cliente from Ordens where Numero > 99"_s);
    EXPECT_EQ(fieldNamesOf(rs), (QStringList{u"Numero"_s, u"Cliente"_s}));
    EXPECT_EQ(rs.recordCount(), 0);
    EXPECT_TRUE(rs.eof());
}

TEST_P(SqliteConnection, AFailedQueryGivesTheDriversMessage) {
    const QString message = errorOf([&] { query(u"select * from Nada"_s); });
    EXPECT_TRUE(message.startsWith(u"A consulta à base de dados falhou (base de dados SQLite "_s))
        << message.toStdString();
    EXPECT_TRUE(message.contains(u"no such table"_s)) << message.toStdString();
}

TEST_P(SqliteConnection, TheFileIsOpenedReadOnly) {
    const QString message = errorOf([&] { query(u"insert into Ordens (Numero) values (9)"_s); });
    EXPECT_TRUE(message.contains(u"readonly"_s)) << message.toStdString();
    EXPECT_EQ(query(u"select count(*) from Ordens"_s).value(0).toInt(), 3);
}

TEST_P(SqliteConnection, ConnectsAgainAndClosesCleanly) {
    const qsizetype connections = QSqlDatabase::connectionNames().size();
    m_connection.connect(sqliteConnection(m_file, GetParam()));
    EXPECT_EQ(query(u"select count(*) from Ordens"_s).value(0).toInt(), 3);
    EXPECT_EQ(QSqlDatabase::connectionNames().size(), connections);
    m_connection.close();
    EXPECT_FALSE(m_connection.isOpen());
    EXPECT_EQ(QSqlDatabase::connectionNames().size(), connections - 1);
    const QString message = errorOf([&] { query(u"select 1"_s); });
    EXPECT_TRUE(message.startsWith(u"A consulta à base de dados falhou"_s))
        << message.toStdString();
}

TEST_P(SqliteConnection, AMissingFileIsAnErrorNamingItAndIsNeverCreated) {
    const QString missing = m_dir.filePath(u"nao-existe.db"_s);
    DatabaseConnection other;
    const QString message = errorOf([&] { other.connect(sqliteConnection(missing, GetParam())); });
    EXPECT_EQ(message, u"Não foi possível ligar à base de dados (base de dados SQLite "_s +
                           missing + u"): o ficheiro "_s + missing + u" não existe"_s);
    EXPECT_FALSE(QFileInfo::exists(missing));
    EXPECT_FALSE(other.isOpen());
}

INSTANTIATE_TEST_SUITE_P(BothDrivers, SqliteConnection, ::testing::Values(Way::QtSqlite, Way::Odbc),
                         [](const auto& info) {
                             return std::string(info.param == Way::Odbc ? "Odbc" : "QtSqlite");
                         });

TEST(DatabaseConnection, ConnectionsStayApartAndLeaveNothingBehind) {
    assi::test::TempDir dir;
    const QString a = dir.filePath(u"a.db"_s), b = dir.filePath(u"b.db"_s);
    createDatabase(a);
    createDatabase(b);
    const QStringList before = QSqlDatabase::connectionNames();
    {
        DatabaseConnection first, second;
        first.connect(sqliteConnection(a, Way::QtSqlite));
        second.connect(sqliteConnection(b, Way::Odbc));
        EXPECT_EQ(first.openQuery(u"select count(*) from Ordens"_s).value(0).toInt(), 3);
        EXPECT_EQ(second.openQuery(u"select count(*) from Textos"_s).value(0).toInt(), 2);
    }
    EXPECT_EQ(QSqlDatabase::connectionNames(), before);
}

TEST(DatabaseConnection, QueryingBeforeConnectingIsAnError) {
    DatabaseConnection connection;
    EXPECT_EQ(errorOf([&] { connection.openQuery(u"select 1"_s); }),
              u"A consulta à base de dados falhou: a ligação não está aberta."_s);
}

} // namespace
