#include "database/ConnectionStringBuilder.h"

#include "common/ErrorOf.h"
#include "core/BoardError.h"

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;
using assi::BoardError;
using assi::ConnectionStringBuilder;
using assi::DatabaseEngine;
using assi::test::errorOf;

namespace {

ConnectionStringBuilder sqlServerBuilder(const QString& server) {
    ConnectionStringBuilder builder;
    builder.setProvider(u"MSDataShape"_s);
    builder.setReadOnly(true);
    builder.setServer(server);
    builder.setLogin(u"quadro"_s);
    builder.setDatabase(u"OTK"_s);
    builder.setPassword(u"segredo"_s);
    return builder;
}

TEST(ConnectionStringBuilder, QuotesEveryValueSoNoneCanEndItsAttribute) {
    const struct {
        QString value, quoted;
    } cases[] = {
        {u"simples"_s, u"{simples}"_s},
        {u""_s, u"{}"_s},
        {u"pa;ss"_s, u"{pa;ss}"_s},
        {u"a=b"_s, u"{a=b}"_s},
        {u"x}y"_s, u"{x}}y}"_s},
        {u"{br}"_s, u"{{br}}}"_s},
        {u"};UID=intruso;PWD={"_s, u"{}};UID=intruso;PWD={}"_s},
        {u" com espaços "_s, u"{ com espaços }"_s},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ConnectionStringBuilder::quoteOdbcValue(c.value), c.quoted)
            << c.value.toStdString();
}

TEST(ConnectionStringBuilder, ForFreeTdsOnlyFormsThatEveryParserReadsAlike) {
    const struct {
        QString value, quoted;
    } cases[] = {
        {u"simples"_s, u"{simples}"_s},
        {u"pa;ss=x"_s, u"{pa;ss=x}"_s},
        {u"{br"_s, u"{{br}"_s},
        {u"x}y=z"_s, u"x}y=z"_s}, // bare: read up to the next ';' everywhere
        {u"x}y;z"_s, u""_s},      // no form: refused
        {u"{x}"_s, u""_s},
        {u"};UID=intruso;PWD={"_s, u""_s},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ConnectionStringBuilder::quoteFreeTdsValue(c.value), c.quoted)
            << c.value.toStdString();
}

TEST(ConnectionStringBuilder, RefusesAValueFreeTdsCannotTakeNamingItButNotShowingIt) {
    ConnectionStringBuilder builder = sqlServerBuilder(u"srv01"_s);
    builder.setPassword(u"ab};UID=sa"_s);
    EXPECT_EQ(errorOf([&] { builder.buildConnectionString(); }),
              u"O valor de Senha tem \"}\" junto com \";\" (ou começa por \"{\"), o que o "
              u"controlador FreeTDS não recebe com segurança; mude esse valor."_s);
    // Other drivers follow ODBC's own doubling.
    builder.setOdbcDriver(u"ODBC Driver 18 for SQL Server"_s);
    EXPECT_TRUE(builder.buildConnectionString().databaseName.contains(u"PWD={ab}};UID=sa};"_s));
}

TEST(ConnectionStringBuilder, ReadsTheServerForms) {
    const struct {
        QString server, host;
        int port;
        QString instance;
    } cases[] = {
        {u"srv01"_s, u"srv01"_s, 0, u""_s},
        {u"srv01,1500"_s, u"srv01"_s, 1500, u""_s},
        {u" srv01 , 1500 "_s, u"srv01"_s, 1500, u""_s},
        {u"srv01\\SQLEXPRESS"_s, u"srv01"_s, 0, u"SQLEXPRESS"_s},
        {u"srv01\\INST,1600"_s, u"srv01"_s, 1600, u"INST"_s},
        {u"tcp:10.0.0.5,1433"_s, u"10.0.0.5"_s, 1433, u""_s},
        {u"."_s, u"localhost"_s, 0, u""_s},
        {u"(local)\\SQLEXPRESS"_s, u"localhost"_s, 0, u"SQLEXPRESS"_s},
    };
    for (const auto& c : cases) {
        const auto address = ConnectionStringBuilder::parseServer(c.server);
        EXPECT_EQ(address.host, c.host) << c.server.toStdString();
        EXPECT_EQ(address.port, c.port) << c.server.toStdString();
        EXPECT_EQ(address.instance, c.instance) << c.server.toStdString();
    }
}

TEST(ConnectionStringBuilder, RejectsAMalformedServerNamingIt) {
    for (const QString& server : {u""_s, u"srv,abc"_s, u"srv,0"_s, u"srv,70000"_s, u",1433"_s}) {
        const QString message = errorOf([&] { ConnectionStringBuilder::parseServer(server); });
        EXPECT_TRUE(message.startsWith(u"Servidor inválido \""_s + server + u'"'))
            << message.toStdString();
    }
}

TEST(ConnectionStringBuilder, BuildsTheFreeTdsTextForEachServerForm) {
    const QString tail = u"Database={OTK};UID={quadro};PWD={segredo};"
                         u"TDS_Version=7.4;ClientCharset=UTF-8;Timeout=30;"_s;
    const struct {
        QString server, text;
    } cases[] = {
        {u"srv01"_s, u"Driver={FreeTDS};Server={srv01};Port={1433};"_s + tail},
        {u"srv01,1500"_s, u"Driver={FreeTDS};Server={srv01};Port={1500};"_s + tail},
        {u"srv01\\SQLEXPRESS"_s, u"Driver={FreeTDS};Server={srv01\\SQLEXPRESS};"_s + tail},
    };
    for (const auto& c : cases) {
        const assi::ConnectionString cs = sqlServerBuilder(c.server).buildConnectionString();
        EXPECT_EQ(cs.databaseName, c.text);
        EXPECT_EQ(cs.driverName, u"QODBC"_s);
        EXPECT_EQ(cs.connectOptions,
                  u"SQL_ATTR_ACCESS_MODE=SQL_MODE_READ_ONLY;SQL_ATTR_LOGIN_TIMEOUT=15"_s);
        EXPECT_EQ(cs.describe(), u"servidor "_s + c.server + u", base de dados OTK"_s);
    }
}

TEST(ConnectionStringBuilder, OtherDriversGetSqlServersOwnServerSyntaxAndNoFreeTdsKeys) {
    ConnectionStringBuilder builder = sqlServerBuilder(u"srv01,1500"_s);
    builder.setOdbcDriver(u"ODBC Driver 18 for SQL Server"_s);
    EXPECT_EQ(builder.buildConnectionString().databaseName,
              u"Driver={ODBC Driver 18 for SQL Server};Server={srv01,1500};"
              u"Database={OTK};UID={quadro};PWD={segredo};"_s);
}

TEST(ConnectionStringBuilder, OnlyAReadOnlyConnectionAsksForReadOnlyAccess) {
    ConnectionStringBuilder builder = sqlServerBuilder(u"srv01"_s);
    builder.setReadOnly(false);
    EXPECT_EQ(builder.buildConnectionString().connectOptions, u"SQL_ATTR_LOGIN_TIMEOUT=15"_s);
}

TEST(ConnectionStringBuilder, RejectsAnUnknownProvider) {
    ConnectionStringBuilder builder = sqlServerBuilder(u"srv01"_s);
    builder.setProvider(u"SQLOLEDB"_s);
    EXPECT_THROW(builder.buildConnectionString(), BoardError);
}

TEST(ConnectionStringBuilder, OpensSqliteReadOnlyWithQtsDriverOrThroughOdbc) {
    ConnectionStringBuilder builder;
    builder.setProvider(u"MSDataShape"_s);
    builder.setReadOnly(true);
    builder.setEngine(DatabaseEngine::Sqlite);
    builder.setDatabase(u"/dados/quadro demo;1.dsn.db"_s);

    const assi::ConnectionString native = builder.buildConnectionString();
    EXPECT_EQ(native.driverName, u"QSQLITE"_s);
    EXPECT_EQ(native.databaseName, u"/dados/quadro demo;1.dsn.db"_s);
    EXPECT_EQ(native.connectOptions, u"QSQLITE_OPEN_READONLY"_s);
    EXPECT_EQ(native.requiredFile, u"/dados/quadro demo;1.dsn.db"_s);
    EXPECT_EQ(native.describe(), u"base de dados SQLite /dados/quadro demo;1.dsn.db"_s);

    // The SQLite ODBC driver knows no braces: the file travels percent-encoded.
    builder.setOdbcDriver(u"SQLite3"_s);
    const assi::ConnectionString odbc = builder.buildConnectionString();
    EXPECT_EQ(odbc.driverName, u"QODBC"_s);
    EXPECT_EQ(odbc.databaseName,
              u"Driver={SQLite3};Database=file:/dados/quadro%20demo%3B1%2Edsn%2Edb?mode=ro;"_s);
    EXPECT_EQ(odbc.connectOptions,
              u"SQL_ATTR_ACCESS_MODE=SQL_MODE_READ_ONLY;SQL_ATTR_LOGIN_TIMEOUT=15"_s);
}

// A SQL Server driver left in the settings (the example's own FreeTDS) must not
// be asked to open a SQLite file; a SQLite ODBC driver is still used.
TEST(ConnectionStringBuilder, SqliteIgnoresSqlServerDrivers) {
    const struct {
        QString driver;
        QString expectedQtDriver;
    } cases[] = {
        {u"FreeTDS"_s, u"QSQLITE"_s},
        {u" freetds "_s, u"QSQLITE"_s},
        {u"/usr/lib/x86_64-linux-gnu/odbc/libtdsodbc.so"_s, u"QSQLITE"_s},
        {u"ODBC Driver 18 for SQL Server"_s, u"QSQLITE"_s},
        {u"SQLite3"_s, u"QODBC"_s},
    };
    for (const auto& c : cases) {
        ConnectionStringBuilder builder;
        builder.setEngine(DatabaseEngine::Sqlite);
        builder.setDatabase(u"/dados/quadro.db"_s);
        builder.setOdbcDriver(c.driver);
        EXPECT_EQ(builder.buildConnectionString().driverName, c.expectedQtDriver)
            << c.driver.toStdString();
    }
}

TEST(ConnectionString, MessagesAreCleanedOfThePassword) {
    const assi::ConnectionString cs = sqlServerBuilder(u"srv01"_s).buildConnectionString();
    EXPECT_EQ(cs.withoutSecrets(u"ligação "_s + cs.databaseName + u" recusada"_s),
              u"ligação **** recusada"_s);
    EXPECT_EQ(cs.withoutSecrets(u"Login failed: password 'segredo'"_s),
              u"Login failed: password '****'"_s);

    ConnectionStringBuilder braces = sqlServerBuilder(u"srv01"_s);
    braces.setPassword(u"a}b"_s);
    const assi::ConnectionString quoted = braces.buildConnectionString();
    EXPECT_EQ(quoted.withoutSecrets(u"PWD={a}}b} ou a}b"_s), u"PWD={****} ou ****"_s);
    EXPECT_FALSE(quoted.describe().contains(u"a}b"_s));
    EXPECT_TRUE(quoted.databaseName.contains(u";PWD=a}b;"_s));
}

// The password is masked where it stands as a value or as a word of its own,
// never inside another word a driver says.
TEST(ConnectionString, ThePasswordIsMaskedWhereItStandsNeverInsideOtherWords) {
    struct Case {
        QString password, message, shown;
    };
    const Case cases[] = {
        {u"x"_s, u"Timeout expired"_s, u"Timeout expired"_s},
        {u"x"_s, u"Login failed for x."_s, u"Login failed for ****."_s},
        {u"x"_s, u"Driver={FreeTDS};UID=u;PWD={x};"_s, u"Driver={FreeTDS};UID=u;PWD={****};"_s},
        {u"x"_s, u"pwd=x;uid=u"_s, u"pwd=****;uid=u"_s},
        {u"x"_s, u"Password=xy; PWD=;"_s, u"Password=****; PWD=;"_s},
        {u"segredo"_s, u"password 'segredo' rejected, segredos kept"_s,
         u"password '****' rejected, segredos kept"_s},
        {u"a.*b"_s, u"a.*b or aXXb or a.*bc"_s, u"**** or aXXb or a.*bc"_s},
        {u"duas palavras"_s, u"PWD=duas palavras;erro: duas palavras."_s,
         u"PWD=****;erro: ****."_s},
        {u"a}b"_s, u"PWD={a}}b} ou a}b"_s, u"PWD={****} ou ****"_s},
        {u"}x"_s, u"valor }x!"_s, u"valor ****!"_s},
        {u"x"_s, u"PWD={unterminated"_s, u"PWD=****"_s},
        {u""_s, u"PWD={y};"_s, u"PWD={****};"_s},
    };
    for (const Case& c : cases) {
        assi::ConnectionString cs;
        cs.password = c.password;
        EXPECT_EQ(cs.withoutSecrets(c.message).toStdString(), c.shown.toStdString())
            << c.password.toStdString() << " in " << c.message.toStdString();
    }
}

} // namespace
