#include "DatabaseConnection.h"

#include "common/TempDir.h"
#include "BoardError.h"
#include "ConnectionStringBuilder.h"
#include "Recordset.h"

#include <QDateTime>
#include <QFileInfo>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <functional>
#include <gtest/gtest.h>

using namespace Qt::StringLiterals;
using assi::BoardError;
using assi::DatabaseConnection;
using assi::DatabaseEngine;
using assi::FieldType;
using assi::Recordset;

namespace {

// Writes a database file the way the service-management tables keep their
// data on SQLite: date-times as text.
void createDatabase(const QString& file) {
    const QString name = u"create-"_s + file;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(u"QSQLITE"_s, name);
        db.setDatabaseName(file);
        ASSERT_TRUE(db.open());
        QSqlQuery q(db);
        for (
            const QString& sql : {
                u"create table Ordens (Numero integer, Entrega datetime, Cliente text, Nota text)"_s,
                u"insert into Ordens values (3, '2026-12-07 09:30:00', 'Conceição', null)"_s,
                u"insert into Ordens values (1, '2026-12-08 00:00:00', 'Álvaro', 'urgente')"_s,
                u"insert into Ordens values (2, null, null, '2026-12-08 10:00:00')"_s,
                u"create table Textos (Quando text)"_s,
                u"insert into Textos values ('2026-12-07 09:30:00'), ('amanhã')"_s,
            })
            ASSERT_TRUE(q.exec(sql)) << q.lastError().text().toStdString();
    }
    QSqlDatabase::removeDatabase(name);
}

// The two ways the board can open a SQLite file: Qt's own driver, or the
// SQLite ODBC driver, which runs the same code path as SQL Server.
enum class Way { QtSqlite, Odbc };

assi::ConnectionString sqliteConnection(const QString& file, Way way) {
    assi::ConnectionStringBuilder builder;
    builder.Provider(u"MSDataShape"_s);
    builder.Mode(1);
    builder.Motor(DatabaseEngine::Sqlite);
    builder.Value2(file);
    if (way == Way::Odbc)
        builder.Driver(u"SQLite3"_s);
    return builder.ConnectionString();
}

QString errorOf(const std::function<void()>& action) {
    try {
        action();
    } catch (const BoardError& e) {
        return e.message();
    }
    return {};
}

class SqliteConnection : public ::testing::TestWithParam<Way> {
protected:
    void SetUp() override {
        m_file = m_dir.filePath(u"quadro demo;1.db"_s);
        createDatabase(m_file);
        m_connection.Connect(sqliteConnection(m_file, GetParam()));
    }

    Recordset query(const QString& sql) {
        Recordset rs;
        m_connection.OpenQuery(QString(), sql, rs, true, 0);
        return rs;
    }

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
    for (const auto& row : expected) {
        ASSERT_FALSE(rs.eof());
        EXPECT_EQ(rs.value(u"Numero"_s).toInt(), row.numero);
        EXPECT_EQ(rs.value(u"Dez"_s).toInt(), row.numero * 10);
        EXPECT_EQ(rs.value(u"Entrega"_s).isNull(), !row.entrega.isValid());
        if (row.entrega.isValid()) {
            EXPECT_EQ(rs.value(u"Entrega"_s).toDateTime(), row.entrega);
        }
        EXPECT_EQ(rs.value(u"Cliente"_s).isNull(), row.cliente.isNull());
        EXPECT_EQ(rs.value(u"Cliente"_s).toString(), row.cliente.toString());
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
    EXPECT_EQ(rs.fieldNames(), (QStringList{u"Numero"_s, u"Cliente"_s}));
    EXPECT_EQ(rs.recordCount(), 0);
    EXPECT_TRUE(rs.eof());
}

TEST_P(SqliteConnection, AFailedQueryGivesTheDriversMessageAndLeavesTheResultAlone) {
    Recordset rs;
    rs.appendField(u"Antes"_s, FieldType::Text);
    const QString message =
        errorOf([&] { m_connection.OpenQuery(QString(), u"select * from Nada"_s, rs, true, 0); });
    EXPECT_TRUE(message.startsWith(u"A consulta à base de dados falhou (base de dados SQLite "_s))
        << message.toStdString();
    EXPECT_TRUE(message.contains(u"no such table"_s)) << message.toStdString();
    EXPECT_EQ(rs.fieldNames(), QStringList{u"Antes"_s});
}

TEST_P(SqliteConnection, TheFileIsOpenedReadOnly) {
    const QString message = errorOf([&] { query(u"insert into Ordens (Numero) values (9)"_s); });
    EXPECT_TRUE(message.contains(u"readonly"_s)) << message.toStdString();
    EXPECT_EQ(query(u"select count(*) from Ordens"_s).value(0).toInt(), 3);
}

TEST_P(SqliteConnection, ConnectsAgainAndClosesCleanly) {
    const QString name = m_connection.connectionName();
    m_connection.Connect(sqliteConnection(m_file, GetParam()));
    EXPECT_EQ(query(u"select count(*) from Ordens"_s).value(0).toInt(), 3);
    m_connection.close();
    EXPECT_FALSE(m_connection.isOpen());
    EXPECT_FALSE(QSqlDatabase::contains(name));
    const QString message = errorOf([&] { query(u"select 1"_s); });
    EXPECT_TRUE(message.startsWith(u"A consulta à base de dados falhou"_s))
        << message.toStdString();
}

TEST_P(SqliteConnection, AMissingFileIsAnErrorNamingItAndIsNeverCreated) {
    const QString missing = m_dir.filePath(u"nao-existe.db"_s);
    DatabaseConnection other;
    const QString message = errorOf([&] { other.Connect(sqliteConnection(missing, GetParam())); });
    EXPECT_EQ(message, u"Não foi possível ligar à base de dados (base de dados SQLite "_s +
                           missing + u"): o ficheiro "_s + missing + u" não existe"_s);
    EXPECT_FALSE(QFileInfo::exists(missing));
    EXPECT_FALSE(other.isOpen());
}

INSTANTIATE_TEST_SUITE_P(BothDrivers, SqliteConnection, ::testing::Values(Way::QtSqlite, Way::Odbc),
                         [](const auto& info) {
                             return std::string(info.param == Way::Odbc ? "Odbc" : "QtSqlite");
                         });

TEST(DatabaseConnection, EachConnectionHasItsOwnName) {
    assi::test::TempDir dir;
    const QString a = dir.filePath(u"a.db"_s), b = dir.filePath(u"b.db"_s);
    createDatabase(a);
    createDatabase(b);
    QString nameA;
    {
        DatabaseConnection first, second;
        nameA = first.connectionName();
        EXPECT_NE(first.connectionName(), second.connectionName());
        first.Connect(sqliteConnection(a, Way::QtSqlite));
        second.Connect(sqliteConnection(b, Way::Odbc));
        Recordset one, two;
        first.OpenQuery(QString(), u"select count(*) from Ordens"_s, one, true, 0);
        second.OpenQuery(QString(), u"select count(*) from Textos"_s, two, true, 0);
        EXPECT_EQ(one.value(0).toInt(), 3);
        EXPECT_EQ(two.value(0).toInt(), 2);
    }
    EXPECT_FALSE(QSqlDatabase::contains(nameA));
}

TEST(DatabaseConnection, QueryingBeforeConnectingIsAnError) {
    DatabaseConnection connection;
    Recordset rs;
    EXPECT_THROW(connection.OpenQuery(QString(), u"select 1"_s, rs, true, 0), BoardError);
}

} // namespace
