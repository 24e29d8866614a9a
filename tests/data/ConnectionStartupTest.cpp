#include "data/ConnectionStartup.h"

#include "common/ErrorOf.h"
#include "common/SqliteFile.h"
#include "common/TableText.h"
#include "common/TempDir.h"
#include "core/BoardError.h"
#include "core/Recordset.h"
#include "database/DatabaseConnection.h"

#include <QCoreApplication>
#include <QDir>
#include <gtest/gtest.h>

using namespace Qt::StringLiterals;
using assi::ConnectionPlan;
using assi::planConnection;
using assi::test::TempDir;

namespace {

// A base folder (which may hold the per-site folder) and a program folder
// (which holds the fallback settings file and the catalogue).
struct Site {
    TempDir dir;
    QString base = dir.mkdir(u"base"_s);
    QString program = dir.mkdir(u"programa"_s);

    QString sitePath(const QString& name) const { return QDir(base).filePath(u"zelvio/"_s + name); }
    QString programPath(const QString& name) const { return QDir(program).filePath(name); }
    QString writeSite(const QByteArray& text) const {
        return dir.write(u"base/zelvio/OTK.zlv"_s, text);
    }
    QString writeProgram(const QByteArray& text) const {
        return dir.write(u"programa/OTK.zlv"_s, text);
    }
    QString writeCatalogue(const QByteArray& text) const {
        return dir.write(u"programa/Catalogos/bd.sql"_s, text);
    }
    ConnectionPlan plan() const { return planConnection(base, program); }
};

const QByteArray FullSettings = "[BaseDados]\r\nServidor=srv-def\r\nBaseDados=OTK\r\n"
                                "Senha=pw-def\r\nUtilizador=quadro\r\n";
const QByteArray Catalogue =
    "[BaseDados]\nServidor=srv-cat\nBaseDados=OTKCAT\nSenha=pw-cat\nUtilizador=cat\n";

QString valuesOf(const ConnectionPlan& plan) {
    const auto& p = plan.profile;
    return p.server() + u'|' + p.database() + u'|' + p.password() + u'|' + p.login();
}

void createDatabase(const QString& file) {
    assi::test::writeSqliteFile(file,
                                {u"create table Clientes (Codigo integer, Nome text)"_s,
                                 u"insert into Clientes values (1, 'Conceição'), (2, 'Álvaro')"_s});
}

TEST(PlanConnection, ThePerSiteFolderHoldsTheSettingsWhenItExists) {
    Site site;
    const QString settings = site.writeSite(FullSettings);
    site.writeProgram("[BaseDados]\nServidor=do-programa\n");
    const ConnectionPlan plan = site.plan();
    EXPECT_EQ(plan.settingsFilePath, settings);
    EXPECT_TRUE(plan.siteFolderExists);
    EXPECT_TRUE(plan.settingsFileExists);
    EXPECT_FALSE(plan.usesCatalogue);
    EXPECT_EQ(valuesOf(plan), u"srv-def|OTK|pw-def|quadro"_s);
}

TEST(PlanConnection, WithoutThePerSiteFolderTheProgramFolderHoldsTheSettings) {
    Site site;
    const QString settings = site.writeProgram(FullSettings);
    const ConnectionPlan plan = site.plan();
    EXPECT_EQ(plan.settingsFilePath, settings); // not <program>/zelvio/OTK.zlv
    EXPECT_FALSE(plan.siteFolderExists);
    EXPECT_EQ(plan.catalogueFilePath, site.programPath(u"Catalogos/bd.sql"_s));
    EXPECT_EQ(valuesOf(plan), u"srv-def|OTK|pw-def|quadro"_s);
}

TEST(PlanConnection, TheCatalogueStandsInWhenServerUserOrDatabaseIsEmpty) {
    const struct {
        const char* name;
        QByteArray settings;
        bool catalogue;
        QStringList empty;
    } cases[] = {
        {"all set", FullSettings, false, {}},
        {"no password",
         "[BaseDados]\nServidor=srv-def\nBaseDados=OTK\nUtilizador=quadro\n",
         false,
         {}},
        {"no server",
         "[BaseDados]\nBaseDados=OTK\nSenha=pw-def\nUtilizador=quadro\n",
         true,
         {u"Servidor"_s}},
        {"no user",
         "[BaseDados]\nServidor=srv-def\nBaseDados=OTK\nUtilizador=\n",
         true,
         {u"Utilizador"_s}},
        {"no database",
         "[BaseDados]\nServidor=srv-def\nSenha=pw-def\nUtilizador=quadro\n",
         true,
         {u"BaseDados"_s}},
        {"wrong section",
         "[Geral]\nServidor=srv-def\nBaseDados=OTK\nUtilizador=quadro\n",
         true,
         {u"Servidor"_s, u"Utilizador"_s, u"BaseDados"_s}},
    };
    for (const auto& c : cases) {
        Site site;
        site.writeSite(c.settings);
        site.writeCatalogue(Catalogue);
        const ConnectionPlan plan = site.plan();
        EXPECT_EQ(plan.usesCatalogue, c.catalogue) << c.name;
        EXPECT_EQ(plan.emptyInSettings, c.empty) << c.name;
        if (c.catalogue) { // all four values, the password too
            EXPECT_EQ(valuesOf(plan), u"srv-cat|OTKCAT|pw-cat|cat"_s) << c.name;
        }
    }
}

TEST(PlanConnection, AMissingSettingsFileTakesTheCatalogueWhicheverFolderItIsIn) {
    for (bool withSiteFolder : {true, false}) {
        Site site;
        if (withSiteFolder)
            site.dir.mkdir(u"base/zelvio"_s);
        site.writeCatalogue(Catalogue);
        const ConnectionPlan plan = site.plan();
        EXPECT_EQ(plan.settingsFilePath,
                  withSiteFolder ? site.sitePath(u"OTK.zlv"_s) : site.programPath(u"OTK.zlv"_s));
        EXPECT_FALSE(plan.settingsFileExists);
        EXPECT_TRUE(plan.usesCatalogue);
        EXPECT_EQ(valuesOf(plan), u"srv-cat|OTKCAT|pw-cat|cat"_s);
    }
}

TEST(PlanConnection, AnEmptyProgramFolderMeansTheEnvironmentsOrTheExecutables) {
    Site site;
    site.writeProgram(FullSettings);
    const QByteArray before = qgetenv("ASSI_APP_DIR");
    qputenv("ASSI_APP_DIR", site.program.toLocal8Bit());
    const ConnectionPlan plan = planConnection(site.base, QString());
    qunsetenv("ASSI_APP_DIR");
    const ConnectionPlan fromExecutable = planConnection(site.base, QString());
    if (!before.isEmpty())
        qputenv("ASSI_APP_DIR", before);
    EXPECT_EQ(plan.programFolder, site.program);
    EXPECT_EQ(fromExecutable.programFolder, QCoreApplication::applicationDirPath());
}

TEST(LIgarBd, OpensTheSqliteDatabaseTheSettingsName) {
    for (const QByteArray& driver : {QByteArray(), QByteArray("Driver=SQLite3\n")}) {
        Site site;
        site.dir.mkdir(u"base/zelvio/dados"_s);
        createDatabase(site.sitePath(u"dados/quadro.db"_s));
        site.writeSite("[BaseDados]\nMotor=sqlite\nServidor=local\nUtilizador=quadro\nBaseDados="
                       "dados/quadro.db\n" +
                       driver);
        assi::DatabaseConnection connection;
        assi::LIgarBd(site.plan(), connection);
        assi::Recordset rs = connection.openQuery(u"select Nome from Clientes order by Codigo"_s);
        EXPECT_EQ(assi::test::columnText(rs, u"Nome"_s),
                  (QStringList{u"Conceição"_s, u"Álvaro"_s}));
    }
}

TEST(LIgarBd, ValuesStillMissingAfterTheCatalogueAreNamedWithWhereTheyWereSought) {
    Site site;
    site.writeProgram("[BaseDados]\nServidor=srv-def\n");
    assi::DatabaseConnection connection;
    EXPECT_EQ(assi::test::errorOf([&] { assi::LIgarBd(site.plan(), connection); }),
              u"Faltam valores de ligação em [BaseDados]: Servidor, Utilizador, BaseDados; "
              u"o ficheiro de definições "_s +
                  site.programPath(u"OTK.zlv"_s) + u" não os tem todos e o catálogo "_s +
                  site.programPath(u"Catalogos/bd.sql"_s) + u" não existe."_s);
    EXPECT_FALSE(connection.isOpen());
}

TEST(LIgarBd, AFailedConnectionIsNotIgnored) {
    Site site;
    site.writeSite("[BaseDados]\nMotor=sqlite\nServidor=x\nUtilizador=y\nBaseDados=nada.db\n");
    assi::DatabaseConnection connection;
    EXPECT_THROW(assi::LIgarBd(site.plan(), connection), assi::BoardError);
    EXPECT_FALSE(connection.isOpen());
}

} // namespace
