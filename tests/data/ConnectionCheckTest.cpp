#include "data/ConnectionCheck.h"

#include "common/SqliteFile.h"
#include "common/TempDir.h"
#include "core/Recordset.h"
#include "data/DemoDatabase.h"
#include "database/DatabaseConnection.h"

#include <QDir>
#include <QTextStream>
#include <gtest/gtest.h>

using namespace Qt::StringLiterals;
using assi::test::TempDir;

namespace {

const QByteArray Password = "Pa55;w=rd";

struct Site {
    TempDir dir;
    QString base = dir.mkdir(u"base"_s);
    QString program = dir.mkdir(u"programa"_s);

    QString path(const QString& relative) const { return QDir(dir.path()).filePath(relative); }

    // A SQLite database beside the settings file that names it.
    void writeDatabase(const QString& relative) const {
        dir.mkdir(QFileInfo(relative).path());
        assi::test::writeSqliteFile(path(relative), {u"create table Clientes (Codigo integer)"_s});
    }

    struct Result {
        bool ok;
        QString text;
    };
    Result check(const assi::OpenConnectionCheck& more = {}) const {
        QString text;
        QTextStream out(&text);
        const bool ok = assi::checkConnection(base, program, out, more);
        return {ok, text};
    }
};

TEST(ConnectionCheck, ReportsTheFileTheValuesAndTheOpenConnection) {
    Site site;
    site.writeDatabase(u"base/zelvio/quadro.db"_s);
    site.dir.write(u"base/zelvio/OTK.zlv"_s,
                   "[BaseDados]\nMotor=sqlite\nServidor=local\nUtilizador=quadro\n"
                   "BaseDados=quadro.db\nSenha=" +
                       Password + "\n");
    const QString settings = site.path(u"base/zelvio/OTK.zlv"_s);
    QFile::setPermissions(settings, QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup |
                                        QFile::ReadOther);
    const auto [ok, text] = site.check();
    EXPECT_TRUE(ok) << text.toStdString();
    const QString database = site.path(u"base/zelvio/quadro.db"_s);
    // The file that holds the password is 0644.
    EXPECT_EQ(text, u"Pasta do programa: "_s + site.program +
                        u"\n"
                        u"  Porque indicada por --app-dir.\n"
                        u"Ficheiro de definições: "_s +
                        settings +
                        u"\n"
                        u"  Escolhido porque existe a pasta do local "_s +
                        site.path(u"base/zelvio"_s) +
                        u".\n"
                        u"Valores de ligação: do ficheiro de definições.\n"
                        u"  Motor      = sqlite (ficheiro de definições)\n"
                        u"  Driver     = (nenhum: controlador SQLite do Qt)\n"
                        u"  Servidor   = local (ficheiro de definições)\n"
                        u"  BaseDados  = "_s +
                        database +
                        u" (ficheiro de definições)\n"
                        u"  Utilizador = quadro (ficheiro de definições)\n"
                        u"  Senha      = **** (ficheiro de definições)\n"
                        u"AVISO: O ficheiro "_s +
                        settings +
                        u" tem a senha da base de dados ([BaseDados] Senha) e outros "
                        u"utilizadores podem lê-lo (modo 0644). Corrija com: chmod 600 "_s +
                        settings +
                        u" (o ficheiro deve pertencer ao utilizador que corre o quadro).\n"
                        u"Ligação: aberta (base de dados SQLite "_s +
                        database + u").\n"_s);
}

// The example settings name FreeTDS; a site that points them at a SQLite file
// gets its board, and is told the Driver plays no part.
TEST(ConnectionCheck, ASqlServerDriverBesideSqliteIsSaidToBeIgnored) {
    Site site;
    site.writeDatabase(u"base/zelvio/quadro.db"_s);
    site.dir.write(u"base/zelvio/OTK.zlv"_s,
                   "[BaseDados]\nMotor=sqlite\nDriver=FreeTDS\nServidor=local\n"
                   "Utilizador=quadro\nBaseDados=quadro.db\n");
    const auto [ok, text] = site.check();
    EXPECT_TRUE(ok) << text.toStdString();
    EXPECT_TRUE(text.contains(u"  Driver     = FreeTDS (ficheiro de definições): ignorado, o motor "
                              u"sqlite abre o ficheiro com o controlador SQLite do Qt\n"_s))
        << text.toStdString();
}

TEST(ConnectionCheck, SaysWhyTheCatalogueWasUsedAndThatTheSettingsFileIsMissing) {
    Site site;
    site.writeDatabase(u"programa/Catalogos/cat.db"_s);
    site.dir.write(u"programa/Catalogos/bd.sql"_s,
                   "[BaseDados]\nMotor=sqlite\nServidor=local\nUtilizador=quadro\n"
                   "BaseDados=cat.db\n");
    const auto [ok, text] = site.check();
    EXPECT_FALSE(ok) << "the board cannot run without its settings file";
    EXPECT_TRUE(text.contains(u"  Escolhido porque não existe a pasta do local "_s +
                              site.path(u"base/zelvio"_s) + u": usa-se a pasta do programa "_s +
                              site.program +
                              u".\n"
                              u"  ATENÇÃO: este ficheiro não existe.\n"_s))
        << text.toStdString();
    EXPECT_TRUE(text.contains(u"Valores de ligação: do catálogo "_s +
                              site.path(u"programa/Catalogos/bd.sql"_s) +
                              u", porque o ficheiro de definições não existe.\n"_s))
        << text.toStdString();
    EXPECT_TRUE(text.contains(u"  Senha      = (vazia) (catálogo)\n"_s)) << text.toStdString();
    EXPECT_TRUE(text.contains(u"Ligação: aberta"_s)) << text.toStdString();
}

TEST(ConnectionCheck, AFailedConnectionSaysWhyAndSkipsTheQueries) {
    Site site;
    site.dir.write(u"programa/OTK.zlv"_s,
                   "[BaseDados]\nServidor=127.0.0.1,1\nUtilizador=quadro\nBaseDados=OTK\n"
                   "Senha=" +
                       Password + "\n");
    bool queried = false;
    const auto [ok, text] = site.check([&](assi::DatabaseConnection&, QTextStream&) {
        queried = true;
        return true;
    });
    EXPECT_FALSE(ok);
    EXPECT_FALSE(queried);
    EXPECT_TRUE(text.contains(u"Valores de ligação: do ficheiro de definições.\n"_s))
        << text.toStdString();
    EXPECT_TRUE(text.contains(u"  Driver     = FreeTDS (por omissão)\n"_s)) << text.toStdString();
    EXPECT_TRUE(text.contains(u"Ligação: FALHOU.\n  Não foi possível ligar à base de dados "
                              u"(servidor 127.0.0.1,1, base de dados OTK): "_s))
        << text.toStdString();
    EXPECT_FALSE(text.contains(QString::fromUtf8(Password))) << text.toStdString();
}

TEST(ConnectionCheck, TheQueriesRunOnTheOpenConnectionAndDecideTheAnswer) {
    for (bool queriesOk : {true, false}) {
        Site site;
        site.writeDatabase(u"programa/quadro.db"_s);
        site.dir.write(
            u"programa/OTK.zlv"_s,
            "[BaseDados]\nMotor=sqlite\nServidor=.\nUtilizador=.\nBaseDados=quadro.db\n");
        const auto [ok, text] =
            site.check([&](assi::DatabaseConnection& connection, QTextStream& out) {
                const assi::Recordset rs = connection.openQuery(u"select count(*) from Clientes"_s);
                out << u"Clientes: "_s << rs.value(0).toInt() << u'\n';
                return queriesOk;
            });
        EXPECT_EQ(ok, queriesOk);
        EXPECT_TRUE(text.endsWith(u"Clientes: 0\n"_s)) << text.toStdString();
    }
}

// The orders line adds up: the query's rows are the orders on the board and
// those on the weekend, which no column shows.
TEST(ConnectionCheck, TheOrdersLineSaysHowManyFallOnTheWeekend) {
    const QDate monday(2026, 12, 7);
    const QString line = u"Consulta das ordens de serviço de 07-12-2026 a 13-12-2026: "_s;
    const QString board = u"quadro de 2 linhas; colunas SEGUNDA, TERÇA, QUARTA, QUINTA, SEXTA"_s;
    const std::pair<QList<int>, QString> cases[] = {
        {{0, 2}, u"2 linhas ("_s + board + u")\n"_s},
        {{6, 0, 5},
         u"3 linhas (2 ao fim de semana, fora das colunas do quadro; "_s + board + u")\n"_s},
    };
    for (const auto& [dueInDays, expected] : cases) {
        Site site;
        {
            assi::DemoDatabase db(site.path(u"programa/quadro.db"_s));
            db.addClient(1, u"Hotel Miramar"_s);
            for (int days : dueInDays)
                db.addOrder({QDateTime(monday.addDays(days), QTime(9, 0)), 1, 1, QVariant()});
        }
        site.dir.write(
            u"programa/OTK.zlv"_s,
            "[BaseDados]\nMotor=sqlite\nServidor=.\nUtilizador=.\nBaseDados=quadro.db\n");
        const auto [ok, text] =
            site.check([&](assi::DatabaseConnection& connection, QTextStream& out) {
                return assi::checkBoardQueries(connection, out, monday);
            });
        EXPECT_TRUE(ok);
        EXPECT_TRUE(text.endsWith(line + expected)) << text.toStdString();
    }
}

} // namespace
