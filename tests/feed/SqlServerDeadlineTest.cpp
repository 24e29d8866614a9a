// A refresh against a server that answers too slowly to ever time out per
// read, through the real loader and the unixODBC + FreeTDS stack.

#include "common/ErrorOf.h"
#include "common/FakeTdsServer.h"
#include "common/TempDir.h"
#include "data/BoardLoader.h"
#include "data/ConnectionStartup.h"
#include "database/ConnectionStringBuilder.h"
#include "database/DatabaseConnection.h"
#include "feed/ThreadedBoardFeed.h"

#include <QCoreApplication>
#include <QTcpServer>
#include <QTest>
#include <QThread>
#include <gtest/gtest.h>

using namespace assi;
using namespace Qt::StringLiterals;
using namespace std::chrono_literals;

namespace {

// Whether the FreeTDS ODBC driver answers at all: a refused connection then
// fails with its own message, not unixODBC's.
bool freeTdsInstalled() {
    QTcpServer probe;
    if (!probe.listen(QHostAddress::LocalHost))
        return false;
    const int port = probe.serverPort();
    probe.close();
    ConnectionStringBuilder builder;
    builder.setProvider(u"MSDataShape"_s);
    builder.setServer(u"127.0.0.1,%1"_s.arg(port));
    builder.setLogin(u"quadro"_s);
    builder.setDatabase(u"servicos"_s);
    DatabaseConnection connection;
    return test::errorOf([&] { connection.connect(builder.buildConnectionString()); })
        .contains(u"[FreeTDS]"_s);
}

TEST(SqlServerDeadline, ATricklingServerFailsTheRefreshAtTheDeadline) {
    if (!freeTdsInstalled())
        GTEST_SKIP() << "the FreeTDS ODBC driver is not installed";
    auto server = std::make_unique<test::FakeTdsServer>(test::FakeTdsServer::Mode::Trickle);
    ASSERT_TRUE(server->isListening());
    test::TempDir dir;
    dir.write(u"base/zelvio/OTK.zlv"_s,
              u"[BaseDados]\nServidor=127.0.0.1,%1\nBaseDados=servicos\nUtilizador=quadro\n"
              u"Senha=segredo\n"_s.arg(server->port())
                  .toUtf8());
    const QString base = dir.filePath(u"base"_s);
    const QString app = dir.mkdir(u"app"_s);

    QList<BoardData> results;
    {
        ThreadedBoardFeed feed([&] { return std::make_unique<BoardLoader>(base, app); });
        feed.setDeadline(2s);
        feed.setServerDescription([&] { return describePlannedConnection(base, app); });
        QObject::connect(&feed, &BoardFeed::loaded,
                         [&](const BoardData& data) { results.append(data); });
        feed.load(QDate(2026, 12, 7));
        ASSERT_TRUE(QTest::qWaitFor([&] { return !results.isEmpty(); }, 30000));
        const QString shown = results.first().requestsError.value_or(QString());
        EXPECT_TRUE(shown.startsWith(
            u"A base de dados não respondeu em 2 s (servidor 127.0.0.1,%1, "
            u"base de dados servicos); a ligação foi abandonada"_s.arg(server->port())))
            << shown.toStdString();
        EXPECT_FALSE(shown.contains(u"segredo"_s));
        EXPECT_TRUE(feed.hasUnfinishedLoads()) << "the driver is still reading";

        // Gone, the server lets the driver return: its thread must end before
        // the test does.
        server.reset();
        EXPECT_TRUE(QTest::qWaitFor([&] { return !feed.hasUnfinishedLoads(); }, 60000));
    }
    EXPECT_EQ(results.size(), 1);
}

} // namespace
