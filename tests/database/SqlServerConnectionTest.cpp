// SQL Server through the real unixODBC + FreeTDS stack, against a closed port
// and against a fake server that speaks just enough TDS to see what arrives.

#include "common/ErrorOf.h"
#include "common/FakeTdsServer.h"
#include "database/ConnectionStringBuilder.h"
#include "database/DatabaseConnection.h"

#include <gtest/gtest.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

using namespace Qt::StringLiterals;
using assi::DatabaseConnection;
using assi::test::errorOf;
using assi::test::FakeTdsServer;

namespace {

const QString Password = u"S3gr3d0;PWD=x{"_s;

assi::ConnectionStringBuilder builderFor(int port, const QString& password = Password) {
    assi::ConnectionStringBuilder builder;
    builder.setProvider(u"MSDataShape"_s);
    builder.setReadOnly(true);
    builder.setServer(u"127.0.0.1,%1"_s.arg(port));
    builder.setLogin(u"quadro"_s);
    builder.setDatabase(u"OTK"_s);
    builder.setPassword(password);
    return builder;
}

// A port nothing listens on: bound for a moment, then released.
int closedPort() {
    const int fd = ::socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t size = sizeof address;
    ::bind(fd, reinterpret_cast<sockaddr*>(&address), size);
    ::getsockname(fd, reinterpret_cast<sockaddr*>(&address), &size);
    ::close(fd);
    return ntohs(address.sin_port);
}

TEST(SqlServerConnection, AClosedPortFailsNamingServerAndDatabase) {
    const int port = closedPort();
    DatabaseConnection connection;
    const QString message =
        errorOf([&] { connection.connect(builderFor(port).buildConnectionString()); });
    EXPECT_TRUE(
        message.startsWith(u"Não foi possível ligar à base de dados (servidor 127.0.0.1,%1, "
                           u"base de dados OTK): "_s.arg(port)))
        << message.toStdString();
    EXPECT_TRUE(message.contains(u"[FreeTDS]"_s)) << message.toStdString();
    EXPECT_FALSE(message.contains(u"S3gr3d0"_s)) << message.toStdString();
    EXPECT_FALSE(connection.isOpen());
}

TEST(SqlServerConnection, ATextHoldingDotDsnIsRefusedBeforeQtTakesItForAFileDsn) {
    assi::ConnectionStringBuilder builder = builderFor(1433);
    builder.setServer(u"bd.dsnet.local"_s);
    DatabaseConnection connection;
    const QString message = errorOf([&] { connection.connect(builder.buildConnectionString()); });
    EXPECT_TRUE(message.contains(u"contém \".dsn\""_s)) << message.toStdString();
    EXPECT_FALSE(message.contains(u"S3gr3d0"_s));
}

TEST(SqlServerConnection, EveryPasswordArrivesWholeAndInjectsNothing) {
    FakeTdsServer server(FakeTdsServer::Mode::Accept);
    ASSERT_TRUE(server.isListening());
    for (const QString& password :
         {u"simples"_s, u""_s, u"pa;ss"_s, u"a=b"_s, u"x}y"_s, u"x}y=z}"_s, u"{br"_s, u"a{b}c"_s,
          u";UID=intruso;PWD={"_s, u" com espaços "_s, u"ção€"_s}) {
        DatabaseConnection connection;
        connection.connect(builderFor(server.port(), password).buildConnectionString());
        EXPECT_TRUE(connection.isOpen());
        EXPECT_EQ(server.loginPassword(), password);
        EXPECT_EQ(server.loginUser(), u"quadro"_s);
        EXPECT_EQ(server.loginDatabase(), u"OTK"_s);
    }
}

TEST(SqlServerConnection, SessionsCountSundayAsTheFirstWeekday) {
    FakeTdsServer server(FakeTdsServer::Mode::Accept);
    DatabaseConnection connection;
    connection.connect(builderFor(server.port()).buildConnectionString());
    EXPECT_TRUE(server.statements().contains(u"SET DATEFIRST 7"_s))
        << server.statements().join(u" | "_s).toStdString();
}

TEST(SqlServerConnection, ARefusedLoginGivesTheServersMessageWithoutThePassword) {
    FakeTdsServer server(FakeTdsServer::Mode::RejectLogin);
    // A server (or driver) that repeats what it was given must not leak it.
    server.setLoginError(u"Login failed for user 'quadro' with password '"_s + Password + u"'."_s);
    DatabaseConnection connection;
    const QString message =
        errorOf([&] { connection.connect(builderFor(server.port()).buildConnectionString()); });
    EXPECT_TRUE(message.contains(u"Login failed for user 'quadro' with password '****'."_s))
        << message.toStdString();
    EXPECT_FALSE(message.contains(u"S3gr3d0"_s)) << message.toStdString();
    EXPECT_FALSE(connection.isOpen());
}

TEST(SqlServerConnection, AServerThatNeverAnswersTheLoginFailsWhenTheLoginTimeoutExpires) {
    FakeTdsServer server(FakeTdsServer::Mode::Silent);
    assi::ConnectionStringBuilder builder = builderFor(server.port());
    builder.setLoginTimeout(2);
    DatabaseConnection connection;
    const QString message = errorOf([&] { connection.connect(builder.buildConnectionString()); });
    EXPECT_TRUE(message.contains(u"Timeout expired"_s)) << message.toStdString();
    EXPECT_FALSE(message.contains(u"S3gr3d0"_s));
}

TEST(SqlServerConnection, AStuckQueryFailsWhenTheQueryTimeoutExpires) {
    FakeTdsServer server(FakeTdsServer::Mode::Accept);
    server.setStuckMarker(u"Ordens"_s);
    assi::ConnectionStringBuilder builder = builderFor(server.port());
    builder.setQueryTimeout(2);
    DatabaseConnection connection;
    connection.connect(builder.buildConnectionString());

    const QString message = errorOf([&] { connection.openQuery(u"select * from Ordens"_s); });
    EXPECT_TRUE(message.startsWith(u"A consulta à base de dados falhou (servidor 127.0.0.1,"_s))
        << message.toStdString();
    EXPECT_TRUE(message.contains(u"Timeout expired"_s)) << message.toStdString();
}

} // namespace
